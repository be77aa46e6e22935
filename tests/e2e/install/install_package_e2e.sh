#!/usr/bin/env bash
# install_package_e2e.sh BUILD_DIR APP_ID
#
# The Debian package, end to end:
#   1. cpack builds it from BUILD_DIR; its files are exactly those that
#      `cmake --install` puts in place under the same prefix.
#   2. In a private mount namespace whose /usr, /etc and /var are overlays on a
#      scratch tmpfs (the real system never changes), apt-get installs it, the
#      installed program's main window maps under Xvfb, apt-get removes it, and
#      nothing of it is left.
# Needs root and permission to mount; skips (77) otherwise.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)

skip() { echo "skipped: $*"; exit 77; }

# Files and symbolic links below a folder, as sorted absolute paths.
list_files() { (cd "$1" && find . ! -type d | sed 's/^\.//' | LC_ALL=C sort); }

# Everything the package installs, without the folders it merely shares.
package_files() {
  dpkg-deb --fsys-tarfile "$1" | tar -t | grep -v '/$' | sed 's/^\.//' | LC_ALL=C sort
}

outside() {
  build=$(realpath "$1")
  app_id=$2
  [ "$(id -u)" = 0 ] || skip "installing a package needs root"
  local tool
  for tool in cpack dpkg-deb dpkg-shlibdeps file apt-get unshare Xvfb xdotool xprop strings dbus-run-session; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
  done
  # Containers without the right to mount cannot give the package a scratch system.
  unshare --mount true 2>/dev/null || skip "no private mount namespace here"

  work=$(mktemp -d "${TMPDIR:-/tmp}/klemvar-package.XXXXXX")
  trap 'rm -rf "$work"' EXIT

  echo "--- building the package"
  (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; exit 1; }
  local debs=("$work"/pkg/klemvar_*.deb)
  [ -f "${debs[0]}" ] || { echo "FAIL no klemvar_*.deb"; cat "$work/cpack.log"; exit 1; }
  deb=${debs[0]}
  echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"
  echo "Depends: $(dpkg-deb -f "$deb" Depends)"

  DESTDIR=$work/stage cmake --install "$build" --prefix /usr >/dev/null
  list_files "$work/stage" >"$work/installed.txt"
  package_files "$deb" >"$work/packaged.txt"
  if ! diff -u "$work/installed.txt" "$work/packaged.txt"; then
    echo "FAIL the package's files differ from cmake --install (- install, + package)"
    exit 1
  fi
  echo "ok package holds exactly the $(wc -l <"$work/installed.txt") installed files"
  [ -n "$(dpkg-deb -f "$deb" Depends)" ] || { echo "FAIL no computed dependencies"; exit 1; }

  # A child, not exec: the trap above removes the scratch folder afterwards.
  unshare --mount --propagation private bash "$0" --inside "$deb" "$work" "$app_id"
}

# Overlays /usr, /etc and /var with writable layers on a tmpfs that vanishes
# with this namespace.
mount_scratch_system() {
  local scratch=$1 dir
  mkdir -p "$scratch"
  mount -t tmpfs klemvar-scratch "$scratch" || return 1
  for dir in /usr /etc /var; do
    mkdir -p "$scratch$dir/upper" "$scratch$dir/work"
    mount -t overlay overlay \
      -o "lowerdir=$dir,upperdir=$scratch$dir/upper,workdir=$scratch$dir/work" "$dir" || return 1
  done
}

inside() {
  local deb=$1 work=$2
  app_id=$3
  export DEBIAN_FRONTEND=noninteractive
  # The package's dependencies are installed already and nothing is fetched:
  # without sources apt knows of no archive. (--no-download would refuse the
  # local file as well.)
  local apt=(apt-get -y -qq -o APT::Sandbox::User=root
    -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts=/nonexistent)
  ks_check "apt-get installs the package" "${apt[@]}" install "$deb"
  ks_check "dpkg knows it as installed" package_installed
  ks_check "every file is in place" all_present "$work/packaged.txt"
  ks_check "the launcher names the icon" grep -qx "Icon=$app_id" "/usr/share/applications/$app_id.desktop"
  # Qt keeps the desktop file name it announces as UTF-16.
  ks_check "the program carries the ID" bash -c "strings -el /usr/bin/klemvar | grep -qx '$app_id'"

  ks_start_xvfb
  export KLEMVAR_BIN=/usr/bin/klemvar
  ks_start_klemvar
  local window
  window=$(ks_wait_window Klemvar 20 || true)
  ks_check "the installed program's main window maps" test -n "$window"
  # On X11 the desktop finds the launcher of a window by its class.
  ks_check "its window class is the launcher's StartupWMClass" \
    launcher_matches_class "/usr/share/applications/$app_id.desktop" "$window"
  ks_stop "$KLEMVAR_PID"

  ks_check "apt-get removes the package" "${apt[@]}" remove klemvar
  ks_check "dpkg forgets it" package_gone
  ks_check "no file of it is left" none_present "$work/packaged.txt"
  ks_check "nothing of it is left in the system" nothing_named "$work/scratch"
  ks_finish
}

launcher_matches_class() {
  local wanted
  wanted=$(sed -n 's/^StartupWMClass=//p' "$1")
  [ -n "$wanted" ] && xprop -id "$2" WM_CLASS | grep -q "\"$wanted\"\$"
}

package_installed() {
  [ "$(dpkg-query -W -f='${db:Status-Status}' klemvar 2>/dev/null)" = installed ]
}

package_gone() {
  local status
  status=$(dpkg-query -W -f='${db:Status-Status}' klemvar 2>/dev/null || true)
  [ -z "$status" ] || [ "$status" = not-installed ]
}

all_present() {
  local file ok=0
  while read -r file; do [ -e "$file" ] || { echo "missing $file"; ok=1; }; done <"$1"
  return $ok
}

none_present() {
  local file ok=0
  while read -r file; do [ ! -e "$file" ] || { echo "left behind: $file"; ok=1; }; done <"$1"
  return $ok
}

# Whatever the package added or changed lies in the overlays' upper layers: no
# file there is named after it, and only the package manager's logs mention it.
nothing_named() {
  local left
  left=$(find "$1" -path "$1/var/upper/log" -prune -o \( -iname '*klemvar*' -o -name "*$app_id*" \) -print)
  left+=$(grep -rlIi --exclude-dir=log -e klemvar "$1" || true)
  [ -z "$left" ] || { echo "$left"; return 1; }
}

if [ "${1:-}" = --inside ]; then
  # The overlays come first, so that the bus session.sh starts and the program
  # see the installed files. The harness then runs this script again under
  # dbus-run-session, still inside the namespace, where they are in place.
  if [ -z "${KLEMVAR_OVERLAID:-}" ]; then
    mount_scratch_system "$3/scratch" || skip "cannot mount overlays here"
    export KLEMVAR_OVERLAID=1
  fi
  # shellcheck source=../../support/session.sh
  source "$here/../../support/session.sh"
  inside "$2" "$3" "$4"
else
  outside "$@"
fi

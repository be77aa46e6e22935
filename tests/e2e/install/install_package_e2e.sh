#!/usr/bin/env bash
# install_package_e2e.sh BUILD_DIR APP_ID MAKER_HOST
#
# The Debian package, end to end:
#   1. cpack builds it from BUILD_DIR; its files are exactly those that
#      `cmake --install` puts in place under the same prefix, and its
#      dependencies name the package of every library its ELF files link, and
#      what Qt loads at run time (what it can do without only recommended); no
#      file that either installs holds the path of the source or the build
#      folder; lintian finds no error and no warning in it.
#   2. In private mount and network namespaces whose /usr, /etc and /var are
#      overlays on a scratch tmpfs (the real system never changes), apt-get
#      installs it; the launcher's icon is found in the hicolor theme; the
#      installed program's main window maps under Xvfb; apt-get removes the
#      packages it only recommends and keeps it, and it starts again in a
#      German Wayland session's environment, with neither Qt's Wayland
#      platform nor Qt's translations there to load; an ordinary user, with
#      a HOME of its own, starts it from the launcher and checks for updates
#      against a server on this machine, to which the maker's host resolves
#      there (installed_update_e2e.sh); apt-get removes it, and nothing of it is
#      left.
# Needs root and permission to mount; skips (77) otherwise, except in CI (CI
# set), where a skip would hide a regression: there it fails.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)

skip() {
  if [ -n "${CI:-}" ]; then
    echo "FAIL cannot run in CI: $*"
    exit 1
  fi
  echo "skipped: $*"
  exit 77
}

# Files and symbolic links below a folder, as sorted absolute paths.
list_files() { (cd "$1" && find . ! -type d | sed 's/^\.//' | LC_ALL=C sort); }

# Everything the package installs, without the folders it merely shares.
package_files() {
  dpkg-deb --fsys-tarfile "$1" | tar -t | grep -v '/$' | sed 's/^\.//' | LC_ALL=C sort
}

# What Qt loads at run time, so that no linked library names it (packaging/):
# what the program needs, and what it can do without.
RUNTIME_DEPENDS=(qt6-qpa-plugins hicolor-icon-theme fonts-liberation)
RUNTIME_RECOMMENDS=(qt6-wayland qt6-translations-l10n)

# The package that owns a library, under any of its names: /lib is /usr/lib.
library_package() {
  local name
  for name in "$1" "$(realpath "$1")" "${1#/usr}" "/usr$1"; do
    dpkg -S "$name" 2>/dev/null | head -n1 | cut -d: -f1 | grep . && return 0
  done
  return 0
}

# Names in a relation field of the package, space-separated and padded.
relation_names() { echo " $(dpkg-deb -f "$1" "$2" | sed 's/([^)]*)//g; s/[,|]/ /g') "; }

# The package names every library package that its ELF files (the program and
# any module installed beside it) link, and the run-time ones.
depends_cover_libraries() {
  local deb=$1 unpacked=$2 depends recommends file soname path owner ok=0
  depends=$(relation_names "$deb" Depends)
  recommends=$(relation_names "$deb" Recommends)
  dpkg-deb -x "$deb" "$unpacked"
  while read -r file; do
    file -b "$file" | grep -q '^ELF' || continue
    for soname in $(readelf -d "$file" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
      # A library of the package itself needs no package.
      [ -z "$(find "$unpacked" -name "$soname")" ] || continue
      path=$(ldconfig -p | awk -v so="$soname" '$1 == so { print $NF; exit }')
      owner=$(library_package "$path")
      if [ -z "$owner" ] || [[ $depends != *" $owner "* ]]; then
        echo "$(basename "$file") links $soname (${owner:-no package}), not in Depends"
        ok=1
      fi
    done
  done < <(find "$unpacked" -type f)
  for owner in "${RUNTIME_DEPENDS[@]}"; do
    [[ $depends == *" $owner "* ]] || { echo "$owner is not in Depends"; ok=1; }
  done
  for owner in "${RUNTIME_RECOMMENDS[@]}"; do
    [[ $recommends == *" $owner "* ]] || { echo "$owner is not in Recommends"; ok=1; }
    [[ $depends != *" $owner "* ]] || { echo "$owner is in Depends"; ok=1; }
  done
  return $ok
}

# No file below $1 holds the source or the build folder's path (a program
# would load code from there, or tell it in its debug information).
names_no_build_folder() {
  local source file ok=0
  source=$(cd "$here/../../.." && pwd)
  while read -r file; do
    if strings -a "$file" | grep -qF -e "$build" -e "$source"; then
      echo "${file#"$1"} names $(strings -a "$file" | grep -F -e "$build" -e "$source" | head -n1)"
      ok=1
    fi
  done < <(find "$1" -type f)
  return $ok
}

outside() {
  build=$(realpath "$1")
  app_id=$2 maker_host=$3
  [ "$(id -u)" = 0 ] || skip "installing a package needs root"
  local tool
  for tool in cpack dpkg-deb dpkg-shlibdeps file readelf apt-get unshare ip useradd runuser \
    Xvfb xdotool xprop strings dbus-run-session gio lintian; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
  done
  # Containers without the right to mount cannot give the package a scratch system.
  unshare --mount --net true 2>/dev/null || skip "no private mount and network namespace here"

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
  echo "Recommends: $(dpkg-deb -f "$deb" Recommends)"

  DESTDIR=$work/stage cmake --install "$build" --prefix /usr >/dev/null
  list_files "$work/stage" >"$work/installed.txt"
  package_files "$deb" >"$work/packaged.txt"
  if ! diff -u "$work/installed.txt" "$work/packaged.txt"; then
    echo "FAIL the package's files differ from cmake --install (- install, + package)"
    exit 1
  fi
  echo "ok package holds exactly the $(wc -l <"$work/installed.txt") installed files"
  [ -n "$(dpkg-deb -f "$deb" Depends)" ] || { echo "FAIL no computed dependencies"; exit 1; }
  depends_cover_libraries "$deb" "$work/unpacked" || { echo "FAIL dependencies missing"; exit 1; }
  echo "ok the dependencies cover every linked library and what Qt loads"
  names_no_build_folder "$work/stage" && names_no_build_folder "$work/unpacked" ||
    { echo "FAIL installed files name the build machine's folders"; exit 1; }
  echo "ok no installed file names the source or the build folder"
  # What a distribution checks first. Informational tags are shown, not failed.
  if ! lintian --fail-on error,warning --display-info \
    "$deb" >"$work/lintian.log" 2>&1; then
    cat "$work/lintian.log"
    echo "FAIL lintian finds errors or warnings"
    exit 1
  fi
  sed 's/^/lintian: /' "$work/lintian.log"
  echo "ok lintian finds no error and no warning"

  # A child, not exec: the trap above removes the scratch folder afterwards.
  unshare --mount --net --propagation private bash "$0" --inside "$deb" "$work" "$app_id" "$maker_host"
}

# Overlays /usr, /etc and /var with writable layers on a tmpfs that vanishes
# with this namespace, and gives /home a tmpfs of its own for the test's user.
mount_scratch_system() {
  local scratch=$1 dir
  mkdir -p "$scratch"
  mount -t tmpfs klemvar-scratch "$scratch" || return 1
  for dir in /usr /etc /var; do
    mkdir -p "$scratch$dir/upper" "$scratch$dir/work"
    mount -t overlay overlay \
      -o "lowerdir=$dir,upperdir=$scratch$dir/upper,workdir=$scratch$dir/work" "$dir" || return 1
  done
  mount -t tmpfs -o mode=0755 scratch-home /home
}

# The maker's host is this machine, through a hosts file of the namespace's own.
resolve_maker_here() {
  printf '127.0.0.1 localhost %s\n::1 localhost\n' "$1" >"$2/hosts"
  mount --bind "$2/hosts" /etc/hosts
}

inside() {
  local deb=$1 work=$2
  app_id=$3 maker_host=$4
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
  ks_check "the icon theme has the launcher's icon" icon_in_theme hicolor "$app_id"
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

  without_recommends

  as_a_user "$work"

  ks_check "apt-get removes the package" "${apt[@]}" remove klemvar
  ks_check "dpkg forgets it" package_gone
  ks_check "no file of it is left" none_present "$work/packaged.txt"
  ks_check "nothing of it is left in the system" nothing_named "$work/scratch"
  ks_finish
}

# The packages the program only recommends go, and it stays installed. It
# starts where a Wayland desktop's session would send it to Qt's Wayland
# platform, in German, whose Qt translation would be loaded: Qt must fall back
# to X11 (XWayland on a real desktop), and the program do without the
# translation. The user's update check after this runs without them as well.
without_recommends() {
  ks_check "apt-get removes what the package only recommends" "${apt[@]}" remove "${RUNTIME_RECOMMENDS[@]}"
  ks_check "the package stays installed" package_installed
  ks_check "Qt's Wayland platform and its German translation are gone" recommended_files_gone
  env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=klemvar-no-compositor \
    LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    /usr/bin/klemvar >"$KS_TMP/klemvar.log" 2>&1 &
  KLEMVAR_PID=$!
  ks_track "$KLEMVAR_PID"
  ks_check "without them its main window maps" ks_wait_window Klemvar 20
  # Qt's own warning: it did look for the Wayland platform before it fell back.
  ks_check "Qt wanted its Wayland platform first" grep -q 'platform plugin "wayland"' "$KS_TMP/klemvar.log"
  ks_check "and its controls are there" ks_atspi all --timeout 15 "push button=Wecker stellen"
  ks_check "it still runs" kill -0 "$KLEMVAR_PID"
  ks_stop "$KLEMVAR_PID"
}

recommended_files_gone() {
  local left
  left=$(find /usr/lib /usr/share -path '*/qt6/plugins/platforms/*wayland*' -o -path '*/qt6/translations/qtbase_de.qm')
  [ -z "$left" ] || { echo "still there: $left"; return 1; }
}

# The Icon Theme rule a menu follows: the name, as PNG or SVG, in one of the
# folders the theme's index.theme lists. Where the theme keeps a cache, GTK's
# menus look only there, so the cache must know the name as well.
icon_in_theme() {
  local theme=/usr/share/icons/$1 name=$2 folder found=""
  [ -f "$theme/index.theme" ] || { echo "no $theme/index.theme"; return 1; }
  for folder in $(sed -n 's/^Directories=//p' "$theme/index.theme" | tr ',' ' '); do
    for ext in png svg; do
      [ -f "$theme/$folder/$name.$ext" ] && found+=" $folder"
    done
  done
  echo "found in:$found"
  [ -n "$found" ] || return 1
  [ ! -f "$theme/icon-theme.cache" ] || grep -qa "$name" "$theme/icon-theme.cache" ||
    { echo "the theme's cache does not know $name"; return 1; }
}

# An ordinary user with a HOME of its own runs the installed program's update
# check: once against a server on port 80 of this machine, once with nothing
# listening. The harness is copied where that user may read it.
as_a_user() {
  local work=$1 user=wecker harness=/home/harness server
  # The account goes into the scratch /etc and /home: it ends with the namespace.
  useradd --create-home --home-dir "/home/$user" --shell /bin/bash "$user"
  mkdir -p "$harness/tests/e2e/install"
  cp -r "$here/../../support" "$harness/tests/"
  cp "$here/installed_update_e2e.sh" "$harness/tests/e2e/install/"
  chmod -R a+rX "$harness"
  resolve_maker_here "$maker_host" "$work"

  "$KS_PYTHON" "$here/../update/update_server.py" --port 80 --version 1.21 >"$work/server.log" 2>&1 &
  server=$!
  ks_track "$server"
  ks_retry 10 grep -q '^READY 80$' "$work/server.log"
  ks_check "the user's check finds the newer version" run_as "$user" newer
  ks_check "the server was asked for the update file" \
    grep -q '^> GET /software/download/update.ini HTTP/1.0' "$work/server.log"
  ks_stop "$server"
  ks_check "the user's check without a server says Fehler!" run_as "$user" no-server
  ks_check "no update.ini is left anywhere" no_update_file_anywhere
}

run_as() {
  local user=$1
  shift
  runuser -u "$user" -- env -i HOME="/home/$user" USER="$user" LOGNAME="$user" SHELL=/bin/bash \
    PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 ${CI:+CI=$CI} \
    bash /home/harness/tests/e2e/install/installed_update_e2e.sh "$@" "$app_id" "$maker_host"
}

no_update_file_anywhere() {
  local left
  left=$(find /home /usr /tmp -xdev -name update.ini 2>/dev/null)
  [ -z "$left" ] || { echo "$left"; return 1; }
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
  # The account files hold the test's own user; the package adds none.
  left+=$(grep -rlIi --exclude-dir=log --exclude='passwd*' --exclude='group*' --exclude='shadow*' \
    --exclude='gshadow*' -e klemvar "$1" || true)
  [ -z "$left" ] || { echo "$left"; return 1; }
}

if [ "${1:-}" = --inside ]; then
  # The overlays come first, so that the bus session.sh starts and the program
  # see the installed files. The harness then runs this script again under
  # dbus-run-session, still inside the namespace, where they are in place.
  if [ -z "${KLEMVAR_OVERLAID:-}" ]; then
    mount_scratch_system "$3/scratch" || skip "cannot mount overlays here"
    ip link set lo up
    export KLEMVAR_OVERLAID=1
  fi
  # shellcheck source=../../support/session.sh
  source "$here/../../support/session.sh"
  inside "$2" "$3" "$4" "$5"
else
  outside "$@"
fi

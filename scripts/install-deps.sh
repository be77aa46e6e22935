#!/usr/bin/env bash
# Installs, with apt-get, whatever a fresh Debian 12 or 13 machine lacks to build, run and test
# Klemvar. Packages already present are left alone, so a second run costs a few dpkg look-ups.
# A package the release does not have is named, and the others are installed all the same.
set -euo pipefail

build_packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libpulse-dev libasound2-dev
  libcurl4-openssl-dev libjpeg62-turbo-dev libgtest-dev locales
  libfontconfig-dev fonts-liberation clang-format
  qt6-translations-l10n qt6-wayland
)
test_packages=(
  xvfb xauth xdotool x11-utils imagemagick dbus-x11 at-spi2-core python3-pyatspi python3-dbus
  python3 curl dpkg-dev file lintian trayer openbox pulseaudio pulseaudio-utils sox iproute2 util-linux procps
  desktop-file-utils appstream stress-ng ccache
  libglib2.0-bin passwd tzdata faketime pipewire pipewire-pulse wireplumber
  sway waybar mako-notifier weston systemd
  fonts-dejavu-core fonts-noto-core fonts-cantarell
)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q '^install ok installed'; }

lists_read=0
read_package_lists() {
  [ "$lists_read" = 0 ] || return 0
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  lists_read=1
}

# The fuzzers need clang with its sanitizer runtimes and libFuzzer, which Debian
# names by LLVM version (14 in Debian 12, 19 in Debian 13). The version taken
# is the one the release's own "clang" stands for, so that the unversioned
# clang and clang++ the fuzz preset names are the compiler these belong to.
llvm_version() {
  local depends
  if installed clang; then
    depends=$(dpkg-query -W -f='${Depends}' clang)
  else
    depends=$(apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: //p' || true)
  fi
  sed -n 's/.*clang-\([0-9][0-9]*\).*/\1/p' <<<"$depends" | head -n 1
}

wanted=("${build_packages[@]}")
if [ "${1:-}" = "--with-tests" ]; then
  wanted+=("${test_packages[@]}")
  [ "$(id -u)" -ne 0 ] || installed clang || [ -n "$(llvm_version)" ] || read_package_lists
  llvm=$(llvm_version)
  if [ -n "$llvm" ]; then
    wanted+=(clang "libclang-rt-$llvm-dev" "libfuzzer-$llvm-dev")
  else
    echo "Not found: this release's package lists have no clang; the fuzzers (scripts/fuzz.sh) cannot be built." >&2
  fi
fi

missing=()
for p in "${wanted[@]}"; do
  installed "$p" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages need root: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  read_package_lists
  # A package this release does not have is named, not guessed at; the rest
  # are installed, and what needs the missing one fails or is skipped there.
  available=() unavailable=()
  for p in "${missing[@]}"; do
    candidate=$(apt-cache policy "$p" 2>/dev/null | sed -n 's/^ *Candidate: //p')
    if [ -n "$candidate" ] && [ "$candidate" != "(none)" ]; then
      available+=("$p")
    else
      unavailable+=("$p")
    fi
  done
  if [ ${#unavailable[@]} -gt 0 ]; then
    echo "Not found in this release's packages ($(. /etc/os-release && echo "$PRETTY_NAME")): ${unavailable[*]}" >&2
  fi
  if [ ${#available[@]} -gt 0 ]; then
    apt-get install -y -qq --no-install-recommends "${available[@]}" >/dev/null
  fi
  for p in "${unavailable[@]}"; do
    for b in "${build_packages[@]}"; do
      [ "$p" != "$b" ] || { echo "Klemvar cannot be built without $p." >&2; exit 1; }
    done
  done
fi

# The locale tests compare the time pattern of several real glibc locales; the
# HTTP component runs once more under Turkish, whose dotless i trips any
# header comparison that follows the C locale.
if [ "${1:-}" = "--with-tests" ]; then
  want_locales="de_DE.UTF-8 en_US.UTF-8 en_GB.UTF-8 ko_KR.UTF-8 fi_FI.UTF-8 tr_TR.UTF-8"
  have=$(locale -a 2>/dev/null | tr 'A-Z' 'a-z' | sed 's/utf8/utf-8/')
  missing=()
  for l in $want_locales; do
    lc=$(echo "$l" | tr 'A-Z' 'a-z')
    grep -qx "$lc" <<<"$have" || missing+=("$l")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
      echo "Missing locales need root: generate ${missing[*]} (/etc/locale.gen, locale-gen)" >&2
      exit 1
    fi
    for l in "${missing[@]}"; do
      sed -i "s/^# *\($l UTF-8\)/\1/" /etc/locale.gen
      grep -q "^$l UTF-8" /etc/locale.gen || echo "$l UTF-8" >>/etc/locale.gen
    done
    locale-gen >/dev/null
  fi
fi
exit 0

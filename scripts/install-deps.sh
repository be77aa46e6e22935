#!/usr/bin/env bash
# Installs, with apt-get, whatever a fresh Debian 12 machine lacks to build, run and test Klemvar.
# Packages already present are left alone, so a second run costs a few dpkg look-ups.
set -euo pipefail

build_packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libpulse-dev libasound2-dev
  libcurl4-openssl-dev libjpeg62-turbo-dev libgtest-dev locales
  libfontconfig-dev fonts-liberation clang-format
  qt6-translations-l10n qt6-wayland
)
test_packages=(
  xvfb xauth xdotool x11-utils imagemagick dbus-x11 at-spi2-core python3-pyatspi
  python3 curl dpkg-dev file lintian trayer openbox pulseaudio pulseaudio-utils sox iproute2 util-linux procps
  clang-14 libclang-rt-14-dev libfuzzer-14-dev desktop-file-utils appstream stress-ng ccache
  libglib2.0-bin passwd tzdata faketime pipewire pipewire-pulse wireplumber
  sway waybar mako-notifier weston systemd
  fonts-dejavu-core fonts-noto-core fonts-cantarell
)

wanted=("${build_packages[@]}")
[ "${1:-}" = "--with-tests" ] && wanted+=("${test_packages[@]}")

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages need root: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
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

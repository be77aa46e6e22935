#!/usr/bin/env bash
# Renders the README's pictures under Xvfb, with openbox drawing the title bars
# and the wall clock fixed at 06:42:05 (tests/support/screenshot/), into
# docs/screenshots/: main-window.png (armed, with the countdown),
# alarm-window.png, about-window.png, tray-menu.png and update-progress.png.
#
# Usage: scripts/screenshot.sh [--no-build] [BUILD_DIR [OUTPUT_FOLDER]]
#   BUILD_DIR defaults to build/default, OUTPUT_FOLDER to docs/screenshots.
# Prints one line per picture: "FILE CLIENT_WxH FRAME_LEFT,TOP,RIGHT,BOTTOM".
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/support/session.sh"

build_first=1
if [ "${1:-}" = --no-build ]; then
  build_first=0
  shift
fi
build=$(realpath "${1:-$root/build/default}")
out=$(realpath -m "${2:-$root/docs/screenshots}")
tool=$build/tests/e2e/screenshots/klemvar_screenshots

ks_require Xvfb openbox xdpyinfo
if [ "$build_first" = 1 ]; then
  cmake --build "$build" --target klemvar_screenshots >&2
fi
mkdir -p "$out"

ks_start_xvfb
ks_start_wm
# The German time format, as the program's users see it.
LC_ALL=de_DE.UTF-8 QT_QPA_PLATFORM=xcb "$tool" "$out"

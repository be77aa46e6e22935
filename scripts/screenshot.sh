#!/usr/bin/env bash
# Takes the README's screenshot of the main window under Xvfb, with openbox
# drawing the title bar: docs/screenshots/klemvar.png.
# Usage: scripts/screenshot.sh [PROGRAM]   (default: build/default/src/klemvar)
root=$(cd "$(dirname "$0")/.." && pwd)
KLEMVAR_BIN=$(realpath "${1:-$root/build/default/src/klemvar}")
out=$root/docs/screenshots/klemvar.png
source "$root/tests/support/session.sh"

ks_start_xvfb
ks_start_wm
LC_ALL=de_DE.UTF-8 ks_start_klemvar
window=$(ks_wait_window Klemvar 20)
sleep 2  # the first tick writes the clock
frame=$(xwininfo -id "$window" -children | sed -n 's/^  Parent window id: \(0x[0-9a-f]*\).*/\1/p')
import -window "${frame:-$window}" "$out"
echo "wrote $out ($(identify -format '%wx%h' "$out"))"

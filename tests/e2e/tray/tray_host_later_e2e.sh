#!/usr/bin/env bash
# Without a tray host the program runs without an icon and says nothing; arming
# leaves the window in view. When a tray host starts later, the icon docks, and
# from then on arming hides the window into it.
KLEMVAR_BIN=${1:-${KLEMVAR_BIN:-}}
source "$(dirname "$0")/../../support/session.sh"

ks_start_xvfb
ks_start_klemvar
window=$(ks_wait_window Klemvar 20)
ks_atspi all --timeout 15 "push button=Wecker stellen" >/dev/null

no_icon() { ! ks_icon_docked; }
ks_check "without a tray there is no icon" no_icon
no_box() { [ "$(ks_windows_of "$KLEMVAR_PID" | wc -l)" -eq 1 ]; }
ks_check "and no message" no_box

ks_atspi do "Wecker stellen" --role "push button"
# The button is pressed a moment after the action returns; "Aus" is enabled by
# the arming handler just before it would hide the window, so once it is, the
# handler has run to its end.
aus_enabled() { ks_atspi find Aus --role "push button" | grep -w enabled >/dev/null; }
ks_check "arming enables Aus" ks_retry 5 aus_enabled
ks_check "arming leaves the window in view" test "$(ks_map_state "$window")" = IsViewable
ks_atspi do Aus --role "push button"

ks_start_tray
icon=$(ks_tray_icon 15 || true)
ks_check "a tray host started later gets the icon" test -n "$icon"

ks_atspi do "Wecker stellen" --role "push button"
ks_check "now arming hides the window" ks_wait_unmapped "$window" 5
xdotool mousemove --window "$icon" 8 8 click --repeat 2 1
ks_check "and a double click brings it back" ks_wait_viewable "$window" 5

ks_xtool close "$window"
ks_check "closing ends the process with status 0" ks_exits_with "$KLEMVAR_PID" 0

ks_finish

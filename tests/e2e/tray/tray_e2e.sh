#!/usr/bin/env bash
# The tray icon in trayer, an XEmbed tray host: it docks; arming hides the main
# window; a single click does nothing, a double click brings the window back
# where it was; the right button opens the two-item menu, whose "Beenden" ends
# the process with status 0 and leaves no icon behind.
KLEMVAR_BIN=${1:-${KLEMVAR_BIN:-}}
source "$(dirname "$0")/../../support/session.sh"

ks_start_xvfb
ks_start_tray
ks_start_klemvar
window=$(ks_wait_window Klemvar 20)
icon=$(ks_tray_icon 15 || true)
ks_check "the icon docks in the tray" test -n "$icon"

xdotool windowmove --sync "$window" 200 150
place=$(xwininfo -id "$window" | grep -E 'Absolute upper-left [XY]')
ks_atspi all --timeout 15 "push button=Wecker stellen" >/dev/null
ks_atspi do "Wecker stellen" --role "push button"
ks_check "arming hides the main window" ks_wait_unmapped "$window" 5

# The pointer moving on after the click raises the icon's tooltip. The program
# handles its input in order, so once the tooltip shows, the click has been
# handled too.
tooltip_shown() {
  local id
  for id in $(ks_windows_of "$KLEMVAR_PID"); do
    xprop -id "$id" _NET_WM_WINDOW_TYPE | grep -q TOOLTIP && return 0
  done
  return 1
}
xdotool mousemove --window "$icon" 8 8 click 1 mousemove --window "$icon" 9 9
ks_retry 10 tooltip_shown
ks_check "a single click does nothing" ks_is_unmapped "$window"

xdotool mousemove --window "$icon" 8 8 click --repeat 2 1
ks_check "a double click brings the window back" ks_wait_viewable "$window" 5
ks_check "at its last place" test "$(xwininfo -id "$window" | grep -E 'Absolute upper-left [XY]')" = "$place"
xdotool mousemove --window "$icon" 8 8 click --repeat 2 1

# The menu pops up outside the accessible tree; its items tell themselves
# as the keyboard moves through them.
ks_atspi watch --timeout 8 >"$KS_TMP/focus.txt" &
ks_track $!
ks_retry 5 grep -q ready "$KS_TMP/focus.txt"
# The program handles the clicks on its icon in order, so the menu of the
# right button shows that the double click before it has been handled.
shown_windows() { ks_windows_of "$KLEMVAR_PID" | wc -l; }
before=$(shown_windows)
menu_open() { [ "$(shown_windows)" -gt "$before" ]; }
xdotool mousemove --window "$icon" 8 8 click 3
ks_retry 5 menu_open
ks_check "a double click on a shown window keeps it shown" \
  test "$(ks_map_state "$window")" = IsViewable
xdotool key Down Down Down Up
items() { [ "$(grep -v ready "$KS_TMP/focus.txt" | cut -f2 | paste -sd '|')" = "$1" ]; }
ks_check "the right button opens the menu with its two items" \
  ks_retry 5 items "Wecker anzeigen|Beenden|Wecker anzeigen|Beenden"

xdotool key Return
ks_check "Beenden ends the process with status 0" ks_exits_with "$KLEMVAR_PID" 0
no_icon() { ! ks_icon_docked; }
ks_check "no icon is left in the tray" ks_retry 5 no_icon

ks_finish

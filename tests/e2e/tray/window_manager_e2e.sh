#!/usr/bin/env bash
# Under a window manager (openbox) with a tray: minimise hides the window and
# its taskbar entry while the tray icon leads back; the taskbar entry stays
# while another window of the program is in view; Alt+F4 ends the program.
KLEMVAR_BIN=${1:-${KLEMVAR_BIN:-}}
source "$(dirname "$0")/../../support/session.sh"
ks_require openbox

ks_start_xvfb
ks_start_wm
ks_start_tray
ks_start_klemvar
window=$(ks_wait_window Klemvar 20)
icon=$(ks_tray_icon 15 || true)
ks_atspi all --timeout 15 "push button=Wecker stellen" >/dev/null

ks_check "the shown window has a taskbar entry" ks_retry 5 ks_in_client_list "$window"
ks_check "and asks for none to be skipped" \
  bash -c "! xprop -id $window _NET_WM_STATE | grep -q SKIP_TASKBAR"

xdotool windowminimize "$window"
ks_check "minimise hides the window" ks_wait_unmapped "$window" 5
not_listed() { ! ks_in_client_list "$1"; }
ks_check "and its taskbar entry" ks_retry 5 not_listed "$window"

xdotool mousemove --window "$icon" 8 8 click --repeat 2 1
ks_check "a double click on the icon brings it back" ks_wait_viewable "$window" 5
ks_check "with its taskbar entry" ks_retry 5 ks_in_client_list "$window"
not_iconic() { ! xprop -id "$window" WM_STATE | grep -q Iconic; }
ks_check "not minimised" not_iconic
ks_check "at its size" test "$(ks_client_size "$window")" = 197x286

# Another window of the program keeps an entry while the main window is hidden.
ks_atspi do Info --role "menu item"
other_window() { ks_windows_of "$KLEMVAR_PID" | grep -vx "$window" | while read -r id; do
  ks_in_client_list "$id" && echo "$id"; done | head -n1 | grep -q .; }
ks_check "the About window gets an entry" ks_retry 10 other_window
xdotool windowminimize "$window"
ks_wait_unmapped "$window" 5 || true
# The window manager may still be busy with the minimise; an entry lost for
# good fails all the same.
ks_check "minimising the main window leaves the other entry" ks_retry 5 other_window

xdotool mousemove --window "$icon" 8 8 click --repeat 2 1
ks_wait_viewable "$window" 5

# Without a tray host minimise is an ordinary minimise; the taskbar leads back.
ks_stop "$KS_TRAY_PID"
tray_gone() { ! ks_tray_owned; }
ks_retry 5 tray_gone
# The tray window's end reaches the program before the minimise does.
xdotool windowminimize "$window"
iconic() { xprop -id "$window" WM_STATE | grep Iconic >/dev/null; }
ks_check "without a tray, minimise minimises" ks_retry 5 iconic
ks_check "and keeps the taskbar entry" ks_in_client_list "$window"
xdotool windowactivate "$window"
ks_check "the taskbar brings it back" ks_wait_viewable "$window" 5

ks_start_tray
ks_check "the icon comes back with the tray host" ks_retry 15 ks_icon_docked

xdotool windowactivate --sync "$window" key alt+F4
ks_check "Alt+F4 ends the process with status 0" ks_exits_with "$KLEMVAR_PID" 0

ks_finish

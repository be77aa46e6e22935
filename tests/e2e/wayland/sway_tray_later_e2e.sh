#!/usr/bin/env bash
# Under sway, a tray that starts after the program gets its item all the same,
# and one that goes away and comes back gets it again. Without a tray, arming
# leaves the window in view.
KLEMVAR_BIN=${1:-${KLEMVAR_BIN:-}}
source "$(dirname "$0")/../../support/wayland_session.sh"
kw_require sway swaymsg waybar busctl

kw_start_sway
kw_start_klemvar
ks_check "the main window maps" kw_wait_window Klemvar 20
ks_atspi all --timeout 15 "push button=Wecker stellen" >/dev/null
ks_atspi do "Wecker stellen" --role "push button"
# Arming and hiding are one step: "Aus" is enabled once it is done.
armed() { ks_atspi find Aus --role "push button" | grep -qw enabled; }
ks_retry 5 armed
ks_check "without a tray, arming leaves the window in view" kw_has_window Klemvar
ks_atspi do Aus --role "push button"

registered() { [ -n "$(kw_item)" ]; }
kw_start_waybar
ks_check "a tray started later gets the item" ks_retry 10 registered
ks_atspi do "Wecker stellen" --role "push button"
ks_check "now arming hides the window" kw_wait_gone Klemvar 5
kw_item_call /StatusNotifierItem org.kde.StatusNotifierItem Activate ii 0 0 >/dev/null
ks_check "and Activate brings it back" kw_wait_window Klemvar 5

ks_stop "$KW_WAYBAR_PID"
kw_start_waybar
ks_check "a tray that comes back gets the item again" ks_retry 10 registered

ks_finish

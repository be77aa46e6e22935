#!/usr/bin/env bash
# The real program under Xvfb, without a tray host: its main window, its
# controls as a screen reader finds them, the clock in the status bar, arming
# without a tray, and the close command ending the process with status 0.
KLEMVAR_BIN=${1:-${KLEMVAR_BIN:-}}
source "$(dirname "$0")/../../support/session.sh"

ks_start_xvfb
ks_start_klemvar
window=$(ks_wait_window Klemvar 20)

ks_check "a window titled Klemvar is mapped" test -n "$window"
ks_check "its client area is 197 x 286" test "$(ks_client_size "$window")" = 197x286

ks_check "the controls are found by their names" ks_atspi all --timeout 15 \
  "radio button=um" "radio button=in" "spin button=Stunden" "spin button=Minuten" \
  "check box=Weckzeit wiederholen" "text=Alarm-Text" "check box=Läuten" \
  "spin button=Schließen" "push button=Aus" "push button=Wecker stellen" \
  "label=Quorbel Software" "menu item=Datei" "menu item=Hilfe"

clock_shown() { ks_atspi tree | grep -E '^ *label: [0-9]{2}:[0-9]{2}:[0-9]{2}$' >/dev/null; }
ks_check "the first tick writes the clock" ks_retry 5 clock_shown

aus_enabled() { ks_atspi find Aus --role "push button" | grep -w enabled >/dev/null; }
aus_greyed() { ! aus_enabled; }
ks_check "Aus starts greyed" aus_greyed

ks_atspi do "Wecker stellen" --role "push button"
# Enabled by the arming handler just before it would hide the window: once it
# is, the handler has run to its end.
ks_check "Aus can be pressed once armed" ks_retry 5 aus_enabled
ks_check "without a tray, arming leaves the window in view" \
  test "$(ks_map_state "$window")" = IsViewable

ks_xtool close "$window"
ks_check "closing the window ends the process with status 0" \
  ks_exits_with "$KLEMVAR_PID" 0

ks_finish

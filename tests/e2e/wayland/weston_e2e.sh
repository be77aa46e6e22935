#!/usr/bin/env bash
# Under weston with no tray and no notification server: arming leaves the main
# window in view, the alarm fires and its window shows at once, and no
# notification server is started or waited for.
KLEMVAR_BIN=${1:-${KLEMVAR_BIN:-}}
source "$(dirname "$0")/../../support/wayland_session.sh"
kw_require weston busctl

kw_start_weston
kw_start_klemvar
ks_atspi all --timeout 20 "filler=Klemvar" "push button=Wecker stellen" >/dev/null
# With no X server in the session, showing at all means showing as a Wayland client.
ks_check "the main window shows as a Wayland client" kw_showing Klemvar filler

ks_atspi do "in" --role "radio button"
kw_set_value Minuten "spin button" 0
ks_check "0 minutes" test "$(ks_atspi value Minuten --role 'spin button')" = 0
armed=$SECONDS
ks_atspi do "Wecker stellen" --role "push button"
alarm_text() { ks_atspi find "It's time to go!" --role label --timeout 5 >/dev/null; }
ks_check "the alarm window shows" alarm_text
ks_check "within three seconds" test $((SECONDS - armed)) -le 3
ks_check "arming left the main window in view" kw_showing Klemvar filler
no_server() { ! kw_notifications_up; }
ks_check "no notification server was started" no_server
ks_atspi do OK --role "push button"
gone() { ! ks_atspi find "It's time to go!" --role label --timeout 0 >/dev/null 2>&1; }
ks_check "OK closes it" ks_retry 5 gone
ks_check "the program goes on" kw_showing Klemvar filler

ks_finish

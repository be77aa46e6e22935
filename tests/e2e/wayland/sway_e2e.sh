#!/usr/bin/env bash
# Under sway with waybar's tray as StatusNotifierItem host and mako as the
# notification server: the program runs as a Wayland client, its item registers
# with the title, tooltip and icon; "Activate" brings the hidden window back;
# the exported menu holds "Wecker anzeigen" and "Beenden"; a firing alarm maps
# its window and posts one critical notification that OK withdraws; "Beenden"
# through the menu ends the process with status 0, withdrawing the notification
# of an alarm window still open.
KLEMVAR_BIN=${1:-${KLEMVAR_BIN:-}}
source "$(dirname "$0")/../../support/wayland_session.sh"
kw_require sway swaymsg waybar mako makoctl busctl

kw_start_sway
kw_start_waybar
kw_start_mako
kw_start_klemvar
ks_check "the main window maps" kw_wait_window Klemvar 20
ks_check "as a Wayland client" test "$(kw_windows | grep -P '^Klemvar\t' | cut -f2)" = xdg_shell

registered() { [ -n "$(kw_item)" ]; }
ks_check "the item registers with the watcher" ks_retry 10 registered
property() { kw_item_call /StatusNotifierItem org.freedesktop.DBus.Properties Get ss \
  org.kde.StatusNotifierItem "$1"; }
# busctl --json=short: {"type": ..., "data": [reply values]}; a property is one variant.
reply() { "$KS_PYTHON" -c "import json,sys; r=json.load(sys.stdin)['data']; print($1)"; }
json() { reply "r[0]['data']"; }
ks_check "its title is Klemvar" test "$(property Title | json)" = Klemvar
ks_check "its tooltip is Klemvar" test "$(property ToolTip | reply "r[0]['data'][2]")" = Klemvar
ks_check "it carries the icon" test "$(property IconPixmap | reply "len(r[0]['data'])")" -gt 0

ks_atspi all --timeout 15 "push button=Wecker stellen" >/dev/null
ks_atspi do "Wecker stellen" --role "push button"
ks_check "arming hides the main window" kw_wait_gone Klemvar 5
kw_item_call /StatusNotifierItem org.kde.StatusNotifierItem Activate ii 0 0 >/dev/null
ks_check "Activate brings it back" kw_wait_window Klemvar 5
ks_atspi do Aus --role "push button"

menu=$(property Menu | json)
layout() { kw_item_call "$menu" com.canonical.dbusmenu GetLayout iias 0 -1 0; }
labels=$(layout | reply "'|'.join(c['data'][1]['label']['data'] for c in r[1][2])")
ks_check "the menu holds Wecker anzeigen and Beenden" test "$labels" = "Wecker anzeigen|Beenden"

# Mode "in", 0 h 0 min: the alarm falls due at the next tick.
ks_atspi do "in" --role "radio button"
kw_set_value Minuten "spin button" 0
ks_check "0 minutes" test "$(ks_atspi value Minuten --role 'spin button')" = 0
ks_atspi do "Wecker stellen" --role "push button"
ks_check "the alarm window maps" kw_wait_window "Klemvar Weckdienst" 5
ks_check "the main window is back" kw_has_window Klemvar
one_note() { [ "$(kw_notifications | cut -d'|' -f1-3)" = "Klemvar|Klemvar|It's time to go!" ]; }
ks_check "one notification with the alarm text" ks_retry 5 one_note
id=$(kw_notifications | cut -d'|' -f4)
ks_check "critical" test "$(kw_critical)" = "$id"
# One that asks for the server's default expires after it; until then both are listed.
busctl --user call -- org.freedesktop.Notifications /org/freedesktop/Notifications \
  org.freedesktop.Notifications Notify susssasa{sv}i probe 0 "" probe "" 0 0 -1 >/dev/null
ks_check "that does not expire" ks_retry 5 one_note
ks_atspi do OK --role "push button"
ks_check "OK closes the alarm window" kw_wait_gone "Klemvar Weckdienst" 5
no_note() { [ -z "$(kw_notifications)" ]; }
ks_check "and withdraws the notification" ks_retry 5 no_note

ks_atspi do "Wecker stellen" --role "push button"
ks_check "a second alarm posts its own notification" ks_retry 5 one_note
quit=$(layout | reply "[c['data'][0] for c in r[1][2] if c['data'][1]['label']['data'] == 'Beenden'][0]")
kw_item_call "$menu" com.canonical.dbusmenu Event isvu "$quit" clicked i 0 0 >/dev/null
ks_check "Beenden through the menu ends the process with status 0" \
  ks_exits_with "$KLEMVAR_PID" 0
ks_check "and leaves no notification behind" ks_retry 5 no_note

ks_finish

#!/usr/bin/env bash
# A panel and a screensaver that own their names on the session bus but never
# answer, as when they hang: the program maps its main window within 3 s all
# the same, an alarm rings and its OK closes it, and the program ends within
# 3 s, by SIGTERM and, after an alarm window asked for the screensaver's
# inhibit, by "Beenden" in the menu "Datei" (that quit waits for the answer,
# a moment at most). The program is started twice, once for each way to end;
# the times are logged as the script's clock measures them. A third start
# meets a panel whose tray answers at first, so that the icon is made, and
# hangs later: arming then still hides the window into the tray at once.
KLEMVAR_BIN=${1:-${KLEMVAR_BIN:-}}
source "$(dirname "$0")/../../support/session.sh"
here=$(cd "$(dirname "$0")" && pwd)
sink=klemvar_hung
limit=3

now() { date +%s.%N; }
seconds_since() { awk -v from="$1" -v to="$(now)" 'BEGIN { printf "%.2f\n", to - from }'; }
at_most() { awk -v t="$1" -v limit="$2" 'BEGIN { exit !(t <= limit) }'; }

ks_start_xvfb
ks_start_pulse "$sink"
"$KS_PYTHON" "$here/hung_services.py" org.kde.StatusNotifierWatcher org.freedesktop.ScreenSaver \
  >"$KS_TMP/hung.log" 2>&1 &
hung=$!
ks_track "$hung"
ks_retry 10 grep -qs ready "$KS_TMP/hung.log"

# Starts the program, waits for its main window (longer than allowed, so that
# a late window is still measured) and sets MAIN.
start() {
  local run=$1 from mapped
  from=$(now)
  ks_start_klemvar
  MAIN=$(ks_wait_window Klemvar 20) || MAIN=
  mapped=$(seconds_since "$from")
  if [ -n "$MAIN" ]; then
    ks_log "$run: the main window mapped after $mapped s"
  else
    ks_log "$run: no main window after $mapped s"
  fi
  ks_check "$run: the main window maps within $limit s" mapped_in_time "$mapped"
  [ -n "$MAIN" ] && return 0
  ks_stop "$KLEMVAR_PID"  # its window, were it to come, would be taken for the next one's
  return 1
}
mapped_in_time() { [ -n "$MAIN" ] && at_most "$1" $limit; }

# The alarm's window holds the screensaver's inhibit while it is shown.
ring_and_close() {
  local run=$1 alarm
  ks_atspi all --timeout 15 "push button=Wecker stellen" "check box=Läuten" >/dev/null
  ks_set_ring_due_now "$MAIN" "$run"
  ks_atspi do "Wecker stellen" --role "push button"
  alarm=$(ks_wait_window "Klemvar Weckdienst" 10) || alarm=
  ks_check "$run: the alarm window opens" test -n "$alarm"
  [ -n "$alarm" ] || return 0
  ks_check "$run: the alarm rings" ks_retry 5 ks_ring_streams_are 1
  xdotool windowfocus --sync "$alarm" key Return  # OK has the focus
  ks_check "$run: OK closes the alarm window" ks_wait_unmapped "$alarm" 5
  ks_check "$run: and ends the ring" ks_retry 5 ks_ring_streams_are 0
}

# Waits (longer than allowed) for the program to end, measured from FROM on,
# and checks its exit status; stops it when it does not end.
ended() {
  local run=$1 from=$2 status=$3 took
  if ks_wait_exit "$KLEMVAR_PID" 40; then
    took=$(seconds_since "$from")
    ks_log "$run: the program ended after $took s with status $KS_EXIT_STATUS"
    ks_check "$run: the program ends with status $status" test "$KS_EXIT_STATUS" = "$status"
  else
    took=$(seconds_since "$from")
    ks_stop "$KLEMVAR_PID"
  fi
  ks_check "$run: the program ends within $limit s" at_most "$took" $limit
}

shown_windows() { ks_windows_of "$KLEMVAR_PID" | wc -l; }
more_windows_than() { [ "$(shown_windows)" -gt "$1" ]; }

if start sigterm; then
  ring_and_close sigterm
  from=$(now)
  kill -TERM "$KLEMVAR_PID"
  ended sigterm "$from" 143
fi

if start beenden; then
  ring_and_close beenden
  # The clock starts once the menu is open, at the click on its item.
  before=$(shown_windows)
  read -r x y < <(ks_atspi centre Datei --role "menu item")
  xdotool mousemove "$x" "$y" click 1
  ks_check "beenden: a click on Datei opens the menu" ks_retry 5 more_windows_than "$before"
  read -r x y < <(ks_atspi centre Beenden --role "menu item")
  from=$(now)
  xdotool mousemove "$x" "$y" click 1
  ended beenden "$from" 0
fi

ks_stop "$hung"
"$KS_PYTHON" "$here/freezing_watcher.py" >"$KS_TMP/watcher.log" 2>&1 &
watcher=$!
ks_track "$watcher"
ks_retry 10 grep -qs ready "$KS_TMP/watcher.log"
icon_registered() {
  busctl --user get-property org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems 2>/dev/null | grep -qv '^as 0$'
}
if start frozen; then
  ks_check "frozen: the icon registers with the panel's watcher" ks_retry 10 icon_registered
  kill -USR1 "$watcher"
  ks_retry 5 grep -qs frozen "$KS_TMP/watcher.log"
  from=$(now)
  ks_atspi do "Wecker stellen" --role "push button"
  ks_check "frozen: arming hides the window into the tray within $limit s" \
    ks_wait_unmapped "$MAIN" $limit
  ks_log "frozen: the window was hidden after $(seconds_since "$from") s"
fi

ks_finish

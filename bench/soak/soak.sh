#!/usr/bin/env bash
# Soak: the real program under Xvfb with an interval alarm of 0 h 0 min, repeat
# on, the ring on and close-after 1 s, so an alarm window opens every second,
# for SOAK_SECONDS (default 60; 600 for the long run by hand).
#
# All open alarm windows share one close moment, which the newest window sets,
# and the alarm fires again at every tick, before the older windows' timers
# look at that moment: so while the alarm keeps firing, its windows stay open.
# Every SOAK_CYCLE seconds (default 10) the soak therefore disarms with "&Aus",
# waits for all of them to close together at the last close moment, reads the
# resident memory and arms again. Memory is compared between those quiet
# points: the first one after the first minute (the first one in runs of two
# minutes or less) and the last one.
#
# Prints the figures, the alarm windows opened, and the windows and audio
# streams that remain. Fails only on clear faults: the program died, windows
# (hidden or not) remain after a close moment, or the ring is left playing.
#
# usage: bench/soak/soak.sh [PROGRAM]   (default: build/default/src/klemvar)
root=$(cd "$(dirname "$0")/../.." && pwd)
KLEMVAR_BIN=$(realpath "${1:-${KLEMVAR_BIN:-$root/build/default/src/klemvar}}")
SOAK_SECONDS=${SOAK_SECONDS:-60}
SOAK_CYCLE=${SOAK_CYCLE:-10}
export KLEMVAR_BIN
source "$root/tests/support/session.sh"
sink=klemvar_soak

rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
all_windows() { xdotool search --pid "$1" 2>/dev/null | wc -l; }
alarm_windows() { xdotool search --onlyvisible --name '^Klemvar Weckdienst$' 2>/dev/null | wc -l; }
no_alarm_window() { [ "$(alarm_windows)" = 0 ]; }

# Disarms, lets every alarm window close, and checks that nothing is left over.
quiet_point() {
  ks_atspi do "Aus" --role "push button" >/dev/null || true
  # Each is given the time a close takes to reach the X server and the sound
  # server: only what is still there after it is left over.
  ks_retry 5 no_alarm_window || leftovers=$((leftovers + 1))
  ks_retry 5 few_windows || leftovers=$((leftovers + 1))
  ks_retry 5 no_stream || leftovers=$((leftovers + 1))
  quiet_rss=$(rss_kib "$KLEMVAR_PID")
}

streams() { pactl list sink-inputs | grep -c "application.process.id = \"$1\"" || true; }
few_windows() { [ "$(all_windows "$KLEMVAR_PID")" -le $((windows_before + 1)) ]; }
no_stream() { [ "$(streams "$KLEMVAR_PID")" = 0 ]; }

ks_start_xvfb
ks_start_pulse "$sink"
ks_start_klemvar
main=$(ks_wait_window Klemvar 20)

ks_atspi do "Läuten" --role "check box"
ks_atspi do "Weckzeit wiederholen" --role "check box"
ks_atspi do "in" --role "radio button"
ks_atspi do "Minuten" --role "spin button" --action SetFocus
xdotool windowfocus --sync "$main" key Down
ks_atspi do "Schließen" --role "spin button" --action SetFocus
xdotool windowfocus --sync "$main" key ctrl+a type 1
xdotool windowfocus --sync "$main" key Tab
ks_check "0 hours" test "$(ks_atspi value Stunden --role 'spin button')" = 0
ks_check "0 minutes" test "$(ks_atspi value Minuten --role 'spin button')" = 0
ks_check "close after 1 s" test "$(ks_atspi value Schließen --role 'spin button')" = 1

windows_before=$(all_windows "$KLEMVAR_PID")
ks_atspi do "Wecker stellen" --role "push button"
ks_check "the first alarm window opens" ks_wait_window "Klemvar Weckdienst" 5 >/dev/null
start=$SECONDS
warmup=$((SOAK_SECONDS > 120 ? 60 : 0))
rss_first=
leftovers=0
quiet_points=0
peak_rss=0

# Counts the alarm windows that open: a window id not seen before.
declare -A seen=()
opened=0
max_all=0
cycle_start=$SECONDS
while [ $((SECONDS - start)) -lt "$SOAK_SECONDS" ] && kill -0 "$KLEMVAR_PID" 2>/dev/null; do
  for id in $(xdotool search --onlyvisible --name '^Klemvar Weckdienst$' 2>/dev/null); do
    [ -n "${seen[$id]:-}" ] || { seen[$id]=1; opened=$((opened + 1)); }
  done
  n=$(all_windows "$KLEMVAR_PID")
  [ "$n" -gt "$max_all" ] && max_all=$n
  rss=$(rss_kib "$KLEMVAR_PID")
  [ "$rss" -gt "$peak_rss" ] && peak_rss=$rss
  if [ $((SECONDS - cycle_start)) -ge "$SOAK_CYCLE" ]; then
    quiet_point
    quiet_points=$((quiet_points + 1))
    [ -z "$rss_first" ] && [ $((SECONDS - start)) -ge "$warmup" ] && rss_first=$quiet_rss
    ks_atspi do "Wecker stellen" --role "push button" >/dev/null
    cycle_start=$SECONDS
  fi
  sleep 0.25
done

ks_check "the program is still running" kill -0 "$KLEMVAR_PID"
quiet_point
quiet_points=$((quiet_points + 1))
[ -n "$rss_first" ] || rss_first=$quiet_rss
windows_after=$(all_windows "$KLEMVAR_PID")
echo "soak: ${SOAK_SECONDS} s, alarm windows opened: $opened, quiet points: $quiet_points"
echo "soak: resident memory with no alarm window open: first ${rss_first} KiB," \
  "last ${quiet_rss} KiB, growth $((quiet_rss - rss_first)) KiB; peak ${peak_rss} KiB"
echo "soak: windows of the program before: $windows_before, most during: $max_all," \
  "after: $windows_after; alarm windows open: $(alarm_windows);" \
  "audio streams: $(streams "$KLEMVAR_PID"); quiet points with leftovers: $leftovers"
ks_check "alarm windows kept opening" test "$opened" -ge $((SOAK_SECONDS / 4))
ks_check "no windows left over at any quiet point" test "$leftovers" = 0
ks_check "no windows pile up" test "$windows_after" -le $((windows_before + 1))
ks_check "no alarm window left open" test "$(alarm_windows)" = 0
ks_check "the ring is not left playing" test "$(streams "$KLEMVAR_PID")" = 0
ks_finish

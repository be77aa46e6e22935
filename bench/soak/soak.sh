#!/usr/bin/env bash
# Soak: the real program under Xvfb with an interval alarm of 0 h 0 min, repeat
# on, the ring on and close-after 1 s, so an alarm window opens and closes every
# second for SOAK_SECONDS (default 60; 600 for the long run by hand).
#
# All open alarm windows share one close moment, which the newest window sets,
# and the alarm fires again at every tick, before the older windows' timers
# look at that moment: so while the alarm keeps firing, every window stays
# open. The soak then disarms with "&Aus", and all of them must close together
# at the last close moment.
#
# Prints resident memory at the start (after the first minute when the run is
# longer than two), at the end of the firing and once the windows have closed,
# the alarm windows opened, and the windows and audio streams that remain.
# Fails only on clear faults: the program died, windows (hidden or not) remain
# after the last close moment, or the ring is left playing.
#
# usage: bench/soak/soak.sh [PROGRAM]   (default: build/default/src/klemvar)
root=$(cd "$(dirname "$0")/../.." && pwd)
KLEMVAR_BIN=$(realpath "${1:-${KLEMVAR_BIN:-$root/build/default/src/klemvar}}")
SOAK_SECONDS=${SOAK_SECONDS:-60}
export KLEMVAR_BIN
source "$root/tests/support/session.sh"
sink=klemvar_soak

rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
all_windows() { xdotool search --pid "$1" 2>/dev/null | wc -l; }
alarm_windows() { xdotool search --onlyvisible --name '^Klemvar Weckdienst$' 2>/dev/null | wc -l; }
streams() { pactl list sink-inputs | grep -c "application.process.id = \"$1\"" || true; }

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
rss_start=$(rss_kib "$KLEMVAR_PID")
start=$SECONDS
warmup=$((SOAK_SECONDS > 120 ? 60 : 0))

# Counts the alarm windows that open: a window id not seen before.
declare -A seen=()
opened=0
max_all=0
while [ $((SECONDS - start)) -lt "$SOAK_SECONDS" ] && kill -0 "$KLEMVAR_PID" 2>/dev/null; do
  for id in $(xdotool search --onlyvisible --name '^Klemvar Weckdienst$' 2>/dev/null); do
    [ -n "${seen[$id]:-}" ] || { seen[$id]=1; opened=$((opened + 1)); }
  done
  n=$(all_windows "$KLEMVAR_PID")
  [ "$n" -gt "$max_all" ] && max_all=$n
  if [ -n "${SOAK_TRACE:-}" ]; then
    for id in $(xdotool search --pid "$KLEMVAR_PID" 2>/dev/null); do
      echo -n "$id:$(ks_map_state "$id"):$(xdotool getwindowname "$id" 2>/dev/null) "
    done
    echo
  fi
  if [ "$warmup" -gt 0 ] && [ $((SECONDS - start)) -ge "$warmup" ]; then
    rss_start=$(rss_kib "$KLEMVAR_PID")
    warmup=0
  fi
  sleep 0.25
done

ks_check "the program is still running" kill -0 "$KLEMVAR_PID"
rss_end=$(rss_kib "$KLEMVAR_PID")
# Disarm, then let the last alarm window close by itself.
ks_atspi do "Aus" --role "push button" || true
sleep 2.5
rss_closed=$(rss_kib "$KLEMVAR_PID")
windows_after=$(all_windows "$KLEMVAR_PID")
echo "soak: ${SOAK_SECONDS} s, alarm windows opened: $opened"
echo "soak: resident memory at the start: ${rss_start} KiB, at the end: ${rss_end} KiB," \
  "growth: $((rss_end - rss_start)) KiB; with the windows closed: ${rss_closed} KiB"
echo "soak: windows of the program before: $windows_before, most during: $max_all," \
  "after: $windows_after; alarm windows open: $(alarm_windows); audio streams: $(streams "$KLEMVAR_PID")"
ks_check "alarm windows kept opening" test "$opened" -ge $((SOAK_SECONDS / 4))
ks_check "no windows pile up" test "$windows_after" -le $((windows_before + 1))
ks_check "no alarm window left open" test "$(alarm_windows)" = 0
ks_check "the ring is not left playing" test "$(streams "$KLEMVAR_PID")" = 0
ks_finish

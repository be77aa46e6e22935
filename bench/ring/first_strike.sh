#!/usr/bin/env bash
# First strike: the real program under Xvfb fires 10 alarms with "Läuten", with
# the machine idle or both cores saturated by stress-ng, and for each the delay
# from its alarm window's mapping, and from the press that armed it, to the
# bell's first strike reaching the sink (PulseAudio, PipeWire) or the card (ALSA
# alone, through the file plugin into strike_watch.py) is measured. An alarm
# whose strike does not come within 10 s is reported and left out. The window
# mapping is the X server's MapNotify as map_watch.py receives it; the sink's
# monitor adds its few milliseconds of latency to the strike.
# A benchmark, not a test: it prints the figures and asserts nothing.
#
# usage: bench/ring/first_strike.sh pulse|pipewire|alsa idle|load [PROGRAM]
root=$(cd "$(dirname "$0")/../.." && pwd)
here=$root/tests/e2e/ring  # the watchers and the ALSA card are the ring test's
path=${1:?pulse, pipewire or alsa}
load=${2:?idle or load}
KLEMVAR_BIN=$(realpath "${3:-${KLEMVAR_BIN:-$root/build/default/src/klemvar}}")
ALARMS=${ALARMS:-10}
export KLEMVAR_BIN
source "$root/tests/support/session.sh"
ks_require stress-ng xdotool
sink=klemvar_ring

alarm_window() { xdotool search --onlyvisible --name '^Klemvar Weckdienst$' 2>/dev/null | head -n1; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# A silent stream keeps the sink running, and the monitor is read live.
watch_sink() {
  pacat --playback --latency-msec=20 --format=s16le --channels=1 --rate=44100 </dev/zero &
  ks_track $!
  parec --raw --latency-msec=5 --device="$sink.monitor" --rate=44100 --channels=1 \
    --format=s16le | "$KS_PYTHON" "$here/strike_watch.py" >"$KS_TMP/strikes" &
  ks_track $!
}

ks_start_xvfb
case $path in
  pulse)
    ks_start_pulse "$sink"
    watch_sink
    ;;
  pipewire)
    ks_start_pipewire
    export PULSE_SINK=$sink
    pactl load-module module-null-sink sink_name="$sink" >/dev/null
    ks_retry 10 pactl list short sinks | grep -q "$sink"
    watch_sink
    ;;
  alsa)
    ks_pulse_env "$sink"  # no server there
    sed "s|@FIFO@|$KS_TMP/card.fifo|" "$here/alsa_card.conf" >"$KS_TMP/asound.conf"
    export ALSA_CONFIG_PATH=$KS_TMP/asound.conf
    "$KS_PYTHON" "$here/strike_watch.py" --fifo "$KS_TMP/card.fifo" >"$KS_TMP/strikes" &
    ks_track $!
    ;;
esac

"$here/map_watch.py" >"$KS_TMP/maps" &
ks_track $!
ks_retry 20 grep -q listening "$KS_TMP/strikes"
ks_start_klemvar
main=$(ks_wait_window Klemvar 20)
ks_atspi do "Läuten" --role "check box"
ks_atspi do "in" --role "radio button"
ks_atspi do "Minuten" --role "spin button" --action SetFocus
xdotool windowfocus --sync "$main" key Down
read -r bx by < <(ks_atspi centre "Wecker stellen" --role "push button")

if [ "$load" = load ]; then
  stress-ng --cpu 2 --timeout 0 --quiet &
  ks_track $!
  sleep 2
fi

first_strike_after() { awk -v t="$1" '$1 == "strike" && $2 > t { print $2; exit }' "$KS_TMP/strikes"; }

from_map=()
for i in $(seq "$ALARMS"); do
  sleep "$((2 + RANDOM % 2)).$(printf '%03d' $((RANDOM % 1000)))"
  start=$(now_ms)
  xdotool mousemove "$bx" "$by" click 1
  until id=$(alarm_window) && [ -n "$id" ]; do sleep 0.02; done
  mapped=$(awk -v w="$((id))" '$1 == "map" && $3 == w { t = $2 } END { print t }' "$KS_TMP/maps")
  if ! ks_retry 10 test -n "$(first_strike_after "$start")"; then
    echo "alarm $i: no strike within 10 s"
    [ "$path" = alsa ] || pactl list sink-inputs | grep -E "Corked|Mute|Volume: mono|process.id|Sink:" >&2
    ks_xtool close "$id"
    continue
  fi
  strike=$(first_strike_after "$start")
  from_map+=($((strike - mapped)))
  echo "alarm $i: press to strike $((strike - start)) ms, window mapped to strike $((strike - mapped)) ms"
  xdotool windowfocus --sync "$id" key Return  # OK has the focus
  ks_wait_unmapped "$id" 5 || echo "alarm $i: its window is still open after OK"
done
sorted=$(printf '%s\n' "${from_map[@]}" | sort -n)
echo "$path, $load: window mapped to first strike, median" \
  "$(echo "$sorted" | awk '{ a[NR] = $1 } END { print (NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2) }') ms," \
  "worst $(echo "$sorted" | tail -n1) ms"
ks_cleanup

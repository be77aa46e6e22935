#!/usr/bin/env bash
# The bell survives its sound server. The program under Xvfb rings into a
# PulseAudio null sink while the server comes and goes:
#
#   restart   ringing, the server is killed and a new one started: the bell is
#             back at its level within 3 s of the new server's start
#   late      no server when the alarm fires, one started once the program has
#             found none: the bell sounds within 3 s of its start
#   none      no server at all: while the alarm window waits, the program uses
#             about the CPU time of its idle tick and logs the loss once
#
# In the first two, OK then leaves digital silence. A recording of the sink's
# monitor can only start once a server is there, so it starts with the new one,
# before the program can reach that.
#
# usage: KLEMVAR_BIN=path/to/klemvar server_test.sh restart|late|none
source "$(dirname "$0")/../../support/session.sh"
here=$(cd "$(dirname "$0")" && pwd)
scenario=${1:?restart, late or none}
sink=klemvar_ring

# No sound card, whatever the machine has: the program waits for the server
# rather than ringing on ALSA.
printf 'pcm.!default { type hw card 99 }\n' >"$KS_TMP/asound.conf"
export ALSA_CONFIG_PATH=$KS_TMP/asound.conf

sink_plays() { pactl list short sinks | grep "^[0-9]*[[:space:]]$sink[[:space:]]" | grep -q RUNNING; }
ring_lost() { grep -q '^klemvar.ring:' "$KS_TMP/klemvar.log"; }

set_up_alarm() {
  main=$(ks_wait_window Klemvar 20)
  ks_set_ring_due_now "$main"
}

fire_alarm() {
  ks_atspi do "Wecker stellen" --role "push button"
  alarm=$(ks_wait_window "Klemvar Weckdienst" 5)
}

now() { date +%s.%N; }
since() { awk -v a="$(now)" -v b="$1" 'BEGIN { printf "%.3f\n", a - b }'; }

# Starts the server and records its sink, a silent stream keeping the sink
# running so that the recording has no gaps. The first two seconds or so of a
# new recording never reach the file, so the program can reach the server only
# once the recording runs: the server is there for it from the moment its
# socket opens, at server_start.
start_server_and_record() {
  ks_start_pulse_closed "$sink"
  pacat --playback --latency-msec=20 --format=s16le --channels=1 --rate=44100 </dev/zero &
  ks_track $!
  parecord --latency-msec=20 --device="$sink.monitor" --channels=1 --rate=44100 \
    --format=s16le --file-format=wav "$KS_TMP/ring.wav" &
  recorder=$!
  ks_track "$recorder"
  ks_retry 10 recording_runs
  server_start=$(now)
  ks_open_pulse
}

# More than a header and a tenth of a second of samples.
recording_runs() { [ "$(stat -c %s "$KS_TMP/ring.wav" 2>/dev/null || echo 0)" -gt 8864 ]; }

# Waits until the recording holds a whole round of the bell (its first loop
# seam), presses OK and records 1.5 s more, then measures the recording.
ok_then_measure() {
  ks_check "the ring plays into the new server" ks_retry 4 ks_ring_streams_are 1
  ks_log "ring stream seen after $(since "$server_start") s"
  ks_check "a whole round recorded" "$KS_PYTHON" "$here/measure_ring.py" --wait-seams 1 "$KS_TMP/ring.wav"
  xdotool windowfocus --sync "$alarm" key Return  # OK has the focus
  ks_check "OK closes the alarm window" ks_wait_unmapped "$alarm" 5
  ks_check "the ring's stream is gone after OK" ks_retry 3 ks_ring_streams_are 0
  ks_check "1.5 s more recorded" "$KS_PYTHON" "$here/measure_ring.py" --wait-grown 1.5 "$KS_TMP/ring.wav"
  local end
  end=$(since "$server_start")
  kill -INT "$recorder"
  wait "$recorder" || true
  ks_check "the bell is back within 3 s at its level, then silence" \
    "$KS_PYTHON" "$here/measure_return.py" --end "$end" --within 3 --silent-tail 1.0 \
    "$KS_TMP/ring.wav"
}

ks_start_xvfb
case $scenario in
  restart)
    ks_start_pulse "$sink"
    ks_start_klemvar
    set_up_alarm
    fire_alarm
    ks_check "the ring plays" ks_retry 5 ks_ring_streams_are 1
    ks_retry 5 sink_plays
    ks_kill_pulse
    ks_check "the program sees the server go" ks_retry 5 ring_lost
    start_server_and_record
    ok_then_measure
    ;;
  late)
    ks_pulse_env "$sink"
    ks_start_klemvar
    set_up_alarm
    fire_alarm
    ks_check "the program finds no server" ks_retry 5 ring_lost
    start_server_and_record
    ok_then_measure
    ;;
  none)
    ks_pulse_env "$sink"
    ks_start_klemvar
    set_up_alarm
    idle_cpu=$(ks_cpu_ms "$KLEMVAR_PID")
    idle_threads=$(ks_threads_cpu_ms "$KLEMVAR_PID")
    sleep 5
    idle_cpu=$(($(ks_cpu_ms "$KLEMVAR_PID") - idle_cpu))
    idle_threads=$(($(ks_threads_cpu_ms "$KLEMVAR_PID") - idle_threads))
    fire_alarm
    ks_retry 5 ring_lost
    wait_cpu=$(ks_cpu_ms "$KLEMVAR_PID")
    wait_threads=$(ks_threads_cpu_ms "$KLEMVAR_PID")
    sleep 5
    wait_cpu=$(($(ks_cpu_ms "$KLEMVAR_PID") - wait_cpu))
    wait_threads=$(($(ks_threads_cpu_ms "$KLEMVAR_PID") - wait_threads))
    ks_log "CPU over 5 s: idle ${idle_cpu} ms (threads ${idle_threads} ms)," \
      "alarm window waiting without a server ${wait_cpu} ms (threads ${wait_threads} ms)"
    # A busy loop would take most of the 5000 ms; the idle tick takes a few.
    ks_check "no busy loop while waiting for a server" test "$wait_cpu" -le 250
    ks_check "no busy loop in the live threads" test "$wait_threads" -le 250
    ks_check "the loss is logged once, not per retry" \
      test "$(grep -c '^klemvar.ring:' "$KS_TMP/klemvar.log")" = 1
    xdotool windowfocus --sync "$alarm" key Return
    ks_check "OK closes the alarm window" ks_wait_unmapped "$alarm" 5
    ;;
  *)
    echo "unknown scenario $scenario" >&2
    exit 2
    ;;
esac
ks_finish

#!/usr/bin/env bash
# An alarm that fires while the update question waits for an answer can be
# dismissed: its OK takes a real click and the bell stops, while the question
# stays open.
#
# The alarm is armed "um" the preset time, the time of day at the start, which
# has passed and so falls tomorrow; libfaketime then moves the program's wall
# clock on by a day while the question is open.
#
# usage: alarm_over_question_e2e.sh PROGRAM
KLEMVAR_BIN=${1:-${KLEMVAR_BIN:-}}
source "$(dirname "$0")/../../support/session.sh"
ks_require Xvfb xdotool xwininfo pulseaudio pactl
libfaketime=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
[ -e "$libfaketime" ] || { ks_log "missing $libfaketime"; exit 77; }

# The question's buttons are looked for by their English names.
export LC_ALL=C.UTF-8
export XDG_CACHE_HOME=$KS_TMP/cache
preload=$libfaketime
asan=$(ldd "$KLEMVAR_BIN" | awk '/libasan/ { print $3 }')
[ -n "$asan" ] && preload=$asan:$libfaketime

# The shifted clock reaches the program alone; the offset is read anew at
# every reading, from a file the test rewrites.
offset_file=$KS_TMP/faketime
echo "+0" >"$offset_file"
shifted=$KS_TMP/klemvar-shifted
cat >"$shifted" <<WRAPPER
#!/bin/sh
exec env LD_PRELOAD=$preload FAKETIME_TIMESTAMP_FILE=$offset_file FAKETIME_NO_CACHE=1 \\
  FAKETIME_DONT_FAKE_MONOTONIC=1 DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1 "$KLEMVAR_BIN" "\$@"
WRAPPER
chmod +x "$shifted"

ringing() { [ -n "$(pactl list short sink-inputs)" ]; }
silent() { ! ringing; }

ks_start_xvfb
ks_start_pulse alarm
KLEMVAR_BIN=$shifted ks_start_klemvar
ks_wait_window Klemvar 20 >/dev/null
ks_atspi all --timeout 15 "push button=Wecker stellen" "check box=Läuten" >/dev/null
ks_atspi do "Läuten" --role "check box"
ks_atspi do "Wecker stellen" --role "push button"
aus_enabled() { ks_atspi find Aus --role "push button" | grep -w enabled >/dev/null; }
ks_check "armed" ks_retry 5 aus_enabled

ks_ask_for_update
question=$(ks_find_window "Update suchen")
echo "+1d" >"$offset_file"
alarm=$(ks_wait_window "Klemvar Weckdienst" 10)
ks_check "the bell rings" ks_retry 10 ringing

read -r x y < <(ks_atspi centre OK --role "push button")
xdotool mousemove "$x" "$y" click 1
ks_check "a click on OK closes the alarm window" ks_wait_unmapped "$alarm" 5
ks_check "the bell stops" ks_retry 5 silent
ks_check "the question is still open" test "$(ks_map_state "$question")" = IsViewable
ks_check "the program goes on" kill -0 "$KLEMVAR_PID"

ks_finish

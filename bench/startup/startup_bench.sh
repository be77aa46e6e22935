#!/usr/bin/env bash
# Start-up and idle costs of the real program under Xvfb, with trayer as the
# tray host and accessibility off. Prints the medians of:
#   - the time from exec to the mapped main window      (MAP_RUNS runs, default 7)
#   - PSS (proportional resident memory) 10 s after start (RUNS runs, default 3)
#   - CPU time over 60 s while armed and hidden         (same runs)
# Takes about RUNS x 75 s. A measurement, not a test: it asserts nothing.
# Usage: bench/startup/startup_bench.sh [PROGRAM]   (default: build/default/src/klemvar)
root=$(cd "$(dirname "$0")/../.." && pwd)
KLEMVAR_BIN=$(realpath "${1:-$root/build/default/src/klemvar}")
MAP_RUNS=${MAP_RUNS:-7}
RUNS=${RUNS:-3}
IDLE_SECONDS=${IDLE_SECONDS:-60}
source "$root/tests/support/session.sh"

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# Starts the program; sets PID and MAP_MS, the milliseconds to its mapped window.
start_timed() {
  local line
  line=$(env QT_QPA_PLATFORM=xcb "$KS_PYTHON" "$root/bench/startup/map_time.py" Klemvar "$KLEMVAR_BIN")
  PID=${line% *}
  MAP_MS=${line#* }
  ks_track "$PID"
}

stop_program() {
  ks_xtool close "$1"
  ks_retry 10 ks_gone "$PID" || kill -KILL "$PID" 2>/dev/null || true
}

pss_kib() { awk '/^Pss:/ {print $2}' "/proc/$1/smaps_rollup"; }

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

ks_start_xvfb
ks_start_tray
hz=$(getconf CLK_TCK)

map_times=()
for ((i = 1; i <= MAP_RUNS; i++)); do
  start_timed
  map_times+=("$MAP_MS")
  stop_program "$(ks_wait_window Klemvar 10)"
done

pss=()
cpu=()
for ((i = 1; i <= RUNS; i++)); do
  start_timed
  started=$SECONDS
  window=$(ks_wait_window Klemvar 10)
  sleep $((10 - (SECONDS - started)))
  pss+=("$(pss_kib "$PID")")
  xdotool windowfocus --sync "$window" key alt+w
  ks_wait_unmapped "$window" 5 || { echo "arming did not hide the window" >&2; exit 1; }
  before=$(cpu_ticks "$PID")
  sleep "$IDLE_SECONDS"
  after=$(cpu_ticks "$PID")
  cpu+=("$(awk -v t=$((after - before)) -v hz="$hz" 'BEGIN {printf "%.0f", t * 1000 / hz}')")
  stop_program "$window"
done

echo "program: $KLEMVAR_BIN"
echo "exec to mapped window: median $(printf '%s\n' "${map_times[@]}" | median) ms (runs: ${map_times[*]})"
echo "PSS 10 s after start:  median $(printf '%s\n' "${pss[@]}" | median) KiB (runs: ${pss[*]})"
echo "CPU over ${IDLE_SECONDS} s armed and hidden: median $(printf '%s\n' "${cpu[@]}" | median) ms (runs: ${cpu[*]})"

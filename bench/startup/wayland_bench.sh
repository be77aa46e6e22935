#!/usr/bin/env bash
# Start-up under Wayland: the time from exec to the first mapped window under
# sway (headless, software rendering), for the program and, in the same run and
# taking turns with it, for the bare Qt 6 window of the X11 section
# (bench/startup/bare_window.cpp). No tray
# and no notification server; accessibility off. Prints both medians over RUNS
# runs (default 7). A measurement, not a test: it asserts nothing.
# Usage: bench/startup/wayland_bench.sh [KLEMVAR [BARE_WINDOW]]
#   defaults: build/default/src/klemvar, build/default/bench/startup/klemvar_bare_window
root=$(cd "$(dirname "$0")/../.." && pwd)
KLEMVAR_BIN=$(realpath "${1:-${KLEMVAR_BIN:-$root/build/default/src/klemvar}}")
BARE_BIN=$(realpath "${2:-${BARE_BIN:-$root/build/default/bench/startup/klemvar_bare_window}}")
RUNS=${RUNS:-7}
if [ ! -x "$KLEMVAR_BIN" ] || [ ! -x "$BARE_BIN" ]; then
  echo "build the programs first" >&2
  exit 1
fi
export KLEMVAR_BIN BARE_BIN RUNS KW_CARRY=BARE_BIN
source "$root/tests/support/wayland_session.sh"
kw_require sway swaymsg

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# Prints the milliseconds to the first mapped window of PROGRAM, then stops it.
map_ms() {
  local line pid
  line=$("$KS_PYTHON" "$root/bench/startup/wayland_map_time.py" "$@") || return 1
  pid=${line% *}
  kill -TERM "$pid" 2>/dev/null
  ks_retry 10 ks_gone "$pid" || kill -KILL "$pid" 2>/dev/null || true
  echo "${line#* }"
}

kw_start_sway
# One start of each first, unmeasured, so that both find the libraries and fonts cached.
map_ms "$BARE_BIN" >/dev/null
map_ms "$KLEMVAR_BIN" >/dev/null
bare=() ours=()
for _ in $(seq "$RUNS"); do
  bare+=("$(map_ms "$BARE_BIN")")
  ours+=("$(map_ms "$KLEMVAR_BIN")")
done
echo "sway headless, exec to first mapped window, median of $RUNS runs:"
echo "  Klemvar:          $(printf '%s\n' "${ours[@]}" | median) ms  (${ours[*]})"
echo "  bare Qt 6 window: $(printf '%s\n' "${bare[@]}" | median) ms  (${bare[*]})"

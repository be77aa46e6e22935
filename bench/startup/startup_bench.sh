#!/usr/bin/env bash
# Start-up and resident costs of Klemvar beside a bare Qt 6 Widgets window (the
# toolkit's floor, bench/startup/bare_window.cpp), the same window with one
# line of text (bench/startup/label_window.cpp: what the first text costs any
# program) and a plain Qt program with the main window's kinds of controls and
# a tray icon (bench/startup/plain_program.cpp: what any program like Klemvar
# costs), the four started in turn in the same run. Every start gets a fresh
# session bus, a fresh HOME and accessibility off. Printed per program, as medians:
#   - exec to mapped window: the first new viewable top-level window of at least
#     40 x 40 pixels, polled every 5 ms (x11_map_time.py), and the CPU time the
#     program had used by then (less distorted than the wall time when the
#     machine is busy);
#   - PSS (proportional set size) SETTLE_SECONDS after the exec, and beside it
#     the resident set size: PSS splits each shared page among all processes
#     mapping it, so on a machine that runs other Qt programs at the same time
#     it moves with them, while RSS does not;
#   - CPU time and wakeups over IDLE_SECONDS right after that, per minute, from
#     /proc/PID/task/*/schedstat summed over the threads (on-CPU nanoseconds
#     and run counts; clock ticks are far too coarse here). Klemvar is armed
#     for the current minute, which is tomorrow's, and hidden; the other
#     programs stay shown (the plain program's clock ticks in view).
# and Klemvar's ratios to each of the others.
#
# A benchmark, not a test: it prints figures and asserts nothing. The full
# protocol (the defaults) takes about ROUNDS x 5 minutes; for a quick look:
#   ROUNDS=1 MAP_RUNS=3 IDLE_SECONDS=10 bench/startup/startup_bench.sh
#
# usage: bench/startup/startup_bench.sh [KLEMVAR [BARE_WINDOW [LABEL_WINDOW [PLAIN_PROGRAM]]]]
#   defaults: build/default/src/klemvar and, in build/default/bench/startup/,
#   klemvar_bare_window, klemvar_label_window and klemvar_plain_program
# environment:
#   ROUNDS          full starts per program: map time, PSS, idle (default 3)
#   MAP_RUNS        further starts per program for the map time only (default 6)
#   SETTLE_SECONDS  from exec to the PSS reading (default 10)
#   IDLE_SECONDS    idle measurement (default 60)
#
# Each display server is one section (a function that starts the server, runs
# the starts through measure_start and prints its table with report). Wayland
# follows as a column of its own, exec to the first mapped window under sway
# headless (wayland_bench.sh), where sway is installed.
root=$(cd "$(dirname "$0")/../.." && pwd)
KLEMVAR_BIN=$(realpath "${1:-$root/build/default/src/klemvar}")
BARE_BIN=$(realpath "${2:-$root/build/default/bench/startup/klemvar_bare_window}")
LABEL_BIN=$(realpath "${3:-$root/build/default/bench/startup/klemvar_label_window}")
PLAIN_BIN=$(realpath "${4:-$root/build/default/bench/startup/klemvar_plain_program}")
ROUNDS=${ROUNDS:-3}
MAP_RUNS=${MAP_RUNS:-6}
SETTLE_SECONDS=${SETTLE_SECONDS:-10}
IDLE_SECONDS=${IDLE_SECONDS:-60}
export KLEMVAR_BIN
source "$root/tests/support/session.sh"
ks_require Xvfb trayer xdotool dbus-daemon
if [ ! -x "$KLEMVAR_BIN" ] || [ ! -x "$BARE_BIN" ] || [ ! -x "$LABEL_BIN" ] ||
  [ ! -x "$PLAIN_BIN" ]; then
  echo "build the programs first" >&2
  exit 1
fi

PROGRAMS=(bare label plain klemvar)
declare -A BIN=([bare]=$BARE_BIN [label]=$LABEL_BIN [plain]=$PLAIN_BIN [klemvar]=$KLEMVAR_BIN)
declare -A LABEL=([bare]="bare Qt window" [label]="Qt window+label" [plain]="plain Qt program"
  [klemvar]="Klemvar")

# ---------------------------------------------------------------- helpers

median() { sort -g | awk '{v[NR] = $1} END {if (NR) print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

now_ns() { local t=$EPOCHREALTIME; echo "${t/./}000"; }

# A process that has ended, also one left as a zombie for want of a reaper.
ended() { [ ! -e "/proc/$1" ] || [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" = Z ]; }

# "PSS RSS" in KiB.
memory_kib() { awk '/^Pss:/ {p = $2} /^Rss:/ {r = $2} END {print p, r}' "/proc/$1/smaps_rollup"; }

# "ON_CPU_NS RUNS" summed over the process's threads.
schedstat() { cat "/proc/$1"/task/*/schedstat 2>/dev/null | awk '{ns += $1; runs += $3} END {print ns, runs}'; }

# A session bus of its own for one start; sets BUS_ADDRESS and BUS_PID.
start_bus() {
  local out
  out=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 2>/dev/null)
  BUS_ADDRESS=$(sed -n 1p <<<"$out")
  BUS_PID=$(sed -n 2p <<<"$out")
  ks_track "$BUS_PID"
}

stop_bus() { kill -TERM "$BUS_PID" 2>/dev/null || true; }

# ---------------------------------------------------------------- X11 section

# x11_start PROGRAM: starts it in a fresh session with a fresh HOME, accessibility
# off; sets PID, WINDOW (its first mapped window), MAP_MS, MAP_CPU_MS and STARTED_NS.
x11_start() {
  local home line
  home=$(mktemp -d "$KS_TMP/home.XXXXXX")
  start_bus
  STARTED_NS=$(now_ns)
  line=$(env -u QT_LINUX_ACCESSIBILITY_ALWAYS_ON -u QT_ACCESSIBILITY HOME="$home" \
    DBUS_SESSION_BUS_ADDRESS="$BUS_ADDRESS" QT_QPA_PLATFORM=xcb \
    "$KS_PYTHON" "$root/bench/startup/x11_map_time.py" "${BIN[$1]}") || true
  read -r PID WINDOW MAP_MS MAP_CPU_MS <<<"$line"
  ks_track "$PID"
  [ "${WINDOW:-0}" != 0 ] || { echo "${LABEL[$1]}: no window mapped" >&2; exit 1; }
}

x11_stop() {
  ks_xtool close "$WINDOW" || true
  ks_retry 10 ended "$PID" || kill -KILL "$PID" 2>/dev/null || true
  stop_bus
}

# Arms an alarm far ahead with "&Wecker stellen"; the window goes to the tray.
x11_arm_klemvar() {
  xdotool windowfocus --sync "$WINDOW" key alt+w
  ks_wait_unmapped "$WINDOW" 5 || { echo "arming did not hide the window" >&2; exit 1; }
}

x11_section() {
  ks_start_xvfb
  ks_start_tray
  local i program
  for ((i = 1; i <= MAP_RUNS; i++)); do
    for program in $(round_order "$i"); do
      x11_start "$program"
      MAP[$program]+=" $MAP_MS"
      MAPCPU[$program]+=" $MAP_CPU_MS"
      x11_stop
    done
  done
  for ((i = 1; i <= ROUNDS; i++)); do
    for program in $(round_order "$i"); do
      measure_start x11 "$program"
    done
  done
  report "X11: Xvfb, trayer as tray host, no window manager"
}

# ---------------------------------------------------------------- measuring

declare -A MAP MAPCPU PSS RSS CPU WAKE

# Who goes first alternates, so neither program always follows the other.
round_order() {
  local i
  if (($1 % 2)); then echo "${PROGRAMS[*]}"; return; fi
  for ((i = ${#PROGRAMS[@]} - 1; i >= 0; i--)); do echo "${PROGRAMS[i]}"; done
}

# measure_start SECTION PROGRAM: one full start through SECTION's helpers.
measure_start() {
  local section=$1 program=$2 left before after
  "${section}_start" "$program"
  MAP[$program]+=" $MAP_MS"
  MAPCPU[$program]+=" $MAP_CPU_MS"
  left=$((SETTLE_SECONDS * 1000000000 - ($(now_ns) - STARTED_NS)))
  ((left > 0)) && sleep "$(awk -v n="$left" 'BEGIN {printf "%.3f", n / 1e9}')"
  read -r pss rss < <(memory_kib "$PID")
  PSS[$program]+=" $pss"
  RSS[$program]+=" $rss"
  if declare -F "${section}_arm_${program}" >/dev/null; then "${section}_arm_${program}"; fi
  before=$(schedstat "$PID")
  sleep "$IDLE_SECONDS"
  after=$(schedstat "$PID")
  read -r cpu wake < <(awk -v b="$before" -v a="$after" -v s="$IDLE_SECONDS" 'BEGIN {
    split(b, x, " "); split(a, y, " ");
    printf "%.2f %.0f\n", (y[1] - x[1]) / 1e6 * 60 / s, (y[2] - x[2]) * 60 / s }')
  CPU[$program]+=" $cpu"
  WAKE[$program]+=" $wake"
  "${section}_stop"
}

med() { tr ' ' '\n' <<<"$1" | grep . | median; }

mib() { awk -v k="$1" 'BEGIN {print k / 1024}'; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2fx", a / b; else print "-"}'; }

report() {
  local program m mc p r c w
  declare -A mm mmc mp mr
  echo
  echo "== $1"
  echo "   $ROUNDS full starts and $MAP_RUNS map-only starts per program, interleaved;"
  echo "   PSS ${SETTLE_SECONDS} s after exec; idle over ${IDLE_SECONDS} s, given per minute"
  printf '%-16s %10s %14s %8s %8s %11s %12s\n' program "mapped ms" "CPU to map ms" "PSS MiB" \
    "RSS MiB" "CPU ms/min" "wakeups/min"
  for program in "${PROGRAMS[@]}"; do
    m=$(med "${MAP[$program]}")
    mc=$(med "${MAPCPU[$program]}")
    p=$(med "${PSS[$program]}")
    r=$(med "${RSS[$program]}")
    c=$(med "${CPU[$program]}")
    w=$(med "${WAKE[$program]}")
    mm[$program]=$m
    mmc[$program]=$mc
    mp[$program]=$p
    mr[$program]=$r
    printf '%-16s %10.1f %14.1f %8.1f %8.1f %11.2f %12.0f\n' "${LABEL[$program]}" "$m" "$mc" \
      "$(mib "$p")" "$(mib "$r")" "$c" "$w"
  done
  for program in bare label plain; do
    printf '%-16s %10s %14s %8s %8s\n' "Klemvar / $program" \
      "$(ratio "${mm[klemvar]}" "${mm[$program]}")" "$(ratio "${mmc[klemvar]}" "${mmc[$program]}")" \
      "$(ratio "${mp[klemvar]}" "${mp[$program]}")" "$(ratio "${mr[klemvar]}" "${mr[$program]}")"
  done
  echo "runs:"
  for program in "${PROGRAMS[@]}"; do
    echo "  ${LABEL[$program]}: mapped ms:${MAP[$program]}"
    echo "  ${LABEL[$program]}: CPU to map ms:${MAPCPU[$program]}"
    echo "  ${LABEL[$program]}: PSS KiB:${PSS[$program]}; RSS KiB:${RSS[$program]}"
    echo "  ${LABEL[$program]}: CPU ms/min:${CPU[$program]}; wakeups/min:${WAKE[$program]}"
  done
}

# ---------------------------------------------------------------- run

echo "Klemvar: $KLEMVAR_BIN"
echo "bare window: $BARE_BIN"
echo "window with text: $LABEL_BIN"
echo "plain program: $PLAIN_BIN"
echo "machine: $(nproc) CPUs, load average $(cut -d' ' -f1-3 /proc/loadavg) at start"
x11_section
if command -v sway >/dev/null; then
  echo
  echo "== Wayland: sway headless, no tray"
  bash "$root/bench/startup/wayland_bench.sh" "$KLEMVAR_BIN" "$BARE_BIN"
fi

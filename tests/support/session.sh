# shellcheck shell=bash
# The end-to-end harness: source this from a test script, then start what the
# test needs. Every background process started here is stopped by its PID when
# the script exits. Functions:
#
#   ks_require CMD...          skips the test (exit 77) when a command is not installed
#   ks_start_xvfb              a fresh X server on a free display; exports DISPLAY
#   ks_start_wm                a window manager (openbox), for minimise and the taskbar
#   ks_start_tray              the trayer tray host (XEmbed); waits until it owns the
#                              tray; sets KS_TRAY_PID
#   ks_stop PID                stops one process started here
#   ks_start_pulse SINK        a PulseAudio daemon with a null sink SINK; exports
#                              XDG_RUNTIME_DIR, PULSE_SERVER and PULSE_SINK
#   ks_start_pipewire          PipeWire, WirePlumber and PipeWire's PulseAudio server;
#                              exports PULSE_SERVER once that server answers
#   ks_start_klemvar [args]    the program ($KLEMVAR_BIN) with accessibility on;
#                              sets KLEMVAR_PID, output in $KS_TMP/klemvar.log
#   ks_copy_program SRC DEST   copies the build tree's program SRC to DEST, and its
#                              modules ($KLEMVAR_MODULES) to where the copy looks
#   ks_wait_window NAME [s]    prints the id of a mapped window titled NAME
#   ks_wait_unmapped ID [s]    waits until the window is no longer viewable
#   ks_wait_exit PID [s]       waits for a process started here; sets KS_EXIT_STATUS
#   ks_exits_with PID STATUS [s]  waits for the process and compares its exit status
#   ks_tray_icon [s]           prints the id of the program's docked tray icon
#   ks_icon_docked             true while the program's icon is docked
#   ks_atspi ARGS...           tests/support/atspi.py on the program (see its help)
#   ks_ask_for_update          the Help menu's update check; waits for its question
#   ks_set_ring_due_now MAIN [RUN]  sets the alarm in the main window MAIN to ring at
#                              the next tick; RUN, when given, starts the checks' names
#   ks_xtool ARGS...           tests/support/xtool.py (close a window, selection owner)
#   ks_record_xdg_open         puts first on PATH an xdg-open that only writes each
#                              address it is given, a line each, to $KS_TMP/opened
#   ks_map_state ID            IsViewable, IsUnMapped or IsUnviewable
#   ks_client_size ID          "WIDTHxHEIGHT" of the window's client area
#   ks_in_client_list ID       the window manager lists the window (a taskbar shows it)
#   ks_windows_of PID          ids of the mapped windows of a process (_NET_WM_PID)
#   ks_check NAME CMD...       runs CMD, prints "ok NAME" or "FAIL NAME", counts failures
#   ks_finish                  prints the tally and exits 1 when any check failed
#
# Scripts run themselves again under dbus-run-session when no session bus is
# set, so no bus, accessibility bus or tray watcher outlives the test. HOME and
# the XDG folders (config, cache, data, state, runtime) are the test's own,
# below KS_TMP, removed when the script exits.

set -euo pipefail

# The bus and the services it starts (the accessibility bus among them) keep
# their sockets in this test's own runtime folder, so tests running side by
# side never share one.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
  KS_TMP=$(mktemp -d "${TMPDIR:-/tmp}/klemvar-e2e.XXXXXX")
  mkdir -m 700 "$KS_TMP/runtime"
  export KS_TMP XDG_RUNTIME_DIR=$KS_TMP/runtime
  exec dbus-run-session -- bash "$0" "$@"
fi

KS_SUPPORT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ -z "${KS_TMP:-}" ]; then
  KS_TMP=$(mktemp -d "${TMPDIR:-/tmp}/klemvar-e2e.XXXXXX")
  mkdir -m 700 "$KS_TMP/runtime"
  export XDG_RUNTIME_DIR=$KS_TMP/runtime
fi
# Everything a test starts keeps its settings, caches and data in the test's
# own folder: the user's HOME is never written, and nothing a user keeps there
# (a desktop's settings, an update.ini a program left) reaches a test. A test
# that runs as a user made for it alone, whose HOME is already its own, keeps
# it with KS_KEEP_HOME=1.
if [ "${KS_KEEP_HOME:-0}" != 1 ]; then
  export HOME=$KS_TMP/home
  export XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache XDG_DATA_HOME=$HOME/.local/share
  export XDG_STATE_HOME=$HOME/.local/state
  mkdir -p -m 700 "$HOME"
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_STATE_HOME"
fi
KS_PIDS=()
KS_PASSED=0
KS_FAILED=0
KS_PYTHON=/usr/bin/python3  # the one with python3-pyatspi

ks_log() { echo "[$(date +%T)] $*" >&2; }

ks_cleanup() {
  local i pid
  for ((i = ${#KS_PIDS[@]} - 1; i >= 0; i--)); do
    pid=${KS_PIDS[i]}
    kill -TERM "$pid" 2>/dev/null || continue
    for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
  done
  rm -rf "$KS_TMP"
}
trap ks_cleanup EXIT

ks_track() { KS_PIDS+=("$1"); }

# Runs CMD until it succeeds or the timeout (seconds) passes.
ks_retry() {
  local timeout=$1
  shift
  local deadline=$((SECONDS + timeout))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# ctest counts exit status 77 as skipped (tests/e2e/CMakeLists.txt).
ks_require() {
  local command
  for command in "$@"; do
    command -v "$command" >/dev/null || { echo "skipped: $command is not installed"; exit 77; }
  done
}

# -noreset: the server would otherwise reset when its last client leaves, and
# refuse connections meanwhile (the readiness probe is such a client).
ks_start_xvfb() {
  local fifo=$KS_TMP/displayfd
  rm -f "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$fifo" 2>"$KS_TMP/xvfb.log" &
  ks_track $!
  ks_retry 10 test -s "$fifo" || { cat "$KS_TMP/xvfb.log" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$fifo")"
  ks_retry 10 xdpyinfo >/dev/null 2>&1
  ks_log "Xvfb on $DISPLAY"
}

ks_start_wm() {
  openbox --sm-disable >"$KS_TMP/openbox.log" 2>&1 &
  ks_track $!
  ks_retry 10 ks_has_wm
}

ks_has_wm() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

ks_start_tray() {
  trayer --edge bottom --align right --widthtype request --height 32 >"$KS_TMP/trayer.log" 2>&1 &
  KS_TRAY_PID=$!
  ks_track "$KS_TRAY_PID"
  ks_retry 10 ks_tray_owned
}

# Stops a process started here, as a crashing or restarting desktop would lose it.
ks_stop() {
  kill -TERM "$1" 2>/dev/null || return 0
  ks_retry 5 ks_gone "$1" || kill -KILL "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

ks_gone() { ! kill -0 "$1" 2>/dev/null; }

ks_tray_owned() { [ "$(ks_xtool owner _NET_SYSTEM_TRAY_S0)" != 0 ]; }

# A second argument names a socket for the daemon to listen on instead of its usual one.
ks_start_pulse() {
  local sink=$1 protocol=module-native-protocol-unix
  [ -z "${2:-}" ] || protocol+=" socket=$2"
  HOME=$KS_TMP pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
    --load="$protocol" --load="module-null-sink sink_name=$sink" \
    --log-target=file:"$KS_TMP/pulse.log"
  ks_retry 10 test -s "$XDG_RUNTIME_DIR/pulse/pid"
  ks_track "$(cat "$XDG_RUNTIME_DIR/pulse/pid")"
  ks_pulse_env "$sink" "${2:-}"
  ks_retry 10 pactl info >/dev/null 2>&1
}

# The session manager and the PulseAudio server connect to PipeWire once, at
# their start: started before its socket exists, the server stays up but
# refuses every client.
ks_start_pipewire() {
  pipewire >"$KS_TMP/pipewire.log" 2>&1 &
  ks_track $!
  ks_retry 20 test -S "$XDG_RUNTIME_DIR/pipewire-0"
  local daemon
  for daemon in wireplumber pipewire-pulse; do
    "$daemon" >"$KS_TMP/$daemon.log" 2>&1 &
    ks_track $!
  done
  export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
  ks_retry 20 pactl info >/dev/null 2>&1
}

# KS_ACCESSIBILITY=0 leaves accessibility to the desktop's setting (off here),
# as a user without a screen reader runs the program.
# The program finds its modules only relative to its own folder.
ks_copy_program() {
  local folder
  folder=$(dirname "$2")/$(realpath -m --relative-to="$(dirname "$1")" "${KLEMVAR_MODULES:?}")
  mkdir -p "$folder"
  cp "$1" "$2"
  cp "$KLEMVAR_MODULES"/*.so "$folder/"
}

ks_start_klemvar() {
  : "${KLEMVAR_BIN:?KLEMVAR_BIN must name the program}"
  local a11y=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)  # Qt looks only at whether it is set
  [ "${KS_ACCESSIBILITY:-1}" = 0 ] && a11y=()
  env QT_QPA_PLATFORM=xcb "${a11y[@]}" "$KLEMVAR_BIN" "$@" >"$KS_TMP/klemvar.log" 2>&1 &
  KLEMVAR_PID=$!
  ks_track "$KLEMVAR_PID"
  export KLEMVAR_PID
}

# xdotool matches names without regard to case; the title must match exactly.
ks_window_name() { xwininfo -id "$1" 2>/dev/null | sed -n 's/^xwininfo: Window id: [0-9a-fx]* "\(.*\)"$/\1/p'; }

# Qt titles a window without a title of its own (a menu, a tooltip, the tray
# icon) with the application's name, "Klemvar"; those bypass the window
# manager and are no window the user places.
ks_find_window() {
  local id
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    ks_override_redirect "$id" && continue
    [ "$(ks_window_name "$id")" = "$1" ] && { echo "$id"; return 0; }
  done
  return 0
}

ks_wait_window() {
  local name=$1 timeout=${2:-10} id=""
  local deadline=$((SECONDS + timeout))
  while [ -z "$id" ]; do
    id=$(ks_find_window "$name")
    [ -n "$id" ] && break
    if [ "$SECONDS" -ge "$deadline" ]; then
      ks_log "no window titled '$name'"
      ks_report_program
      return 1
    fi
    sleep 0.1
  done
  echo "$id"
}

# What a failed wait leaves to go on: the program's output and, while it
# still runs, where each of its threads is.
ks_report_program() {
  cat "$KS_TMP/klemvar.log" >&2 2>/dev/null || true
  kill -0 "${KLEMVAR_PID:-0}" 2>/dev/null || { ks_log "the program is not running"; return 0; }
  local id
  for id in $(xdotool search --pid "$KLEMVAR_PID" 2>/dev/null); do
    ks_log "window $id \"$(ks_window_name "$id")\" $(ks_map_state "$id")" \
      "$(xprop -id "$id" WM_STATE _NET_WM_STATE _NET_WM_DESKTOP 2>&1 | tr '\n' ' ')"
  done
  [ ! -f "$KS_TMP/openbox.log" ] || { ks_log "window manager:"; cat "$KS_TMP/openbox.log" >&2; }
  command -v gdb >/dev/null || return 0
  timeout 60 gdb -p "$KLEMVAR_PID" -batch -ex "thread apply all bt" 2>&1 | grep '^#' >&2 || true
}

ks_map_state() { xwininfo -id "$1" 2>/dev/null | sed -n 's/^ *Map State: //p'; }

ks_is_unmapped() { [ "$(ks_map_state "$1")" != IsViewable ]; }

ks_wait_unmapped() { ks_retry "${2:-10}" ks_is_unmapped "$1"; }

ks_is_viewable() { [ "$(ks_map_state "$1")" = IsViewable ]; }

ks_wait_viewable() { ks_retry "${2:-10}" ks_is_viewable "$1"; }

ks_client_size() {
  xwininfo -id "$1" | awk '/^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {print w "x" h}'
}

ks_in_client_list() {
  xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -qiw "$(printf '0x%x' "$1")"
}

ks_windows_of() { xdotool search --onlyvisible --pid "$1" 2>/dev/null || true; }

# Not inside $( ): only this shell can collect its children's exit status.
ks_wait_exit() {
  local pid=$1 timeout=${2:-10}
  local deadline=$((SECONDS + timeout))
  while kill -0 "$pid" 2>/dev/null; do
    # A zombie has finished; wait collects it below.
    [ "$(ps -o stat= -p "$pid" 2>/dev/null | cut -c1)" = Z ] && break
    [ "$SECONDS" -lt "$deadline" ] || { ks_log "process $pid still running"; return 1; }
    sleep 0.1
  done
  KS_EXIT_STATUS=0
  wait "$pid" || KS_EXIT_STATUS=$?
}

ks_exits_with() {
  ks_wait_exit "$1" "${3:-10}" || return 1
  [ "$KS_EXIT_STATUS" = "$2" ] || { ks_log "process $1 ended with status $KS_EXIT_STATUS"; return 1; }
}

# The tray icon is a window of the program's class (its instance named after
# the binary) that the tray host has embedded: override-redirect, and a child
# of the host's window rather than of the root. Its title is the application's
# name, as is the main window's.
ks_tray_icon() {
  local timeout=${1:-10} name
  name=$(basename "$KLEMVAR_BIN")
  ks_retry "$timeout" ks_find_tray_icon "$name" >/dev/null || return 1
  ks_find_tray_icon "$name"
}

ks_icon_docked() { ks_find_tray_icon "$(basename "$KLEMVAR_BIN")" >/dev/null; }

ks_find_tray_icon() {
  local id
  for id in $(xdotool search --onlyvisible --classname "^$1\$" 2>/dev/null); do
    ks_embedded "$id" && { echo "$id"; return 0; }
  done
  return 1
}

ks_embedded() {
  local tree
  tree=$(xwininfo -children -id "$1" 2>/dev/null) || return 1
  ks_override_redirect "$1" && ! grep -q 'Parent window id: .*(the root window)' <<<"$tree"
}

ks_override_redirect() {
  local info
  info=$(xwininfo -id "$1" 2>/dev/null) || return 1
  grep -q 'Override Redirect State: yes' <<<"$info"
}

ks_atspi() { "$KS_PYTHON" "$KS_SUPPORT/atspi.py" --pid "$KLEMVAR_PID" "$@"; }

# True when the named spin field shows value; read anew at each call, so that
# ks_retry waits for it.
ks_field_shows() { [ "$(ks_atspi value "$1" --role "spin button")" = "$2" ]; }

ks_xtool() { "$KS_PYTHON" "$KS_SUPPORT/xtool.py" "$@"; }

# The handler runs the question's modal loop before the call returns, so the
# call goes to the background.
ks_ask_for_update() {
  ks_atspi do "Nach Update suchen ..." --role "menu item" >/dev/null 2>&1 &
  ks_track $!
  ks_wait_window "Update suchen" 10 >/dev/null
}

ks_ring_checked() { ks_atspi find "Läuten" --role "check box" | grep -q checked; }

# Ring on, mode "in", 0 h 0 min: the alarm falls due at the next tick. The
# minutes go one step down with the Down key, as a user would: 1 min, the
# preset of "in", becomes 0.
ks_set_ring_due_now() {
  local main=$1 run=${2:+$2: }
  ks_atspi do "Läuten" --role "check box"
  ks_check "${run}Läuten is checked" ks_retry 3 ks_ring_checked
  ks_atspi do "in" --role "radio button"
  ks_atspi do "Minuten" --role "spin button" --action SetFocus
  xdotool windowfocus --sync "$main" key Down
  ks_check "${run}0 hours" test "$(ks_atspi value Stunden --role 'spin button')" = 0
  ks_check "${run}0 minutes" test "$(ks_atspi value Minuten --role 'spin button')" = 0
}

ks_record_xdg_open() {
  mkdir -p "$KS_TMP/bin"
  cat >"$KS_TMP/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$*" >>"$KS_TMP/opened"
EOF
  chmod +x "$KS_TMP/bin/xdg-open"
  export PATH=$KS_TMP/bin:$PATH
}

ks_check() {
  local name=$1
  shift
  if "$@"; then
    echo "ok $name"
    KS_PASSED=$((KS_PASSED + 1))
  else
    echo "FAIL $name"
    KS_FAILED=$((KS_FAILED + 1))
  fi
}

ks_finish() {
  echo "$KS_PASSED passed, $KS_FAILED failed"
  if [ "$KS_FAILED" -ne 0 ]; then
    echo "--- program output" >&2
    cat "$KS_TMP/klemvar.log" >&2 2>/dev/null || true
    exit 1
  fi
  exit 0
}

# --- The sound server coming and going, and a process's CPU time.
#
#   ks_pulse_env SINK          exports PULSE_SERVER and PULSE_SINK for a server
#                              ks_start_pulse SINK will start later
#   ks_start_pulse_closed SINK as ks_start_pulse, but the daemon listens at first only
#                              on a side socket, which PULSE_SERVER then names: the
#                              test sets up before other clients can reach it
#   ks_open_pulse              opens the daemon's usual socket to every client
#   ks_ring_streams_are N      the program has N streams on the sound server
#   ks_kill_pulse              kills the PulseAudio daemon as a crash would (SIGKILL)
#                              and waits until it is gone
#   ks_cpu_ms PID              CPU time of the process in ms, exited threads included
#                              (/proc/PID/stat, 10 ms steps)
#   ks_threads_cpu_ms PID      CPU time of its live threads in ms (schedstat, exact)

ks_pulse_env() {
  export PULSE_SERVER=unix:${2:-$XDG_RUNTIME_DIR/pulse/native}
  export PULSE_SINK=$1
}

ks_start_pulse_closed() { ks_start_pulse "$1" "$KS_TMP/pulse-side"; }

ks_open_pulse() { pactl load-module module-native-protocol-unix >/dev/null; }

ks_ring_streams_are() {
  [ "$(pactl list sink-inputs | grep -c "application.process.id = \"$KLEMVAR_PID\"")" = "$1" ]
}

ks_kill_pulse() {
  local pid
  pid=$(cat "$XDG_RUNTIME_DIR/pulse/pid")
  kill -KILL "$pid"
  ks_retry 5 ks_gone "$pid"
  rm -f "$XDG_RUNTIME_DIR/pulse/pid"  # so that ks_start_pulse waits for the new one's
}

ks_cpu_ms() {
  local hz
  hz=$(getconf CLK_TCK)
  # Fields 14 and 15 (utime, stime) after the parenthesised command name.
  sed 's/^.*) //' "/proc/$1/stat" | awk -v hz="$hz" '{ printf "%d\n", ($12 + $13) * 1000 / hz }'
}

ks_threads_cpu_ms() {
  cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%d\n", ns / 1e6 }'
}

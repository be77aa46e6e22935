# shellcheck shell=bash
# The Wayland end-to-end harness, on top of session.sh: source this from a test
# script instead of session.sh. Functions (besides those of session.sh):
#
#   kw_require CMD...          like ks_require, but a missing command fails the
#                              test when CI is set instead of skipping it
#   kw_start_sway              sway, headless, no Xwayland; exports WAYLAND_DISPLAY
#                              and SWAYSOCK
#   kw_start_weston            weston, headless, its desktop shell and no panel;
#                              exports WAYLAND_DISPLAY
#   kw_start_waybar            waybar with its tray only: the StatusNotifierWatcher
#                              and a StatusNotifierItem host; sets KW_WAYBAR_PID
#   kw_start_mako              mako as the notification server (org.freedesktop.
#                              Notifications); sets KW_MAKO_PID
#   kw_start_klemvar           the program with no platform named, so that Qt picks
#                              Wayland itself; accessibility on; sets KLEMVAR_PID
#   kw_windows [PID]           (sway) "TITLE<TAB>SHELL" of every mapped window of
#                              the process (default: the program); SHELL is
#                              xdg_shell for a Wayland client, xwayland otherwise
#   kw_wait_window TITLE [s]   (sway) waits until the program maps a window TITLE
#   kw_wait_gone TITLE [s]     (sway) waits until it has no mapped window TITLE
#   kw_showing NAME ROLE       the accessible object is showing (any compositor)
#   kw_set_value NAME ROLE V   sets a spin button's value through AT-SPI, as a
#                              screen reader does (the headless seat has no keyboard)
#   kw_item                    the program's StatusNotifierItem as the watcher lists
#                              it ("BUSNAME/PATH"), empty when none
#   kw_item_call METHOD SIG ARGS...  busctl call on the item's bus name (see kw_item)
#   kw_notifications           mako's notifications, "APP|SUMMARY|BODY|ID" a line
#   kw_critical                ids of the critical notifications mako was sent
#                              (mako expires the others, where asked to, after 0.5 s)
#
# sway will not run as root, so a test started by root runs itself again, whole,
# as an unprivileged system user of its own (klemvar-e2e-PID, removed when the
# test ends, also when it fails), with its own runtime folder and session bus.

KW_USER=klemvar-e2e-$$

# The checkout may lie where that user cannot read (below /root, say), so the
# scripts and the programs named in KW_CARRY (variable names; KLEMVAR_BIN
# always) run from a copy in a folder of their own, removed afterwards.
kw_run_unprivileged() {
  local root script var
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
  script=$(realpath "$0")
  KW_COPY=$(mktemp -d /tmp/klemvar-wayland.XXXXXX)
  # Tests running side by side take turns with the account files.
  trap 'rm -rf "$KW_COPY"; flock /run/lock/klemvar-e2e-user.lock userdel --force "$KW_USER" 2>/dev/null' EXIT
  chmod 755 "$KW_COPY"
  mkdir -p "$KW_COPY/tests" "$KW_COPY/bench" "$KW_COPY/bin"
  cp -r "$root/tests/support" "$root/tests/e2e" "$KW_COPY/tests/"
  cp -r "$root/bench/startup" "$KW_COPY/bench/"
  # The program finds its modules only relative to its own folder.
  if [ -n "${KLEMVAR_MODULES:-}" ] && [ -n "${KLEMVAR_BIN:-}" ]; then
    var=$KW_COPY/bin/$(realpath -m --relative-to="$(dirname "$KLEMVAR_BIN")" "$KLEMVAR_MODULES")
    mkdir -p "$var" && cp "$KLEMVAR_MODULES"/*.so "$var/"
  fi
  for var in KLEMVAR_BIN ${KW_CARRY:-}; do
    [ -n "${!var:-}" ] || continue
    cp "${!var}" "$KW_COPY/bin/"
    export "$var=$KW_COPY/bin/$(basename "${!var}")"
  done
  chmod -R a+rX "$KW_COPY"
  flock /run/lock/klemvar-e2e-user.lock useradd --system --no-create-home \
    --home-dir /nonexistent --shell /usr/sbin/nologin "$KW_USER"
  local status=0
  setpriv --reuid="$KW_USER" --regid="$KW_USER" --clear-groups \
    env -u DBUS_SESSION_BUS_ADDRESS -u XDG_RUNTIME_DIR -u KS_TMP -u DISPLAY \
    -u WAYLAND_DISPLAY -u SWAYSOCK -u TMPDIR HOME=/nonexistent \
    bash "$KW_COPY/${script#"$root"/}" || status=$?
  exit "$status"
}

if [ "$(id -u)" = 0 ]; then
  export KLEMVAR_BIN
  kw_run_unprivileged
fi

# shellcheck source=session.sh
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

# Nothing of the user's desktop leaks in: configurations come from the test,
# in the HOME and XDG folders session.sh gave it.
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK QT_QPA_PLATFORM

kw_require() {
  local command
  for command in "$@"; do
    command -v "$command" >/dev/null && continue
    if [ -n "${CI:-}" ]; then
      echo "FAIL: $command is not installed (scripts/install-deps.sh --with-tests)"
      exit 1
    fi
    echo "skipped: $command is not installed"
    exit 77
  done
}

kw_socket_up() { [ -S "$XDG_RUNTIME_DIR/$1" ]; }

kw_start_sway() {
  mkdir -p "$XDG_CONFIG_HOME/sway"
  cat >"$XDG_CONFIG_HOME/sway/config" <<'EOF'
xwayland disable
output HEADLESS-1 resolution 1280x800
EOF
  WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$XDG_CONFIG_HOME/sway/config" >"$KS_TMP/sway.log" 2>&1 &
  ks_track $!
  local sway=$!
  kw_sway_ready() { compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.$sway.sock" >/dev/null; }
  ks_retry 10 kw_sway_ready || { cat "$KS_TMP/sway.log" >&2; return 1; }
  SWAYSOCK=$(compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.$sway.sock")
  export SWAYSOCK
  WAYLAND_DISPLAY=$(swaymsg -t get_outputs >/dev/null && cd "$XDG_RUNTIME_DIR" && ls wayland-* |
    grep -v lock | head -n1)
  export WAYLAND_DISPLAY
  ks_log "sway on $WAYLAND_DISPLAY"
}

kw_start_weston() {
  weston --backend=headless-backend.so --socket=klemvar-weston --idle-time=0 \
    --no-config >"$KS_TMP/weston.log" 2>&1 &
  ks_track $!
  ks_retry 10 kw_socket_up klemvar-weston || { cat "$KS_TMP/weston.log" >&2; return 1; }
  export WAYLAND_DISPLAY=klemvar-weston
  ks_log "weston on $WAYLAND_DISPLAY"
}

kw_watcher_has_host() {
  busctl --user get-property org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.kde.StatusNotifierWatcher IsStatusNotifierHostRegistered 2>/dev/null | grep -q true
}

kw_start_waybar() {
  mkdir -p "$XDG_CONFIG_HOME/waybar"
  cat >"$XDG_CONFIG_HOME/waybar/config" <<'EOF'
{ "layer": "top", "position": "bottom", "height": 30,
  "modules-left": [], "modules-center": [], "modules-right": ["tray"],
  "tray": { "icon-size": 22, "spacing": 4 } }
EOF
  : >"$XDG_CONFIG_HOME/waybar/style.css"
  waybar -c "$XDG_CONFIG_HOME/waybar/config" -s "$XDG_CONFIG_HOME/waybar/style.css" \
    >"$KS_TMP/waybar.log" 2>&1 &
  KW_WAYBAR_PID=$!
  ks_track "$KW_WAYBAR_PID"
  ks_retry 10 kw_watcher_has_host || { cat "$KS_TMP/waybar.log" >&2; return 1; }
}

# Asks the bus whether the name has an owner. "busctl status" would also read
# the owner's credentials, which systemd 257's busctl (Debian 13) fails to do
# in a chroot ("No medium found") even once the server is up.
kw_notifications_up() {
  [ "$(busctl --user call org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus \
    NameHasOwner s org.freedesktop.Notifications 2>/dev/null)" = "b true" ]
}

kw_start_mako() {
  mkdir -p "$XDG_CONFIG_HOME/mako"
  # mako does not list the urgency, so critical notifications note their id
  # in a file; and those that ask for the server's default expire after 0.5 s.
  cat >"$XDG_CONFIG_HOME/mako/config" <<EOF
default-timeout=500
[urgency=critical]
on-notify=exec echo "\$id" >>"$KS_TMP/critical-notifications"
EOF
  mako -c "$XDG_CONFIG_HOME/mako/config" >"$KS_TMP/mako.log" 2>&1 &
  KW_MAKO_PID=$!
  ks_track "$KW_MAKO_PID"
  ks_retry 10 kw_notifications_up || { cat "$KS_TMP/mako.log" >&2; return 1; }
}

kw_start_klemvar() {
  : "${KLEMVAR_BIN:?KLEMVAR_BIN must name the program}"
  # Qt joins the accessibility bus only once it runs; a desktop session starts
  # it at login, the test here.
  busctl --user call org.a11y.Bus /org/a11y/bus org.a11y.Bus GetAddress >/dev/null
  # Under AddressSanitizer, leaks of the Wayland libraries at exit are not ours.
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$KS_SUPPORT/lsan-wayland.supp:fast_unwind_on_malloc=0" \
    "$KLEMVAR_BIN" "$@" >"$KS_TMP/klemvar.log" 2>&1 &
  KLEMVAR_PID=$!
  ks_track "$KLEMVAR_PID"
  export KLEMVAR_PID
}

kw_windows() {
  swaymsg -r -t get_tree | "$KS_PYTHON" -c '
import json, sys
pid = int(sys.argv[1])
def walk(node):
    yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from walk(child)
for node in walk(json.load(sys.stdin)):
    if node.get("pid") == pid and node.get("visible"):
        print("%s\t%s" % (node.get("name"), node.get("shell")))
' "${1:-$KLEMVAR_PID}"
}

kw_has_window() { kw_windows | cut -f1 | grep -qxF "$1"; }
kw_no_window() { ! kw_has_window "$1"; }

kw_wait_window() {
  ks_retry "${2:-10}" kw_has_window "$1" && return 0
  ks_log "no window titled '$1'"
  return 1
}

kw_wait_gone() { ks_retry "${2:-10}" kw_no_window "$1"; }

kw_showing() { ks_atspi find "$1" --role "$2" --timeout 1 2>/dev/null | grep -q showing; }

kw_set_value() {
  "$KS_PYTHON" - "$KLEMVAR_PID" "$@" <<PY
import sys
sys.path.insert(0, "$KS_SUPPORT")
import atspi
node = atspi.find(int(sys.argv[1]), sys.argv[2], atspi.role_value(sys.argv[3]), 10)
if node is None:
    sys.exit("not found: %s" % sys.argv[2])
node.queryValue().currentValue = float(sys.argv[4])
PY
}

# The watcher lists each item as "BUSNAME/PATH", by whatever name the item gave
# (waybar keeps the sender's unique name); the bus tells whose it is.
kw_item() {
  local entry pid
  for entry in $(busctl --user get-property org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems 2>/dev/null | tr -d '"'); do
    case $entry in */*) ;; *) continue ;; esac
    pid=$(busctl --user call org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus \
      GetConnectionUnixProcessID s "${entry%%/*}" 2>/dev/null | cut -d' ' -f2)
    [ "$pid" = "$KLEMVAR_PID" ] && { echo "$entry"; return 0; }
  done
  return 0
}

kw_item_call() {
  local item service
  item=$(kw_item)
  service=${item%%/*}
  [ -n "$service" ] || return 1
  busctl --user --json=short call -- "$service" "$@"
}

# Straight from mako's own interface, as JSON: makoctl list printed that JSON
# up to mako 1.8 (Debian 12), text from 1.9 on (Debian 13).
kw_notifications() {
  busctl --user --json=short call org.freedesktop.Notifications /fr/emersion/Mako \
    fr.emersion.Mako ListNotifications | "$KS_PYTHON" -c '
import json, sys
for note in json.load(sys.stdin)["data"][0]:
    v = {key: value["data"] for key, value in note.items()}
    print("%s|%s|%s|%s" % (v.get("app-name"), v.get("summary"), v.get("body"), v.get("id")))'
}

kw_critical() { cat "$KS_TMP/critical-notifications" 2>/dev/null || true; }

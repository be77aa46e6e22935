#!/usr/bin/env bash
# The title-bar boxes of the four windows under a real window manager
# (openbox), read from the X properties the window manager reads
# (_MOTIF_WM_HINTS, WM_NORMAL_HINTS) and the actions it then allows
# (_NET_WM_ALLOWED_ACTIONS): the main window may be minimised, maximised and
# closed; the alarm, About and progress windows may only be closed.
#
# The progress window stays open only while a transfer runs, so the session
# runs in a private network namespace with a server on port 80 that never
# answers, and the program is the loopback build, whose maker is this machine.
source "$(dirname "$0")/../../support/private_network.sh"

: "${KLEMVAR_LOOPBACK_BIN:?KLEMVAR_LOOPBACK_BIN must name the loopback program}"
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../../support/session.sh"
ks_require Xvfb openbox xdotool xprop

# The question's buttons are looked for by their English names.
export LC_ALL=C.UTF-8
mkdir "$KS_TMP/program"
ks_copy_program "$KLEMVAR_LOOPBACK_BIN" "$KS_TMP/program/klemvar"
KLEMVAR_BIN=$KS_TMP/program/klemvar

"$KS_PYTHON" "$HERE/../update/update_server.py" --port 80 --version 1.21 --answer hang \
  >"$KS_TMP/server.log" 2>&1 &
ks_track $!
ks_retry 10 grep -q '^READY 80$' "$KS_TMP/server.log"

ks_start_xvfb
ks_start_wm
ks_start_klemvar
main=$(ks_wait_window Klemvar 20)
ks_atspi all --timeout 15 "push button=Wecker stellen" >/dev/null

# The actions openbox allows, once it manages the window.
actions() { xprop -id "$1" _NET_WM_ALLOWED_ACTIONS 2>/dev/null; }
managed() { actions "$1" | grep _NET_WM_ACTION_CLOSE >/dev/null; }
allows() { actions "$1" | grep -w "_NET_WM_ACTION_$2" >/dev/null; }
forbids() { ! allows "$@"; }

# _MOTIF_WM_HINTS: flags, functions, decorations, ... The functions' minimise
# bit is 0x8 and maximise 0x10; the decorations' minimise box 0x20, maximise 0x40.
motif() { xprop -id "$1" _MOTIF_WM_HINTS | sed 's/.* = //' | tr -d ' ' | cut -d, -f"$2"; }
motif_has() { (($(motif "$1" "$2") & $3)); }
motif_lacks() { ! motif_has "$@"; }

close_only() {
  local name=$1 id=$2
  ks_retry 10 managed "$id"
  ks_check "$name: a close box" allows "$id" CLOSE
  ks_check "$name: no maximise" forbids "$id" MAXIMIZE_HORZ
  ks_check "$name: hints ask for no minimise or maximise function" motif_lacks "$id" 2 0x18
  ks_check "$name: hints ask for no minimise or maximise box" motif_lacks "$id" 3 0x60
}

ks_retry 10 managed "$main"
ks_check "main window: a close box" allows "$main" CLOSE
ks_check "main window: a minimise box" allows "$main" MINIMIZE
ks_check "main window: a maximise box" allows "$main" MAXIMIZE_HORZ
ks_check "main window: hints ask for both boxes" motif_has "$main" 3 0x60
place() { xwininfo -id "$1" | awk '/Absolute upper-left [XY]:/ {printf "%s ", $4} END {print ""}'; }
before="$(place "$main")$(ks_client_size "$main")"
ks_xtool state "$main" MAXIMIZED_VERT MAXIMIZED_HORZ
# The window manager takes requests in turn: once it keeps the window off
# the pager, it has dealt with the maximise.
ks_xtool state "$main" SKIP_PAGER
ks_retry 5 eval 'xprop -id "$main" _NET_WM_STATE | grep -q SKIP_PAGER'
ks_check "main window: maximising changes neither its place nor its size" \
  test "$(place "$main")$(ks_client_size "$main")" = "$before"

window_class() { xprop -id "$1" WM_CLASS | sed 's/^[^=]*= //'; }
ks_check "main window: still the window class the launcher names" \
  test "$(window_class "$main")" = '"klemvar", "klemvar"'

ks_atspi do Info --role "menu item"
about=$(ks_wait_window About 10)
close_only "About window" "$about"
ks_xtool close "$about" # it covers the main window's fields
ks_wait_unmapped "$about" 5

# An alarm "in" 0 h 0 min fires at the next tick; "in" presets 0 h 1 min.
ks_atspi do in --role "radio button"
read -r x y < <(ks_atspi centre Minuten --role "spin button")
xdotool mousemove "$((x - 6))" "$y" click 1 mousemove 0 0
xdotool key ctrl+a type 0
ks_retry 5 ks_field_shows Minuten 0
ks_atspi do "Wecker stellen" --role "push button"
close_only "alarm window" "$(ks_wait_window "Klemvar Weckdienst" 10)"

ks_ask_for_update
ks_atspi do Yes --role "push button"
close_only "progress window" "$(ks_wait_window "Update prüfen ..." 10)"

ks_finish

#!/usr/bin/env bash
# The update check of the real program against a real HTTP server. The program
# ($KLEMVAR_LOOPBACK_BIN) has this machine as its maker's host, and its transfer
# always goes to port 80: the whole session (server, Xvfb, session bus, program)
# runs in a private network namespace, where port 80 is free and nothing leaves
# the machine. A recording xdg-open stands first on PATH.
#
# UPDATE_SCENARIO picks one check:
#   newer      the server offers 1.21; Yes opens the download page, the program
#              ends with status 0 and leaves no update.ini behind
#   same       the server offers 1.2: the "no newer version" box
#   no-server  nothing listens: the "Fehler!" box
#   cancel     the answer is slow; Abbrechen hides the window and nothing follows

source "$(dirname "$0")/../../support/private_network.sh"

: "${UPDATE_SCENARIO:?UPDATE_SCENARIO must name the scenario}"
: "${KLEMVAR_LOOPBACK_BIN:?KLEMVAR_LOOPBACK_BIN must name the loopback program}"
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../../support/session.sh"
ks_require Xvfb xdotool xwininfo

# The question's buttons speak the desktop's language; they are looked for by
# their English names.
export LC_ALL=C.UTF-8

# A folder of its own, to see that nothing is left beside the program, and a
# cache of the test's own, where the program keeps update.ini meanwhile.
mkdir "$KS_TMP/program"
ks_copy_program "$KLEMVAR_LOOPBACK_BIN" "$KS_TMP/program/klemvar"
KLEMVAR_BIN=$KS_TMP/program/klemvar
export XDG_CACHE_HOME=$KS_TMP/cache

ks_record_xdg_open

SERVER_LOG=$KS_TMP/server.log
start_server() {
  "$KS_PYTHON" "$HERE/update_server.py" --port 80 "$@" >"$SERVER_LOG" 2>&1 &
  ks_track $!
  ks_retry 10 grep -q '^READY 80$' "$SERVER_LOG"
}

served() { grep -q '^> GET /software/download/update.ini HTTP/1.0' "$SERVER_LOG"; }
no_update_file() { [ ! -e "$KS_TMP/program/update.ini" ] && [ ! -e "$XDG_CACHE_HOME/Klemvar/update.ini" ]; }
program_runs() { kill -0 "$KLEMVAR_PID" 2>/dev/null; }
no_window() { [ -z "$(ks_find_window "$1")" ]; }

case $UPDATE_SCENARIO in
  newer) start_server --version 1.21 ;;
  cancel) start_server --version 1.21 --answer hang ;;
  same) start_server --version 1.2 ;;
  no-server) ;;
  *) echo "unknown scenario $UPDATE_SCENARIO" >&2; exit 2 ;;
esac

ks_start_xvfb
# The transfer's log marks its end: the worker writes it just before it hands
# the outcome to the window.
export QT_LOGGING_RULES="klemvar.httpget.info=true"
ks_start_klemvar
ks_wait_window Klemvar 20 >/dev/null
ks_atspi all --timeout 15 "push button=Wecker stellen" >/dev/null
# The Help menu's entry, then Yes to the question.
ks_ask_for_update
ks_atspi do Yes --role "push button"

case $UPDATE_SCENARIO in
  newer)
    ks_check "the offer of the newer version comes" ks_wait_window "Neue Version gefunden" 15
    ks_check "the update file was asked for by its path" served
    ks_check "the file was kept in the user's cache" test -d "$XDG_CACHE_HOME/Klemvar"
    ks_check "with the agent name" grep -q '^> User-Agent: Pellomar HTTPGet' "$SERVER_LOG"
    ks_atspi do Yes --role "push button"
    ks_check "the program ends with status 0" ks_exits_with "$KLEMVAR_PID" 0 15
    ks_check "the download page was opened" ks_retry 5 grep -qx \
      "http://127.0.0.1/software/Klemvar/download.asp" "$KS_TMP/opened"
    ks_check "no update.ini is left" no_update_file
    ;;
  same)
    ks_check "the no-newer-version box comes" ks_wait_window "Keine neue Version gefunden" 15
    ks_check "it says so" ks_atspi find "Es ist keine aktuellere Klemvar Version verfügbar!" \
      --role label --timeout 5
    ks_atspi do OK --role "push button"
    ks_check "the box goes" ks_retry 5 no_window "Keine neue Version gefunden"
    ks_check "no update.ini is left" no_update_file
    ks_check "the program goes on" program_runs
    ks_check "nothing was opened" test ! -e "$KS_TMP/opened"
    ;;
  no-server)
    ks_check "the error box comes" ks_wait_window "Fehler!" 15
    ks_check "it says the check failed" ks_atspi find --role label --timeout 5 \
      $'Update konnte leider nicht geprüft werden!\n\nPrüfen Sie bitte, ob eine Verbindung zum Internet besteht!'
    ks_check "the progress window is hidden" no_window "Update prüfen ..."
    ks_check "the program goes on" program_runs
    ;;
  cancel)
    progress=$(ks_wait_window "Update prüfen ..." 10)
    ks_check "the transfer is running" ks_retry 10 served
    ks_atspi do Abbrechen --role "push button"
    ks_check "the progress window is hidden at once" ks_wait_unmapped "$progress" 2
    ks_check "the transfer stops" ks_retry 10 grep -qx CLOSED "$SERVER_LOG"
    ks_check "the transfer has ended" ks_retry 10 grep -q "transfer failed: .*stopped" \
      "$KS_TMP/klemvar.log"
    # A round trip through the window's thread: the outcome, handed over before
    # this question came, has been handled once it is answered.
    ks_atspi find "Wecker stellen" --role "push button" >/dev/null
    ks_check "no message follows" no_window "Fehler!"
    ks_check "the program goes on" program_runs
    ;;
esac

ks_finish

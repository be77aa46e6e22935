#!/usr/bin/env bash
# installed_update_e2e.sh newer|no-server APP_ID MAKER_HOST
#
# The installed package's update check as its user meets it. Run by
# install_package_e2e.sh as an ordinary user with a HOME of its own, inside the
# package test's private namespaces, where the maker's host is this machine:
# the program starts as a menu starts it, from its launcher's Exec line (gio
# launch), and a recording xdg-open stands first on PATH.
#
#   newer      a server on port 80 offers 1.21: the "newer version" box, Yes
#              opens the download page and ends the program
#   no-server  nothing listens: the "Fehler!" box
#
# Either way no update.ini is left, neither in the user's cache folder nor
# beside the executable.

: "${1:?newer or no-server}" "${2:?the application ID}" "${3:?the maker host}"
HERE=$(cd "$(dirname "$0")" && pwd)
KS_KEEP_HOME=1  # the user made for this test meets the program in its own HOME
# shellcheck source=../../support/session.sh
source "$HERE/../../support/session.sh"
ks_require Xvfb xdotool xwininfo gio pgrep

scenario=$1 app_id=$2 host=$3
launcher=/usr/share/applications/$app_id.desktop
cache=$HOME/.cache/Klemvar

ks_record_xdg_open

# The message boxes' buttons speak the desktop's language once Qt's own
# translations are loaded.
press() {
  local name
  for name in "$@"; do
    ks_atspi do "$name" --role "push button" >/dev/null 2>&1 && return 0
  done
  return 1
}

# The program launched from the launcher is no child of this shell: it is
# found as this user's only klemvar process.
launched_program() {
  local pids
  pids=$(pgrep -u "$(id -u)" -x klemvar) || return 1
  [ "$(wc -w <<<"$pids")" = 1 ] && echo "$pids"
}

gone() { ! kill -0 "$KLEMVAR_PID" 2>/dev/null; }
no_update_file() { [ ! -e "$cache/update.ini" ] && [ ! -e /usr/bin/update.ini ]; }
private_folder() { [ "$(stat -c '%a %U' "$cache")" = "700 $(id -un)" ]; }

ks_start_xvfb
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
ks_check "the launcher starts" gio launch "$launcher"
KLEMVAR_PID=$(ks_retry 10 launched_program >/dev/null && launched_program) || KLEMVAR_PID=
[ -n "$KLEMVAR_PID" ] || { echo "FAIL the program runs"; exit 1; }
export KLEMVAR_PID
ks_track "$KLEMVAR_PID"
ks_check "the program is the installed one" test "$(readlink "/proc/$KLEMVAR_PID/exe")" = /usr/bin/klemvar
ks_check "it runs as this user" test "$(stat -c %U "/proc/$KLEMVAR_PID")" = "$(id -un)"
ks_wait_window Klemvar 20 >/dev/null
ks_atspi all --timeout 15 "push button=Wecker stellen" >/dev/null

ks_ask_for_update
press Yes Ja

case $scenario in
  newer)
    ks_check "the offer of the newer version comes" ks_wait_window "Neue Version gefunden" 15
    ks_check "the cache folder is the user's alone" private_folder
    press Yes Ja
    ks_check "the program ends" ks_retry 15 gone
    ks_check "the download page was opened" ks_retry 5 grep -qx \
      "http://$host/software/Klemvar/download.asp" "$KS_TMP/opened"
    ;;
  no-server)
    ks_check "the error box comes" ks_wait_window "Fehler!" 15
    ks_check "it says the check failed" ks_atspi find --role label --timeout 5 \
      $'Update konnte leider nicht geprüft werden!\n\nPrüfen Sie bitte, ob eine Verbindung zum Internet besteht!'
    press OK
    ks_check "nothing was opened" test ! -e "$KS_TMP/opened"
    ks_check "the program goes on" kill -0 "$KLEMVAR_PID"
    ;;
  *)
    echo "unknown scenario $scenario" >&2
    exit 2
    ;;
esac
ks_check "no update.ini is left" no_update_file
ks_finish

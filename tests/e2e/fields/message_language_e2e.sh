#!/usr/bin/env bash
# The standard buttons of message boxes speak the desktop's language, through
# Qt's own translations, while Klemvar's texts stay German: the update question
# under de_DE.UTF-8 and under en_US.UTF-8. The answer is No, so nothing is fetched.
KLEMVAR_BIN=${1:-${KLEMVAR_BIN:-}}
source "$(dirname "$0")/../../support/session.sh"
ks_require Xvfb xdotool
if ! locale -a | grep -qix 'de_DE.utf8' || ! locale -a | grep -qix 'en_US.utf8'; then
  echo "skipped: the de_DE.UTF-8 and en_US.UTF-8 locales are not generated"
  exit 77
fi

ks_start_xvfb

question="Soll geprüft werden, ob eine neue Klemvar Version zur Verfügung steht?"

# Asks the update question under a locale; checks its buttons and its text.
ask_under() {
  local locale=$1 yes=$2 no=$3
  LC_ALL=$locale LANG=$locale ks_start_klemvar
  ks_wait_window Klemvar 20 >/dev/null
  ks_atspi all --timeout 15 "push button=Wecker stellen" >/dev/null
  ks_ask_for_update
  ks_check "under $locale the question offers \"$yes\" and \"$no\"" \
    ks_atspi all --timeout 5 "push button=$yes" "push button=$no"
  ks_check "under $locale its text stays German" ks_retry 5 has_german_text
  ks_atspi do "$no" --role "push button" >/dev/null
  # While the question's modal loop runs the main window takes no close request:
  # ask again until one is taken.
  ks_retry 10 closed "$(ks_wait_window Klemvar 5)"
  ks_exits_with "$KLEMVAR_PID" 0
}

closed() { ks_xtool close "$1" >/dev/null 2>&1 || true; [ -z "$(ks_find_window Klemvar)" ]; }
has_german_text() { ks_atspi tree | grep -F "$question" >/dev/null; }

ask_under de_DE.UTF-8 Ja Nein
ask_under en_US.UTF-8 Yes No

ks_finish

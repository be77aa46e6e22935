# shellcheck shell=bash
# The status bar's clock and countdown as a screen reader reads them, for the
# clock tests. Source after session.sh.

# Prints the texts of the status panels that hold a time, panel 0 first.
kc_time_panels() {
  ks_atspi tree | sed -n 's/^ *label: \([0-9]\{1,2\}:[0-9]\{2\}:[0-9]\{2\}\)$/\1/p'
}
kc_panel() { kc_time_panels | sed -n "$(($1 + 1))p"; }

# Waits until the clock panel (panel 0) shows a time. The program fills it at
# its first tick, about a second after the window comes up; until then it is
# empty.
kc_clock_shown() { [ -n "$(kc_panel 0)" ]; }
kc_wait_clock() { ks_retry "${1:-10}" kc_clock_shown || { ks_log "the clock panel stayed empty"; return 1; }; }

# Seconds of an h:mm:ss text.
kc_seconds() { awk -F: '{ print $1 * 3600 + $2 * 60 + $3 }' <<<"$1"; }

# Arms "in" 0 h 1 min (the preset of "in") and prints the script's clock, in
# seconds, at the press.
kc_arm_one_minute() {
  ks_atspi do "in" --role "radio button"
  ks_retry 5 ks_field_shows Minuten 1 || return 1
  date +%s.%N
  ks_atspi do "Wecker stellen" --role "push button"
}

#!/usr/bin/env bash
# An interval counts real time on the night the clocks change: the program runs
# in Europe/Berlin with its clock put (by libfaketime) 50 s before a real
# change, "in" 0 h 1 min is armed, and the alarm window must come one real
# minute later, while the wall clock has jumped an hour.
#
# usage: daylight_saving_e2e.sh PROGRAM forward|back
KLEMVAR_BIN=${1:-${KLEMVAR_BIN:-}}
direction=${2:?forward or back}
source "$(dirname "$0")/../../support/session.sh"
source "$(dirname "$0")/panels.sh"
libfaketime=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
ks_require_file() { [ -e "$1" ] || { ks_log "missing $1"; exit 77; }; }
ks_require_file "$libfaketime"
ks_require_file /usr/share/zoneinfo/Europe/Berlin

# The change in UTC, and the wall clock just before and after it.
case $direction in
  forward) change="2026-03-29 01:00:00 UTC" before="01:59" after="03:00" ;;
  back) change="2026-10-25 01:00:00 UTC" before="02:59" after="02:00" ;;
esac
offset=$(($(date -d "$change" +%s) - 50 - $(date +%s)))
# A sanitized build wants its runtime first among the preloaded libraries.
preload=$libfaketime
asan=$(ldd "$KLEMVAR_BIN" | awk '/libasan/ { print $3 }')
[ -n "$asan" ] && preload=$asan:$libfaketime

# Only the program runs on the shifted clock: a wrapper puts the preload on it
# alone, not on the harness's own commands that start it.
at_the_change=$KS_TMP/klemvar-at-the-change
cat >"$at_the_change" <<WRAPPER
#!/bin/sh
exec env TZ=Europe/Berlin LD_PRELOAD=$preload FAKETIME=$(printf '%+d' "$offset") \\
  FAKETIME_DONT_FAKE_MONOTONIC=1 DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1 "$KLEMVAR_BIN" "\$@"
WRAPPER
chmod +x "$at_the_change"

ks_start_xvfb
KLEMVAR_BIN=$at_the_change ks_start_klemvar
ks_wait_window Klemvar 20 >/dev/null
# Panel 0 is read right after arming: the first tick must have filled it.
kc_wait_clock

armed=$(kc_arm_one_minute)
shown_at_arming=$(kc_panel 0)
ks_check "armed at $shown_at_arming, before the change" \
  test "${shown_at_arming%:*}" = "$before"
ks_check "panel 1 shows the minute to go" ks_retry 3 \
  eval '[ "$(kc_seconds "$(kc_panel 1)")" -ge 55 ]'

ks_wait_window "Klemvar Weckdienst" 90 >/dev/null || true
rang=$(date +%s.%N)
after_ring=$(kc_panel 0)
waited=$(awk -v a="$armed" -v r="$rang" 'BEGIN { printf "%.1f", r - a }')
ks_log "armed at $shown_at_arming, rang at $after_ring after $waited s"
ks_check "the wall clock went to $after_ring" test "${after_ring%:*}" = "$after"
ks_check "it rang one real minute after arming ($waited s)" \
  awk -v w="$waited" 'BEGIN { exit !(w >= 59.5 && w <= 75) }'

ks_finish

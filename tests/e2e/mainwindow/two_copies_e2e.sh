#!/usr/bin/env bash
# Every start is an independent copy with its own window; closing one leaves
# the other running.
KLEMVAR_BIN=${1:-${KLEMVAR_BIN:-}}
source "$(dirname "$0")/../../support/session.sh"

ks_start_xvfb
ks_start_klemvar
first_pid=$KLEMVAR_PID
first=$(ks_wait_window Klemvar 20)
ks_start_klemvar
second_pid=$KLEMVAR_PID

two_windows() { [ "$(ks_windows_of "$first_pid" | wc -l)" -ge 1 ] &&
  [ "$(ks_windows_of "$second_pid" | wc -l)" -ge 1 ]; }
ks_check "two starts show two windows" ks_retry 20 two_windows

ks_xtool close "$first"
ks_check "the first copy ends with status 0" ks_exits_with "$first_pid" 0
# A question put after the first copy has gone, which only the second can answer.
ks_check "the second copy goes on" ks_atspi find "Wecker stellen" --role "push button" --timeout 5
ks_check "its process runs" kill -0 "$second_pid"
second=$(ks_wait_window Klemvar 5)
ks_check "its window is still shown" test -n "$second"

ks_xtool close "$second"
ks_check "the second copy ends with status 0" ks_exits_with "$second_pid" 0

ks_finish

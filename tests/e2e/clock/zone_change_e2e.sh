#!/usr/bin/env bash
# A change of the system's time zone reaches the running program: in a private
# mount namespace, /etc/localtime is Berlin's zone and then, by another bind
# mount, Tokyo's. The clock panel must show Tokyo's time within two seconds,
# while the countdown of an "in" alarm goes on as before. The namespace, and so
# every mount, ends with the test.
#
# usage: zone_change_e2e.sh PROGRAM
if [ -z "${KC_IN_NAMESPACE:-}" ]; then
  command -v unshare >/dev/null || exit 77
  [ "$(id -u)" = 0 ] || { echo "needs root for a mount namespace" >&2; exit 77; }
  # The namespace's mounts are private, so that neither bind mount reaches the
  # machine's own /etc/localtime: unshare makes "/" private, which it can only
  # where "/" is a mount point. In a chroot it is not, unless the root was bound
  # onto itself (scripts/test-debian13.sh does); with "/" shared, a mount made
  # here could not be kept from the machine, so the test does not run.
  if ! mountpoint -q /; then
    echo "skipped: / is no mount point (a chroot whose root is not bound onto itself)," \
      "so a private mount namespace cannot be made"
    exit 77
  fi
  KC_IN_NAMESPACE=1 exec unshare --mount --propagation private -- bash "$0" "$@"
fi
KLEMVAR_BIN=${1:-${KLEMVAR_BIN:-}}
unset TZ
source "$(dirname "$0")/../../support/session.sh"
source "$(dirname "$0")/panels.sh"

mount --bind /usr/share/zoneinfo/Europe/Berlin /etc/localtime
ks_start_xvfb
ks_start_klemvar
ks_wait_window Klemvar 20 >/dev/null
kc_wait_clock

# The hour is enough: the two zones are eight hours apart.
clock_is_in() { [ "$(kc_panel 0 | cut -d: -f1)" = "$(TZ=$1 date +%H)" ]; }
ks_check "the clock shows Berlin's time" ks_retry 5 clock_is_in Europe/Berlin

kc_arm_one_minute >/dev/null
countdown_shown() { [ -n "$(kc_panel 1)" ]; }
ks_retry 5 countdown_shown
left_before=$(kc_seconds "$(kc_panel 1)")

mount --bind /usr/share/zoneinfo/Asia/Tokyo /etc/localtime
switched=$SECONDS
ks_check "the clock shows Tokyo's time within two seconds" \
  ks_retry 2 clock_is_in Asia/Tokyo
left_after=$(kc_seconds "$(kc_panel 1)")
ks_log "countdown $left_before s before the change, $left_after s after it"
ks_check "the countdown went on ($left_before s, then $left_after s)" \
  test "$left_after" -le "$left_before" -a "$left_after" -ge $((left_before - 3 - SECONDS + switched))

ks_finish

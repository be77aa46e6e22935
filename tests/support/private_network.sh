# shellcheck shell=bash
# Sourced first, before session.sh, by a test whose servers must be the only
# ones it can reach: the script runs itself again in a private network
# namespace with only the loopback device, up. Where no namespace can be made
# (no unshare or ip, or no root), the test is skipped (exit 77).
if [ -z "${KS_NETNS:-}" ]; then
  if ! command -v unshare >/dev/null || ! command -v ip >/dev/null ||
    ! unshare -n true 2>/dev/null; then
    echo "skipped: no private network namespace (needs unshare, ip and root)"
    exit 77
  fi
  export KS_NETNS=1
  exec unshare -n -- bash -c 'ip link set lo up && exec bash "$0" "$@"' "$0" "$@"
fi

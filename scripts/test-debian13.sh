#!/usr/bin/env bash
# Builds Klemvar and runs its ordinary test suite (the default preset: no
# sanitizers, fuzzers or soak) on Debian 13 "trixie", in a root made fresh with
# debootstrap for this run alone: the project's own scripts/install-deps.sh
# --with-tests installs what it needs there, as on a new machine. Needs root.
#
# The root lives in a scratch folder below /var/tmp. Its mounts (/proc, /sys,
# /dev, /dev/pts, a /dev/shm of its own, and the root bound onto itself, so
# that a test can make its own private mount namespace there), every process
# still running in it, and the folder itself are removed when the script ends,
# also when it fails or is interrupted. The source is copied in, so nothing in
# the checkout is written.
#
# Prints how long each section took. Where CI is set, a skipped test fails the
# run there as it does in scripts/test.sh.
#
#   KLEMVAR_DEBIAN_MIRROR   the Debian mirror (default http://deb.debian.org/debian)
#   KLEMVAR_DEBIAN_SUITE    the release (default trixie)
#   KLEMVAR_DEBIAN_CCACHE   the compiler cache kept between runs (default
#                           /var/cache/klemvar/ccache-SUITE)
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$(pwd)
mirror=${KLEMVAR_DEBIAN_MIRROR:-http://deb.debian.org/debian}
suite=${KLEMVAR_DEBIAN_SUITE:-trixie}

[ "$(id -u)" = 0 ] || { echo "Making a Debian root needs root." >&2; exit 1; }

SECTION_PREFIX="$suite: "
source scripts/section_times.sh

work=
root=
# Everything below the root that is a mount point, deepest first, read from
# this process's mount table (field 5 is the mount point, with spaces and the
# like escaped in octal, which a path made here never holds).
mounts_below_root() {
  awk -v r="$root" '$5 == r || index($5, r "/") == 1 { print $5 }' /proc/self/mountinfo |
    sort -r
}
# The processes whose root is the Debian root: a test's daemon that outlived
# it would otherwise keep its mounts busy.
processes_in_root() {
  local link pid
  for link in /proc/[0-9]*/root; do
    pid=${link#/proc/}
    pid=${pid%/root}
    [ "$(readlink "$link" 2>/dev/null)" = "$root" ] && echo "$pid"
  done
  return 0
}
clean_up() {
  local status=$?
  trap - EXIT INT TERM
  if [ -n "$root" ]; then
    section "removing the root"
    local pid mount_point
    for pid in $(processes_in_root); do kill -KILL "$pid" 2>/dev/null || true; done
    for _ in $(seq 50); do [ -z "$(processes_in_root)" ] && break; sleep 0.1; done
    for mount_point in $(mounts_below_root); do
      umount "$mount_point" 2>/dev/null || umount --lazy "$mount_point" ||
        echo "could not unmount $mount_point" >&2
    done
    if [ -n "$(mounts_below_root)" ]; then
      echo "mounts are left below $root; the folder is kept" >&2
      [ "$status" != 0 ] || status=1
    else
      rm -rf --one-file-system "$work"
    fi
  fi
  report_section_times "$suite root"
  exit "$status"
}
trap clean_up EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

section "making the root with debootstrap"
if ! command -v debootstrap >/dev/null; then
  echo "Installing: debootstrap"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap \
    >/dev/null || {
    DEBIAN_FRONTEND=noninteractive apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap \
      >/dev/null
  }
fi
work=$(mktemp -d /var/tmp/klemvar-debian.XXXXXX)
root=$work/root
mkdir "$root"
# The Debian 12 archive keyring knows the next release's keys too.
debootstrap --variant=minbase "$suite" "$root" "$mirror" >"$work/debootstrap.log" 2>&1 || {
  tail -n 30 "$work/debootstrap.log" >&2
  exit 1
}

section "preparing the root"
# The root bound onto itself, private: inside it "/" is a mount point, which a
# new private mount namespace (unshare --propagation private) needs, and no
# mount made below it reaches this machine's own mount table.
mount --bind "$root" "$root"
mount --make-private "$root"
mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount -t tmpfs -o mode=1777,nosuid,nodev shm "$root/dev/shm"
# What a newly installed machine has and debootstrap leaves out.
cat >"$root/etc/hosts" <<'EOF'
127.0.0.1	localhost
::1	localhost ip6-localhost ip6-loopback
EOF
echo klemvar-debian >"$root/etc/hostname"
mkdir -p "$root/run/lock" "$root/src/klemvar"
chmod 1777 "$root/tmp"
# The compiler cache outlives the root, in a folder of this machine's own for
# this release: a later run on the same machine compiles only what changed.
# Nothing relies on it; an empty one only makes the build take longer.
ccache_dir=${KLEMVAR_DEBIAN_CCACHE:-/var/cache/klemvar/ccache-$suite}
mkdir -p "$ccache_dir" "$root/root/.cache/ccache"
mount --bind "$ccache_dir" "$root/root/.cache/ccache"
# Exactly the files of the checkout, without its build folders.
if git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git -C "$source_dir" ls-files -z --cached --others --exclude-standard |
    tar -C "$source_dir" --null -T - -cf - | tar -C "$root/src/klemvar" -xf -
else
  tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$root/src/klemvar" -xf -
fi

# in_root COMMAND: runs a shell command in the root, in the source folder, with
# an environment of its own (only CI is carried in).
in_root() {
  chroot "$root" /usr/bin/env -i \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root LANG=C.UTF-8 TERM=dumb ${CI:+CI=$CI} \
    bash -c "cd /src/klemvar && $1"
}

section "installing dependencies in the root (scripts/install-deps.sh --with-tests)"
in_root "bash scripts/install-deps.sh --with-tests"

# The README's test command, up to the ordinary build's tests; it prints its
# own time per section (the dependencies are in place by now).
section "format check, default build and tests in the root (scripts/test.sh --default-only)"
in_root "bash scripts/test.sh --default-only"

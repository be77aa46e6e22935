#!/usr/bin/env bash
# Installs what is missing, builds Klemvar and runs every test: the ordinary
# build, the whole suite again under AddressSanitizer and UndefinedBehavior-
# Sanitizer, the HTTP worker tests under ThreadSanitizer, every fuzzer for a
# bounded time and a one-minute soak of the real program. Prints how long each
# section took.
#
# Where the environment variable CI is set, a skipped test fails the run: CI has
# every tool, permission and namespace the tests need, so a skip there can only
# hide a fault. On a developer's machine skips are reported and allowed.
#
# The presets compile through ccache when it is installed and turn warnings
# into errors.
#
# KLEMVAR_BUILD_PREFIX (default "build/") is put before each preset's name to
# give its build folder, so that a second copy of the run can use folders of
# its own.
#
# With --default-only it stops after the ordinary build and its tests (what
# scripts/test-debian13.sh runs on the next Debian release).
set -euo pipefail
cd "$(dirname "$0")/.."
default_only=0
[ "${1:-}" != --default-only ] || default_only=1
jobs=$(nproc)
prefix=${KLEMVAR_BUILD_PREFIX:-build/}

source scripts/section_times.sh
trap report_section_times EXIT

# configure_build PRESET [TARGETS...]: configures and builds a preset in its folder.
configure_build() {
  local preset=$1
  shift
  cmake --preset "$preset" -B "$prefix$preset" >/dev/null
  if [ $# -gt 0 ]; then
    cmake --build "$prefix$preset" -j "$jobs" --target "$@"
  else
    cmake --build "$prefix$preset" -j "$jobs"
  fi
}

# run_ctest BUILD_DIR [CTEST ARGS...]: runs ctest on a build folder. Where CI is
# set, the run also fails when ctest counts a skipped test (from its own JUnit
# report), whatever the exit status of the tests.
run_ctest() {
  local dir=$1
  shift
  local report
  report="$(cd "$dir" && pwd)/ctest-junit.xml"
  rm -f "$report"
  local status=0
  ctest --test-dir "$dir" --output-junit "$report" "$@" || status=$?
  if [ -n "${CI:-}" ]; then
    local skipped=unknown
    [ -f "$report" ] &&
      skipped=$(grep -o -m 1 'skipped="[0-9]*"' "$report" | tr -dc '0-9')
    if [ "${skipped:-unknown}" != 0 ]; then
      echo "FAIL: CI is set and ctest skipped $skipped test(s) in $dir:" >&2
      [ -f "$report" ] &&
        awk -F'"' '/<testcase name=/ { name = $2 } /<skipped/ { print "  " name }' "$report" >&2
      [ "$status" != 0 ] || status=1
    fi
  fi
  return "$status"
}

section "installing dependencies"
bash scripts/install-deps.sh --with-tests

section "format check"
bash scripts/check-format.sh

section "default build and tests"
configure_build default
run_ctest "${prefix}default" --output-on-failure -j "$jobs" --timeout 300
[ "$default_only" = 0 ] || exit 0

# Everything again, the end-to-end tests included. UBSan aborts on its first
# finding (-fno-sanitize-recover), so a finding fails its test.
section "AddressSanitizer and UndefinedBehaviorSanitizer build and tests"
configure_build asan
ASAN_OPTIONS=detect_leaks=1 \
  UBSAN_OPTIONS=print_stacktrace=1 \
  run_ctest "${prefix}asan" --output-on-failure -j "$jobs" --timeout 600

section "ThreadSanitizer build: the HTTP component's worker-thread tests"
# Only the targets those tests need (core, platform, net), to keep it quick.
configure_build tsan httpget_fetch_tests httpget_lifecycle_tests httpget_fault_tests
run_ctest "${prefix}tsan" -L tsan --output-on-failure -j "$jobs" --timeout 300

section "fuzzing (about 30 s per target, two at a time)"
FUZZ_BUILD_DIR="${prefix}fuzz" bash scripts/fuzz.sh

section "soak: 60 s of alarm windows with the real program"
status=0
SOAK_SECONDS=60 bash bench/soak/soak.sh "${prefix}default/src/klemvar" || status=$?
# 77: a tool it needs is missing, which only CI may not have.
[ "$status" = 0 ] || { [ "$status" = 77 ] && [ -z "${CI:-}" ]; }

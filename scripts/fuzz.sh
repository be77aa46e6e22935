#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (FUZZ_SECONDS, default 30) from a copy of its committed seed corpus, FUZZ_JOBS
# (default 2) at a time. Builds in FUZZ_BUILD_DIR (default build/fuzz). A crash
# fails the run; its input is kept in build/fuzz-crashes/ to become a
# regression test.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
parallel=${FUZZ_JOBS:-2}
build=${FUZZ_BUILD_DIR:-build/fuzz}

cmake --preset fuzz -B "$build" >/dev/null
targets=$(sed -n 's/^klemvar_add_fuzzer(\([a-z_]*\) .*/\1/p' fuzz/CMakeLists.txt)
# shellcheck disable=SC2086
cmake --build "$build" -j "$(nproc)" --target $targets

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# fuzz_one TARGET: one bounded run. Its report is printed in one piece at the
# end, so that the reports of runs side by side do not interleave.
fuzz_one() {
  local target=$1
  local corpus="fuzz/corpus/${target#fuzz_}"
  mkdir -p "$work/$target"
  [ -d "$corpus" ] && cp -r "$corpus/." "$work/$target/"
  local status=0
  "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$work/$target-" "$work/$target" >"$work/$target.log" 2>&1 || status=$?
  {
    echo "== $target for ${seconds}s"
    if [ "$status" != 0 ]; then
      tail -n 40 "$work/$target.log"
      mkdir -p build/fuzz-crashes && cp "$work/$target"-* build/fuzz-crashes/ 2>/dev/null || true
    else
      grep -E '^Done' "$work/$target.log" || true
    fi
  } >"$work/$target.report"
  cat "$work/$target.report"
  return "$status"
}

failed=0
running=0
for target in $targets; do
  if [ "$running" -ge "$parallel" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
  fuzz_one "$target" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
exit $failed

#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (FUZZ_SECONDS, default 30) from a copy of its committed seed corpus. Builds in
# FUZZ_BUILD_DIR (default build/fuzz). A crash fails the run; its input is kept
# in build/fuzz-crashes/ to become a regression test.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
build=${FUZZ_BUILD_DIR:-build/fuzz}

cmake --preset fuzz -B "$build" >/dev/null
targets=$(sed -n 's/^klemvar_add_fuzzer(\([a-z_]*\) .*/\1/p' fuzz/CMakeLists.txt)
# shellcheck disable=SC2086
cmake --build "$build" -j "$(nproc)" --target $targets

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
for target in $targets; do
  corpus="fuzz/corpus/${target#fuzz_}"
  mkdir -p "$work/$target"
  [ -d "$corpus" ] && cp -r "$corpus/." "$work/$target/"
  echo "== $target for ${seconds}s"
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$work/$target-" "$work/$target" >"$work/$target.log" 2>&1; then
    tail -n 40 "$work/$target.log"
    mkdir -p build/fuzz-crashes && cp "$work/$target"-* build/fuzz-crashes/ 2>/dev/null || true
    failed=1
  else
    grep -E '^Done' "$work/$target.log" || true
  fi
done
exit $failed

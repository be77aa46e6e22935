#!/usr/bin/env bash
# Installs what is missing, builds Klemvar and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

bash scripts/install-deps.sh --with-tests

echo "== format check"
bash scripts/check-format.sh

echo "== default build"
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs" --timeout 300

echo "== ThreadSanitizer build: the HTTP component's worker-thread tests"
# Only the targets those tests need (core, platform, net), to keep it quick.
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$jobs" --target httpget_fetch_tests httpget_lifecycle_tests
ctest --preset tsan -L tsan -j "$jobs" --timeout 300

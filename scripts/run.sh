#!/usr/bin/env bash
# Installs what is missing, builds Klemvar and starts it. Only the program is
# built (its target pulls in the two modules it loads at run time), not the
# tests: a first run then waits for less than half the build. The folder is
# the default preset's, which scripts/test.sh builds the rest of.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target klemvar
exec ./build/default/src/klemvar "$@"

#!/usr/bin/env bash
# Installs what is missing, builds Klemvar and starts it. Only the program is
# built (its target pulls in the two modules it loads at run time), not the
# tests, which are more than half of the whole build. The folder is the
# default preset's, so scripts/test.sh later builds only the rest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target klemvar
exec ./build/default/src/klemvar "$@"

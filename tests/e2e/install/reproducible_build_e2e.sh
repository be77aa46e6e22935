#!/usr/bin/env bash
# reproducible_build_e2e.sh SOURCE_DIR WORK_DIR [cmake configure options...]
#
# The same sources built twice give the same program: two copies of SOURCE_DIR,
# in folders of different names and depths, are each configured with the same
# options into a build folder inside them, as a checkout is built, and each
# builds the program (its target brings the two modules). With debug
# information stripped (a distribution ships it apart), the program and both
# modules are byte for byte the same, down to the build ID, which the linker
# computes over the debug information as well: nothing in that may name the
# folders either.
# Nothing is taken from a compiler cache, which would hand the second build
# the first one's objects. WORK_DIR is removed afterwards, also on failure.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$1" && pwd)
work=$2
shift 2

# The outputs compared, relative to the build folder.
OUTPUTS=(src/klemvar lib/klemvar/modules/sound.so lib/klemvar/modules/http.so)

rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

# Everything but build folders and hidden ones (the repository's own).
copy_sources() {
  mkdir -p "$2"
  tar -C "$1" --exclude='./build*' --exclude='./.*' -cf - . | tar -C "$2" -xf -
}

build() {
  local src=$1 bin=$2 log=$3
  shift 3
  echo "--- building in $bin"
  if ! { env -u CMAKE_CXX_COMPILER_LAUNCHER CCACHE_DISABLE=1 cmake -S "$src" -B "$bin" "$@" &&
    env CCACHE_DISABLE=1 cmake --build "$bin" --target klemvar; } >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "FAIL the build in $bin"
    exit 1
  fi
}

one=$work/one/klemvar
two=$work/second-copy/of-the/klemvar-sources
copy_sources "$source_dir" "$one"
copy_sources "$source_dir" "$two"
build "$one" "$one/build/release" "$work/one.log" "$@"
build "$two" "$two/build/release" "$work/two.log" "$@"

failed=0
for output in "${OUTPUTS[@]}"; do
  a=$one/build/release/$output b=$two/build/release/$output
  strip --strip-debug -o "$a.stripped" "$a"
  strip --strip-debug -o "$b.stripped" "$b"
  if cmp -s "$a.stripped" "$b.stripped"; then
    echo "ok $output is the same, $(stat -c %s "$a.stripped") bytes"
  else
    echo "FAIL $output differs between the two builds; the sections that differ:"
    python3 "$here/elf_sections.py" "$a" "$b" || true
    failed=1
  fi
done
exit $failed

#!/usr/bin/env bash
# build_without_tests_e2e.sh SOURCE_DIR BUILD_DIR [CMAKE ARGS...]
#
# A user without GoogleTest and Qt Test builds and installs Klemvar with
# -DKLEMVAR_BUILD_TESTS=OFF, as the README says. CMake is told that neither
# package exists; that this hides them is checked first: with the tests on, the
# same configure fails for each of them.
#
# The build goes to BUILD_DIR, a sibling of the test's own build folder at the
# same depth, so that with ccache its compiler commands are those of that
# build and cost no compiling; it is configured afresh every time.
set -euo pipefail

source_dir=$1 build=$2
shift 2
hidden=(-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Test=ON)
args=("$@")

# The same compiler commands in any build folder at the same depth.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$source_dir} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}

probe=$(mktemp -d "${TMPDIR:-/tmp}/klemvar-no-tests.XXXXXX")
trap 'rm -rf "$probe"' EXIT

failed=0
check() {
  local name=$1
  shift
  if "$@" >"$probe/last.log" 2>&1; then
    echo "ok $name"
  else
    echo "FAIL $name"
    tail -n 30 "$probe/last.log"
    failed=1
  fi
}
fails() { ! "$@"; }

configure() { cmake -S "$source_dir" -B "$1" "${args[@]}" "${@:2}"; }

check "with the tests on, hidden GoogleTest stops the configure" \
  fails configure "$probe/gtest" -DKLEMVAR_BUILD_TESTS=ON -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
check "with the tests on, hidden Qt Test stops the configure" \
  fails configure "$probe/qttest" -DKLEMVAR_BUILD_TESTS=ON -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Test=ON
rm -rf "$probe/gtest" "$probe/qttest"

rm -rf "$build"
check "without them, the tests off configure" configure "$build" -DKLEMVAR_BUILD_TESTS=OFF "${hidden[@]}"
[ "$failed" = 0 ] || exit 1
SECONDS=0
check "it builds" cmake --build "$build"
echo "built in ${SECONDS} s"
check "it installs" env DESTDIR="$probe/stage" cmake --install "$build" --prefix /usr

installed() {
  local file
  for file in bin/klemvar 'share/applications/*.desktop' 'share/metainfo/*.metainfo.xml' \
    'share/icons/hicolor/48x48/apps/*.png' 'share/icons/hicolor/scalable/apps/*.svg'; do
    compgen -G "$probe/stage/usr/$file" >/dev/null || { echo "missing /usr/$file"; return 1; }
  done
}
no_test_library() { ! readelf -d "$probe/stage/usr/bin/klemvar" | grep -Ei 'gtest|Qt6Test'; }
check "the program, launcher, metainfo and icons are in place" installed
check "the program links no test library" no_test_library
rm -rf "$build"
exit $failed

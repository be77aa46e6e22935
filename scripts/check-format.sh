#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format makes of it.
#
# The check runs with the clang-format releases that Debian 12 and Debian 13
# ship (14 and 19), which lay out this code alike. Another release may lay out
# some construct its own way for code that is correct, so it is not asked: the
# check is skipped, and says so, where neither of the two is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
checked_releases="14 19"

formatter=
found=()
for command in clang-format clang-format-19 clang-format-14; do
  command -v "$command" >/dev/null || continue
  release=$("$command" --version | sed -n 's/.*clang-format version \([0-9]*\).*/\1/p')
  found+=("$command ${release:-?}")
  if [[ " $checked_releases " == *" $release "* ]]; then
    formatter=$command
    break
  fi
done
if [ -z "$formatter" ]; then
  echo "format check skipped: it runs with clang-format ${checked_releases// / or }," \
    "found ${found[*]:-none}"
  exit 0
fi

files=$(git ls-files -- '*.cpp' '*.h' 2>/dev/null || true)
[ -z "$files" ] && files=$(find src tests tools fuzz bench -name '*.cpp' -o -name '*.h')
# shellcheck disable=SC2086
"$formatter" --dry-run -Werror $files
echo "format ok ($formatter, release $release)"

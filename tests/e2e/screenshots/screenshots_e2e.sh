#!/usr/bin/env bash
# screenshots_e2e.sh SCREENSHOT_SCRIPT BUILD_DIR
# Runs the README's screenshot script into a scratch folder and checks each
# picture: a PNG of the window's fixed client size plus the frame the window
# manager drew, and not a blank grab. The pictures' contents are not compared.
set -euo pipefail
script=$1 build=$2
command -v identify >/dev/null || { echo "skipped: identify is not installed"; exit 77; }
command -v openbox >/dev/null || { echo "skipped: openbox is not installed"; exit 77; }

out=$(mktemp -d "${TMPDIR:-/tmp}/klemvar-shots.XXXXXX")
trap 'rm -rf "$out"' EXIT
bash "$script" --no-build "$build" "$out" >"$out/manifest.txt"
cat "$out/manifest.txt"

failed=0
check() {
  local name=$1
  shift
  if "$@"; then echo "ok $name"; else echo "FAIL $name"; failed=1; fi
}

# The layouts fix the client sizes; the tray menu's size follows its font.
declare -A client=(
  [main-window.png]=197x286 [alarm-window.png]=313x214 [about-window.png]=298x223
  [update-progress.png]=334x143 [tray-menu.png]=any
)

expected_size() {  # from the manifest: client size plus frame
  awk -v f="$1" '$1 == f { split($2, c, "x"); split($3, m, ",");
    print c[1] + m[1] + m[3] "x" c[2] + m[2] + m[4] }' "$out/manifest.txt"
}
client_size() { awk -v f="$1" '$1 == f { print $2 }' "$out/manifest.txt"; }
framed() { awk -v f="$1" '$1 == f { split($3, m, ","); exit !(m[2] > 0) }' "$out/manifest.txt"; }
is_png() { [ -s "$1" ] && [ "$(identify -format %m "$1")" = PNG ]; }
# A grab of an unpainted or covered-up window is one or two colours.
has_detail() { [ "$(identify -format %k "$1")" -gt 16 ]; }
size_of() { identify -format %wx%h "$1"; }

for file in "${!client[@]}"; do
  png=$out/$file
  check "$file is a non-empty PNG" is_png "$png"
  is_png "$png" || continue
  check "$file is the window with its frame, $(expected_size "$file") (taken: $(size_of "$png"))" \
    test "$(size_of "$png")" = "$(expected_size "$file")"
  check "$file shows a painted window" has_detail "$png"
  if [ "${client[$file]}" != any ]; then
    check "$file has the client size ${client[$file]}" test "$(client_size "$file")" = "${client[$file]}"
    check "$file has a title bar" framed "$file"
  fi
done
check "the tray menu is a plausible menu" \
  awk '$1 == "tray-menu.png" { split($2, c, "x"); ok = c[1] >= 60 && c[1] <= 400 && c[2] >= 30 && c[2] <= 200 }
       END { exit !ok }' "$out/manifest.txt"
exit $failed

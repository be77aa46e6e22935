# shellcheck shell=bash
# Times the sections of a long script, to be sourced. `section NAME` ends the
# section before it, if any, and starts NAME, announcing it with
# SECTION_PREFIX before its name; `report_section_times [TITLE]` ends the last
# one and prints how long each took and the whole run.
section_times=()
section_name=
section_start=$SECONDS
section() {
  if [ -n "$section_name" ]; then
    section_times+=("$(printf '%5d s  %s' $((SECONDS - section_start)) "$section_name")")
  fi
  section_name=$1
  section_start=$SECONDS
  if [ -n "$1" ]; then echo "== ${SECTION_PREFIX:-}$1"; fi
}
report_section_times() {
  section ""
  echo "== time per section${1:+ ($1)}"
  printf '%s\n' "${section_times[@]}"
  echo "$(printf '%5d s' "$SECONDS")  in all"
}

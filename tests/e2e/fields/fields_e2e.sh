#!/usr/bin/env bash
# The main window's spin fields under a window manager, driven with real keys:
# Delete edits a field as in any text field, and a field is left only when the
# focus moves on to another control of the window, not while a menu or a
# message box holds the focus for a while.
KLEMVAR_BIN=${1:-${KLEMVAR_BIN:-}}
source "$(dirname "$0")/../../support/session.sh"
ks_require Xvfb openbox xdotool

ks_start_xvfb
ks_start_wm
ks_start_klemvar
window=$(ks_wait_window Klemvar 20)
ks_atspi all --timeout 15 "spin button=Stunden" "spin button=Schließen" >/dev/null
xdotool windowactivate --sync "$window"

shows() { [ "$(ks_atspi value "$1" --role "spin button")" = "$2" ]; }
focused() { ks_atspi find "$1" --role "spin button" | grep -q focused; }

# Clicks into the text of a field (left of its buttons), moves the pointer
# away so no tooltip opens, and replaces the text by typing.
type_into() {
  local x y
  read -r x y < <(ks_atspi centre "$1" --role "spin button")
  xdotool mousemove "$((x - 6))" "$y" click 1 mousemove 0 0
  xdotool key ctrl+a type "$2"
  ks_retry 5 shows "$1" "$2"
}

# Windows of the program besides the main window: a menu, a message box.
others_shown() { ks_windows_of "$KLEMVAR_PID" | grep -vx "$window" | grep . >/dev/null; }
none_other() { ! others_shown; }

type_into Stunden 30
xdotool key Home Delete
ks_check "Home and Delete in the hour field showing 30 leave 0" ks_retry 5 shows Stunden 0

type_into Schließen 75
xdotool key alt+a # "Aus" is greyed, so the shared key opens the menu "Datei"
ks_check "Alt+A opens the menu" ks_retry 5 others_shown
# The first Escape closes the menu, the second leaves the menu bar.
xdotool key Escape
ks_retry 5 none_other || true
xdotool key Escape
# The field has the focus back once the menu bar is left.
ks_retry 5 focused Schließen
ks_check "the menu opened and closed leaves 75 in the close-after field" shows Schließen 75
xdotool key Tab
ks_check "Tab leaves the field: 75 turns into 59" ks_retry 5 shows Schließen 59

type_into Stunden 99
xdotool key alt+w
ks_check "Alt+W with 99 typed shows the error box" ks_retry 10 others_shown
ks_atspi do OK --role "push button"
ks_retry 5 none_other || true
ks_retry 5 focused Stunden
ks_check "the box closed leaves 99 in the hour field" shows Stunden 99
xdotool key Tab
ks_check "Tab leaves the field: 99 turns into 0" ks_retry 5 shows Stunden 0

ks_finish

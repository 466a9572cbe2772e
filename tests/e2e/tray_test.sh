#!/usr/bin/env bash
# The tray icon's menu: opened by either button exactly once, Hide and Show,
# then Exit, which ends the program and takes the icon away.
source "$(dirname "$0")/lib.sh"
start_pad

open_tray_menu() {
  xdotool mousemove --window "$icon" 10 15 click "$1"
  wait_for 3 'test "$(open_menus)" -eq 1' || fail "button $1 did not open the tray menu"
}

# Moving over the icon opens nothing.
xdotool mousemove --window "$icon" 10 15
sleep 0.5
[ "$(open_menus)" -eq 0 ] || fail "a move over the icon opened a menu"

# A press that is not yet released opens nothing; the release opens the menu.
xdotool mousemove --window "$icon" 10 15 mousedown 1
sleep 0.5
[ "$(open_menus)" -eq 0 ] || fail "a held button opened the tray menu before its release"
xdotool mouseup 1
wait_for 3 'test "$(open_menus)" -eq 1' || fail "releasing the button did not open the tray menu"
xdotool key Escape
wait_for 3 'test "$(open_menus)" -eq 0' || fail "Escape did not close the tray menu"

# Right button: one menu, and once it is dismissed no second one follows.
open_tray_menu 3
xdotool key Escape
sleep 0.5
[ "$(open_menus)" -eq 0 ] || fail "the right button opened the menu more than once"

# Hide is the second entry: both windows go.
open_tray_menu 1
xdotool key Down Down Return
wait_for 3 'unmapped "$window"' || fail "Hide left the typing window on screen"
wait_for 3 'unmapped "$popup"' || fail "Hide left the popup on screen"

# The entry now reads Show and brings both back.
open_tray_menu 3
xdotool key Down Down Return
wait_for 3 'mapped "$window"' || fail "Show did not bring the typing window back"
wait_for 3 'mapped "$popup"' || fail "Show did not bring the popup back"

# Exit is the last entry.
open_tray_menu 1
xdotool key Up Return
wait_for 5 '! kill -0 "$pad_pid"' || fail "Exit did not end the program"
wait_for 3 'test -z "$(tray_icon)"' || fail "the tray icon stayed after Exit"
wait "$pad_pid" || fail "the program ended with status $?"
pad_pid=
echo "tray ok"

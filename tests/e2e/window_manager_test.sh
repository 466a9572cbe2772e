#!/usr/bin/env bash
# The pad under a real window manager (openbox): the popup stays above the
# typing window and is seen there, a close request hides the pad to the tray,
# the window manager keeps the size floor, a double click acts once, and a
# second start brings the running pad to the front instead of a second pad.
source "$(dirname "$0")/lib.sh"
start_pad

# Later in the stacking list is higher on screen.
stack_index() {
  local n=0 w
  for w in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //' | tr ',' ' '); do
    n=$((n + 1))
    if [ $((w)) -eq $(($1)) ]; then echo $n; return; fi
  done
}
popup_above() {
  local t p
  t=$(stack_index "$window")
  p=$(stack_index "$popup")
  [ -n "$t" ] && [ -n "$p" ] && [ "$p" -gt "$t" ]
}
# The colour of one pixel of the root window, as rrggbb.
pixel() {
  import -window root "$state/shot.png" 2>/dev/null
  convert "$state/shot.png" -crop "1x1+$1+$2" -depth 8 txt:- | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' |
    tr 'A-F' 'a-f' | head -1
}
corner() { xwininfo -id "$1" | sed -n "s/.*Absolute upper-left $2: *//p"; }
# The popup's word list (lblTip) is orange, its current suggestion (lblMain) blue.
popup_seen() {
  local x y
  x=$(($(corner "$popup" X) + 40))
  y=$(($(corner "$popup" Y) + 10))
  [ "$(pixel "$x" "$y")" = ffc080 ]
}
# Places the popup over the middle of the typing window, where it can only be
# seen if it is above.
cover_typing_window() {
  xdotool windowmove "$popup" $(($(corner "$window" X) + 120)) $(($(corner "$window" Y) + 60))
  sleep 0.3
}

# The popup is tied to the typing window once that is first active, which a
# loaded machine (the sanitizer build) can take seconds to get to.
wait_for 15 popup_above || fail "after start-up the popup is below the typing window"
cover_typing_window
wait_for 5 popup_seen || fail "after start-up the popup's colours are not on screen"

focus_box
xdotool type --delay 80 mer
sleep 0.3
wait_for 5 popup_above || fail "after typing the popup is below the typing window"
wait_for 5 popup_seen || fail "after typing the popup's colours are not on screen"

# The window manager is told the size floor (8055 x 3300 twips with the keyboard).
xprop -id "$window" WM_NORMAL_HINTS | grep -q 'minimum size: 537 by 220' ||
  fail "the size floor is not a hint: $(xprop -id "$window" WM_NORMAL_HINTS | tr '\n' ' ')"

# A double click on the toolbar's paste image pastes once.
put_on_clipboard x || fail "xclip did not take the clipboard"
focus_box
xdotool key ctrl+a BackSpace
# imgPaste lies 360 twips down the toolbar, which starts 300 twips down the window.
xdotool mousemove --window "$window" 540 $(((300 + 360) / 15 + 6)) click --repeat 2 --delay 80 1
sleep 0.3
click_in 540 30
wait_for 3 'test "$(xclip -selection clipboard -o 2>/dev/null)" = x' ||
  fail "a double click on paste gave '$(xclip -selection clipboard -o 2>/dev/null)', expected 'x'"

# A second start ends at once and leaves one typing window.
(cd "$(dirname "$program")" && timeout 10 "$program" >"$state/second.log" 2>&1) ||
  fail "the second start did not end by itself: $(cat "$state/second.log")"
[ "$(xdotool search --onlyvisible --name '^Lekhora$' | wc -l)" -le 2 ] || fail "a second pad appeared"

# Alt+F4 hides the pad to the tray as the close image does; the pad lives on.
xdo windowactivate --sync "$window" key --clearmodifiers alt+F4
wait_for 5 'unmapped "$window"' || fail "Alt+F4 did not hide the typing window"
wait_for 5 'unmapped "$popup"' || fail "Alt+F4 did not hide the popup"
kill -0 "$pad_pid" || fail "Alt+F4 ended the pad"

# A second start brings the hidden pad back.
(cd "$(dirname "$program")" && timeout 10 "$program" >>"$state/second.log" 2>&1) ||
  fail "the second start did not end by itself"
wait_for 5 'mapped "$window"' || fail "a second start did not show the hidden pad"
wait_for 5 'mapped "$popup"' || fail "a second start did not show the popup"
wait_for 5 popup_above || fail "shown again, the popup is below the typing window"
echo "window manager ok"

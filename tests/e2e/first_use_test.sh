#!/usr/bin/env bash
# What a new user meets in the first minutes under a window manager (openbox):
# keys typed after a click on the splash or the popup reach the typing box; a
# very short click on the background leaves the window where it was; an
# accept with no word matching keeps the typed word; the user's words answer
# in a message that stays on screen; after a minimise the tray menu brings
# the window back in one step; a second Shift+Space replaces the accepted word,
# also with Shift let go first; the help window opens wholly on screen.
source "$(dirname "$0")/lib.sh"

select_at=(540 70)
empty_box() {
  click_in 100 60
  click_in "${select_at[@]}"
  xdotool key Delete
}
corner() { xwininfo -id "$1" | sed -n "s/.*Absolute upper-left $2: *//p"; }
size() { xwininfo -id "$1" | sed -n "s/.*$2: *//p"; }
place() { echo "$(corner "$window" X),$(corner "$window" Y)"; }
# The pad's splash: its small window named Lekhora.
splash_window() { lekhora_window -eq 212; }
# A message of the pad in a tooltip's look, by its text (the window's name).
message_shown() {
  local w
  for w in $(xdotool search --onlyvisible --class lekhora 2>/dev/null || true); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q TOOLTIP || continue
    xprop -id "$w" WM_NAME | grep -q -F "$1" && return 0
  done
  return 1
}
# The text an ASCII key sequence types, through a plain space.
typed_hex() {
  empty_box
  xdotool type --delay 80 "$1 "
  sleep 0.3
  box_hex
}

# --- The splash: a click on it, then keys, all reach the typing box.
cd "$(dirname "$program")"
"${pad_command[@]}" >>"$state/pad.log" 2>&1 &
pad_pid=$!
wait_for 10 'window=$(typing_window); test -n "$window"' || fail "the typing window did not appear"
wait_for 3 'splash=$(splash_window); test -n "$splash"' ||
  fail "the splash is not on screen with the typing window"
xdotool mousemove --window "$splash" 100 50 click 1
sleep 0.3
xdotool type --delay 80 kml
mapped "$splash" || fail "the splash closed before the keys were typed: the test needs it up"
wait_for 5 'unmapped "$splash"' || fail "the splash stayed"
wait_for 5 'test -n "$(tray_icon)"' || fail "the tray icon did not appear"
wait_for 5 'popup=$(popup_window); test -n "$popup"' || fail "the suggestion popup did not appear"
expected=$(utf8_hex 0915 092E 0932)
# Where the keys went when they did not reach the box: the window with the focus.
[ "$(box_hex)" = "$expected" ] ||
  fail "after a click on the splash the box holds $(box_hex), expected $expected; the focus is on [$(focused_window)]"

# --- The popup, first centred over the typing box: a click on its rows, then keys.
empty_box
xdotool mousemove --window "$popup" 60 30 click 1
sleep 0.3
xdotool type --delay 80 kml
sleep 0.3
[ "$(box_hex)" = "$expected" ] || fail "after a click on the popup the box holds $(box_hex), expected $expected"
# Its move image and its title row too.
empty_box
xdotool mousemove --window "$popup" "$(($(size "$popup" Width) - 8))" 18 click 1
xdotool mousemove --window "$popup" 60 40 click 1
sleep 0.3
xdotool type --delay 80 kml
sleep 0.3
[ "$(box_hex)" = "$expected" ] || fail "after clicks on the popup's images the box holds $(box_hex)"

# --- A click on the title band shorter than a millisecond leaves the window in place.
before=$(place)
xdotool mousemove --window "$window" 250 8 click 1
sleep 0.3
for _ in 1 2 3; do xdo mousemove_relative --sync 30 20; done
sleep 0.5
[ "$(place)" = "$before" ] || fail "after a short click the window moved from $before to $(place)"
# A drag still moves it, and ends with the release.
xdotool mousemove --window "$window" 250 8 mousedown 1
for _ in 1 2 3 4; do xdo mousemove_relative --sync 15 10; done
xdotool mouseup 1
IFS=, read -r x0 y0 <<<"$before"
wait_for 3 'test "$(place)" = "$((x0 + 60)),$((y0 + 40))"' ||
  fail "dragging moved the window from $before to $(place)"
after=$(place)
for _ in 1 2 3; do xdo mousemove_relative --sync 20 10; done
sleep 0.5
[ "$(place)" = "$after" ] || fail "after the drag the window went on following the pointer"

# --- Shift+Space with no word beginning with the typed one keeps it, and the space.
for word in korona selPzI Ziqr; do
  as_typed=$(typed_hex "$word")
  empty_box
  xdotool type --delay 80 "$word"
  xdotool keydown shift key space keyup shift
  sleep 0.3
  [ "$(box_hex)" = "$as_typed" ] || fail "Shift+Space after $word gave $(box_hex), expected $as_typed"
  empty_box
  xdotool type --delay 80 "$word"
  xdotool keydown shift key Right keyup shift
  sleep 0.3
  [ "$(box_hex)" = "${as_typed%20}" ] || fail "Shift+Right after $word gave $(box_hex)"
done
# A word that does begin a word of the list is still written in place.
empty_box
xdotool type --delay 80 mer
xdotool keydown shift key space keyup shift
sleep 0.3
[ "$(box_hex)" != "$(utf8_hex 092E 0947 0930 0020)" ] || fail "Shift+Space accepted nothing after mer"
# A second Shift+Space straight after replaces the accepted word whole, also
# when Shift comes up before Space (as xdotool's key shift+space sends it).
merath=$(utf8_hex 0020 092E 0947 0930 0920)
for second in "keydown shift key space keyup shift" "key shift+space"; do
  empty_box
  xdotool type --delay 80 " mer"
  xdotool keydown shift key space keyup shift
  # shellcheck disable=SC2086
  xdotool $second
  sleep 0.3
  [ "$(box_hex)" = "$merath" ] || fail "a second Shift+Space ($second) gave $(box_hex), expected $merath"
done
empty_box
xdotool type --delay 80 " mer"
xdotool key shift+space
sleep 0.3
[ "$(box_hex)" = "$merath" ] || fail "Shift let go before Space accepted nothing: $(box_hex)"

# --- The user's words: the message stays after the menu has closed.
empty_box
xdotool type --delay 80 'nam'
click_in 100 60 3
wait_for 3 'test "$(open_menus)" -eq 1' || fail "the text box's menu did not open"
xdotool key Up Up Return
wait_for 3 'message_shown "is now one of your words"' || fail "adding a word showed no message"
sleep 1
message_shown "is now one of your words" || fail "the message went away at once"
# By the Menu key, at the caret: the word is there already.
click_in 100 60
xdotool key End Menu
wait_for 3 'test "$(open_menus)" -eq 1' || fail "the Menu key opened no menu"
xdotool key Up Up Return
wait_for 3 'message_shown "is already one of your words"' || fail "adding it again showed no message"
# Nothing to add.
empty_box
click_in 100 60 3
wait_for 3 'test "$(open_menus)" -eq 1' || fail "the text box's menu did not open"
xdotool key Up Up Return
wait_for 3 'message_shown "Nothing to add"' || fail "adding nothing showed no message"
# Removing the list's first word from its menu.
click_in 500 48 3
wait_for 3 'test "$(open_menus)" -eq 1' || fail "the word list's menu did not open"
xdotool key Down Return
wait_for 3 'message_shown "is no longer one of your words"' || fail "removing a word showed no message"

# --- Minimised, the tray menu's second entry brings the window back at once.
wait_for 5 'icon=$(tray_icon); test -n "$icon"' || fail "the tray icon is gone"
# Hide/Show by the tray menu, apart from the last click on the icon by more
# than a double click's time (a double click opens nothing).
tray_hide_show() {
  sleep 0.8
  xdotool mousemove --window "$icon" 10 15 click 1
  wait_for 3 'test "$(open_menus)" -eq 1' || fail "the tray menu did not open $1"
  # A loaded machine lays the menu out after it maps it.
  sleep 0.3
  click_menu_entry 2 3
}
# What a failed Hide/Show left behind, for the failure message.
window_state() {
  echo "menus open: $(open_menus); state: $(xprop -id "$window" _NET_WM_STATE 2>&1);" \
    "$(xwininfo -id "$window" | grep 'Map State'); icons: $(tray_icon) of pad $pad_pid"
}
iconic() { xprop -id "$window" _NET_WM_STATE | grep -q HIDDEN; }
# imgMin stands 7800 twips from the left, 60 from the top.
click_in $((7800 / 15 + 6)) $((60 / 15 + 6))
wait_for 3 iconic || fail "the minimise image did not minimise"
sleep 0.5
tray_hide_show "after the minimise"
wait_for 10 '! iconic && mapped "$window"' ||
  fail "after a minimise one Hide/Show did not bring the window back ($(window_state))"
wait_for 3 'mapped "$popup"' || fail "the popup did not come back with the window"
# The entry reads Hide again: the next choice hides, the one after shows.
tray_hide_show "after the restore"
wait_for 3 'unmapped "$window"' || fail "the entry did not hide the window the next time"
tray_hide_show "after the hide"
wait_for 3 'mapped "$window"' || fail "Show did not bring the window back"
# Minimised by the window manager, the same.
xdotool windowminimize "$window"
wait_for 3 iconic || fail "the window manager did not minimise the window"
sleep 0.5
tray_hide_show "after the window manager's minimise"
wait_for 10 '! iconic && mapped "$window"' ||
  fail "after the window manager's minimise one Hide/Show did not bring the window back ($(window_state))"

# --- The help window opens wholly on screen, also over a window dragged
# down past the screen's bottom edge, where it would open centred.
screen_w=$(xwininfo -root | sed -n 's/.*Width: //p')
screen_h=$(xwininfo -root | sed -n 's/.*Height: //p')
xdotool windowmove "$window" 200 $((screen_h - 120))
sleep 0.5
# imgHelp stands 7380 twips from the left.
click_in $((7380 / 15 + 6)) $((60 / 15 + 6))
wait_for 5 'test -n "$(xdotool search --onlyvisible --name "^Help$" 2>/dev/null)"' ||
  fail "the help image opened no window"
help=$(xdotool search --onlyvisible --name '^Help$' | head -1)
# The frame too: openbox's frame is the help window's parent.
inside() {
  local frame x y w h
  frame=$(xwininfo -children -id "$help" | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
  x=$(corner "$frame" X)
  y=$(corner "$frame" Y)
  w=$(size "$frame" Width)
  h=$(size "$frame" Height)
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$screen_w" ] && [ $((y + h)) -le "$screen_h" ]
}
wait_for 5 inside || fail "the help window is not wholly on screen: $(xwininfo -id "$help" | tr '\n' ' ')"
sleep 2
inside || fail "the help window left the screen after it opened"
echo "first use ok"

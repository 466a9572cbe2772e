#!/usr/bin/env bash
# Exit from the tray and start again: the layout, the output script, the font
# size, where the windows were, the keyboard and popup shown or closed, and
# the text with the caret at its end, all as they were left.
source "$(dirname "$0")/lib.sh"
settings=$config_dir/lekhora.conf

geometry() { xwininfo -id "$1" | sed -n "s/.*$2: *//p"; }
place() { echo "$(geometry "$1" 'Absolute upper-left X'),$(geometry "$1" 'Absolute upper-left Y')"; }
setting() { sed -n "s/^$1=//p" "$settings"; }
# Types into the box without a click, so the caret stays where the pad put it.
type_at_caret() {
  xdo windowfocus --sync "$window"
  xdotool type --delay 60 "$1"
  sleep 0.3
}
tamil_ka=$(utf8_hex 0B95)

# First run: Tamil from the output-script list (its eighth item), the font
# two steps larger, both windows moved, some text.
start_pad
xdotool mousemove --window "$window" 40 244 click 1
wait_for 3 'test "$(open_menus)" -ge 1' || fail "the output-script list did not open"
xdotool key Down Down Down Down Down Down Down Return
sleep 0.3
for _ in 1 2; do click_in 484 10; done
xdotool windowmove "$window" 100 120
xdotool windowmove "$popup" 640 500
wait_for 3 'test "$(place "$window")" = 100,120' || fail "the typing window did not move"
wait_for 3 'test "$(place "$popup")" = 640,500' || fail "the popup did not move"
focus_box
xdotool type --delay 60 'k'
sleep 0.3
[ "$(box_hex)" = "$tamil_ka" ] || fail "the output script typed $(clipboard_hex), not Tamil"
exit_pad
[ "$(setting layout)" = Phonetic ] && [ "$(setting outputScript)" = Tamil ] &&
  [ "$(setting fontSize)" = 14 ] || fail "the settings file says: $(tr '\n' ' ' <"$settings")"

# Second run: all as left; typing goes on in Tamil at the end of the text.
start_pad
[ "$(place "$window")" = 100,120 ] || fail "the typing window came back at $(place "$window")"
[ "$(place "$popup")" = 640,500 ] || fail "the popup came back at $(place "$popup")"
type_at_caret k
[ "$(box_hex)" = "$tamil_ka$tamil_ka" ] || fail "after the restart the box holds $(clipboard_hex)"
# Now Inscript from the Layout menu, the keyboard hidden, the popup closed.
click_in 420 25
wait_for 3 'test "$(open_menus)" -ge 1' || fail "the Layout menu did not open"
xdotool key Down Down Down Down Return
sleep 0.3
click_in 146 28
xdotool mousemove --window "$popup" 201 6 click 1
wait_for 3 'unmapped "$popup"' || fail "the popup's close image did not close it"
exit_pad
# Kept as it was applied: a font size not restored would be saved as 12 now.
[ "$(setting fontSize)" = 14 ] || fail "the font size was not restored"
[ "$(setting layout)" = Inscript ] && [ "$(setting outputScript)" = "" ] &&
  [ "$(setting keyboard)" = false ] || fail "the settings file says: $(tr '\n' ' ' <"$settings")"

# Third run: Inscript, no keyboard (its smaller size floor), no popup.
start_pad without-popup
sleep 0.5
popup=$(popup_window)
[ -z "$popup" ] || unmapped "$popup" || fail "the closed popup came back"
xprop -id "$window" WM_NORMAL_HINTS | grep -q 'minimum size: 537 by 80' ||
  fail "the keyboard is shown again: $(xprop -id "$window" WM_NORMAL_HINTS | tr '\n' ' ')"
[ "$(place "$window")" = 100,120 ] || fail "the typing window came back at $(place "$window")"
type_at_caret e
[ "$(box_hex)" = "$tamil_ka$tamil_ka$(utf8_hex 093E)" ] ||
  fail "Inscript did not come back: the box holds $(clipboard_hex)"
exit_pad
echo "restart ok"

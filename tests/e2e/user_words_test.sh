#!/usr/bin/env bash
# The user's own words from the pad's menus: added from the typing box's
# right-click menu, removed from the word list's, seen in the list and in the
# file in the user's folder. The program's own copy is never written.
source "$(dirname "$0")/lib.sh"
shipped=$(dirname "$program")/customwords.txt
shipped_sum=$(sha256sum <"$shipped")
words_file=$data_dir/customwords.txt

select_at=(540 70)
first_word_at=(500 48)
word=$(utf8_hex 0928 093E 092E)

# Everything in the box goes; the box keeps the focus.
empty_box() {
  click_in 100 60
  click_in "${select_at[@]}"
  xdotool key Delete
}
words_hex() { user_words "$words_file" | hex; }
# Opens a right-click menu at a point of the window and picks an entry by keys.
menu_at() {
  local x=$1 y=$2
  shift 2
  click_in "$x" "$y" 3
  wait_for 3 'test "$(open_menus)" -eq 1' || fail "no menu opened at $x,$y"
  xdotool key "$@"
  wait_for 3 'test "$(open_menus)" -eq 0' || fail "the menu at $x,$y stayed open"
  sleep 0.3
}
# The last two entries of the text box's menu are the word and clearing.
add_word_at_caret() { menu_at 100 60 Up Up Return; }

# The first start makes the user's list from the shipped one.
start_pad
cmp -s "$words_file" "$shipped" || fail "the user's list is not a copy of the shipped one"
exit_pad

# A list with its first line only, so the added word becomes the first row.
printf 'My words' | iconv -f UTF-8 -t UTF-16LE >"$words_file"
start_pad
focus_box
xdotool type --delay 60 'nam'
sleep 0.3
add_word_at_caret
wait_for 5 'test "$(words_hex)" = "$word"' || fail "after adding, the file holds $(words_hex), expected $word"
[ "$(utf16_text "$words_file" | head -1 | tr -d '\r')" = "My words" ] ||
  fail "adding a word changed the file's first line"

# The list shows it: a click on its first row types the word.
empty_box
click_in "${first_word_at[@]}"
sleep 0.3
[ "$(box_hex)" = "$word" ] || fail "the list's first row typed $(clipboard_hex), expected $word"

# The same word again is refused: the file keeps one.
click_in 100 60
xdotool key End
add_word_at_caret
[ "$(words_hex)" = "$word" ] || fail "a word already there was added again: $(words_hex)"

# Removed from the list's menu: gone from the file and from the list.
menu_at "${first_word_at[@]}" Down Return
wait_for 5 'test -z "$(words_hex)"' || fail "after removing, the file still holds $(words_hex)"
empty_box
click_in "${first_word_at[@]}"
sleep 0.3
[ -z "$(box_hex)" ] || fail "the removed word is still in the list"

# Kept over a restart; the program's copy is as shipped.
click_in 100 60
xdotool type --delay 60 'kh'
add_word_at_caret
exit_pad
start_pad
[ "$(words_hex)" = "$(utf8_hex 0916)" ] || fail "after a restart the file holds $(words_hex)"
empty_box
click_in "${first_word_at[@]}"
sleep 0.3
[ "$(box_hex)" = "$(utf8_hex 0916)" ] || fail "after a restart the list does not show the word"
exit_pad
[ "$(sha256sum <"$shipped")" = "$shipped_sum" ] || fail "the shipped word list was written"
echo "user words ok"

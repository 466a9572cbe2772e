#!/usr/bin/env bash
# Types into the running pad as a person does and reads the copied text back.
source "$(dirname "$0")/lib.sh"
start_pad
focus_box

# The select-all image, below the copy image (window pixels).
select_at=(540 70)

# Default layout: "kh" composes KHA; "nam" then Shift+Space writes the first
# word of the list that begins with NA AA MA, the word itself.
xdotool type --delay 60 'kh nam'
xdotool keydown shift key space keyup shift
sleep 0.3
expected=$(utf8_hex 0916 0020 0928 093E 092E)
got=$(box_hex)
[ "$got" = "$expected" ] || fail "default layout copied $got, expected $expected"

# Inscript, chosen from the Layout menu the layout label pops up: its
# entries are IntelligentRoman, Phonetic (Vimra), Phonetic, Inscript.
click_in 420 25
wait_for 3 'test "$(open_menus)" -ge 1' || fail "the Layout menu did not open"
xdotool key Down Down Down Down Return
sleep 0.3
click_in "${select_at[@]}"
xdotool key Delete
click_in 100 60
xdotool type --delay 60 'kej'
sleep 0.3
expected=$(utf8_hex 0915 093E 0930)
got=$(box_hex)
[ "$got" = "$expected" ] || fail "Inscript copied $got, expected $expected"

# IntelligentRoman, the menu's first entry: Hindi as people spell it in Latin
# letters becomes Devanagari at each break, and Escape keeps the letters as
# typed (an English word stays English).
click_in 420 25
wait_for 3 'test "$(open_menus)" -ge 1' || fail "the Layout menu did not open"
xdotool key Down Return
sleep 0.3
click_in "${select_at[@]}"
xdotool key Delete
click_in 100 60
xdotool type --delay 60 'kaise ho hello'
xdotool key Escape
sleep 0.3
expected=$(printf 'कैसे हो hello' | hex)
got=$(box_hex)
[ "$got" = "$expected" ] || fail "IntelligentRoman copied $got, expected $expected"

# The copied text is for other programs: xclip reads it after the pad is gone too.
echo "typing ok"

#!/usr/bin/env bash
# kill -9 while typing: at most the last second of typing is missing, every
# file the pad keeps is whole, and the next start comes up with the text.
source "$(dirname "$0")/lib.sh"
text_file=$data_dir/text.txt
settings=$config_dir/lekhora.conf
words_file=$data_dir/customwords.txt
shipped=$(dirname "$program")/customwords.txt

# Ten keys a second; conversion off, so the text is the keys themselves.
keys_per_second=10
typed=abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN
saved_text() { head -c -1 "$text_file"; }

whole_files() {
  [ "$(tail -c 1 "$text_file" | od -An -tx1 | tr -d ' ')" = 0a ] || fail "the text file is cut short"
  iconv -f UTF-8 -t UTF-8 "$text_file" >/dev/null || fail "the text file is no UTF-8 text"
  [ "$(tail -c 1 "$settings" | od -An -tx1 | tr -d ' ')" = 0a ] || fail "the settings file is cut short"
  grep -q '^conversion=false$' "$settings" || fail "the settings file lost a setting: $(cat "$settings")"
  cmp -s "$words_file" "$shipped" || fail "the word list changed"
}

start_pad
click_in 14 28  # conversion off
focus_box
for round in 1 2; do
  before=$(cat "$text_file" 2>/dev/null | head -c -1 || true)
  xdotool type --delay $((1000 / keys_per_second)) "$typed"
  kill_pad
  whole_files
  now=$(saved_text)
  case "$now" in
    "$before"*) ;;
    *) fail "round $round: the saved text is not what was typed: '$now'" ;;
  esac
  got=${now#"$before"}
  [ "$got" = "${typed:0:${#got}}" ] || fail "round $round: saved '$got' of '$typed'"
  missing=$((${#typed} - ${#got}))
  # One second of keys, and half a second for the save itself on a busy machine.
  [ "$missing" -le $((keys_per_second * 3 / 2)) ] ||
    fail "round $round: $missing of ${#typed} keys were lost"
  echo "round $round: $missing keys typed in the last moment were not saved yet"

  # The next start takes the killed pad's lock over and shows the saved text.
  start_pad
  ls -A "$data_dir" | grep -q '\.tmp$' && fail "a temporary of the killed save is left"
  [ "$(box_hex)" = "$(printf '%s' "$now" | hex)" ] ||
    fail "round $round: the text did not come back"
  focus_box
  xdotool key ctrl+End
done
exit_pad
whole_files
echo "kill ok"

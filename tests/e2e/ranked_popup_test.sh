#!/usr/bin/env bash
# "Most used words first" in the running pad: remembered in lekhora.conf, the
# popup's first word for a typed prefix is the best ranked one, which
# Shift+Space writes; the word a space ends is learned into history.sqlite.
source "$(dirname "$0")/lib.sh"
settings=$config_dir/lekhora.conf
words=$(dirname "$program")/lekhora-words

mkdir -p "$config_dir"
printf '[suggestions]\norder=used\n' >"$settings"
# The best ranked word for KA with no history, as the ranking orders it.
best=$("$words" candidates --no-history --count 1 "$(printf '\u0915')" | head -1)
[ -n "$best" ] || fail "lekhora-words printed no candidate"
best_hex=$(printf '%s' "$best" | hex)
[ "$best_hex" != "$(utf8_hex 0915)" ] || fail "the ranking put KA itself first"

start_pad
focus_box
xdotool type --delay 60 'k'
sleep 0.3
import -window root "$state/ranked_popup.png" 2>/dev/null || true
xdotool keydown shift key space keyup shift
got=$(box_hex)
[ "$got" = "$best_hex" ] ||
  fail "Shift+Space wrote $got, the best ranked word is $best_hex; the focus is on [$(focused_window)]"

# A space ends the word: it is learned, and written by Exit at the latest.
focus_box
xdotool key End space
sleep 0.3
exit_pad
[ -s "$data_dir/history.sqlite" ] || fail "no history was written"
grep -q '^order=used$' "$settings" || fail "the setting was not kept: $(cat "$settings")"
echo "ranked popup ok"

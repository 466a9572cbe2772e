#!/usr/bin/env bash
# An installed copy, started through its launcher by a normal user who cannot
# write the program's folder: the user's words are made from the shipped list
# in the user's own folder, edited there, and the program's folder stays as
# it was installed.
source "$(dirname "$0")/lib.sh"
# With LEKHORA_INSTALLED_PREFIX the copy is one already installed there (by
# the Debian packages), left as it is.
build=$3 appdir=$4 bindir=$5
if [ -n "${LEKHORA_INSTALLED_PREFIX:-}" ]; then
  prefix=$LEKHORA_INSTALLED_PREFIX
  trap stop_pad EXIT
else
  prefix=$(mktemp -d "$state/prefix.XXXXXX")
  cleanup() {
    stop_pad
    chmod -R u+w "$prefix" 2>/dev/null || true
    rm -rf "$prefix"
  }
  trap cleanup EXIT
  cmake --install "$build" --prefix "$prefix" >/dev/null
  chmod 755 "$prefix"
  chmod -R a-w "$prefix/$appdir"
fi
sums() { (cd "$prefix/$appdir" && find . -type f -exec sha256sum {} + | sort; ls -la); }
before=$(sums)

program=$prefix/$bindir/lekhora
pad_command=("$program")
run_as_normal_user
words_file=$data_dir/customwords.txt
word=$(utf8_hex 0928 093E 092E)

start_pad
cmp -s "$words_file" "$prefix/$appdir/customwords.txt" ||
  fail "the user's list is not a copy of the installed one"
focus_box
xdotool type --delay 60 'nam'
sleep 0.3
click_in 100 60 3
wait_for 3 'test "$(open_menus)" -eq 1' || fail "the typing box's menu did not open"
xdotool key Up Up Return
wait_for 5 'test "$(user_words "$words_file" | tail -1 | hex)" = "$word"' ||
  fail "the word was not added to the user's list"
title_tip_shown && fail "the installed pad warns: it could not save"
exit_pad

# The next start of the installed pad has the word; nothing was written
# beside the program.
start_pad
exit_pad
[ "$(user_words "$words_file" | tail -1 | hex)" = "$word" ] ||
  fail "the word is gone after a restart"
[ "$(sums)" = "$before" ] || fail "the program's folder changed: $(diff <(echo "$before") <(sums))"
[ -f "$config_dir/lekhora.conf" ] || fail "the settings were not kept in the user's folder"
echo "installed ok"

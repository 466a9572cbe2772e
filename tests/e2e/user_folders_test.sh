#!/usr/bin/env bash
# The user's folders under odd conditions: a data folder whose path is near
# the system's limit with a damaged text in it, and two pads at once where the
# runtime folder cannot hold the one-pad lock.
source "$(dirname "$0")/lib.sh"
ka=$(utf8_hex 0915)
kha=$(utf8_hex 0916)

# The typing window of one pad among several.
window_of() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$1" --name '^Lekhora$' 2>/dev/null || true); do
    if [ "$(xwininfo -id "$w" | sed -n 's/.*Width: //p')" -gt 400 ]; then echo "$w"; return 0; fi
  done
  return 0
}

# 1. A text that must be set aside under a name too long for the system: the
# pad leaves it where it is, says so, and still ends at SIGTERM.
long=$HOME/long
while [ ${#long} -lt 3800 ]; do long+=/$(printf 'd%.0s' $(seq 200)); done
long+=/$(printf 'e%.0s' $(seq $((4060 - ${#long} - 1))))
mkdir -p "$long/lekhora"
printf 'ab\xff\xfe\n' >"$long/lekhora/text.txt"
cp "$long/lekhora/text.txt" "$state/damaged.txt"
export XDG_DATA_HOME=$long
start_pad
focus_box  # tooltips show in the active window
title_tip_shown || fail "long path: the title band does not tell of the text"
cmp -s "$long/lekhora/text.txt" "$state/damaged.txt" || fail "long path: the damaged text changed"
kill -TERM "$pad_pid"
wait_for 5 '! kill -0 "$pad_pid"' || fail "long path: the pad did not end at SIGTERM"
pad_pid=
export XDG_DATA_HOME=$HOME/.local/share
rm -rf "$HOME/long"
echo "long path: ok"

# 2. Two pads with a read-only runtime folder, which cannot hold the one-pad
# lock: the second finds the data folder locked and does not save the text.
# The folder is a read-only mount, which the toolkit cannot make writable
# again as it does a folder's mode.
readonly_runtime=$(mktemp -d "$state/readonly-runtime.XXXXXX")
second=
cleanup() {
  stop_pad
  if [ -n "$second" ]; then kill "$second" 2>/dev/null || true; fi
  if mountpoint -q "$readonly_runtime"; then umount "$readonly_runtime" || true; fi
  rmdir "$readonly_runtime" 2>/dev/null || true
}
trap cleanup EXIT
if [ "$(id -u)" -ne 0 ] || ! mount -t tmpfs -o ro,mode=0700 lekhora-runtime "$readonly_runtime"; then
  echo "two pads: skipped, a read-only runtime folder needs the superuser's mount"
  exit 77
fi
export XDG_RUNTIME_DIR=$readonly_runtime
start_pad
first=$pad_pid
focus_box
xdotool type --delay 60 k
wait_for 5 'test "$(od -An -tx1 "$data_dir/text.txt" 2>/dev/null | tr -d " \n")" = "${ka}0a"' ||
  fail "two pads: the first pad did not save its text"
"${pad_command[@]}" >>"$state/pad.log" 2>&1 &
second=$!
wait_for 10 'test -n "$(window_of "$second")"' || fail "two pads: the second pad did not come up"
sleep 4.2
window=$(window_of "$second")
focus_box
xdotool type --delay 60 " kh"
sleep 2.5
# (What it says is checked in user_data_test: two overlapping pads without a
# window manager do not keep the focus a tooltip needs.)
[ "$(od -An -tx1 "$data_dir/text.txt" | tr -d ' \n')" = "${ka}0a" ] ||
  fail "two pads: the second pad wrote over the first's text"
kill -TERM "$second"
wait "$second" 2>/dev/null || true
second=
window=$(window_of "$first")
focus_box
xdotool type --delay 60 " kh"
pad_pid=$first
exit_pad
[ "$(od -An -tx1 "$data_dir/text.txt" | tr -d ' \n')" = "${ka}20${kha}0a" ] ||
  fail "two pads: the first pad's text is $(od -An -tx1 "$data_dir/text.txt")"
echo "two pads: ok"

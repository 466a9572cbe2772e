#!/usr/bin/env bash
# The pad installed in a folder whose name is not UTF-8 (the Latin-1 byte 0xE9)
# finds its files there and creates nothing in the folder it is started from.
#   program_folder_test.sh BIN_DIR
set -u
bin=$1
tmp=$(mktemp -d)
pad=
trap '[ -n "$pad" ] && kill "$pad" 2>/dev/null; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

folder=$tmp/$'caf\xe9'
mkdir -p "$folder" "$tmp/elsewhere" "$tmp/runtime" "$tmp/home"
chmod 700 "$tmp/runtime"
cp "$bin/lekhora" "$bin/hnhugeenc.txt" "$bin/helpVimraPhonetic.txt" "$folder/"
# The shipped list is marked, so that its copy shows it was read from there.
printf 'shipped here\r\nword\r\n' | iconv -f ASCII -t UTF-16LE >"$folder/customwords.txt"
cd "$tmp/elsewhere" || exit 1
HOME=$tmp/home XDG_DATA_HOME=$tmp/home/data XDG_CONFIG_HOME=$tmp/home/config \
  XDG_RUNTIME_DIR=$tmp/runtime QT_QPA_PLATFORM=offscreen "$folder/lekhora" >"$tmp/pad.log" 2>&1 &
pad=$!
# At its first start the pad copies the shipped list into the user's folder.
user_list=$tmp/home/data/lekhora/customwords.txt
for _ in $(seq 200); do
  [ -s "$user_list" ] && break
  kill -0 "$pad" 2>/dev/null || fail "the pad ended: $(cat "$tmp/pad.log")"
  sleep 0.1
done
cmp -s "$user_list" "$folder/customwords.txt" ||
  fail "the user's list is not the copy of the one beside the program"
[ -z "$(ls -A "$tmp/elsewhere")" ] || fail "files created in the current folder: $(ls -A "$tmp/elsewhere")"
[ "$(ls "$folder" | wc -l)" -eq 4 ] || fail "files created beside the program: $(ls "$folder")"
echo "ok"

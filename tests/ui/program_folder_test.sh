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
mkdir -p "$folder" "$tmp/elsewhere" "$tmp/runtime"
chmod 700 "$tmp/runtime"
cp "$bin/lekhora" "$bin/hnhugeenc.txt" "$bin/helpVimraPhonetic.txt" "$folder/"
cd "$tmp/elsewhere" || exit 1
XDG_RUNTIME_DIR=$tmp/runtime QT_QPA_PLATFORM=offscreen "$folder/lekhora" >"$tmp/pad.log" 2>&1 &
pad=$!
# The missing user list is created at the load of the typing window.
for _ in $(seq 200); do
  [ -e "$folder/customwords.txt" ] && break
  kill -0 "$pad" 2>/dev/null || fail "the pad ended: $(cat "$tmp/pad.log")"
  sleep 0.1
done
[ -e "$folder/customwords.txt" ] || fail "customwords.txt was not created beside the program"
[ -z "$(ls -A "$tmp/elsewhere")" ] || fail "files created in the current folder: $(ls -A "$tmp/elsewhere")"
echo "ok"

#!/usr/bin/env bash
# What lekhora-he3 does to the files it writes to: he3_files_test.sh BINARY CASE
# Cases that need root or gigabytes of memory skip (exit 77) with a message.
set -u
source "$(dirname "$0")/cli_test_lib.sh"
skip() { echo "SKIP [$case_name]: $*"; exit 77; }
need_root() { [ "$(id -u)" -eq 0 ] || skip "needs root ($1)"; }
# need_memory GIB: the tool holds the whole input in memory.
need_memory() {
  local kib
  kib=$(sed -n 's/^MemAvailable: *\([0-9]*\) kB/\1/p' /proc/meminfo)
  [ "${kib:-0}" -ge $(($1 * 1024 * 1024)) ] || skip "needs $1 GiB of free memory"
}
leftovers() { find "$1" -maxdepth 1 -name '.*tmp' | wc -l; }

printf 'abcabcabd' >"$tmp/plain"
"$bin" encode "$tmp/plain" "$tmp/list.he3" || fail "encode failed"
expected=$(od -An -tx1 "$tmp/plain")

case $case_name in
  devices)
    need_root "a device node that a rename could replace"
    mknod "$tmp/null" c 1 3
    "$bin" decode "$tmp/list.he3" "$tmp/null" || fail "decode into a null device failed"
    [ -c "$tmp/null" ] || fail "the device node was replaced"
    "$bin" decode "$tmp/list.he3" /dev/null || fail "decode into /dev/null failed"
    [ -c /dev/null ] || fail "/dev/null is no longer a device"
    out=$("$bin" decode "$tmp/list.he3" /dev/full 2>&1) && fail "a full device took the data"
    echo "$out" | grep -q "Disk full" || fail "no disk-full message: $out"
    ;;
  fifo)
    mkfifo "$tmp/fifo"
    od -An -tx1 <"$tmp/fifo" >"$tmp/read" &
    reader=$!
    timeout 10 "$bin" decode "$tmp/list.he3" "$tmp/fifo" || fail "decode into a FIFO failed"
    wait $reader
    [ -p "$tmp/fifo" ] || fail "the FIFO was replaced"
    [ "$(cat "$tmp/read")" = "$expected" ] || fail "the FIFO's reader got $(cat "$tmp/read")"
    [ "$(leftovers "$tmp")" -eq 0 ] || fail "a temporary was left"
    ;;
  stdout-link)
    # /dev/stdout links to a pipe here, to a file below.
    got=$("$bin" decode "$tmp/list.he3" /dev/stdout | od -An -tx1)
    [ "$got" = "$expected" ] || fail "through /dev/stdout to a pipe: $got"
    "$bin" decode "$tmp/list.he3" /dev/stdout >"$tmp/out" || fail "to /dev/stdout as a file"
    [ "$(od -An -tx1 "$tmp/out")" = "$expected" ] || fail "through /dev/stdout to a file"
    [ -L /dev/stdout ] || fail "/dev/stdout is no longer a link"
    ;;
  symlink)
    printf 'old' >"$tmp/target"
    chmod 640 "$tmp/target"
    ln -s target "$tmp/link"
    "$bin" decode "$tmp/list.he3" "$tmp/link" || fail "decode through a link failed"
    [ -L "$tmp/link" ] || fail "the link was replaced by a file"
    [ "$(od -An -tx1 "$tmp/target")" = "$expected" ] || fail "the target did not get the data"
    [ "$(stat -c %a "$tmp/target")" = 640 ] || fail "the target lost its mode"
    ln -s nowhere "$tmp/dangling"
    "$bin" decode "$tmp/list.he3" "$tmp/dangling" || fail "decode through a dangling link"
    [ -L "$tmp/dangling" ] && [ "$(od -An -tx1 "$tmp/nowhere")" = "$expected" ] ||
      fail "a dangling link's target was not created"
    ;;
  directory)
    mkdir "$tmp/dir"
    out=$("$bin" decode "$tmp/list.he3" "$tmp/dir" 2>&1)
    [ $? -eq 1 ] || fail "a directory destination did not fail with 1"
    echo "$out" | grep -q "Is a directory" || fail "unclear message: $out"
    [ -d "$tmp/dir" ] && [ -z "$(ls -A "$tmp/dir")" ] || fail "the directory was touched"
    [ "$(leftovers "$tmp")" -eq 0 ] || fail "a temporary was left"
    python3 -c "import socket,sys; s=socket.socket(socket.AF_UNIX); s.bind(sys.argv[1])" "$tmp/sock"
    out=$("$bin" decode "$tmp/list.he3" "$tmp/sock" 2>&1) && fail "a socket was written"
    echo "$out" | grep -q "not a regular file" || fail "unclear message: $out"
    [ -S "$tmp/sock" ] || fail "the socket was replaced"
    ;;
  mode)
    printf 'old' >"$tmp/private"
    chmod 600 "$tmp/private"
    (umask 022 && "$bin" decode "$tmp/list.he3" "$tmp/private") || fail "decode failed"
    [ "$(stat -c %a "$tmp/private")" = 600 ] || fail "mode became $(stat -c %a "$tmp/private")"
    chmod 751 "$tmp/private"
    "$bin" encode "$tmp/plain" "$tmp/private" || fail "encode failed"
    [ "$(stat -c %a "$tmp/private")" = 751 ] || fail "mode became $(stat -c %a "$tmp/private")"
    (umask 077 && "$bin" decode "$tmp/list.he3" "$tmp/new") || fail "decode to a new file"
    [ "$(stat -c %a "$tmp/new")" = 600 ] || fail "a new file ignores the umask"
    ;;
  owner)
    need_root "giving a file to another owner"
    printf 'old' >"$tmp/owned"
    chown 12345:23456 "$tmp/owned"
    chmod 2640 "$tmp/owned"
    "$bin" decode "$tmp/list.he3" "$tmp/owned" || fail "decode failed"
    [ "$(stat -c %u:%g:%a "$tmp/owned")" = 12345:23456:2640 ] ||
      fail "owner, group and mode became $(stat -c %u:%g:%a "$tmp/owned")"
    ;;
  hard-links)
    printf 'old contents, longer than the new' >"$tmp/one"
    ln "$tmp/one" "$tmp/two"
    "$bin" decode "$tmp/list.he3" "$tmp/one" || fail "decode into a linked file failed"
    [ "$(stat -c %h "$tmp/one")" = 2 ] || fail "the links were split"
    [ "$(stat -c %i "$tmp/one")" = "$(stat -c %i "$tmp/two")" ] || fail "the links were split"
    [ "$(od -An -tx1 "$tmp/two")" = "$expected" ] || fail "the other link sees $(cat "$tmp/two")"
    [ "$(leftovers "$tmp")" -eq 0 ] || fail "a temporary was left"
    "$bin" --help | grep -q "hard" || fail "--help does not say what happens to hard links"
    ;;
  long-name)
    # The longest name the file system takes: the temporary must be shorter.
    name=$(printf 'w%.0s' $(seq 255))
    "$bin" decode "$tmp/list.he3" "$tmp/$name" || fail "a 255-byte name cannot be written"
    [ "$(od -An -tx1 "$tmp/$name")" = "$expected" ] || fail "wrong contents"
    "$bin" encode "$tmp/plain" "$tmp/$name" || fail "a 255-byte name cannot be replaced"
    [ "$(leftovers "$tmp")" -eq 0 ] || fail "a temporary was left"
    ;;
  signals)
    need_memory 2
    # A large file to write, so that the signal comes while the temporary exists.
    head -c 600000000 /dev/urandom >"$tmp/big"
    mkdir "$tmp/out"
    # Job control: a background job of a script would otherwise ignore SIGINT.
    set -m
    for sig in INT TERM HUP; do
      printf 'old' >"$tmp/out/dst"
      "$bin" encode "$tmp/big" "$tmp/out/dst" &
      pid=$!
      seen=0
      for _ in $(seq 6000); do
        if [ "$(leftovers "$tmp/out")" -gt 0 ]; then seen=1; break; fi
        kill -0 $pid 2>/dev/null || break
        sleep 0.005
      done
      [ $seen -eq 1 ] || fail "never saw the temporary before the SIG$sig test ended"
      kill -s "$sig" $pid
      wait $pid
      rc=$?
      [ $rc -gt 128 ] || fail "SIG$sig did not stop the tool (exit $rc)"
      [ "$(leftovers "$tmp/out")" -eq 0 ] || fail "SIG$sig left $(ls -A "$tmp/out")"
      [ "$(cat "$tmp/out/dst")" = old ] || fail "SIG$sig damaged the destination"
    done
    ;;
  stdin-bound)
    need_memory 3
    for command in "info -" "decode - $tmp/x" "encode - $tmp/x"; do
      # shellcheck disable=SC2086
      out=$(timeout 120 "$bin" $command </dev/zero 2>&1)
      rc=$?
      [ $rc -eq 1 ] || fail "$command on /dev/zero: exit $rc"
      echo "$out" | grep -q "Error 6 " || fail "$command on /dev/zero: $out"
    done
    # Exactly the limit is read to the end (and then found not to be HE3).
    out=$(head -c 2147483647 /dev/zero | "$bin" info - 2>&1)
    echo "$out" | grep -q "identification string" || fail "2 GiB - 1 bytes: $out"
    ;;
  encode-bound)
    need_memory 5
    # A sparse file of 2 GiB - 1 zero bytes: stored, it would be 4 bytes too long.
    truncate -s 2147483647 "$tmp/sparse"
    printf 'old' >"$tmp/dst"
    out=$("$bin" encode "$tmp/sparse" "$tmp/dst" 2>&1)
    [ $? -eq 1 ] || fail "encode of 2 GiB - 1 bytes did not fail"
    echo "$out" | grep -q "Error 6 " || fail "not the overflow error: $out"
    [ "$(cat "$tmp/dst")" = old ] || fail "the destination was touched"
    # One byte more is refused before it is read.
    truncate -s 2147483648 "$tmp/sparse"
    out=$(timeout 5 "$bin" encode "$tmp/sparse" "$tmp/dst" 2>&1)
    echo "$out" | grep -q "Error 6 " || fail "2 GiB: $out"
    out=$(timeout 5 "$bin" info "$tmp/sparse" 2>&1)
    echo "$out" | grep -q "Error 6 " || fail "info of 2 GiB: $out"
    ;;
  fifo-source)
    mkfifo "$tmp/fifo"
    out=$(timeout 5 "$bin" info "$tmp/fifo" 2>&1)
    [ $? -eq 1 ] || fail "a FIFO source did not fail with 1: $out"
    ;;
  *) fail "unknown case" ;;
esac
echo "ok [$case_name]"

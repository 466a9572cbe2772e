#!/usr/bin/env bash
# lekhora-words given what is no word list or no word file: it says what is
# wrong and fails, never reading a folder as a missing file or copying bytes
# that are not UTF-8 to its output.
source "$(dirname "$0")/cli_test_lib.sh"

run() {
  "$bin" "$@" >"$tmp/out" 2>"$tmp/err" </dev/null
  rc=$?
  err=$(cat "$tmp/err")
}
expect_failure_saying() {
  [ "$rc" -eq 1 ] || fail "exit $rc, expected 1 (stderr: $err)"
  grep -qF -- "$1" "$tmp/err" || fail "stderr lacks '$1': $err"
  grep -qF "does not exist" "$tmp/err" && fail "a file that is there called missing: $err"
  return 0
}

case $case_name in
  not-a-file)
    run check "$tmp"
    expect_failure_saying "Is a directory"
    run check .
    expect_failure_saying "Is a directory"
    run check /dev/null
    expect_failure_saying "not a regular file"
    mkfifo "$tmp/fifo"
    # Must not wait for a writer.
    timeout 10 "$bin" check "$tmp/fifo" >"$tmp/out" 2>"$tmp/err" </dev/null
    rc=$?
    err=$(cat "$tmp/err")
    [ "$rc" -ne 124 ] || fail "check of a FIFO waited for a writer"
    expect_failure_saying "not a regular file"
    # A file that is not there still says so.
    run check "$tmp/none"
    [ "$rc" -eq 1 ] && grep -qF "does not exist" "$tmp/err" || fail "missing file: $err"
    ;;
  covers-invalid-utf8)
    printf 'head\r\nab\r\n' | iconv -f UTF-8 -t UTF-16LE >"$tmp/list.txt"
    printf 'ab\nc\xffd\n' >"$tmp/words.txt"
    run covers "$tmp/list.txt" "$tmp/words.txt"
    expect_failure_saying "is not valid UTF-8: bad byte at offset 4"
    [ ! -s "$tmp/out" ] || fail "the invalid bytes went to the output: $(od -c "$tmp/out")"
    printf 'ab\n' >"$tmp/words.txt"
    run covers "$tmp/list.txt" "$tmp/words.txt"
    [ "$rc" -eq 0 ] || fail "a valid word file failed: $err"
    ;;
  *) fail "unknown case" ;;
esac

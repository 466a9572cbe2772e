#!/usr/bin/env bash
# Command-line behaviour of lekhora-convert: convert_cli_test.sh BINARY CASE
set -u
source "$(dirname "$0")/cli_test_lib.sh"

# run INPUT ARGS...: sets out (hex of stdout), err (stderr), rc
run() {
  local input=$1
  shift
  printf '%b' "$input" | "$bin" "$@" >"$tmp/out" 2>"$tmp/err"
  rc=$?
  out=$(od -An -v -tx1 "$tmp/out" | tr -s ' \n' ' ' | sed 's/^ //;s/ $//')
  err=$(cat "$tmp/err")
}

expect_rc() { [ "$rc" -eq "$1" ] || fail "exit $rc, expected $1 (stderr: $err)"; }
expect_out() { [ "$out" = "$1" ] || fail "stdout bytes '$out', expected '$1'"; }
expect_err_has() { grep -qF -- "$1" "$tmp/err" || fail "stderr lacks '$1': $err"; }

layouts=("Phonetic(Vimra)" "Phonetic" "Inscript" "Remington")
scripts=(Bangla Romanized Gurumukhi Gujarati Hindi Kannad Oriya Tamil Telugu Malayalam)

case $case_name in
  demo)
    run 'kh kai Aii\n'
    expect_rc 0
    # U+0916 space U+0915 U+0948 space U+0908 LF
    expect_out "e0 a4 96 20 e0 a4 95 e0 a5 88 20 e0 a4 88 0a"
    [ -z "$err" ] || fail "unexpected stderr: $err"
    ;;
  line-ends)
    # LF, CR LF and CR are one Enter each and come out as LF; Tab stays.
    run 'k\nk\r\nk\rk\tk'
    expect_rc 0
    expect_out "e0 a4 95 0a e0 a4 95 0a e0 a4 95 0a e0 a4 95 09 e0 a4 95"
    run '\r\n\r\n'
    expect_out "0a 0a"
    ;;
  control-keys)
    # Backspace deletes before the caret, and the next key does not compose
    # with what it left; other control characters are dropped.
    run 'mk\bh\x01\x1b'
    expect_rc 0
    expect_out "e0 a4 ae e0 a4 b9"
    run '\b\b'
    expect_rc 0
    expect_out ""
    ;;
  passthrough)
    # Non-ASCII input reaches the text unchanged, including outside the BMP.
    run 'k\xc3\xa9\xf0\x9f\x98\x80h'
    expect_rc 0
    expect_out "e0 a4 95 c3 a9 f0 9f 98 80 e0 a4 b9"
    run 'x\xf0\x9f\x98\x80\b'
    expect_out "e0 a4 a1"
    ;;
  empty-input)
    run ''
    expect_rc 0
    expect_out ""
    ;;
  layouts)
    for name in "${layouts[@]}"; do
      run 'k' --layout "$name"
      expect_rc 0
    done
    run 'kh' --layout Inscript
    expect_out "e0 a4 95 e0 a4 aa"
    run 'kh' --layout=Remington
    expect_out "e0 a4 be e0 a5 80"
    ;;
  scripts)
    for name in "${scripts[@]}"; do
      run 'k' --script "$name"
      expect_rc 0
    done
    run 'k' --script Gujarati
    expect_out "e0 aa 95"
    # The script wins over the layout, as choosing it in the pad makes Phonetic current.
    run 'k' --layout Remington --script=Tamil
    expect_out "e0 ae 95"
    ;;
  bad-names)
    for name in phonetic "Phonetic (Vimra)" "phonetic(vimra)" INSCRIPT "" " Remington"; do
      run 'k' --layout "$name"
      expect_rc 2
      expect_out ""
      for valid in "${layouts[@]}"; do expect_err_has "\"$valid\""; done
    done
    for name in bangla Hindi2 "" Devanagari; do
      run 'k' --script "$name"
      expect_rc 2
      expect_out ""
      for valid in "${scripts[@]}"; do expect_err_has "\"$valid\""; done
    done
    ;;
  bad-arguments)
    for args in "--layout" "--script" "--bogus" "extra"; do
      # shellcheck disable=SC2086
      run 'k' $args
      expect_rc 2
      expect_out ""
    done
    ;;
  help)
    run '' --help
    expect_rc 0
    for name in "${layouts[@]}" "${scripts[@]}" --layout --script; do
      grep -qF -- "$name" "$tmp/out" || fail "--help does not mention $name"
    done
    ;;
  invalid-utf8)
    # offset of the first byte of the bad sequence
    for pair in 'ab\xff:2' '\x80:0' 'k\xc0\xaf:1' 'kk\xe0\xa4:2' 'k\xed\xa0\x80:1' \
                'k\xf4\x90\x80\x80:1' 'kh\xe0\xa4k:2' '\xe0\xa4\x95\xe0\xa4\x95\xc3:6'; do
      run "${pair%:*}"
      expect_rc 1
      expect_out ""
      expect_err_has "offset ${pair##*:}"
    done
    ;;
  unreadable-input)
    # A directory, an endless device, random bytes: a message and exit 1, soon.
    timeout 10 "$bin" <"$tmp" >"$tmp/out" 2>"$tmp/err"
    rc=$?
    expect_rc 1
    expect_err_has "directory"
    timeout 20 "$bin" </dev/zero >"$tmp/out" 2>"$tmp/err"
    rc=$?
    expect_rc 1
    expect_err_has "256 MiB"
    [ ! -s "$tmp/out" ] || fail "output written for refused input"
    timeout 5 "$bin" </dev/urandom >"$tmp/out" 2>"$tmp/err"
    rc=$?
    [ "$rc" -eq 1 ] || fail "/dev/urandom: exit $rc"
    expect_err_has "not valid UTF-8"
    # One byte over the limit through a pipe, and a bad byte far into a stream.
    head -c $((256 * 1024 * 1024 + 1)) /dev/zero | tr '\0' k | "$bin" >"$tmp/out" 2>"$tmp/err"
    rc=$?
    expect_rc 1
    expect_err_has "256 MiB"
    { head -c 1000000 /dev/zero | tr '\0' k; printf '\xff'; cat /dev/zero; } |
      timeout 10 "$bin" >"$tmp/out" 2>"$tmp/err"
    rc=$?
    expect_rc 1
    expect_err_has "offset 1000000"
    ;;
  intelligent-roman)
    # Words of Latin letters alone become Devanagari; digits, punctuation,
    # mixed words and Devanagari stay.
    run 'kaise ho, 12 abc9 हाँ\n' --layout IntelligentRoman
    expect_rc 0
    expect_out "e0 a4 95 e0 a5 88 e0 a4 b8 e0 a5 87 20 e0 a4 b9 e0 a5 8b 2c 20 31 32 20 61 62 63 39 20 e0 a4 b9 e0 a4 be e0 a4 81 0a"
    # A line per word, its candidates separated by tabs, the best first.
    run 'kaise 12' --layout=IntelligentRoman --candidates 3
    expect_rc 0
    case "$out" in
      "e0 a4 95 e0 a5 88 e0 a4 b8 e0 a5 87 09 "*" 09 "*" 0a 31 32 0a") ;;
      *) fail "candidates: $out" ;;
    esac
    for args in "--candidates 3" "--layout IntelligentRoman --candidates 0" \
                "--layout IntelligentRoman --candidates x" "--layout IntelligentRoman --script Bangla"; do
      # shellcheck disable=SC2086
      run 'k' $args
      expect_rc 2
      expect_out ""
    done
    ;;
  *)
    fail "unknown case"
    ;;
esac
exit 0

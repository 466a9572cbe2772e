#!/usr/bin/env bash
# The soak: the real pad, built with AddressSanitizer, under Xvfb with openbox,
# fed random keys, Backspace storms, clicks, selections, pastes of up to 1 MB
# and accepts for SOAK_MINUTES (default 10). Every few seconds it checks that
# the pad still answers (a copy-all through the toolbar reaches the clipboard)
# and that its memory stays bounded; now and then it clears the box, types a
# known line and compares the text with what lekhora-convert predicts.
#   soak.sh BUILD_DIR [STATE_DIR]
# Figures go to STATE_DIR/summary (and standard output); exit 1 on a finding.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: soak.sh BUILD_DIR [STATE_DIR]}" && pwd)
state=${2:-$build/soak}
minutes=${SOAK_MINUTES:-10}
max_rss_mb=${SOAK_MAX_RSS_MB:-3000}
seed=${SOAK_SEED:-$$}
program=$build/bin/lekhora
convert=$build/bin/lekhora-convert
[ -x "$program" ] && [ -x "$convert" ] || { echo "soak: build $build has no lekhora" >&2; exit 2; }

bash "$here/../e2e/start_display.sh" "$state" openbox || exit 2
cleanup() {
  stop_pad
  bash "$here/../e2e/stop_display.sh" "$state"
}
# The end-to-end helpers: display, pad start, clicks, clipboard.
set -- "$state" "$program"
source "$here/../e2e/lib.sh"
set +e
trap cleanup EXIT
RANDOM=$seed

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=0:halt_on_error=1:detect_leaks=1}
export LSAN_OPTIONS=suppressions=$here/../lsan.supp
start_pad
focus_box

# Two clicks within the double-click interval are one double click, which
# the pad's images take as one click: clicks are spaced beyond it.
last_click_ms=0
click_in() {
  local now wait
  now=$(date +%s%3N)
  wait=$((600 - (now - last_click_ms)))
  [ "$wait" -gt 0 ] && sleep "0.$(printf %03d "$wait")"
  xdotool mousemove --window "$window" "$1" "$2" click "${3:-1}"
  last_click_ms=$(date +%s%3N)
}

copy_at=(540 30)
paste_at=(540 50)
select_at=(540 70)
keys_sent=0
actions=0
checks=0
model_checks=0
max_rss_kb=0
findings=()
paste_bytes=0

finding() {
  findings+=("$*")
  echo "FINDING: $* (pad cpu time $(ps -o time= -p "$pad_pid" 2>/dev/null))" >&2
  import -window root "$state/finding-${#findings[@]}.png" 2>/dev/null || true
}
rss_kb() { sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$pad_pid/status" 2>/dev/null; }
# Random printable keys for the box: letters, digits, space and punctuation.
random_keys() {
  local n=$1 s= chars='abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789   .,;-'
  for ((i = 0; i < n; i++)); do s+=${chars:RANDOM % ${#chars}:1}; done
  printf '%s' "$s"
}
# A point inside txtType (window pixels).
box_point() { echo $((20 + RANDOM % 320)) $((48 + RANDOM % 68)); }
# The popup follows the caret and may cover the toolbar: move it aside
# before the toolbar is clicked.
toolbar_click() {
  local popup
  popup=$(popup_window)
  [ -n "$popup" ] && xdotool windowmove "$popup" 0 620 2>/dev/null
  click_in "$@"
}
clipboard_text() { timeout 10 xclip -selection clipboard -o 2>/dev/null; }

# The pad answers when a copy-all replaces a marker on the clipboard.
check_answers() {
  local marker="lekhora-soak-marker-$RANDOM$RANDOM"
  printf '%s' "$marker" | xclip -selection clipboard -i
  # xclip serves the selection from a child it forks: make sure the marker
  # owns the clipboard before the pad is asked to take it over.
  wait_for 10 'test "$(clipboard_text)" = "$marker"' || finding "the clipboard did not take the marker"
  toolbar_click "${copy_at[@]}"
  if ! wait_for 30 'test "$(clipboard_text)" != "$marker"'; then
    finding "the pad did not answer a copy-all within 30 s"
    return 1
  fi
  click_in $(box_point)
  return 0
}

# Clear, type a known line with conversion on, compare with the converter.
check_model() {
  local line expected got
  line=$(printf '%s' "kh kai Aii nam" "$(random_keys 20 | tr -dc 'a-z ')")
  toolbar_click "${select_at[@]}"
  xdotool key Delete
  click_in $(box_point)
  xdotool key ctrl+End
  xdotool type --delay 15 -- "$line"
  keys_sent=$((keys_sent + ${#line} + 1))
  expected=$(printf '%s' "$line" | "$convert" | od -An -tx1 | tr -d ' \n')
  printf 'marker' | xclip -selection clipboard -i
  wait_for 10 'test "$(clipboard_text)" = marker'
  toolbar_click "${copy_at[@]}"
  wait_for 30 'test "$(clipboard_hex)" = "$expected"'
  got=$(clipboard_hex)
  model_checks=$((model_checks + 1))
  [ "$got" = "$expected" ] ||
    finding "after clearing and typing '$line' the box holds ${#got} hex digits (${got:0:120}...), expected $expected"
}

do_paste() {
  local size
  # Mostly small pastes, now and then up to 1 MB; lines of up to 200 characters.
  case $((RANDOM % 10)) in
    0) size=$((RANDOM * 32 % 1048576 + 1)) ;;
    1 | 2) size=$((RANDOM % 20000 + 1)) ;;
    *) size=$((RANDOM % 300 + 1)) ;;
  esac
  head -c "$size" /dev/urandom | base64 -w $((RANDOM % 200 + 1)) | head -c "$size" |
    xclip -selection clipboard -i
  paste_bytes=$((paste_bytes + size))
  toolbar_click "${paste_at[@]}"
  click_in $(box_point)
}

action() {
  case $((RANDOM % 12)) in
    0 | 1 | 2 | 3)
      local k
      k=$(random_keys $((RANDOM % 40 + 1)))
      xdotool type --delay 3 -- "$k"
      keys_sent=$((keys_sent + ${#k}))
      ;;
    4)
      local n=$((RANDOM % 200 + 1))
      xdotool key --delay 1 --repeat "$n" BackSpace
      keys_sent=$((keys_sent + n))
      ;;
    5) click_in $(box_point) ;;
    6)
      local n=$((RANDOM % 30 + 1))
      xdotool key --delay 2 --repeat "$n" shift+Left
      keys_sent=$((keys_sent + n))
      ;;
    7)
      toolbar_click "${select_at[@]}"
      click_in $(box_point)
      ;;
    8) do_paste ;;
    9)
      xdotool key shift+space
      keys_sent=$((keys_sent + 1))
      ;;
    10)
      xdotool key shift+Down shift+Right
      keys_sent=$((keys_sent + 2))
      ;;
    11)
      xdotool key --delay 2 Left Left Right Home End
      keys_sent=$((keys_sent + 5))
      ;;
  esac
  actions=$((actions + 1))
}

start=$(date +%s)
end=$((start + minutes * 60))
next_check=$((start + 5))
next_model=$((start + 30))
while [ "$(date +%s)" -lt "$end" ]; do
  if ! kill -0 "$pad_pid" 2>/dev/null; then
    finding "the pad is gone"
    break
  fi
  action
  now=$(date +%s)
  if [ "$now" -ge "$next_check" ]; then
    check_answers
    checks=$((checks + 1))
    rss=$(rss_kb)
    [ -n "$rss" ] && [ "$rss" -gt "$max_rss_kb" ] && max_rss_kb=$rss
    [ -n "$rss" ] && [ "$rss" -gt $((max_rss_mb * 1024)) ] && finding "RSS ${rss} kB above ${max_rss_mb} MB"
    next_check=$(($(date +%s) + 5))
  fi
  if [ "$now" -ge "$next_model" ]; then
    check_model
    next_model=$(($(date +%s) + 30))
  fi
done
grep -q "ERROR: AddressSanitizer\|runtime error:" "$state/pad.log" && finding "sanitizer report in $state/pad.log"

summary="minutes=$minutes seed=$seed actions=$actions keys_sent=$keys_sent pasted_bytes=$paste_bytes"
summary+=" checks=$checks model_checks=$model_checks max_rss_mb=$((max_rss_kb / 1024))"
summary+=" findings=${#findings[@]}"
echo "$summary" | tee "$state/summary"
for f in "${findings[@]}"; do echo "  $f" | tee -a "$state/summary"; done
[ ${#findings[@]} -eq 0 ]

# Shared steps of the end-to-end tests: the pad on the fixture's display,
# found and driven with xdotool, read back with xclip.
set -euo pipefail
state=$1
program=$2
DISPLAY=$(cat "$state/display")
export DISPLAY
# A runtime folder of the test's own: the pad keeps its one-instance lock
# there, so a pad the developer runs meanwhile does not take part.
XDG_RUNTIME_DIR=$(mktemp -d "$state/runtime.XXXXXX")
chmod 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR
# A home of the test's own, so that the pad keeps its words, settings and
# text there and starts from nothing a developer left.
HOME=$(mktemp -d "$state/home.XXXXXX")
export HOME XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share
data_dir=$XDG_DATA_HOME/lekhora
config_dir=$XDG_CONFIG_HOME/lekhora
pad_pid=

fail() {
  echo "FAIL: $*" >&2
  if command -v import >/dev/null; then import -window root "$state/failure.png" 2>/dev/null || true; fi
  exit 1
}

# Ends the pad and waits until it is gone: a pad still closing would leave
# its tray icon beside the next test's, which that test could take for its own.
stop_pad() {
  [ -n "$pad_pid" ] && kill -0 "$pad_pid" 2>/dev/null || return 0
  kill "$pad_pid" 2>/dev/null || true
  local tries=100
  while kill -0 "$pad_pid" 2>/dev/null && [ $tries -gt 0 ]; do
    sleep 0.1
    tries=$((tries - 1))
  done
  kill -9 "$pad_pid" 2>/dev/null || true
  wait "$pad_pid" 2>/dev/null || true
}
trap stop_pad EXIT

# xdotool with --sync waits for the event without end; a window that never
# takes the focus or a pointer that does not move must fail the test's own
# checks instead of hanging it.
xdo() { timeout 10 xdotool "$@" || true; }

# Polls a shell condition (evaluated afresh each time) for up to $1 seconds.
wait_for() {
  local seconds=$1
  shift
  local tries=$((seconds * 20))
  while [ $tries -gt 0 ]; do
    if eval "$*" >/dev/null 2>&1; then return 0; fi
    sleep 0.05
    tries=$((tries - 1))
  done
  return 1
}

mapped() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
unmapped() { ! mapped "$1"; }
# The pad's first visible window named Lekhora whose width passes the test
# "$1 $2" (-gt 400, -eq 212, ...); nothing when there is none.
lekhora_window() {
  local w
  for w in $(xdotool search --onlyvisible --name '^Lekhora$' 2>/dev/null || true); do
    if [ "$(xwininfo -id "$w" | sed -n 's/.*Width: //p')" "$1" "$2" ]; then echo "$w"; return 0; fi
  done
  return 0
}
# The typing window is the wide one of the pad's windows named Lekhora.
typing_window() { lekhora_window -gt 400; }
popup_window() { xdotool search --name '^Suggestions$' 2>/dev/null | head -1 || true; }
# The icon is the pad's window inside trayer's panel.
# That of this test's pad when the icon names its process (a pad of another
# test may still be closing); else the first one.
tray_icon() {
  local w icons icon
  icons=$(for w in $(xdotool search --class trayer 2>/dev/null || true); do
    xwininfo -tree -id "$w" | sed -n 's/^ *\(0x[0-9a-f]*\) "Lekhora".*/\1/p'
  done)
  for icon in $icons; do
    if [ -n "$pad_pid" ] && xprop -id "$icon" _NET_WM_PID 2>/dev/null | grep -q "= $pad_pid\$"; then
      echo "$icon"
      return 0
    fi
  done
  head -1 <<<"$icons"
  return 0
}
# Open popup menus of the pad: mapped override-redirect windows that are
# neither the frameless tray icon nor a tooltip.
# The pad's open popup menus, one window id a line.
open_menu_windows() {
  local w
  for w in $(xdotool search --onlyvisible --class lekhora 2>/dev/null || true); do
    xwininfo -id "$w" | grep -q 'Override Redirect State: yes' || continue
    xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q -E 'OVERRIDE|TOOLTIP' && continue
    echo "$w"
  done
}
open_menus() { open_menu_windows | grep -c . || true; }
# Clicks entry $1 of the $2 equally high entries of the open menu. The mouse
# reaches a menu at once, where keys typed before its keyboard grab is in
# place would go astray.
click_menu_entry() {
  local m info x y w h
  m=$(open_menu_windows | head -1)
  [ -n "$m" ] || return 1
  # A loaded machine may still be laying the menu out: its place and size
  # are read once they hold still.
  local last="" tries=0
  info=$(xwininfo -id "$m")
  while [ "$info" != "$last" ] && [ $tries -lt 20 ]; do
    last=$info
    sleep 0.1
    info=$(xwininfo -id "$m")
    tries=$((tries + 1))
  done
  x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  w=$(sed -n 's/.*Width: *//p' <<<"$info")
  h=$(sed -n 's/.*Height: *//p' <<<"$info")
  xdotool mousemove $((x + w / 2)) $((y + (2 * $1 - 1) * h / (2 * $2)))
  sleep 0.2
  xdotool click 1
}

# What starts the pad: the program itself unless a test says otherwise.
pad_command=("$program")

# Starts the pad and waits for its windows, kept in window, popup and icon;
# "without-popup" when the pad remembers its popup closed.
# A search for a window can come back empty while the pad makes or drops
# another window of its own (xdotool gives up on a window gone mid-search):
# each window is kept from the search that found it, never asked for again.
start_pad() {
  cd "$(dirname "$program")"
  "${pad_command[@]}" >>"$state/pad.log" 2>&1 &
  pad_pid=$!
  wait_for 10 'window=$(typing_window); test -n "$window"' || fail "the typing window did not appear"
  if [ "${1:-}" != without-popup ]; then
    wait_for 5 'popup=$(popup_window); mapped "$popup"' || fail "the suggestion popup did not appear"
  fi
  wait_for 5 'icon=$(tray_icon); test -n "$icon"' || fail "the tray icon did not appear"
  # The splash closes itself after 4 seconds; wait so it covers nothing.
  sleep 4.2
}

# Clicks at a point of the typing window (pixels from its top left).
click_in() { xdotool mousemove --window "$window" "$1" "$2" click "${3:-1}"; }
focus_box() {
  xdo windowfocus --sync "$window"
  click_in 100 60
}
# What the clipboard holds; a pad too busy to answer for it ends the wait.
clipboard_text() { timeout 2 xclip -selection clipboard -o 2>/dev/null; }
# Standard input's bytes as one run of hex digits, as the checks compare text.
hex() { od -An -tx1 | tr -d ' \n'; }
clipboard_hex() { clipboard_text | hex; }
# Puts $1 on the clipboard and returns once xclip holds it: xclip takes it
# from the background after it has returned. Its output goes nowhere, as
# the test runner waits on the test's until it is closed.
put_on_clipboard() {
  local clip_text=$1
  printf '%s' "$clip_text" | xclip -selection clipboard -i >/dev/null 2>&1
  wait_for 5 'test "$(clipboard_text)" = "$clip_text"'
}
# Where the typing window's copy image is.
copy_at=(540 30)
# What the box holds, copied by the copy image, as UTF-8 hex. A marker put on
# the clipboard first tells when the copy has happened: a slow build of the
# pad on a loaded machine may take seconds to answer the click, and xclip
# gives up on an owner that does not answer, which must not read as empty.
not_copied='not copied'
box_hex() {
  local copied=
  put_on_clipboard "$not_copied" || true
  click_in "${copy_at[@]}"
  wait_for 15 'copied=$(clipboard_text) && test "$copied" != "$not_copied"' || true
  printf '%s' "$copied" | hex
}
# The name of the window with the keyboard focus, for a failure's message:
# where keys and clicks went when they did not reach the pad.
focused_window() { xdotool getwindowfocus getwindowname 2>&1 || true; }
# UTF-8 bytes of a string given as code points, e.g. utf8_hex 0915 093E.
utf8_hex() { local s=; for cp in "$@"; do s+=$(printf "\\u$cp"); done; printf '%s' "$s" | hex; }

# The tray menu's Exit (its last entry); waits until the pad has ended.
exit_pad() {
  local icon
  wait_for 5 'icon=$(tray_icon); test -n "$icon"' || fail "the tray icon is gone"
  xdotool mousemove --window "$icon" 10 15 click 1
  wait_for 3 'test "$(open_menus)" -eq 1' || fail "the tray menu did not open"
  click_menu_entry 3 3
  wait_for 10 '! kill -0 "$pad_pid"' || fail "Exit did not end the pad"
  wait "$pad_pid" || fail "the pad ended with status $?"
  pad_pid=
}

# Ends the pad at once, as a crash or a power cut would.
kill_pad() {
  kill -9 "$pad_pid"
  wait "$pad_pid" 2>/dev/null || true
  pad_pid=
}

# The superuser may write anywhere; to see what a normal user meets, the pad
# then runs as nobody, with the test's home and runtime folder made its own.
run_as_normal_user() {
  [ "$(id -u)" -eq 0 ] || return 0
  command -v setpriv >/dev/null || fail "setpriv is needed to run the pad as a normal user"
  chmod 755 "$state"
  chown -R 65534:65534 "$HOME" "$XDG_RUNTIME_DIR"
  pad_command=(setpriv --reuid=65534 --regid=65534 --clear-groups "$program")
}

# The text of a UTF-16LE file (a word list) as UTF-8.
utf16_text() { iconv -f UTF-16LE -t UTF-8 "$1"; }
# A user file's words: every line after the first.
user_words() { utf16_text "$1" | tr -d '\r' | tail -n +2; }
# The title band is where the pad tells of its files; a tooltip shows there
# only when it has something to tell. The pad's short messages beside the
# box, windows named by their text, are no part of it.
title_tip_shown() {
  xdotool mousemove --window "$window" 300 8
  sleep 1.5
  local w
  for w in $(xdotool search --onlyvisible --class lekhora 2>/dev/null || true); do
    xprop -id "$w" WM_NAME | grep -q '= "..*"$' && continue
    xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q TOOLTIP && return 0
  done
  return 1
}

#!/usr/bin/env bash
# The input method end to end: a private display, session bus and IBus daemon
# that know only the engine from the build tree, a Qt text box and a GTK entry
# as clients, keys sent with xdotool. Nothing outside a temporary folder is
# read or written. Exits 77 (skipped) when the IBus packages are missing.
#   ibus_e2e.sh COMPONENT_DIR CONVERT QT_CLIENT GTK_CLIENT
set -euo pipefail
# printf's \u escapes need a UTF-8 locale; C.UTF-8 is always there.
export LC_ALL=C.UTF-8
component_dir=$1 convert=$2 qt_client=$3 gtk_client=$4

# Debian's GObject bindings belong to the system's Python, which another
# Python earlier on the PATH would not see.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
missing=()
for tool in ibus-daemon ibus dbus-run-session Xvfb xdotool "$python"; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
if ! "$python" -c 'import gi; gi.require_version("Gtk", "3.0"); from gi.repository import Gtk' 2>/dev/null; then
  missing+=(python3-gi/gir1.2-gtk-3.0)
fi
if [ ! -e /usr/lib/x86_64-linux-gnu/gtk-3.0/3.0.0/immodules/im-ibus.so ] &&
  ! ls /usr/lib/*/gtk-3.0/3.0.0/immodules/im-ibus.so >/dev/null 2>&1; then
  missing+=(ibus-gtk3)
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "SKIP: the IBus test needs ${missing[*]} (scripts/ensure-deps.sh installs them)"
  exit 77
fi

# shellcheck source=tests/ime/private_session.sh
. "$(dirname "$0")/private_session.sh"
# shellcheck source=tests/ime/test_client.sh
. "$(dirname "$0")/test_client.sh"
private_session ibus "$@"
export IBUS_ADDRESS_FILE=$tmp/ibus-address
# The user's own list, where the pad keeps it: a word the user added comes
# before every frequent word. Its prefix (son) is typed nowhere else here, so
# no word the history learns from the other steps can outrank it.
user_word=
write_user_word() {
  user_word=$1
  printf 'my words\r\n%s\r\n' "$1" | iconv -f UTF-8 -t UTF-16LE >"$tmp/words.new"
  mv "$tmp/words.new" "$XDG_DATA_HOME/lekhora/customwords.txt"
}
write_user_word "$(printf '\u0938\u094B\u0928\u092A\u0941\u0930\u0935\u093E\u0932\u093E')"
export LEKHORA_IBUS_DEBUG=$tmp/engine.log
IBUS_COMPONENT_PATH=$component_dir ibus-daemon --panel=disable --emoji-extension=disable \
  --config=disable --cache=none >"$tmp/daemon.log" 2>&1 &
daemon_pid=$!
client_pid=
stop() {
  [ -n "$client_pid" ] && kill "$client_pid" 2>/dev/null || true
  end_process "$daemon_pid"
}
trap stop EXIT
for _ in $(seq 100); do ibus list-engine >/dev/null 2>&1 && break; sleep 0.05; done
ibus list-engine 2>/dev/null | grep -q lekhora-vimra || { echo "FAIL: the daemon does not list lekhora-vimra"; exit 1; }
# The daemon tells the panel and the desktop each engine's icon and symbol.
if "$python" -c 'import gi; gi.require_version("IBus", "1.0")' 2>/dev/null; then
  "$python" "$(dirname "$0")/ibus_component_check.py" "$component_dir/lekhora.xml" daemon ||
    { echo "FAIL: the daemon's engine descriptions"; exit 1; }
else
  echo "NOTE: gir1.2-ibus-1.0 is missing: the daemon's engine descriptions are not checked"
fi

# The latency measurement of make bench instead of the tests.
if [ -n "${LEKHORA_IBUS_LATENCY_CLIENT:-}" ]; then
  # LEKHORA_IBUS_LATENCY_ENGINE times another engine (lekhora-roman).
  ibus engine "${LEKHORA_IBUS_LATENCY_ENGINE:-lekhora-vimra}" >/dev/null 2>&1 || true
  QT_IM_MODULE=ibus QT_QPA_PLATFORM=xcb "$LEKHORA_IBUS_LATENCY_CLIENT" "${LEKHORA_IBUS_LATENCY_KEYS:-1000}"
  exit $?
fi

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

u() { printf "$@"; }  # \uXXXX escapes

select_engine() {
  ibus engine "$1" >/dev/null 2>&1 || true
  [ "$(ibus engine 2>/dev/null)" = "$1" ] || { fail "engine $1 not selected"; return 1; }
}

# start_client qt|gtk: waits until its first field has the focus. The client
# reads commands (focus a|b, purpose a|b ..., click) from a FIFO: tell.
start_client() {
  rm -f "$tmp/text" "$tmp/text.b" "$tmp/client.out" "$tmp/commands"
  mkfifo "$tmp/commands"
  exec 5<>"$tmp/commands"
  case $1 in
    qt) QT_IM_MODULE=ibus QT_QPA_PLATFORM=xcb "$qt_client" "$tmp/text" <"$tmp/commands" >"$tmp/client.out" 2>"$tmp/client.err" & ;;
    gtk) GTK_IM_MODULE=ibus "$python" "$gtk_client" "$tmp/text" <"$tmp/commands" >"$tmp/client.out" 2>"$tmp/client.err" & ;;
  esac
  client_pid=$!
  for _ in $(seq 200); do grep -q ready "$tmp/client.out" 2>/dev/null && break; sleep 0.05; done
  grep -q ready "$tmp/client.out" || { fail "$1 client never got the focus"; cat "$tmp/client.err"; return 1; }
  sleep 0.3  # the input context is created just after the focus
}
# click a|b: a click with the mouse into that field, at its end.
click() {
  # shellcheck disable=SC2086
  xdotool mousemove $(ask at where "$1") click 1
  sleep 0.3
}
# focus a|b: moves the focus between the client's two fields and waits for it.
focus() {
  local before
  before=$(grep -c '^focus ' "$tmp/client.out" || true)
  tell focus "$1"
  for _ in $(seq 100); do
    [ "$(grep -c '^focus ' "$tmp/client.out")" -gt "$before" ] &&
      [ "$(grep '^focus ' "$tmp/client.out" | tail -1)" = "focus $1" ] && break
    sleep 0.02
  done
  sleep 0.2
}
# Waits up to two seconds for the client's text to become $1.
expect_text() {
  for _ in $(seq 40); do [ "$(text)" = "$1" ] && return 0; sleep 0.05; done
  fail "$2: expected [$1], got [$(text)]"
}
# The same for both fields: expect_texts A B what
expect_texts() {
  for _ in $(seq 40); do [ "$(text)" = "$1" ] && [ "$(text_b)" = "$2" ] && return 0; sleep 0.05; done
  fail "$3: expected [$1] and [$2], got [$(text)] and [$(text_b)]"
}
first_candidate() { grep '^candidates ' "$tmp/engine.log" | tail -1 | sed 's/^candidates \[\([^ @]*\).*/\1/'; }
last_preedit() { grep '^preedit ' "$tmp/engine.log" | tail -1 | sed 's/^preedit \[\(.*\)\]$/\1/'; }

# keys "a b c": xdotool key names
send() {
  local delay=$1
  shift
  xdotool key --delay "$delay" "$@"
}
keys_of() {  # the xdotool names of the characters of $1
  local s=$1 i c
  for ((i = 0; i < ${#s}; i++)); do
    c=${s:i:1}
    case $c in
      " ") printf 'space ' ;;
      *) printf '%s ' "$c" ;;
    esac
  done
}

demo=$(u '\u0916 \u0915\u0948 \u0908 ')
for client in ${LEKHORA_IBUS_CLIENTS:-qt gtk}; do
  # The four engines, each against what the pad types with its layout.
  for pair in "lekhora-vimra:Phonetic(Vimra)" "lekhora-phonetic:Phonetic" "lekhora-inscript:Inscript" \
    "lekhora-remington:Remington"; do
    engine=${pair%%:*} layout=${pair#*:}
    select_engine "$engine" || continue
    start_client $client || continue
    send 30 $(keys_of "kh kai Aii ")
    expect=$(printf 'kh kai Aii ' | "$convert" --layout "$layout")
    expect_text "$expect" "$client $engine kh kai Aii"
    [ $engine = lekhora-vimra ] && [ "$expect" != "$demo" ] && fail "the pad's own text is not [$demo]"
    stop_client
  done

  # IntelligentRoman: Hindi as people spell it in Latin letters becomes
  # Devanagari at each break, the preedit showing the word a break commits;
  # Escape keeps an English word as typed.
  select_engine lekhora-roman || continue
  start_client $client || continue
  : >"$tmp/engine.log"
  send 30 $(keys_of "kaise")
  kaise=$(u '\u0915\u0948\u0938\u0947')
  for _ in $(seq 60); do [ "$(last_preedit)" = "$kaise" ] && break; sleep 0.05; done
  [ "$(last_preedit)" = "$kaise" ] || fail "$client lekhora-roman: the preedit of kaise is [$(last_preedit)]"
  send 30 $(keys_of " ho hello") Escape
  expect_text "$(u '\u0915\u0948\u0938\u0947 \u0939\u094b ')hello" "$client lekhora-roman kaise ho hello"
  stop_client

  select_engine lekhora-vimra || continue
  # Preedit while a word is typed, nothing committed; Backspace edits it.
  start_client $client || continue
  : >"$tmp/engine.log"
  send 30 m e r a
  sleep 0.3
  [ "$(last_preedit)" = "$(u '\u092E\u0947\u0930\u093E')" ] || fail "$client preedit while typing: [$(last_preedit)]"
  [ -z "$(text)" ] || fail "$client committed [$(text)] before the word ended"
  send 30 BackSpace i space
  expect_text "$(u '\u092E\u0947\u0930\u093F ')" "$client mera Backspace i"
  [ -z "$(last_preedit)" ] || fail "$client preedit after the word break: [$(last_preedit)]"
  stop_client

  # A prefix, then Shift+Space commits the highlighted suggestion, the user's word.
  start_client $client || continue
  : >"$tmp/engine.log"
  send 30 s o n
  sleep 0.3
  first=$(first_candidate)
  if [ -z "$first" ]; then
    fail "$client no candidates for son"
  elif [ "$first" != "$user_word" ]; then
    fail "$client the user's word is not the first candidate for son: [$first]"
  else
    send 30 shift+space
    expect_text "$first" "$client Shift+Space"
  fi
  stop_client

  # A word the pad adds meanwhile is a candidate from the next focus on.
  write_user_word "$user_word$(u '\u0940')"
  start_client $client || continue
  : >"$tmp/engine.log"
  send 30 s o n
  sleep 0.3
  first=$(first_candidate)
  [ "$first" = "$user_word" ] || fail "$client a changed user list is not read again: [$first]"
  send 30 Escape
  stop_client

  # Fast typing gives the same text.
  start_client $client || continue
  send 1 $(keys_of "kh kai Aii kh kai Aii ")
  expect_text "$demo$demo" "$client fast typing"
  stop_client

  # A word being typed stays in the field it was typed in when the focus
  # moves, the field is clicked or the input method changes mid-word.
  mera=$(u '\u092E\u0947\u0930\u093E') kha=$(u '\u0916')
  start_client $client || continue
  send 30 m e r a
  focus b
  send 30 k h
  focus a
  expect_texts "$mera" "$kha" "$client mera, focus B, kh, focus A"
  send 30 k h
  focus b
  expect_texts "$mera$kha" "$kha" "$client kh, focus B"
  send 30 m e r a
  click b
  # The click ended the word: h after it does not compose with the k before.
  send 30 k
  click b
  send 30 h space
  expect_texts "$mera$kha" "$kha$mera$(u '\u0915\u0939') " "$client mera, click, k, click, h"
  send 30 m e r a
  select_engine lekhora-inscript
  # GTK commits the word at the switch; Qt's word comes back as the preedit
  # when the engine returns. Either way it goes in once, where it was typed.
  [ $client = gtk ] &&
    expect_texts "$mera$kha" "$kha$mera$(u '\u0915\u0939') $mera" "$client mera, engine switch"
  select_engine lekhora-vimra
  sleep 0.3
  send 30 space
  expect_texts "$mera$kha" "$kha$mera$(u '\u0915\u0939') $mera " "$client mera, engine switch and back"
  stop_client

  # Numbered candidates: a digit picks the candidate with that number, and
  # types as the layout says when no candidates are shown.
  start_client $client || continue
  : >"$tmp/engine.log"
  send 30 m e r
  sleep 0.3
  second=$(grep '^candidates ' "$tmp/engine.log" | tail -1 | sed 's/^candidates \[[^ ]* \([^ @]*\).*/\1/')
  send 30 2
  expect_text "$second" "$client mer 2 picks the second candidate [$second]"
  send 30 space 2 space
  expect_text "$second $(u '\u0968') " "$client a 2 with no candidates"
  stop_client

  # Password and PIN fields: keys go in as the keyboard types them, with no
  # preedit and no candidates; the other field types as before.
  start_client $client || continue
  : >"$tmp/engine.log"
  tell purpose b password
  focus b
  send 30 m e r a s e c r e t
  expect_texts "" "merasecret" "$client password field"
  sleep 0.5  # the engine writes what it learned when idle
  grep -q '^purpose \[8\]' "$tmp/engine.log" ||
    echo "NOTE: the $client client does not hand the input method a password purpose (its keys bypass it)"
  grep -Eq '^(preedit \[.+\]|candidates)' "$tmp/engine.log" &&
    fail "$client password field shows a preedit or candidates: $(grep -E '^(preedit|candidates)' "$tmp/engine.log" | head -3)"
  tell purpose b pin
  send 30 space 1 2 3 4
  expect_texts "" "merasecret 1234" "$client PIN field"
  focus a
  send 30 m e r a space
  expect_texts "$mera " "merasecret 1234" "$client a normal field after the password field"
  stop_client
  # The secret is not in the history, in any form the keys could have made.
  secret_dev=$(printf 'merasecret' | "$convert" --layout 'Phonetic(Vimra)')
  if grep -aqF -e merasecret -e "$secret_dev" "$XDG_DATA_HOME"/lekhora/history.sqlite* 2>/dev/null; then
    fail "$client the history holds what was typed in the password or PIN field"
  fi
  [ -s "$XDG_DATA_HOME/lekhora/history.sqlite" ] ||
    fail "$client the normal field's words were not learned (no history file)"

  # Characters outside the Basic Multilingual Plane pass whole.
  start_client $client || continue
  outside=$(printf 'ka\U0001F600 \U0001D400 ')
  xdotool type --delay 60 "$outside"
  expect_text "$(printf '%s' "$outside" | "$convert")" "$client ka, emoji, bold A"
  stop_client
done

# Between the windows of two programs: a GTK window and a Qt window.
if [ "${LEKHORA_IBUS_CLIENTS:-qt gtk}" = "qt gtk" ] && select_engine lekhora-vimra; then
  rm -f "$tmp/qt.text" "$tmp/qt.out"
  QT_IM_MODULE=ibus QT_QPA_PLATFORM=xcb "$qt_client" "$tmp/qt.text" </dev/null >"$tmp/qt.out" 2>&1 &
  qt_pid=$!
  for _ in $(seq 200); do grep -q ready "$tmp/qt.out" 2>/dev/null && break; sleep 0.05; done
  start_client gtk && grep -q ready "$tmp/qt.out" && {
    qt_window=$(xdotool search --pid "$qt_pid" | tail -1)
    gtk_window=$(xdotool getwindowfocus)
    sleep 0.3
    send 30 m e r a
    xdotool windowfocus --sync "$qt_window"
    sleep 0.3
    send 30 k h
    xdotool windowfocus --sync "$gtk_window"
    sleep 0.3
    expect_text "$mera" "gtk mera, focus to the Qt window"
    [ -z "$(cat "$tmp/qt.text" 2>/dev/null)" ] || fail "the Qt window got [$(cat "$tmp/qt.text")] before it has the focus again"
    send 30 space
    xdotool windowfocus --sync "$qt_window"
    sleep 0.3
    send 30 space
    expect_text "$mera " "gtk mera, focus to Qt, back, space"
    for _ in $(seq 40); do [ "$(cat "$tmp/qt.text" 2>/dev/null)" = "$kha " ] && break; sleep 0.05; done
    [ "$(cat "$tmp/qt.text" 2>/dev/null)" = "$kha " ] || fail "the Qt window's kh came back as [$(cat "$tmp/qt.text" 2>/dev/null)]"
  }
  stop_client
  kill "$qt_pid" 2>/dev/null || true
  wait "$qt_pid" 2>/dev/null || true
fi

# A client of the daemon's own, with two input contexts and no toolkit: the
# daemon commits a word left in a context when its focus goes, to that context.
if "$python" -c 'import gi; gi.require_version("IBus", "1.0")' 2>/dev/null; then
  select_engine lekhora-vimra
  "$python" "$(dirname "$0")/raw_client.py" lekhora-inscript lekhora-vimra >"$tmp/raw.out" 2>&1 || true
  mera=$(u '\u092E\u0947\u0930\u093E') kha=$(u '\u0916')
  [ "$(grep '^focus ' "$tmp/raw.out")" = "focus A=[$mera] B=[$kha]" ] ||
    fail "raw client, focus changes: $(grep '^focus ' "$tmp/raw.out" || cat "$tmp/raw.out")"
  [ "$(grep '^switch ' "$tmp/raw.out")" = "switch A=[$mera]" ] ||
    fail "raw client, engine switch: $(grep '^switch ' "$tmp/raw.out" || cat "$tmp/raw.out")"
  # Keyvals that are no character go to the application; an emoji goes in whole.
  [ "$(grep '^keys ' "$tmp/raw.out")" = "keys [False, False, True, True] A=[$(printf '\U0001F600') ]" ] ||
    fail "raw client, keys: $(grep '^keys ' "$tmp/raw.out" || cat "$tmp/raw.out")"
fi

# The engine's menu through the daemon: learning switched off and on, saved
# for the pad and the next engine, and the history cleared.
if "$python" -c 'import gi; gi.require_version("IBus", "1.0")' 2>/dev/null; then
  select_engine lekhora-vimra
  conf=$XDG_CONFIG_HOME/lekhora/lekhora.conf
  learned() {  # learned WORD: 0 when the history file holds the word
    sleep 0.5  # the engine writes what it learned when idle
    "$python" -c 'import sqlite3, sys
db = sqlite3.connect("file:" + sys.argv[1] + "?mode=ro", uri=True)
sys.exit(0 if db.execute("select count(*) from words where word = ?", (sys.argv[2],)).fetchone()[0] else 1)' \
      "$XDG_DATA_HOME/lekhora/history.sqlite" "$1"
  }
  pustak=$(printf 'pustak' | "$convert" --layout 'Phonetic(Vimra)')
  kamal=$(printf 'kamal' | "$convert" --layout 'Phonetic(Vimra)')
  "$python" "$(dirname "$0")/props_client.py" learn-off "type:pustak " >"$tmp/props.out" 2>&1 || true
  grep -qxF "commit [$pustak ]" "$tmp/props.out" || fail "menu, learning off: $(cat "$tmp/props.out")"
  grep -qx 'learn=off' "$conf" 2>/dev/null || fail "menu, learning off is not saved: $(cat "$conf" 2>&1)"
  learned "$pustak" && fail "menu, learning off: $pustak was learned"
  "$python" "$(dirname "$0")/props_client.py" learn-on "type:kamal " >"$tmp/props.out" 2>&1 || true
  grep -qxF "commit [$kamal ]" "$tmp/props.out" || fail "menu, learning on: $(cat "$tmp/props.out")"
  grep -qx 'learn=on' "$conf" 2>/dev/null || fail "menu, learning on is not saved: $(cat "$conf" 2>&1)"
  learned "$kamal" || fail "menu, learning on: $kamal was not learned"
  "$python" "$(dirname "$0")/props_client.py" clear >"$tmp/props.out" 2>&1 || true
  rows=$("$python" -c 'import sqlite3, sys
db = sqlite3.connect("file:" + sys.argv[1] + "?mode=ro", uri=True)
print(sum(db.execute("select count(*) from " + t).fetchone()[0] for t in ("words", "pairs")))' \
    "$XDG_DATA_HOME/lekhora/history.sqlite" 2>&1)
  [ "$rows" = 0 ] || fail "menu, clear: the history holds $rows rows"
fi

[ $failures -eq 0 ] && echo "PASS: IBus end to end"
exit $((failures > 0))

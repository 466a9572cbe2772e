#!/usr/bin/env bash
# The fcitx5 addon end to end: a private display, session bus and fcitx5 that
# load the addon and its input method files from the build tree and no other
# input method than a plain keyboard, a Qt text box and a GTK entry as
# clients, keys sent with xdotool. Nothing outside a temporary folder is read
# or written. Exits 77 (skipped) when fcitx5 or a tool is missing.
#   fcitx5_e2e.sh ADDON_DIRS DATA_DIRS CONVERT QT_CLIENT GTK_CLIENT
# fcitx5_panel_client.py beside it stands in for the desktop's panel.
# With LEKHORA_FCITX5_LATENCY_CLIENT (ime_qt_latency_client) it times key
# presses instead, for make bench: Lekhora's Phonetic (Vimra) and, in the same
# fcitx5, m17n's Hindi phonetic input method when fcitx5-m17n is there.
set -euo pipefail
export LC_ALL=C.UTF-8
addon_dirs=$1 data_dirs=$2 convert=$3 qt_client=$4 gtk_client=$5

python=/usr/bin/python3
[ -x "$python" ] || python=python3
missing=()
for tool in fcitx5 fcitx5-remote dbus-run-session dbus-send Xvfb xdotool xwininfo import convert "$python"; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
ls /usr/lib/*/qt6/plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so \
  >/dev/null 2>&1 || missing+=(fcitx5-frontend-qt6)
ls /usr/lib/*/gtk-3.0/3.0.0/immodules/im-fcitx5.so >/dev/null 2>&1 || missing+=(fcitx5-frontend-gtk3)
"$python" -c 'import gi; gi.require_version("Gtk", "3.0"); from gi.repository import Gtk' \
  2>/dev/null || missing+=(python3-gi/gir1.2-gtk-3.0)
if [ ${#missing[@]} -gt 0 ]; then
  echo "SKIP: the fcitx5 test needs ${missing[*]} (scripts/ensure-deps.sh installs them)"
  exit 77
fi

# shellcheck source=tests/ime/private_session.sh
. "$(dirname "$0")/private_session.sh"
# shellcheck source=tests/ime/test_client.sh
. "$(dirname "$0")/test_client.sh"
private_session fcitx5 "$@"
# A step that fails outside the checks ends the test: say which (-E: in
# functions too).
set -E
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND"' ERR
mkdir -p "$XDG_CONFIG_HOME/fcitx5/conf"
latency=${LEKHORA_FCITX5_LATENCY_CLIENT:-}
ims="lekhora-vimra lekhora-phonetic lekhora-inscript lekhora-remington lekhora-roman"
# The input method Lekhora is timed beside; only the benchmark loads it. The
# benchmark times the input methods without a panel, as the IBus one does:
# the panel's addon sends the candidates over the bus even to no panel, a
# cost of showing them that m17n's Hindi phonetic map, which has none, never
# pays.
# The tests show the candidates in fcitx5's own window (classicui) but for the
# menu's, which a stand-in for the desktop's panel (kimpanel) shows.
peer_im=m17n_hi_phonetic addons=dbus,dbusfrontend,xcb,kimpanel,classicui,keyboard,lekhora
if [ -n "$latency" ]; then
  ims="$ims $peer_im" addons=dbus,dbusfrontend,xcb,keyboard,lekhora,m17n
fi
# Every Lekhora input method in one group after the plain keyboard; the input
# method stays on in every window, so one switch holds for the next client.
{
  printf '[Groups/0]\nName=Lekhora\nDefault Layout=us\nDefaultIM=lekhora-vimra\n\n'
  printf '[Groups/0/Items/0]\nName=keyboard-us\nLayout=\n\n'
  i=1
  for im in $ims; do
    printf '[Groups/0/Items/%d]\nName=%s\nLayout=\n\n' $i "$im"
    i=$((i + 1))
  done
  printf '[GroupOrder]\n0=Lekhora\n'
} >"$XDG_CONFIG_HOME/fcitx5/profile"
printf '[Behavior]\nActiveByDefault=True\nShareInputState=All\nShowInputMethodInformation=False\n' \
  >"$XDG_CONFIG_HOME/fcitx5/config"

user_word=$(printf '\u0938\u094B\u0928\u092A\u0941\u0930\u0935\u093E\u0932\u093E')
printf 'my words\r\n%s\r\n' "$user_word" | iconv -f UTF-8 -t UTF-16LE \
  >"$XDG_DATA_HOME/lekhora/customwords.txt"
# The benchmark times the addon as users run it, without the tests' log.
[ -n "$latency" ] || export LEKHORA_FCITX5_DEBUG=$tmp/engine.log
# The panel of the menu tests is fcitx5's only user interface, so fcitx5 shows
# it the menu whenever it is there; the addon's notes show what fcitx5's own
# windows would.
FCITX_ADDON_DIRS=$addon_dirs XDG_DATA_DIRS=$data_dirs:/usr/local/share:/usr/share \
  fcitx5 --disable=all --enable=$addons \
  >"$tmp/fcitx5.log" 2>&1 &
fcitx5_pid=$!
client_pid=
stop() {
  [ -n "$client_pid" ] && kill "$client_pid" 2>/dev/null || true
  end_process "$fcitx5_pid"
}
trap stop EXIT
available() {
  dbus-send --session --print-reply --dest=org.fcitx.Fcitx5 /controller \
    org.fcitx.Fcitx.Controller1.AvailableInputMethods 2>/dev/null
}
# Asked before fcitx5 holds its name, the bus would start the system's own
# fcitx5 for it: only whether the name has an owner is asked until then.
has_owner() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:"$1" 2>/dev/null | grep 'boolean true' >/dev/null
}
owned() { has_owner org.fcitx.Fcitx5; }
for _ in $(seq 200); do owned && break; kill -0 $fcitx5_pid 2>/dev/null || break; sleep 0.05; done
if ! owned; then
  echo "FAIL: fcitx5 did not start"
  cat "$tmp/fcitx5.log"
  exit 1
fi
# The input methods are listed once fcitx5 has read them, after it takes the name.
for _ in $(seq 200); do available | grep '"Lekhora Phonetic (Vimra)"' >/dev/null && break; sleep 0.05; done
if ! available | grep '"Lekhora Phonetic (Vimra)"' >/dev/null; then
  echo "FAIL: fcitx5 does not list Lekhora Phonetic (Vimra)"
  cat "$tmp/fcitx5.log"
  exit 1
fi

# The latency measurement of make bench instead of the tests: one client per
# input method and round, which starts once the input method is chosen for
# its box. The machine's pace drifts by more than the difference measured, so
# the keys are spread over rounds that take the input methods in turn, first
# one and then the other first, and each one's figures pool its rounds. Ten
# rounds of a hundred keys gave the same order in run after run, where four
# of 250 did not.
if [ -n "$latency" ]; then
  status=0
  keys=${LEKHORA_FCITX5_LATENCY_KEYS:-1000} rounds=${LEKHORA_FCITX5_LATENCY_ROUNDS:-10}
  lekhora="lekhora-vimra:Lekhora Phonetic (Vimra)" peer="$peer_im:m17n Hindi phonetic (fcitx5-m17n)"
  if ! available | grep -F "\"$peer_im\"" >/dev/null; then
    echo "${peer#*:}: skipped, fcitx5 does not offer $peer_im (scripts/ensure-deps.sh --with-peer installs fcitx5-m17n)"
    peer=
  fi
  for round in $(seq "$rounds"); do
    if [ $((round % 2)) = 1 ]; then set -- "$lekhora" "$peer"; else set -- "$peer" "$lekhora"; fi
    for pair in "$@"; do
      [ -n "$pair" ] || continue
      im=${pair%%:*} label=${pair#*:}
      rm -f "$tmp/go" "$tmp/latency.out"
      mkfifo "$tmp/go"
      exec 5<>"$tmp/go"
      QT_IM_MODULE=fcitx QT_QPA_PLATFORM=xcb "$latency" $(((keys + rounds - 1) / rounds)) "$label" \
        --wait --samples "$tmp/$im.samples" <"$tmp/go" >"$tmp/latency.out" 2>"$tmp/latency.err" &
      client_pid=$!
      for _ in $(seq 200); do grep -q ready "$tmp/latency.out" 2>/dev/null && break; sleep 0.05; done
      chosen=
      if grep -q ready "$tmp/latency.out"; then
        # fcitx5 chooses for the context it last saw focused: wait until it is the box's.
        for _ in $(seq 40); do
          fcitx5-remote -s "$im" >/dev/null 2>&1 || true
          [ "$(fcitx5-remote -n 2>/dev/null)" = "$im" ] && chosen=1 && break
          sleep 0.05
        done
      fi
      if [ -n "$chosen" ]; then
        echo go >&5
        wait "$client_pid" || status=1
      else
        echo "$label: FAIL, the input method was not chosen for the box: [$(fcitx5-remote -n 2>&1)]"
        kill "$client_pid" 2>/dev/null || true
        wait "$client_pid" 2>/dev/null || true
        status=1
      fi
      client_pid=
      exec 5>&-
      cat "$tmp/latency.err" >&2
    done
  done
  # The median and the 99th percentile of one column of the pooled times.
  figures() { cut -d' ' -f"$1" "$2" | sort -n | awk '{ t[NR] = $1 } END { m = int(0.5 * NR) + 1; p = int(0.99 * NR) + 1; if (p > NR) p = NR; printf "median %.0f us, p99 %.0f us", t[m], t[p] }'; }
  for pair in "$lekhora" "$peer"; do
    samples=$tmp/${pair%%:*}.samples
    [ -n "$pair" ] && [ -s "$samples" ] || continue
    echo "${pair#*:}: key press to commit in a Qt text box: $(wc -l <"$samples") keys in $rounds rounds, $(figures 1 "$samples") (the letter before it: $(figures 2 "$samples"))"
  done
  exit $status
fi

# Only the plain keyboards and Lekhora's own: the first field of each entry is its name.
others=$(available | awk '/struct \{/ { getline; print $2 }' | grep -v '^"keyboard-\|^"lekhora-' || true)

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
u() { printf "$@"; }

select_im() {
  fcitx5-remote -s "$1" >/dev/null 2>&1 || true
  for _ in $(seq 40); do [ "$(fcitx5-remote -n 2>/dev/null)" = "$1" ] && return 0; sleep 0.05; done
  fail "input method $1 not selected: [$(fcitx5-remote -n 2>&1)]"
  return 1
}

start_client() {
  : >"$tmp/engine.log"
  rm -f "$tmp/text" "$tmp/text.b" "$tmp/client.out" "$tmp/commands"
  mkfifo "$tmp/commands"
  exec 5<>"$tmp/commands"
  case $1 in
    qt) QT_IM_MODULE=fcitx QT_QPA_PLATFORM=xcb "$qt_client" "$tmp/text" <"$tmp/commands" >"$tmp/client.out" 2>"$tmp/client.err" & ;;
    gtk) GTK_IM_MODULE=fcitx "$python" "$gtk_client" "$tmp/text" <"$tmp/commands" >"$tmp/client.out" 2>"$tmp/client.err" & ;;
  esac
  client_pid=$!
  for _ in $(seq 200); do grep -q ready "$tmp/client.out" 2>/dev/null && break; sleep 0.05; done
  grep -q ready "$tmp/client.out" || { fail "$1 client never got the focus"; cat "$tmp/client.err"; return 1; }
  # The input context reaches fcitx5 just after the focus: wait for the addon to see it.
  for _ in $(seq 100); do grep -q '^focus ' "$tmp/engine.log" 2>/dev/null && break; sleep 0.05; done
}
focus() {
  local before
  before=$(grep -c '^focus ' "$tmp/client.out" || true)
  tell focus "$1"
  for _ in $(seq 100); do
    [ "$(grep -c '^focus ' "$tmp/client.out")" -gt "$before" ] &&
      [ "$(grep '^focus ' "$tmp/client.out" | tail -1)" = "focus $1" ] && break
    sleep 0.02
  done
}
# The Qt client's first box: how many input method events it has had and the
# preedit the last one left ("N [PREEDIT]").
box_events() { ask events events a; }
expect_text() {
  for _ in $(seq 60); do [ "$(text)" = "$1" ] && return 0; sleep 0.05; done
  fail "$2: expected [$1], got [$(text)]"
}
expect_texts() {
  for _ in $(seq 60); do [ "$(text)" = "$1" ] && [ "$(text_b)" = "$2" ] && return 0; sleep 0.05; done
  fail "$3: expected [$1] and [$2], got [$(text)] and [$(text_b)]"
}
last_preedit() { grep '^preedit ' "$tmp/engine.log" | tail -1 | sed 's/^preedit \[\(.*\)\]$/\1/'; }
first_candidate() { grep '^candidates ' "$tmp/engine.log" | tail -1 | sed 's/^candidates \[\([^ @]*\).*/\1/'; }
# Waits until the addon has shown $1 as the preedit.
expect_preedit() {
  for _ in $(seq 60); do [ "$(last_preedit)" = "$1" ] && return 0; sleep 0.05; done
  fail "$2: the preedit is [$(last_preedit)], not [$1]"
}
send() {
  local delay=$1
  shift
  xdotool key --delay "$delay" "$@"
}
keys_of() {
  local s=$1 i c
  for ((i = 0; i < ${#s}; i++)); do
    c=${s:i:1}
    case $c in
      " ") printf 'space ' ;;
      *) printf '%s ' "$c" ;;
    esac
  done
}

# fcitx5's candidate window lists the candidates in a column or, as it
# starts, in a row; the click tests run with either.
orient() {
  printf 'Vertical Candidate List=%s\n' "$1" >"$XDG_CONFIG_HOME/fcitx5/conf/classicui.conf"
  dbus-send --session --print-reply --dest=org.fcitx.Fcitx5 /controller \
    org.fcitx.Fcitx.Controller1.ReloadAddonConfig string:classicui >/dev/null ||
    fail "fcitx5 did not read the candidate window's settings again"
}
# click_candidate N COUNT: clicks the Nth of the COUNT candidates in fcitx5's
# candidate window once it is shown. In a column a candidate's place follows
# from its number; in a row it follows from the words' widths, so the row is
# read from the window's image: Devanagari words hang from an unbroken line,
# each a run of inked columns, the highlighted one on its own background.
click_candidate() {
  local info="" x y w h runs
  for _ in $(seq 60); do
    info=$(xwininfo -name "Fcitx5 Input Window" 2>/dev/null || true)
    grep 'Map State: IsViewable' >/dev/null <<<"$info" && break
    info=""
    sleep 0.05
  done
  [ -n "$info" ] || return 1
  sleep 0.2  # drawn
  x=$(awk '/Absolute upper-left X/ { print $NF }' <<<"$info")
  y=$(awk '/Absolute upper-left Y/ { print $NF }' <<<"$info")
  w=$(awk '/Width:/ { print $NF }' <<<"$info")
  h=$(awk '/Height:/ { print $NF }' <<<"$info")
  if grep -qx 'Vertical Candidate List=True' "$XDG_CONFIG_HOME/fcitx5/conf/classicui.conf"; then
    xdotool mousemove $((x + w / 4)) $((y + h * (2 * $1 - 1) / (2 * $2))) click 1
    return
  fi
  # Read again until the row is drawn: a window just mapped may still be blank.
  for _ in $(seq 20); do
    import -window "$(awk '/Window id:/ { print $4 }' <<<"$info")" "$tmp/candidates.png" || return 1
    # Each column's mean grey; the runs darker than the background, joined
    # across gaps of a pixel or two and without the window's frame, as
    # "start end" lines.
    runs=$(convert "$tmp/candidates.png" -colorspace gray -scale "${w}x1!" -depth 8 txt:- |
      awk -F'[,:() ]+' '/^[0-9]/ { grey[$1] = $3; if ($3 > top) top = $3; n = $1 + 1 }
        END {
          start = -1
          for (i = 0; i <= n; i++) {
            ink = i < n && grey[i] < top - 6
            if (ink) { if (start < 0 || i - end > 3) { if (start >= 0 && end - start > 5) print start, end; start = i }; end = i }
          }
          if (start >= 0 && end - start > 5) print start, end
        }' || true)
    [ -n "$(sed -n "$1p" <<<"$runs")" ] && break
    sleep 0.1
  done
  set -- $(sed -n "$1p" <<<"$runs")
  [ $# -eq 2 ] || return 1
  xdotool mousemove $((x + ($1 + $2) / 2)) $((y + h / 2)) click 1
}

[ -z "$others" ] || fail "fcitx5 offers other input methods: $others"
# Each input method shows its own icon, as the IBus engines do: the fourth
# field of its entry names a file that is there.
for im in $ims; do
  icon=$(available | awk -v im="\"$im\"" '/struct \{/ { getline; if ($2 == im) { getline; getline; getline; print $2 } }' | tr -d '"' || true)
  case $icon in
    */icons/$im.svg) [ -f "$icon" ] || fail "$im names the icon $icon, which is not there" ;;
    *) fail "$im does not show its own icon: [$icon]" ;;
  esac
done
for client in ${LEKHORA_FCITX5_CLIENTS:-qt gtk}; do
  # Each layout against what the pad types with it.
  for pair in "lekhora-vimra:Phonetic(Vimra)" "lekhora-phonetic:Phonetic" "lekhora-inscript:Inscript" \
    "lekhora-remington:Remington"; do
    im=${pair%%:*} layout=${pair#*:}
    start_client $client || continue
    select_im "$im" || { stop_client; continue; }
    send 30 $(keys_of "kh kai Aii ")
    expect_text "$(printf 'kh kai Aii ' | "$convert" --layout "$layout")" "$client $im kh kai Aii"
    stop_client
  done

  # IntelligentRoman: the preedit shows the word a break commits.
  start_client $client || continue
  if select_im lekhora-roman; then
    send 30 $(keys_of "kaise")
    kaise=$(u '\u0915\u0948\u0938\u0947')
    expect_preedit "$kaise" "$client lekhora-roman kaise"
    send 30 space
    expect_text "$kaise " "$client lekhora-roman kaise"
  fi
  stop_client

  start_client $client || continue
  select_im lekhora-vimra || { stop_client; continue; }
  # The preedit while a word is typed, nothing committed; Backspace edits it.
  send 30 m e r a
  expect_preedit "$(u '\u092E\u0947\u0930\u093E')" "$client preedit while typing"
  [ -z "$(text)" ] || fail "$client committed [$(text)] before the word ended"
  send 30 BackSpace i
  expect_preedit "$(u '\u092E\u0947\u0930\u093F')" "$client mera Backspace i"
  if [ "$client" = qt ]; then
    for _ in $(seq 60); do
      before=$(box_events)
      [[ "$before" == *" [$(u '\u092E\u0947\u0930\u093F')]" ]] && break
      sleep 0.05
    done
  fi
  send 30 space
  expect_text "$(u '\u092E\u0947\u0930\u093F ')" "$client mera Backspace i"
  # The break's commit takes the preedit with it: the box changes once, not
  # once more for an empty preedit.
  if [ "$client" = qt ]; then
    after=$(box_events)
    [ "$((${after%% *} - ${before%% *}))" = 1 ] ||
      fail "$client a word break brought the box from $before to $after input method events, not one more"
  fi
  # A prefix, then Shift+Space commits the highlighted suggestion, the user's word.
  send 30 s o n
  for _ in $(seq 60); do [ -n "$(first_candidate)" ] && break; sleep 0.05; done
  [ "$(first_candidate)" = "$user_word" ] ||
    fail "$client the user's word is not the first candidate for son: [$(first_candidate)]"
  send 30 shift+space
  expect_text "$(u '\u092E\u0947\u0930\u093F ')$user_word" "$client Shift+Space"
  stop_client

  # A click on the second candidate in fcitx5's candidate window commits it,
  # the candidates in a column and in a row.
  for vertical in True False; do
    orient $vertical
    start_client $client || continue
    select_im lekhora-vimra || { stop_client; continue; }
    send 30 m e r
    expect_preedit "$(printf 'mer' | "$convert" --layout 'Phonetic(Vimra)')" "$client mer before the click"
    for _ in $(seq 60); do tail -1 "$tmp/engine.log" | grep '^candidates ' >/dev/null && break; sleep 0.05; done
    line=$(grep '^candidates ' "$tmp/engine.log" | tail -1 | sed 's/^candidates \[\(.*\) @[0-9]*\]$/\1/')
    read -r -a shown <<<"$line"
    where="$client, candidates in a $([ $vertical = True ] && echo column || echo row)"
    if [ ${#shown[@]} -lt 2 ]; then
      fail "$where: fewer than two candidates for mer: [$line]"
    elif ! click_candidate 2 ${#shown[@]}; then
      fail "$where: fcitx5's candidate window was not shown or not read"
    else
      expect_text "${shown[1]}" "$where: a click on the second candidate"
      grep -qx 'click \[1\]' "$tmp/engine.log" || fail "$where: the click did not reach the addon"
    fi
    stop_client
  done

  # Fast typing gives what slow typing gives.
  start_client $client || continue
  select_im lekhora-vimra || { stop_client; continue; }
  demo=$(printf 'kh kai Aii kh kai Aii ' | "$convert" --layout 'Phonetic(Vimra)')
  send 1 $(keys_of "kh kai Aii kh kai Aii ")
  expect_text "$demo" "$client fast typing"
  stop_client

  # A password field: the keys reach it as typed, nothing is shown or learned.
  start_client $client || continue
  select_im lekhora-vimra || { stop_client; continue; }
  tell purpose b password
  focus b
  send 30 $(keys_of "merasecret")
  expect_texts "" "merasecret" "$client password field"
  grep -Eq '^(preedit \[.+\]|candidates)' "$tmp/engine.log" &&
    fail "$client password field shows a preedit or candidates: $(grep -E '^(preedit \[.+\]|candidates)' "$tmp/engine.log" | head -3)"
  focus a
  send 30 m e r a space
  expect_texts "$(u '\u092E\u0947\u0930\u093E ')" "merasecret" "$client a normal field after the password field"
  stop_client
done
# The menu, through a stand-in for the desktop's panel: suggestions off, then
# on again; learning off, saved where the pad reads it; another output script.
# menu ENTRY CLICK NOTE: clicks the entry CLICK once ENTRY is shown, and waits
# for the addon's NOTE of what the click did.
menu() {
  "$python" "$(dirname "$0")/fcitx5_panel_client.py" "$1" "$2" >"$tmp/panel.out" 2>&1 &
  local pid=$!
  # A focus change shows the focused context's menu to the panel once it is there.
  for _ in $(seq 100); do has_owner org.kde.impanel && break; sleep 0.05; done
  focus b
  focus a
  for _ in $(seq 200); do grep -qF "$3" "$tmp/engine.log" && break; sleep 0.05; done
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
  grep -qF "$3" "$tmp/engine.log" || fail "menu $2: no [$3]: $(cat "$tmp/panel.out")"
}
start_client qt
if select_im lekhora-vimra; then
  menu lekhora-suggestions lekhora-suggestions "suggestions [off]"
  for entry in lekhora-script lekhora-suggestions lekhora-learn lekhora-clear-history; do
    grep -q "/Fcitx/$entry\b" "$tmp/panel.out" || fail "menu: no $entry in [$(cat "$tmp/panel.out")]"
  done
  send 30 s o n
  expect_preedit "$(printf 'son' | "$convert")" "menu, suggestions off: son"
  grep -q '^candidates ' "$tmp/engine.log" && fail "menu, suggestions off: candidates shown"
  send 30 space
  menu lekhora-suggestions lekhora-suggestions "suggestions [on]"
  menu lekhora-learn lekhora-learn "learn [off]"
  grep -qx 'learn=off' "$XDG_CONFIG_HOME/lekhora/lekhora.conf" 2>/dev/null ||
    fail "menu, learning off is not saved: $(cat "$XDG_CONFIG_HOME"/lekhora/* 2>&1)"
  send 30 s o n
  for _ in $(seq 60); do [ "$(first_candidate)" = "$user_word" ] && break; sleep 0.05; done
  [ "$(first_candidate)" = "$user_word" ] ||
    fail "menu, suggestions on again: the candidates for son: [$(first_candidate)]"
  send 30 shift+space
  sons="$(printf 'son ' | "$convert")$user_word"
  expect_text "$sons" "menu, suggestions on again: Shift+Space"
  menu lekhora-script lekhora-script-Gujarati "script [Gujarati]"
  send 30 $(keys_of "kamal ")
  expect_text "$sons$(printf 'kamal ' | "$convert" --script Gujarati)" "menu, Gujarati script"
fi
stop_client

# The secret is in the history in no form the keys could have made; the
# normal fields' words are.
secret_dev=$(printf 'merasecret' | "$convert" --layout 'Phonetic(Vimra)')
for _ in $(seq 60); do [ -s "$XDG_DATA_HOME/lekhora/history.sqlite" ] && break; sleep 0.05; done
[ -s "$XDG_DATA_HOME/lekhora/history.sqlite" ] || fail "the words typed were not learned (no history file)"
if grep -aqF -e merasecret -e "$secret_dev" "$XDG_DATA_HOME"/lekhora/history.sqlite* 2>/dev/null; then
  fail "the history holds what was typed in the password field"
fi

if [ $failures -ne 0 ]; then
  echo "--- fcitx5 log"
  tail -30 "$tmp/fcitx5.log"
  exit 1
fi
echo "PASS: fcitx5 end to end"

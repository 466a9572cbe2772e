#!/usr/bin/env bash
# Tries the fcitx5 addon from the build tree without installing it: a private
# session bus and fcitx5 on the current display that load the addon and its
# input method files from the build tree, with only Lekhora's input methods,
# and a small text window typed through them, with a button per layout. The user's own fcitx5 settings and
# daemon are left alone; closing the window ends everything.
#   try-fcitx5.sh BUILD [INPUT_METHOD]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
im=${2:-lekhora-vimra}
python=/usr/bin/python3
[ -x "$python" ] || python=python3

if [ -z "${DISPLAY:-}" ]; then
  echo "try-fcitx5: needs a display (DISPLAY is not set)" >&2
  exit 1
fi
if [ ! -f "$build/bin/lekhora-fcitx5.so" ] || [ ! -d "$build/fcitx5-data/fcitx5" ]; then
  echo "try-fcitx5: $build/bin/lekhora-fcitx5.so is missing; build with libfcitx5core-dev installed" >&2
  exit 1
fi

if [ -z "${LEKHORA_TRY_INNER:-}" ]; then
  tmp=$(mktemp -d /tmp/lekhora-try-fcitx5.XXXXXX)
  trap 'rm -rf "$tmp"' EXIT
  # The words the pad keeps for the user, as a copy: the input method suggests them too.
  user_words=${XDG_DATA_HOME:-${HOME:-/nonexistent}/.local/share}/lekhora/customwords.txt
  export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config XDG_CACHE_HOME=$tmp/cache
  export XDG_DATA_HOME=$tmp/data XDG_RUNTIME_DIR=$tmp/runtime
  mkdir -p "$HOME" "$XDG_CONFIG_HOME/fcitx5" "$XDG_CACHE_HOME" "$XDG_DATA_HOME/lekhora" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  [ -f "$user_words" ] && cp "$user_words" "$XDG_DATA_HOME/lekhora/"
  # The plain keyboard first (fcitx5's "off"), then Lekhora's, the chosen one
  # on by default in every window.
  {
    printf '[Groups/0]\nName=Lekhora\nDefault Layout=us\nDefaultIM=%s\n\n' "$im"
    printf '[Groups/0/Items/0]\nName=keyboard-us\nLayout=\n\n'
    i=1
    for name in lekhora-vimra lekhora-phonetic lekhora-inscript lekhora-remington lekhora-roman; do
      printf '[Groups/0/Items/%d]\nName=%s\nLayout=\n\n' $i "$name"
      i=$((i + 1))
    done
    printf '[GroupOrder]\n0=Lekhora\n'
  } >"$XDG_CONFIG_HOME/fcitx5/profile"
  printf '[Behavior]\nActiveByDefault=True\nShareInputState=All\n' >"$XDG_CONFIG_HOME/fcitx5/config"
  export LEKHORA_TRY_INNER=$tmp NO_AT_BRIDGE=1
  dbus-run-session -- bash "$0" "$build" "$im"
  exit $?
fi

core_dir=$(dirname "$(readlink -f "$(ldd "$(command -v fcitx5)" | awk '/libFcitx5Core/ {print $3}')")")
FCITX_ADDON_DIRS=$build/bin:$core_dir/fcitx5 \
  XDG_DATA_DIRS=$build/fcitx5-data:${XDG_DATA_DIRS:-/usr/local/share:/usr/share} \
  fcitx5 --disable=all --enable=dbus,dbusfrontend,xcb,classicui,keyboard,lekhora \
  >>"$LEKHORA_TRY_INNER/fcitx5.log" 2>&1 &
daemon=$!
trap 'kill $daemon 2>/dev/null || true' EXIT
# Asked before this fcitx5 holds its name, the bus would start the system's
# own fcitx5 instead: only whether the name has an owner is asked.
for _ in $(seq 100); do
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null | grep 'boolean true' >/dev/null && break
  sleep 0.05
done
echo "Typing with $im; close the window to stop."
GTK_IM_MODULE=fcitx "$python" - <<'PY'
import gi

gi.require_version("Gtk", "3.0")
from gi.repository import Gtk  # noqa: E402

import subprocess

window = Gtk.Window(title="Lekhora under fcitx5")
window.set_default_size(640, 360)
box = Gtk.Box(orientation=Gtk.Orientation.VERTICAL)
buttons = Gtk.Box(spacing=4)
scrolled = Gtk.ScrolledWindow()
view = Gtk.TextView()
view.set_wrap_mode(Gtk.WrapMode.WORD_CHAR)


def choose(_button, name):
    subprocess.run(["fcitx5-remote", "-s", name], check=False)
    view.grab_focus()


for name, label in [("lekhora-vimra", "Phonetic (Vimra)"), ("lekhora-phonetic", "Phonetic"),
                    ("lekhora-inscript", "Inscript"), ("lekhora-remington", "Remington"),
                    ("lekhora-roman", "IntelligentRoman")]:
    button = Gtk.Button(label=label)
    button.connect("clicked", choose, name)
    buttons.pack_start(button, False, False, 0)
scrolled.add(view)
box.pack_start(buttons, False, False, 0)
box.pack_start(scrolled, True, True, 0)
window.add(box)
window.connect("destroy", Gtk.main_quit)
window.show_all()
view.grab_focus()
Gtk.main()
PY

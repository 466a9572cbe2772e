#!/usr/bin/env bash
# Tries the input method from the build tree without installing it: a private
# session bus and IBus daemon on the current display that know only Lekhora's
# engines, and a small text window typed through them. The user's own IBus
# settings and daemon are left alone; closing the window ends everything.
#   try-ime.sh BUILD [ENGINE]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
engine=${2:-lekhora-vimra}
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3
[ -x "$python" ] || python=python3

if [ -z "${DISPLAY:-}" ]; then
  echo "try-ime: needs a display (DISPLAY is not set)" >&2
  exit 1
fi
if [ ! -x "$build/bin/lekhora-ibus" ]; then
  echo "try-ime: $build/bin/lekhora-ibus is missing; build with the IBus packages installed" >&2
  exit 1
fi

if [ -z "${LEKHORA_TRY_INNER:-}" ]; then
  tmp=$(mktemp -d /tmp/lekhora-try-ime.XXXXXX)
  trap 'rm -rf "$tmp"' EXIT
  # The words the pad keeps for the user, as a copy: the engine suggests them too.
  user_words=${XDG_DATA_HOME:-${HOME:-/nonexistent}/.local/share}/lekhora/customwords.txt
  # Everything a session service might write stays in the temporary folder;
  # exported before the bus starts, which hands them to what it starts.
  export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config XDG_CACHE_HOME=$tmp/cache
  export XDG_DATA_HOME=$tmp/data XDG_RUNTIME_DIR=$tmp/runtime
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  if [ -f "$user_words" ]; then
    mkdir -p "$XDG_DATA_HOME/lekhora"
    cp "$user_words" "$XDG_DATA_HOME/lekhora/"
  fi
  # IBus's settings in a key file of the session's own: the panel needs a
  # list of engines to show, which the in-memory backend cannot hand it.
  mkdir -p "$XDG_CONFIG_HOME/glib-2.0/settings"
  engines="['lekhora-vimra', 'lekhora-phonetic', 'lekhora-inscript', 'lekhora-remington']"
  printf '[desktop/ibus/general]\npreload-engines=%s\nengines-order=%s\n' "$engines" "$engines" \
    >"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile"
  export GSETTINGS_BACKEND=keyfile IBUS_ADDRESS_FILE=$tmp/ibus-address LEKHORA_TRY_INNER=$tmp
  dbus-run-session -- bash "$0" "$build" "$engine"
  exit $?
fi

IBUS_COMPONENT_PATH=$build/ibus-component ibus-daemon --panel=disable --emoji-extension=disable \
  --config=disable --cache=none >>"$LEKHORA_TRY_INNER/daemon.log" 2>&1 &
daemon=$!
panel=
trap 'kill $panel $daemon 2>/dev/null || true' EXIT
for _ in $(seq 100); do ibus list-engine >/dev/null 2>&1 && break; sleep 0.05; done
# The panel shows the candidate list. Started once the daemon answers: the
# daemon would start it too early for it to connect. Typing works without it.
for panel_program in /usr/libexec/ibus-ui-gtk3 /usr/lib/ibus/ibus-ui-gtk3; do
  [ -x "$panel_program" ] || continue
  "$panel_program" >>"$LEKHORA_TRY_INNER/panel.log" 2>&1 &
  panel=$!
  break
done
sleep 0.5
if [ -z "$panel" ] || ! kill -0 "$panel" 2>/dev/null; then
  echo "try-ime: the IBus panel did not start; the candidate list will not be shown" >&2
fi
for _ in $(seq 50); do
  ibus engine "$engine" >/dev/null 2>&1 || true
  [ "$(ibus engine 2>/dev/null)" = "$engine" ] && break
  sleep 0.1
done
echo "Typing with $(ibus engine 2>&1); close the window to stop."
GTK_IM_MODULE=ibus "$python" "$here/try-ime-window.py" "$engine"

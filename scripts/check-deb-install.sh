#!/usr/bin/env bash
# Installs the packages of dist/ on this machine with apt, as a user would,
# and checks them there: the pad started from the installed launcher the
# menu entry names, as a normal user, keeping the user's words in the user's
# folder; the IBus daemon listing the engines after a restart and starting
# the installed engine; both input methods typing into Qt and GTK clients
# (with a build tree's test clients at hand); then apt remove, which must leave none of the
# packages' files and the user's data where it was. For a disposable machine
# (root; it changes what is installed); CI checks the packages in a scratch
# folder instead (check-deb.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
dist=$(realpath "${1:-dist}")
[ "$(id -u)" -eq 0 ] || { echo "check-deb-install: run as root" >&2; exit 1; }
state=$(mktemp -d /tmp/lekhora-deb-install.XXXXXX)
chmod 755 "$state"
fail=0
problem() { echo "check-deb-install: $*" >&2; fail=1; }

echo "== apt install"
apt-get install -y "$dist"/lekhora_*.deb "$dist"/ibus-lekhora_*.deb "$dist"/fcitx5-lekhora_*.deb
files=$(dpkg -L lekhora ibus-lekhora fcitx5-lekhora | while read -r f; do [ -d "$f" ] || echo "$f"; done)
triplet=$(dpkg-architecture -qDEB_HOST_MULTIARCH)

echo "== menu entry"
desktop=/usr/share/applications/lekhora.desktop
desktop-file-validate "$desktop" || problem "the desktop entry does not validate"
exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ "$(command -v "$exec_cmd")" = /usr/bin/lekhora ] || problem "the menu entry's $exec_cmd is not /usr/bin/lekhora"

echo "== the pad, installed, as a normal user"
bash tests/e2e/start_display.sh "$state/display" openbox
if LEKHORA_INSTALLED_PREFIX=/usr bash tests/e2e/installed_test.sh "$state/display" /usr/bin/lekhora \
     - "lib/$triplet/lekhora" bin; then
  echo "the installed pad types, keeps the user's words and writes nothing beside itself"
else
  problem "the installed pad failed (log: $state/display/pad.log)"
fi
bash tests/e2e/stop_display.sh "$state/display" || true

echo "== IBus"
home=$state/ibus-home
mkdir -p "$home"
if HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache GSETTINGS_BACKEND=memory \
   dbus-run-session -- bash -c '
     ibus-daemon --daemonize --panel=disable --emoji-extension=disable --config=disable --cache=none
     for i in $(seq 50); do ibus list-engine >/dev/null 2>&1 && break; sleep 0.2; done
     ibus restart >/dev/null 2>&1 || true
     for i in $(seq 50); do ibus list-engine 2>/dev/null | grep -q lekhora-vimra && break; sleep 0.2; done
     ibus list-engine | grep lekhora
     n=$(ibus list-engine | grep -c "lekhora-")
     [ "$n" -eq 5 ] || { echo "the daemon lists $n Lekhora engines" >&2; exit 1; }
     ibus engine lekhora-vimra
     installed() {
       for p in $(pgrep -x lekhora-ibus); do readlink "/proc/$p/exe"; done |
         grep -q "^/usr/lib/.*/lekhora/lekhora-ibus$"
     }
     for i in $(seq 50); do installed && break; sleep 0.2; done
     installed || { echo "the installed engine did not start" >&2; exit 1; }
     ibus exit'; then
  echo "the daemon lists the engines and starts the installed one"
else
  problem "IBus did not list or start the installed engines"
fi
# With a build tree's test clients at hand, the installed engine types into a
# Qt box and a GTK entry what the installed converter prints.
clients=${LEKHORA_BUILD:-build}/bin
if [ -x "$clients/ime_qt_text_client" ]; then
  bash tests/ime/ibus_e2e.sh /usr/share/ibus/component /usr/bin/lekhora-convert \
    "$clients/ime_qt_text_client" tests/ime/gtk_entry_client.py ||
    problem "the installed engine did not type as the converter does"
fi

echo "== fcitx5"
# The installed addon and input methods from fcitx5's own folders, with the
# build tree's test clients.
if [ -x "$clients/ime_qt_text_client" ]; then
  bash tests/ime/fcitx5_e2e.sh "/usr/lib/$triplet/fcitx5" /usr/share /usr/bin/lekhora-convert \
    "$clients/ime_qt_text_client" tests/ime/gtk_entry_client.py ||
    problem "the installed fcitx5 addon did not type as the converter does"
fi

echo "== apt remove"
# The words the installed pad kept for its user above.
user_words=$(ls "$state"/display/home.*/.local/share/lekhora/customwords.txt 2>/dev/null | head -1 || true)
[ -n "$user_words" ] || problem "the installed pad kept no words in the user's folder"
apt-get remove -y lekhora ibus-lekhora fcitx5-lekhora
left=$(while read -r f; do [ -e "$f" ] || [ -L "$f" ] && echo "$f"; done <<<"$files" || true)
[ -z "$left" ] || problem "left behind after apt remove: $left"
[ -z "$user_words" ] || [ -f "$user_words" ] || problem "the user's words went with the package"

rm -rf "$state"
[ $fail -eq 0 ] || { echo "check-deb-install: FAILED" >&2; exit 1; }
echo "check-deb-install: installed, used and removed cleanly"

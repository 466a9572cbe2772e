#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a user gets:
# the program and its files in one folder, a launcher on the PATH, the
# desktop entry and the icon, the input method and its component file.
set -euo pipefail
build=$1 appdir=$2 bindir=$3 datadir=$4
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail=0
need() {
  if [ ! -e "$prefix/$1" ]; then
    echo "missing after install: $1" >&2
    fail=1
  fi
}
need "$appdir/lekhora"
for data in hnhugeenc.txt customwords.txt helpVimraPhonetic.txt; do need "$appdir/$data"; done
need "$bindir/lekhora"
need "$datadir/applications/lekhora.desktop"
need "$datadir/icons/hicolor/scalable/apps/lekhora.svg"
# The input method, where it is built: the engine beside the program's files
# and a component file under the prefix that names the installed engine.
if [ -e "$build/bin/lekhora-ibus" ]; then
  need "$appdir/lekhora-ibus"
  need "$datadir/ibus/component/lekhora.xml"
  grep -qF "<exec>$prefix/$appdir/lekhora-ibus --ibus</exec>" "$prefix/$datadir/ibus/component/lekhora.xml" ||
    { echo "the component file does not name the installed engine" >&2; fail=1; }
  # Each engine's icon, installed where the component file says.
  grep -q "<icon>$prefix/$appdir/icons/lekhora-vimra.svg</icon>" "$prefix/$datadir/ibus/component/lekhora.xml" ||
    { echo "the component file does not name the installed icons" >&2; fail=1; }
  python=/usr/bin/python3
  [ -x "$python" ] || python=python3
  "$python" "$(dirname "$0")/../ime/ibus_component_check.py" "$prefix/$datadir/ibus/component/lekhora.xml" ||
    { echo "the installed component file's icons or symbols" >&2; fail=1; }
fi
# The fcitx5 input methods, where the addon is built, show the installed icons.
if [ -e "$build/bin/lekhora-fcitx5.so" ]; then
  conf=$prefix/$datadir/fcitx5/inputmethod/lekhora-vimra.conf
  need "$datadir/fcitx5/inputmethod/lekhora-vimra.conf"
  need "$appdir/icons/lekhora-vimra.svg"
  grep -qx "Icon=$prefix/$appdir/icons/lekhora-vimra.svg" "$conf" 2>/dev/null ||
    { echo "the fcitx5 input method does not name the installed icon" >&2; fail=1; }
fi
# The command-line tools: in the program's folder, where they find its data,
# and on the PATH as links.
for tool in lekhora-convert lekhora-words lekhora-he3; do
  need "$appdir/$tool"
  [ -L "$prefix/$bindir/$tool" ] || { echo "$bindir/$tool is not a link to the program's folder" >&2; fail=1; }
done
[ $fail -eq 0 ] || exit 1
# Through its link, the converter reads the romanization model beside it.
[ "$(printf 'kaise ' | "$prefix/$bindir/lekhora-convert" --layout IntelligentRoman)" = "कैसे " ] ||
  { echo "the installed lekhora-convert did not find its data" >&2; exit 1; }

[ -x "$prefix/$appdir/lekhora" ] || { echo "the program is not executable" >&2; exit 1; }
[ -x "$prefix/$bindir/lekhora" ] || { echo "the launcher is not executable" >&2; exit 1; }
grep -q '^Exec=lekhora' "$prefix/$datadir/applications/lekhora.desktop"
grep -q '^Icon=lekhora' "$prefix/$datadir/applications/lekhora.desktop"

# The launcher finds the program through its own place, also through a link.
target=$(sh -c '. /dev/null; sed -n "s/^exec \"\$here\/\(.*\)\/lekhora\".*/\1/p" "$1"' _ "$prefix/$bindir/lekhora")
[ -x "$prefix/$bindir/$target/lekhora" ] || { echo "launcher points to $target" >&2; exit 1; }
ln -s "$prefix/$bindir/lekhora" "$prefix/elsewhere"
resolved=$(dirname "$(readlink -f "$prefix/elsewhere")")
[ "$resolved" = "$(readlink -f "$prefix/$bindir")" ]
echo "install ok"

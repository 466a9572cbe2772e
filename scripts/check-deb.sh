#!/usr/bin/env bash
# Checks the packages build-deb.sh made, without installing them on this
# machine: lintian has no errors, each package holds what a user needs and
# nothing outside its own paths, its dependencies are found, the desktop
# entry validates, the IBus component names the installed engine, and the
# programs unpacked into a scratch root run and find their data.
set -euo pipefail
dist=${1:-dist}
shopt -s nullglob
pad=("$dist"/lekhora_*.deb)
ime=("$dist"/ibus-lekhora_*.deb)
fcitx=("$dist"/fcitx5-lekhora_*.deb)
[ ${#pad[@]} -eq 1 ] && [ ${#ime[@]} -eq 1 ] && [ ${#fcitx[@]} -eq 1 ] ||
  { echo "check-deb: expected one lekhora, ibus-lekhora and fcitx5-lekhora package in $dist" >&2; exit 1; }
pad=${pad[0]} ime=${ime[0]} fcitx=${fcitx[0]}
triplet=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
appdir=usr/lib/$triplet/lekhora

fail=0
problem() { echo "check-deb: $*" >&2; fail=1; }

# The build's own warnings are shown, not made errors: a packager's flags
# must build; the CI builds with warnings as errors catch them.
if [ -f "$dist/build.log" ]; then
  echo "== compiler warnings in the package build: $(grep -c 'warning:' "$dist/build.log" || true)"
  grep 'warning:' "$dist/build.log" | head -n 20 || true
fi

echo "== lintian"
lintian --fail-on error --info --display-level '>=warning' "$pad" "$ime" "$fcitx" ||
  problem "lintian reports errors"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
for deb in "$pad" "$ime" "$fcitx"; do dpkg-deb -x "$deb" "$root"; done

# Every file must lie in the package's own paths.
allowed() {
  case "$1" in
    usr/bin/lekhora | usr/bin/lekhora-convert | usr/bin/lekhora-he3 | usr/bin/lekhora-words) ;;
    "$appdir"/*) ;;
    usr/share/applications/lekhora.desktop) ;;
    usr/share/icons/hicolor/scalable/apps/lekhora.svg) ;;
    usr/share/man/man1/lekhora*.1.gz) ;;
    usr/share/doc/lekhora/* | usr/share/doc/ibus-lekhora/* | usr/share/doc/fcitx5-lekhora/*) ;;
    usr/share/ibus/component/lekhora.xml) ;;
    "usr/lib/$triplet/fcitx5/lekhora-fcitx5.so") ;;
    usr/share/fcitx5/addon/lekhora.conf | usr/share/fcitx5/inputmethod/lekhora-*.conf) ;;
    *) return 1 ;;
  esac
}
for deb in "$pad" "$ime" "$fcitx"; do
  echo "== $(basename "$deb") ($(stat -c %s "$deb") bytes)"
  while read -r mode _ size _ _ name _; do
    name=${name#./}
    case "$mode" in d*) continue ;; esac
    printf '%10s  /%s\n' "$size" "$name"
    allowed "$name" || problem "$(basename "$deb") installs /$name, outside its own paths"
  done < <(dpkg-deb -c "$deb")
done

need() { [ -e "$root/$1" ] || problem "no /$1 in the packages"; }
for f in usr/bin/lekhora usr/bin/lekhora-convert "$appdir/lekhora" "$appdir/hnhugeenc.txt" \
         "$appdir/hnfreq.bin" "$appdir/hnroman.txt" "$appdir/customwords.txt" \
         "$appdir/helpVimraPhonetic.txt" usr/share/applications/lekhora.desktop \
         usr/share/icons/hicolor/scalable/apps/lekhora.svg usr/share/doc/lekhora/copyright \
         usr/share/man/man1/lekhora.1.gz "$appdir/lekhora-ibus" usr/share/ibus/component/lekhora.xml \
         usr/share/doc/ibus-lekhora/copyright "usr/lib/$triplet/fcitx5/lekhora-fcitx5.so" \
         usr/share/fcitx5/addon/lekhora.conf usr/share/fcitx5/inputmethod/lekhora-roman.conf \
         usr/share/doc/fcitx5-lekhora/copyright; do
  need "$f"
done

echo "== dependencies"
depends=$(dpkg-deb -f "$pad" Depends)
echo "lekhora: $depends"
for lib in libqt6widgets6 libsqlite3-0 libc6; do
  grep -q "$lib" <<<"$depends" || problem "lekhora does not depend on $lib"
done
depends=$(dpkg-deb -f "$ime" Depends)
echo "ibus-lekhora: $depends"
version=$(dpkg-deb -f "$pad" Version)
for dep in libibus-1.0-5 "ibus" "lekhora (= $version)"; do
  grep -qF "$dep" <<<"$depends" || problem "ibus-lekhora does not depend on $dep"
done

depends=$(dpkg-deb -f "$fcitx" Depends)
echo "fcitx5-lekhora: $depends"
for dep in libfcitx5core "fcitx5," "lekhora (= $version)"; do
  grep -qF "$dep" <<<"$depends" || problem "fcitx5-lekhora does not depend on $dep"
done

echo "== desktop entry"
desktop-file-validate "$root/usr/share/applications/lekhora.desktop" || problem "the desktop entry does not validate"

echo "== IBus component"
component=$root/usr/share/ibus/component/lekhora.xml
grep -qF "<exec>/$appdir/lekhora-ibus --ibus</exec>" "$component" ||
  problem "the component file does not name /$appdir/lekhora-ibus"
engines=$(grep -c "<engine>" "$component" || true)
[ "$engines" -eq 5 ] || problem "the component file names $engines engines, not 5"
while read -r icon; do
  [ -e "$root$icon" ] || problem "the component's icon $icon is not in the package"
done < <(sed -n 's:.*<icon>\(.*\)</icon>.*:\1:p' "$component")

echo "== fcitx5 addon"
# fcitx5 loads the library the addon file names from its addon folder, and
# offers each input method file's method through the addon it names.
library=$(sed -n 's/^Library=//p' "$root/usr/share/fcitx5/addon/lekhora.conf")
[ -e "$root/usr/lib/$triplet/fcitx5/$library.so" ] || problem "the addon names $library, not in the package"
ims=$(ls "$root"/usr/share/fcitx5/inputmethod/lekhora-*.conf | wc -l)
[ "$ims" -eq 5 ] || problem "the package has $ims fcitx5 input methods, not 5"
for conf in "$root"/usr/share/fcitx5/inputmethod/lekhora-*.conf; do
  grep -qx 'Addon=lekhora' "$conf" && grep -qx 'LangCode=hi' "$conf" ||
    problem "$(basename "$conf") is not a Hindi method of the addon"
  icon=$(sed -n 's/^Icon=//p' "$conf")
  [ -f "$root$icon" ] || problem "$(basename "$conf") names the icon $icon, not in the packages"
done

echo "== the programs from the scratch root"
# The link on the PATH leads to the program's folder, where the model is.
out=$(printf 'kaise ho ' | "$root/usr/bin/lekhora-convert" --layout IntelligentRoman) ||
  problem "lekhora-convert failed"
[ "$out" = "कैसे हो " ] || problem "lekhora-convert typed '$out' for 'kaise ho '"
"$root/usr/bin/lekhora-words" check --strict "$root/$appdir/hnhugeenc.txt" >/dev/null ||
  problem "the packaged word list fails its checks"
"$root/$appdir/lekhora-ibus" --help >/dev/null 2>&1 || problem "the engine does not start (--help)"

[ $fail -eq 0 ] || { echo "check-deb: FAILED" >&2; exit 1; }
echo "check-deb: the packages are sound"

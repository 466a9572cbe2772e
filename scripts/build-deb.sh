#!/usr/bin/env bash
# Builds the Debian packages the way a distribution does: dpkg-buildpackage
# in a clean copy of the tree (the files git knows, as they are now, so no
# build folder of the developer's leaks in), with the distribution's flags.
# The .deb files and the build's record land in the folder given (dist/).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-dist}")
jobs=${2:-$(nproc 2>/dev/null || echo 2)}

version=$(dpkg-parsechangelog -S Version)
work=$(mktemp -d "${TMPDIR:-/tmp}/lekhora-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT
src=$work/lekhora-$version
mkdir -p "$src"

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  # Tracked and new files, without what .gitignore leaves out; a tracked file
  # deleted in the working tree is left out too.
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    tar --null -T - -cf - | tar -xf - -C "$src"
else
  tar --exclude='./build*' --exclude=./dist -cf - . | tar -xf - -C "$src"
fi

echo "Building the packages of lekhora $version in $src"
log=$work/build.log
if ! (cd "$src" && DEB_BUILD_OPTIONS="parallel=$jobs ${DEB_BUILD_OPTIONS:-}" \
      dpkg-buildpackage -us -uc -b) >"$log" 2>&1; then
  tail -n 60 "$log" >&2
  echo "build-deb: dpkg-buildpackage failed; the log's end is above" >&2
  exit 1
fi
mkdir -p "$out"
rm -f "$out"/*.deb "$out"/*.changes "$out"/*.buildinfo
mv "$work"/*.deb "$work"/*.changes "$work"/*.buildinfo "$out"/
cp "$log" "$out/build.log"
echo "Packages in $out:"
ls -l "$out"/*.deb

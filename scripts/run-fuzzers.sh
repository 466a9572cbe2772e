#!/usr/bin/env bash
# Runs each libFuzzer target of a fuzz build for a bounded time, starting
# from the seed corpus in tests/fuzz/corpus/<target>.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
shopt -s nullglob
found=0
for f in "$build"/bin/fuzz_*; do
  [ -x "$f" ] || continue
  found=1
  name=$(basename "$f")
  work=$(mktemp -d)
  seeds="$root/tests/fuzz/corpus/${name#fuzz_}"
  [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/
  echo "== $name for ${seconds}s"
  "$f" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
       -artifact_prefix="$build/" "$work"
  rm -rf "$work"
done
[ $found -eq 1 ] || { echo "No fuzz targets were built"; exit 1; }

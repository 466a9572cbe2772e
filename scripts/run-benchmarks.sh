#!/usr/bin/env bash
# Runs every benchmark program of a build folder (they are not part of the tests).
set -euo pipefail
build=${1:-build}
shopt -s nullglob
found=0
for b in "$build"/bin/bench_*; do
  [ -x "$b" ] || continue
  found=1
  echo "== $(basename "$b")"
  (cd "$build/bin" && "./$(basename "$b")" ${BENCH_ARGS:-})
done
[ $found -eq 1 ] || echo "No benchmarks were built (is libbenchmark-dev installed?)"

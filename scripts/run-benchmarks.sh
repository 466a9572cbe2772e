#!/usr/bin/env bash
# Runs every benchmark program of a build folder (they are not part of the tests).
# A benchmark that exits 77 lacks something it needs and has said what: skipped.
set -euo pipefail
build=${1:-build}
shopt -s nullglob
found=0
for b in "$build"/bin/bench_*; do
  [ -x "$b" ] || continue
  found=1
  echo "== $(basename "$b")"
  rc=0
  (cd "$build/bin" && "./$(basename "$b")" ${BENCH_ARGS:-}) || rc=$?
  [ $rc -eq 77 ] && continue
  [ $rc -eq 0 ] || exit $rc
done
[ $found -eq 1 ] || echo "No benchmarks were built (is libbenchmark-dev installed?)"
# The fcitx5 figures need the addon, Qt 6 and XTest when configuring.
if [ ! -e "$build/bin/bench_fcitx5_latency.sh" ]; then
  echo "== bench_fcitx5_latency.sh: skipped, not built: it needs the fcitx5 addon, Qt 6 and libxtst-dev" \
    "(scripts/ensure-deps.sh installs them; --with-peer adds fcitx5-m17n)"
fi

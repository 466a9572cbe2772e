#!/usr/bin/env bash
# Start-up of the real program, measured from outside: from starting the
# process to its suggestion popup mapped on screen (the typing window is
# shown just before it). Uses the current display, or a private Xvfb one.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
runs=${LEKHORA_STARTUP_RUNS:-15}
for tool in xdotool xwininfo; do
  command -v "$tool" >/dev/null || { echo "bench_ui_startup: $tool is missing; skipped"; exit 0; }
done

xvfb_pid=
cleanup() { [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  command -v Xvfb >/dev/null || { echo "bench_ui_startup: no display and no Xvfb; skipped"; exit 0; }
  for n in $(seq 140 170); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
    break
  done
fi

log=$(mktemp)
# The pad keeps its files in a home of the benchmark's own, not the user's.
home=$(mktemp -d)
trap 'cleanup; rm -f "$log"; rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
export XDG_RUNTIME_DIR=$home/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
times=()
failed=0
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  "$here/lekhora" >"$log" 2>&1 &
  pid=$!
  ready=1
  until xdotool search --onlyvisible --name '^Suggestions$' >/dev/null 2>&1; do
    if ! kill -0 "$pid" 2>/dev/null; then ready=0; break; fi
    sleep 0.002
  done
  end=$(date +%s%N)
  if [ $ready -eq 1 ]; then
    times+=($(((end - start) / 1000)))
    kill "$pid"
  else
    failed=$((failed + 1))
    echo "bench_ui_startup: a start failed:" >&2
    tail -n 3 "$log" >&2
  fi
  wait "$pid" 2>/dev/null || true
done
[ ${#times[@]} -gt 0 ] || { echo "bench_ui_startup: the program never started" >&2; exit 1; }
runs=${#times[@]}
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
median=${sorted[$((${#sorted[@]} / 2))]}
printf 'process start to ready window: median %d.%03d ms over %d runs (min %d.%03d ms)\n' \
  $((median / 1000)) $((median % 1000)) "$runs" $((sorted[0] / 1000)) $((sorted[0] % 1000))
[ "$failed" -eq 0 ] || echo "($failed failed starts left out)"

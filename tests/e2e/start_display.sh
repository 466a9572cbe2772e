#!/usr/bin/env bash
# Fixture: a private virtual display with trayer as its system tray, and with
# openbox as its window manager when the second argument says so. Writes the
# display name and the process ids into the state folder.
set -euo pipefail
state=$1
wm=${2:-}
mkdir -p "$state"
rm -rf "${state:?}"/*

display=
for n in $(seq 71 130); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 50); do
    if DISPLAY=":$n" xwininfo -root >/dev/null 2>&1; then display=":$n"; break; fi
    kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$display" ] && break
  rm -f "$state/xvfb.pid"
done
[ -n "$display" ] || { echo "could not start Xvfb" >&2; exit 1; }
echo "$display" >"$state/display"

wm_up() { DISPLAY=$display xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
if [ "$wm" = openbox ]; then
  # A home of its own, so that no user's openbox settings take part.
  mkdir -p "$state/home"
  for _ in 1 2 3; do
    HOME=$state/home DISPLAY=$display setsid openbox </dev/null >>"$state/openbox.log" 2>&1 &
    echo $! >"$state/openbox.pid"
    for _ in $(seq 50); do wm_up && break; sleep 0.1; done
    wm_up && break
  done
  wm_up || { echo "openbox did not come up: $(cat "$state/openbox.log")" >&2; exit 1; }
fi

DISPLAY=$display setsid trayer --edge top --align right --widthtype pixel --width 120 \
  --heighttype pixel --height 32 </dev/null >"$state/trayer.log" 2>&1 &
echo $! >"$state/trayer.pid"
for _ in $(seq 50); do
  if DISPLAY=$display xdotool search --class trayer >/dev/null 2>&1; then
    echo "display $display with a tray is up"
    exit 0
  fi
  sleep 0.1
done
echo "trayer did not come up" >&2
exit 1

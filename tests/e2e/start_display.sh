#!/usr/bin/env bash
# Fixture: a private virtual display with trayer as its system tray, and with
# openbox as its window manager when the second argument says so. Writes the
# display name and the process ids into the state folder.
set -euo pipefail
state=$1
wm=${2:-}
mkdir -p "$state"
rm -rf "${state:?}"/*

# Xvfb picks a free display itself and writes its number once it accepts
# clients, so displays started at the same time by other test runs never clash.
setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$state/displayfd" \
  </dev/null >"$state/xvfb.log" 2>&1 &
echo $! >"$state/xvfb.pid"
display=
for _ in $(seq 100); do
  if [ -s "$state/displayfd" ]; then display=":$(tr -d '\n' <"$state/displayfd")"; break; fi
  kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null || break
  sleep 0.1
done
[ -n "$display" ] || { echo "could not start Xvfb: $(cat "$state/xvfb.log")" >&2; exit 1; }
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

# trayer now and then fails to take the tray selection at once: try again.
tray_up() { DISPLAY=$display xdotool search --class trayer >/dev/null 2>&1; }
for _ in 1 2 3; do
  DISPLAY=$display setsid trayer --edge top --align right --widthtype pixel --width 120 \
    --heighttype pixel --height 32 </dev/null >>"$state/trayer.log" 2>&1 &
  echo $! >"$state/trayer.pid"
  for _ in $(seq 50); do
    if tray_up; then
      echo "display $display with a tray is up"
      exit 0
    fi
    kill -0 "$(cat "$state/trayer.pid")" 2>/dev/null || break
    sleep 0.1
  done
  kill "$(cat "$state/trayer.pid")" 2>/dev/null || true
done
echo "trayer did not come up: $(cat "$state/trayer.log")" >&2
exit 1

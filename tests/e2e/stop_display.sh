#!/usr/bin/env bash
# Fixture cleanup: stops the window manager, the tray and the display that start_display.sh started.
state=$1
for name in openbox trayer xvfb; do
  if [ -f "$state/$name.pid" ]; then
    pid=$(cat "$state/$name.pid")
    kill "$pid" 2>/dev/null || true
    # The next display may take the same number: wait until this one is gone.
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    rm -f "$state/$name.pid"
  fi
done
exit 0

#!/usr/bin/env bash
# Fixture cleanup: stops the tray and the display that start_display.sh started.
state=$1
for name in trayer xvfb; do
  if [ -f "$state/$name.pid" ]; then
    kill "$(cat "$state/$name.pid")" 2>/dev/null || true
    rm -f "$state/$name.pid"
  fi
done
exit 0

#!/usr/bin/env bash
# Starts the pad from a build folder.
set -euo pipefail
build=${1:-build}
bin="$build/bin"
if [ ! -x "$bin/lekhora" ]; then
  # A build without Qt (LEKHORA_WITH_QT=OFF) has no desktop program; show
  # what the typing engine does instead.
  echo "The desktop program was not built (it needs Qt 6); the typing engine alone:"
  line="namaste! kh kai Aii hindI"
  echo "Typing: $line"
  printf '%s\n' "$line" | "$bin/lekhora-convert"
  exit 0
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Lekhora is a desktop program and no display was found (DISPLAY is not set)." >&2
  echo "Run it from a desktop session, or under a virtual display:" >&2
  echo "  xvfb-run -a $bin/lekhora" >&2
  exit 1
fi
exec "$bin/lekhora"

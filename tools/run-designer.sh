#!/bin/sh
# Starts the designer; says plainly when there is no display to show it on.
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ] && [ -z "$QT_QPA_PLATFORM" ]; then
  echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "Run it on a desktop, under 'xvfb-run $1', or render it headless with 'make test' (PNGs in build/rendered/)." >&2
  exit 1
fi
exec "$1"

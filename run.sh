#!/usr/bin/env bash
# Builds the simulation and starts it. Without a display it renders the charts into varactor.png.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install_deps.sh
scripts/build.sh build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: rendering the simulation's charts into varactor.png instead."
  exec build/bin/varactor --render varactor.png
fi
exec build/bin/varactor "$@"

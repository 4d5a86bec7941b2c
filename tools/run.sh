#!/usr/bin/env bash
# Sets up, builds and starts Corvane.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "Corvane is built (build/release/app/corvane), but no display was found: it needs a"
    echo "graphical desktop. Start it from a desktop session, or under a virtual one:"
    echo "    xvfb-run -s '-screen 0 1280x800x24 -noreset' build/release/app/corvane"
    echo "A screenshot of it with samples/access.log loaded: docs/corvane-main.png"
    exit 0
fi
# The open-file dialog starts in the current folder: samples/ is right there.
exec build/release/app/corvane

#!/usr/bin/env bash
# Sets up, builds and starts Corvane.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release
if [ -x build/release/app/corvane ]; then
    exec build/release/app/corvane
fi
echo "Corvane is built, but its main window does not exist yet: there is nothing to show."
echo "The analysis core and the platform layer are in place; run the tests with tools/test.sh."

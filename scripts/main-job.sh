#!/usr/bin/env bash
# Installs what is missing, builds, and opens the window on a bundled example
# when a display is available; without one, runs the calculation of the same
# example with zelvo-calc and says how to open the window.
# Usage: scripts/main-job.sh [FILE.zlv]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
ESEMPIO=${1:-examples/appoggio-appoggio.zlv}
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/release/app/zelvo "$ESEMPIO"
fi
./build/release/app/zelvo-calc "$ESEMPIO"
cat >&2 <<TESTO

No display (neither DISPLAY nor WAYLAND_DISPLAY is set): the report above
comes from zelvo-calc. To open the window on the same example, from a
desktop session:
    ./build/release/app/zelvo $ESEMPIO
or without a desktop, under a virtual X server (apt-get install xvfb):
    xvfb-run -a ./build/release/app/zelvo $ESEMPIO
TESTO

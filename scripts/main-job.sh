#!/usr/bin/env bash
# Installs what is missing, builds, and runs the calculation on a bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
./build/release/app/zelvo-calc "${1:-examples/appoggio-appoggio.zlv}"

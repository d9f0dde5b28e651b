#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
# Usage: scripts/test.sh [--sanitize]   (--sanitize: AddressSanitizer + UBSan build)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if [ "${1:-}" = "--sanitize" ]; then
  bash scripts/build.sh --sanitize
  DIR=build/asan
  # Leak detection is off: Qt and fontconfig keep process-lifetime caches that it reports.
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
  bash scripts/build.sh
  DIR=build/release
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$DIR" --output-on-failure -j "$(nproc)"

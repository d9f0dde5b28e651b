#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
# Usage: scripts/test.sh [--sanitize | --release]
#   --sanitize  AddressSanitizer + LeakSanitizer + UBSan build
#   --release   the -O3 Release build, then the Debian package made from it
#               and checked in a throw-away root (scripts/package.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
case "${1:-}" in
  --sanitize)
    bash scripts/build.sh --sanitize
    DIR=build/asan
    # Leaks are errors. The suppressions name only process-lifetime caches of
    # third-party libraries (Qt, fontconfig, ...), never a frame of ours.
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ;;
  --release)
    bash scripts/build.sh --release
    DIR=build/rel
    PACCHETTO=1
    ;;
  *)
    bash scripts/build.sh
    DIR=build/release
    ;;
esac
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$DIR" --output-on-failure -j "$(nproc)"
if [ "${PACCHETTO:-0}" = 1 ]; then bash scripts/package.sh; fi

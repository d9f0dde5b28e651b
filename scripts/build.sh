#!/usr/bin/env bash
# Configures and builds the project with warnings as errors.
# Usage: scripts/build.sh [--sanitize | --release] [build-dir]
#   (default)   optimised build with debug information, build/release
#   --sanitize  AddressSanitizer + UBSan debug build, build/asan
#   --release   the Release build a distribution makes (-O3, installed under
#               /usr: the Debian package is made from it), build/rel
# The compiler is the one CMake finds, or CXX (for example CXX=clang++).
set -euo pipefail
cd "$(dirname "$0")/.."
EXTRA=(-DZELVO_WERROR=ON -DZELVO_SANITIZE=OFF)
DIR=build/release
case "${1:-}" in
  --sanitize)
    EXTRA=(-DZELVO_WERROR=ON -DZELVO_SANITIZE=ON -DZELVO_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
    DIR=build/asan
    shift
    ;;
  --release)
    EXTRA+=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr)
    DIR=build/rel
    shift
    ;;
esac
DIR=${1:-$DIR}
cmake -S . -B "$DIR" "${EXTRA[@]}" >/dev/null
cmake --build "$DIR" -j "$(nproc)"

#!/usr/bin/env bash
# Configures and builds the project. Usage: scripts/build.sh [--sanitize] [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
SAN=OFF
DIR=build/release
if [ "${1:-}" = "--sanitize" ]; then SAN=ON; DIR=build/asan; shift; fi
DIR=${1:-$DIR}
EXTRA=()
if [ "$SAN" = ON ]; then EXTRA+=(-DZELVO_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug); fi
cmake -S . -B "$DIR" -DZELVO_SANITIZE=$SAN "${EXTRA[@]}" >/dev/null
cmake --build "$DIR" -j "$(nproc)"

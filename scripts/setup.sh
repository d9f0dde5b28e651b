#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the tools need, when missing.
# Safe to run again: packages already present are left alone.
set -euo pipefail
PACKAGES=(
  build-essential cmake g++ pkg-config git
  liblapack-dev libblas-dev
  qt6-base-dev qt6-svg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libcli11-dev
  fonts-liberation2
  clang libclang-rt-14-dev clang-format
  python3 python3-ezdxf
  poppler-utils
  ccache
)
missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the tools need, when missing.
# Safe to run again: packages already present are left alone.
# Usage: scripts/setup.sh [--package]
#   --package  also the checkers of the Debian package (desktop-file-utils,
#              appstream, lintian) and what runs the window headless (xvfb, xdotool)
set -euo pipefail
PACKAGES=(
  build-essential cmake g++ pkg-config git
  liblapack-dev libblas-dev
  qt6-base-dev qt6-svg-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libcli11-dev
  fonts-liberation2
  clang libclang-rt-14-dev clang-format
  python3 python3-ezdxf
  poppler-utils
  ccache
  dpkg-dev file
)
if [ "${1:-}" = "--package" ]; then
  PACKAGES+=(desktop-file-utils appstream lintian xvfb xauth xdotool)
fi
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

# Locales the tests run the command line under (numbers in files and JSON must
# not depend on them; displayed numbers follow their separators).
LOCALES=(it_IT.UTF-8 en_US.UTF-8 de_DE.UTF-8)
missing_locales=()
for l in "${LOCALES[@]}"; do
  # locale -a lists "it_IT.utf8" for "it_IT.UTF-8".
  norm="${l%%.*}.utf8"
  if ! locale -a 2>/dev/null | grep -qx "$norm"; then missing_locales+=("$l"); fi
done
if [ ${#missing_locales[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  if ! dpkg-query -W -f='${Status}' locales 2>/dev/null | grep -q "install ok installed"; then
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends locales
  fi
  for l in "${missing_locales[@]}"; do
    # Enable the line in /etc/locale.gen (commented or absent), then generate.
    if grep -q "^# *$l UTF-8" /etc/locale.gen; then
      $SUDO sed -i "s/^# *$l UTF-8/$l UTF-8/" /etc/locale.gen
    elif ! grep -q "^$l UTF-8" /etc/locale.gen; then
      echo "$l UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
    fi
  done
  echo "Generating locales: ${missing_locales[*]}"
  $SUDO locale-gen
fi

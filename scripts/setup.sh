#!/usr/bin/env bash
# Installs every Debian package that building, testing and benchmarking Stellum needs.
# Idempotent: quiet and quick when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev fontconfig fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev
  libnova-dev
  clang libclang-rt-14-dev
  xvfb xauth openbox
  desktop-file-utils
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null

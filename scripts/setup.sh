#!/usr/bin/env bash
# Installs the Debian 12 packages the program, its tests and benchmarks need,
# and any further packages named as arguments, skipping those already
# present. Run as root.
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config dpkg-dev
  qt6-base-dev qt6-svg-dev qt6-image-formats-plugins qt6-l10n-tools qt6-tools-dev libgl-dev
  libpugixml-dev libgif-dev libxcb1-dev libcsv-dev libzip-dev
  libgtest-dev libbenchmark-dev
  xvfb xauth fonts-liberation2 fonts-dejavu-core
  libemf2svg-dev poppler-utils desktop-file-utils libglib2.0-bin
  qt6-translations-l10n
  help2man file appstream lintian
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs what is missing, builds, and writes the Debian package into the
# build folder: build/varenta-diagram_<version>_<architecture>.deb, which
# `apt install ./build/varenta-diagram_*.deb` installs with its dependencies.
# VARENTA_BUILD_DIR names the build folder (build). Run as root.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${VARENTA_BUILD_DIR:-build}
bash scripts/setup.sh
bash scripts/build.sh "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd "$build_dir" && cpack -G DEB)
ls "$build_dir"/varenta-diagram_*.deb

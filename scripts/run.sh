#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program (arguments are
# passed on, e.g. a document to open). Without a display it runs under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  exec xvfb-run -a build/src/app/varenta-diagram "$@"
fi
exec build/src/app/varenta-diagram "$@"

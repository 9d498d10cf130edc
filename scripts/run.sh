#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on a document (the
# first example unless one is given). On a machine without a display it does
# the program's main job instead: it exports the document to PNG, SVG and PDF
# into a folder, prints where the files are, and exits.
#
# VARENTA_BUILD_DIR names the build folder (build); VARENTA_EXPORT_DIR the
# folder of the exports (build/exports); VARENTA_NO_BUILD=1 uses the build as
# it is, without installing or building.
set -euo pipefail
# Documents named relative to the caller's folder stay found after the cd.
arguments=()
for argument in "$@"; do
  [[ "$argument" != /* && "$argument" != -* && -e "$argument" ]] && argument=$PWD/$argument
  arguments+=("$argument")
done
set -- "${arguments[@]}"
cd "$(dirname "$0")/.."
build_dir=${VARENTA_BUILD_DIR:-build}
if [[ "${VARENTA_NO_BUILD:-0}" != 1 ]]; then
  bash scripts/setup.sh
  bash scripts/build.sh "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
program=$build_dir/src/app/varenta-diagram
document=${1:-examples/soil_texture.xml}

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  if (($#)); then exec "$program" "$@"; fi
  exec "$program" "$document"
fi

export_dir=${VARENTA_EXPORT_DIR:-$build_dir/exports}
mkdir -p "$export_dir"
name=$(basename "${document%.*}")
echo "No display: exporting $document instead of opening it."
for format in png svg pdf; do
  "$program" --export "$export_dir/$name.$format" "$document"
  echo "  $(realpath "$export_dir/$name.$format")"
done

#!/usr/bin/env bash
# scripts/run.sh on a machine without a display: it exports the first example
# to PNG, SVG and PDF, names the files and exits 0.
#   check_run_sh.sh <source folder> <build folder>
set -euo pipefail
source_dir=$1 build=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

printed=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM VARENTA_NO_BUILD=1 \
  VARENTA_BUILD_DIR="$build" VARENTA_EXPORT_DIR="$out" timeout 60 bash "$source_dir/scripts/run.sh") ||
  fail "run.sh exited with $?"
for format in png svg pdf; do
  file=$out/soil_texture.$format
  [[ -s "$file" ]] || fail "$file missing"
  grep -qF "$(realpath "$file")" <<<"$printed" || fail "run.sh did not name $file"
done
# The PNG signature, then the width and height of its header, 800 x 600.
[[ $(od -An -tx1 -N24 "$out/soil_texture.png" | tr -d ' \n') == 89504e470d0a1a0a*0000032000000258 ]] ||
  fail "not a PNG of 800 x 600"
pdfinfo "$out/soil_texture.pdf" >/dev/null || fail "not a PDF"
grep -q '<svg' "$out/soil_texture.svg" || fail "not an SVG"
echo "$printed"

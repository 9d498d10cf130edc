#!/usr/bin/env bash
# Whole-process timing of the headless export: documents of 100,000 and
# 1,000,000 random compositions (one points series of 5-pixel filled squares,
# no polyline) exported at 800 x 800 to PNG, SVG, PDF and EMF. Prints the wall
# time and the peak memory (maximum resident set) of every run.
#
#   bash bench/export_cli_bench.sh [path/to/varenta-diagram]
#
# Build in release mode first (RelWithDebInfo is fine). Targets: the PNG of
# 1,000,000 points in at most half the time of the matplotlib reference row
# (printed last when python3-matplotlib is installed) and under 100 MB; SVG,
# PDF and EMF each under 3 s, peak memory under 300 MB. The last rows colour the
# million points by a value per point (Viridis, with a colour bar) against
# matplotlib's scatter(c=values): the PNG in at most half its time, under
# 120 MB.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
program="${1:-$here/../build/src/app/varenta-diagram}"
[[ -x "$program" ]] || { echo "No executable at $program: build the varenta-diagram target first" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "/usr/bin/time is missing (Debian package: time)" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Runs a command under /usr/bin/time; sets wall (s) and peak (MB).
measure() {
  local report="$work/time.txt"
  /usr/bin/time -v -o "$report" "$@"
  wall="$(sed -n 's/^\s*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$report" |
    awk -F: '{ s = 0; for (i = 1; i <= NF; ++i) s = s * 60 + $i; printf "%.2f", s }')"
  peak="$(sed -n 's/^\s*Maximum resident set size (kbytes): //p' "$report" | awk '{ printf "%.0f", $1 / 1024 }')"
}

printf '%-10s %-6s %10s %12s %12s\n' points format "wall (s)" "peak (MB)" "output (MB)"
for count in 100000 1000000; do
  document="$work/points_$count.xml"
  python3 "$here/make_points_document.py" "$count" "$document"
  for format in png svg pdf emf; do
    output="$work/points_$count.$format"
    measure "$program" --export "$output" --size 800x800 "$document"
    size="$(stat -c %s "$output" | awk '{ printf "%.1f", $1 / 1048576 }')"
    printf '%-10s %-6s %10s %12s %12s\n' "$count" "$format" "$wall" "$peak" "$size"
    rm -f "$output"
  done
done

# The reference for the PNG export: matplotlib drawing a million points read
# from nowhere (see bench/matplotlib_reference.py), in the same run.
if /usr/bin/python3 -c 'import matplotlib' 2>/dev/null; then
  measure /usr/bin/python3 "$here/matplotlib_reference.py" "$work/reference.png"
  printf '%-10s %-6s %10s %12s %12s\n' 1000000 "mpl" "$wall" "$peak" "-"
fi

document="$work/coloured.xml"
python3 "$here/make_points_document.py" --values 1000000 "$document"
measure "$program" --export "$work/coloured.png" --size 800x800 "$document"
printf '%-10s %-6s %10s %12s %12s\n' 1000000 "png+c" "$wall" "$peak" "-"
if /usr/bin/python3 -c 'import matplotlib' 2>/dev/null; then
  measure /usr/bin/python3 "$here/matplotlib_reference.py" --values "$work/reference_c.png"
  printf '%-10s %-6s %10s %12s %12s\n' 1000000 "mpl+c" "$wall" "$peak" "-"
else
  echo "matplotlib is missing (Debian package: python3-matplotlib): no reference row" >&2
fi

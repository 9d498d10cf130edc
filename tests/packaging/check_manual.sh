#!/usr/bin/env bash
# Prints one user's manual from its chapters and checks the PDF: a page per
# chapter at least, every picture that exists, every chapter title of its own
# language and none of the other language's; then checks that the build put
# the same manual next to the program.
#   check_manual.sh <build_manual> <chapter folder> <other language's folder> <title> <built pdf>
set -euo pipefail
build_manual=$1 chapters=$2 other=$3 title=$4 built=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A build tool: see docs/CMakeLists.txt on why its leaks go unchecked.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" QT_QPA_PLATFORM=offscreen "$build_manual" "$chapters" "$work/manual.pdf" "$title"
pdf=$work/manual.pdf

titles() { sed -n 's/^# //p' "$1"/*.md; }
chapter_count=$(ls "$chapters"/*.md | wc -l)
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
((pages >= chapter_count)) || fail "$pages pages for $chapter_count chapters"
pdfinfo "$pdf" | grep -q "^Title: *$title\$" || fail "the PDF's title is not $title"

# Pictures referenced by the chapters that exist (a missing one is left out
# with a warning): each one is an image of the PDF.
pictures=0
while read -r path; do
  [[ -f "$chapters/$path" ]] && pictures=$((pictures + 1))
done < <(grep -oh '!\[[^]]*\]([^)]*)' "$chapters"/*.md | sed 's/.*(\(.*\))/\1/' | sort -u)
((pictures >= 1)) || fail "no picture of the chapters exists"
images=$(pdfimages -list "$pdf" | tail -n +3 | awk '$3 == "image"' | wc -l)
((images >= pictures)) || fail "$images images in the PDF for $pictures pictures"

# Text with line breaks and runs of blanks as single spaces.
text=$(pdftotext -enc UTF-8 "$pdf" - | tr '\n\f' '  ' | tr -s ' ')
while read -r heading; do
  grep -qF -- "$heading" <<<"$text" || fail "chapter title \"$heading\" missing"
done < <(titles "$chapters")
while read -r heading; do
  titles "$chapters" | grep -qxF -- "$heading" && continue
  ! grep -qF -- "$heading" <<<"$text" || fail "title \"$heading\" of the other language found"
done < <(titles "$other")

[[ -f "$built" ]] || fail "$built was not built"
built_pages=$(pdfinfo "$built" | awk '/^Pages:/ {print $2}')
((built_pages == pages)) || fail "$built has $built_pages pages, not $pages"
echo "$title: $pages pages, $images pictures, $chapter_count chapters"

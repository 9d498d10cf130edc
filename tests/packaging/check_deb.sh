#!/usr/bin/env bash
# Builds the Debian package with CPack into a temporary folder, checks its
# control fields and contents, unpacks it and runs the unpacked program.
#   check_deb.sh <cpack> <build folder>
# Exits 77 (skipped) where dpkg-deb is missing.
set -euo pipefail
cpack=$1 build=$2
command -v dpkg-deb >/dev/null || { echo "SKIP: dpkg-deb is missing: no Debian package can be built here"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack could not build the package"; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb=$work/varenta-diagram_${version}_$(dpkg --print-architecture).deb
[[ -f "$deb" ]] || fail "no $(basename "$deb") among: $(ls "$work")"

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == varenta-diagram && $(field Version) == "$version" && $(field Section) == science ]] ||
  fail "Package, Version or Section"
[[ -n $(field Maintainer) && $(field Description | wc -l) -gt 3 ]] || fail "no maintainer or long description"
# Libraries found from the binary, and the fonts documents rely on.
for name in libqt6widgets libqt6gui libpugixml libgif fonts-liberation2 fonts-dejavu-core; do
  grep -q "$name" <<<"$(field Depends)" || fail "Depends lacks $name: $(field Depends)"
done

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
expected=(
  usr/bin/varenta-diagram
  "usr/share/varenta-diagram/manual/Quellar"
  "usr/share/varenta-diagram/manual/Manuel"
  usr/share/applications/varenta-diagram.desktop
  usr/share/icons/hicolor/scalable/apps/varenta-diagram.svg
  usr/share/mime/packages/varenta-diagram.xml
  usr/share/varenta-diagram/examples/soil_texture.xml
  usr/share/man/man1/varenta-diagram.1.gz
  usr/share/metainfo/org.quellar.varenta_diagram.metainfo.xml
  usr/share/doc/varenta-diagram/copyright
  usr/share/doc/varenta-diagram/changelog.gz
)
for path in "${expected[@]}"; do
  grep -q "^\./$path" <<<"$contents" || fail "$path is not in the package"
done
! grep -q "^\./usr/bin/.*\.pdf" <<<"$contents" || fail "a manual is still in bin/"

root=$work/root
dpkg -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/varenta-diagram.desktop" || fail "the launcher is not valid"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.quellar.varenta_diagram.metainfo.xml" ||
  fail "the metainfo is not valid"
# The manual page: every option, the formats, the exit status and examples.
man_text=$(zcat "$root/usr/share/man/man1/varenta-diagram.1.gz")
for word in '\-\-export' '\-\-format' '\-\-size' '\-\-help' '\-\-version' \
  '.SH FORMATS' '.SH "EXIT STATUS"' '.SH EXAMPLES'; do
  grep -qF -- "$word" <<<"$man_text" || fail "the manual page lacks $word"
done

QT_QPA_PLATFORM=offscreen "$root/usr/bin/varenta-diagram" --export "$work/soil.png" \
  "$root/usr/share/varenta-diagram/examples/soil_texture.xml" || fail "the unpacked program did not export"
[[ $(od -An -tx1 -N8 "$work/soil.png" | tr -d ' \n') == 89504e470d0a1a0a ]] || fail "the export is not a PNG"
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" || fail "lintian found errors"
fi
echo "$(basename "$deb"): ${#expected[@]} paths checked, $(wc -l <<<"$contents") entries"

#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that every file of a
# desktop installation is there, that the launcher is valid and that the
# document type registers.
#   check_install.sh <build folder>
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
expected=(
  "bin/varenta-diagram"
  "share/varenta-diagram/manual/Quellar Varenta Diagram User's Manual.pdf"
  "share/varenta-diagram/manual/Manuel utilisateur de Quellar Varenta Diagram.pdf"
  "share/man/man1/varenta-diagram.1.gz"
  "share/metainfo/org.quellar.varenta_diagram.metainfo.xml"
  "share/applications/varenta-diagram.desktop"
  "share/icons/hicolor/scalable/apps/varenta-diagram.svg"
  "share/icons/hicolor/scalable/mimetypes/application-x-varenta-diagram.svg"
  "share/mime/packages/varenta-diagram.xml"
  "share/varenta-diagram/examples/README.md"
  "share/varenta-diagram/examples/soil_texture.xml"
  "share/varenta-diagram/examples/sandstone_classification.xml"
  "share/varenta-diagram/examples/soil_samples.xml"
)
for file in "${expected[@]}"; do
  [[ -f "$prefix/$file" ]] || fail "$file not installed"
done
[[ -x "$prefix/bin/varenta-diagram" ]] || fail "the program is not executable"

desktop-file-validate "$prefix/share/applications/varenta-diagram.desktop" || fail "the launcher is not valid"
# The launcher names what the program and the type database define.
grep -qx 'Exec=varenta-diagram %f' "$prefix/share/applications/varenta-diagram.desktop" || fail "Exec"
grep -qx 'Icon=varenta-diagram' "$prefix/share/applications/varenta-diagram.desktop" || fail "Icon"
grep -q 'MimeType=application/x-varenta-diagram;' "$prefix/share/applications/varenta-diagram.desktop" || fail "MimeType"

# The type database accepts the package and knows documents by their root.
update-mime-database "$prefix/share/mime" || fail "update-mime-database refused the type"
grep -q 'application/x-varenta-diagram' "$prefix/share/mime/types" || fail "the type is not registered"
grep -q 'GraphControl' "$prefix/share/mime/XMLnamespaces" || fail "the root element is not registered"
# A document is known by its content; any other XML file stays XML.
content_type() { XDG_DATA_DIRS="$prefix/share:/usr/share" gio info -a standard::content-type "$1" | sed -n 's/.*content-type: //p'; }
[[ $(content_type "$prefix/share/varenta-diagram/examples/soil_texture.xml") == application/x-varenta-diagram ]] ||
  fail "an example is not recognised as a diagram"
[[ $(content_type "$prefix/share/mime/packages/varenta-diagram.xml") == application/xml ]] ||
  fail "another XML file is taken for a diagram"

# The installed program runs on its installed examples.
"$prefix/bin/varenta-diagram" --export "$prefix/check.png" "$prefix/share/varenta-diagram/examples/soil_texture.xml"
[[ -s "$prefix/check.png" ]] || fail "the installed program did not export"
echo "installed ${#expected[@]} files"

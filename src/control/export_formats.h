#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>
#include <string_view>

namespace control {

// What an export format produces, which decides how the file is written.
enum class TExportKind { Text, Document, Metafile, Raster, Svg, Pdf };

struct TExportFormat {
  std::string_view MimeType;
  // The usual file name extension, without the dot; also the format's short
  // name on the command line.
  std::string_view Extension;
  TExportKind Kind;
};

// The export formats by index. Indices 0 to 7 are the formats of the export
// dialog, in its order; SVG and PDF follow.
inline constexpr std::array<TExportFormat, 10> kExportFormats{{
    {"text/text", "txt", TExportKind::Text},
    {"text/xml", "xml", TExportKind::Document},
    {"image/emf", "emf", TExportKind::Metafile},
    {"image/bmp", "bmp", TExportKind::Raster},
    {"image/jpeg", "jpg", TExportKind::Raster},
    {"image/gif", "gif", TExportKind::Raster},
    {"image/tiff", "tif", TExportKind::Raster},
    {"image/png", "png", TExportKind::Raster},
    {"image/svg+xml", "svg", TExportKind::Svg},
    {"application/pdf", "pdf", TExportKind::Pdf},
}};

inline constexpr int kExportFormatCount = int(kExportFormats.size());

// The format of an index; nothing for an index out of range.
const TExportFormat* ExportFormatAt(int index);

// The index of a format named by its extension, in any letter case; "jpeg",
// "tiff" and "text" are accepted too.
std::optional<int> ExportFormatNamed(QStringView name);

// The index of the format that a file name's extension names.
std::optional<int> ExportFormatOfFile(const QString& fileName);

}  // namespace control

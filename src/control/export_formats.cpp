#include "control/export_formats.h"

#include <QFileInfo>

namespace control {

namespace {

struct TFormatAlias {
  QStringView Name;
  QStringView Extension;
};

constexpr std::array<TFormatAlias, 3> kAliases{{
    {u"jpeg", u"jpg"},
    {u"tiff", u"tif"},
    {u"text", u"txt"},
}};

std::optional<int> IndexOfExtension(QStringView extension) {
  for (int i = 0; i < kExportFormatCount; ++i) {
    const std::string_view known = kExportFormats[size_t(i)].Extension;
    if (extension.compare(QLatin1String(known.data(), qsizetype(known.size())), Qt::CaseInsensitive) == 0) return i;
  }
  return std::nullopt;
}

}  // namespace

const TExportFormat* ExportFormatAt(int index) {
  if (index < 0 || index >= kExportFormatCount) return nullptr;
  return &kExportFormats[size_t(index)];
}

std::optional<int> ExportFormatNamed(QStringView name) {
  if (const auto index = IndexOfExtension(name)) return index;
  for (const TFormatAlias& alias : kAliases) {
    if (name.compare(alias.Name, Qt::CaseInsensitive) == 0) return IndexOfExtension(alias.Extension);
  }
  return std::nullopt;
}

std::optional<int> ExportFormatOfFile(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix();
  if (suffix.isEmpty()) return std::nullopt;
  return ExportFormatNamed(suffix);
}

}  // namespace control

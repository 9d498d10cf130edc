#include "import/data_file.h"

#include <QFile>
#include <QFileInfo>

#include "import/delimited_reader.h"
#include "import/import_error.h"
#include "import/spreadsheet_reader.h"

namespace import {

namespace {

QByteArray ReadBytes(const QString& fileName, const QString& source) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) Fail(TImportFault::Unreadable, source, file.errorString());
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) Fail(TImportFault::Unreadable, source, file.errorString());
  return bytes;
}

}  // namespace

std::optional<TDataFileKind> DataFileKind(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix == QLatin1String("csv") || suffix == QLatin1String("tsv") || suffix == QLatin1String("txt"))
    return TDataFileKind::Delimited;
  if (suffix == QLatin1String("xlsx")) return TDataFileKind::Xlsx;
  if (suffix == QLatin1String("ods")) return TDataFileKind::Ods;
  return std::nullopt;
}

TDataTable ReadDataFile(const QString& fileName, const TReadChoices& choices, TDelimitedFormat* detected) {
  const QString source = QFileInfo(fileName).fileName();
  const std::optional<TDataFileKind> kind = DataFileKind(fileName);
  if (!kind) Fail(TImportFault::Unreadable, source, QStringLiteral("it is not a .csv, .tsv, .txt, .xlsx or .ods file"));
  const QByteArray bytes = ReadBytes(fileName, source);
  const std::string_view view(bytes.constData(), size_t(bytes.size()));
  if (*kind != TDataFileKind::Delimited) {
    const auto sheetKind = *kind == TDataFileKind::Xlsx ? TSpreadsheetKind::Xlsx : TSpreadsheetKind::Ods;
    return ReadSpreadsheet(view, sheetKind, choices.Sheet, source, choices.Text.HasHeader);
  }
  const TDelimitedFormat format = DetectDelimitedFormat(view, choices.Text);
  if (detected) *detected = format;
  return ReadDelimited(view, format, source, choices.Text.HasHeader);
}

}  // namespace import

#include "import/data_file.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "import/delimited_reader.h"
#include "import/import_error.h"
#include "import/spreadsheet_reader.h"

namespace import {

namespace {

constexpr const char* kCannotRead = QT_TRANSLATE_NOOP("Program", "%1");

// Read in blocks of a few megabytes, each reported.
QByteArray ReadBytes(const QString& fileName, const QString& source, const model::TProgress& progress) {
  constexpr qint64 kBlock = 4 << 20;
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) Fail(TImportFault::Unreadable, source, kCannotRead, {file.errorString()});
  const qint64 size = file.size();
  QByteArray bytes;
  // A file that is not regular (a pipe) has no size: it is read whole.
  if (size <= 0 || !progress.Active()) {
    bytes = file.readAll();
  } else {
    bytes.resize(size);
    qint64 filled = 0;
    for (qint64 read = 0; filled < size; filled += read) {
      progress.Report(double(filled) / double(size));
      read = file.read(bytes.data() + filled, std::min(kBlock, size - filled));
      if (read <= 0) break;
    }
    bytes.truncate(filled);
  }
  if (file.error() != QFileDevice::NoError) Fail(TImportFault::Unreadable, source, kCannotRead, {file.errorString()});
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

TDataTable ReadDataFile(const QString& fileName, const TReadChoices& choices, TDelimitedFormat* detected,
                        const model::TProgress& progress) {
  // Reading the bytes is quick beside parsing them.
  constexpr double kRead = 0.2;
  const QString source = QFileInfo(fileName).fileName();
  const std::optional<TDataFileKind> kind = DataFileKind(fileName);
  if (!kind)
    Fail(TImportFault::Unreadable, source,
         QT_TRANSLATE_NOOP("Program", "it is not a .csv, .tsv, .txt, .xlsx or .ods file"));
  const QByteArray bytes = ReadBytes(fileName, source, progress.Part(0, kRead));
  const std::string_view view(bytes.constData(), size_t(bytes.size()));
  if (*kind != TDataFileKind::Delimited) {
    const auto sheetKind = *kind == TDataFileKind::Xlsx ? TSpreadsheetKind::Xlsx : TSpreadsheetKind::Ods;
    return ReadSpreadsheet(view, sheetKind, choices.Sheet, source, choices.Text.HasHeader, progress.Part(kRead, 1));
  }
  const TDelimitedFormat format = DetectDelimitedFormat(view, choices.Text);
  if (detected) *detected = format;
  return ReadDelimited(view, format, source, choices.Text.HasHeader, progress.Part(kRead, 1));
}

}  // namespace import

#include "control/document_io.h"

#include <QFile>
#include <QFileDevice>
#include <QIODevice>
#include <algorithm>

#include "control/xml_well_formed.h"
#include "model/xml_document.h"
#include "output/file_writer.h"

namespace control {

namespace {

[[noreturn]] void Fail(const QString& message) { throw TDocumentError(message.toStdString()); }

QString Quoted(const QString& source) { return QLatin1Char('"') + source + QLatin1Char('"'); }

struct TTextPosition {
  int Line = 1;
  int Column = 1;
};

// Lines and columns counted from 1; columns in bytes, as the parser reports
// an offset in bytes.
TTextPosition PositionOf(const QByteArray& data, qsizetype offset) {
  TTextPosition position;
  const qsizetype end = std::clamp<qsizetype>(offset, 0, data.size());
  for (qsizetype i = 0; i < end; ++i) {
    if (data[i] == '\n') {
      ++position.Line;
      position.Column = 1;
    } else {
      ++position.Column;
    }
  }
  return position;
}

[[noreturn]] void FailAt(const QByteArray& data, const QString& source, size_t offset, const QString& reason) {
  const TTextPosition at = PositionOf(data, qsizetype(offset));
  Fail(QStringLiteral("Cannot read %1: XML error at line %2, column %3: %4")
           .arg(Quoted(source))
           .arg(at.Line)
           .arg(at.Column)
           .arg(reason));
}

}  // namespace

void ParseDocument(const QByteArray& data, const QString& source, pugi::xml_document& document) {
  // As a fragment, pugixml keeps what lies outside the root, so that the
  // well-formedness check below sees it.
  const pugi::xml_parse_result result =
      document.load_buffer(data.constData(), size_t(data.size()), model::kParseOptions | pugi::parse_fragment);
  if (!result) FailAt(data, source, size_t(result.offset), QString::fromUtf8(result.description()));
  if (!document.document_element())
    Fail(QStringLiteral("Cannot read %1: the document has no root element").arg(Quoted(source)));
  const std::string_view text(data.constData(), size_t(data.size()));
  if (const auto fault = FindWellFormednessFault(text, document))
    FailAt(data, source, fault->Offset, QString::fromStdString(fault->Reason));
}

QByteArray ReadAll(QIODevice& device, const QString& source) {
  if (!device.isReadable())
    Fail(QStringLiteral("Cannot read %1: the stream is not open for reading").arg(Quoted(source)));
  // A read failure leaves the data short; the parser then reports where it stopped.
  return device.readAll();
}

QByteArray ReadFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    Fail(QStringLiteral("Cannot open %1: %2").arg(Quoted(fileName), file.errorString()));
  return ReadAll(file, fileName);
}

void WriteAll(QIODevice& device, QByteArrayView data, const QString& source) {
  if (!device.isWritable())
    Fail(QStringLiteral("Cannot write %1: the stream is not open for writing").arg(Quoted(source)));
  if (device.write(data.data(), data.size()) != data.size())
    Fail(QStringLiteral("Cannot write %1: %2").arg(Quoted(source), device.errorString()));
}

void WriteDocumentFile(const QString& fileName, QByteArrayView data) {
  QString error;
  if (!output::WriteFile(fileName, data, &error)) Fail(error);
}

QString DeviceName(const QIODevice& device) {
  if (const auto* file = qobject_cast<const QFileDevice*>(&device); file && !file->fileName().isEmpty())
    return file->fileName();
  return QStringLiteral("stream");
}

}  // namespace control

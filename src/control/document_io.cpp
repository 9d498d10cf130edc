#include "control/document_io.h"

#include <QFile>
#include <QFileDevice>
#include <QIODevice>
#include <algorithm>
#include <functional>
#include <limits>

#include "control/document_preread.h"
#include "control/xml_well_formed.h"
#include "model/memory_advice.h"
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

// The cut elements of `preread` in the parse of its rest, found by the
// offset of their names.
bool MatchCutElements(TPrereadText& preread, TParsedDocument& parsed) {
  size_t matched = 0;
  for (pugi::xml_node node = parsed.Document.first_child(); node; node = model::NextInDocumentOrder(node)) {
    if (node.type() == pugi::node_element && std::strcmp(node.name(), "Items") == 0) {
      const auto offset = size_t(node.offset_debug() - 1);
      const auto found = std::lower_bound(preread.CutOffsets.begin(), preread.CutOffsets.end(), offset);
      if (found != preread.CutOffsets.end() && *found == offset && !node.first_child()) {
        parsed.Entries.Add(node, std::move(preread.Sets[size_t(found - preread.CutOffsets.begin())]));
        ++matched;
      }
    }
  }
  return matched == preread.Sets.size();
}

// The rest of the text parsed and checked; false for anything that is not
// a clean success, which the whole text's parse then reports exactly.
bool ParsePrereadText(TPrereadText& preread, TParsedDocument& parsed) {
  const pugi::xml_parse_result result = parsed.Document.load_buffer(preread.Rest.data(), preread.Rest.size(),
                                                                    model::kParseOptions | pugi::parse_fragment);
  if (result && parsed.Document.document_element() && !FindWellFormednessFault(preread.Rest, parsed.Document) &&
      MatchCutElements(preread, parsed))
    return true;
  parsed.Document.reset();
  parsed.Entries = model::TPrereadEntries();
  return false;
}

// `reread` gives the text again once parts of `data` have been released;
// without it nothing is released.
void ParseWithPreread(QByteArray data, const QString& source, TParsedDocument& parsed,
                      const std::function<QByteArray()>& reread) {
  bool released = false;
  std::function<void(size_t)> consumed;
  if (reread)
    consumed = [&](size_t upTo) {
      model::ReleaseBufferFront(data.data(), std::min(upTo, size_t(data.size())));
      released = true;
    };
  std::optional<TPrereadText> preread =
      PrereadEntries(std::string_view(data.constData(), size_t(data.size())), consumed);
  if (preread && ParsePrereadText(*preread, parsed)) return;
  preread.reset();
  if (released) data = reread();
  ParseDocument(data, source, parsed.Document);
}

}  // namespace

void ParseDocumentFile(const QString& fileName, TParsedDocument& parsed) {
  ParseWithPreread(ReadFile(fileName), fileName, parsed, [&fileName] { return ReadFile(fileName); });
}

void ParseDocumentText(QByteArray data, const QString& source, TParsedDocument& parsed) {
  ParseWithPreread(std::move(data), source, parsed, {});
}

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
  // A regular file is read in one piece into memory that is told first how
  // it will be used (see AdviseLargeBuffer).
  const qint64 size = file.size();
  if (file.isSequential() || size <= 0 || size >= std::numeric_limits<qsizetype>::max() / 2)
    return ReadAll(file, fileName);
  QByteArray data(qsizetype(size), Qt::Uninitialized);
  model::AdviseLargeBuffer(data.data(), size_t(data.size()));
  const qint64 read = file.read(data.data(), size);
  if (read < 0) return ReadAll(file, fileName);
  data.truncate(qsizetype(read));
  // A file that grew meanwhile is read to its end.
  if (!file.atEnd()) data += file.readAll();
  return data;
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

// Reading a document, in five steps:
//  1. Pre-read: the point lists written the plain way are cut out of the
//     text and read straight into sets of entries (document_preread), so
//     that a list of a million points does not take a node per point.
//  2. Parse: pugixml parses the rest of the text, as a fragment so that what
//     lies outside the root element stays in the parse.
//  3. Well-formedness check: what the lenient parser took although XML
//     forbids it is refused (xml_well_formed).
//  4. Re-attaching the lists: each set of entries goes to the <Items>
//     element that stood where it was cut, found by the offset of its name.
//  5. Fallback: when any of these is not a clean success, the whole text
//     (read again if parts of it were released meanwhile) goes through
//     steps 2 and 3 alone, which then report a fault exactly where it lies.
// Either way the caller gets the document the parser alone would give, with
// the same errors.
#include "control/document_io.h"

#include <QFile>
#include <QFileDevice>
#include <QIODevice>
#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>
#include <string_view>

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

// Why a text cannot be read: at an offset, or as a whole.
struct TRefusal {
  std::optional<size_t> Offset;
  QString Reason;
};

[[noreturn]] void Refuse(const QByteArray& data, const QString& source, const TRefusal& refusal) {
  if (!refusal.Offset) Fail(QStringLiteral("Cannot read %1: %2").arg(Quoted(source), refusal.Reason));
  const TTextPosition at = PositionOf(data, qsizetype(*refusal.Offset));
  Fail(QStringLiteral("Cannot read %1: XML error at line %2, column %3: %4")
           .arg(Quoted(source))
           .arg(at.Line)
           .arg(at.Column)
           .arg(refusal.Reason));
}

// Steps 2 and 3: nothing when `document` now holds `text`.
std::optional<TRefusal> ParseAndCheck(std::string_view text, pugi::xml_document& document) {
  const pugi::xml_parse_result result =
      document.load_buffer(text.data(), text.size(), model::kParseOptions | pugi::parse_fragment);
  if (!result) return TRefusal{size_t(result.offset), QString::fromUtf8(result.description())};
  if (!document.document_element()) return TRefusal{std::nullopt, QStringLiteral("the document has no root element")};
  if (const std::optional<TXmlFault> fault = FindWellFormednessFault(text, document))
    return TRefusal{fault->Offset, QString::fromStdString(Describe(*fault))};
  return std::nullopt;
}

// Step 4: false unless every cut element is found, as an element without
// children, in the parse of the rest.
bool AttachCutLists(TPrereadText& preread, TParsedDocument& parsed) {
  size_t matched = 0;
  for (pugi::xml_node node = parsed.Document.first_child(); node; node = model::NextInDocumentOrder(node)) {
    if (node.type() == pugi::node_element &&
        (std::strcmp(node.name(), "Items") == 0 || std::strcmp(node.name(), "Values") == 0)) {
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

std::string_view ViewOf(const QByteArray& data) { return std::string_view(data.constData(), size_t(data.size())); }

// Shares of the reading in its progress: the pre-read takes most of the
// time of a large document, the parse of the rest most of what is left.
constexpr double kPrereadShare = 0.8;
constexpr double kParseShare = 0.95;

// `reread` gives the text again once parts of `data` have been released;
// without it nothing is released.
void ParseWithPreread(QByteArray data, const QString& source, TParsedDocument& parsed,
                      const std::function<QByteArray()>& reread, const model::TProgress& progress) {
  // 1. Pre-read; the pre-reader tells how far it has got every few megabytes.
  bool released = false;
  const model::TProgress prereading = progress.Part(0, kPrereadShare);
  const double size = double(std::max<qsizetype>(data.size(), 1));
  std::function<void(size_t)> consumed;
  if (reread || progress.Active())
    consumed = [&](size_t upTo) {
      if (reread) {
        model::ReleaseBufferFront(data.data(), std::min(upTo, size_t(data.size())));
        released = true;
      }
      prereading.Report(double(upTo) / size);
    };
  std::optional<TPrereadText> preread = PrereadEntries(ViewOf(data), consumed);
  progress.Report(kPrereadShare);
  // 2.-4. Parse, check, re-attach.
  if (preread) {
    const bool parsedCleanly = !ParseAndCheck(preread->Rest, parsed.Document);
    progress.Report(kParseShare);
    if (parsedCleanly && AttachCutLists(*preread, parsed)) return;
    parsed.Document.reset();
    parsed.Entries = model::TPrereadEntries();
    preread.reset();
  }
  // 5. Fallback.
  if (released) data = reread();
  ParseDocument(data, source, parsed.Document);
}

}  // namespace

void ParseDocumentFile(const QString& fileName, TParsedDocument& parsed, const model::TProgress& progress) {
  ParseWithPreread(
      ReadFile(fileName), fileName, parsed, [&fileName] { return ReadFile(fileName); }, progress);
}

void ParseDocumentText(QByteArray data, const QString& source, TParsedDocument& parsed,
                       const model::TProgress& progress) {
  ParseWithPreread(std::move(data), source, parsed, {}, progress);
}

void ParseDocument(const QByteArray& data, const QString& source, pugi::xml_document& document) {
  if (const std::optional<TRefusal> refusal = ParseAndCheck(ViewOf(data), document)) Refuse(data, source, *refusal);
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

void WriteDocumentFile(const QString& fileName, QByteArrayView data, const model::TProgress& progress) {
  // Small enough that Cancel answers at once, large enough to cost nothing.
  constexpr qsizetype kBlockSize = qsizetype(4) << 20;
  output::TFileWriter file(fileName);
  for (qsizetype at = 0; at < data.size() && !file.Failed(); at += kBlockSize) {
    const qsizetype block = std::min(kBlockSize, data.size() - at);
    file.write(data.data() + at, block);
    // A cancel leaves by exception: the writer, never committed, drops its temporary.
    progress.Report(double(at + block) / double(data.size()));
  }
  if (!file.Commit()) Fail(file.ErrorMessage());
}

QString DeviceName(const QIODevice& device) {
  if (const auto* file = qobject_cast<const QFileDevice*>(&device); file && !file->fileName().isEmpty())
    return file->fileName();
  return QStringLiteral("stream");
}

}  // namespace control

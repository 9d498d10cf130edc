#pragma once

#include <QByteArray>
#include <QString>
#include <pugixml.hpp>
#include <stdexcept>

#include "model/preread_entries.h"
#include "model/progress.h"

class QIODevice;

// A diagram document that cannot be read or written: the message names the
// file (or stream) and what went wrong.
class TDocumentError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

namespace control {

// A parsed document and the entries of its point lists, read beside it.
struct TParsedDocument {
  pugi::xml_document Document;
  model::TPrereadEntries Entries;
};

// Reads and parses a document file, or a text read from a stream, as
// ParseDocument does, with the point lists written the plain way read
// without a node per entry (see PrereadEntries): the same document, with
// the same errors, in a fraction of the time and memory. `progress` hears
// of the point lists read (a step of some megabytes at a time) and may stop
// the reading with model::TCancelled.
void ParseDocumentFile(const QString& fileName, TParsedDocument& parsed,
                       const model::TProgress& progress = model::TProgress());
void ParseDocumentText(QByteArray data, const QString& source, TParsedDocument& parsed,
                       const model::TProgress& progress = model::TProgress());

// Parses the whole of `data` into `document`. A text that is not well-formed
// XML, or has no root element, raises TDocumentError naming `source`, the
// line and column where the parser stopped and its reason.
void ParseDocument(const QByteArray& data, const QString& source, pugi::xml_document& document);

// Reads everything left on an open device; raises TDocumentError when the
// device cannot be read.
QByteArray ReadAll(QIODevice& device, const QString& source);
QByteArray ReadFile(const QString& fileName);

// Writes `data` to the device, or to the file through output::TFileWriter,
// so a failed save leaves the previous file intact. Failures raise
// TDocumentError. A file is written a block at a time, each reported to
// `progress`; a cancelled write leaves the previous file as it was.
void WriteAll(QIODevice& device, QByteArrayView data, const QString& source);
void WriteDocumentFile(const QString& fileName, QByteArrayView data,
                       const model::TProgress& progress = model::TProgress());

// The name of a device for messages: its file name if it has one.
QString DeviceName(const QIODevice& device);

}  // namespace control

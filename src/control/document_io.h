#pragma once

#include <QByteArray>
#include <QString>
#include <pugixml.hpp>
#include <stdexcept>

class QIODevice;

// A diagram document that cannot be read or written: the message names the
// file (or stream) and what went wrong.
class TDocumentError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

namespace control {

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
// TDocumentError.
void WriteAll(QIODevice& device, QByteArrayView data, const QString& source);
void WriteDocumentFile(const QString& fileName, QByteArrayView data);

// The name of a device for messages: its file name if it has one.
QString DeviceName(const QIODevice& device);

}  // namespace control

#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QXmlStreamReader>
#include <string_view>

// Reads a saved document with Qt's XML reader, which shares nothing with the
// parser the program uses, so that a document our own parser would forgive
// but others refuse is caught.
inline testing::AssertionResult IsWellFormedXml(const QByteArray& text) {
  QXmlStreamReader reader(text);
  while (!reader.atEnd()) reader.readNext();
  if (!reader.hasError()) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "not well-formed XML: " << reader.errorString().toStdString() << " at line "
                                     << reader.lineNumber() << ", column " << reader.columnNumber();
}

inline testing::AssertionResult IsWellFormedXml(std::string_view text) {
  return IsWellFormedXml(QByteArray(text.data(), qsizetype(text.size())));
}

#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

namespace import {

// Why a data file gives no table or no series.
enum class TImportFault {
  Unreadable,          // the file cannot be opened or read
  Empty,               // no byte, or no row
  Binary,              // bytes no text file holds
  DamagedSpreadsheet,  // not a zip archive, or a part is missing, truncated or not XML
  NoSuchSheet,
  TooLarge,
  NoNumericColumns,  // fewer than three numeric columns to map
  UnknownColumn,     // a column named by the caller is not in the file
  NoUsableRow,       // every row was skipped
};

// The native text of a message, as it stands: English.
inline QString NativeText(const char* text) { return QString::fromUtf8(text); }

// A data file that cannot be imported. Nothing was changed when it is raised.
// The reason is a native text marked for translation in the program's
// context (QT_TRANSLATE_NOOP("Program", ...)) with %1, %2, ... for its
// arguments, so that the window can word it in the user's language while
// what() and the command line keep the native text.
class TImportError : public std::runtime_error {
 public:
  TImportError(TImportFault fault, const QString& file, const char* reason, const QStringList& arguments = {});
  TImportFault Fault() const { return m_fault; }

  // "Cannot import "<file>": <reason>", each native text passed through
  // `word` (i18n::Lookup in the window).
  QString Text(QString (*word)(const char*) = NativeText) const;

 private:
  TImportFault m_fault;
  QString m_file;
  const char* m_reason;  // a string literal
  QStringList m_arguments;
};

[[noreturn]] void Fail(TImportFault fault, const QString& file, const char* reason, const QStringList& arguments = {});

}  // namespace import

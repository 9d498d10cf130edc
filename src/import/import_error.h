#pragma once

#include <QString>
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

// A data file that cannot be imported; the message names the file and says
// why, in one line. Nothing was changed when it is raised.
class TImportError : public std::runtime_error {
 public:
  TImportError(TImportFault fault, const QString& message)
      : std::runtime_error(message.toStdString()), m_fault(fault) {}
  TImportFault Fault() const { return m_fault; }

 private:
  TImportFault m_fault;
};

// Raises TImportError with "Cannot import "<file>": <reason>".
[[noreturn]] void Fail(TImportFault fault, const QString& file, const QString& reason);

}  // namespace import

#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>

#include "import/data_table.h"
#include "model/progress.h"

namespace import {

enum class TSpreadsheetKind { Xlsx, Ods };

// Reads one sheet (0 for the first) of an XLSX or ODS file, given as its
// bytes, into a table: numbers, texts (shared, inline, rich), and the values
// formulas had when the file was saved. A row's line is its row number in the
// sheet. Nothing is written back. Row 0 is the header when `hasHeader` says
// so or, left open, when it looks like one. `source` names the file in
// errors; a file that is not such a spreadsheet, is truncated or lacks the
// sheet raises TImportError. The sheet is unpacked and parsed whole: its
// progress is reported before and after.
TDataTable ReadSpreadsheet(std::string_view bytes, TSpreadsheetKind kind, int sheet, const QString& source,
                           std::optional<bool> hasHeader = std::nullopt, const model::TProgress& progress = {});

// The names of the sheets, in order.
QStringList SpreadsheetSheetNames(std::string_view bytes, TSpreadsheetKind kind, const QString& source);

}  // namespace import

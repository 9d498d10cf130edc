#pragma once

#include <QString>
#include <optional>

#include "import/data_table.h"
#include "import/delimited_format.h"
#include "model/progress.h"

namespace import {

enum class TDataFileKind { Delimited, Xlsx, Ods };

// By extension: .csv, .tsv and .txt are delimited text, .xlsx and .ods
// spreadsheets (case ignored); nullopt for any other file.
std::optional<TDataFileKind> DataFileKind(const QString& fileName);
inline bool IsDataFile(const QString& fileName) { return DataFileKind(fileName).has_value(); }

// What the caller decides; whatever is left unset is detected.
struct TReadChoices {
  TDelimitedChoices Text;  // delimited files only
  int Sheet = 0;           // spreadsheets only
};

// Reads a data file into a table. For delimited text, `detected` receives
// the format that was used. Raises TImportError, naming the file, when it
// cannot be read or holds no rows. Reports to `progress` every few
// megabytes; model::TCancelled ends the reading.
TDataTable ReadDataFile(const QString& fileName, const TReadChoices& choices = {}, TDelimitedFormat* detected = nullptr,
                        const model::TProgress& progress = {});

}  // namespace import

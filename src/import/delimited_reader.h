#pragma once

#include <QString>
#include <optional>
#include <string_view>

#include "import/data_table.h"
#include "import/delimited_format.h"
#include "model/progress.h"

namespace import {

// Reads delimited text (RFC 4180 quoting: quoted fields, doubled quotes,
// delimiters and line breaks inside quotes; LF, CR LF or CR line ends) into a
// table. Each cell becomes a number when its text is one in `format`'s
// decimal separator, otherwise a text. Each row keeps the line it starts on.
// Row 0 is the header when `hasHeader` says so, or, when it is left open,
// when it looks like one (LooksLikeHeader). `source` names the file in errors.
// Raises TImportError for an empty or binary file, or one too large.
// Reports to `progress` every few megabytes.
TDataTable ReadDelimited(std::string_view bytes, const TDelimitedFormat& format, const QString& source,
                         std::optional<bool> hasHeader = std::nullopt, const model::TProgress& progress = {});

}  // namespace import

#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "import/column_mapping.h"
#include "import/data_table.h"
#include "model/points_serie.h"
#include "model/progress.h"

namespace import {

// What became of the data rows: how many there were, how many were skipped
// and the lines of the first of those.
struct TSkipReport {
  static constexpr size_t kListedLines = 20;

  int64_t Rows = 0;
  int64_t Skipped = 0;
  std::vector<int64_t> Lines;  // the first kListedLines skipped

  int64_t Imported() const { return Rows - Skipped; }
  void Skip(int64_t line);
  // "1,234 rows, 12 skipped (lines 5, 17, 40)", with "and 3 more" after the
  // twentieth line; numbers in English.
  QString Text() const;
};

struct TImportedSeries {
  std::vector<std::unique_ptr<TPointsSerie>> Series;
  TSkipReport Report;
};

// The series of a table under a mapping. A row becomes a point when its
// three components are numbers, none negative, not all zero; any other row
// is skipped and reported. Without a group column there is one series named
// `name`; with one, a series per distinct value in order of first
// appearance, named after the value, each with its own marker (see
// StyleGroupSerie). With a value column, each point takes its row's number
// there as its value (none for any other cell). Each series' list is filled in one exchange, with no
// notification per point. Raises TImportError (NoUsableRow, naming `source`)
// when no row becomes a point. Reports to `progress` every few ten thousand rows.
TImportedSeries BuildSeries(const TDataTable& table, const TColumnMapping& mapping, const QString& name,
                            const QString& source, const model::TProgress& progress = {});

}  // namespace import

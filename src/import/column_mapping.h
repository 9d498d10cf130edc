#pragma once

#include <QString>
#include <array>

#include "import/data_table.h"

namespace import {

// Which columns of a table make the series: three components A, B and C, an
// optional group column (one series per distinct value) and an optional
// value column, the fourth value of each point, which a colour scale shows.
// Columns are zero-based; -1 is none.
struct TColumnMapping {
  std::array<int, 3> Components{-1, -1, -1};
  int Group = -1;
  int Value = -1;
  // Divides each row by its sum, so that the components add up to 1; off,
  // the values are kept as they are, as the model keeps them.
  bool Close = false;
};

// The three columns whose headers match the axis titles (A, B, C in that
// order; case and blanks around ignored), else the first three numeric
// columns. Raises TImportError (NoNumericColumns) when there are fewer than
// three numeric columns to choose from. No group, no value, no closure.
TColumnMapping DefaultMapping(const TDataTable& table, const std::array<QString, 3>& axisTitles, const QString& source);

// The column a user names: its header (case ignored) or its one-based number.
// -1 when none matches.
int FindColumn(const TDataTable& table, const QString& nameOrNumber);

}  // namespace import

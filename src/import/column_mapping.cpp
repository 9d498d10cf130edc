#include "import/column_mapping.h"

#include <algorithm>

#include "import/import_error.h"

namespace import {

namespace {

int ColumnWithHeader(const TDataTable& table, const QString& title) {
  const QString wanted = title.trimmed();
  if (wanted.isEmpty()) return -1;
  for (int column = 0; column < table.ColumnCount(); ++column)
    if (table.Header(column).compare(wanted, Qt::CaseInsensitive) == 0) return column;
  return -1;
}

}  // namespace

TColumnMapping DefaultMapping(const TDataTable& table, const std::array<QString, 3>& axisTitles,
                              const QString& source) {
  TColumnMapping mapping;
  for (size_t i = 0; i < 3; ++i) mapping.Components[i] = ColumnWithHeader(table, axisTitles[i]);
  const auto& c = mapping.Components;
  const bool byTitles = c[0] >= 0 && c[1] >= 0 && c[2] >= 0 && c[0] != c[1] && c[1] != c[2] && c[0] != c[2];
  if (byTitles) return mapping;
  size_t found = 0;
  for (int column = 0; column < table.ColumnCount() && found < 3; ++column)
    if (table.IsNumericColumn(column)) mapping.Components[found++] = column;
  if (found < 3)
    Fail(TImportFault::NoNumericColumns, source,
         QT_TRANSLATE_NOOP("Program", "it has fewer than three numeric columns"));
  return mapping;
}

int FindColumn(const TDataTable& table, const QString& nameOrNumber) {
  if (const int named = ColumnWithHeader(table, nameOrNumber); named >= 0) return named;
  bool isNumber = false;
  const int number = nameOrNumber.trimmed().toInt(&isNumber);
  return isNumber && number >= 1 && number <= table.ColumnCount() ? number - 1 : -1;
}

}  // namespace import

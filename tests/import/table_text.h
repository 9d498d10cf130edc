#pragma once

// A table written as one line, to compare with what a test expects:
// "H[a|b] 2:1|0.5 3:'x'|" is a header a, b, then line 2 with two numbers and
// line 3 with a text and an empty cell.
#include <string>

#include "import/data_table.h"
#include "model/value_encoding.h"

inline std::string TableText(const import::TDataTable& table) {
  std::string text;
  auto cells = [&](auto cell) {
    for (int column = 0; column < table.ColumnCount(); ++column) text += (column ? "|" : "") + cell(column);
  };
  if (table.HasHeader()) {
    text += "H[";
    cells([&](int column) { return table.Header(column).toStdString(); });
    text += "]";
  }
  for (int64_t row = 0; row < table.RowCount(); ++row) {
    text += (text.empty() ? "" : " ") + std::to_string(table.LineNumber(row)) + ":";
    cells([&](int column) -> std::string {
      switch (table.Kind(row, column)) {
        case import::TCellKind::Number:
          return model::FormatFloat(table.Number(row, column));
        case import::TCellKind::Text:
          return "'" + std::string(table.Text(row, column)) + "'";
        case import::TCellKind::Empty:
          break;
      }
      return "";
    });
  }
  return text;
}

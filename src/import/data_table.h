#pragma once

#include <QString>
#include <cassert>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "import/import_error.h"

namespace import {

enum class TCellKind : uint8_t { Empty, Number, Text };

// The cells of a data file, row by row, without an object per cell: one array
// of 16-byte cells, the start of each row in it, and one pool of the texts.
// Rows may be ragged; a cell past the end of its row reads as empty. When the
// table has a header, row 0 of the file is the header and data rows count
// from the next one.
class TDataTable {
 public:
  // Cells of one table stay below 2^31, so that row starts fit 32 bits.
  static constexpr int64_t kMaxCells = int64_t(1) << 31;
  // Wider rows are not data (XLSX and ODS sheets stop at 16,384 columns).
  static constexpr int kMaxColumns = 16384;

  // Building, row by row. A row's cells are added, then EndRow gives its
  // line (the file's line or the sheet's row number, from 1); a row without
  // cells is not kept. Adding returns false
  // (adding nothing) past kMaxCells or kMaxColumns.
  bool AddNumber(double value);
  bool AddText(std::string_view text);
  bool AddEmpty();
  void EndRow(int64_t line);
  // Adds a copy of the last row, on `line`; false (adding nothing) past
  // kMaxCells or when there is no row.
  bool RepeatLastRow(int64_t line);
  // Drops the empty cells at the end of the row being built.
  void TrimRowEnd();
  void Reserve(size_t cells, size_t rows);

  bool HasHeader() const { return m_hasHeader; }
  // Only a table with at least one row can have a header.
  void SetHasHeader(bool hasHeader);

  // Data rows, header excluded.
  int64_t RowCount() const { return FileRowCount() - (m_hasHeader ? 1 : 0); }
  // The widest row's width, header included.
  int ColumnCount() const { return m_columnCount; }
  TCellKind Kind(int64_t row, int column) const;
  // The value of a Number cell; NaN for any other.
  double Number(int64_t row, int column) const;
  // The text of a Text cell; empty for any other.
  std::string_view Text(int64_t row, int column) const;
  // What a cell shows: its text, or its number in the shortest form.
  QString CellText(int64_t row, int column) const;
  int64_t LineNumber(int64_t row) const { return m_lines[size_t(FirstDataRow() + row)]; }

  // The header's text of a column; empty without a header.
  QString Header(int column) const;
  // The header, or "Column 3" (one-based) where it is empty, that text
  // worded by `word` (i18n::Lookup in the window).
  QString ColumnName(int column, QString (*word)(const char*) = NativeText) const;
  // Whether most of the column's non-empty data cells are numbers.
  bool IsNumericColumn(int column) const;

  // The first rows as read, header included, to judge the header by.
  int64_t FileRowCount() const { return int64_t(m_rowStarts.size()); }
  TCellKind FileKind(int64_t fileRow, int column) const;

 private:
  struct TCell {
    double Number;
    uint32_t TextStart;
    uint32_t TextSize;  // kNumberMark for a number; 0 for an empty cell
  };
  static_assert(sizeof(TCell) == 16, "cells stay compact");
  static constexpr uint32_t kNumberMark = UINT32_MAX;

  int64_t FirstDataRow() const { return m_hasHeader ? 1 : 0; }
  const TCell* FileCell(int64_t fileRow, int column) const;
  bool CanAdd() const;

  std::vector<TCell> m_cells;
  std::vector<uint32_t> m_rowStarts;  // index of each row's first cell
  std::vector<int64_t> m_lines;       // parallel to m_rowStarts
  std::string m_texts;
  size_t m_rowStart = 0;  // of the row being built
  int m_columnCount = 0;
  bool m_hasHeader = false;
};

// Judges whether row 0 is a header: a text over a number in the same column
// of row 1, or, in a table of one row, texts only.
bool LooksLikeHeader(const TDataTable& table);

}  // namespace import

#include "import/data_table.h"

#include <cmath>
#include <limits>

#include "model/memory_advice.h"
#include "model/value_encoding.h"

namespace import {

bool TDataTable::CanAdd() const {
  return int64_t(m_cells.size()) < kMaxCells && m_cells.size() - m_rowStart < size_t(kMaxColumns) &&
         m_texts.size() < size_t(UINT32_MAX);
}

bool TDataTable::AddNumber(double value) {
  if (!CanAdd()) return false;
  m_cells.push_back({value, 0, kNumberMark});
  return true;
}

bool TDataTable::AddText(std::string_view text) {
  if (text.empty()) return AddEmpty();
  if (!CanAdd() || text.size() >= size_t(UINT32_MAX) - m_texts.size()) return false;
  m_cells.push_back({std::numeric_limits<double>::quiet_NaN(), uint32_t(m_texts.size()), uint32_t(text.size())});
  m_texts.append(text);
  return true;
}

bool TDataTable::AddEmpty() {
  if (!CanAdd()) return false;
  m_cells.push_back({std::numeric_limits<double>::quiet_NaN(), 0, 0});
  return true;
}

bool TDataTable::RepeatLastRow(int64_t line) {
  assert(m_cells.size() == m_rowStart);  // no row is being built
  if (m_rowStarts.empty()) return false;
  const size_t start = m_rowStarts.back();
  const size_t count = m_cells.size() - start;
  if (int64_t(m_cells.size() + count) > kMaxCells) return false;
  for (size_t i = 0; i < count; ++i) m_cells.push_back(m_cells[start + i]);
  EndRow(line);
  return true;
}

void TDataTable::TrimRowEnd() {
  while (m_cells.size() > m_rowStart && m_cells.back().TextSize == 0) m_cells.pop_back();
}

void TDataTable::EndRow(int64_t line) {
  if (m_cells.size() == m_rowStart) return;  // a blank line or an empty sheet row is no row
  assert(m_cells.size() - m_rowStart <= size_t(kMaxColumns));
  m_columnCount = std::max(m_columnCount, int(m_cells.size() - m_rowStart));
  m_rowStarts.push_back(uint32_t(m_rowStart));
  m_lines.push_back(line);
  m_rowStart = m_cells.size();
}

void TDataTable::Reserve(size_t cells, size_t rows) {
  m_cells.reserve(cells);
  m_rowStarts.reserve(rows);
  m_lines.reserve(rows);
  // Filled from start to end, as the advice expects.
  model::AdviseLargeBuffer(m_cells.data(), m_cells.capacity() * sizeof(TCell));
  model::AdviseLargeBuffer(m_lines.data(), m_lines.capacity() * sizeof(int64_t));
}

void TDataTable::SetHasHeader(bool hasHeader) { m_hasHeader = hasHeader && !m_rowStarts.empty(); }

const TDataTable::TCell* TDataTable::FileCell(int64_t fileRow, int column) const {
  assert(fileRow >= 0 && fileRow < FileRowCount());
  const size_t start = m_rowStarts[size_t(fileRow)];
  const size_t end = size_t(fileRow) + 1 < m_rowStarts.size() ? m_rowStarts[size_t(fileRow) + 1] : m_cells.size();
  return column >= 0 && start + size_t(column) < end ? &m_cells[start + size_t(column)] : nullptr;
}

TCellKind TDataTable::FileKind(int64_t fileRow, int column) const {
  const TCell* cell = FileCell(fileRow, column);
  if (!cell || cell->TextSize == 0) return TCellKind::Empty;
  return cell->TextSize == kNumberMark ? TCellKind::Number : TCellKind::Text;
}

TCellKind TDataTable::Kind(int64_t row, int column) const { return FileKind(FirstDataRow() + row, column); }

double TDataTable::Number(int64_t row, int column) const {
  const TCell* cell = FileCell(FirstDataRow() + row, column);
  return cell && cell->TextSize == kNumberMark ? cell->Number : std::numeric_limits<double>::quiet_NaN();
}

std::string_view TDataTable::Text(int64_t row, int column) const {
  const TCell* cell = FileCell(FirstDataRow() + row, column);
  if (!cell || cell->TextSize == kNumberMark) return {};
  return std::string_view(m_texts).substr(cell->TextStart, cell->TextSize);
}

QString TDataTable::CellText(int64_t row, int column) const {
  if (Kind(row, column) == TCellKind::Number) return QString::fromStdString(model::FormatFloat(Number(row, column)));
  const std::string_view text = Text(row, column);
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString TDataTable::Header(int column) const {
  if (!m_hasHeader) return {};
  const TCell* cell = FileCell(0, column);
  if (!cell || cell->TextSize == 0) return {};
  if (cell->TextSize == kNumberMark) return QString::fromStdString(model::FormatFloat(cell->Number));
  return QString::fromUtf8(m_texts.data() + cell->TextStart, qsizetype(cell->TextSize)).trimmed();
}

QString TDataTable::ColumnName(int column, QString (*word)(const char*)) const {
  const QString header = Header(column);
  return header.isEmpty() ? word(QT_TRANSLATE_NOOP("Program", "Column %1")).arg(column + 1) : header;
}

bool TDataTable::IsNumericColumn(int column) const {
  int64_t numbers = 0;
  int64_t texts = 0;
  for (int64_t row = 0; row < RowCount(); ++row) {
    const TCellKind kind = Kind(row, column);
    numbers += kind == TCellKind::Number;
    texts += kind == TCellKind::Text;
  }
  return numbers > 0 && numbers >= texts;
}

bool LooksLikeHeader(const TDataTable& table) {
  if (table.FileRowCount() == 0) return false;
  bool anyText = false;
  bool allText = true;
  for (int column = 0; column < table.ColumnCount(); ++column) {
    const TCellKind first = table.FileKind(0, column);
    anyText |= first == TCellKind::Text;
    allText &= first != TCellKind::Number;
    if (first == TCellKind::Text && table.FileRowCount() > 1 && table.FileKind(1, column) == TCellKind::Number)
      return true;
  }
  return table.FileRowCount() == 1 && anyText && allText;
}

}  // namespace import

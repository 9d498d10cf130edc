#include "app/pasted_rows.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "app/cell_numbers.h"
#include "model/field_splitter.h"

namespace app {

namespace {

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= 32; }

// A field with its commas read as decimal points; NaN when it does not convert.
double FieldValue(std::string_view field, std::string& scratch) {
  if (field.find(',') != std::string_view::npos) {
    scratch.assign(field);
    std::replace(scratch.begin(), scratch.end(), ',', '.');
    field = scratch;
  }
  return ParsePointDecimal(field).value_or(std::numeric_limits<double>::quiet_NaN());
}

class TLineReader {
 public:
  TLineReader(TPastedRows& rows) : m_rows(rows) {}

  void Read(std::string_view line) {
    int filled = 0;
    size_t pos = 0;
    const size_t rowStart = m_rows.values.size();
    while (true) {
      while (pos < line.size() && IsSeparator(line[pos])) ++pos;
      if (pos >= line.size() || filled == m_rows.columns) break;
      if (filled == 0) m_rows.values.resize(rowStart + size_t(m_rows.columns), 0.0);
      m_rows.values[rowStart + size_t(filled++)] = FieldValue(NextField(line, pos), m_scratch);
    }
    if (filled > 0) m_rows.filled.push_back(uint8_t(filled));
  }

 private:
  std::string_view NextField(std::string_view line, size_t& pos) {
    if (line[pos] == '"') {
      model::detail::ReadQuoted(line, pos, m_quoted);
      return m_quoted;
    }
    const size_t start = pos;
    while (pos < line.size() && !IsSeparator(line[pos])) ++pos;
    return line.substr(start, pos - start);
  }

  TPastedRows& m_rows;
  std::string m_quoted;
  std::string m_scratch;
};

}  // namespace

TPastedRows ParsePastedRows(std::string_view text, int columns) {
  TPastedRows rows;
  rows.columns = std::clamp(columns, 1, 255);
  // Room for a row per line at once: a million lines then fill without
  // copying the values from one allocation to the next.
  const size_t lines = size_t(std::count(text.begin(), text.end(), '\n')) + 1;
  rows.values.reserve(lines * size_t(rows.columns));
  rows.filled.reserve(lines);
  TLineReader reader(rows);
  size_t start = 0;
  while (true) {
    size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    reader.Read(text.substr(start, end - start));
    if (end == text.size()) break;
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return rows;
}

}  // namespace app

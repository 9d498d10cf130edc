// Feeds arbitrary text to the paste parser of the values grid. The first byte
// chooses three or six columns. Every input must give at most one row per
// line, rows of the chosen width with 1 to `columns` filled cells and zeros
// after them, and numbers whose grid text reads back (NaN excepted, which
// shows as NAN and is refused).
#include <QLocale>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/cell_numbers.h"
#include "app/pasted_rows.h"

namespace {

size_t LineCount(std::string_view text) {
  size_t lines = 1;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if (text[i] == '\r' || text[i] == '\n') ++lines;
  }
  return lines;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int columns = (data[0] & 1) ? 6 : 3;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const app::TPastedRows rows = app::ParsePastedRows(text, columns);

  Check(rows.columns == columns);
  Check(size_t(rows.RowCount()) <= LineCount(text));
  Check(rows.values.size() == size_t(rows.RowCount()) * size_t(columns));
  static const QLocale locales[] = {QLocale::c(), QLocale(QLocale::French, QLocale::France)};
  for (int64_t row = 0; row < rows.RowCount(); ++row) {
    const int filled = rows.filled[size_t(row)];
    Check(filled >= 1 && filled <= columns);
    for (int cell = 0; cell < columns; ++cell) {
      const double value = rows.values[size_t(row * columns + cell)];
      if (cell >= filled) Check(value == 0.0);
      const QLocale& locale = locales[cell % 2];
      const bool reads = app::ReadCellText(app::FormatCellNumber(value, locale), locale).has_value();
      Check(reads == !std::isnan(value));
    }
  }

  // A typed cell of any text reads as a number or fails, never as NaN.
  const QString typed = QString::fromUtf8(text.data(), qsizetype(std::min<size_t>(text.size(), 256)));
  for (const QLocale& locale : locales)
    if (const auto value = app::ReadCellText(typed, locale)) Check(!std::isnan(*value));
  return 0;
}

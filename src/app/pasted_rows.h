#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// Text pasted into the values grid, read into rows of numbers.
namespace app {

struct TPastedRows {
  int columns = 3;
  // Row after row, `columns` values each; a value whose field did not
  // convert is NaN, the cells past a row's fields are 0.
  std::vector<double> values;
  // The number of cells each row's fields fill, 1 to `columns`.
  std::vector<uint8_t> filled;

  int64_t RowCount() const { return int64_t(filled.size()); }
};

// Splits `text` into lines at CR LF, CR or LF, and each line into fields:
// any run of characters of code 32 or less separates two fields; a field that
// opens with a double quote runs to its closing quote and may hold blanks, a
// doubled quote standing for one. A line without fields makes no row, so
// there are never more rows than lines. The first `columns` fields of a line
// fill its row, the others are dropped. Commas are read as decimal points.
TPastedRows ParsePastedRows(std::string_view text, int columns);

}  // namespace app

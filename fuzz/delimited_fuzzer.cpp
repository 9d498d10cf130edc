// Feeds arbitrary bytes to the delimited-text reader and on to the series.
// The first byte chooses what the caller sets (delimiter, decimal
// separator, header, closure) or leaves to detection. Every input is either
// refused with TImportError or gives rows on increasing lines within the
// text, and series of finite compositions, none negative, summing to 1 when
// closed, with every row counted once.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/delimited_reader.h"
#include "import/import_error.h"
#include "import/series_builder.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// The first byte of the input chooses the reader's options.
::import::TDelimitedChoices Choices(uint8_t flags) {
  constexpr char kDelimiters[] = {',', ';', '\t', ' '};
  ::import::TDelimitedChoices choices;
  if (flags & 0x01) choices.Delimiter = kDelimiters[(flags >> 1) & 3];
  if (flags & 0x08) choices.DecimalSeparator = (flags & 0x10) ? ',' : '.';
  if (flags & 0x20) choices.HasHeader = (flags & 0x40) != 0;
  return choices;
}

void CheckRows(const import::TDataTable& table, std::string_view bytes) {
  int64_t previous = 0;
  for (int64_t row = 0; row < table.RowCount(); ++row) {
    Check(table.LineNumber(row) > previous);
    Check(table.LineNumber(row) <= int64_t(bytes.size()) + 1);
    previous = table.LineNumber(row);
  }
}

void CheckSeries(const import::TImportedSeries& imported, const import::TDataTable& table, bool closed) {
  int64_t points = 0;
  for (const auto& serie : imported.Series) {
    for (int32_t i = 0; i < serie->Items().Count(); ++i) {
      const TTernaryPoint p = serie->Items().Get(i);
      Check(p.A >= 0 && p.B >= 0 && p.C >= 0 && std::isfinite(p.A + p.B + p.C));
      if (closed) Check(std::abs(p.A + p.B + p.C - 1) < 1e-9);
    }
    points += serie->Items().Count();
  }
  Check(imported.Report.Rows == table.RowCount());
  Check(points == imported.Report.Imported());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t flags = data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  try {
    const import::TDelimitedChoices choices = Choices(flags);
    const import::TDataTable table = import::ReadDelimited(bytes, import::DetectDelimitedFormat(bytes, choices),
                                                           QStringLiteral("f"), choices.HasHeader);
    CheckRows(table, bytes);
    import::TColumnMapping mapping = import::DefaultMapping(table, {}, QStringLiteral("f"));
    mapping.Close = (flags & 0x80) != 0;
    if (table.ColumnCount() > 3) mapping.Group = 3;
    CheckSeries(import::BuildSeries(table, mapping, QStringLiteral("f"), QStringLiteral("f")), table, mapping.Close);
  } catch (const import::TImportError&) {
  }
  return 0;
}

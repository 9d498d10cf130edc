// Feeds arbitrary bytes to the XLSX and ODS readers. The first byte chooses
// the kind and the sheet. Input that starts like a zip archive is read as
// the file itself; any other is packed by libzip as the sheet's part (with a
// workbook and shared strings for XLSX), so that the XML readers see it.
// Every input is either refused with TImportError or gives a table whose
// rows lie on increasing lines and stay within the column limit.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "import/import_error.h"
#include "import/spreadsheet_reader.h"
#include "spreadsheet_writer.h"  // tests/import: archives in memory

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::string Packed(std::string_view part, bool xlsx) {
  const std::string sheet(part);
  if (!xlsx) return ZipArchive({{"content.xml", sheet}});
  return ZipArchive(
      {{"xl/workbook.xml", "<workbook><sheets><sheet name=\"S\"/><sheet name=\"T\"/></sheets></workbook>"},
       {"xl/sharedStrings.xml", "<sst><si><t>A</t></si><si><r><t>B</t></r></si></sst>"},
       {"xl/worksheets/sheet1.xml", sheet}});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool xlsx = (data[0] & 1) != 0;
  const int sheet = (data[0] >> 1) & 1;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string bytes = input.starts_with("PK") ? std::string(input) : Packed(input, xlsx);
  const auto kind = xlsx ? import::TSpreadsheetKind::Xlsx : import::TSpreadsheetKind::Ods;
  try {
    const import::TDataTable table = import::ReadSpreadsheet(bytes, kind, sheet, QStringLiteral("f"));
    Check(table.ColumnCount() <= import::TDataTable::kMaxColumns);
    int64_t previous = 0;
    for (int64_t row = 0; row < table.RowCount(); ++row) {
      Check(table.LineNumber(row) > previous);
      previous = table.LineNumber(row);
    }
    import::SpreadsheetSheetNames(bytes, kind, QStringLiteral("f"));
  } catch (const import::TImportError&) {
  }
  return 0;
}

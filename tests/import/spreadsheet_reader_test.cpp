#include "import/spreadsheet_reader.h"

#include <gtest/gtest.h>

#include "import/import_error.h"
#include "spreadsheet_writer.h"
#include "table_text.h"

namespace {

using import::TSpreadsheetKind;

// Shared strings, a rich text of two runs, a phonetic hint left out.
const std::string kStrings =
    "<si><t>Site</t></si><si><t>Sand</t></si><si><t>Silt</t></si><si><t>Clay</t></si>"
    "<si><r><t>Al</t></r><r><t>pha</t></r><rPh><t>x</t></rPh></si>";
// A header of shared strings; line 2 with a formula's cached value; line 4
// (line 3 missing) with an inline string, a gap at C and an error value.
const std::string kXlsxRows =
    "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c><c r=\"C1\" t=\"s\"><v>2</v></c>"
    "<c r=\"D1\" t=\"s\"><v>3</v></c></row>"
    "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>4</v></c><c r=\"B2\"><v>0.5</v></c><c r=\"C2\"><f>B2*0.6</f><v>0.3</v></c>"
    "<c r=\"D2\" t=\"n\"><v>2E-1</v></c></row>"
    "<row r=\"4\"><c r=\"A4\" t=\"inlineStr\"><is><t>Beta</t></is></c><c r=\"B4\"><v>1</v></c>"
    "<c r=\"D4\" t=\"e\"><v>#DIV/0!</v></c></row>"
    "<row r=\"5\"/>";

// The same sheet as ODS: a repeated cell, a repeated row, a formula with its
// cached value, and the padding of a million empty rows.
const std::string kOdsRows =
    "<table:table-column table:number-columns-repeated=\"4\"/>"
    "<table:table-header-rows><table:table-row>"
    "<table:table-cell office:value-type=\"string\"><text:p>Site</text:p></table:table-cell>"
    "<table:table-cell><text:p>Sand</text:p></table:table-cell><table:table-cell><text:p>Silt</text:p>"
    "</table:table-cell><table:table-cell><text:p>Clay</text:p></table:table-cell></table:table-row>"
    "</table:table-header-rows>"
    "<table:table-row table:number-rows-repeated=\"2\"><table:table-cell office:value-type=\"string\">"
    "<text:p>Al<text:span>pha</text:span></text:p></table:table-cell>"
    "<table:table-cell office:value-type=\"float\" office:value=\"0.25\" table:number-columns-repeated=\"2\"/>"
    "<table:table-cell table:formula=\"of:=[.B2]*2\" office:value-type=\"float\" office:value=\"0.5\">"
    "<text:p>0,5</text:p></table:table-cell></table:table-row>"
    "<table:table-row table:number-rows-repeated=\"3\"><table:table-cell table:number-columns-repeated=\"9\"/>"
    "</table:table-row>"
    "<table:table-row><table:table-cell table:number-columns-repeated=\"2\"/>"
    "<table:table-cell office:value-type=\"percentage\" office:value=\"0.1\"/></table:table-row>"
    "<table:table-row table:number-rows-repeated=\"1048000\"><table:table-cell "
    "table:number-columns-repeated=\"1024\"/></table:table-row>";

struct TSheetCase {
  const char* Name;
  std::string Bytes;
  TSpreadsheetKind Kind;
  int Sheet;
  std::string Table;  // see TableText
};

const TSheetCase kSheetCases[] = {
    {"xlsx", Xlsx({kXlsxRows, "<row><c><v>7</v></c></row>"}, kStrings), TSpreadsheetKind::Xlsx, 0,
     "H[Site|Sand|Silt|Clay] 2:'Alpha'|0.5|0.3|0.2 4:'Beta'|1||'#DIV/0!'"},
    {"xlsx second sheet", Xlsx({kXlsxRows, "<row><c><v>7</v></c></row>"}, kStrings), TSpreadsheetKind::Xlsx, 1, "1:7"},
    {"ods", Ods({kOdsRows}), TSpreadsheetKind::Ods, 0,
     "H[Site|Sand|Silt|Clay] 2:'Alpha'|0.25|0.25|0.5 3:'Alpha'|0.25|0.25|0.5 7:||0.1|"},
    {"ods second table",
     Ods({kOdsRows,
          "<table:table-row><table:table-cell office:value-type=\"float\" "
          "office:value=\"7\"/></table:table-row>"}),
     TSpreadsheetKind::Ods, 1, "1:7"},
};

TEST(SpreadsheetReader, ReadsNumbersTextsAndCachedValues) {
  for (const TSheetCase& test : kSheetCases) {
    const import::TDataTable table = import::ReadSpreadsheet(test.Bytes, test.Kind, test.Sheet, QStringLiteral("s"));
    EXPECT_EQ(TableText(table), test.Table) << test.Name;
  }
}

TEST(SpreadsheetReader, ListsTheSheets) {
  EXPECT_EQ(import::SpreadsheetSheetNames(Xlsx({"", ""}, ""), TSpreadsheetKind::Xlsx, QStringLiteral("s")),
            QStringList({QStringLiteral("Sheet1"), QStringLiteral("Sheet2")}));
  EXPECT_EQ(import::SpreadsheetSheetNames(Ods({"", ""}), TSpreadsheetKind::Ods, QStringLiteral("s")),
            QStringList({QStringLiteral("T1"), QStringLiteral("T2")}));
}

TEST(SpreadsheetReader, RefusesDamagedFilesAndMissingSheets) {
  using import::TImportFault;
  const std::string xlsx = Xlsx({kXlsxRows}, kStrings);
  const std::string ods = Ods({kOdsRows});
  const struct {
    std::string Bytes;
    TSpreadsheetKind Kind;
    int Sheet;
    TImportFault Fault;
  } cases[] = {
      {"", TSpreadsheetKind::Xlsx, 0, TImportFault::Empty},
      {"Sand,Silt,Clay\n1,2,3\n", TSpreadsheetKind::Xlsx, 0, TImportFault::DamagedSpreadsheet},
      {xlsx.substr(0, xlsx.size() / 2), TSpreadsheetKind::Xlsx, 0, TImportFault::DamagedSpreadsheet},
      {ods.substr(0, ods.size() - 30), TSpreadsheetKind::Ods, 0, TImportFault::DamagedSpreadsheet},
      {xlsx, TSpreadsheetKind::Xlsx, 1, TImportFault::NoSuchSheet},
      {ods, TSpreadsheetKind::Ods, 2, TImportFault::NoSuchSheet},
      {ods, TSpreadsheetKind::Xlsx, 0, TImportFault::DamagedSpreadsheet},
      {Xlsx({"<row><c><v>1</v></row>"}, ""), TSpreadsheetKind::Xlsx, 0, TImportFault::DamagedSpreadsheet},
      {Ods({"<table:table-row table:number-rows-repeated=\"99999999\"><table:table-cell office:value-type="
            "\"float\" office:value=\"1\"/></table:table-row>"}),
       TSpreadsheetKind::Ods, 0, TImportFault::TooLarge},
  };
  for (const auto& test : cases) {
    try {
      import::ReadSpreadsheet(test.Bytes, test.Kind, test.Sheet, QStringLiteral("s.xlsx"));
      ADD_FAILURE() << "read case " << (&test - cases);
    } catch (const import::TImportError& error) {
      EXPECT_EQ(error.Fault(), test.Fault) << (&test - cases) << ": " << error.what();
    }
  }
}

}  // namespace

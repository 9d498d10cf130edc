#include "import/spreadsheet_reader.h"

#include "import/import_error.h"
#include "import/spreadsheet_parts.h"

namespace import {

namespace sheet {

pugi::xml_node Child(pugi::xml_node node, std::string_view localName) {
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
    if (child.type() == pugi::node_element && LocalName(child) == localName) return child;
  return {};
}

std::string_view Attribute(pugi::xml_node node, std::string_view localName) {
  for (pugi::xml_attribute attribute = node.first_attribute(); attribute; attribute = attribute.next_attribute()) {
    const std::string_view name = attribute.name();
    const size_t colon = name.find(':');
    if ((colon == std::string_view::npos ? name : name.substr(colon + 1)) == localName) return attribute.value();
  }
  return {};
}

void ParsePart(pugi::xml_document& document, std::string& text, const std::string& part, const QString& source) {
  const pugi::xml_parse_result result =
      document.load_buffer_inplace(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
  if (!result)
    Fail(TImportFault::DamagedSpreadsheet, source,
         QT_TRANSLATE_NOOP("Program", "its part %1 is damaged or truncated (%2 at byte %3)"),
         {QString::fromStdString(part), QString::fromUtf8(result.description()), QString::number(result.offset)});
}

void TTableFiller::TooLarge() const {
  Fail(TImportFault::TooLarge, m_source,
       QT_TRANSLATE_NOOP("Program", "the sheet has more cells or columns than can be read"));
}

void NoSuchSheet(int sheet, const QString& source) {
  Fail(TImportFault::NoSuchSheet, source, QT_TRANSLATE_NOOP("Program", "it has no sheet %1"),
       {QString::number(sheet + 1)});
}

}  // namespace sheet

TDataTable ReadSpreadsheet(std::string_view bytes, TSpreadsheetKind kind, int sheet, const QString& source,
                           std::optional<bool> hasHeader, const model::TProgress& progress) {
  progress.Report(0);
  if (bytes.empty()) Fail(TImportFault::Empty, source, QT_TRANSLATE_NOOP("Program", "the file is empty"));
  const TZipArchive archive(bytes, source);
  TDataTable table;
  sheet::TTableFiller filler(table, source);
  if (kind == TSpreadsheetKind::Xlsx)
    sheet::ReadXlsxSheet(archive, sheet, filler, source);
  else
    sheet::ReadOdsSheet(archive, sheet, filler, source);
  progress.Report(1);
  if (table.FileRowCount() == 0)
    Fail(TImportFault::Empty, source, QT_TRANSLATE_NOOP("Program", "the sheet holds no rows"));
  table.SetHasHeader(hasHeader.value_or(LooksLikeHeader(table)));
  return table;
}

QStringList SpreadsheetSheetNames(std::string_view bytes, TSpreadsheetKind kind, const QString& source) {
  const TZipArchive archive(bytes, source);
  return kind == TSpreadsheetKind::Xlsx ? sheet::XlsxSheetNames(archive, source)
                                        : sheet::OdsSheetNames(archive, source);
}

}  // namespace import

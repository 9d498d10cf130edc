// The first or a chosen worksheet of an Office Open XML workbook:
//   1. xl/workbook.xml lists the sheets; each names its part through a
//      relationship of xl/_rels/workbook.xml.rels;
//   2. xl/sharedStrings.xml holds the texts cells refer to by index (t="s");
//   3. the sheet's part holds rows of cells, each placed by its reference
//      ("B7"); missing cells are empty, missing rows are not rows at all.
#include <string>
#include <vector>

#include "import/delimited_format.h"
#include "import/spreadsheet_parts.h"
#include "model/value_encoding.h"

namespace import::sheet {

namespace {

// The text of a string item or inline string: its <t>, or the <t> of each
// run; phonetic hints (<rPh>) are not part of it.
std::string ItemText(pugi::xml_node item) {
  std::string text;
  for (pugi::xml_node child = item.first_child(); child; child = child.next_sibling()) {
    const std::string_view name = LocalName(child);
    if (name == "t") text += child.text().get();
    if (name == "r") text += Child(child, "t").text().get();
  }
  return text;
}

std::vector<std::string> SharedStrings(const TZipArchive& archive, const QString& source) {
  std::vector<std::string> strings;
  std::optional<std::string> text = archive.Read("xl/sharedStrings.xml");
  if (!text) return strings;
  pugi::xml_document document;
  ParsePart(document, *text, "xl/sharedStrings.xml", source);
  for (pugi::xml_node item = Child(document, "sst").first_child(); item; item = item.next_sibling())
    if (LocalName(item) == "si") strings.push_back(ItemText(item));
  return strings;
}

// The sheet's part: the target of its relationship, relative to xl/ unless
// absolute; sheetN.xml when the workbook does not say.
std::string SheetPart(const TZipArchive& archive, int sheet, const QString& source) {
  std::string workbookText = archive.ReadRequired("xl/workbook.xml");
  pugi::xml_document workbook;
  ParsePart(workbook, workbookText, "xl/workbook.xml", source);
  std::vector<std::string> ids;
  for (pugi::xml_node node = Child(Child(workbook, "workbook"), "sheets").first_child(); node;
       node = node.next_sibling())
    if (LocalName(node) == "sheet") ids.emplace_back(Attribute(node, "id"));
  if (sheet < 0 || size_t(sheet) >= ids.size()) NoSuchSheet(sheet, source);
  if (std::optional<std::string> relsText = archive.Read("xl/_rels/workbook.xml.rels")) {
    pugi::xml_document rels;
    ParsePart(rels, *relsText, "xl/_rels/workbook.xml.rels", source);
    for (pugi::xml_node node = Child(rels, "Relationships").first_child(); node; node = node.next_sibling()) {
      if (Attribute(node, "Id") != ids[size_t(sheet)]) continue;
      const std::string target(Attribute(node, "Target"));
      return target.starts_with('/') ? target.substr(1) : "xl/" + target;
    }
  }
  return "xl/worksheets/sheet" + std::to_string(sheet + 1) + ".xml";
}

// The zero-based column of a reference such as "AB12"; -1 without letters.
int ColumnOfReference(std::string_view reference) {
  int column = 0;
  size_t letters = 0;
  for (; letters < reference.size() && letters < 4; ++letters) {
    const char c = reference[letters];
    if (c < 'A' || c > 'Z') break;
    column = column * 26 + (c - 'A' + 1);
  }
  return letters == 0 ? -1 : column - 1;
}

void AddCell(pugi::xml_node cell, const std::vector<std::string>& strings, TTableFiller& filler) {
  const std::string_view type = Attribute(cell, "t");
  const char* value = Child(cell, "v").text().get();
  if (type == "s") {
    const auto index = model::ParseInteger(value);
    if (index && *index >= 0 && size_t(*index) < strings.size())
      filler.Text(strings[size_t(*index)]);
    else
      filler.Empty();
  } else if (type == "inlineStr") {
    filler.Text(ItemText(Child(cell, "is")));
  } else if (type.empty() || type == "n") {
    if (const auto number = ParseCellNumber(value, '.'))
      filler.Number(*number);
    else
      filler.Text(value);
  } else {
    filler.Text(value);  // str (a formula's text), b (0 or 1), e (#DIV/0!), d (a date)
  }
}

void ReadRow(pugi::xml_node row, const std::vector<std::string>& strings, TTableFiller& filler) {
  int next = 0;
  for (pugi::xml_node cell = row.first_child(); cell; cell = cell.next_sibling()) {
    if (LocalName(cell) != "c") continue;
    const std::string_view reference = Attribute(cell, "r");
    const int column = reference.empty() ? next : ColumnOfReference(reference);
    if (column < next) continue;  // out of order: not a sheet any program writes
    if (column >= TDataTable::kMaxColumns) filler.TooLarge();
    for (; next < column; ++next) filler.Empty();
    AddCell(cell, strings, filler);
    ++next;
  }
}

}  // namespace

void ReadXlsxSheet(const TZipArchive& archive, int sheet, TTableFiller& filler, const QString& source) {
  const std::string part = SheetPart(archive, sheet, source);
  const std::vector<std::string> strings = SharedStrings(archive, source);
  std::string text = archive.ReadRequired(part);
  pugi::xml_document document;
  ParsePart(document, text, part, source);
  int64_t line = 0;
  for (pugi::xml_node row = Child(Child(Child(document, "worksheet"), "sheetData"), "row"); row;
       row = row.next_sibling()) {
    if (LocalName(row) != "row") continue;
    const auto number = model::ParseInteger(Attribute(row, "r"));
    line = number && *number > line ? *number : line + 1;
    ReadRow(row, strings, filler);
    filler.EndRow(line);
  }
}

QStringList XlsxSheetNames(const TZipArchive& archive, const QString& source) {
  std::string text = archive.ReadRequired("xl/workbook.xml");
  pugi::xml_document workbook;
  ParsePart(workbook, text, "xl/workbook.xml", source);
  QStringList names;
  for (pugi::xml_node node = Child(Child(workbook, "workbook"), "sheets").first_child(); node;
       node = node.next_sibling())
    if (LocalName(node) == "sheet") names << QString::fromUtf8(node.attribute("name").value());
  return names;
}

}  // namespace import::sheet

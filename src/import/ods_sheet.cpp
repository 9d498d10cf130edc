// The first or a chosen table of an OpenDocument spreadsheet's content.xml:
// office:document-content / office:body / office:spreadsheet / table:table.
// Rows may sit in header-row, row-group and rows containers; a row or cell
// may stand for several (number-rows-repeated, number-columns-repeated).
// Programs pad sheets with a million repeated empty rows and columns: empty
// repeats are counted, never stored, and repeats of content share a budget.
#include <algorithm>
#include <string>

#include "import/delimited_format.h"
#include "import/spreadsheet_parts.h"
#include "model/value_encoding.h"

namespace import::sheet {

namespace {

// Cells that repeated rows and cells may add in all, beyond those written out.
constexpr int64_t kRepeatBudget = int64_t(1) << 20;
// Nesting deeper than this (spans in spans, groups in groups) is not read:
// the walks below recurse.
constexpr int kMaxDepth = 64;

std::vector<pugi::xml_node> Tables(pugi::xml_node content) {
  std::vector<pugi::xml_node> tables;
  const pugi::xml_node spreadsheet = Child(Child(Child(content, "document-content"), "body"), "spreadsheet");
  for (pugi::xml_node node = spreadsheet.first_child(); node; node = node.next_sibling())
    if (LocalName(node) == "table") tables.push_back(node);
  return tables;
}

int64_t Repeat(pugi::xml_node node, std::string_view attribute) {
  const auto count = model::ParseInteger(Attribute(node, attribute));
  return count && *count > 1 ? *count : 1;
}

// The text of a cell's paragraphs, one line each; <text:s/> stands for spaces.
void AppendText(pugi::xml_node node, std::string& text, int depth = 0) {
  if (depth > kMaxDepth) return;
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
      text += child.value();
    } else if (LocalName(child) == "s") {
      text.append(size_t(std::min<int64_t>(Repeat(child, "c"), 1000)), ' ');
    } else if (LocalName(child) == "tab") {
      text += '\t';
    } else if (LocalName(child) == "line-break") {
      text += '\n';
    } else if (LocalName(child) != "annotation") {
      AppendText(child, text, depth + 1);
    }
  }
}

class TOdsRows {
 public:
  explicit TOdsRows(TTableFiller& filler) : m_filler(filler) {}

  // Rows directly in `container`, and in the containers within it.
  void Read(pugi::xml_node container, int depth = 0) {
    if (depth > kMaxDepth) return;
    for (pugi::xml_node node = container.first_child(); node; node = node.next_sibling()) {
      const std::string_view name = LocalName(node);
      if (name == "table-row")
        ReadRow(node);
      else if (name == "table-header-rows" || name == "table-row-group" || name == "table-rows")
        Read(node, depth + 1);
    }
  }

 private:
  void ReadRow(pugi::xml_node row) {
    const int64_t repeat = Repeat(row, "number-rows-repeated");
    const int64_t cells = AddCells(row);
    m_filler.EndRow(++m_line);
    if (cells == 0) {  // an empty row stands for as many empty rows
      m_line += repeat - 1;
      return;
    }
    for (int64_t copy = 1; copy < repeat; ++copy) {
      Spend(cells);
      m_filler.RepeatRow(++m_line);
    }
  }

  // Returns the number of cells added.
  int64_t AddCells(pugi::xml_node row) {
    int64_t pendingEmpty = 0;  // empties are added only when a value follows
    int64_t added = 0;
    for (pugi::xml_node cell = row.first_child(); cell; cell = cell.next_sibling()) {
      const std::string_view name = LocalName(cell);
      if (name != "table-cell" && name != "covered-table-cell") continue;
      const int64_t repeat = Repeat(cell, "number-columns-repeated");
      if (!HasValue(cell)) {
        pendingEmpty += repeat;
        continue;
      }
      if (added + pendingEmpty + repeat > TDataTable::kMaxColumns) m_filler.TooLarge();
      added += pendingEmpty + repeat;
      for (; pendingEmpty > 0; --pendingEmpty) m_filler.Empty();
      Spend(repeat - 1);
      for (int64_t copy = 0; copy < repeat; ++copy) AddValue(cell);
    }
    return added;
  }

  static bool HasValue(pugi::xml_node cell) { return !Attribute(cell, "value-type").empty() || Child(cell, "p"); }

  void AddValue(pugi::xml_node cell) {
    const std::string_view type = Attribute(cell, "value-type");
    if (type == "float" || type == "percentage" || type == "currency") {
      if (const auto number = ParseCellNumber(Attribute(cell, "value"), '.')) return m_filler.Number(*number);
    }
    std::string text;
    for (pugi::xml_node paragraph = cell.first_child(); paragraph; paragraph = paragraph.next_sibling()) {
      if (LocalName(paragraph) != "p") continue;
      if (!text.empty()) text += '\n';
      AppendText(paragraph, text);
    }
    if (text.empty() && type == "boolean") text = Attribute(cell, "boolean-value");
    m_filler.Text(text);
  }

  void Spend(int64_t cells) {
    m_budget -= cells;
    if (m_budget < 0) m_filler.TooLarge();
  }

  TTableFiller& m_filler;
  int64_t m_line = 0;
  int64_t m_budget = kRepeatBudget;
};

pugi::xml_node ParsedTable(const TZipArchive& archive, int sheet, pugi::xml_document& document, std::string& text,
                           const QString& source) {
  text = archive.ReadRequired("content.xml");
  ParsePart(document, text, "content.xml", source);
  const std::vector<pugi::xml_node> tables = Tables(document);
  if (sheet < 0 || size_t(sheet) >= tables.size()) NoSuchSheet(sheet, source);
  return tables[size_t(sheet)];
}

}  // namespace

void ReadOdsSheet(const TZipArchive& archive, int sheet, TTableFiller& filler, const QString& source) {
  pugi::xml_document document;
  std::string text;
  TOdsRows(filler).Read(ParsedTable(archive, sheet, document, text, source));
}

QStringList OdsSheetNames(const TZipArchive& archive, const QString& source) {
  std::string text = archive.ReadRequired("content.xml");
  pugi::xml_document document;
  ParsePart(document, text, "content.xml", source);
  QStringList names;
  for (const pugi::xml_node table : Tables(document)) {
    const std::string_view name = Attribute(table, "name");
    names << QString::fromUtf8(name.data(), qsizetype(name.size()));
  }
  return names;
}

}  // namespace import::sheet

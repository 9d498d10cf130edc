#pragma once

// What the XLSX and ODS readers share; private to the import library.
#include <pugixml.hpp>

#include <QString>
#include <QStringList>
#include <cstring>
#include <string>
#include <string_view>

#include "import/data_table.h"
#include "import/zip_archive.h"

namespace import::sheet {

// An element's name without its namespace prefix: writers choose prefixes
// freely ("x:row", "row").
inline std::string_view LocalName(pugi::xml_node node) {
  const std::string_view name = node.name();
  const size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// The first child of that local name.
pugi::xml_node Child(pugi::xml_node node, std::string_view localName);
// The value of the attribute of that local name; empty when absent.
std::string_view Attribute(pugi::xml_node node, std::string_view localName);

// Parses a part in place (the text is kept by the caller); raises
// TImportError when it is not well-formed XML.
void ParsePart(pugi::xml_document& document, std::string& text, const std::string& part, const QString& source);

// Adds cells to the table; any refusal (too many cells or columns) raises
// TImportError.
class TTableFiller {
 public:
  TTableFiller(TDataTable& table, const QString& source) : m_table(table), m_source(source) {}
  void Number(double value) { Check(m_table.AddNumber(value)); }
  void Text(std::string_view text) { Check(m_table.AddText(text)); }
  void Empty() { Check(m_table.AddEmpty()); }
  void EndRow(int64_t line) {
    m_table.TrimRowEnd();
    m_table.EndRow(line);
  }
  void RepeatRow(int64_t line) { Check(m_table.RepeatLastRow(line)); }
  [[noreturn]] void TooLarge() const;

 private:
  void Check(bool added) const {
    if (!added) TooLarge();
  }
  TDataTable& m_table;
  const QString& m_source;
};

void ReadXlsxSheet(const TZipArchive& archive, int sheet, TTableFiller& filler, const QString& source);
QStringList XlsxSheetNames(const TZipArchive& archive, const QString& source);
void ReadOdsSheet(const TZipArchive& archive, int sheet, TTableFiller& filler, const QString& source);
QStringList OdsSheetNames(const TZipArchive& archive, const QString& source);

[[noreturn]] void NoSuchSheet(int sheet, const QString& source);

}  // namespace import::sheet

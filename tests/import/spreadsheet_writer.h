#pragma once

// Spreadsheets written by the tests themselves: a zip archive of the given
// parts, in memory, through libzip.
#include <zip.h>

#include <string>
#include <utility>
#include <vector>

using TParts = std::vector<std::pair<std::string, std::string>>;

inline std::string ZipArchive(const TParts& parts) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  zip_source_keep(buffer);
  for (const auto& [name, text] : parts) {
    zip_source_t* part = zip_source_buffer(archive, text.data(), text.size(), 0);
    zip_file_add(archive, name.c_str(), part, ZIP_FL_ENC_UTF_8);
  }
  zip_close(archive);
  std::string bytes;
  zip_source_open(buffer);
  zip_source_seek(buffer, 0, SEEK_END);
  bytes.resize(size_t(zip_source_tell(buffer)));
  zip_source_seek(buffer, 0, SEEK_SET);
  zip_source_read(buffer, bytes.data(), bytes.size());
  zip_source_close(buffer);
  zip_source_free(buffer);
  zip_error_fini(&error);
  return bytes;
}

// A workbook of the given sheets' rows (the XML inside <sheetData>), with
// the shared strings given.
inline std::string Xlsx(const std::vector<std::string>& sheets, const std::string& sharedStrings) {
  std::string workbook = "<workbook xmlns:r=\"rel\"><sheets>";
  std::string rels = "<Relationships>";
  TParts parts;
  for (size_t i = 0; i < sheets.size(); ++i) {
    const std::string n = std::to_string(i + 1);
    workbook += "<sheet name=\"Sheet" + n + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
    rels += "<Relationship Id=\"rId" + n + "\" Target=\"worksheets/data" + n + ".xml\"/>";
    parts.push_back(
        {"xl/worksheets/data" + n + ".xml", "<worksheet><sheetData>" + sheets[i] + "</sheetData></worksheet>"});
  }
  parts.push_back({"xl/workbook.xml", workbook + "</sheets></workbook>"});
  parts.push_back({"xl/_rels/workbook.xml.rels", rels + "</Relationships>"});
  parts.push_back({"xl/sharedStrings.xml", "<sst>" + sharedStrings + "</sst>"});
  return ZipArchive(parts);
}

// An OpenDocument spreadsheet of the given tables' content (the XML inside
// each <table:table>).
inline std::string Ods(const std::vector<std::string>& tables) {
  std::string content =
      "<office:document-content xmlns:office=\"o\" xmlns:table=\"t\" xmlns:text=\"x\"><office:body>"
      "<office:spreadsheet>";
  for (size_t i = 0; i < tables.size(); ++i)
    content += "<table:table table:name=\"T" + std::to_string(i + 1) + "\">" + tables[i] + "</table:table>";
  content += "</office:spreadsheet></office:body></office:document-content>";
  return ZipArchive({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", content}});
}

#include "import/delimited_reader.h"

#include <csv.h>

#include <algorithm>
#include <memory>
#include <string>

#include "import/import_error.h"

namespace import {

namespace {

// libcsv trims these around unquoted fields; the delimiter itself is never
// one of them.
int IsSpace(unsigned char c) { return c == ' '; }
int IsNothing(unsigned char) { return 0; }

// What libcsv's callbacks fill: cells into the table, and the line count.
// libcsv reports every unquoted CR and LF as the end of a row (CSV_REPALL_NL),
// so blank lines are counted too; the LF of a CR LF pair ends an empty row
// that is not a line of its own.
struct TParseState {
  TDataTable& Table;
  char Delimiter;
  char Decimal;
  int64_t Line = 1;     // the line the next character is on
  int64_t RowLine = 1;  // the line the row being read started on
  bool RowHasFields = false;
  bool LastEndWasCr = false;
  bool Full = false;  // the table refused a cell: the file is too large

  void Field(const char* data, size_t size) {
    // With spaces as delimiter, a run of them leaves empty fields between: one gap.
    if (!data && Delimiter == ' ') return;
    const std::string_view text(data ? data : "", size);
    Line += std::count(text.begin(), text.end(), '\n');
    RowHasFields = true;
    bool added = true;
    if (text.empty())
      added = Table.AddEmpty();
    else if (const auto number = ParseCellNumber(text, Decimal))
      added = Table.AddNumber(*number);
    else
      added = Table.AddText(text);
    Full |= !added;
  }

  void RowEnd(int terminator) {
    const bool lfOfCrLf = terminator == '\n' && LastEndWasCr && !RowHasFields;
    LastEndWasCr = terminator == '\r';
    if (RowHasFields) {
      Table.TrimRowEnd();
      Table.EndRow(RowLine);
    }
    RowHasFields = false;
    if (!lfOfCrLf && terminator != -1) ++Line;
    RowLine = Line;
  }
};

void OnField(void* data, size_t size, void* state) {
  static_cast<TParseState*>(state)->Field(static_cast<const char*>(data), size);
}
void OnRowEnd(int terminator, void* state) { static_cast<TParseState*>(state)->RowEnd(terminator); }

struct TParserDeleter {
  void operator()(csv_parser* parser) const {
    csv_free(parser);
    delete parser;
  }
};

// Cells in a file of numbers take about eight bytes of text each.
void ReserveFor(TDataTable& table, size_t textSize) {
  constexpr size_t kLargeText = 1 << 20;
  if (textSize < kLargeText) return;
  const size_t cells = textSize / 8;
  table.Reserve(cells, cells / 3);
}

void Parse(std::string_view text, TParseState& state, const QString& source, const model::TProgress& progress) {
  std::unique_ptr<csv_parser, TParserDeleter> parser(new csv_parser);
  if (csv_init(parser.get(), CSV_REPALL_NL | CSV_EMPTY_IS_NULL) != 0) throw std::bad_alloc();
  csv_set_delim(parser.get(), static_cast<unsigned char>(state.Delimiter));
  csv_set_space_func(parser.get(), state.Delimiter == ' ' ? IsNothing : IsSpace);
  // A few megabytes at a time, so that a full table stops the reading early.
  constexpr size_t kBlock = 4 << 20;
  for (size_t at = 0; at < text.size() && !state.Full; at += kBlock) {
    progress.Report(double(at) / double(text.size()));
    const std::string_view block = text.substr(at, kBlock);
    if (csv_parse(parser.get(), block.data(), block.size(), OnField, OnRowEnd, &state) != block.size())
      throw std::bad_alloc();  // libcsv fails in this mode only when out of memory
  }
  csv_fini(parser.get(), OnField, OnRowEnd, &state);
  if (state.Full)
    Fail(TImportFault::TooLarge, source, QT_TRANSLATE_NOOP("Program", "it has more cells or columns than can be read"));
}

}  // namespace

TDataTable ReadDelimited(std::string_view bytes, const TDelimitedFormat& format, const QString& source,
                         std::optional<bool> hasHeader, const model::TProgress& progress) {
  if (bytes.empty()) Fail(TImportFault::Empty, source, QT_TRANSLATE_NOOP("Program", "the file is empty"));
  if (LooksBinary(bytes)) Fail(TImportFault::Binary, source, QT_TRANSLATE_NOOP("Program", "it is not a text file"));
  std::string converted;
  const std::string_view text = TextAsUtf8(bytes, format.Encoding, converted);
  TDataTable table;
  ReserveFor(table, text.size());
  TParseState state{table, format.Delimiter, format.DecimalSeparator};
  Parse(text, state, source, progress);
  if (table.FileRowCount() == 0)
    Fail(TImportFault::Empty, source, QT_TRANSLATE_NOOP("Program", "the file holds no rows"));
  table.SetHasHeader(hasHeader.value_or(LooksLikeHeader(table)));
  return table;
}

}  // namespace import

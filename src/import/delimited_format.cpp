#include "import/delimited_format.h"

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "model/value_encoding.h"

namespace import {

namespace {

// The first lines decide; a long first line is cut at this many bytes.
constexpr size_t kSampleBytes = 64 * 1024;
constexpr size_t kSampleLines = 50;
// In this order of preference: a ";" file with decimal commas splits
// consistently at "," too, and headers hold spaces.
constexpr std::array<char, 5> kDelimiters = {'\t', ';', ',', '|', ' '};

using TRecord = std::vector<std::string_view>;

// Splits the sample into records of fields at `delimiter`, honouring double
// quotes (a delimiter or line break inside quotes belongs to the field), as
// the reader will. Blank lines give no record.
std::vector<TRecord> SplitSample(std::string_view text, char delimiter) {
  std::vector<TRecord> records;
  TRecord record;
  size_t fieldStart = 0;
  bool quoted = false;
  auto endField = [&](size_t at) {
    const std::string_view field = text.substr(fieldStart, at - fieldStart);
    if (delimiter != ' ' || !field.empty()) record.push_back(field);
    fieldStart = at + 1;
  };
  for (size_t at = 0; at < text.size() && records.size() < kSampleLines; ++at) {
    const char c = text[at];
    if (c == '"') {
      quoted = !quoted;
    } else if (quoted) {
      continue;
    } else if (c == delimiter) {
      endField(at);
    } else if (c == '\n' || c == '\r') {
      endField(at);
      if (!(record.size() == 1 && record[0].empty()) && !record.empty()) records.push_back(record);
      record.clear();
    }
  }
  if (fieldStart < text.size() && records.size() < kSampleLines) {
    endField(text.size());
    records.push_back(record);
  }
  return records;
}

// The number of fields most records have, and how many records have it.
std::pair<size_t, size_t> CommonWidth(const std::vector<TRecord>& records) {
  std::map<size_t, size_t> counts;
  for (const TRecord& record : records) ++counts[record.size()];
  std::pair<size_t, size_t> best{0, 0};
  for (const auto& [width, count] : counts)
    if (count > best.second || (count == best.second && width > best.first)) best = {width, count};
  return best;
}

char DetectDelimiter(std::string_view sample) {
  for (const char delimiter : kDelimiters) {
    const std::vector<TRecord> records = SplitSample(sample, delimiter);
    const auto [width, count] = CommonWidth(records);
    // Ragged rows are allowed, as long as most rows agree.
    if (width >= 2 && count * 5 >= records.size() * 4) return delimiter;
  }
  return ',';
}

char DetectDecimalSeparator(std::string_view sample, char delimiter) {
  if (delimiter == ',') return '.';
  size_t withComma = 0;
  size_t withPoint = 0;
  for (const TRecord& record : SplitSample(sample, delimiter)) {
    for (const std::string_view field : record) {
      if (field.find(',') != std::string_view::npos && ParseCellNumber(field, ',')) ++withComma;
      if (field.find('.') != std::string_view::npos && ParseCellNumber(field, '.')) ++withPoint;
    }
  }
  return withComma > withPoint ? ',' : '.';
}

TLineEnd DetectLineEnd(std::string_view sample) {
  const size_t at = sample.find_first_of("\r\n");
  if (at == std::string_view::npos || sample[at] == '\n') return TLineEnd::Lf;
  return at + 1 < sample.size() && sample[at + 1] == '\n' ? TLineEnd::CrLf : TLineEnd::Cr;
}

}  // namespace

TDelimitedFormat DetectDelimitedFormat(std::string_view bytes, const TDelimitedChoices& choices) {
  TDelimitedFormat format;
  format.Encoding = choices.Encoding.value_or(DetectEncoding(bytes));
  std::string converted;
  const std::string_view text = TextAsUtf8(bytes.substr(0, kSampleBytes), format.Encoding, converted);
  format.Delimiter = choices.Delimiter.value_or(DetectDelimiter(text));
  format.DecimalSeparator = choices.DecimalSeparator.value_or(DetectDecimalSeparator(text, format.Delimiter));
  format.LineEnd = DetectLineEnd(text);
  return format;
}

std::optional<double> ParseCellNumber(std::string_view text, char decimalSeparator) {
  if (decimalSeparator == '.' || text.find(',') == std::string_view::npos) return model::ParseFloat(text);
  // Numbers are short: a longer text is not one.
  std::array<char, 64> buffer;
  if (text.size() > buffer.size()) return std::nullopt;
  std::replace_copy(text.begin(), text.end(), buffer.begin(), ',', '.');
  if (std::count(text.begin(), text.end(), ',') > 1 || text.find('.') != std::string_view::npos) return std::nullopt;
  return model::ParseFloat(std::string_view(buffer.data(), text.size()));
}

}  // namespace import

#include "model/field_splitter.h"

namespace model {

namespace {

bool IsSeparatorBlank(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 32;
}

void SkipBlanks(std::string_view text, size_t& pos) {
  while (pos < text.size() && IsSeparatorBlank(text[pos])) ++pos;
}

std::string ReadQuoted(std::string_view text, size_t& pos) {
  std::string field;
  ++pos;  // opening quote
  while (pos < text.size()) {
    if (text[pos] == '"') {
      if (pos + 1 < text.size() && text[pos + 1] == '"') {
        field += '"';
        pos += 2;
        continue;
      }
      ++pos;  // closing quote
      return field;
    }
    field += text[pos++];
  }
  return field;
}

}  // namespace

void SplitFields(std::string_view text, std::vector<std::string>& fields) {
  fields.clear();
  size_t pos = 0;
  // A NUL ends the text, as it would end a C string.
  text = text.substr(0, text.find('\0'));
  SkipBlanks(text, pos);
  while (pos < text.size()) {
    if (text[pos] == '"') {
      fields.push_back(ReadQuoted(text, pos));
    } else {
      const size_t start = pos;
      while (pos < text.size() && text[pos] != ';' && static_cast<unsigned char>(text[pos]) > 32) ++pos;
      fields.emplace_back(text.substr(start, pos - start));
    }
    SkipBlanks(text, pos);
    if (pos < text.size() && text[pos] == ';') {
      if (pos + 1 == text.size()) fields.emplace_back();
      ++pos;
      SkipBlanks(text, pos);
    }
  }
}

}  // namespace model

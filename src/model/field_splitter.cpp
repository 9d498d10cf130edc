#include "model/field_splitter.h"

namespace model {

namespace detail {

void ReadQuoted(std::string_view text, size_t& pos, std::string& field) {
  field.clear();
  ++pos;  // opening quote
  while (pos < text.size()) {
    if (text[pos] == '"') {
      if (pos + 1 < text.size() && text[pos + 1] == '"') {
        field += '"';
        pos += 2;
        continue;
      }
      ++pos;  // closing quote
      return;
    }
    field += text[pos++];
  }
}

}  // namespace detail

void SplitFields(std::string_view text, std::vector<std::string>& fields) {
  fields.clear();
  ForEachField(text, [&fields](std::string_view field) { fields.emplace_back(field); });
}

}  // namespace model

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace model {

// Splits semicolon-delimited text with double-quote quoting into fields and
// calls `visit(std::string_view)` for each, in order. Blanks and control
// characters (codes 1 to 32) separate fields as well as ";" does; two
// semicolons in a row enclose an empty field and a trailing semicolon adds an
// empty last field; a quoted field runs to its closing quote, a doubled quote
// standing for one. A NUL ends the text.
template <typename Visit>
void ForEachField(std::string_view text, Visit&& visit);

// The fields as strings; `fields` is cleared first.
void SplitFields(std::string_view text, std::vector<std::string>& fields);

namespace detail {

inline bool IsSeparatorBlank(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 32;
}

inline void SkipBlanks(std::string_view text, size_t& pos) {
  while (pos < text.size() && IsSeparatorBlank(text[pos])) ++pos;
}

// Reads the quoted field starting at `pos`; the unquoted text goes to `field`.
void ReadQuoted(std::string_view text, size_t& pos, std::string& field);

}  // namespace detail

template <typename Visit>
void ForEachField(std::string_view text, Visit&& visit) {
  text = text.substr(0, text.find('\0'));
  size_t pos = 0;
  std::string quoted;
  detail::SkipBlanks(text, pos);
  while (pos < text.size()) {
    if (text[pos] == '"') {
      detail::ReadQuoted(text, pos, quoted);
      visit(std::string_view(quoted));
    } else {
      const size_t start = pos;
      while (pos < text.size() && text[pos] != ';' && static_cast<unsigned char>(text[pos]) > 32) ++pos;
      visit(text.substr(start, pos - start));
    }
    detail::SkipBlanks(text, pos);
    if (pos < text.size() && text[pos] == ';') {
      if (pos + 1 == text.size()) visit(std::string_view());
      ++pos;
      detail::SkipBlanks(text, pos);
    }
  }
}

}  // namespace model

#include "model/markup_cursor.h"

namespace model {

namespace {

constexpr size_t npos = std::string_view::npos;

bool StartsWith(std::string_view text, size_t at, std::string_view prefix) {
  return text.compare(at, prefix.size(), prefix) == 0;
}

// Just past the first `terminator` from `from` on; npos when there is none.
size_t PastFirst(std::string_view text, size_t from, std::string_view terminator) {
  const size_t found = text.find(terminator, from);
  return found == npos ? npos : found + terminator.size();
}

// A section "<![" ... "]]>" of a document type, which may nest.
size_t EndOfIgnoredSection(std::string_view text, size_t at) {
  size_t depth = 0;
  for (size_t s = at + 3; s < text.size();) {
    if (StartsWith(text, s, "<![")) {
      s += 3;
      ++depth;
    } else if (StartsWith(text, s, "]]>")) {
      s += 3;
      if (depth == 0) return s;
      --depth;
    } else {
      ++s;
    }
  }
  return npos;
}

// A quoted string, a comment or a processing instruction inside a document
// type; anything else there that begins with "<" is refused by the parser.
size_t EndOfDeclarationPart(std::string_view text, size_t at) {
  const char c = text[at];
  if (c == '"' || c == '\'') {
    const size_t quote = text.find(c, at + 1);
    return quote == npos ? npos : quote + 1;
  }
  if (StartsWith(text, at, "<?")) return PastFirst(text, at + 2, "?>");
  if (StartsWith(text, at, "<!--")) return PastFirst(text, at + 4, "-->");
  return npos;
}

// The ">" that closes the "<!" at `at`, counting the "<!" of the
// declarations inside.
size_t EndOfDocumentType(std::string_view text, size_t at) {
  size_t depth = 0;
  for (size_t s = at + 2; s < text.size();) {
    const char c = text[s];
    if (StartsWith(text, s, "<![")) {
      s = EndOfIgnoredSection(text, s);
    } else if (StartsWith(text, s, "<!") && !StartsWith(text, s, "<!-")) {
      s += 2;
      ++depth;
    } else if (c == '<' || c == '"' || c == '\'') {
      s = EndOfDeclarationPart(text, s);
    } else if (c == '>') {
      if (depth == 0) return s + 1;
      --depth;
      ++s;
    } else {
      ++s;
    }
  }
  return npos;
}

// Attribute values may hold ">", and quotes appear nowhere else in a tag.
size_t EndOfTag(std::string_view text, size_t at) {
  char quote = 0;
  for (size_t s = at + 1; s < text.size(); ++s) {
    const char c = text[s];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      return s + 1;
    }
  }
  return npos;
}

// Each terminator is looked for only after the whole opening.
TMarkup MarkupAt(std::string_view text, size_t at) {
  if (StartsWith(text, at, "<!--")) return {TMarkupKind::Comment, at, PastFirst(text, at + 4, "-->")};
  if (StartsWith(text, at, "<![CDATA[")) return {TMarkupKind::CData, at, PastFirst(text, at + 9, "]]>")};
  if (StartsWith(text, at, "<!")) return {TMarkupKind::DocumentType, at, EndOfDocumentType(text, at)};
  if (StartsWith(text, at, "<?")) return {TMarkupKind::ProcessingInstruction, at, PastFirst(text, at + 2, "?>")};
  return {TMarkupKind::Tag, at, EndOfTag(text, at)};
}

}  // namespace

std::optional<TMarkup> TMarkupCursor::Next() {
  const size_t at = m_text.find('<', m_at);
  if (at == npos) {
    m_at = m_text.size();
    return std::nullopt;
  }
  const TMarkup markup = MarkupAt(m_text, at);
  m_at = markup.End == npos ? m_text.size() : markup.End;
  return markup;
}

}  // namespace model

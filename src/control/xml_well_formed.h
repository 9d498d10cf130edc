#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace control {

// The rules of XML 1.0 that the well-formedness check enforces.
enum class TXmlFaultKind : uint8_t {
  SecondRoot,
  TextOutsideRoot,
  DuplicateAttribute,
  UndeclaredEntity,
  InvalidCharacterReference,
  BareAmpersand,
  NotUtf8,
  ForbiddenCharacter,
};

// A place where a text breaks one of those rules, as a byte offset into the
// text.
struct TXmlFault {
  size_t Offset = 0;
  TXmlFaultKind Kind = TXmlFaultKind::SecondRoot;
  // The attribute given twice; empty for the other kinds.
  std::string Attribute;
};

// The reason for messages, in words.
std::string Describe(const TXmlFault& fault);

// pugixml is a lenient parser: it accepts texts that are not well-formed XML
// and then silently keeps only part of them (a second top-level element,
// the second of two attributes of the same name, a reference to an entity it
// does not know, bytes that are not UTF-8), so the next save would lose what
// it dropped. This finds the first such fault of `text`, once `document`
// holds its successful parse made with parse_fragment (which keeps the text
// outside the root so that it can be seen here).
//
// Character references to the control characters U+0001 to U+001F are
// accepted although XML 1.0 forbids them: documents saved by earlier
// versions of this program hold them, and they still open.
// pugixml reads UTF-16 and UTF-32 (by byte-order mark or by the zeros of the
// first characters) and Latin-1 (by the declaration) and converts them;
// checks on raw bytes apply only to a text this finds to be UTF-8.
bool IsUtf8Text(std::string_view text);

std::optional<TXmlFault> FindWellFormednessFault(std::string_view text, const pugi::xml_document& document);

}  // namespace control

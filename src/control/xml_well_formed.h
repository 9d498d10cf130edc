#pragma once

#include <cstddef>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace control {

// A place where a text breaks the rules of XML 1.0, as a byte offset into
// the text and the reason.
struct TXmlFault {
  size_t Offset = 0;
  std::string Reason;
};

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

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace model {

// What a "<" in a document's text begins.
enum class TMarkupKind : uint8_t {
  Comment,                // <!-- ... -->
  CData,                  // <![CDATA[ ... ]]>
  ProcessingInstruction,  // <? ... ?>, the XML declaration among them
  DocumentType,           // <!DOCTYPE ... >, and any other "<!" the parser refuses
  Tag,                    // a start, end or empty-element tag
};

struct TMarkup {
  TMarkupKind Kind = TMarkupKind::Tag;
  size_t Begin = 0;  // the "<"
  // Just past the markup's last byte; npos when the text ends inside it.
  size_t End = 0;
};

// Walks the markup of a document's text, from one "<" to the next, reading
// each exactly as pugixml reads it, so that scanners of the raw text agree
// with the parse about what is markup and what is text:
// - a comment ends at the first "-->" after its opening "<!--" (so "<!-->"
//   and "<!--->" open comments that end later);
// - a CDATA section ends at the first "]]>" after "<![CDATA[";
// - a processing instruction ends at the first "?>" after "<?";
// - a document type ends at the ">" that closes its "<!", skipping quoted
//   strings, comments, processing instructions, nested declarations and
//   ignored sections within it;
// - a tag ends at the first ">" outside its quoted attribute values.
// The text between markups is the callers' own: the cursor never reads it
// except to find the next "<".
class TMarkupCursor {
 public:
  explicit TMarkupCursor(std::string_view text) : m_text(text) {}

  // The next markup from the cursor's place on, which the cursor then
  // passes; nothing when no "<" is left. A markup the text ends inside has
  // End npos, and the cursor stays at the end.
  std::optional<TMarkup> Next();

  // Goes on from `at`, after text that the caller has read itself.
  void MoveTo(size_t at) { m_at = at; }

 private:
  std::string_view m_text;
  size_t m_at = 0;
};

}  // namespace model

#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <unordered_map>

#include "model/progress.h"

// Conventions of the diagram document on top of pugixml: one child element
// per property holding one text node, looked up by exact name.
namespace model {

// The first child of `node` named `name` (exact case) that is an element;
// an empty node when there is none.
pugi::xml_node FirstChildElement(pugi::xml_node node, const char* name);
// The text of that child, or nothing when the child is missing.
std::optional<std::string_view> ChildText(pugi::xml_node node, const char* name);
std::optional<QString> ChildQString(pugi::xml_node node, const char* name);

pugi::xml_node AppendElement(pugi::xml_node parent, const char* name);
// Appends <name>text</name>; an empty text gives an empty element.
void AppendTextElement(pugi::xml_node parent, const char* name, std::string_view text);
void AppendTextElement(pugi::xml_node parent, const char* name, const QString& text);

// The UTF-8 sequence at the start of `text`: its length, 0 when it is
// malformed, overlong or a surrogate, and its code point.
struct TUtf8Sequence {
  size_t Length = 0;
  uint32_t Code = 0;
};
TUtf8Sequence Utf8SequenceAt(std::string_view text);

// The node after `node` in document order (depth first, without recursion:
// a document may nest deeply), or an empty node after the last.
inline pugi::xml_node NextInDocumentOrder(pugi::xml_node node) {
  if (pugi::xml_node child = node.first_child()) return child;
  while (node && !node.next_sibling()) node = node.parent();
  return node ? node.next_sibling() : pugi::xml_node();
}

enum class TXmlLayout { Indented, Compact };

// Receives the entries of a streamed element (see TStreamedChildren): each
// is written as a child element holding only a text, laid out exactly as the
// same child node would be. The caller writes the text itself, between
// BeginEntry, which returns where it goes and leaves room for `maxLength`
// characters, and EndEntry, which gets its end. The text is written as it
// is: it must need no escaping (printable ASCII other than & < > ").
class TEntrySink {
 public:
  virtual char* BeginEntry(std::string_view name, size_t maxLength) = 0;
  virtual void EndEntry(char* textEnd) = 0;

 protected:
  ~TEntrySink() = default;
};

// Elements whose children are written by a function at the time the document
// is written, instead of being held as nodes: a list of a million entries
// would otherwise take two million nodes and their copies of the texts. An
// element registered here is written with the entries the function gives,
// after any children of its own.
class TStreamedChildren {
 public:
  using TWriteEntries = std::function<void(TEntrySink&)>;

  // `bytes` estimates what the entries take, so that the text can be sized
  // once.
  void Add(pugi::xml_node element, TWriteEntries write, size_t bytes);
  const TWriteEntries* Find(const pugi::xml_node& element) const;
  size_t Bytes() const { return m_bytes; }

 private:
  std::unordered_map<const void*, TWriteEntries> m_writers;
  size_t m_bytes = 0;
};

// Serialises a document as UTF-8 without byte-order mark and without XML
// declaration. Indented: one element per line with CR LF line ends, two
// spaces per level, an element holding only text on one line. Compact: no
// line breaks. CR in texts is written as a character reference so that it
// survives the end-of-line normalisation of XML parsers. The result is always
// well-formed XML 1.0: a character that XML 1.0 cannot hold (a control
// character other than tab, line feed and carriage return, U+FFFE, U+FFFF,
// or a byte that is not UTF-8) is written as U+FFFD.
// Children registered in `streamed` are written in their elements; each
// block of their entries written is reported to `progress`, measured against
// the bytes `streamed` expects, and may stop the writing with TCancelled.
void WriteDocument(const pugi::xml_node& document, std::string& out, TXmlLayout layout,
                   const TStreamedChildren* streamed = nullptr, const TProgress& progress = TProgress());

// Parse options: keep a text made only of blanks, and store an element's only
// text in the element itself, which halves the nodes of a large document.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_embed_pcdata;

}  // namespace model

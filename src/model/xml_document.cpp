#include "model/xml_document.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "model/memory_advice.h"

namespace model {

namespace {

// How each byte of a text is written.
enum TByteKind : uint8_t {
  kPlain,
  kMarkup,          // & < > as entities
  kQuote,           // " as an entity in attributes only
  kBlank,           // tab and line feed: references in attributes only
  kCarriageReturn,  // a reference, which survives end-of-line normalisation
  kForbidden,       // control characters that XML 1.0 cannot hold
  kMultiByte,       // the lead or trail of a UTF-8 sequence, checked
};

constexpr std::array<uint8_t, 256> kByteKinds = [] {
  std::array<uint8_t, 256> table{};
  for (int c = 0; c < 0x20; ++c) table[size_t(c)] = kForbidden;
  table['\t'] = table['\n'] = kBlank;
  table['\r'] = kCarriageReturn;
  table['&'] = table['<'] = table['>'] = kMarkup;
  table['"'] = kQuote;
  for (int c = 0x80; c < 0x100; ++c) table[size_t(c)] = kMultiByte;
  return table;
}();

// What XML 1.0 cannot hold is written as this character.
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

enum class TContext { Text, Attribute, Comment };

constexpr bool NeedsRewritingIn(uint8_t kind, TContext context) {
  switch (kind) {
    case kPlain:
      return false;
    case kQuote:
    case kBlank:
      return context == TContext::Attribute;
    case kForbidden:
    case kMultiByte:
      return true;
    default:
      return context != TContext::Comment;
  }
}

// One table per context: the scan for the first byte to rewrite runs over
// every number of a large document.
using TRewriteTable = std::array<bool, 256>;
constexpr TRewriteTable RewriteTableFor(TContext context) {
  TRewriteTable table{};
  for (size_t c = 0; c < 256; ++c) table[c] = NeedsRewritingIn(kByteKinds[c], context);
  return table;
}
constexpr std::array<TRewriteTable, 3> kRewriteTables = {
    RewriteTableFor(TContext::Text), RewriteTableFor(TContext::Attribute), RewriteTableFor(TContext::Comment)};

bool NeedsRewriting(unsigned char c, TContext context) { return kRewriteTables[size_t(context)][c]; }

// Writes `text` so that it reads back unchanged as the content of an element,
// an attribute value or a comment. The only exception are characters that XML 1.0
// cannot hold at all (control characters other than tab, line feed and
// carriage return, U+FFFE, U+FFFF, bytes that are not UTF-8): each becomes
// U+FFFD, so that every parser reads the document.
void AppendEscaped(std::string& out, std::string_view text, TContext context) {
  // Most texts (numbers, names) need no rewriting at all.
  size_t first = 0;
  while (first < text.size() && !NeedsRewriting(static_cast<unsigned char>(text[first]), context)) ++first;
  if (first == text.size()) {
    out.append(text);
    return;
  }
  out.append(text.data(), first);
  for (size_t i = first; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (!NeedsRewriting(c, context)) {
      out += char(c);
      ++i;
      continue;
    }
    switch (kByteKinds[c]) {
      case kMarkup:
        out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : "&gt;";
        break;
      case kQuote:
        out += "&quot;";
        break;
      case kBlank:
        out += c == '\n' ? "&#10;" : "&#9;";
        break;
      case kCarriageReturn:
        out += "&#13;";
        break;
      case kForbidden:
        out += kReplacement;
        break;
      case kMultiByte:
        if (const TUtf8Sequence sequence = Utf8SequenceAt(text.substr(i)); sequence.Length != 0) {
          // A whole character that XML does not allow becomes one replacement.
          if (sequence.Code != 0xFFFE && sequence.Code != 0xFFFF)
            out.append(text.data() + i, sequence.Length);
          else
            out += kReplacement;
          i += sequence.Length;
          continue;
        }
        out += kReplacement;  // one for every byte that is not UTF-8
        break;
    }
    ++i;
  }
}

// A comment may not hold "--" nor end with "-": a space goes between.
void AppendComment(std::string& out, std::string_view text) {
  std::string safe;
  for (const char c : text) {
    if (c == '-' && !safe.empty() && safe.back() == '-') safe += ' ';
    safe += c;
  }
  if (!safe.empty() && safe.back() == '-') safe += ' ';
  out += "<!--";
  AppendEscaped(out, safe, TContext::Comment);
  out += "-->";
}

bool HoldsOnlyText(const pugi::xml_node& element) {
  for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling())
    if (child.type() != pugi::node_pcdata && child.type() != pugi::node_cdata) return false;
  return true;
}

class TDocumentWriter final : private TEntrySink {
 public:
  TDocumentWriter(std::string& out, TXmlLayout layout, const TStreamedChildren* streamed, const TProgress& progress)
      : m_out(out),
        m_indented(layout == TXmlLayout::Indented),
        m_streamed(streamed),
        m_progress(progress),
        m_entryBytesExpected(double(streamed ? streamed->Bytes() : 0) + 1) {}

  void WriteChildren(const pugi::xml_node& node, int depth) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) WriteNode(child, depth);
  }

 private:
  void WriteNode(const pugi::xml_node& node, int depth) {
    switch (node.type()) {
      case pugi::node_element:
        WriteElement(node, depth);
        break;
      case pugi::node_pcdata:
      case pugi::node_cdata:
        Indent(depth);
        AppendEscaped(m_out, node.value(), TContext::Text);
        EndLine();
        break;
      case pugi::node_comment:
        Indent(depth);
        AppendComment(m_out, node.value());
        EndLine();
        break;
      default:
        break;  // declarations, processing instructions and doctypes are not written
    }
  }

  void WriteElement(const pugi::xml_node& element, int depth) {
    const std::string_view name = element.name();
    Indent(depth);
    m_out += '<';
    m_out += name;
    for (const pugi::xml_attribute attribute : element.attributes()) {
      m_out += ' ';
      m_out += attribute.name();
      m_out += "=\"";
      AppendEscaped(m_out, attribute.value(), TContext::Attribute);
      m_out += '"';
    }
    // A parsed document may hold an element's only text in the element itself.
    const std::string_view embeddedText = element.value();
    const pugi::xml_node first = element.first_child();
    const TStreamedChildren::TWriteEntries* entries = m_streamed ? m_streamed->Find(element) : nullptr;
    if (!entries && !first && embeddedText.empty()) {
      m_out += "/>";
    } else if (!entries && HoldsOnlyText(element)) {
      m_out += '>';
      AppendEscaped(m_out, embeddedText, TContext::Text);
      for (pugi::xml_node text = first; text; text = text.next_sibling())
        AppendEscaped(m_out, text.value(), TContext::Text);
      CloseTag(name);
    } else {
      m_out += '>';
      EndLine();
      if (!embeddedText.empty()) {
        Indent(depth + 1);
        AppendEscaped(m_out, embeddedText, TContext::Text);
        EndLine();
      }
      WriteChildren(element, depth + 1);
      if (entries) WriteEntries(*entries, depth + 1);
      Indent(depth);
      CloseTag(name);
    }
    EndLine();
  }

  // Entries are assembled in a staging buffer with plain copies and moved
  // into the text a block at a time: a million of them are written at the
  // speed of formatting their numbers.
  void WriteEntries(const TStreamedChildren::TWriteEntries& write, int depth) {
    m_entryDepth = depth;
    m_entryName.clear();
    m_staging.resize(kStagingSize);
    m_stagingAt = m_staging.data();
    write(*this);
    FlushStaging();
  }

  // Laid out as WriteElement lays out an element holding only text.
  char* BeginEntry(std::string_view name, size_t maxLength) override {
    if (name != m_entryName || m_entryPrefix.empty()) {
      m_entryName = name;
      m_entryPrefix.assign(m_indented ? size_t(m_entryDepth) * 2 : 0, ' ');
      m_entryPrefix.append("<").append(name).append(">");
      m_entrySuffix.assign("</").append(name).append(">").append(m_indented ? "\r\n" : "");
    }
    const size_t room = m_entryPrefix.size() + maxLength + m_entrySuffix.size();
    if (size_t(m_staging.data() + m_staging.size() - m_stagingAt) < room) {
      FlushStaging();
      if (m_staging.size() < room) m_staging.resize(room);
      m_stagingAt = m_staging.data();
    }
    m_stagingAt = std::copy(m_entryPrefix.begin(), m_entryPrefix.end(), m_stagingAt);
#ifndef NDEBUG
    m_entryMaxLength = maxLength;
#endif
    return m_stagingAt;
  }

  // m_stagingAt is still where the entry's text began.
  void EndEntry(char* textEnd) override {
    assert(textEnd >= m_stagingAt && size_t(textEnd - m_stagingAt) <= m_entryMaxLength);
    m_stagingAt = std::copy(m_entrySuffix.begin(), m_entrySuffix.end(), textEnd);
  }

  // Once per block of entries: progress costs nothing per entry.
  void FlushStaging() {
    const auto staged = size_t(m_stagingAt - m_staging.data());
    m_out.append(m_staging.data(), staged);
    m_stagingAt = m_staging.data();
    m_entryBytes += staged;
    if (m_progress.Active()) m_progress.Report(double(m_entryBytes) / m_entryBytesExpected);
  }

  void CloseTag(std::string_view name) {
    m_out += "</";
    m_out += name;
    m_out += '>';
  }

  void Indent(int depth) {
    if (m_indented) m_out.append(size_t(depth) * 2, ' ');
  }

  void EndLine() {
    if (m_indented) m_out += "\r\n";
  }

  std::string& m_out;
  bool m_indented;
  const TStreamedChildren* m_streamed;
  const TProgress& m_progress;
  size_t m_entryBytes = 0;      // of the streamed entries written so far
  double m_entryBytesExpected;  // of all of them, as `m_streamed` estimates them
  static constexpr size_t kStagingSize = size_t(1) << 16;
  std::vector<char> m_staging;
  char* m_stagingAt = nullptr;
  int m_entryDepth = 0;
  std::string m_entryName;
  std::string m_entryPrefix;
  std::string m_entrySuffix;
#ifndef NDEBUG
  size_t m_entryMaxLength = 0;  // promised by the entry begun last
#endif
};

}  // namespace

TUtf8Sequence Utf8SequenceAt(std::string_view text) {
  if (text.empty()) return {};
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  size_t length;
  uint32_t code;
  uint32_t minimum;
  if (p[0] < 0x80) {
    return {1, p[0]};
  } else if ((p[0] & 0xE0) == 0xC0) {
    length = 2, minimum = 0x80, code = p[0] & 0x1Fu;
  } else if ((p[0] & 0xF0) == 0xE0) {
    length = 3, minimum = 0x800, code = p[0] & 0x0Fu;
  } else if ((p[0] & 0xF8) == 0xF0) {
    length = 4, minimum = 0x10000, code = p[0] & 0x07u;
  } else {
    return {};
  }
  if (text.size() < length) return {};
  for (size_t i = 1; i < length; ++i) {
    if ((p[i] & 0xC0) != 0x80) return {};
    code = (code << 6) | (p[i] & 0x3Fu);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
  return {length, code};
}

pugi::xml_node FirstChildElement(pugi::xml_node node, const char* name) {
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
    if (child.type() == pugi::node_element && std::strcmp(child.name(), name) == 0) return child;
  return {};
}

std::optional<std::string_view> ChildText(pugi::xml_node node, const char* name) {
  const pugi::xml_node child = FirstChildElement(node, name);
  if (!child) return std::nullopt;
  return std::string_view(child.text().get());
}

std::optional<QString> ChildQString(pugi::xml_node node, const char* name) {
  const auto text = ChildText(node, name);
  if (!text) return std::nullopt;
  return QString::fromUtf8(text->data(), qsizetype(text->size()));
}

pugi::xml_node AppendElement(pugi::xml_node parent, const char* name) { return parent.append_child(name); }

void AppendTextElement(pugi::xml_node parent, const char* name, std::string_view text) {
  pugi::xml_node element = parent.append_child(name);
  if (!text.empty()) element.append_child(pugi::node_pcdata).set_value(text.data(), text.size());
}

void AppendTextElement(pugi::xml_node parent, const char* name, const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  AppendTextElement(parent, name, std::string_view(utf8.constData(), size_t(utf8.size())));
}

void TStreamedChildren::Add(pugi::xml_node element, TWriteEntries write, size_t bytes) {
  m_writers[element.internal_object()] = std::move(write);
  m_bytes += bytes;
}

const TStreamedChildren::TWriteEntries* TStreamedChildren::Find(const pugi::xml_node& element) const {
  if (m_writers.empty()) return nullptr;
  const auto found = m_writers.find(element.internal_object());
  return found == m_writers.end() ? nullptr : &found->second;
}

void WriteDocument(const pugi::xml_node& document, std::string& out, TXmlLayout layout,
                   const TStreamedChildren* streamed, const TProgress& progress) {
  // The nodes themselves are small next to streamed entries.
  if (streamed) {
    out.reserve(out.size() + streamed->Bytes() + 4096);
    AdviseLargeBuffer(out.data(), out.capacity());
  }
  TDocumentWriter(out, layout, streamed, progress).WriteChildren(document, 0);
}

}  // namespace model

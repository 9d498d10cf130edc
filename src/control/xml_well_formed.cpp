#include "control/xml_well_formed.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "model/markup_cursor.h"
#include "model/xml_document.h"

namespace control {

namespace {

using TFault = std::optional<TXmlFault>;

TFault FaultAt(size_t offset, TXmlFaultKind kind, std::string attribute = {}) {
  return TXmlFault{offset, kind, std::move(attribute)};
}

size_t OffsetOf(const pugi::xml_node& node) { return size_t(std::max<ptrdiff_t>(node.offset_debug(), 0)); }

// One root element, and nothing but comments, processing instructions and
// blanks around it.
TFault TopLevelFault(std::string_view text, const pugi::xml_document& document) {
  bool rootSeen = false;
  for (pugi::xml_node node = document.first_child(); node; node = node.next_sibling()) {
    switch (node.type()) {
      case pugi::node_element:
        if (rootSeen) return FaultAt(OffsetOf(node), TXmlFaultKind::SecondRoot);
        rootSeen = true;
        break;
      case pugi::node_pcdata:
      case pugi::node_cdata: {
        const std::string_view value = node.value();
        if (value.find_first_not_of(" \t\r\n") == std::string_view::npos) break;
        // The parser has removed the CRs of the value: its first visible
        // character is found in the text itself.
        const size_t visible = text.find_first_not_of(" \t\r\n", OffsetOf(node));
        return FaultAt(std::min(visible, text.size()), TXmlFaultKind::TextOutsideRoot);
      }
      default:
        break;
    }
  }
  return std::nullopt;
}

TFault DuplicateAttributeFault(const pugi::xml_document& document) {
  for (pugi::xml_node node = document.first_child(); node; node = model::NextInDocumentOrder(node)) {
    const pugi::xml_attribute first = node.first_attribute();
    if (first && first.next_attribute()) {
      for (pugi::xml_attribute a = first; a; a = a.next_attribute())
        for (pugi::xml_attribute b = a.next_attribute(); b; b = b.next_attribute())
          if (std::strcmp(a.name(), b.name()) == 0)
            return FaultAt(OffsetOf(node), TXmlFaultKind::DuplicateAttribute, a.name());
    }
  }
  return std::nullopt;
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace

std::string Describe(const TXmlFault& fault) {
  switch (fault.Kind) {
    case TXmlFaultKind::SecondRoot:
      return "more than one top-level element";
    case TXmlFaultKind::TextOutsideRoot:
      return "text outside the root element";
    case TXmlFaultKind::DuplicateAttribute:
      return "attribute \"" + fault.Attribute + "\" given twice";
    case TXmlFaultKind::UndeclaredEntity:
      return "a reference to an undeclared entity";
    case TXmlFaultKind::InvalidCharacterReference:
      return "an invalid character reference";
    case TXmlFaultKind::BareAmpersand:
      return "a \"&\" that begins no reference";
    case TXmlFaultKind::NotUtf8:
      return "bytes that are not UTF-8";
    case TXmlFaultKind::ForbiddenCharacter:
      return "a character that XML does not allow";
  }
  return {};
}

bool IsUtf8Text(std::string_view text) {
  if (StartsWith(text, "\xEF\xBB\xBF")) return true;
  if (StartsWith(text, "\xFE\xFF") || StartsWith(text, "\xFF\xFE")) return false;
  if (std::memchr(text.data(), 0, std::min<size_t>(text.size(), 4))) return false;
  if (!StartsWith(text, "<?xml")) return true;
  std::string declaration(text.substr(0, std::min(text.find("?>"), size_t(200))));
  std::transform(declaration.begin(), declaration.end(), declaration.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  const size_t encoding = declaration.find("encoding");
  return encoding == std::string::npos || declaration.find("utf-8", encoding) != std::string::npos ||
         declaration.find("utf8", encoding) != std::string::npos;
}

namespace {

// XML 1.0's Char production, except for the control characters taken as
// character references (see the header).
bool IsXmlChar(uint32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

// Every byte belongs to a well-formed UTF-8 sequence of a character XML
// allows. Runs of plain ASCII are passed eight bytes at a time.
TFault EncodingFault(std::string_view text) {
  const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = begin + text.size();
  const auto* p = begin;
  if (StartsWith(text, "\xEF\xBB\xBF")) p += 3;
  constexpr uint64_t kHigh = 0x8080808080808080ull;
  constexpr uint64_t kSpaces = 0x2020202020202020ull;
  while (p < end) {
    if (end - p >= 8) {
      uint64_t word;
      std::memcpy(&word, p, 8);
      // Bytes with the top bit set, and bytes below 0x20 among the others.
      if (((word & kHigh) | ((word - kSpaces) & ~word & kHigh)) == 0) {
        p += 8;
        continue;
      }
    }
    const auto* chunkEnd = std::min(p + 8, end);
    while (p < chunkEnd) {
      const model::TUtf8Sequence sequence =
          model::Utf8SequenceAt(std::string_view(reinterpret_cast<const char*>(p), size_t(end - p)));
      if (sequence.Length == 0) return FaultAt(size_t(p - begin), TXmlFaultKind::NotUtf8);
      if (!IsXmlChar(sequence.Code)) return FaultAt(size_t(p - begin), TXmlFaultKind::ForbiddenCharacter);
      p += sequence.Length;
    }
  }
  return std::nullopt;
}

bool IsNameChar(unsigned char c) {
  return std::isalnum(c) || c == '_' || c == ':' || c == '-' || c == '.' || c >= 0x80;
}

// Whether `reference` (from "&" up to and including ";") is one XML defines
// without a document type: the five predefined entities and character
// references.
bool IsKnownReference(std::string_view reference) {
  static constexpr std::string_view kPredefined[] = {"&amp;", "&lt;", "&gt;", "&apos;", "&quot;"};
  if (std::find(std::begin(kPredefined), std::end(kPredefined), reference) != std::end(kPredefined)) return true;
  if (!StartsWith(reference, "&#")) return false;
  std::string_view digits = reference.substr(2, reference.size() - 3);
  int base = 10;
  if (!digits.empty() && digits[0] == 'x') base = 16, digits.remove_prefix(1);
  if (digits.empty() || digits.size() > 8) return false;
  uint32_t code = 0;
  for (const char c : digits) {
    const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                      : base == 16 && std::isxdigit(static_cast<unsigned char>(c))
                          ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                          : -1;
    if (digit < 0) return false;
    code = code * uint32_t(base) + uint32_t(digit);
  }
  return IsXmlChar(code) || (code >= 0x1 && code < 0x20);
}

// The reference that begins at text[at], an "&": the offset just past it, or
// the fault it is.
TFault CheckReference(std::string_view text, size_t& at) {
  size_t end = at + 1;
  while (end < text.size() && (IsNameChar(static_cast<unsigned char>(text[end])) || text[end] == '#')) ++end;
  const bool terminated = end < text.size() && text[end] == ';';
  if (terminated && IsKnownReference(text.substr(at, end + 1 - at))) {
    at = end + 1;
    return std::nullopt;
  }
  const bool numeric = at + 1 < text.size() && text[at + 1] == '#';
  if (numeric) return FaultAt(at, TXmlFaultKind::InvalidCharacterReference);
  return FaultAt(at, terminated ? TXmlFaultKind::UndeclaredEntity : TXmlFaultKind::BareAmpersand);
}

// Every "&" from `begin` up to `end` begins a known reference.
TFault ReferencesFault(std::string_view text, size_t begin, size_t end) {
  for (size_t at = begin; (at = text.find('&', at)) < end;)
    if (TFault fault = CheckReference(text, at)) return fault;
  return std::nullopt;
}

// "&" in comments, CDATA sections, processing instructions and the document
// type is left alone; every other one, in text or in an attribute value (the
// only place where a tag of a parsed document may hold it), must begin a
// known reference.
TFault ReferenceFault(std::string_view text) {
  model::TMarkupCursor cursor(text);
  size_t textBegin = 0;
  for (;;) {
    const std::optional<model::TMarkup> markup = cursor.Next();
    if (TFault fault = ReferencesFault(text, textBegin, markup ? markup->Begin : text.size())) return fault;
    if (!markup || markup->End == std::string_view::npos) return std::nullopt;
    if (markup->Kind == model::TMarkupKind::Tag)
      if (TFault fault = ReferencesFault(text, markup->Begin, markup->End)) return fault;
    textBegin = markup->End;
  }
}

}  // namespace

std::optional<TXmlFault> FindWellFormednessFault(std::string_view text, const pugi::xml_document& document) {
  if (TFault fault = TopLevelFault(text, document)) return fault;
  if (TFault fault = DuplicateAttributeFault(document)) return fault;
  if (!IsUtf8Text(text)) return std::nullopt;
  if (TFault fault = EncodingFault(text)) return fault;
  // Most documents hold no "&" at all; only those need the markup scanned.
  if (std::memchr(text.data(), '&', text.size())) return ReferenceFault(text);
  return std::nullopt;
}

}  // namespace control

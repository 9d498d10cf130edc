#include "model/xml_document.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace model {

namespace {

// Characters written as references: control characters and markup, the
// quote only in attributes (value 2).
constexpr std::array<uint8_t, 256> kEscapeTable = [] {
  std::array<uint8_t, 256> table{};
  for (int c = 0; c < 0x20; ++c) table[size_t(c)] = 1;
  table['&'] = table['<'] = table['>'] = 1;
  table['"'] = 2;
  return table;
}();

bool NeedsEscape(unsigned char c, bool attribute) {
  const uint8_t kind = kEscapeTable[c];
  return kind == 1 || (kind == 2 && attribute);
}

void AppendEscaped(std::string& out, std::string_view text, bool attribute) {
  // Most texts (numbers, names) need no escaping at all.
  size_t first = 0;
  while (first < text.size() && !NeedsEscape(static_cast<unsigned char>(text[first]), attribute)) ++first;
  if (first == text.size()) {
    out.append(text);
    return;
  }
  size_t plain = 0;
  auto flush = [&](size_t upTo) { out.append(text.data() + plain, upTo - plain); };
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const char* entity = nullptr;
    char reference[8];
    switch (c) {
      case '&':
        entity = "&amp;";
        break;
      case '<':
        entity = "&lt;";
        break;
      case '>':
        entity = "&gt;";
        break;
      case '"':
        entity = attribute ? "&quot;" : nullptr;
        break;
      case '\n':
        entity = attribute ? "&#10;" : nullptr;
        break;
      case '\t':
        entity = attribute ? "&#9;" : nullptr;
        break;
      default:
        if (c < 0x20) {
          std::snprintf(reference, sizeof reference, "&#%u;", c);
          entity = reference;
        }
    }
    if (!entity) continue;
    flush(i);
    out += entity;
    plain = i + 1;
  }
  flush(text.size());
}

bool HoldsOnlyText(const pugi::xml_node& element) {
  for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling())
    if (child.type() != pugi::node_pcdata && child.type() != pugi::node_cdata) return false;
  return true;
}

class Writer {
 public:
  Writer(std::string& out, TXmlLayout layout) : m_out(out), m_indented(layout == TXmlLayout::Indented) {}

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
        AppendEscaped(m_out, node.value(), false);
        EndLine();
        break;
      case pugi::node_comment:
        Indent(depth);
        m_out.append("<!--").append(node.value()).append("-->");
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
      AppendEscaped(m_out, attribute.value(), true);
      m_out += '"';
    }
    // A parsed document may hold an element's only text in the element itself.
    const std::string_view embeddedText = element.value();
    const pugi::xml_node first = element.first_child();
    if (!first && embeddedText.empty()) {
      m_out += "/>";
    } else if (HoldsOnlyText(element)) {
      m_out += '>';
      AppendEscaped(m_out, embeddedText, false);
      for (pugi::xml_node text = first; text; text = text.next_sibling()) AppendEscaped(m_out, text.value(), false);
      CloseTag(name);
    } else {
      m_out += '>';
      EndLine();
      if (!embeddedText.empty()) {
        Indent(depth + 1);
        AppendEscaped(m_out, embeddedText, false);
        EndLine();
      }
      WriteChildren(element, depth + 1);
      Indent(depth);
      CloseTag(name);
    }
    EndLine();
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
};

}  // namespace

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

void WriteDocument(const pugi::xml_node& document, std::string& out, TXmlLayout layout) {
  Writer(out, layout).WriteChildren(document, 0);
}

}  // namespace model

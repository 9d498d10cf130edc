#include "model/graph_font.h"

#include "model/property_io.h"

TGraphFont::TGraphFont() { SetDefaults(); }

void TGraphFont::SetSize(float size) {
  if (size == m_size) return;
  TUpdateScope scope(*this);
  m_size = size;
}

void TGraphFont::SetName(const QString& name) {
  if (name == m_name) return;
  TUpdateScope scope(*this);
  m_name = name;
}

void TGraphFont::SetColor(uint32_t argb) {
  if (argb == m_color) return;
  TUpdateScope scope(*this);
  m_color = argb;
}

void TGraphFont::SetStyles(TGraphFontStyles styles) {
  if (styles == m_styles) return;
  TUpdateScope scope(*this);
  m_styles = styles;
}

void TGraphFont::LoadFromXML(pugi::xml_node node) {
  TUpdateScope scope(*this);
  model::ReadColor(node, "Color", m_color);
  model::ReadText(node, "Name", m_name);
  // Sizes are whole numbers: "10.5" does not convert and leaves the size.
  // Near the top of the range the float rounds up beyond it, and such a size
  // could not be read back once saved: it does not convert either.
  int32_t size = 0;
  if (model::ReadInteger(node, "Size", size) && double(float(size)) <= INT32_MAX) m_size = float(size);
  uint32_t styles = 0;
  if (model::ReadSet(node, "Styles", kFontStyleNames, styles)) m_styles = TGraphFontStyles(styles);
}

void TGraphFont::SetDefaults() {
  TUpdateScope scope(*this);
  m_color = 0xFF000000;
  m_name = QStringLiteral("Arial");
  m_size = 8.0f;
}

void TGraphFont::SaveToXML(pugi::xml_node node) const {
  model::WriteColor(node, "Color", m_color);
  model::WriteText(node, "Name", m_name);
  model::WriteFloat(node, "Size", m_size);
  model::WriteSet(node, "Styles", kFontStyleNames, m_styles);
}

#include "model/graph_label.h"

#include "model/embedded_part.h"
#include "model/property_io.h"

TGraphlabel::TGraphlabel() : m_font(std::make_unique<TGraphFont>()) {
  m_font->OnChange = [this](TGraphElement*) { FontChanged(); };
  SetDefaults();
}

void TGraphlabel::SetText(const QString& text) {
  if (text == m_text) return;
  TUpdateScope scope(*this);
  m_text = text;
}

void TGraphlabel::FontChanged() {
  BeginUpdate();
  EndUpdate(false);
}

void TGraphlabel::LoadFromXML(pugi::xml_node node) {
  TUpdateScope scope(*this);
  model::ReadText(node, "Text", m_text);
  model::LoadEmbedded(node, "Font", *m_font);
}

void TGraphlabel::SetDefaults() {
  TUpdateScope scope(*this);
  m_text.clear();
  if (m_font) m_font->SetDefaults();
}

void TGraphlabel::SaveToXML(pugi::xml_node node) const {
  model::WriteText(node, "Text", m_text);
  model::SaveEmbedded(node, "Font", *m_font);
}

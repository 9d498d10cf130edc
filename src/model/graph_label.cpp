#include "model/graph_label.h"

#include "model/property_io.h"
#include "model/xml_document.h"

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
  if (const pugi::xml_node font = model::FirstChildElement(node, "Font")) m_font->LoadFromXML(font);
}

void TGraphlabel::SetDefaults() {
  TUpdateScope scope(*this);
  m_text.clear();
  if (m_font) m_font->SetDefaults();
}

void TGraphlabel::SaveToXML(pugi::xml_node node) const {
  model::WriteText(node, "Text", m_text);
  m_font->SaveToXML(model::AppendElement(node, "Font"));
}

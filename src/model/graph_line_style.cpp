#include "model/graph_line_style.h"

#include "model/property_io.h"

TGraphLineStyle::TGraphLineStyle() { SetDefaults(); }

void TGraphLineStyle::SetSize(float size) {
  if (size == m_size) return;
  TUpdateScope scope(*this);
  m_size = size;
}

void TGraphLineStyle::SetDashStyle(int32_t dashStyle) {
  if (dashStyle == m_dashStyle) return;
  TUpdateScope scope(*this);
  m_dashStyle = dashStyle;
}

void TGraphLineStyle::SetColor(uint32_t argb) {
  if (argb == m_color) return;
  TUpdateScope scope(*this);
  m_color = argb;
}

void TGraphLineStyle::LoadFromXML(pugi::xml_node node) {
  TUpdateScope scope(*this);
  model::ReadColor(node, "Color", m_color);
  model::ReadInteger(node, "DashStyle", m_dashStyle);
  model::ReadFloat(node, "Size", m_size);
}

void TGraphLineStyle::SetDefaults() {
  TUpdateScope scope(*this);
  m_color = 0xFF000000;
  m_dashStyle = DashStyleSolid;
  m_size = 1.0f;
}

void TGraphLineStyle::SaveToXML(pugi::xml_node node) const {
  model::WriteColor(node, "Color", m_color);
  model::WriteInteger(node, "DashStyle", m_dashStyle);
  model::WriteFloat(node, "Size", m_size);
}

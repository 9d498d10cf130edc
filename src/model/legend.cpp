#include "model/legend.h"

#include "model/embedded_part.h"
#include "model/property_io.h"

TLegend::TLegend() : m_font(std::make_unique<TGraphFont>()), m_frame(std::make_unique<TGraphLineStyle>()) {
  RouteChangesTo(*m_font, *this);
  RouteChangesTo(*m_frame, *this);
  SetDefaults();
}

void TLegend::SetVisible(bool visible) {
  if (visible == m_visible) return;
  TUpdateScope scope(*this);
  m_visible = visible;
}

void TLegend::SetPosition(TLegendPosition position) {
  if (position == m_position || int(position) >= kLegendPositionCount) return;
  TUpdateScope scope(*this);
  m_position = position;
}

void TLegend::SetBackgroundColor(uint32_t argb) {
  if (argb == m_backgroundColor) return;
  TUpdateScope scope(*this);
  m_backgroundColor = argb;
}

void TLegend::LoadFromXML(pugi::xml_node node) {
  TUpdateScope scope(*this);
  model::ReadBool(node, "Visible", m_visible);
  int32_t position = m_position;
  if (model::ReadInteger(node, "Position", position, 0, kLegendPositionCount - 1))
    m_position = TLegendPosition(position);
  model::LoadEmbedded(node, "Font", *m_font);
  model::LoadEmbedded(node, "Frame", *m_frame);
  model::ReadColor(node, "BackgroundColor", m_backgroundColor);
}

void TLegend::SetDefaults() {
  TUpdateScope scope(*this);
  m_visible = false;
  m_position = lpTopRight;
  m_font->SetDefaults();
  m_frame->SetDefaults();
  m_backgroundColor = kDefaultBackground;
}

void TLegend::SaveToXML(pugi::xml_node node) const {
  model::WriteBool(node, "Visible", m_visible);
  model::WriteInteger(node, "Position", m_position);
  model::SaveEmbedded(node, "Font", *m_font);
  model::SaveEmbedded(node, "Frame", *m_frame);
  model::WriteColor(node, "BackgroundColor", m_backgroundColor);
}

#include "control/control_label.h"

#include <algorithm>

#include "model/embedded_part.h"
#include "model/property_io.h"

TControlLabel::TControlLabel() : m_font(std::make_unique<TGraphFont>()) {
  RouteChangesTo(*m_font, *this);
  SetDefaults();
}

void TControlLabel::SetCaption(const QString& caption) {
  if (caption == m_caption) return;
  TUpdateScope scope(*this);
  m_caption = caption;
}

void TControlLabel::SetVisible(bool visible) {
  if (visible == m_visible) return;
  TUpdateScope scope(*this);
  m_visible = visible;
}

void TControlLabel::SetHeight(int32_t height) {
  height = std::clamp(height, kMinHeight, kMaxHeight);
  if (height == m_height) return;
  TUpdateScope scope(*this);
  m_height = height;
}

void TControlLabel::Draw(TGraphics& g, uint32_t backgroundArgb) const {
  g.FillRectangle(geometry::MakeBrush(backgroundArgb), m_bounds);
  g.DrawStringCentered(m_caption, m_font->CreateFont(g), m_font->Brush(), QRectF(m_bounds));
}

void TControlLabel::LoadFromXML(pugi::xml_node node) {
  TUpdateScope scope(*this);
  model::ReadText(node, "Caption", m_caption);
  model::ReadInteger(node, "Height", m_height, kMinHeight, kMaxHeight);
  model::ReadBool(node, "Visible", m_visible);
  model::LoadEmbedded(node, "Font", *m_font);
}

void TControlLabel::SetDefaults() {
  TUpdateScope scope(*this);
  m_font->SetDefaults();
  m_caption.clear();
  m_visible = true;
  m_height = kDefaultHeight;
}

void TControlLabel::SaveToXML(pugi::xml_node node) const {
  model::WriteText(node, "Caption", m_caption);
  model::WriteInteger(node, "Height", m_height);
  model::WriteBool(node, "Visible", m_visible);
  model::SaveEmbedded(node, "Font", *m_font);
}

#include "model/annotation.h"

#include <cmath>

#include "model/embedded_part.h"
#include "model/property_io.h"
#include "model/ternary_lists.h"

namespace {

// Written like an item of a points series: "A;B;C".
std::string FormatPosition(const TTernaryPoint& p) {
  return model::FormatFloat(p.A) + ';' + model::FormatFloat(p.B) + ';' + model::FormatFloat(p.C);
}

}  // namespace

TAnnotation::TAnnotation() : m_font(std::make_unique<TGraphFont>()) {
  RouteChangesTo(*m_font, *this);
  SetDefaults();
}

void TAnnotation::SetText(const QString& text) {
  if (text == m_text) return;
  TUpdateScope scope(*this);
  m_text = text;
}

void TAnnotation::SetPosition(const TTernaryPoint& position) {
  if (position.A == m_position.A && position.B == m_position.B && position.C == m_position.C) return;
  TUpdateScope scope(*this);
  m_position = position;
}

void TAnnotation::SetAlignment(TTextAlignment alignment) {
  if (alignment == m_alignment || int(alignment) >= kTextAlignmentCount) return;
  TUpdateScope scope(*this);
  m_alignment = alignment;
}

void TAnnotation::SetAngle(float angle) {
  if (angle == m_angle || !std::isfinite(angle)) return;
  TUpdateScope scope(*this);
  m_angle = angle;
}

void TAnnotation::LoadFromXML(pugi::xml_node node) {
  TUpdateScope scope(*this);
  model::ReadText(node, "Text", m_text);
  if (const auto text = model::ChildText(node, "Position")) TTernaryPointList::ReadEntry(*text, m_position);
  model::LoadEmbedded(node, "Font", *m_font);
  int32_t alignment = m_alignment;
  if (model::ReadInteger(node, "Alignment", alignment, 0, kTextAlignmentCount - 1))
    m_alignment = TTextAlignment(alignment);
  model::ReadFloat(node, "Angle", m_angle);
}

void TAnnotation::SetDefaults() {
  TUpdateScope scope(*this);
  m_text.clear();
  m_position = {1.0 / 3, 1.0 / 3, 1.0 / 3};
  m_font->SetDefaults();
  m_alignment = taLeft;
  m_angle = 0.0f;
}

void TAnnotation::SaveToXML(pugi::xml_node node) const {
  model::WriteText(node, "Text", m_text);
  model::AppendTextElement(node, "Position", FormatPosition(m_position));
  model::SaveEmbedded(node, "Font", *m_font);
  model::WriteInteger(node, "Alignment", m_alignment);
  model::WriteFloat(node, "Angle", m_angle);
}

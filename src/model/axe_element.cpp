#include "model/axe_element.h"

#include <algorithm>

#include "model/embedded_part.h"
#include "model/property_io.h"

namespace model {

bool ReadAxePosition(pugi::xml_node node, const char* name, TAxePosition& field) {
  int32_t value = 0;
  if (!ReadInteger(node, name, value) || !IsAxePosition(value)) return false;
  field = TAxePosition(value);
  return true;
}

}  // namespace model

TAxeElement::TAxeElement() : m_style(std::make_unique<TGraphLineStyle>()) { RouteChangesTo(*m_style, *this); }

void TAxeElement::SetVisible(bool visible) {
  if (visible == m_visible) return;
  TUpdateScope scope(*this);
  m_visible = visible;
}

void TAxeElement::SetCount(int32_t count) {
  if (count == m_count) return;
  TUpdateScope scope(*this);
  m_count = count;
}

void TAxeElement::SetPosition(TAxePosition position) {
  if (position == m_position || !model::IsAxePosition(position)) return;
  TUpdateScope scope(*this);
  m_position = position;
}

int32_t TAxeElement::DrawnCount() const { return std::clamp(m_count, 0, kMaxGraduations); }

double TAxeElement::Step() const {
  const int32_t count = DrawnCount();
  return count >= 2 ? 1.0 / (count - 1) : 1.0;
}

void TAxeElement::LoadFromXML(pugi::xml_node node) {
  TUpdateScope scope(*this);
  model::ReadInteger(node, "Count", m_count);
  model::ReadAxePosition(node, "Position", m_position);
  model::LoadEmbedded(node, "Style", *m_style);
  model::ReadBool(node, "Visible", m_visible);
}

void TAxeElement::SetDefaults() {
  TUpdateScope scope(*this);
  m_count = 11;
  m_style->SetDefaults();
  m_visible = true;
}

void TAxeElement::SaveToXML(pugi::xml_node node) const {
  model::WriteInteger(node, "Count", m_count);
  model::WriteInteger(node, "Position", m_position);
  model::SaveEmbedded(node, "Style", *m_style);
  model::WriteBool(node, "Visible", m_visible);
}

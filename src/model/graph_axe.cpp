#include "model/graph_axe.h"

#include "geometry/device_conversions.h"
#include "model/axe_geometry.h"
#include "model/embedded_part.h"
#include "model/property_io.h"

namespace {

constexpr float kTitleFontSize = 12.0f;
constexpr uint32_t kAxeLineColor = 0xFF808080;

}  // namespace

TGraphAxe::TGraphAxe()
    : m_textLabel(std::make_unique<TGraphlabel>()),
      m_style(std::make_unique<TGraphLineStyle>()),
      m_gridLines(std::make_unique<TGridLines>()),
      m_ticks(std::make_unique<TTicks>()) {
  RouteChangesTo(*m_textLabel, *this);
  RouteChangesTo(*m_style, *this);
  RouteChangesTo(*m_gridLines, *this);
  RouteChangesTo(*m_ticks, *this);
  SetDefaults();
}

void TGraphAxe::SetVisible(bool visible) {
  if (visible == m_visible) return;
  TUpdateScope scope(*this);
  m_visible = visible;
}

void TGraphAxe::SetLabelSpacing(int32_t spacing) {
  if (spacing == m_labelSpacing) return;
  TUpdateScope scope(*this);
  m_labelSpacing = spacing;
}

void TGraphAxe::SetPosition(TAxePosition position) {
  if (position == m_position || !model::IsAxePosition(position)) return;
  TUpdateScope scope(*this);
  m_position = position;
  m_ticks->SetPosition(position);
  m_gridLines->SetPosition(position);
}

void TGraphAxe::Draw(TGraphics& g, const TProjection& projection) {
  if (!m_visible) return;
  // Grid lines lie under everything else of the axis.
  m_gridLines->Draw(g, projection);
  const model::TAxeSide& side = model::AxeSide(m_position);
  g.DrawLine(m_style->CreatePen(), projection.TernaryToWorld(side.Start, false),
             projection.TernaryToWorld(side.End, false));
  DrawTitle(g, projection);
  m_ticks->Draw(g, projection);
}

void TGraphAxe::DrawTitle(TGraphics& g, const TProjection& projection) {
  const TGraphFont& font = m_textLabel->Font();
  const QPointF start = projection.TernaryToWorld(model::AxeSide(m_position).Start, false);
  g.DrawString(m_textLabel->Text(), font.CreateFont(g), font.Brush(), TitleRect(g, start).topLeft());
}

QRectF TGraphAxe::TitleRect(TGraphics& g, const QPointF& start) const {
  const QSizeF size = g.MeasureString(m_textLabel->Text(), m_textLabel->Font().CreateFont(g));
  return {model::TitleCorner(m_position, start, size, m_labelSpacing), size};
}

TDoubleRect TGraphAxe::GetBounds(TGraphics& g, const TProjection& projection) {
  const model::TAxeSide& side = model::AxeSide(m_position);
  const TDoublePoint start = projection.TernaryToPlane(side.Start, false);
  const TDoublePoint end = projection.TernaryToPlane(side.End, false);
  TDoubleRect bounds = model::PlaneSpan({start, end});
  const QRectF title = TitleRect(g, projection.PlaneToWorld(start));
  bounds = geometry::UnionDoubleRect(bounds, geometry::WorldRectToPlaneRect(projection, title));
  bounds = geometry::UnionDoubleRect(bounds, m_ticks->GetBounds(g, projection));
  return geometry::UnionDoubleRect(bounds, m_gridLines->GetBounds(g, projection));
}

void TGraphAxe::LoadFromXML(pugi::xml_node node) {
  TUpdateScope scope(*this);
  model::LoadEmbedded(node, "GridLines", *m_gridLines);
  model::ReadInteger(node, "LabelSpacing", m_labelSpacing);
  model::ReadAxePosition(node, "Position", m_position);
  model::LoadEmbedded(node, "Style", *m_style);
  model::LoadEmbedded(node, "TextLabel", *m_textLabel);
  model::LoadEmbedded(node, "Ticks", *m_ticks);
  model::ReadBool(node, "Visible", m_visible);
}

void TGraphAxe::SetDefaults() {
  TUpdateScope scope(*this);
  m_textLabel->SetDefaults();
  m_textLabel->Font().SetSize(kTitleFontSize);
  m_textLabel->Font().SetStyles(FontStyleBit(fsBold));
  m_style->SetDefaults();
  m_style->SetColor(kAxeLineColor);
  m_gridLines->SetDefaults();
  m_ticks->SetDefaults();
  m_visible = true;
  m_labelSpacing = 8;
}

void TGraphAxe::SaveToXML(pugi::xml_node node) const {
  model::SaveEmbedded(node, "GridLines", *m_gridLines);
  model::WriteInteger(node, "LabelSpacing", m_labelSpacing);
  model::WriteInteger(node, "Position", m_position);
  model::SaveEmbedded(node, "Style", *m_style);
  model::SaveEmbedded(node, "TextLabel", *m_textLabel);
  model::SaveEmbedded(node, "Ticks", *m_ticks);
  model::WriteBool(node, "Visible", m_visible);
}

#include "model/ticks.h"

#include <cmath>

#include "geometry/device_conversions.h"
#include "model/axe_geometry.h"
#include "model/embedded_part.h"
#include "model/number_format.h"
#include "model/property_io.h"

TTicks::TTicks() : m_font(std::make_unique<TGraphFont>()) {
  RouteChangesTo(*m_font, *this);
  SetDefaults();
}

void TTicks::SetTickLength(int32_t length) {
  if (length == m_tickLength) return;
  TUpdateScope scope(*this);
  m_tickLength = length;
}

void TTicks::SetLabelSpacing(int32_t spacing) {
  if (spacing == m_labelSpacing) return;
  TUpdateScope scope(*this);
  m_labelSpacing = spacing;
}

void TTicks::SetLabelFormat(const QString& format) {
  if (format == m_labelFormat) return;
  TUpdateScope scope(*this);
  m_labelFormat = format;
}

QString TTicks::LabelText(double value, const QLocale& locale) const {
  return model::FormatValue(m_labelFormat, value, locale).trimmed();
}

std::vector<TTickMark> TTicks::Marks(const QLocale& locale) const {
  const model::TAxeSide& side = model::AxeSide(Position());
  const TTernaryPoint step = model::ScaleTernaryPoint(side.SideStep, Step());
  const int32_t count = DrawnCount();
  std::vector<TTickMark> marks;
  marks.reserve(size_t(count));
  TTernaryPoint current = side.Start;
  for (int32_t i = 0; i < count; ++i) {
    marks.push_back({current, LabelText(current[side.LabelledComponent], locale)});
    current = i + 2 == count ? side.End : geometry::AddTernaryPoints(current, step);
  }
  return marks;
}

std::optional<QPointF> TTicks::TickVector(const TProjection& projection) const {
  const model::TAxeSide& side = model::AxeSide(Position());
  const QPointF d = projection.TernaryToWorld(side.TickTo, false) - projection.TernaryToWorld(side.TickFrom, false);
  // The length is truncated to whole pixels, so a tick comes out a little
  // longer than TickLength.
  const double length = std::trunc(std::hypot(d.x(), d.y()));
  if (!(length >= 1.0) || !std::isfinite(length)) return std::nullopt;
  return d * (m_tickLength / length);
}

void TTicks::Draw(TGraphics& g, const TProjection& projection) {
  if (!Visible()) return;
  const std::optional<QPointF> tick = TickVector(projection);
  if (!tick) return;
  const QPen pen = Style().CreatePen();
  const QFont font = m_font->CreateFont(g);
  const QBrush brush = m_font->Brush();
  for (const TTickMark& mark : Marks()) {
    const QPointF from = projection.TernaryToWorld(mark.Point, false);
    const QPointF end = from + *tick;
    g.DrawLine(pen, from, end);
    const QSizeF size = g.MeasureString(mark.Text, font);
    g.DrawString(mark.Text, font, brush, model::TickLabelCorner(Position(), end, size, m_labelSpacing));
  }
}

TDoubleRect TTicks::GetBounds(TGraphics& g, const TProjection& projection) {
  const model::TAxeSide& side = model::AxeSide(Position());
  const TDoublePoint p = projection.TernaryToPlane(side.Start, false);
  const TDoublePoint q = projection.TernaryToPlane(side.End, false);
  const std::optional<QPointF> tick = TickVector(projection);
  if (!tick) return model::PlaneSpan({p, q});

  const TDoublePoint t = geometry::DeviceVectorToPlane(g, projection, *tick);
  TDoubleRect bounds = model::PlaneSpan({p, q, geometry::AddDoublePoints(p, t), geometry::AddDoublePoints(q, t)});
  const QFont font = m_font->CreateFont(g);
  for (const TTickMark& mark : Marks()) {
    const QPointF end = projection.TernaryToWorld(mark.Point, false) + *tick;
    const QSizeF size = g.MeasureString(mark.Text, font);
    const QRectF label(model::TickLabelCorner(Position(), end, size, m_labelSpacing), size);
    bounds = geometry::UnionDoubleRect(bounds, geometry::WorldRectToPlaneRect(projection, label));
  }
  return bounds;
}

void TTicks::LoadFromXML(pugi::xml_node node) {
  TUpdateScope scope(*this);
  TAxeElement::LoadFromXML(node);
  model::LoadEmbedded(node, "Font", *m_font);
  model::ReadText(node, "LabelFormat", m_labelFormat);
  model::ReadInteger(node, "LabelSpacing", m_labelSpacing);
  model::ReadInteger(node, "TickLength", m_tickLength);
}

void TTicks::SetDefaults() {
  TUpdateScope scope(*this);
  TAxeElement::SetDefaults();
  m_font->SetDefaults();
  m_labelSpacing = 4;
  m_tickLength = 5;
  m_labelFormat = QStringLiteral("%6.3g");
}

void TTicks::SaveToXML(pugi::xml_node node) const {
  TAxeElement::SaveToXML(node);
  model::SaveEmbedded(node, "Font", *m_font);
  model::WriteText(node, "LabelFormat", m_labelFormat);
  model::WriteInteger(node, "LabelSpacing", m_labelSpacing);
  model::WriteInteger(node, "TickLength", m_tickLength);
}

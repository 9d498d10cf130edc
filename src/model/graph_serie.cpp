#include "model/graph_serie.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "model/default_fragment.h"
#include "model/embedded_part.h"
#include "model/number_format.h"
#include "model/property_io.h"

TGraphSerie::TGraphSerie()
    : m_lineStyle(std::make_unique<TLineStyle>()),
      m_pointStyle(std::make_unique<TPointStyle>()),
      m_name(QStringLiteral("Unnamed")),
      m_nameFont(std::make_unique<TGraphFont>()) {
  m_lineStyle->OnChange = [this](TGraphElement*) { StyleChanged(); };
  m_pointStyle->OnChange = [this](TGraphElement*) { StyleChanged(); };
  RouteChangesTo(*m_nameFont, *this);
  TGraphSerie::SetDefaults();
}

void TGraphSerie::SetName(const QString& name) {
  if (name == m_name) return;
  TUpdateScope scope(*this);
  m_name = name;
}

void TGraphSerie::SetVisible(bool visible) {
  if (visible == m_visible) return;
  TUpdateScope scope(*this);
  m_visible = visible;
}

void TGraphSerie::SetFrequency(int32_t frequency) {
  if (frequency == m_frequency) return;
  m_frequency = std::max(frequency, 1);
}

void TGraphSerie::SetNameVisible(bool visible) {
  if (visible == m_nameVisible) return;
  TUpdateScope scope(*this);
  m_nameVisible = visible;
}

void TGraphSerie::Refresh() { TUpdateScope scope(*this); }

void TGraphSerie::StyleChanged() { TUpdateScope scope(*this); }

void TGraphSerie::GetText(QString& text, const model::TProgress& /*progress*/) const { text = m_name; }

bool TGraphSerie::IsDrawable(int itemCount) const {
  return itemCount > 0 && m_visible && (m_pointStyle->Visible() || m_lineStyle->Visible());
}

void TGraphSerie::AppendTextLine(QString& text, const double* values, int count) {
  QString line;
  for (int i = 0; i < count; ++i) {
    if (i > 0) line += QLatin1Char('\t');
    line += model::FormatGeneral(values[i]);
  }
  if (!text.isEmpty()) text += QLatin1String("\r\n");
  text += line;
}

void TGraphSerie::ReportTextProgress(const model::TProgress& progress, int item, int itemCount) {
  // A report costs a call through std::function; a block is a few milliseconds of text.
  constexpr int kItemsPerReport = 1 << 16;
  if (item % kItemsPerReport == 0) progress.Report(double(item) / itemCount);
}

void TGraphSerie::DrawSampleMarker(TGraphics& g, int height) {
  TPointStyle& style = *m_pointStyle;
  if (!style.Visible()) return;
  // A picture lower than 7 pixels has no room for a marker.
  const int32_t limit = height - 6;
  if (limit < 1) return;
  TUpdateScope scope(style, true);
  const int32_t size = style.Size();
  if (size > limit) style.SetSize(limit);
  style.DrawMarker(g, QPointF(height / 2.0, height / 2.0));
  style.SetSize(size);
}

void TGraphSerie::DrawSampleLineWithLimitedWidth(TGraphics& g, int width, int height) {
  TLineStyle& style = *m_lineStyle;
  const float limit = std::max(float(height) / 2.0f, 1.0f);
  TUpdateScope scope(style, true);
  const float lineWidth = style.Width();
  if (lineWidth > limit) {
    style.SetWidth(limit);
    style.RebuildPen();
  }
  DrawSampleLine(g, width, height);
  style.SetWidth(lineWidth);
  style.RebuildPen();
}

void TGraphSerie::DrawSample(QImage& bitmap) {
  if (bitmap.isNull()) return;
  QPainter painter(&bitmap);
  TGraphics g(painter);
  DrawSampleMarker(g, bitmap.height());
  if (m_lineStyle->Visible()) DrawSampleLineWithLimitedWidth(g, bitmap.width(), bitmap.height());
}

void TGraphSerie::LoadFromXML(pugi::xml_node node) {
  TUpdateScope scope(*this);
  model::LoadEmbedded(node, "LineStyle", *m_lineStyle);
  model::ReadText(node, "Name", m_name);
  model::LoadEmbedded(node, "PointStyle", *m_pointStyle);
  model::ReadBool(node, "Removeable", m_removeable);
  model::ReadText(node, "Tag", m_tag);
  model::ReadBool(node, "Visible", m_visible);
  int32_t frequency = m_frequency;
  if (model::ReadInteger(node, "Frequency", frequency)) SetFrequency(frequency);
  model::ReadBool(node, "NameVisible", m_nameVisible);
  model::LoadEmbedded(node, "NameFont", *m_nameFont);
}

void TGraphSerie::SetDefaults() {
  TUpdateScope scope(*this);
  m_pointStyle->SetDefaults();
  m_lineStyle->SetDefaults();
  m_visible = true;
  m_frequency = 1;
  m_nameVisible = false;
  m_nameFont->SetDefaults();
}

void TGraphSerie::SaveToXML(pugi::xml_node node) const {
  model::SaveEmbedded(node, "LineStyle", *m_lineStyle);
  model::WriteText(node, "Name", m_name);
  model::SaveEmbedded(node, "PointStyle", *m_pointStyle);
  model::WriteBool(node, "Removeable", m_removeable);
  model::WriteText(node, "Tag", m_tag);
  model::WriteBool(node, "Visible", m_visible);
  model::WriteInteger(node, "Frequency", m_frequency);
  // Written only when used, so that older documents save unchanged.
  if (m_nameVisible) model::WriteBool(node, "NameVisible", m_nameVisible);
  if (!model::SavesAsDefault(*m_nameFont)) model::SaveEmbedded(node, "NameFont", *m_nameFont);
}

TGraphSerie::TBoundsBuilder::TBoundsBuilder(const TGraphSerie& serie, const TProjection& projection)
    : m_projection(projection) {
  const TPointStyle& style = serie.PointStyle();
  const double half = style.Visible() ? style.Size() / 2.0 : 0.5;
  m_halfExtent = projection.WorldToPlaneVector(QPointF(half, half));
}

void TGraphSerie::TBoundsBuilder::Add(const TTernaryPoint& point) {
  const TDoublePoint p = m_projection.TernaryToPlane(point, true);
  if (m_empty) {
    m_span = {p.X, p.Y, p.X, p.Y};
    m_empty = false;
    return;
  }
  m_span.Left = std::min(m_span.Left, p.X);
  m_span.Right = std::max(m_span.Right, p.X);
  m_span.Top = std::max(m_span.Top, p.Y);
  m_span.Bottom = std::min(m_span.Bottom, p.Y);
}

TDoubleRect TGraphSerie::TBoundsBuilder::Result() const {
  if (m_empty) return {};
  const double dx = m_halfExtent.X;
  const double h = std::abs(m_halfExtent.Y);
  return {m_span.Left - dx, m_span.Top + h, m_span.Right + dx, m_span.Bottom - h};
}

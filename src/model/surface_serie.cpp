#include "model/surface_serie.h"

#include <QPainter>

#include "model/property_io.h"

TSurfaceSerie::TSurfaceSerie() { TSurfaceSerie::SetDefaults(); }

void TSurfaceSerie::DrawSample(QImage& bitmap) {
  if (bitmap.isNull()) return;
  {
    QPainter painter(&bitmap);
    TGraphics g(painter);
    const int h = bitmap.height();
    g.FillRectangle(geometry::MakeBrush(FillArgb()), QRect(0, 0, h, h));
  }
  TPointsSerie::DrawSample(bitmap);
}

void TSurfaceSerie::DrawWithProgress(TGraphics& g, const TProjection& projection, const model::TProgress& progress) {
  if (!IsDrawable(Items().Count())) return;
  const std::vector<QPointF>& points = SamplePoints(projection);
  g.FillPolygon(geometry::MakeBrush(FillArgb()), points.data(), int(points.size()));
  DrawSampled(g, points, progress);
}

float TSurfaceSerie::ArrowScale() const { return LineStyle().Width() / 2.0f; }

void TSurfaceSerie::LoadWithItems(pugi::xml_node node, model::TPrereadEntries* preread) {
  TUpdateScope scope(*this);
  TPointsSerie::LoadWithItems(node, preread);
  model::ReadByte(node, "AlphaBlending", m_alphaBlending);
  model::ReadColor(node, "FillColor", m_fillColor);
}

void TSurfaceSerie::SetDefaults() {
  TUpdateScope scope(*this);
  TPointsSerie::SetDefaults();
  m_alphaBlending = 128;
  m_fillColor = 0xFFFFFF00;
}

void TSurfaceSerie::SaveStyleToXML(pugi::xml_node node) const {
  TPointsSerie::SaveStyleToXML(node);
  model::WriteInteger(node, "AlphaBlending", m_alphaBlending);
  model::WriteColor(node, "FillColor", m_fillColor);
}

void TSurfaceSerie::SaveWithItems(pugi::xml_node node, model::TStreamedChildren* streamed) const {
  TPointsSerie::SaveWithItems(node, streamed);
  model::WriteInteger(node, "AlphaBlending", m_alphaBlending);
  model::WriteColor(node, "FillColor", m_fillColor);
}

#include "model/points_serie.h"

#include <QPainter>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>

#include "geometry/convex_hull.h"
#include "model/embedded_part.h"
#include "model/number_format.h"
#include "model/property_io.h"

namespace {

// Points left to sort for the outline of a series; data that leaves more,
// such as points on a circle, goes without.
constexpr size_t kMostOutlineCorners = 65536;
// The polyline is drawn in one piece: pieces would change its joins and
// dashes. It takes about as long as the markers on a vector device.
constexpr double kPolylineShare = 0.5;

}  // namespace

TPointsSerie::TPointsSerie()
    : m_items(std::make_unique<TTernaryPointList>()), m_colorScale(std::make_unique<TColorScale>()) {
  m_colorScale->OnChange = [this](TGraphElement*) { StyleChanged(); };
  TPointsSerie::SetDefaults();
}

void TPointsSerie::SetDrawArrow(bool drawArrow) {
  if (drawArrow == m_drawArrow) return;
  TUpdateScope scope(*this);
  m_drawArrow = drawArrow;
}

int TPointsSerie::HitTest(const TTernaryPoint& point, TTernaryPoint& found, double tolerance) const {
  const TTernaryPoint* items = m_items->Data();
  const int index = m_hitIndex.FindLast(items, m_items->Count(), m_items->Version(), THitBox(point, tolerance));
  if (index >= 0) found = items[index];
  return index;
}

void TPointsSerie::GetText(QString& text, const model::TProgress& progress) const {
  TGraphSerie::GetText(text, progress);
  const TTernaryPoint* items = m_items->Data();
  // A series with values gives each line a fourth field, empty for an item without one.
  const double* pointValues = m_items->Values();
  for (int i = 0; i < m_items->Count(); ++i) {
    ReportTextProgress(progress, i, m_items->Count());
    const double values[] = {items[i].A, items[i].B, items[i].C};
    AppendTextLine(text, values, 3);
    if (!pointValues) continue;
    text += QLatin1Char('\t');
    if (!std::isnan(pointValues[i])) text += model::FormatGeneral(pointValues[i]);
  }
}

void TPointsSerie::DrawSampleLine(TGraphics& g, int w, int h) {
  const double y = h / 2.0;
  const int a = w - h - 4;
  if (a <= 2) {
    LineStyle().DrawSegment(g, QPointF(h + 2, y), QPointF(w - 2, y), 1, 0);
    return;
  }
  const int n = a / 2;
  for (int j = 0; j < n; ++j) LineStyle().DrawSegment(g, QPointF(h + 2 + 2 * j, y), QPointF(h + 4 + 2 * j, y), n, j);
}

const std::vector<QPointF>& TPointsSerie::SamplePoints(const TProjection& projection) const {
  const int count = m_items->Count();
  const int step = Frequency();
  std::vector<QPointF>& points = m_drawPoints;
  points.resize(count > 0 ? size_t((count - 1) / step + 1) : 0);
  projection.TernaryToWorld(m_items->Data(), points.size(), size_t(step), true, points.data());
  m_sampledComponents = {projection.AxisIndex(1), projection.AxisIndex(2)};
  return points;
}

std::vector<QPointF> TPointsSerie::SampledOutline(const std::vector<QPointF>& points) const {
  TSampledOutline& o = m_outline;
  if (o.data != m_items->Data() || o.count != m_items->Count() || o.version != m_items->Version() ||
      o.step != Frequency() || o.components != m_sampledComponents) {
    o = {m_items->Data(), m_items->Count(), m_items->Version(), Frequency(), m_sampledComponents, {}};
    o.corners = geometry::ConvexHullIndices(points.data(), int(points.size()), kMostOutlineCorners);
  }
  std::vector<QPointF> outline;
  for (const int corner : o.corners) outline.push_back(points[size_t(corner)]);
  return outline;
}

void TPointsSerie::Draw(TGraphics& g, const TProjection& projection) { DrawWithProgress(g, projection, {}); }

void TPointsSerie::DrawWithProgress(TGraphics& g, const TProjection& projection, const model::TProgress& progress) {
  if (!IsDrawable(m_items->Count())) return;
  DrawSampled(g, SamplePoints(projection), progress);
}

void TPointsSerie::DrawSampled(TGraphics& g, const std::vector<QPointF>& points, const model::TProgress& progress) {
  const int k = int(points.size());
  if (ColorsByValue()) return DrawColoredByValue(g, points, progress);
  // Opaque markers hide the polyline beneath them. Drawn first, they leave
  // the polyline only the pixels between them to write.
  if (!m_drawArrow && PointStyle().StampsOpaquely(g) && LineStyle().DrawsDirectly(g, k)) {
    if (const TGraphics::TTopDown topDown(g, SampledOutline(points)); topDown) {
      PointStyle().DrawMarkers(g, points.data(), k, progress.Part(0, 1 - kPolylineShare));
      LineStyle().DrawPolyline(g, points.data(), k);
      return;
    }
  }
  DrawLineAndArrow(g, points);
  progress.Report(kPolylineShare);
  PointStyle().DrawMarkers(g, points.data(), k, progress.Part(kPolylineShare, 1));
}

// As DrawSampled, with opaque markers drawn from the top down whatever
// their line, the polyline beneath them when it is written directly.
void TPointsSerie::DrawColoredByValue(TGraphics& g, const std::vector<QPointF>& points,
                                      const model::TProgress& progress) {
  const int k = int(points.size());
  const bool opaque = model::TValueColoredMarkers::StampsOpaquely(g, PointStyle(), *m_colorScale);
  const bool lineBeneath = opaque && !m_drawArrow && LineStyle().DrawsDirectly(g, k);
  std::optional<TGraphics::TTopDown> topDown;
  if (lineBeneath) topDown.emplace(g, SampledOutline(points));
  // The polyline goes first unless the cover takes it beneath the markers;
  // drawn under a cover it would lie over them.
  if (!(topDown && *topDown)) DrawLineAndArrow(g, points);
  progress.Report(kPolylineShare);
  if (opaque && !topDown) topDown.emplace(g);
  const bool markersTopDown = topDown && *topDown;
  m_coloredMarkers.Draw(g, PointStyle(), *m_colorScale, points.data(), k, m_items->Values(), m_items->Count(),
                        m_items->Version(), Frequency(), markersTopDown);
  if (lineBeneath && markersTopDown) LineStyle().DrawPolyline(g, points.data(), k);
}

void TPointsSerie::DrawLineAndArrow(TGraphics& g, const std::vector<QPointF>& points) const {
  const int k = int(points.size());
  LineStyle().DrawPolyline(g, points.data(), k);
  if (m_drawArrow && k >= 2) {
    const int m = (k - 1) / 2;
    DrawArrowHead(g, points[size_t(m)], points[size_t(m) + 1]);
  }
}

float TPointsSerie::ArrowScale() const { return LineStyle().Width(); }

void TPointsSerie::DrawArrowHead(TGraphics& g, const QPointF& from, const QPointF& to) const {
  // Tip on the positive x axis, turned onto the segment about its middle.
  static constexpr std::array<QPointF, 3> kTemplate{QPointF(-4, -3), QPointF(4, 0), QPointF(-4, 3)};
  double angle = 0.0;
  if (from.y() != to.y())
    angle = std::atan2(to.y() - from.y(), to.x() - from.x());
  else if (!(to.x() > from.x()))
    angle = -std::numbers::pi;
  const double cosine = std::cos(angle);
  const double sine = std::sin(angle);
  const QPointF centre(from.x() + (to.x() - from.x()) / 2, from.y() + (to.y() - from.y()) / 2);
  const double scale = ArrowScale();
  std::array<QPointF, 3> head;
  for (size_t i = 0; i < head.size(); ++i) {
    const double x = kTemplate[i].x() * scale;
    const double y = kTemplate[i].y() * scale;
    head[i] = geometry::MakePointF(centre.x() + x * cosine - y * sine, centre.y() + x * sine + y * cosine);
  }
  // The start colour, also in gradient mode.
  g.FillPolygon(geometry::MakeBrush(LineStyle().Color()), head.data(), int(head.size()));
}

TDoubleRect TPointsSerie::GetBounds(TGraphics&, const TProjection& projection) {
  if (!IsDrawable(m_items->Count())) return {};
  TBoundsBuilder bounds(*this, projection);
  const TTernaryPoint* items = m_items->Data();
  for (int i = 0; i < m_items->Count(); ++i) bounds.Add(items[i]);
  return bounds.Result();
}

void TPointsSerie::LoadFromXML(pugi::xml_node node) { LoadWithItems(node, nullptr); }

void TPointsSerie::LoadWithItems(pugi::xml_node node, model::TPrereadEntries* preread) {
  TUpdateScope scope(*this);
  TGraphSerie::LoadFromXML(node);
  model::ReadBool(node, "DrawArrow", m_drawArrow);
  model::LoadEmbedded(node, "ColorScale", *m_colorScale);
  if (const pugi::xml_node items = model::FirstChildElement(node, "Items")) m_items->LoadFromXML(items, preread);
  if (const pugi::xml_node values = model::FirstChildElement(node, "Values"))
    m_items->LoadValuesFromXML(values, preread);
}

void TPointsSerie::SetDefaults() {
  TUpdateScope scope(*this);
  TGraphSerie::SetDefaults();
  if (m_items) m_items->Clear();
  if (m_colorScale) m_colorScale->SetDefaults();
  m_drawArrow = false;
}

void TPointsSerie::SaveStyleToXML(pugi::xml_node node) const {
  TGraphSerie::SaveToXML(node);
  model::WriteBool(node, "DrawArrow", m_drawArrow);
  // Always: loading the fragment back must also undo a scale made visible.
  model::SaveEmbedded(node, "ColorScale", *m_colorScale);
}

void TPointsSerie::SaveToXML(pugi::xml_node node) const { SaveWithItems(node, nullptr); }

void TPointsSerie::SaveWithItems(pugi::xml_node node, model::TStreamedChildren* streamed) const {
  TGraphSerie::SaveToXML(node);
  model::WriteBool(node, "DrawArrow", m_drawArrow);
  // Only when set: a document that does not use it saves as before.
  if (!m_colorScale->IsDefault()) model::SaveEmbedded(node, "ColorScale", *m_colorScale);
  m_items->SaveToXML(model::AppendElement(node, "Items"), streamed);
  if (m_items->HasValues()) m_items->SaveValuesToXML(model::AppendElement(node, "Values"), streamed);
}

#include "model/serie_label.h"

#include <cmath>
#include <vector>

#include "geometry/label_point.h"
#include "model/lines_serie.h"
#include "model/surface_serie.h"
#include "model/text_block.h"

namespace model {
namespace {

// World units (pixels at the reference resolution) between a name and the
// marker or line it belongs to.
constexpr double kNameGap = 3.0;
// How closely the label point is searched for, in world units.
constexpr double kLabelPrecision = 0.5;

bool PolygonContains(const std::vector<TDoublePoint>& polygon, const QPointF& p) {
  bool inside = false;
  for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const TDoublePoint a = polygon[i], b = polygon[j];
    if ((a.Y > p.y()) != (b.Y > p.y()) && p.x() < (b.X - a.X) * (p.y() - a.Y) / (b.Y - a.Y) + a.X) inside = !inside;
  }
  return inside;
}

// The name's box must lie inside the field: its corners and the middles of
// its sides are checked, enough for the boxes of names and convex-ish fields.
bool BoxInside(const std::vector<TDoublePoint>& polygon, const QRectF& box) {
  for (const double fx : {0.0, 0.5, 1.0})
    for (const double fy : {0.0, 0.5, 1.0})
      if (!PolygonContains(polygon, QPointF(box.left() + fx * box.width(), box.top() + fy * box.height())))
        return false;
  return true;
}

std::optional<TSerieNamePlace> SurfacePlace(TGraphics& g, const TProjection& projection, const TSurfaceSerie& serie) {
  const TTernaryPointList& items = serie.Items();
  if (items.Count() < 3) return std::nullopt;
  std::vector<TDoublePoint> polygon(size_t(items.Count()));
  for (int32_t i = 0; i < items.Count(); ++i) {
    const QPointF w = projection.TernaryToWorld(items.Data()[i], true);
    polygon[size_t(i)] = {w.x(), w.y()};
  }
  const geometry::TLabelPoint label = geometry::FindLabelPoint(polygon, kLabelPrecision);
  const QPointF anchor(label.Point.X, label.Point.Y);
  const QRectF box = TextBlockRect(g, {serie.Name(), taCenter, 0.0f}, serie.NameFont(), anchor);
  if (label.Distance <= 0 || !BoxInside(polygon, box)) return std::nullopt;
  return TSerieNamePlace{anchor, taCenter};
}

std::optional<TSerieNamePlace> LinesPlace(TGraphics& g, const TProjection& projection, const TLinesSerie& serie) {
  if (serie.Items().Count() < 1) return std::nullopt;
  const TTernaryCouple& first = serie.Items().Data()[0];
  const QPointF p = projection.TernaryToWorld(first.P1, true);
  const QPointF q = projection.TernaryToWorld(first.P2, true);
  const QRectF box = TextBlockRect(g, {serie.Name(), taCenter, 0.0f}, serie.NameFont(), QPointF());
  if (std::hypot(q.x() - p.x(), q.y() - p.y()) < box.width()) return std::nullopt;
  // Above the line's middle, so that the line does not strike the name through.
  const QPointF middle = (p + q) / 2;
  return TSerieNamePlace{middle - QPointF(0, box.height() / 2 + kNameGap), taCenter};
}

std::optional<TSerieNamePlace> PointsPlace(const TProjection& projection, const TPointsSerie& serie) {
  const TTernaryPointList& items = serie.Items();
  if (items.Count() < 1) return std::nullopt;
  const QPointF last = projection.TernaryToWorld(items.Data()[items.Count() - 1], true);
  const double half = serie.PointStyle().Visible() ? serie.PointStyle().Size() / 2.0 : 0.0;
  return TSerieNamePlace{last + QPointF(half + kNameGap, 0), taLeft};
}

}  // namespace

std::optional<TSerieNamePlace> SerieNamePlace(TGraphics& g, const TProjection& projection, const TGraphSerie& serie) {
  if (!serie.Visible() || !serie.NameVisible() || serie.Name().isEmpty()) return std::nullopt;
  if (const auto* surface = dynamic_cast<const TSurfaceSerie*>(&serie)) return SurfacePlace(g, projection, *surface);
  if (const auto* lines = dynamic_cast<const TLinesSerie*>(&serie)) return LinesPlace(g, projection, *lines);
  if (const auto* points = dynamic_cast<const TPointsSerie*>(&serie)) return PointsPlace(projection, *points);
  return std::nullopt;
}

void DrawSerieName(TGraphics& g, const TProjection& projection, const TGraphSerie& serie) {
  if (const auto place = SerieNamePlace(g, projection, serie))
    DrawTextBlock(g, {serie.Name(), place->Alignment, 0.0f}, serie.NameFont(), place->Anchor);
}

}  // namespace model

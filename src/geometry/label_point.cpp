// Label point of a polygon by quad-tree refinement:
//  1. Cover the polygon's bounding box with square cells of the box's
//     shorter side.
//  2. Keep the cells in a queue ordered by the best distance a point of the
//     cell could reach: the distance of its centre plus its half diagonal.
//  3. Take the most promising cell; if its centre beats the best point so
//     far, it becomes the best. If the cell cannot beat the best by more than
//     the precision, drop it; else split it into four and queue them.
// Distances are signed: positive inside the polygon, negative outside, so a
// cell outside never wins. The edges are bucketed by rows of the box, which
// lets a distance stop scanning rows once they are farther than the nearest
// edge found.
#include "geometry/label_point.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>
#include <queue>
#include <vector>

namespace geometry {
namespace {

constexpr double kSqrt2 = 1.4142135623730951;

struct TEdge {
  TDoublePoint P, Q;
};

double SegmentDistanceSquared(TDoublePoint p, const TEdge& e) {
  double x = e.P.X, y = e.P.Y;
  const double dx = e.Q.X - x, dy = e.Q.Y - y;
  if (dx != 0 || dy != 0) {
    const double t = ((p.X - x) * dx + (p.Y - y) * dy) / (dx * dx + dy * dy);
    if (t > 1) {
      x = e.Q.X;
      y = e.Q.Y;
    } else if (t > 0) {
      x += dx * t;
      y += dy * t;
    }
  }
  return (p.X - x) * (p.X - x) + (p.Y - y) * (p.Y - y);
}

// The edges sorted into horizontal bands; an edge is listed in every band its
// vertical extent meets. Inside/outside is counted over the edges of the
// point's band only, since only those can cross its horizontal ray.
class TEdgeBands {
 public:
  TEdgeBands(std::span<const TDoublePoint> polygon, double bottom, double height) : m_bottom(bottom) {
    const size_t n = polygon.size();
    const size_t count = std::clamp<size_t>(size_t(std::sqrt(double(n))), 1, 1024);
    m_bandHeight = height / double(count);
    m_bands.resize(count);
    for (size_t i = 0; i < n; ++i) {
      const TEdge edge{polygon[i], polygon[(i + 1) % n]};
      const size_t first = Band(std::min(edge.P.Y, edge.Q.Y));
      const size_t last = Band(std::max(edge.P.Y, edge.Q.Y));
      for (size_t b = first; b <= last; ++b) m_bands[b].push_back(edge);
    }
  }

  // Positive inside, negative outside.
  double SignedDistance(TDoublePoint p) const {
    const size_t home = Band(p.Y);
    bool inside = false;
    for (const TEdge& e : m_bands[home])
      if ((e.P.Y > p.Y) != (e.Q.Y > p.Y) && p.X < (e.Q.X - e.P.X) * (p.Y - e.P.Y) / (e.Q.Y - e.P.Y) + e.P.X)
        inside = !inside;
    double best = std::numeric_limits<double>::infinity();
    // Bands outward from the point's own; a band whose nearest edge of height
    // is already farther than the best distance ends the search that way.
    for (size_t step = 0;; ++step) {
      bool any = false;
      for (const int sign : {-1, 1}) {
        if (step == 0 && sign == 1) continue;
        const std::ptrdiff_t b = std::ptrdiff_t(home) + sign * std::ptrdiff_t(step);
        if (b < 0 || b >= std::ptrdiff_t(m_bands.size())) continue;
        const double gap = step == 0 ? 0.0 : (double(step) - 1.0) * m_bandHeight;
        if (gap * gap > best) continue;
        any = true;
        for (const TEdge& e : m_bands[size_t(b)]) best = std::min(best, SegmentDistanceSquared(p, e));
      }
      if (!any && step > 0) break;
    }
    return (inside ? 1 : -1) * std::sqrt(best);
  }

 private:
  size_t Band(double y) const {
    const double index = std::floor((y - m_bottom) / m_bandHeight);
    return size_t(std::clamp(index, 0.0, double(m_bands.size() - 1)));
  }

  double m_bottom;
  double m_bandHeight;
  std::vector<std::vector<TEdge>> m_bands;
};

struct TCell {
  TDoublePoint Centre;
  double Half;      // half the side
  double Distance;  // of the centre
  double Potential() const { return Distance + Half * kSqrt2; }
  friend bool operator<(const TCell& a, const TCell& b) { return a.Potential() < b.Potential(); }
};

TDoublePoint Centroid(std::span<const TDoublePoint> polygon, double& area) {
  double x = 0, y = 0;
  area = 0;
  for (size_t i = 0, n = polygon.size(); i < n; ++i) {
    const TDoublePoint a = polygon[i], b = polygon[(i + 1) % n];
    const double f = a.X * b.Y - b.X * a.Y;
    x += (a.X + b.X) * f;
    y += (a.Y + b.Y) * f;
    area += f * 3;
  }
  return area == 0 ? polygon[0] : TDoublePoint{x / area, y / area};
}

}  // namespace

TLabelPoint FindLabelPoint(std::span<const TDoublePoint> polygon, double precision) {
  assert(precision > 0);
  if (polygon.empty()) return {};
  double left = polygon[0].X, right = left, bottom = polygon[0].Y, top = bottom;
  for (const TDoublePoint& p : polygon) {
    left = std::min(left, p.X);
    right = std::max(right, p.X);
    bottom = std::min(bottom, p.Y);
    top = std::max(top, p.Y);
  }
  const double side = std::min(right - left, top - bottom);
  double area = 0;
  const TDoublePoint centroid = Centroid(polygon, area);
  if (polygon.size() < 3 || !(side > 0) || area == 0 || !std::isfinite(area)) return {polygon[0], 0.0};

  // 1. The first cells.
  const TEdgeBands bands(polygon, bottom, top - bottom);
  auto makeCell = [&](double x, double y, double half) { return TCell{{x, y}, half, bands.SignedDistance({x, y})}; };
  std::priority_queue<TCell> queue;
  const double half = side / 2;
  for (double x = left; x < right; x += side)
    for (double y = bottom; y < top; y += side) queue.push(makeCell(x + half, y + half, half));

  // The centroid is often close to the answer, which prunes cells early.
  TCell best = makeCell(centroid.X, centroid.Y, 0);
  // 2-3. Refinement.
  while (!queue.empty()) {
    const TCell cell = queue.top();
    queue.pop();
    if (cell.Distance > best.Distance) best = cell;
    if (cell.Potential() - best.Distance <= precision) continue;
    const double h = cell.Half / 2;
    for (const double dx : {-h, h})
      for (const double dy : {-h, h}) queue.push(makeCell(cell.Centre.X + dx, cell.Centre.Y + dy, h));
  }
  return {best.Centre, std::max(best.Distance, 0.0)};
}

}  // namespace geometry

#include "geometry/raster_complete_core.h"

#include <cmath>

namespace geometry::raster {

std::vector<THullPoint> TCompleteCore::TileCentres(const TDepthRows& depthRows, size_t d, int columns, int rows,
                                                   int tile) {
  // Tiles along the grid's edge stand for the complete nothing beyond.
  auto at = [&](int index, int count) {
    return index == 0 ? -kBeyond : index == count - 1 ? count * tile + kBeyond : (index + 0.5) * tile;
  };
  std::vector<TPoint> centres;
  for (int row = 0; row < rows; ++row) {
    const int first = depthRows.firsts[size_t(row) * kDepthCount + d];
    const int last = depthRows.lasts[size_t(row) * kDepthCount + d];
    if (first < 0) continue;
    centres.push_back({at(first, columns), at(row, rows)});
    if (last != first) centres.push_back({at(last, columns), at(row, rows)});
  }
  return centres;
}

std::vector<THullPoint> TCompleteCore::Inwards(const std::vector<TPoint>& polygon, double distance) {
  if (distance == 0 || polygon.size() < 3) return polygon;
  const size_t n = polygon.size();
  TPoint centre{0, 0};
  for (const TPoint& p : polygon) centre.x += p.x / double(n), centre.y += p.y / double(n);
  // Edge k: a * x + b * y = c, (a, b) of unit length towards the inside.
  std::vector<double> a(n), b(n), c(n);
  for (size_t k = 0; k < n; ++k) {
    const TPoint& u = polygon[k];
    const TPoint& v = polygon[(k + 1) % n];
    const double length = std::hypot(v.x - u.x, v.y - u.y);
    a[k] = (u.y - v.y) / length;
    b[k] = (v.x - u.x) / length;
    if (a[k] * (centre.x - u.x) + b[k] * (centre.y - u.y) < 0) a[k] = -a[k], b[k] = -b[k];
    c[k] = a[k] * u.x + b[k] * u.y + distance;
  }
  std::vector<TPoint> moved;
  for (size_t k = 0; k < n; ++k) {
    const size_t previous = (k + n - 1) % n;
    const double determinant = a[previous] * b[k] - a[k] * b[previous];
    if (std::abs(determinant) < 1e-9) continue;  // parallel edges meet nowhere useful
    moved.push_back({(c[previous] * b[k] - c[k] * b[previous]) / determinant,
                     (a[previous] * c[k] - a[k] * c[previous]) / determinant});
  }
  return moved;
}

std::vector<THullPoint> TCompleteCore::FewCorners(const std::vector<TPoint>& hull) {
  if (hull.size() <= size_t(kMaxEdges)) return hull;
  std::vector<char> kept(hull.size(), 0);
  for (int k = 0; k < kMaxEdges; ++k) {
    const double angle = 2 * 3.14159265358979323846 * k / kMaxEdges;
    const double dx = std::cos(angle), dy = std::sin(angle);
    size_t best = 0;
    for (size_t i = 1; i < hull.size(); ++i)
      if (hull[i].x * dx + hull[i].y * dy > hull[best].x * dx + hull[best].y * dy) best = i;
    kept[best] = 1;
  }
  std::vector<TPoint> corners;
  for (size_t i = 0; i < hull.size(); ++i)
    if (kept[i]) corners.push_back(hull[i]);
  return corners;
}

// The polygon's extent across the row, widened by the margin, gives the
// tiles to look at.
std::pair<int, int> TCompleteCore::ColumnsNear(const std::vector<TPoint>& polygon, int row, int columns, int tile) {
  const double low = row * tile - kMargin, high = (row + 1) * tile + kMargin;
  double left = std::numeric_limits<double>::infinity(), right = -left;
  for (size_t i = 0; i < polygon.size(); ++i) {
    const TPoint& u = polygon[i];
    const TPoint& v = polygon[(i + 1) % polygon.size()];
    if (std::max(u.y, v.y) < low || std::min(u.y, v.y) > high) continue;
    double t0 = 0, t1 = 1;
    if (u.y != v.y) {
      const double a = (low - u.y) / (v.y - u.y), b = (high - u.y) / (v.y - u.y);
      t0 = std::max(0.0, std::min(a, b));
      t1 = std::min(1.0, std::max(a, b));
    }
    for (const double t : {t0, t1}) {
      const double x = u.x + t * (v.x - u.x);
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  if (left > right) return {0, -1};
  return {std::max(FastFloor<int>((left - kMargin) / tile), 0),
          std::min(FastFloor<int>((right + kMargin) / tile), columns - 1)};
}

// From the row's top to its bottom: the left side of a convex polygon is
// farthest right at one of the two, and its right side farthest left.
void TCompleteCore::SetRows(const std::vector<TPoint>& polygon, int firstRow, int endRow) {
  m_rowLeft.resize(size_t(endRow - firstRow));
  m_rowRight.resize(size_t(endRow - firstRow));
  std::pair<double, double> top = ExtentAt(polygon, firstRow);
  for (int row = firstRow; row < endRow; ++row) {
    const std::pair<double, double> bottom = ExtentAt(polygon, row + 1);
    m_rowLeft[size_t(row - firstRow)] = std::max(top.first, bottom.first);
    m_rowRight[size_t(row - firstRow)] = std::min(top.second, bottom.second);
    top = bottom;
  }
}

}  // namespace geometry::raster

#include "geometry/convex_hull.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace geometry {

namespace {

double Cross(const THullPoint& o, const THullPoint& a, const THullPoint& b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

}  // namespace

std::vector<THullPoint> ConvexHull(std::vector<THullPoint> points) {
  std::sort(points.begin(), points.end(),
            [](const THullPoint& a, const THullPoint& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
  if (points.size() < 3) return points;
  std::vector<THullPoint> hull(2 * points.size());
  size_t k = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    while (k >= 2 && Cross(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
    hull[k++] = points[i];
  }
  for (size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
    while (k >= lower && Cross(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
    hull[k++] = points[i];
  }
  hull.resize(k - 1);
  return hull;
}

std::vector<THullPoint> ConvexHullOf(const QPointF* points, int count, double dx, double dy, size_t limit) {
  // Comparisons leave NaN out.
  const double infinity = std::numeric_limits<double>::infinity();
  double minX = infinity, maxX = -infinity, minY = infinity, maxY = -infinity;
  int left = -1, right = -1, top = -1, bottom = -1;
  for (int i = 0; i < count; ++i) {
    const double x = points[i].x(), y = points[i].y();
    if (x < minX) minX = x, left = i;
    if (x > maxX) maxX = x, right = i;
    if (y < minY) minY = y, top = i;
    if (y > maxY) maxY = y, bottom = i;
  }
  if (left < 0 || top < 0 || !std::isfinite(minX) || !std::isfinite(maxX) || !std::isfinite(minY) ||
      !std::isfinite(maxY))
    return {};
  // A point strictly inside the quadrilateral of the four extremes is no
  // corner of the hull: a x + b y + c > 0 for each edge. An edge between
  // extremes that are one point passes every point.
  auto corner = [&](int i) { return THullPoint{points[i].x(), points[i].y(), i}; };
  const THullPoint quad[] = {corner(left), corner(bottom), corner(right), corner(top)};
  double area = 0;
  for (int k = 0; k < 4; ++k) area += Cross({0, 0}, quad[k], quad[(k + 1) % 4]);
  const double sign = area > 0 ? 1 : -1;
  double a[4], b[4], c[4];
  for (int k = 0; k < 4; ++k) {
    const THullPoint &u = quad[k], &v = quad[(k + 1) % 4];
    a[k] = -sign * (v.y - u.y);
    b[k] = sign * (v.x - u.x);
    c[k] = sign * ((v.y - u.y) * u.x - (v.x - u.x) * u.y);
    if (a[k] == 0 && b[k] == 0) c[k] = 1;
  }
  std::vector<THullPoint> candidates(std::begin(quad), std::end(quad));
  for (int i = 0; i < count && area != 0; ++i) {
    const double x = points[i].x(), y = points[i].y();
    const bool inside = (a[0] * x + b[0] * y + c[0] > 0) & (a[1] * x + b[1] * y + c[1] > 0) &
                        (a[2] * x + b[2] * y + c[2] > 0) & (a[3] * x + b[3] * y + c[3] > 0);
    if (inside || !std::isfinite(x) || !std::isfinite(y)) continue;
    if (candidates.size() == limit) return {};
    candidates.push_back({x, y, i});
  }
  if (area == 0) {  // the extremes lie on one line: so may every point
    candidates.clear();
    for (int i = 0; i < count; ++i)
      if (std::isfinite(points[i].x()) && std::isfinite(points[i].y())) {
        if (candidates.size() == limit) return {};
        candidates.push_back({points[i].x(), points[i].y(), i});
      }
  }
  std::vector<THullPoint> hull = ConvexHull(std::move(candidates));
  for (THullPoint& p : hull) p.x += dx, p.y += dy;
  return hull;
}

std::vector<int> ConvexHullIndices(const QPointF* points, int count, size_t limit) {
  std::vector<int> indices;
  for (const THullPoint& corner : ConvexHullOf(points, count, 0, 0, limit)) indices.push_back(corner.index);
  return indices;
}

std::pair<double, double> ExtentAt(const std::vector<THullPoint>& polygon, double y) {
  double left = std::numeric_limits<double>::infinity(), right = -left;
  for (size_t i = 0; i < polygon.size(); ++i) {
    const THullPoint& u = polygon[i];
    const THullPoint& v = polygon[(i + 1) % polygon.size()];
    if (y < std::min(u.y, v.y) || y > std::max(u.y, v.y)) continue;
    const double x = u.y == v.y ? std::min(u.x, v.x) : u.x + (y - u.y) / (v.y - u.y) * (v.x - u.x);
    const double x2 = u.y == v.y ? std::max(u.x, v.x) : x;
    left = std::min(left, x);
    right = std::max(right, x2);
  }
  return {left, right};
}

std::pair<double, double> ExtentOver(const std::vector<THullPoint>& polygon, double top, double bottom) {
  double left = std::numeric_limits<double>::infinity(), right = -left;
  if (polygon.empty()) return {left, right};
  double highest = polygon[0].y, lowest = highest;
  for (const THullPoint& p : polygon) highest = std::min(highest, p.y), lowest = std::max(lowest, p.y);
  if (bottom < highest || top > lowest) return {left, right};
  // A convex polygon is widest along the band's edges or at a corner inside it.
  for (const double y : {std::max(top, highest), std::min(bottom, lowest)}) {
    const auto [from, to] = ExtentAt(polygon, y);
    left = std::min(left, from);
    right = std::max(right, to);
  }
  for (const THullPoint& p : polygon)
    if (p.y >= top && p.y <= bottom) left = std::min(left, p.x), right = std::max(right, p.x);
  return {left, right};
}

}  // namespace geometry

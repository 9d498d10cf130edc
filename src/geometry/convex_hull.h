#pragma once

#include <QPointF>
#include <cstddef>
#include <utility>
#include <vector>

// Convex hulls of point sets in device pixels, for the raster fast paths:
// what a polyline may cover, and what its written pixels surround.
namespace geometry {

struct THullPoint {
  double x, y;
  int index = -1;  // of the point it is, where it is one of a set
};

// The corners in order, without collinear ones (Andrew's monotone chain);
// fewer than three for points on one line.
std::vector<THullPoint> ConvexHull(std::vector<THullPoint> points);

// The hull of points[i] + (dx, dy), leaving out points that are not finite.
// The extreme points along both axes are found first: the points within the
// quadrilateral they make cannot be corners, and dense data leaves few
// outside it. Nothing when more than `limit` points would be left to sort.
std::vector<THullPoint> ConvexHullOf(const QPointF* points, int count, double dx, double dy, size_t limit);
// The indices of the corners of ConvexHullOf(points, count, 0, 0, limit).
// An affine map of the points keeps them the corners of the hull.
std::vector<int> ConvexHullIndices(const QPointF* points, int count, size_t limit);

// The polygon's extent along the line at height y; empty (left > right)
// above and below it.
std::pair<double, double> ExtentAt(const std::vector<THullPoint>& polygon, double y);
// The extent of the part of the polygon between heights top and bottom.
std::pair<double, double> ExtentOver(const std::vector<THullPoint>& polygon, double top, double bottom);

}  // namespace geometry

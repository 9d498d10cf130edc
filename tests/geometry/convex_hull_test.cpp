#include <gtest/gtest.h>

#include <QPointF>
#include <algorithm>
#include <limits>
#include <random>
#include <vector>

#include "geometry/convex_hull.h"

using namespace geometry;

namespace {

std::vector<QPointF> Random(int count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(-50, 50);
  std::vector<QPointF> points;
  for (int i = 0; i < count; ++i) points.emplace_back(unit(random), unit(random));
  return points;
}

// The hull of the quick filter is the hull of every point, moved; points
// that are not finite are left out.
TEST(ConvexHull, TheFilteredHullIsTheHullOfAllPoints) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  std::vector<QPointF> withNaN = Random(500, 2);
  withNaN[7] = {nan, 3};
  withNaN[9] = {4, nan};
  const struct {
    const char* name;
    std::vector<QPointF> points;
  } cases[] = {
      {"random", Random(2000, 1)},
      {"NaN left out", withNaN},
      {"square with its centre", {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 5}, {10, 0}}},
      {"extremes shared by two axes", {{0, 0}, {10, 10}, {0, 10}, {3, 7}, {1, 9}}},
      {"on one line", {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
      {"one point", {{4, 4}}},
  };
  for (const auto& c : cases) {
    std::vector<THullPoint> all;
    for (const QPointF& p : c.points)
      if (std::isfinite(p.x()) && std::isfinite(p.y())) all.push_back({p.x() + 1.5, p.y() - 2});
    const std::vector<THullPoint> expected = ConvexHull(all);
    const std::vector<THullPoint> hull = ConvexHullOf(c.points.data(), int(c.points.size()), 1.5, -2, 100000);
    ASSERT_EQ(hull.size(), expected.size()) << c.name;
    for (size_t i = 0; i < hull.size(); ++i) {
      EXPECT_DOUBLE_EQ(hull[i].x, expected[i].x) << c.name;
      EXPECT_DOUBLE_EQ(hull[i].y, expected[i].y) << c.name;
    }
  }
  // Infinite points or too many left to sort give no hull at all.
  std::vector<QPointF> withInfinity = Random(100, 3);
  withInfinity[5] = {inf, 0};
  EXPECT_TRUE(ConvexHullOf(withInfinity.data(), 100, 0, 0, 1000).empty());
  std::vector<QPointF> circle;
  for (int i = 0; i < 64; ++i) circle.emplace_back(std::cos(i * 0.0981747704), std::sin(i * 0.0981747704));
  EXPECT_TRUE(ConvexHullOf(circle.data(), 64, 0, 0, 16).empty());
  EXPECT_EQ(ConvexHullOf(circle.data(), 64, 0, 0, 100).size(), 64u);
}

}  // namespace

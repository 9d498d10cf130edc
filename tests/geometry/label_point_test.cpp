#include "geometry/label_point.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

bool Inside(const std::vector<TDoublePoint>& polygon, TDoublePoint p) {
  bool inside = false;
  for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const TDoublePoint a = polygon[i], b = polygon[j];
    if ((a.Y > p.Y) != (b.Y > p.Y) && p.X < (b.X - a.X) * (p.Y - a.Y) / (b.Y - a.Y) + a.X) inside = !inside;
  }
  return inside;
}

struct TLabelCase {
  const char* Name;
  std::vector<TDoublePoint> Polygon;
  double MinDistance;  // the true best distance less the precision
};

const TLabelCase kCases[] = {
    // The centroid of this L lies outside it, in the notch.
    {"LShape", {{0, 0}, {10, 0}, {10, 1}, {1, 1}, {1, 10}, {0, 10}}, 0.49},
    {"LShapeClockwise", {{0, 10}, {1, 10}, {1, 1}, {10, 1}, {10, 0}, {0, 0}}, 0.49},
    {"ThinSliver", {{0, 0}, {100, 0.5}, {100, 1.5}, {0, 0.2}}, 0.2},
    {"Square", {{0, 0}, {4, 0}, {4, 4}, {0, 4}}, 1.99},
    // A U whose bottom bar is the thickest part.
    {"UShape", {{0, 0}, {9, 0}, {9, 9}, {8, 9}, {8, 3}, {1, 3}, {1, 9}, {0, 9}}, 1.49},
};

class LabelPoint : public testing::TestWithParam<TLabelCase> {};
INSTANTIATE_TEST_SUITE_P(Geometry, LabelPoint, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_P(LabelPoint, LiesInsideAndAwayFromTheEdges) {
  const TLabelCase& c = GetParam();
  const geometry::TLabelPoint label = geometry::FindLabelPoint(c.Polygon, 0.01);
  EXPECT_TRUE(Inside(c.Polygon, label.Point)) << label.Point.X << ", " << label.Point.Y;
  EXPECT_GE(label.Distance, c.MinDistance);
}

TEST(Geometry, ALabelPointOfAPolygonWithoutAreaIsItsFirstVertex) {
  const std::vector<std::vector<TDoublePoint>> flat = {{}, {{1, 2}}, {{1, 2}, {3, 4}}, {{1, 2}, {2, 3}, {3, 4}}};
  for (const auto& polygon : flat) {
    const geometry::TLabelPoint label = geometry::FindLabelPoint(polygon, 0.01);
    EXPECT_EQ(label.Distance, 0.0);
    if (!polygon.empty()) {
      EXPECT_EQ(label.Point, polygon[0]);
    }
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <vector>

#include "change_counter.h"
#include "geometry/projection.h"

namespace {

struct VertexCase {
  uint8_t mode;
  TTernaryPoint ternary;
  TDoublePoint plane;
};

class ProjectionVertices : public ::testing::TestWithParam<VertexCase> {};

TEST_P(ProjectionVertices, VertexLandsOnTableCorner) {
  const VertexCase& c = GetParam();
  TProjection projection;
  projection.SetMode(c.mode);
  const double zoom = 200.0;
  projection.SetZoom(zoom);

  const TDoublePoint plane = projection.TernaryToPlane(c.ternary, true);
  EXPECT_DOUBLE_EQ(plane.X, c.plane.X);
  EXPECT_DOUBLE_EQ(plane.Y, c.plane.Y);

  const QPointF world = projection.TernaryToWorld(c.ternary, true);
  EXPECT_FLOAT_EQ(float(world.x()), float(c.plane.X * zoom));
  EXPECT_FLOAT_EQ(float(world.y()), float((1.0 - c.plane.Y) * zoom));
}

INSTANTIATE_TEST_SUITE_P(BothModes, ProjectionVertices,
                         ::testing::Values(VertexCase{0, {1, 0, 0}, {0, 0}}, VertexCase{0, {0, 1, 0}, {1, 0}},
                                           VertexCase{0, {0, 0, 1}, {0.5, 0.86602540378}},
                                           VertexCase{1, {1, 0, 0}, {0, 0}}, VertexCase{1, {0, 1, 0}, {1, 0}},
                                           VertexCase{1, {0, 0, 1}, {0, 1}}));

TEST(Projection, HeightFactorIsTheElevenDigitDecimal) {
  TProjection projection;
  EXPECT_EQ(projection.TernaryToPlane({0, 0, 1}, true).Y, 0.86602540378);
}

TEST(Projection, FreshProjectionMapsPlaneCornersToWorld) {
  TProjection projection;
  EXPECT_EQ(projection.PlaneToWorld(TDoublePoint{0, 0}), QPointF(0, 1));
  EXPECT_EQ(projection.PlaneToWorld(TDoublePoint{1, 1}), QPointF(1, 0));
}

TEST(Projection, PlaneWorldRoundTripHoldsForAnyOriginAndZoom) {
  TProjection projection;
  for (const double zoom : {0.5, 1.0, 317.25, 12000.0}) {
    for (const TDoublePoint origin : {TDoublePoint{0, 0}, TDoublePoint{-0.3, 0.7}, TDoublePoint{2.5, -1.25}}) {
      projection.SetZoom(zoom);
      projection.SetOrigin(origin);
      for (const TDoublePoint p : {TDoublePoint{0.1, 0.2}, TDoublePoint{0.9, 0.05}, TDoublePoint{-0.4, 1.3}}) {
        const TDoublePoint back = projection.WorldToPlane(projection.PlaneToWorld(p));
        // World coordinates are single precision.
        const double tolerance = 1e-6 * (1.0 + std::abs(p.X) + std::abs(origin.X) + std::abs(origin.Y));
        EXPECT_NEAR(back.X, p.X, tolerance);
        EXPECT_NEAR(back.Y, p.Y, tolerance);
      }
    }
  }
}

TEST(Projection, TernaryPlaneRoundTripIsExactToFiveTimesTenToMinusTwelve) {
  TProjection projection;
  for (uint8_t mode : {0, 1}) {
    projection.SetMode(mode);
    for (const TTernaryPoint t : {TTernaryPoint{0.2, 0.3, 0.5}, TTernaryPoint{1, 0, 0}, TTernaryPoint{0.1, 0.1, 0.8}}) {
      const TTernaryPoint back = projection.PlaneToTernary(projection.TernaryToPlane(t, true), true);
      EXPECT_NEAR(back.A, t.A, 5e-12);
      EXPECT_NEAR(back.B, t.B, 5e-12);
      EXPECT_NEAR(back.C, t.C, 5e-12);
    }
  }
}

TEST(Projection, WorldToPlaneVectorIgnoresOriginAndFlipsY) {
  TProjection projection;
  projection.SetZoom(10);
  for (const TDoublePoint origin : {TDoublePoint{0, 0}, TDoublePoint{3, -7}}) {
    projection.SetOrigin(origin);
    const TDoublePoint v = projection.WorldToPlaneVector(QPointF(10, 10));
    EXPECT_DOUBLE_EQ(v.X, 1.0);
    EXPECT_DOUBLE_EQ(v.Y, -1.0);
  }
}

TEST(Projection, RightAngledPlaneToTernaryCompletesFirstComponent) {
  TProjection projection;
  projection.SetMode(1);
  const TTernaryPoint t = projection.PlaneToTernary(TDoublePoint{0.2, 0.3}, true);
  EXPECT_DOUBLE_EQ(t.A, 0.5);
  EXPECT_DOUBLE_EQ(t.B, 0.2);
  EXPECT_DOUBLE_EQ(t.C, 0.3);
}

TEST(Projection, FirstComponentIsNotReadSoCompositionsAreNotNormalised) {
  TProjection projection;
  EXPECT_EQ(projection.TernaryToPlane({2, 0.3, 0.3}, true), projection.TernaryToPlane({0.4, 0.3, 0.3}, true));
}

TEST(Projection, UnknownModeLeavesOutputsUntouched) {
  TProjection projection;
  projection.SetMode(7);
  TDoublePoint p{42, 43};
  projection.TernaryToPlane({0.2, 0.3, 0.5}, true, p);
  EXPECT_EQ(p, (TDoublePoint{42, 43}));
  TTernaryPoint t{1, 2, 3};
  projection.PlaneToTernary({0.5, 0.5}, true, t);
  EXPECT_EQ(t, (TTernaryPoint{1, 2, 3}));
}

TEST(Projection, RotateClockwiseMovesAToTheTopVertex) {
  TProjection projection;
  projection.SetZoom(100);
  projection.Rotate(true);
  EXPECT_EQ(projection.AxisOrder(), (std::array<int32_t, 3>{1, 2, 0}));
  const QPointF top = projection.TernaryToWorld({0, 0, 1}, false);
  EXPECT_EQ(projection.TernaryToWorld({1, 0, 0}, true), top);
  // Without the order the axes keep the fixed vertices.
  EXPECT_EQ(projection.TernaryToWorld({1, 0, 0}, false), QPointF(0, 100));
}

TEST(Projection, RotationsAndMirrorsRestoreOrderWithOneNotificationEach) {
  TProjection projection;
  TChangeCounter notifications(projection);

  projection.Rotate(true);
  projection.Rotate(false);
  EXPECT_EQ(projection.AxisOrder(), (std::array<int32_t, 3>{0, 1, 2}));
  EXPECT_EQ(notifications.count, 2);

  projection.Mirror();
  EXPECT_EQ(projection.AxisOrder(), (std::array<int32_t, 3>{0, 2, 1}));
  projection.Mirror();
  EXPECT_EQ(projection.AxisOrder(), (std::array<int32_t, 3>{0, 1, 2}));
  EXPECT_EQ(notifications.count, 4);

  for (int i = 0; i < 3; ++i) projection.Rotate(false);
  EXPECT_EQ(projection.AxisOrder(), (std::array<int32_t, 3>{0, 1, 2}));
}

// A series converts its points all at once; each must land exactly where
// the conversion of that point alone puts it, rounded to single precision,
// in every build type.
TEST(Projection, ManyPointsConvertExactlyAsEachAlone) {
  struct TCase {
    uint8_t mode;
    bool rotated;
    bool mirrored;
    bool applyOrder;
    size_t step;
  };
  const TCase cases[] = {
      {TProjection::kEquilateral, false, false, true, 1}, {TProjection::kEquilateral, true, true, true, 3},
      {TProjection::kEquilateral, true, false, false, 2}, {TProjection::kRightAngled, false, true, true, 1},
      {TProjection::kRightAngled, true, false, true, 4},  {7, true, false, true, 1},
  };
  std::vector<TTernaryPoint> items;
  for (int i = 0; i < 200; ++i) items.push_back({0.37 * i - 11, 1.0 / (i + 1), -1e6 + i * 0.123456789});
  for (const TCase& c : cases) {
    TProjection projection;
    projection.SetMode(c.mode);
    projection.SetZoom(733.3);
    projection.SetOrigin({0.071, -0.2177});
    if (c.rotated) projection.Rotate(true);
    if (c.mirrored) projection.Mirror();
    const size_t count = (items.size() - 1) / c.step + 1;
    std::vector<QPointF> many(count);
    projection.TernaryToWorld(items.data(), count, c.step, c.applyOrder, many.data());
    for (size_t i = 0; i < count; ++i) {
      const QPointF alone = projection.TernaryToWorld(items[i * c.step], c.applyOrder);
      EXPECT_EQ(many[i].x(), alone.x()) << int(c.mode) << " " << i;
      EXPECT_EQ(many[i].y(), alone.y()) << int(c.mode) << " " << i;
      EXPECT_EQ(alone.x(), double(float(alone.x()))) << "world coordinates are single precision";
      EXPECT_EQ(alone.y(), double(float(alone.y()))) << "world coordinates are single precision";
    }
  }
}

TEST(Projection, NonPositiveZoomIsRefusedBeforeAnyChange) {
  TProjection projection;
  projection.SetZoom(50);
  projection.SetOrigin({0.1, 0.2});
  TChangeCounter notifications(projection);
  for (const double bad : {0.0, -1.0, std::nan("")}) {
    try {
      projection.SetZoom(bad);
      FAIL() << "zoom " << bad << " accepted";
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(), "Invalid zoom factor value (<= 0)");
    }
  }
  EXPECT_EQ(projection.Zoom(), 50);
  EXPECT_EQ(projection.Origin(), (TDoublePoint{0.1, 0.2}));
  EXPECT_EQ(notifications.count, 0);
  // The batch counter was not left open: the next change notifies.
  projection.SetZoom(60);
  EXPECT_EQ(notifications.count, 1);
}

TEST(Projection, SettersNotifyOnlyOnChangeAndBatchesNotifyOnce) {
  TProjection projection;
  TChangeCounter notifications(projection);
  projection.SetZoom(1.0);
  projection.SetOrigin({0, 0});
  projection.SetMode(0);
  EXPECT_EQ(notifications.count, 0);
  projection.SetOrigin({1, 0});
  EXPECT_EQ(notifications.count, 1);

  projection.BeginUpdate();
  projection.SetZoom(3);
  projection.SetOrigin({2, 2});
  projection.SetMode(1);
  EXPECT_EQ(notifications.count, 1);
  projection.EndUpdate();
  EXPECT_EQ(notifications.count, 2);

  projection.EndUpdate();  // unmatched: nothing happens
  EXPECT_EQ(notifications.count, 2);

  projection.Reset();
  EXPECT_EQ(notifications.count, 3);
  EXPECT_EQ(projection.Zoom(), 1.0);
  EXPECT_EQ(projection.Mode(), 0);
}

}  // namespace

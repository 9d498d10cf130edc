#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "geometry/device_conversions.h"

using namespace geometry;

namespace {

struct Surface {
  QImage image{100, 100, QImage::Format_RGB32};
  QPainter painter{&image};
  TGraphics g{painter};
};

}  // namespace

TEST(DeviceConversions, IdentityTransformMatchesProjection) {
  Surface s;
  TProjection projection;
  projection.SetZoom(80);
  projection.SetOrigin({0.1, -0.2});
  const QPointF device(33, 47);
  EXPECT_EQ(DeviceToPlane(s.g, projection, device), projection.WorldToPlane(device));
  EXPECT_EQ(PlaneToDevice(s.g, projection, {0.3, 0.4}), projection.PlaneToWorld(TDoublePoint{0.3, 0.4}));
  EXPECT_EQ(DeviceToTernary(s.g, projection, device), projection.WorldToTernary(device, true));
}

TEST(DeviceConversions, PainterTransformIsApplied) {
  Surface s;
  s.painter.translate(10, 20);
  s.painter.scale(2, 2);
  TProjection projection;
  projection.SetZoom(50);
  const TDoublePoint plane{0.5, 0.5};
  const QPointF device = PlaneToDevice(s.g, projection, plane);
  EXPECT_EQ(device, QPointF(10 + 2 * 25, 20 + 2 * 25));
  const TDoublePoint back = DeviceToPlane(s.g, projection, device);
  EXPECT_DOUBLE_EQ(back.X, 0.5);
  EXPECT_DOUBLE_EQ(back.Y, 0.5);
}

TEST(DeviceConversions, DeviceVectorIgnoresTranslation) {
  TProjection projection;
  projection.SetZoom(10);
  Surface plain;
  Surface shifted;
  shifted.painter.translate(123, -45);
  const TDoublePoint a = DeviceVectorToPlane(plain.g, projection, QPointF(5, 5));
  const TDoublePoint b = DeviceVectorToPlane(shifted.g, projection, QPointF(5, 5));
  EXPECT_EQ(a, b);
  EXPECT_DOUBLE_EQ(a.X, 0.5);
  EXPECT_DOUBLE_EQ(a.Y, -0.5);
  // A scale is undone.
  Surface scaled;
  scaled.painter.scale(2, 2);
  EXPECT_DOUBLE_EQ(DeviceVectorToPlane(scaled.g, projection, QPointF(5, 5)).X, 0.25);
}

TEST(DeviceConversions, RectangleConversions) {
  Surface s;
  TProjection projection;
  projection.SetZoom(100);
  const TDoubleRect plane{0.1, 0.9, 0.6, 0.2};
  const QRectF world = PlaneRectToWorldRectF(projection, plane);
  EXPECT_NEAR(world.x(), 10, 1e-4);
  EXPECT_NEAR(world.y(), 10, 1e-4);
  EXPECT_NEAR(world.width(), 50, 1e-4);
  EXPECT_NEAR(world.height(), 70, 1e-4);
  const TDoubleRect back = WorldRectToPlaneRect(projection, world);
  EXPECT_NEAR(back.Left, plane.Left, 1e-6);
  EXPECT_NEAR(back.Top, plane.Top, 1e-6);
  EXPECT_NEAR(back.Right, plane.Right, 1e-6);
  EXPECT_NEAR(back.Bottom, plane.Bottom, 1e-6);
  EXPECT_EQ(PlaneRectToDeviceRectF(s.g, projection, plane), world);
}

TEST(DeviceConversions, PixelRectRoundsHalvesToEven) {
  Surface s;
  TProjection projection;
  projection.SetZoom(1);
  // Plane widths of 2.5 and 3.5 at zoom 1 are device widths of 2.5 and 3.5.
  EXPECT_EQ(PlaneRectToDeviceRect(s.g, projection, {0, 1, 2.5, 1}).width(), 2);
  EXPECT_EQ(PlaneRectToDeviceRect(s.g, projection, {0, 1, 3.5, 1}).width(), 4);
  EXPECT_EQ(PlaneRectToDeviceRect(s.g, projection, {0.5, 1, 1, 1}).x(), 0);
  EXPECT_EQ(PlaneRectToDeviceRect(s.g, projection, {1.5, 1, 2, 1}).x(), 2);
}

#include "geometry/device_conversions.h"

#include <cmath>

namespace geometry {

namespace {

int RoundHalfToEven(double value) { return int(std::nearbyint(value)); }

}  // namespace

TTernaryPoint DeviceToTernary(const TGraphics& g, const TProjection& projection, const QPointF& device) {
  return projection.WorldToTernary(g.DeviceToWorld(device), true);
}

TDoublePoint DeviceToPlane(const TGraphics& g, const TProjection& projection, const QPointF& device) {
  return projection.WorldToPlane(g.DeviceToWorld(device));
}

TDoublePoint DeviceVectorToPlane(const TGraphics& g, const TProjection& projection, const QPointF& vector) {
  return projection.WorldToPlaneVector(g.DeviceVectorToWorld(vector));
}

TDoubleRect WorldRectToPlaneRect(const TProjection& projection, const QRectF& world) {
  const TDoublePoint corner = projection.WorldToPlane(world.topLeft());
  const TDoublePoint size = projection.WorldToPlaneVector(QPointF(world.width(), world.height()));
  return {corner.X, corner.Y, corner.X + size.X, corner.Y + size.Y};
}

QPointF PlaneToDevice(const TGraphics& g, const TProjection& projection, const TDoublePoint& plane) {
  const QPointF device = g.WorldToDevice(projection.PlaneToWorld(plane));
  return MakePointF(device.x(), device.y());
}

QRectF PlaneRectToDeviceRectF(const TGraphics& g, const TProjection& projection, const TDoubleRect& plane) {
  const QPointF p1 = PlaneToDevice(g, projection, {plane.Left, plane.Top});
  const QPointF p2 = PlaneToDevice(g, projection, {plane.Right, plane.Bottom});
  return {p1.x(), p1.y(), float(p2.x() - p1.x()), float(p2.y() - p1.y())};
}

QRect PlaneRectToDeviceRect(const TGraphics& g, const TProjection& projection, const TDoubleRect& plane) {
  const QRectF r = PlaneRectToDeviceRectF(g, projection, plane);
  return {RoundHalfToEven(r.x()), RoundHalfToEven(r.y()), RoundHalfToEven(r.width()), RoundHalfToEven(r.height())};
}

QRectF PlaneRectToWorldRectF(const TProjection& projection, const TDoubleRect& plane) {
  const QPointF p1 = projection.PlaneToWorld(TDoublePoint{plane.Left, plane.Top});
  const QPointF p2 = projection.PlaneToWorld(TDoublePoint{plane.Right, plane.Bottom});
  return {p1.x(), p1.y(), float(p2.x() - p1.x()), float(p2.y() - p1.y())};
}

}  // namespace geometry

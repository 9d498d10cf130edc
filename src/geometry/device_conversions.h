#pragma once

#include "geometry/graphics.h"
#include "geometry/projection.h"
#include "geometry/ternary_types.h"

// Conversions between device pixels and diagram coordinates: they go through
// the drawing context's transform (world <-> device) and the projection.
namespace geometry {

TTernaryPoint DeviceToTernary(const TGraphics& g, const TProjection& projection, const QPointF& device);
TDoublePoint DeviceToPlane(const TGraphics& g, const TProjection& projection, const QPointF& device);
// Converts a displacement or size in pixels (a marker's half size, a shift).
TDoublePoint DeviceVectorToPlane(const TGraphics& g, const TProjection& projection, const QPointF& vector);
TDoubleRect WorldRectToPlaneRect(const TProjection& projection, const QRectF& world);
QPointF PlaneToDevice(const TGraphics& g, const TProjection& projection, const TDoublePoint& plane);
QRectF PlaneRectToDeviceRectF(const TGraphics& g, const TProjection& projection, const TDoubleRect& plane);
// As PlaneRectToDeviceRectF, each value rounded to the nearest integer, halves to even.
QRect PlaneRectToDeviceRect(const TGraphics& g, const TProjection& projection, const TDoubleRect& plane);
QRectF PlaneRectToWorldRectF(const TProjection& projection, const TDoubleRect& plane);

}  // namespace geometry

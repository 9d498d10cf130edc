#pragma once

#include <QPointF>
#include <QSizeF>
#include <initializer_list>

#include "geometry/ternary_types.h"
#include "model/axe_element.h"

// Where an axis, its ticks and its grid lines lie for each side of the
// triangle, in the fixed vertex order (A bottom-left, B bottom-right, C top
// with the default projection). Rotation and mirroring move the axes
// themselves to other sides, so nothing here depends on the axis order.
namespace model {

struct TAxeSide {
  TTernaryPoint Start;
  TTernaryPoint End;
  // Steps of one graduation (multiplied by the step length): along the side,
  // and along the other side that meets at the start vertex.
  TTernaryPoint SideStep;
  TTernaryPoint SecondStep;
  // Index of the component the tick labels show (0 A, 1 B, 2 C).
  int LabelledComponent;
  // Ticks point the way from the first to the second of these vertices.
  TTernaryPoint TickFrom;
  TTernaryPoint TickTo;
};

const TAxeSide& AxeSide(TAxePosition position);

TTernaryPoint ScaleTernaryPoint(const TTernaryPoint& p, double factor);
// The smallest plane rectangle holding the points (at least one).
TDoubleRect PlaneSpan(std::initializer_list<TDoublePoint> points);

// Top-left corner of a tick label of `size` whose tick ends at `tickEnd`.
QPointF TickLabelCorner(TAxePosition position, const QPointF& tickEnd, const QSizeF& size, int32_t spacing);
// Top-left corner of an axis title of `size` near the start vertex `start`.
QPointF TitleCorner(TAxePosition position, const QPointF& start, const QSizeF& size, int32_t spacing);

}  // namespace model

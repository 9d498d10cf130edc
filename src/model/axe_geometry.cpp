#include "model/axe_geometry.h"

#include <algorithm>
#include <array>

namespace model {

namespace {

constexpr TTernaryPoint kA{1, 0, 0};
constexpr TTernaryPoint kB{0, 1, 0};
constexpr TTernaryPoint kC{0, 0, 1};

// Indexed by TAxePosition. Each side starts at the vertex whose component its
// labels show at 1 and runs counter-clockwise to the next vertex.
constexpr std::array<TAxeSide, 3> kSides{{
    {kC, kA, {1, 0, -1}, {0, 1, -1}, 2, kB, kA},  // apLeft
    {kB, kC, {0, -1, 1}, {1, -1, 0}, 1, kA, kC},  // apRight
    {kA, kB, {-1, 1, 0}, {-1, 0, 1}, 0, kC, kB},  // apBottom
}};

}  // namespace

const TAxeSide& AxeSide(TAxePosition position) {
  // Positions are validated where they are set; this only keeps a stray value
  // from reading outside the table.
  return kSides[IsAxePosition(position) ? size_t(position) : size_t(apLeft)];
}

TTernaryPoint ScaleTernaryPoint(const TTernaryPoint& p, double factor) {
  return {p.A * factor, p.B * factor, p.C * factor};
}

TDoubleRect PlaneSpan(std::initializer_list<TDoublePoint> points) {
  const TDoublePoint first = *points.begin();
  TDoubleRect span{first.X, first.Y, first.X, first.Y};
  for (const TDoublePoint& p : points) {
    span.Left = std::min(span.Left, p.X);
    span.Right = std::max(span.Right, p.X);
    span.Top = std::max(span.Top, p.Y);
    span.Bottom = std::min(span.Bottom, p.Y);
  }
  return span;
}

QPointF TickLabelCorner(TAxePosition position, const QPointF& tickEnd, const QSizeF& size, int32_t spacing) {
  switch (position) {
    case apRight:
      return {tickEnd.x() + spacing, tickEnd.y() - size.height() / 2};
    case apBottom:
      return {tickEnd.x() - size.width() / 2, tickEnd.y() + spacing};
    default:
      return {tickEnd.x() - size.width() - spacing, tickEnd.y() - size.height() / 2};
  }
}

QPointF TitleCorner(TAxePosition position, const QPointF& start, const QSizeF& size, int32_t spacing) {
  switch (position) {
    case apRight:
      return {start.x() + spacing, start.y() + spacing};
    case apBottom:
      return {start.x() - size.width() - spacing, start.y() + spacing};
    default:
      return {start.x() - size.width() / 2, start.y() - size.height() - spacing};
  }
}

}  // namespace model

#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>

// Value types of ternary and plane geometry. Components are stored exactly as
// given: nothing here normalises a composition or checks that it sums to 1.

struct TTernaryPoint {
  double A = 0.0;
  double B = 0.0;
  double C = 0.0;

  // Component by index: 0 is A, 1 is B, 2 is C.
  double& operator[](int index) { return index == 0 ? A : (index == 1 ? B : C); }
  double operator[](int index) const { return index == 0 ? A : (index == 1 ? B : C); }
  friend bool operator==(const TTernaryPoint&, const TTernaryPoint&) = default;
};

struct TTernaryCouple {
  TTernaryPoint P1;
  TTernaryPoint P2;
  friend bool operator==(const TTernaryCouple&, const TTernaryCouple&) = default;
};

// A point of the projection plane: the triangle has side 1, Y grows upward.
struct TDoublePoint {
  double X = 0.0;
  double Y = 0.0;
  friend bool operator==(const TDoublePoint&, const TDoublePoint&) = default;
};

// A rectangle of the plane; Top is the larger Y because Y grows upward.
struct TDoubleRect {
  double Left = 0.0;
  double Top = 0.0;
  double Right = 0.0;
  double Bottom = 0.0;
  friend bool operator==(const TDoubleRect&, const TDoubleRect&) = default;
};

namespace geometry {

inline TTernaryPoint MakeTernaryPoint(double a, double b, double c) { return {a, b, c}; }
inline TTernaryCouple MakeTernaryCouple(double a1, double b1, double c1, double a2, double b2, double c2) {
  return {{a1, b1, c1}, {a2, b2, c2}};
}
inline TDoublePoint MakeDoublePoint(double x, double y) { return {x, y}; }
inline TDoubleRect MakeDoubleRect(double left, double top, double right, double bottom) {
  return {left, top, right, bottom};
}
// Rounds to single precision in a way the optimiser keeps. When GCC 12 (-O2
// and up) vectorises two side-by-side double -> float -> double round trips,
// its later value numbering stores the unrounded doubles: a point converted
// alone then differed from the same point converted in a loop. The empty asm
// makes the float opaque, so no pass can fold the round trip away.
inline float RoundToFloat(double value) {
  float rounded = static_cast<float>(value);
#if defined(__GNUC__) && !defined(__clang__) && defined(__SSE2__)
  asm("" : "+x"(rounded));
#elif defined(__GNUC__) && !defined(__clang__)
  asm("" : "+g"(rounded));
#endif
  return rounded;
}

// World coordinates are single precision, as the drawing surface takes them.
inline QPointF MakePointF(double x, double y) { return {RoundToFloat(x), RoundToFloat(y)}; }

inline TDoublePoint AddDoublePoints(TDoublePoint p, TDoublePoint q) { return {p.X + q.X, p.Y + q.Y}; }
inline TTernaryPoint AddTernaryPoints(const TTernaryPoint& p, const TTernaryPoint& q) {
  return {p.A + q.A, p.B + q.B, p.C + q.C};
}
inline QPointF AddPointsF(QPointF p, QPointF q) {
  return MakePointF(float(p.x()) + float(q.x()), float(p.y()) + float(q.y()));
}

// Unions treat each rectangle as the span between X and X + Width (which may be
// negative); unlike QRectF::united, empty and degenerate rectangles still count.
QRectF UnionRectF(const QRectF& r, const QRectF& s);
QRect UnionRect(const QRect& r, const QRect& s);
TDoubleRect UnionDoubleRect(const TDoubleRect& r, const TDoubleRect& s);
TDoubleRect InflateDoubleRect(const TDoubleRect& r, double dx, double dy);

}  // namespace geometry

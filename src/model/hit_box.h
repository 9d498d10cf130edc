#pragma once

#include "geometry/ternary_types.h"

// The points within a tolerance of a query point in every component, bounds
// included. Inline: hit tests run it over millions of points.
struct THitBox {
  THitBox(const TTernaryPoint& query, double tolerance)
      : lower{query.A - tolerance, query.B - tolerance, query.C - tolerance},
        upper{query.A + tolerance, query.B + tolerance, query.C + tolerance} {}

  bool Contains(const TTernaryPoint& p) const {
    return p.A >= lower.A && p.A <= upper.A && p.B >= lower.B && p.B <= upper.B && p.C >= lower.C && p.C <= upper.C;
  }
  // Whether any point of the box [low, high] may lie in this box.
  bool Overlaps(const TTernaryPoint& low, const TTernaryPoint& high) const {
    return !(high.A < lower.A || low.A > upper.A || high.B < lower.B || low.B > upper.B || high.C < lower.C ||
             low.C > upper.C);
  }

  TTernaryPoint lower;
  TTernaryPoint upper;
};

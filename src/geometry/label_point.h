#pragma once

#include <span>

#include "geometry/ternary_types.h"

namespace geometry {

// The place for a label inside a polygon: the interior point farthest from the
// polygon's edges (its pole of inaccessibility), found to within `precision`
// of the best distance. A concave or thin polygon keeps the point inside,
// where its centroid could fall outside or on an edge.
struct TLabelPoint {
  TDoublePoint Point;
  double Distance = 0.0;  // to the nearest edge; 0 for a polygon without area
};

// The polygon is closed implicitly (last vertex to first); it may wind either
// way. Fewer than three vertices, or no area, give the first vertex (or the
// origin when empty) at distance 0. `precision` must be positive.
TLabelPoint FindLabelPoint(std::span<const TDoublePoint> polygon, double precision);

}  // namespace geometry

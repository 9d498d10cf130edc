#pragma once

// Rounding shared by the raster fast paths (internal to raster_fast_paths.cpp).

#include <cmath>

namespace geometry::raster {

// Coordinates beyond this are far off any image: skipped rather than
// overflowing integer conversions.
constexpr double kFarAway = 1e8;

inline bool IsNear(double x, double y) { return std::abs(x) < kFarAway && std::abs(y) < kFarAway; }

// std::floor and std::ceil are library calls without SSE4.1; these are exact
// in the range of the integer type.
template <class TInteger>
TInteger FastFloor(double v) {
  const auto truncated = TInteger(v);
  return truncated - TInteger(v < double(truncated));
}

inline int FastCeil(double v) { return -FastFloor<int>(-v); }

}  // namespace geometry::raster

#pragma once

// The pixels of one segment, as QPainter's smooth lines cover them, and the
// clipping that brings its ends near the target first (internal to
// raster_fast_paths.cpp).

#include "geometry/raster_fast_paths.h"
#include "geometry/raster_rounding.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>

namespace geometry::raster {

// Moves the ends of a segment onto the rectangle [left, right] x [top,
// bottom] (Cohen-Sutherland); false when the segment misses it. A moved end
// is computed from the other end, so that an end lying very far away does
// not cost the precision of the part that is seen.
inline bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double left, double top, double right,
                        double bottom) {
  enum : int { kLeft = 1, kRight = 2, kTop = 4, kBottom = 8 };
  auto code = [&](double x, double y) {
    return (x < left ? kLeft : x > right ? kRight : 0) | (y < top ? kTop : y > bottom ? kBottom : 0);
  };
  for (int pass = 0; pass < 4; ++pass) {
    const int c0 = code(x0, y0), c1 = code(x1, y1);
    if ((c0 | c1) == 0) return true;
    if (c0 & c1) return false;
    // The end outside is moved along the line from the other end.
    const bool first = c0 != 0;
    double& x = first ? x0 : x1;
    double& y = first ? y0 : y1;
    const double bx = first ? x1 : x0, by = first ? y1 : y0;
    const int c = first ? c0 : c1;
    if (c & (kLeft | kRight)) {
      const double edge = c & kLeft ? left : right;
      y = by + (edge - bx) / (x - bx) * (y - by);
      x = edge;
    } else {
      const double edge = c & kTop ? top : bottom;
      x = bx + (edge - by) / (y - by) * (x - bx);
      y = edge;
    }
  }
  return code(x0, y0) == 0 && code(x1, y1) == 0;
}

// Segments are cut to the bounds with this margin in pixels, so that the
// pixels chosen at the edges are those of the whole segment.
constexpr double kClipMargin = 2.0;

// The widest line, in device pixels, that the walks draw.
constexpr double kMaxLineWidth = 4.0;

// How far from its segment the centres of the pixels a walk of a line
// `width` device pixels wide draws may lie: within half the band's extent
// across the axis (at most width / 2 * sqrt(2), at 45 degrees) plus half a
// pixel of the point of the segment at the same place along the axis.
constexpr double LineReach(double width) { return width / 2 * std::numbers::sqrt2 + 0.5; }
constexpr double kLineReach = LineReach(kMaxLineWidth);

// 32.32 fixed point across the major axis: the integer part is the pixel.
constexpr int kFixedShift = 32;
constexpr double kFixedOne = double(int64_t(1) << kFixedShift);
// Coverage is in 1/255 steps: 255 is a pixel the line covers wholly.
constexpr uint32_t kFullCoverage = 255;

// The pixels of one smooth segment: along the major axis, the pixels whose
// centres lie in [start, end); across it, every pixel the line's band
// [centre - half, centre + half] overlaps at that centre, with the overlap as
// its coverage (a coverage-weighted Wu walk). Step i of the walk, for i in
// [first, last], has its centre across the axis at across + (i - first) *
// step, and only pixels within [acrossLow, acrossHigh] are drawn.
struct TSegmentWalk {
  bool xMajor = true;
  int first = 0;
  int last = -1;
  int64_t across = 0;
  int64_t step = 0;
  int64_t half = 0;  // half the band's extent across the axis, which slanted lines widen
  int acrossLow = 0;
  int acrossHigh = -1;
  size_t majorStep = 1;  // in pixels
  size_t minorStep = 1;
  bool smooth = true;  // else every pixel drawn is covered whole (VisitAcrossRough)
};

// The ends lie within a few pixels of the target's bounds (see ClipSegment);
// false when no pixel centre lies along the segment. `width` in device
// pixels, at most kMaxLineWidth.
inline bool SegmentWalkOf(const TRasterTarget& target, double x0, double y0, double x1, double y1, double width,
                          TSegmentWalk& walk) {
  const QRect& b = target.bounds;
  const bool xMajor = std::abs(x1 - x0) >= std::abs(y1 - y0);
  const double from = xMajor ? x0 : y0, to = xMajor ? x1 : y1;
  const double across0 = xMajor ? y0 : x0, across1 = xMajor ? y1 : x1;
  if (from == to) return false;
  const double slope = (across1 - across0) / (to - from);
  const int low = xMajor ? b.left() : b.top(), high = xMajor ? b.right() : b.bottom();
  // First and last pixel whose centre i + 0.5 lies in the half-open span.
  int first, last;
  if (to > from) {
    first = FastCeil(from - 0.5);
    last = FastCeil(to - 0.5) - 1;
  } else {
    first = FastFloor<int>(to - 0.5) + 1;
    last = FastFloor<int>(from - 0.5);
  }
  first = std::max(first, low);
  last = std::min(last, high);
  if (first > last) return false;
  walk.xMajor = xMajor;
  walk.first = first;
  walk.last = last;
  walk.acrossLow = xMajor ? b.top() : b.left();
  walk.acrossHigh = xMajor ? b.bottom() : b.right();
  walk.majorStep = xMajor ? 1 : size_t(target.stride);
  walk.minorStep = xMajor ? size_t(target.stride) : 1;
  // Fixed point keeps the loop free of a floating-point dependency chain.
  walk.across = FastFloor<int64_t>((across0 + (first + 0.5 - from) * slope) * kFixedOne);
  walk.step = int64_t(slope * kFixedOne + (slope < 0 ? -0.5 : 0.5));
  walk.half = int64_t(width / 2 * std::sqrt(1 + slope * slope) * kFixedOne);
  walk.smooth = target.smooth;
  return true;
}

// Calls visit(j, coverage) for the pixels across the axis that the band
// about `centre` overlaps, within [low, high].
template <class TVisit>
inline void VisitAcross(int64_t centre, int64_t half, int low, int high, TVisit visit) {
  const int64_t from = centre - half, to = centre + half;
  const int first = std::max(int(from >> kFixedShift), low);
  const int last = std::min(int((to - 1) >> kFixedShift), high);
  for (int j = first; j <= last; ++j) {
    const int64_t pixel = int64_t(j) << kFixedShift;
    const int64_t overlap = std::min(to, pixel + (int64_t(1) << kFixedShift)) - std::max(from, pixel);
    const auto coverage = uint32_t(std::min<int64_t>((overlap * 255 + (int64_t(1) << 31)) >> kFixedShift, 255));
    if (coverage != 0) visit(j, coverage);
  }
}

// The pixels of a rough line across the axis: visit(j, kFullCoverage) for
// those whose centres j + 0.5 lie in the band (centre - half, centre +
// half], which are those it covers at least half of when it is a pixel wide
// or wider; a tie goes to the pixel below or right, as QPainter's aliased
// lines have it. A narrower band that holds no centre keeps the pixel of its own.
template <class TVisit>
inline void VisitAcrossRough(int64_t centre, int64_t half, int low, int high, TVisit visit) {
  constexpr int64_t kHalfPixel = int64_t(1) << (kFixedShift - 1);
  // Right shifts of negative numbers round down (C++20).
  int first = int((centre - half - kHalfPixel) >> kFixedShift) + 1;
  int last = int((centre + half - kHalfPixel) >> kFixedShift);
  if (first > last) first = last = int(centre >> kFixedShift);
  first = std::max(first, low);
  last = std::min(last, high);
  for (int j = first; j <= last; ++j) visit(j, kFullCoverage);
}

// The pixels of a walk across the axis at `across`, smooth or rough.
template <class TVisit>
inline void VisitBand(const TSegmentWalk& walk, int64_t across, TVisit visit) {
  if (walk.smooth)
    VisitAcross(across, walk.half, walk.acrossLow, walk.acrossHigh, visit);
  else
    VisitAcrossRough(across, walk.half, walk.acrossLow, walk.acrossHigh, visit);
}

// Calls plot(offset, coverage) with the offset in pixels of every pixel of a
// walk and its coverage.
template <class TPlot>
void WalkSegment(const TSegmentWalk& walk, TPlot plot) {
  int64_t across = walk.across;
  for (int i = walk.first; i <= walk.last; ++i, across += walk.step)
    VisitBand(walk, across, [&](int j, uint32_t coverage) {
      plot(size_t(i) * walk.majorStep + size_t(j) * walk.minorStep, coverage);
    });
}

}  // namespace geometry::raster

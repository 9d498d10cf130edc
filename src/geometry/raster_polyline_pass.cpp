#include "geometry/raster_polyline_pass.h"

#include "geometry/convex_hull.h"
#include "geometry/raster_blend.h"
#include "geometry/raster_segment_walk.h"

#include <algorithm>
#include <cmath>

namespace geometry::raster {

TPolylinePass::TPolylinePass(const TRasterTarget& target, uint32_t colour, const QPointF* points,
                             const uint32_t* segmentColours, const TWrittenPixels* covered,
                             const std::vector<QPointF>* outline)
    : m_target(target),
      m_colour(colour),
      m_points(points),
      m_segmentColours(segmentColours),
      m_covered(covered),
      m_outline(outline),
      m_left(target.bounds.left() - kClipMargin),
      m_top(target.bounds.top() - kClipMargin),
      m_right(target.bounds.right() + 1 + kClipMargin),
      m_bottom(target.bounds.bottom() + 1 + kClipMargin),
      m_toGridX(target.dx - target.bounds.left()),
      m_toGridY(target.dy - target.bounds.top()) {}

bool TPolylinePass::OpaqueOrClear(int segments) const {
  if (!m_segmentColours) return IsOpaqueOrClear(m_colour);
  for (int i = 0; i < segments; ++i)
    if (!IsOpaqueOrClear(m_segmentColours[i])) return false;
  return true;
}

// False when segment i has no pixel to draw; the part cut to the bounds may
// lie in `core`.
bool TPolylinePass::WalkOf(int i, TSegmentWalk& walk, const TCompleteCore* core) const {
  const QRect& b = m_target.bounds;
  double x0 = m_points[i].x() + m_target.dx, y0 = m_points[i].y() + m_target.dy;
  double x1 = m_points[i + 1].x() + m_target.dx, y1 = m_points[i + 1].y() + m_target.dy;
  if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1)) return false;
  const double fromX = x0, fromY = y0, toX = x1, toY = y1;
  if (!ClipSegment(x0, y0, x1, y1, m_left, m_top, m_right, m_bottom)) return false;
  const bool cut = x0 != fromX || y0 != fromY || x1 != toX || y1 != toY;
  if (cut && core && core->Contains(x0 - b.left(), y0 - b.top()) && core->Contains(x1 - b.left(), y1 - b.top()))
    return false;
  return SegmentWalkOf(m_target, x0, y0, x1, y1, walk);
}

// Beneath a cover, what is left free is mostly out of the polyline's reach;
// once the rest is drawn, the call is done.
void TPolylinePass::ClaimOutsideOutline(int begin, int end, TWrittenPixels& written) const {
  const std::vector<QPointF>& known = *m_outline;
  const std::vector<THullPoint> outline =
      known.empty() ? ConvexHullOf(m_points + begin, end - begin + 1, m_toGridX, m_toGridY, kMostOutlineCandidates)
                    : ConvexHullOf(known.data(), int(known.size()), m_toGridX, m_toGridY, kMostOutlineCandidates);
  if (outline.size() >= 3) written.ClaimOutside([&](int y) { return RowWithinOutline(outline, y); });
}

// The columns [first, last] of row y that the outline's segments may draw.
// Along x a walk chooses pixels whose vertical centre line holds a point of
// its segment, along y those whose horizontal one does.
std::pair<double, double> TPolylinePass::RowWithinOutline(const std::vector<THullPoint>& outline, int y) {
  const auto [left, right] = ExtentOver(outline, y, y + 1);
  const auto [centreLeft, centreRight] = ExtentOver(outline, y + 0.5, y + 0.5);
  double first = std::ceil(left - kOutlineMargin - 0.5), last = std::floor(right + kOutlineMargin - 0.5);
  if (centreLeft <= centreRight) {
    first = std::min(first, std::floor(centreLeft - kOutlineMargin));
    last = std::max(last, std::floor(centreRight + kOutlineMargin));
  }
  return {first, last};
}

void TPolylinePass::DrawPart(int begin, int end, TWrittenPixels& written, TSurface surface) const {
  if (m_covered) ClaimOutsideOutline(begin, end, written);
  const QPointF* const points = m_points;
  const double toGridX = m_toGridX, toGridY = m_toGridY;
  bool endInCore = InCore(written.Core(), points[end]);
  for (int i = end - 1; i >= begin && !written.IsFull(); --i) {
    written.RefreshReachWhenWorthIt();
    const bool startInCore = InCore(written.Core(), points[i]);
    const bool hidden =
        (startInCore && endInCore) || !written.MayDraw(points[i].x() + toGridX, points[i].y() + toGridY,
                                                       points[i + 1].x() + toGridX, points[i + 1].y() + toGridY);
    endInCore = startInCore;
    const uint32_t c = ColourOf(i);
    TSegmentWalk walk;
    if (hidden || (c >> 24) == 0 || !WalkOf(i, walk, &written.Core())) continue;
    auto plot = [&](size_t offset) { surface[offset] = c; };
    if (walk.xMajor)
      WalkSegmentOnce<true>(walk, written, plot);
    else
      WalkSegmentOnce<false>(walk, written, plot);
  }
}

void TPolylinePass::DrawInOrder(int segments) const {
  uint32_t* const pixels = m_target.pixels;
  const auto stride = size_t(m_target.stride);
  const QRect& b = m_target.bounds;
  for (int i = 0; i < segments; ++i) {
    const uint32_t c = ColourOf(i);
    TSegmentWalk walk;
    if ((c >> 24) == 0 || !WalkOf(i, walk, nullptr)) continue;
    if (m_covered)  // translucent segments beneath a cover blend only where it left pixels free
      WalkSegment(walk, [&](size_t offset) {
        if (m_covered->IsFree(int(offset % stride) - b.left(), int(offset / stride) - b.top()))
          pixels[offset] = Blend(c, pixels[offset]);
      });
    else if ((c >> 24) == 0xFF)
      WalkSegment(walk, [&](size_t offset) { pixels[offset] = c; });
    else
      WalkSegment(walk, [&](size_t offset) { pixels[offset] = Blend(c, pixels[offset]); });
  }
}

}  // namespace geometry::raster

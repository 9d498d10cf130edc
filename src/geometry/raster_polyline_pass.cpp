#include "geometry/raster_polyline_pass.h"

#include "geometry/convex_hull.h"
#include "geometry/raster_blend.h"
#include "geometry/raster_segment_walk.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace geometry::raster {

TPolylinePass::TPolylinePass(const TRasterTarget& target, uint32_t colour, double width, const QPointF* points,
                             const uint32_t* segmentColours, const TWrittenPixels* covered,
                             const std::vector<QPointF>* outline)
    : m_target(target),
      m_colour(colour),
      m_width(std::clamp(width, 0.0, kMaxLineWidth)),
      m_lineReach(LineReach(m_width)),
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
  return SegmentWalkOf(m_target, x0, y0, x1, y1, m_width, walk);
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

// The columns [first, last] of row y that the outline's segments may draw:
// those whose centres lie within m_lineReach of the outline along both axes.
// The thinner the line, the more of the pixels beyond it count as written,
// and the sooner the tiles along its outline complete.
std::pair<double, double> TPolylinePass::RowWithinOutline(const std::vector<THullPoint>& outline, int y) const {
  const double centre = y + 0.5;
  const auto [left, right] = ExtentOver(outline, centre - m_lineReach, centre + m_lineReach);
  return {std::ceil(left - m_lineReach - 0.5 - kOutlineMargin), std::floor(right + m_lineReach - 0.5 + kOutlineMargin)};
}

namespace {

// The colour at `coverage` of a pixel, non-premultiplied.
inline uint32_t WithCoverage(uint32_t colour, uint32_t coverage) {
  return (colour & 0x00FFFFFF) | ((((colour >> 24) * coverage + 127) / 255) << 24);
}

}  // namespace

// Adds a layer beneath what covers `coverage` of a pixel, that holds
// `background` where nothing covers it: `layer` is premultiplied, of weight
// `weight` / (255 * 255) of the pixel.
inline uint32_t AddBeneath(uint32_t pixel, uint32_t layer, uint32_t background, uint32_t weight) {
  uint32_t result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const int have = int((pixel >> shift) & 0xFF);
    const int change = int((layer >> shift) & 0xFF) - int((background >> shift) & 0xFF);
    const int sum = have + int((int64_t(change) * weight + (change < 0 ? -32512 : 32512)) / 65025);
    result |= uint32_t(std::clamp(sum, 0, 255)) << shift;
  }
  return result;
}

void TPolylinePass::DrawPart(int begin, int end, TWrittenPixels& written, TSurface surface) const {
  if (m_covered) ClaimOutsideOutline(begin, end, written);
  const QRect& b = m_target.bounds;
  const auto gridStride = size_t(b.width());
  // Rough lines may be drawn in parts at once: they leave the buffers alone.
  const bool smooth = m_target.smooth;
  try {
    if (smooth) {
      m_coverage.assign(gridStride * size_t(b.height()), 0);
      m_background.resize(m_coverage.size());
    }
  } catch (const std::bad_alloc&) {  // edges blend over what they should lie beneath: found slower, a little off
    m_coverage.clear();
    m_background.clear();
  }
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
    // Segments drawn later cover `had` of the pixel already: this one goes
    // beneath them, on what is left, and the pixel is written once covered
    // whole. The share is rounded up, so that the coverage comes to a whole.
    auto visit = [&](size_t offset, int x, int y, uint32_t coverage) {
      if (!smooth) {  // covered whole by an opaque colour
        surface[offset] = c;
        written.Claim(x, y);
        return;
      }
      if (m_coverage.empty()) {
        surface[offset] = Blend(WithCoverage(c, coverage), surface[offset]);
        return;
      }
      const size_t at = size_t(y) * gridStride + size_t(x);
      const uint32_t had = m_coverage[at];
      if (had == 0) m_background[at] = surface[offset];
      const uint32_t weight = (kFullCoverage - had) * coverage;
      const uint32_t total = had + (weight + kFullCoverage - 1) / kFullCoverage;
      m_coverage[at] = uint8_t(total);
      surface[offset] = AddBeneath(surface[offset], c, m_background[at], weight);
      if (total == kFullCoverage) written.Claim(x, y);
    };
    if (walk.xMajor)
      WalkSegmentOnce<true>(walk, written, visit);
    else
      WalkSegmentOnce<false>(walk, written, visit);
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
    // Translucent segments beneath a cover blend only where it left pixels free.
    WalkSegment(walk, [&](size_t offset, uint32_t coverage) {
      if (!m_covered || m_covered->IsFree(int(offset % stride) - b.left(), int(offset / stride) - b.top()))
        pixels[offset] = Blend(WithCoverage(c, coverage), pixels[offset]);
    });
  }
}

}  // namespace geometry::raster

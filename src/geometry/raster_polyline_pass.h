#pragma once

// A polyline, drawn last first or in order (internal to the raster fast paths).

#include "geometry/raster_fast_paths.h"
#include "geometry/raster_parts.h"
#include "geometry/raster_written_pixels.h"

#include <QPointF>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace geometry::raster {

// The pass of a polyline: segment i from points[i] to points[i + 1], in
// colour segmentColours[i] when given, else `colour`. Steps 3 to 5 of the
// overview in raster_fast_paths.cpp, for polylines.
class TPolylinePass {
 public:
  // `outline`: the cover's, when there is a cover. `width` in device
  // pixels, at most kMaxLineWidth.
  TPolylinePass(const TRasterTarget& target, uint32_t colour, double width, const QPointF* points,
                const uint32_t* segmentColours, const TWrittenPixels* covered, const std::vector<QPointF>* outline);

  // Whether segments [0, segments) are all opaque or clear.
  bool OpaqueOrClear(int segments) const;
  // 4. Segments [begin, end), the last first: opaque segments hide what
  // they cover wholly, so such a pixel is written by the last segment on
  // it. The partly covered edges of the lines go beneath those drawn, until
  // their coverage adds up to a whole pixel. In one part only, but for
  // rough lines, which cover their pixels wholly.
  void DrawPart(int begin, int end, TWrittenPixels& written, TSurface surface) const;
  void Finish(const TWrittenPixels&) const {}
  // 5. All segments in order: a translucent one blends with those before it.
  void DrawInOrder(int segments) const;

 private:
  // Points left to sort for the outline of a polyline; beyond this the
  // outline costs more than it saves.
  static constexpr size_t kMostOutlineCandidates = 65536;
  // Keeps the reach of a call's outline clear of rounding.
  static constexpr double kOutlineMargin = 1.0 / 64;
  static_assert(kOutlineMargin < 1, "the outline's rows widen by a fraction of a pixel");

  uint32_t ColourOf(int i) const { return m_segmentColours ? m_segmentColours[i] : m_colour; }
  bool InCore(const TCompleteCore& core, const QPointF& p) const {
    return core.Contains(p.x() + m_toGridX, p.y() + m_toGridY);
  }
  bool WalkOf(int i, TSegmentWalk& walk, const TCompleteCore* core) const;
  void ClaimOutsideOutline(int begin, int end, TWrittenPixels& written) const;
  std::pair<double, double> RowWithinOutline(const std::vector<THullPoint>& outline, int y) const;

  const TRasterTarget& m_target;
  uint32_t m_colour;
  double m_width;
  double m_lineReach;  // LineReach(m_width)
  const QPointF* m_points;
  const uint32_t* m_segmentColours;
  const TWrittenPixels* m_covered;
  const std::vector<QPointF>* m_outline;
  double m_left, m_top, m_right, m_bottom;  // where segments are cut
  double m_toGridX, m_toGridY;              // world to the written pixels' grid
  // Drawing last first: the coverage each pixel of the bounds has had so
  // far, and what it held before.
  mutable std::vector<uint8_t> m_coverage;
  mutable std::vector<uint32_t> m_background;
};

}  // namespace geometry::raster

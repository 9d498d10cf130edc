// Direct pixel writing for markers and thin polylines, the two things a
// diagram may draw millions of (the header says when it applies).
//
// How a call draws, in the order of this file:
//  1. The target: RasterTargetOf finds the image's own pixels, when nothing
//     but a uniform scale, a translation and a rectangular clip lies between
//     them and the painter. Under a scale, the points are mapped to device
//     pixels first.
//  2. The cover: a TRasterCover carries the written pixels of the calls of a
//     layer drawn from the top down to the calls beneath them.
//  3. The pass: TStampPass (raster_stamp_pass.h: the tables of each set of
//     stamps, made once with the set in raster_stamp_tables.h) or
//     TPolylinePass (raster_polyline_pass.h: segments cut to the bounds)
//     holds what a call needs.
//  4. Last first: when every item is opaque but for its smoothed edges, and
//     the call is long enough or goes beneath a cover, DrawLastFirst cuts it
//     into parts, and each part's DrawPart goes from its last item to its
//     first. Only free pixels are written, so each wholly covered pixel keeps
//     the colour of the last item on it; items among complete tiles, and
//     segments within the core, are passed over without a look at their
//     pixels. Partly covered pixels are never written pixels: the stamps'
//     edges blend on the free pixels once the parts are done (Finish), the
//     segments' edges blend as they go, in one part, until their coverage
//     adds up to a whole pixel.
//  5. In order: otherwise DrawInOrder blends item after item, beneath a
//     cover only on the pixels it left free.
//
// Terms:
//  written pixels  the pixels a call drawn last first has written so far: no
//                  earlier item may change them (TWrittenPixels).
//  complete tile   a tile of 8 x 8 pixels all written, padding or out of reach.
//  reach           a tile's Chebyshev distance in tiles to the nearest tile
//                  not complete: from it a walk passes reach - 1 rings of
//                  complete tiles without looking.
//  core            a convex polygon among complete tiles: a segment with both
//                  ends inside has nothing to draw (TCompleteCore).
//  cover           the written pixels of the calls drawn above this one.
//  out of reach    the pixels beyond a polyline's convex hull, which it cannot
//                  draw: beneath a cover they count as written while it draws.
//  parts           runs of consecutive items drawn on threads of their own,
//                  then merged latest first (TParts).
//  look            the states of kLookWidth pixels of a row read as one word.
//  square          the written pixels of kTile x kTile pixels from any corner,
//                  read from the tiles' bits as one word: a small stamp's
//                  pixels are looked at in one go.

#include "geometry/raster_fast_paths.h"

#include "geometry/raster_blend.h"
#include "geometry/raster_parts.h"
#include "geometry/raster_polyline_pass.h"
#include "geometry/raster_rounding.h"
#include "geometry/raster_stamp_pass.h"
#include "geometry/raster_written_pixels.h"

#include <QPaintEngine>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

namespace geometry {

using raster::TWrittenPixels;

// 1. The target.
std::optional<TRasterTarget> RasterTargetOf(QPainter& painter) {
  QPaintDevice* device = painter.device();
  if (!device || device->devType() != QInternal::Image) return std::nullopt;
  if (!painter.paintEngine() || painter.paintEngine()->type() != QPaintEngine::Raster) return std::nullopt;
  auto* image = static_cast<QImage*>(device);
  if (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied)
    return std::nullopt;
  const QTransform transform = painter.combinedTransform();
  if (transform.type() > QTransform::TxScale || transform.m11() != transform.m22() || !(transform.m11() > 0))
    return std::nullopt;
  if (painter.opacity() != 1.0 || painter.compositionMode() != QPainter::CompositionMode_SourceOver)
    return std::nullopt;
  QRect bounds = image->rect();
  if (painter.hasClipping()) {
    const QRegion clip = painter.clipRegion();
    if (clip.rectCount() > 1) return std::nullopt;
    bounds &= transform.mapRect(clip.boundingRect());
  }
  return TRasterTarget{reinterpret_cast<uint32_t*>(image->bits()),
                       int(image->bytesPerLine() / 4),
                       bounds,
                       transform.m11(),
                       transform.dx(),
                       transform.dy()};
}

// 2. The cover.
struct TRasterCover::TState {
  QRect bounds;
  TWrittenPixels written;
  std::vector<QPointF> outline;
};

TRasterCover::TRasterCover(const QRect& bounds) : m_state(new TState{bounds, TWrittenPixels(bounds, false), {}}) {}

TRasterCover::~TRasterCover() = default;

void TRasterCover::SetOutline(std::vector<QPointF> outline) { m_state->outline = std::move(outline); }

namespace {

// The pixels a call must leave as they are; none without a cover for its bounds.
TWrittenPixels* CoveredPixels(TRasterCover* cover, const TRasterTarget& target) {
  return cover && cover->State().bounds == target.bounds ? &cover->State().written : nullptr;
}

// A polyline of one point is that point.
void DrawPoint(const TRasterTarget& target, uint32_t colour, double x, double y, const TWrittenPixels* covered) {
  if (!raster::IsNear(x, y)) return;
  const int px = int(std::floor(x)), py = int(std::floor(y));
  if (!target.bounds.contains(px, py)) return;
  if (covered && !covered->IsFree(px - target.bounds.left(), py - target.bounds.top())) return;
  uint32_t& pixel = target.pixels[size_t(py) * size_t(target.stride) + size_t(px)];
  pixel = raster::Blend(colour, pixel);
}

}  // namespace

namespace {

// Under a scale, the points in device pixels and a target without one.
struct TDevicePoints {
  TRasterTarget target;
  std::vector<QPointF> mapped;
  const QPointF* points;

  TDevicePoints(const TRasterTarget& on, const QPointF* worldPoints, int count) : target(on), points(worldPoints) {
    if (on.scale == 1) return;
    mapped.resize(size_t(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
      mapped[size_t(i)] = {worldPoints[i].x() * on.scale + on.dx, worldPoints[i].y() * on.scale + on.dy};
    target.scale = 1, target.dx = 0, target.dy = 0;
    points = mapped.data();
  }
};

}  // namespace

void StampOnRaster(const TRasterTarget& on, const TStamps& stamps, const QPointF* worldPoints, int count,
                   TRasterCover* cover) {
  const TStamps* const sets[] = {&stamps};
  StampOnRaster(on, sets, nullptr, nullptr, worldPoints, count, cover);
}

void StampOnRaster(const TRasterTarget& on, std::span<const TStamps* const> sets, const uint16_t* setOf,
                   const int32_t* order, const QPointF* worldPoints, int count, TRasterCover* cover) {
  const auto unusable = [](const TStamps* stamps) { return stamps->images.empty() || stamps->images.front().isNull(); };
  if (on.bounds.isEmpty() || sets.empty() || std::any_of(sets.begin(), sets.end(), unusable) || count <= 0) return;
  const TDevicePoints device(on, worldPoints, count);
  const TRasterTarget& target = device.target;
  TWrittenPixels* const covered = CoveredPixels(cover, target);
  // 3. The pass.
  const raster::TStampPass pass(target, sets, setOf, order, device.points, count);
  // 4. Last first, without a core: a stamp spans a few tiles, and the reach
  // of its first tile tells whether it has anything left to draw.
  const bool worthIt = covered || raster::WorthDrawingInReverse(target.bounds, count, raster::kReverseMinimumStamps);
  if (pass.OpaqueOrClear() && worthIt && raster::DrawLastFirst(target, count, {}, covered, pass)) return;
  // 5. In order.
  pass.DrawInOrder(count, covered);
}

void DrawPolylineOnRaster(const TRasterTarget& on, uint32_t colour, const QPointF* worldPoints, int count,
                          const uint32_t* segmentColours, TRasterCover* cover, double width) {
  if (on.bounds.isEmpty() || count <= 0) return;
  const TDevicePoints device(on, worldPoints, count);
  const TRasterTarget& target = device.target;
  const QPointF* const points = device.points;
  TWrittenPixels* const covered = CoveredPixels(cover, target);
  const int segments = std::max(count - 1, 0);
  // 3. The pass.
  const raster::TPolylinePass pass(target, colour, width, points, segmentColours, covered,
                                   covered ? &cover->State().outline : nullptr);
  // 4. Last first, with a core for the long segments.
  const bool worthIt = segments > 0 && (covered || raster::WorthDrawingInReverse(target.bounds, segments,
                                                                                 raster::kReverseMinimumSegments));
  // Smooth edges blend, which only the written pixels of one part can do.
  const raster::TLastFirst how{.withCore = true, .onePart = target.smooth};
  if (worthIt && pass.OpaqueOrClear(segments) && raster::DrawLastFirst(target, segments, how, covered, pass)) return;
  // 5. In order.
  pass.DrawInOrder(segments);
  if (count == 1) DrawPoint(target, colour, points[0].x() + target.dx, points[0].y() + target.dy, covered);
}

}  // namespace geometry

#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

// Direct pixel writing for the two things a diagram may draw millions of:
// markers and polyline segments. QPainter spends tens of nanoseconds per
// pixel on them; these paths write 32-bit pixels themselves, smooth as
// QPainter's anti-aliased drawing. They apply only to a raster image without
// rotation, shear or unequal scales, with at most a rectangular clip;
// callers fall back to QPainter otherwise. Calls of many
// opaque items may share the work out to threads of their own, which are done
// when the call returns; the pixels are the same either way.
namespace geometry {

struct TRasterTarget {
  uint32_t* pixels = nullptr;
  int stride = 0;  // in pixels
  QRect bounds;    // writable device pixels: the image within the clip
  // World to device: device = world * scale + (dx, dy).
  double scale = 1;
  double dx = 0;
  double dy = 0;
  // Polylines with anti-aliased edges; rough ones cover the pixels whose
  // centres their band holds, wholly, and may share the work out to threads.
  bool smooth = true;
};

std::optional<TRasterTarget> RasterTargetOf(QPainter& painter);

// What the calls of a layer drawn from the top down have drawn so far: a
// call given the cover goes beneath them, writing only the pixels they left
// free. An opaque call adds its pixels to the cover; a translucent one adds
// nothing, so it comes last. Calls on other bounds than the cover's ignore it.
class TRasterCover {
 public:
  explicit TRasterCover(const QRect& bounds);  // throws std::bad_alloc
  ~TRasterCover();
  TRasterCover(const TRasterCover&) = delete;
  TRasterCover& operator=(const TRasterCover&) = delete;

  // Tells the polylines beneath the cover that their points lie within the
  // convex hull of `outline` (world coordinates, in device pixels when the
  // target has a scale), which they need not find.
  void SetOutline(std::vector<QPointF> outline);

  struct TState;  // the drawing code's own
  TState& State() const { return *m_state; }

 private:
  std::unique_ptr<TState> m_state;
};

namespace raster {
class TStampTables;
}

// A marker drawn at device size in phases x phases positions within a
// pixel: images[phaseY * phases + phaseX] holds it with its centre at the
// corner of pixel hotSpot plus (phaseX, phaseY) / phases. One image without
// phases lands on the nearest pixel. The images are of one size.
struct TStamps {
  std::vector<QImage> images;
  QPoint hotSpot;
  double scale = 1;    // the device pixels per world unit it was drawn for
  bool solid = false;  // translucent only along the smoothed edges of opaque shapes

  // What drawing reads of the images, made by Prepare once they are set,
  // rather than by each call that draws them.
  std::shared_ptr<const raster::TStampTables> tables = nullptr;

  void Prepare();
  int Phases() const { return images.size() == 1 ? 1 : kPhases; }
  // Whether a point's stamp of either set lands on the same pixels.
  bool SharesPlacementWith(const TStamps& other) const {
    return !images.empty() && !other.images.empty() && images.size() == other.images.size() &&
           images.front().size() == other.images.front().size() && hotSpot == other.hotSpot;
  }
  static constexpr int kPhases = 4;
};

// Blends the stamp whose phase is nearest each point on the target.
void StampOnRaster(const TRasterTarget& target, const TStamps& stamps, const QPointF* points, int count,
                   TRasterCover* cover = nullptr);
// The same with the stamps of the call's i-th point taken from
// sets[setOf[i]]: a set per colour, drawn as one call. The sets share their
// placement (SharesPlacementWith). The call's i-th point is points[order[i]]
// when an order is given, a permutation of [0, count): a call in an order
// of its own needs no copy of the points.
void StampOnRaster(const TRasterTarget& target, std::span<const TStamps* const> sets, const uint16_t* setOf,
                   const int32_t* order, const QPointF* points, int count, TRasterCover* cover = nullptr);
inline void StampOnRaster(const TRasterTarget& target, const QImage& stamp, const QPoint& hotSpot,
                          const QPointF* points, int count, TRasterCover* cover = nullptr) {
  StampOnRaster(target, TStamps{{stamp}, hotSpot}, points, count, cover);
}

// Draws a polyline `width` device pixels wide (at most 4): smooth, as
// QPainter's anti-aliased lines cover pixels, give or take a little of a
// pixel's coverage, or rough when the target says so. Colours are non-premultiplied ARGB: `colour` for every
// segment, or segment i in segmentColours[i] when given.
void DrawPolylineOnRaster(const TRasterTarget& target, uint32_t colour, const QPointF* points, int count,
                          const uint32_t* segmentColours = nullptr, TRasterCover* cover = nullptr, double width = 1.0);

}  // namespace geometry

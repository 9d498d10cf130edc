#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// Direct pixel writing for the two things a diagram may draw millions of:
// markers and polyline segments. QPainter spends tens of nanoseconds per
// pixel on them; these paths write 32-bit pixels themselves. They apply only
// to a raster image without scaling or rotation and with at most a
// rectangular clip; callers fall back to QPainter otherwise. Calls of many
// opaque items may share the work out to threads of their own, which are done
// when the call returns; the pixels are the same either way.
namespace geometry {

struct TRasterTarget {
  uint32_t* pixels = nullptr;
  int stride = 0;  // in pixels
  QRect bounds;    // writable device pixels: the image within the clip
  double dx = 0;   // world to device translation
  double dy = 0;
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
  // convex hull of `outline` (world coordinates), which they need not find.
  void SetOutline(std::vector<QPointF> outline);

  struct TState;  // the drawing code's own
  TState& State() const { return *m_state; }

 private:
  std::unique_ptr<TState> m_state;
};

// Blends `stamp` with its pixel `hotSpot` on the device pixel nearest each point.
void StampOnRaster(const TRasterTarget& target, const QImage& stamp, const QPoint& hotSpot, const QPointF* points,
                   int count, TRasterCover* cover = nullptr);

// Draws a polyline one pixel wide, on the pixels QPainter's own thin lines
// would cover, give or take a neighbour. Colours are non-premultiplied ARGB:
// `colour` for every segment, or segment i in segmentColours[i] when given.
void DrawPolylineOnRaster(const TRasterTarget& target, uint32_t colour, const QPointF* points, int count,
                          const uint32_t* segmentColours = nullptr, TRasterCover* cover = nullptr);

}  // namespace geometry

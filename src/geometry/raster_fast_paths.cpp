#include "geometry/raster_fast_paths.h"

#include <QPaintEngine>
#include <algorithm>
#include <cmath>

namespace geometry {

namespace {

// Coordinates beyond this are far off any image: skipped rather than
// overflowing integer conversions.
constexpr double kFarAway = 1e8;

bool IsNear(double x, double y) { return std::abs(x) < kFarAway && std::abs(y) < kFarAway; }

// std::floor is a library call without SSE4.1; this is exact for |v| < 2^31.
int FastFloor(double v) {
  const int truncated = int(v);
  return truncated - (v < truncated);
}

// Source-over of a non-premultiplied ARGB colour on an opaque or
// premultiplied pixel.
uint32_t Blend(uint32_t colour, uint32_t destination) {
  const uint32_t alpha = colour >> 24;
  if (alpha == 0xFF) return colour;
  const uint32_t inverse = 255 - alpha;
  auto channel = [&](int shift) {
    const uint32_t s = (colour >> shift) & 0xFF, d = (destination >> shift) & 0xFF;
    return ((s * alpha + d * inverse + 127) / 255) << shift;
  };
  const uint32_t a = alpha + (((destination >> 24) * inverse + 127) / 255);
  return (a << 24) | channel(16) | channel(8) | channel(0);
}

// Draws the pixels of one segment as QPainter's thin lines do: along the
// major axis, the pixels whose centres lie in [start, end); across it, the
// pixel holding the line at that centre.
void DrawSegment(const TRasterTarget& target, uint32_t colour, double x0, double y0, double x1, double y1) {
  if ((colour >> 24) == 0) return;
  const QRect& b = target.bounds;
  const bool xMajor = std::abs(x1 - x0) >= std::abs(y1 - y0);
  const double from = xMajor ? x0 : y0, to = xMajor ? x1 : y1;
  const double across0 = xMajor ? y0 : x0, across1 = xMajor ? y1 : x1;
  if (from == to) return;
  const double slope = (across1 - across0) / (to - from);
  const int low = xMajor ? b.left() : b.top(), high = xMajor ? b.right() : b.bottom();
  const int acrossLow = xMajor ? b.top() : b.left(), acrossHigh = xMajor ? b.bottom() : b.right();
  // First and last pixel whose centre i + 0.5 lies in the half-open span.
  int first, last;
  if (to > from) {
    first = int(std::ceil(from - 0.5));
    last = int(std::ceil(to - 0.5)) - 1;
  } else {
    first = int(std::floor(to - 0.5)) + 1;
    last = int(std::floor(from - 0.5));
  }
  first = std::max(first, low);
  last = std::min(last, high);
  const bool opaque = (colour >> 24) == 0xFF;
  const size_t majorStep = xMajor ? 1 : size_t(target.stride);
  const size_t minorStep = xMajor ? size_t(target.stride) : 1;
  double across = across0 + (first + 0.5 - from) * slope;
  for (int i = first; i <= last; ++i, across += slope) {
    const int j = FastFloor(across);
    if (j < acrossLow || j > acrossHigh) continue;
    uint32_t& pixel = target.pixels[size_t(i) * majorStep + size_t(j) * minorStep];
    pixel = opaque ? colour : Blend(colour, pixel);
  }
}

void DrawPoint(const TRasterTarget& target, uint32_t colour, double x, double y) {
  const int px = int(std::floor(x)), py = int(std::floor(y));
  if (!target.bounds.contains(px, py)) return;
  uint32_t& pixel = target.pixels[size_t(py) * size_t(target.stride) + size_t(px)];
  pixel = Blend(colour, pixel);
}

}  // namespace

std::optional<TRasterTarget> RasterTargetOf(QPainter& painter) {
  QPaintDevice* device = painter.device();
  if (!device || device->devType() != QInternal::Image) return std::nullopt;
  if (!painter.paintEngine() || painter.paintEngine()->type() != QPaintEngine::Raster) return std::nullopt;
  auto* image = static_cast<QImage*>(device);
  if (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied)
    return std::nullopt;
  const QTransform transform = painter.combinedTransform();
  if (transform.type() > QTransform::TxTranslate) return std::nullopt;
  if (painter.opacity() != 1.0 || painter.compositionMode() != QPainter::CompositionMode_SourceOver)
    return std::nullopt;
  QRect bounds = image->rect();
  if (painter.hasClipping()) {
    const QRegion clip = painter.clipRegion();
    if (clip.rectCount() > 1) return std::nullopt;
    bounds &= transform.mapRect(clip.boundingRect());
  }
  return TRasterTarget{reinterpret_cast<uint32_t*>(image->bits()), int(image->bytesPerLine() / 4), bounds,
                       transform.dx(), transform.dy()};
}

void StampOnRaster(const TRasterTarget& target, const QImage& stamp, const QPoint& hotSpot, const QPointF* points,
                   int count) {
  if (target.bounds.isEmpty() || stamp.isNull()) return;
  const QImage source = stamp.format() == QImage::Format_ARGB32_Premultiplied
                            ? stamp
                            : stamp.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int stampWidth = source.width();
  const int stampHeight = source.height();
  const auto* stampPixels = reinterpret_cast<const uint32_t*>(source.constBits());
  const int stampStride = int(source.bytesPerLine() / 4);
  const QRect& b = target.bounds;

  for (int i = 0; i < count; ++i) {
    const double x = points[i].x() + target.dx;
    const double y = points[i].y() + target.dy;
    if (!IsNear(x, y)) continue;  // also skips NaN
    const int left = int(std::floor(x + 0.5)) - hotSpot.x();
    const int top = int(std::floor(y + 0.5)) - hotSpot.y();
    const int x0 = std::max(left, b.left());
    const int x1 = std::min(left + stampWidth, b.right() + 1);
    const int y0 = std::max(top, b.top());
    const int y1 = std::min(top + stampHeight, b.bottom() + 1);
    for (int row = y0; row < y1; ++row) {
      uint32_t* dst = target.pixels + size_t(row) * size_t(target.stride);
      const uint32_t* src = stampPixels + size_t(row - top) * size_t(stampStride) - left;
      for (int col = x0; col < x1; ++col) {
        const uint32_t s = src[col];
        const uint32_t alpha = s >> 24;
        if (alpha == 0xFF) {
          dst[col] = s;
        } else if (alpha != 0) {
          // Premultiplied source-over, two channels at a time.
          const uint32_t d = dst[col];
          const uint32_t inverse = 255 - alpha;
          uint32_t rb = (d & 0x00FF00FF) * inverse;
          uint32_t ag = ((d >> 8) & 0x00FF00FF) * inverse;
          rb = ((rb + ((rb >> 8) & 0x00FF00FF) + 0x00800080) >> 8) & 0x00FF00FF;
          ag = (ag + ((ag >> 8) & 0x00FF00FF) + 0x00800080) & 0xFF00FF00;
          dst[col] = s + (rb | ag);
        }
      }
    }
  }
}

void DrawPolylineOnRaster(const TRasterTarget& target, uint32_t colour, const QPointF* points, int count,
                          const uint32_t* segmentColours) {
  if (target.bounds.isEmpty()) return;
  for (int i = 0; i + 1 < count; ++i) {
    const double x0 = points[i].x() + target.dx, y0 = points[i].y() + target.dy;
    const double x1 = points[i + 1].x() + target.dx, y1 = points[i + 1].y() + target.dy;
    const uint32_t segmentColour = segmentColours ? segmentColours[i] : colour;
    if (IsNear(x0, y0) && IsNear(x1, y1)) DrawSegment(target, segmentColour, x0, y0, x1, y1);
  }
  if (count == 1) DrawPoint(target, colour, points[0].x() + target.dx, points[0].y() + target.dy);
}

}  // namespace geometry

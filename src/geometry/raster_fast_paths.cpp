#include "geometry/raster_fast_paths.h"

#include <QPaintEngine>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace geometry {

namespace {

// Coordinates beyond this are far off any image: skipped rather than
// overflowing integer conversions.
constexpr double kFarAway = 1e8;

bool IsNear(double x, double y) { return std::abs(x) < kFarAway && std::abs(y) < kFarAway; }

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

// Moves the ends of a segment onto the rectangle [left, right] x [top,
// bottom] (Cohen-Sutherland); false when the segment misses it. A moved end
// is computed from the other end, so that an end lying very far away does
// not cost the precision of the part that is seen.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double left, double top, double right, double bottom) {
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

constexpr double kFixedOne = 4294967296.0;  // 32.32 fixed point across the major axis

// std::floor and std::ceil are library calls without SSE4.1; these are exact
// in the range of the integer type.
template <class TInteger>
TInteger FastFloor(double v) {
  const auto truncated = TInteger(v);
  return truncated - TInteger(v < double(truncated));
}

int FastCeil(double v) { return -FastFloor<int>(-v); }

// Calls plot(offset) with the offset in pixels of every pixel of a segment
// (see DrawSegment).
template <class TPlot>
void WalkSegment(size_t majorStep, size_t minorStep, int first, int last, int64_t across, int64_t step, int acrossLow,
                 int acrossHigh, TPlot plot) {
  const auto span = unsigned(acrossHigh - acrossLow);
  for (int i = first; i <= last; ++i, across += step) {
    const int j = int(across >> 32);
    if (unsigned(j - acrossLow) > span) continue;
    plot(size_t(i) * majorStep + size_t(j) * minorStep);
  }
}

// Walks the pixels of one segment as QPainter's thin lines cover them: along
// the major axis, the pixels whose centres lie in [start, end); across it,
// the pixel holding the line at that centre. The ends lie within a few
// pixels of the target's bounds (see ClipSegment).
template <class TPlot>
void DrawSegment(const TRasterTarget& target, double x0, double y0, double x1, double y1, TPlot plot) {
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
    first = FastCeil(from - 0.5);
    last = FastCeil(to - 0.5) - 1;
  } else {
    first = FastFloor<int>(to - 0.5) + 1;
    last = FastFloor<int>(from - 0.5);
  }
  first = std::max(first, low);
  last = std::min(last, high);
  if (first > last) return;
  const size_t majorStep = xMajor ? 1 : size_t(target.stride);
  const size_t minorStep = xMajor ? size_t(target.stride) : 1;
  // Fixed point keeps the loop free of a floating-point dependency chain.
  const auto across = FastFloor<int64_t>((across0 + (first + 0.5 - from) * slope) * kFixedOne);
  const auto step = int64_t(slope * kFixedOne + (slope < 0 ? -0.5 : 0.5));
  WalkSegment(majorStep, minorStep, first, last, across, step, acrossLow, acrossHigh, plot);
}

void DrawPoint(const TRasterTarget& target, uint32_t colour, double x, double y) {
  if (!IsNear(x, y)) return;
  const int px = int(std::floor(x)), py = int(std::floor(y));
  if (!target.bounds.contains(px, py)) return;
  uint32_t& pixel = target.pixels[size_t(py) * size_t(target.stride) + size_t(px)];
  pixel = Blend(colour, pixel);
}

// Markers are a few pixels wide: a call to memmove would cost more than the
// copy. Copies of a fixed size are inlined.
void CopyPixels(uint32_t* to, const uint32_t* from, int count) {
  for (; count >= 2; count -= 2, to += 2, from += 2) std::memcpy(to, from, 8);
  if (count > 0) *to = *from;
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
  // Rows of the stamp without transparency are copied rather than blended.
  std::vector<char> rowIsOpaque(size_t(stampHeight), 0);
  for (int row = 0; row < stampHeight; ++row) {
    const uint32_t* line = stampPixels + size_t(row) * size_t(stampStride);
    rowIsOpaque[size_t(row)] = std::all_of(line, line + stampWidth, [](uint32_t p) { return (p >> 24) == 0xFF; });
  }

  for (int i = 0; i < count; ++i) {
    const double x = points[i].x() + target.dx;
    const double y = points[i].y() + target.dy;
    if (!IsNear(x, y)) continue;  // also skips NaN
    const int left = FastFloor<int>(x + 0.5) - hotSpot.x();
    const int top = FastFloor<int>(y + 0.5) - hotSpot.y();
    const int x0 = std::max(left, b.left());
    const int x1 = std::min(left + stampWidth, b.right() + 1);
    const int y0 = std::max(top, b.top());
    const int y1 = std::min(top + stampHeight, b.bottom() + 1);
    for (int row = y0; row < y1; ++row) {
      uint32_t* dst = target.pixels + size_t(row) * size_t(target.stride);
      const uint32_t* src = stampPixels + size_t(row - top) * size_t(stampStride) - left;
      if (rowIsOpaque[size_t(row - top)]) {
        CopyPixels(dst + x0, src + x0, x1 - x0);
        continue;
      }
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
  const int segments = std::max(count - 1, 0);
  auto colourOf = [&](int i) { return segmentColours ? segmentColours[i] : colour; };
  // Segments are cut to the bounds with a margin, so that the pixels chosen
  // at the edges are those of the whole segment.
  const QRect& b = target.bounds;
  constexpr double kMargin = 2.0;
  const double left = b.left() - kMargin, top = b.top() - kMargin;
  const double right = b.right() + 1 + kMargin, bottom = b.bottom() + 1 + kMargin;
  auto drawSegment = [&](int i, auto plot) {
    double x0 = points[i].x() + target.dx, y0 = points[i].y() + target.dy;
    double x1 = points[i + 1].x() + target.dx, y1 = points[i + 1].y() + target.dy;
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1)) return;
    if (ClipSegment(x0, y0, x1, y1, left, top, right, bottom)) DrawSegment(target, x0, y0, x1, y1, plot);
  };
  uint32_t* const pixels = target.pixels;

  for (int i = 0; i < segments; ++i) {
    const uint32_t c = colourOf(i);
    if ((c >> 24) == 0xFF)
      drawSegment(i, [&](size_t offset) { pixels[offset] = c; });
    else if ((c >> 24) != 0)
      drawSegment(i, [&](size_t offset) { pixels[offset] = Blend(c, pixels[offset]); });
  }
  if (count == 1) DrawPoint(target, colour, points[0].x() + target.dx, points[0].y() + target.dy);
}

}  // namespace geometry

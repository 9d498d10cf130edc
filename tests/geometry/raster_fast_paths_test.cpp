#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>
#include <random>
#include <vector>

#include "geometry/raster_fast_paths.h"
#include "image_compare.h"

using namespace geometry;

// Long polylines and many markers are compared with the same segments and
// stamps drawn one call each, in order: whatever order a long call draws in,
// the last one on a pixel must be the one seen. The calls hold thousands of
// items on small images, as a diagram of a million points does on a window.
namespace {

struct TSurface {
  QSize size;
  QImage::Format format;
  QPointF translation;
  std::optional<QRect> clip;  // in world coordinates
};

const TSurface kPlain{{160, 140}, QImage::Format_RGB32, {0, 0}, std::nullopt};
const TSurface kShiftedAndClipped{{150, 130}, QImage::Format_ARGB32_Premultiplied, {3.25, -2.5}, QRect(7, 9, 123, 101)};
const TSurface kNarrowClip{{120, 120}, QImage::Format_RGB32, {-1, 1}, QRect(13, 0, 5, 120)};

QImage BlankOf(const TSurface& surface) {
  QImage image(surface.size, surface.format);
  // A translucent background shows blending on premultiplied images.
  image.fill(surface.format == QImage::Format_RGB32 ? QColor(Qt::white) : QColor(10, 200, 30, 100));
  return image;
}

// Opens a painter as a diagram's drawing would, and hands its target to `draw`.
template <class TDraw>
QImage Drawn(const TSurface& surface, TDraw draw) {
  QImage image = BlankOf(surface);
  QPainter painter(&image);
  painter.translate(surface.translation);
  if (surface.clip) painter.setClipRect(*surface.clip);
  const std::optional<TRasterTarget> target = RasterTargetOf(painter);
  EXPECT_TRUE(target.has_value());
  if (target) draw(*target);
  return image;
}

std::vector<QPointF> RandomPoints(int count, QRectF area, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> x(area.left(), area.right()), y(area.top(), area.bottom());
  std::vector<QPointF> points;
  for (int i = 0; i < count; ++i) points.emplace_back(x(random), y(random));
  return points;
}

// Points inside a triangle, as compositions fall on a diagram.
std::vector<QPointF> TrianglePoints(int count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<QPointF> points;
  for (int i = 0; i < count; ++i) {
    double a = unit(random), b = unit(random);
    if (a + b > 1) a = 1 - a, b = 1 - b;
    points.emplace_back(10 + 130 * a + 65 * b, 125 - 112 * b);
  }
  return points;
}

// Points in a ring, or in two blobs with a gap between them: dense areas
// that are not convex.
std::vector<QPointF> RingPoints(int count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> angle(0, 6.283185307179586), radius(45, 62);
  std::vector<QPointF> points;
  for (int i = 0; i < count; ++i) {
    const double a = angle(random), r = radius(random);
    points.emplace_back(80 + r * std::cos(a), 70 + r * std::sin(a));
  }
  return points;
}

// Segments back and forth between two blobs, then many within each: drawn
// last first, the blobs fill before the gap between them does.
std::vector<QPointF> TwoBlobs(int count, unsigned seed) {
  const int across = count / 4, within = (count - across) / 2;
  const std::vector<QPointF> left = RandomPoints(across / 2 + within, QRectF(8, 10, 55, 115), seed);
  const std::vector<QPointF> right = RandomPoints(across / 2 + within, QRectF(98, 10, 55, 115), seed + 1);
  std::vector<QPointF> points;
  for (int i = 0; i < across / 2; ++i) {
    points.push_back(left[size_t(i)]);
    points.push_back(right[size_t(i)]);
  }
  points.insert(points.end(), left.begin() + across / 2, left.end());
  points.insert(points.end(), right.begin() + across / 2, right.end());
  return points;
}

// Ends on pixel edges and centres, and lines along rows and columns.
std::vector<QPointF> GridPoints(int count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> half(-8, 330);
  std::vector<QPointF> points;
  for (int i = 0; i < count; ++i) {
    const QPointF p(half(random) / 2.0, half(random) / 2.0);
    if (i % 3 == 1)
      points.emplace_back(points.back().x(), p.y());
    else if (i % 3 == 2)
      points.emplace_back(p.x(), points.back().y());
    else
      points.push_back(p);
  }
  return points;
}

// Mostly near points, with ends far off the image, NaN and infinities.
std::vector<QPointF> PointsWithOutliers(int count, unsigned seed) {
  std::vector<QPointF> points = RandomPoints(count, QRectF(-20, -20, 200, 180), seed);
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  const QPointF outliers[] = {{3e9, 40}, {60, -1e12}, {nan, 5}, {5, inf}, {-1e8 - 5, 1e8 + 5}, {1e30, -1e30}};
  for (size_t i = 0; i < points.size(); i += 37) points[i] = outliers[(i / 37) % std::size(outliers)];
  return points;
}

// Smooth edges drawn last first blend in the other order, and a pixel whose
// coverage adds up to a whole takes the colour of the segment that made it
// whole: the images differ a little, on a few pixels.
constexpr double kEdgeMean = 2.0;
constexpr int kEdgeMost = 96;
constexpr double kEdgeShare = 0.03;

enum TColours { kOneColour, kGradient, kGradientWithClearSegments, kGradientWithOneTranslucentSegment };

std::vector<uint32_t> SegmentColours(TColours colours, int segments) {
  std::vector<uint32_t> result;
  for (int i = 0; i < segments; ++i) result.push_back(0xFF000000u | uint32_t(i * 2654435761u >> 8));
  if (colours == kGradientWithClearSegments)
    for (int i = 0; i < segments; i += 5) result[size_t(i)] &= 0x00FFFFFFu;
  if (colours == kGradientWithOneTranslucentSegment) result[size_t(segments / 2)] = 0x80FF00FFu;
  return result;
}

struct TPolylineCase {
  const char* name;
  TSurface surface;
  std::vector<QPointF> points;
  TColours colours;
  uint32_t colour;
};

TEST(RasterFastPaths, LongPolylinesShowTheLastSegmentOnEachPixel) {
  const TPolylineCase cases[] = {
      {"dense triangle", kPlain, TrianglePoints(20000, 1), kOneColour, 0xFF2040FFu},
      {"dense triangle, gradient", kPlain, TrianglePoints(20000, 2), kGradient, 0},
      {"shifted and clipped", kShiftedAndClipped, RandomPoints(12000, QRectF(-30, -30, 220, 200), 3), kGradient, 0},
      {"clear segments", kShiftedAndClipped, TrianglePoints(15000, 4), kGradientWithClearSegments, 0},
      {"a translucent segment", kPlain, TrianglePoints(15000, 5), kGradientWithOneTranslucentSegment, 0},
      {"translucent colour", kPlain, TrianglePoints(5000, 6), kOneColour, 0x60FF0000u},
      {"pixel edges and centres", kPlain, GridPoints(12000, 7), kGradient, 0},
      {"outliers", kShiftedAndClipped, PointsWithOutliers(12000, 8), kGradient, 0},
      {"narrow clip", kNarrowClip, RandomPoints(3000, QRectF(-10, -10, 140, 140), 9), kGradient, 0},
      {"ring", kPlain, RingPoints(20000, 10), kGradient, 0},
      {"two blobs", kPlain, TwoBlobs(20000, 11), kGradient, 0},
      // Enough to be shared out between cores, and to cover the image whole.
      {"many, dense triangle", kShiftedAndClipped, TrianglePoints(150000, 12), kGradient, 0},
      {"many, over the whole image", kPlain, RandomPoints(150000, QRectF(-50, -50, 260, 240), 13), kGradient, 0},
      {"many, one colour", kNarrowClip, RandomPoints(100000, QRectF(-10, -10, 140, 140), 14), kOneColour, 0xFF00FF00u},
  };
  for (const TPolylineCase& c : cases)
    for (const bool smooth : {true, false}) {
      const int count = int(c.points.size());
      const std::vector<uint32_t> colours = SegmentColours(c.colours, count - 1);
      const uint32_t* segmentColours = c.colours == kOneColour ? nullptr : colours.data();
      auto colourOf = [&](int i) { return segmentColours ? segmentColours[i] : c.colour; };
      const QImage whole = Drawn(c.surface, [&](TRasterTarget target) {
        target.smooth = smooth;
        DrawPolylineOnRaster(target, c.colour, c.points.data(), count, segmentColours);
      });
      const QImage oneByOne = Drawn(c.surface, [&](TRasterTarget target) {
        target.smooth = smooth;
        for (int i = 0; i + 1 < count; ++i) DrawPolylineOnRaster(target, colourOf(i), &c.points[size_t(i)], 2);
      });
      EXPECT_NE(whole, BlankOf(c.surface)) << c.name;
      // Wholly covered pixels are the last segment's; smooth edges blend in another order.
      if (smooth)
        EXPECT_TRUE(NearImage(whole, oneByOne, kEdgeMean, kEdgeMost, kEdgeShare)) << c.name;
      else
        EXPECT_TRUE(SameImage(whole, oneByOne)) << c.name << ", rough";
    }
}

// A stamp of opaque pixels of several colours around a transparent hole, or
// with translucent ones.
QImage Stamp(int side, bool translucent) {
  QImage stamp(side, side, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      stamp.setPixel(x, y, 0xFF000000u | uint32_t((x * 40 & 0xFF) << 16 | (y * 40 & 0xFF) << 8 | 0x80));
  stamp.setPixel(side / 2, side / 2, 0);
  stamp.setPixel(0, side - 1, 0);
  if (translucent) stamp.setPixel(side - 1, 0, qPremultiply(qRgba(255, 0, 0, 90)));
  return stamp;
}

struct TStampCase {
  const char* name;
  TSurface surface;
  QImage stamp;
  QPoint hotSpot;
  std::vector<QPointF> points;
  bool solid = false;      // translucent pixels are smoothed edges, blended once the opaque ones are drawn
  bool scattered = false;  // the call takes its points through an order, from all over memory
};

// The points in bands, from the bottom up, as markers sorted by a value that rises with y.
std::vector<QPointF> Banded(std::vector<QPointF> points) {
  std::sort(points.begin(), points.end(), [](const QPointF& a, const QPointF& b) { return a.y() > b.y(); });
  return points;
}

// A call of `points` in an order of its own: the i-th point lies at
// scattered[order[i]].
void StampScattered(const TRasterTarget& target, const TStamps& stamps, const std::vector<QPointF>& points) {
  const int count = int(points.size());
  std::vector<int32_t> order(points.size());
  std::iota(order.begin(), order.end(), 0);
  std::shuffle(order.begin(), order.end(), std::mt19937(7));
  std::vector<QPointF> scattered(points.size());
  for (int i = 0; i < count; ++i) scattered[size_t(order[size_t(i)])] = points[size_t(i)];
  const TStamps* const sets[] = {&stamps};
  StampOnRaster(target, sets, nullptr, order.data(), scattered.data(), count);
}

TEST(RasterFastPaths, ManyStampsShowTheLastStampOnEachPixel) {
  std::vector<QPointF> halves = GridPoints(9000, 14);  // positions on .5 round the same way either path
  const TStampCase cases[] = {
      {"dense triangle", kPlain, Stamp(6, false), {2, 3}, TrianglePoints(30000, 11)},
      {"shifted and clipped",
       kShiftedAndClipped,
       Stamp(5, false),
       {2, 2},
       RandomPoints(20000, QRectF(-30, -30, 220, 200), 12)},
      {"larger than a tile", kShiftedAndClipped, Stamp(19, false), {9, 4}, TrianglePoints(8000, 13)},
      {"pixel edges and centres", kPlain, Stamp(4, false), {0, 0}, halves},
      {"outliers", kPlain, Stamp(6, false), {3, 3}, PointsWithOutliers(12000, 15)},
      {"translucent pixels", kShiftedAndClipped, Stamp(6, true), {2, 2}, TrianglePoints(8000, 16)},
      {"narrow clip", kNarrowClip, Stamp(7, false), {3, 3}, RandomPoints(4000, QRectF(-10, -10, 140, 140), 17)},
      {"many, dense triangle", kShiftedAndClipped, Stamp(6, false), {2, 3}, TrianglePoints(150000, 18)},
      {"many, over the whole image",
       kPlain,
       Stamp(5, false),
       {2, 2},
       RandomPoints(150000, QRectF(-5, -5, 170, 150), 19)},
      {"smoothed edges, sparse",
       kPlain,
       Stamp(6, true),
       {2, 2},
       RandomPoints(1100, QRectF(-5, -5, 170, 150), 20),
       true},
      {"many, smoothed edges",
       kPlain,
       Stamp(5, true),
       {2, 2},
       RandomPoints(150000, QRectF(-5, -5, 170, 150), 21),
       true},
      {"in an order of its own", kShiftedAndClipped, Stamp(6, false), {2, 3}, TrianglePoints(150000, 22), false, true},
      {"in bands, smoothed edges, in an order of its own",
       kPlain,
       Stamp(5, true),
       {2, 2},
       Banded(RandomPoints(150000, QRectF(-5, -5, 170, 150), 23)),
       true,
       true},
  };
  for (const TStampCase& c : cases) {
    const int count = int(c.points.size());
    const TStamps stamps{{c.stamp}, c.hotSpot, 1, c.solid};
    const QImage whole = Drawn(c.surface, [&](const TRasterTarget& target) {
      if (c.scattered)
        StampScattered(target, stamps, c.points);
      else
        StampOnRaster(target, stamps, c.points.data(), count);
    });
    const QImage oneByOne = Drawn(c.surface, [&](const TRasterTarget& target) {
      for (int i = 0; i < count; ++i) StampOnRaster(target, stamps, &c.points[size_t(i)], 1);
    });
    EXPECT_NE(whole, BlankOf(c.surface)) << c.name;
    // Edges blend only on the pixels no opaque pixel took, rather than in turn.
    EXPECT_TRUE(c.solid ? NearImage(whole, oneByOne, kEdgeMean, kEdgeMost, kEdgeShare) : SameImage(whole, oneByOne))
        << c.name;
  }
}

// A stamp beneath a smaller one of another set, in a call long enough to be
// drawn last first, shows around it: its opaque pixels, and its smoothed
// edges where nothing opaque lies, once they are finished.
TEST(RasterFastPaths, AStampBeneathASmallerOneShowsAroundIt) {
  QImage over(5, 5, QImage::Format_ARGB32_Premultiplied);
  over.fill(Qt::transparent);
  for (int y = 1; y < 4; ++y)
    for (int x = 1; x < 4; ++x) over.setPixel(x, y, 0xFFFF0000u);
  const struct {
    const char* name;
    uint32_t ring;  // of the stamp beneath, premultiplied, about an opaque blue core
    QRgb aroundIt;  // seen on the ring
  } cases[] = {{"smoothed edges", qPremultiply(qRgba(0, 0, 255, 128)), qRgb(127, 127, 255)},
               {"opaque", 0xFF0000FFu, qRgb(0, 0, 255)}};
  for (const auto& c : cases) {
    QImage beneath(5, 5, QImage::Format_ARGB32_Premultiplied);
    beneath.fill(c.ring);
    for (int y = 1; y < 4; ++y)
      for (int x = 1; x < 4; ++x) beneath.setPixel(x, y, 0xFF0000FFu);
    const TStamps beneathSet{{beneath}, {2, 2}, 1, true}, overSet{{over}, {2, 2}, 1, true};
    const TStamps* const sets[] = {&overSet, &beneathSet};
    // Points off the image make the call long enough.
    std::vector<QPointF> points(1100, QPointF(-1e6, -1e6));
    points.insert(points.end(), {QPointF(20, 20), QPointF(20, 20)});
    std::vector<uint16_t> setOf(points.size(), 0);
    setOf[points.size() - 2] = 1;
    const QImage image = Drawn(kPlain, [&](const TRasterTarget& target) {
      StampOnRaster(target, sets, setOf.data(), nullptr, points.data(), int(points.size()));
    });
    EXPECT_EQ(image.pixel(20, 20), 0xFFFF0000u) << c.name;
    const QRgb ring = image.pixel(18, 18);
    EXPECT_NEAR(qRed(ring), qRed(c.aroundIt), 2) << c.name;
    EXPECT_NEAR(qGreen(ring), qGreen(c.aroundIt), 2) << c.name;
    EXPECT_EQ(qBlue(ring), qBlue(c.aroundIt)) << c.name;
  }
}

// Markers are stamped after the polyline, in a call of their own: they cover
// the line wherever they lie, whichever was drawn there last before.
TEST(RasterFastPaths, StampsCoverAPolylineDrawnBefore) {
  const std::vector<QPointF> points = TrianglePoints(20000, 21);
  const QImage stamp = Stamp(5, false);
  const int count = int(points.size());
  const QImage whole = Drawn(kPlain, [&](const TRasterTarget& target) {
    DrawPolylineOnRaster(target, 0xFF0000FFu, points.data(), count);
    StampOnRaster(target, stamp, QPoint(2, 2), points.data(), count);
  });
  const QImage oneByOne = Drawn(kPlain, [&](const TRasterTarget& target) {
    for (int i = 0; i + 1 < count; ++i) DrawPolylineOnRaster(target, 0xFF0000FFu, &points[size_t(i)], 2);
    for (int i = 0; i < count; ++i) StampOnRaster(target, stamp, QPoint(2, 2), &points[size_t(i)], 1);
  });
  EXPECT_TRUE(SameImage(whole, oneByOne));
}

// Drawn from the top down, opaque markers go first and the polyline beneath
// them only where they left pixels free: the image is that of the polyline
// drawn first.
struct TBeneathCase {
  const char* name;
  TSurface surface;
  QImage stamp;
  std::vector<QPointF> points;
  TColours colours;
  uint32_t colour;
};

TEST(RasterFastPaths, APolylineBeneathACoverShowsWhatDrawingItFirstDoes) {
  const QImage small = Stamp(2, false), square = Stamp(5, false);
  const TBeneathCase cases[] = {
      {"dense triangle", kPlain, square, TrianglePoints(20000, 31), kOneColour, 0xFF0000FFu},
      {"gradient", kShiftedAndClipped, square, TrianglePoints(20000, 32), kGradientWithClearSegments, 0},
      {"gaps between markers", kPlain, small, RandomPoints(6000, QRectF(-40, -40, 240, 220), 33), kGradient, 0},
      {"translucent polyline", kPlain, small, TrianglePoints(6000, 34), kOneColour, 0x60FF0000u},
      {"outliers", kShiftedAndClipped, small, PointsWithOutliers(12000, 35), kGradient, 0},
      {"few points", kPlain, square, TrianglePoints(40, 36), kOneColour, 0xFF00A000u},
      // Shared out between cores; points far beyond the image, as a zoom shows them.
      {"many, dense triangle", kShiftedAndClipped, square, TrianglePoints(150000, 37), kGradient, 0},
      {"many, zoomed in", kPlain, small, RandomPoints(150000, QRectF(-400, -400, 960, 940), 38), kGradient, 0},
  };
  for (const TBeneathCase& c : cases)
    for (const bool smooth : {true, false}) {
      const int count = int(c.points.size());
      const std::vector<uint32_t> colours = SegmentColours(c.colours, count - 1);
      const uint32_t* segmentColours = c.colours == kOneColour ? nullptr : colours.data();
      const QImage inOrder = Drawn(c.surface, [&](TRasterTarget target) {
        target.smooth = smooth;
        DrawPolylineOnRaster(target, c.colour, c.points.data(), count, segmentColours);
        StampOnRaster(target, c.stamp, QPoint(1, 1), c.points.data(), count);
      });
      const QImage topDown = Drawn(c.surface, [&](TRasterTarget target) {
        target.smooth = smooth;
        TRasterCover cover(target.bounds);
        StampOnRaster(target, c.stamp, QPoint(1, 1), c.points.data(), count, &cover);
        DrawPolylineOnRaster(target, c.colour, c.points.data(), count, segmentColours, &cover);
      });
      if (smooth)
        EXPECT_TRUE(NearImage(topDown, inOrder, kEdgeMean, kEdgeMost, kEdgeShare)) << c.name;
      else
        EXPECT_TRUE(SameImage(topDown, inOrder)) << c.name << ", rough";
    }
  // A second polyline beneath the first one: what lay out of the first's
  // reach is free again for it.
  const std::vector<QPointF> first = TrianglePoints(30000, 39), second = RandomPoints(3000, QRectF(0, 0, 160, 140), 40);
  const QImage stamp = Stamp(2, false);
  const QImage inOrder = Drawn(kPlain, [&](const TRasterTarget& target) {
    DrawPolylineOnRaster(target, 0xFF00A000u, second.data(), int(second.size()));
    DrawPolylineOnRaster(target, 0xFF0000FFu, first.data(), int(first.size()));
    StampOnRaster(target, stamp, QPoint(1, 1), first.data(), int(first.size()));
  });
  const QImage topDown = Drawn(kPlain, [&](const TRasterTarget& target) {
    TRasterCover cover(target.bounds);
    StampOnRaster(target, stamp, QPoint(1, 1), first.data(), int(first.size()), &cover);
    DrawPolylineOnRaster(target, 0xFF0000FFu, first.data(), int(first.size()), nullptr, &cover);
    DrawPolylineOnRaster(target, 0xFF00A000u, second.data(), int(second.size()), nullptr, &cover);
  });
  EXPECT_TRUE(NearImage(topDown, inOrder, kEdgeMean, kEdgeMost, kEdgeShare)) << "a second polyline";
}

}  // namespace

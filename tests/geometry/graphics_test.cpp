#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "geometry/graphics.h"
#include "image_compare.h"

using namespace geometry;

namespace {

QImage WhiteImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

int CountPixels(const QImage& image, QRgb colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
  return count;
}

// The fast paths' smooth edges and QPainter's differ by a few levels where
// many lines cross: the mean difference of a channel over an image.
constexpr double kSmoothMean = 3.5;

}  // namespace

TEST(Graphics, ColoursConvertBetweenArgbAndToolkitOrder) {
  EXPECT_EQ(ArgbFromToolkitColor(0x0000FF), 0xFFFF0000u);  // red lives in the low byte
  EXPECT_EQ(ArgbFromToolkitColor(0xFFFFFF), 0xFFFFFFFFu);
  EXPECT_EQ(ToolkitColorFromColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
  EXPECT_EQ(ColorFromArgb(0x80FF0000).alpha(), 0x80);
}

TEST(Graphics, DashStylesOutsideTheRangeDrawSolid) {
  const std::array<Qt::PenStyle, 7> expected{Qt::SolidLine,      Qt::DashLine,  Qt::DotLine,  Qt::DashDotLine,
                                             Qt::DashDotDotLine, Qt::SolidLine, Qt::SolidLine};
  for (int dash = 0; dash < 7; ++dash) EXPECT_EQ(MakePen(0xFF000000, 1, dash).style(), expected[dash]) << dash;
  EXPECT_EQ(MakePen(0xFF000000, 1, -3).style(), Qt::SolidLine);
  // Widths that cannot be drawn as they stand draw thin.
  EXPECT_EQ(MakePen(0xFF000000, -2.5).widthF(), 0.0);
  EXPECT_EQ(MakePen(0xFF000000, std::nan("")).widthF(), 0.0);
  EXPECT_EQ(MakePen(0xFF000000, 2.5).widthF(), 2.5);
}

TEST(Graphics, ClearFillsTheWholeSurfaceIgnoringTransformAndClip) {
  QImage image = WhiteImage(20, 10);
  QPainter painter(&image);
  painter.translate(5, 5);
  painter.setClipRect(0, 0, 2, 2);
  TGraphics g(painter);
  g.Clear(0xFF0000FF);
  painter.end();
  EXPECT_EQ(CountPixels(image, 0xFF0000FF), 200);
}

TEST(Graphics, FillPolygonUsesAlternateFillMode) {
  // A pentagram's inner pentagon stays empty in alternate (odd-even) mode.
  QImage image = WhiteImage(100, 100);
  QPainter painter(&image);
  TGraphics g(painter);
  const std::array<QPointF, 5> star{QPointF(50, 5), QPointF(79, 95), QPointF(5, 38), QPointF(95, 38), QPointF(21, 95)};
  g.FillPolygon(MakeBrush(0xFF000000), star.data(), int(star.size()));
  painter.end();
  EXPECT_EQ(image.pixel(50, 55), 0xFFFFFFFFu);
  EXPECT_EQ(image.pixel(50, 15), 0xFF000000u);
}

TEST(Graphics, FontsMeasureAlikeOnDevicesOfAnyResolution) {
  QImage screen = WhiteImage(10, 10);
  QImage print = WhiteImage(10, 10);
  print.setDotsPerMeterX(int(300 / 0.0254));
  print.setDotsPerMeterY(int(300 / 0.0254));
  QPainter screenPainter(&screen);
  QPainter printPainter(&print);
  TGraphics a(screenPainter);
  TGraphics b(printPainter);
  const QSizeF sizeA = a.MeasureString("Composition", a.CreateFont("Arial", 12, 0));
  const QSizeF sizeB = b.MeasureString("Composition", b.CreateFont("Arial", 12, 0));
  EXPECT_NEAR(sizeA.width(), sizeB.width(), 2.0);
  EXPECT_NEAR(sizeA.height(), sizeB.height(), 1.0);
  // 12 points at 96 dpi are 16 pixels.
  EXPECT_NEAR(sizeA.height(), 16 * 1.15, 4.0);
}

TEST(Graphics, FontStyleBitsAndFallbackFamily) {
  QImage image = WhiteImage(10, 10);
  QPainter painter(&image);
  TGraphics g(painter);
  const QFont font =
      g.CreateFont("No Such Family Anywhere", 8, kFontBold | kFontItalic | kFontUnderline | kFontStrikeout);
  EXPECT_TRUE(font.bold());
  EXPECT_TRUE(font.italic());
  EXPECT_TRUE(font.underline());
  EXPECT_TRUE(font.strikeOut());
  EXPECT_FALSE(QFontInfo(font).family().isEmpty());
  // A size of 0 or less does not break font creation.
  EXPECT_GT(g.CreateFont("Arial", 0, 0).pointSizeF(), 0);
}

TEST(Graphics, MultiLineTextMeasuresTaller) {
  QImage image = WhiteImage(10, 10);
  QPainter painter(&image);
  TGraphics g(painter);
  const QFont font = g.CreateFont("Arial", 10, 0);
  const QSizeF one = g.MeasureString("Header", font);
  const QSizeF two = g.MeasureString("Header\r\nSecond line", font);
  EXPECT_GT(two.height(), 1.8 * one.height());
}

TEST(Graphics, DrawStringPlacesTextBelowAndRightOfTheCorner) {
  QImage image = WhiteImage(100, 60);
  QPainter painter(&image);
  TGraphics g(painter);
  g.DrawString("XX", g.CreateFont("Arial", 14, 0), MakeBrush(0xFF000000), QPointF(40, 20));
  painter.end();
  int minX = 100, minY = 100;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
      }
  EXPECT_GE(minX, 40);
  EXPECT_GE(minY, 20);
  EXPECT_LT(minX, 46);
  EXPECT_LT(minY, 32);
}

TEST(Graphics, StampingIsAvailableOnRasterImagesUnderUniformScales) {
  QImage image = WhiteImage(10, 10);
  QPainter painter(&image);
  TGraphics g(painter);
  EXPECT_EQ(g.StampScale(), 1.0);
  painter.translate(3, 4);
  EXPECT_EQ(g.StampScale(), 1.0);
  painter.scale(2, 2);
  EXPECT_EQ(g.StampScale(), 2.0);
  painter.scale(1, 1.5);
  EXPECT_FALSE(g.CanStamp());
  painter.resetTransform();
  painter.rotate(10);
  EXPECT_FALSE(g.CanStamp());
}

TEST(Graphics, StampBlendsOnNearestPixelAndRespectsClip) {
  QImage image = WhiteImage(40, 40);
  QImage stamp(3, 3, QImage::Format_ARGB32_Premultiplied);
  stamp.fill(Qt::transparent);
  stamp.setPixel(1, 1, 0xFFFF0000);                           // opaque red centre
  stamp.setPixel(0, 0, qPremultiply(qRgba(0, 0, 255, 128)));  // half-transparent blue corner
  QPainter painter(&image);
  painter.translate(1, 0);
  painter.setClipRect(0, 0, 29, 40);  // device columns 1 .. 29
  TGraphics g(painter);
  const std::array<QPointF, 3> points{QPointF(9.4, 10.6), QPointF(29.2, 10), QPointF(-1e30, 5)};
  g.StampImage(geometry::TStamps{{stamp}, QPoint(1, 1)}, points.data(), int(points.size()));
  painter.end();
  EXPECT_EQ(image.pixel(10, 11), 0xFFFF0000u);  // (9.4 + 1, 10.6) rounds to (10, 11)
  const QRgb corner = image.pixel(9, 10);
  EXPECT_NEAR(qRed(corner), 127, 2);
  EXPECT_EQ(qBlue(corner), 255);
  // The second stamp falls at device column 30, outside the clip.
  EXPECT_EQ(image.pixel(30, 10), 0xFFFFFFFFu);
}

namespace {

// The polyline drawn directly, then by QPainter, on 200 x 200 white images.
std::pair<QImage, QImage> DirectAndPainted(const std::vector<QPointF>& points) {
  QImage direct = WhiteImage(200, 200), painted = WhiteImage(200, 200);
  {
    QPainter painter(&direct);
    TGraphics g(painter);
    g.DrawLines(MakePen(0xFF0000FF, 1.0), points.data(), int(points.size()));
  }
  QPainter painter(&painted);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(MakePen(0xFF0000FF, 1.0));
  painter.drawPolyline(points.data(), int(points.size()));
  return {direct, painted};
}

}  // namespace

// Long polylines, and segments with an end far outside the image (an
// outlier, a deep zoom), which are cut to the image, not dropped: the
// pixels are those QPainter draws.
TEST(Graphics, DirectPolylinesMatchQPainter) {
  std::vector<QPointF> inside;
  for (int i = 0; i < 200; ++i) inside.emplace_back(10 + (i * 37) % 180 + 0.3, 10 + (i * 53) % 180 + 0.7);
  std::vector<std::pair<double, std::vector<QPointF>>> cases{{0, inside}};
  for (const double far : {2e2, 1e8 + 5, 3e9, 1e12}) {
    std::vector<QPointF>& points = cases.emplace_back(far, std::vector<QPointF>{}).second;
    for (int i = 0; i < 120; ++i) {
      const double angle = i * 0.37;
      const QPointF near(100 + (i * 13) % 60 - 30, 100 + (i * 29) % 60 - 30);
      points.push_back(near);
      if (i % 3 == 0) points.emplace_back(near.x() + far * std::cos(angle), near.y() + far * std::sin(angle));
    }
  }
  for (const auto& [far, points] : cases) {
    const auto [direct, painted] = DirectAndPainted(points);
    EXPECT_GT(200 * 200 - CountPixels(painted, 0xFFFFFFFF), 2000) << far;
    EXPECT_TRUE(NearImage(direct, painted, kSmoothMean, 128, 0.002)) << far;
  }
}

TEST(Graphics, DirectPolylinesStayInsideTheClip) {
  std::vector<QPointF> points;
  for (int i = 0; i < 100; ++i) points.emplace_back(i % 2 ? -500.0 : 700.0, i * 3.0);
  points.emplace_back(std::nan(""), 5);
  points.emplace_back(1e30, 5);
  QImage image = WhiteImage(100, 100);
  QPainter painter(&image);
  painter.setClipRect(20, 20, 50, 50);
  TGraphics g(painter);
  g.DrawLines(MakePen(0xFF000000, 1.0), points.data(), int(points.size()));
  painter.end();
  int outside = 0;
  int inside = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      const bool drawn = image.pixel(x, y) != 0xFFFFFFFFu;
      (QRect(20, 20, 50, 50).contains(x, y) ? inside : outside) += drawn;
    }
  EXPECT_EQ(outside, 0);
  EXPECT_GT(inside, 100);
}

TEST(Graphics, ColouredPolylinesGiveEachSegmentItsColourAndBlendTranslucentOnes) {
  // A zigzag of horizontal runs, long enough for the direct path, and the
  // same few segments drawn by QPainter.
  for (const int count : {8, 200}) {
    std::vector<QPointF> points;
    std::vector<uint32_t> colours;
    for (int i = 0; i < count; ++i) points.emplace_back(i % 2 ? 90.0 : 10.0, 5.5 + 3 * (i / 2));
    for (int i = 0; i + 1 < count; ++i) colours.push_back(i % 2 ? 0x80FF0000u : 0xFF0000FFu);
    QImage image = WhiteImage(100, 320);
    QPainter painter(&image);
    TGraphics g(painter);
    g.DrawColoredLines(MakePen(0xFF000000, 1.0), points.data(), count, colours.data());
    painter.end();
    // Segment 0 runs along the centres of row 5 in blue; segment 1 is a
    // translucent red diagonal from (90, 5.5) to (10, 8.5), crossing white
    // between rows 6 and 7 at x = 50: its coverage of them adds up to about
    // one pixel.
    EXPECT_EQ(image.pixel(50, 5), 0xFF0000FFu) << count;
    int redness = 0;
    for (int y = 6; y <= 7; ++y) {
      EXPECT_EQ(qRed(image.pixel(50, y)), 255) << count;
      redness += 255 - qGreen(image.pixel(50, y));
    }
    EXPECT_NEAR(redness, 128, 12) << count;
  }
}

// Pixels that are neither the background nor the shape's colour: the
// smoothed edges.
int EdgePixels(const QImage& image) {
  return image.width() * image.height() - CountPixels(image, 0xFFFFFFFF) - CountPixels(image, 0xFF000000);
}

TEST(Graphics, RasterDrawingIsSmoothAndLinesAlongTheGridStayCrisp) {
  struct TCase {
    const char* name;
    void (*draw)(TGraphics&);
    int fewestEdgePixels, mostEdgePixels;
  };
  const TCase cases[] = {
      {"slanted 3-pixel line",
       [](TGraphics& g) { g.DrawLine(MakePen(0xFF000000, 3.0), QPointF(5, 7), QPointF(55, 41)); }, 60, 400},
      {"15-pixel filled circles",
       [](TGraphics& g) {
         for (const QPointF centre : {QPointF(15, 15), QPointF(40.3, 30.6)})
           g.FillEllipse(MakeBrush(0xFF000000), QRectF(centre - QPointF(7.5, 7.5), QSizeF(15, 15)));
       },
       40, 200},
      {"horizontal 1-pixel tick",
       [](TGraphics& g) {
         g.DrawLine(MakePen(0xFF000000, 1.0), {10, 20}, {30, 20});
       },
       0, 0},
      {"vertical 1-pixel tick",
       [](TGraphics& g) {
         g.DrawLine(MakePen(0xFF000000, 1.0), {12.3, 4}, {12.3, 30});
       },
       0, 0},
      {"horizontal 2-pixel line",
       [](TGraphics& g) {
         g.DrawLine(MakePen(0xFF000000, 2.0), {3, 9.7}, {50, 9.7});
       },
       0, 0},
  };
  for (const TCase& c : cases) {
    QImage image = WhiteImage(64, 48);
    QPainter painter(&image);
    TGraphics g(painter);
    EXPECT_TRUE(g.Smooth());
    c.draw(g);
    painter.end();
    EXPECT_GE(EdgePixels(image), c.fewestEdgePixels) << c.name;
    EXPECT_LE(EdgePixels(image), c.mostEdgePixels) << c.name;
  }
  // The tick lies on one row, the one it lay on unsmoothed.
  QImage tick = WhiteImage(40, 40);
  QPainter painter(&tick);
  painter.translate(0, 0.25);
  TGraphics g(painter);
  g.DrawLine(MakePen(0xFF000000, 1.0), {10, 20}, {30, 20});
  painter.end();
  EXPECT_EQ(CountPixels(tick, 0xFF000000), 20);
  EXPECT_EQ(tick.pixel(20, 20), 0xFF000000u);
}

// The frames of a motion are drawn rough: the fast paths' long polylines and
// stamped markers then have no smoothed edges.
TEST(Graphics, FastPathsDrawRoughWhenSmoothingIsOff) {
  std::vector<QPointF> zigzag;
  for (int i = 0; i < 100; ++i) zigzag.emplace_back(3 + i * 0.55, i % 2 ? 50.3 : 10.7);
  const QPen pen = MakePen(0xFF000000, 1.0);
  const std::pair<const char*, void (*)(TGraphics&, const std::vector<QPointF>&)> cases[] = {
      {"polyline",
       [](TGraphics& g, const std::vector<QPointF>& points) {
         ASSERT_TRUE(g.DrawsLinesDirectly(MakePen(0xFF000000, 1.0), int(points.size())));
         g.DrawLines(MakePen(0xFF000000, 1.0), points.data(), int(points.size()));
       }},
      {"markers",
       [](TGraphics& g, const std::vector<QPointF>& points) {
         const TStamps stamps = TGraphics::MakeStamps(4, 1, g.Smooth(), true, [](TGraphics& s) {
           s.FillEllipse(MakeBrush(0xFF000000), QRectF(-3.5, -3.5, 7, 7));
         });
         g.StampImage(stamps, points.data(), int(points.size()));
       }},
  };
  for (const auto& [name, draw] : cases)
    for (const bool smooth : {true, false}) {
      QImage image = WhiteImage(64, 64);
      QPainter painter(&image);
      TGraphics g(painter);
      g.SetSmooth(smooth);
      draw(g, zigzag);
      painter.end();
      EXPECT_GT(64 * 64 - CountPixels(image, 0xFFFFFFFF), 300) << name << smooth;
      EXPECT_EQ(EdgePixels(image) > 100, smooth) << name << smooth;
    }
}

// Many markers and a long polyline, through the fast paths and through
// QPainter's own smooth drawing, alike at the device pixel ratios of common
// screens and of print.
TEST(Graphics, FastPathsMatchSmoothDrawingUnderAScale) {
  std::vector<QPointF> points;
  for (int i = 0; i < 400; ++i)
    points.emplace_back(8 + (i * 37) % 113 + 0.37 * (i % 7), 8 + (i * 53) % 97 + 0.21 * (i % 5));
  const QPen pen = MakePen(0xFF3050C0, 1.0), outline = MakePen(0xFF000000, 1.0);
  const QBrush fill = MakeBrush(0xFFE0A030);
  auto marker = [&](TGraphics& g, const QPointF& centre) {
    g.FillEllipse(fill, QRectF(centre - QPointF(3, 3), QSizeF(6, 6)));
    g.DrawEllipse(outline, QRectF(centre - QPointF(3, 3), QSizeF(6, 6)));
  };
  for (const double scale : {1.0, 1.5, 2.0, 300 / 96.0}) {
    const int side = int(130 * scale);
    QImage fast = WhiteImage(side, side), general = WhiteImage(side, side);
    {
      QPainter painter(&fast);
      painter.scale(scale, scale);
      TGraphics g(painter);
      ASSERT_EQ(g.StampScale(), scale);
      ASSERT_TRUE(g.DrawsLinesDirectly(pen, int(points.size())) || scale > 4) << scale;
      g.DrawLines(pen, points.data(), int(points.size()));
      const TStamps stamps = TGraphics::MakeStamps(5, scale, true, true, [&](TGraphics& s) { marker(s, {0, 0}); });
      g.StampImage(stamps, points.data(), int(points.size()));
    }
    {
      QPainter painter(&general);
      painter.scale(scale, scale);
      TGraphics g(painter);
      painter.setPen(pen);
      painter.drawPolyline(points.data(), int(points.size()));
      for (const QPointF& p : points) marker(g, p);
    }
    EXPECT_GT(EdgePixels(fast), side * side / 20) << scale;
    EXPECT_TRUE(NearImage(fast, general, kSmoothMean, 128, 0.01)) << scale;
  }
}

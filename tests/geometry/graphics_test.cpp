#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <array>
#include <cmath>

#include "geometry/graphics.h"

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

TEST(Graphics, StampingIsAvailableOnlyOnUnscaledRasterImages) {
  QImage image = WhiteImage(10, 10);
  QPainter painter(&image);
  TGraphics g(painter);
  EXPECT_TRUE(g.CanStamp());
  painter.translate(3, 4);
  EXPECT_TRUE(g.CanStamp());
  painter.scale(2, 2);
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
  g.StampImage(stamp, QPoint(1, 1), points.data(), int(points.size()));
  painter.end();
  EXPECT_EQ(image.pixel(10, 11), 0xFFFF0000u);  // (9.4 + 1, 10.6) rounds to (10, 11)
  const QRgb corner = image.pixel(9, 10);
  EXPECT_NEAR(qRed(corner), 127, 2);
  EXPECT_EQ(qBlue(corner), 255);
  // The second stamp falls at device column 30, outside the clip.
  EXPECT_EQ(image.pixel(30, 10), 0xFFFFFFFFu);
}

TEST(Graphics, LongPolylinesDrawnDirectlyMatchQPainter) {
  std::vector<QPointF> points;
  for (int i = 0; i < 200; ++i) points.emplace_back(10 + (i * 37) % 180 + 0.3, 10 + (i * 53) % 180 + 0.7);
  QImage direct = WhiteImage(200, 200);
  QImage painted = WhiteImage(200, 200);
  {
    QPainter painter(&direct);
    TGraphics g(painter);
    g.DrawLines(MakePen(0xFF0000FF, 1.0), points.data(), int(points.size()));
  }
  {
    QPainter painter(&painted);
    painter.setPen(MakePen(0xFF0000FF, 1.0));
    painter.drawPolyline(points.data(), int(points.size()));
  }
  const int drawn = CountPixels(painted, 0xFF0000FF);
  EXPECT_NEAR(CountPixels(direct, 0xFF0000FF), drawn, drawn / 20);
  // The two rasterisations may pick the other of two neighbouring pixels,
  // never one farther away.
  auto hasNeighbourIn = [](const QImage& image, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (image.valid(x + dx, y + dy) && image.pixel(x + dx, y + dy) == 0xFF0000FFu) return true;
    return false;
  };
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x) {
      if (direct.pixel(x, y) == 0xFF0000FFu) {
        EXPECT_TRUE(hasNeighbourIn(painted, x, y)) << x << "," << y;
      }
      if (painted.pixel(x, y) == 0xFF0000FFu) {
        EXPECT_TRUE(hasNeighbourIn(direct, x, y)) << x << "," << y;
      }
    }
}

// Segments with an end far outside the image (an outlier, a deep zoom) are
// cut to the image, not dropped: the pixels are those QPainter draws.
TEST(Graphics, DirectPolylinesWithFarEndsMatchQPainter) {
  for (const double far : {2e2, 1e8 + 5, 3e9, 1e12}) {
    std::vector<QPointF> points;
    for (int i = 0; i < 120; ++i) {
      const double angle = i * 0.37;
      const QPointF near(100 + (i * 13) % 60 - 30, 100 + (i * 29) % 60 - 30);
      points.push_back(near);
      if (i % 3 == 0) points.emplace_back(near.x() + far * std::cos(angle), near.y() + far * std::sin(angle));
    }
    QImage direct = WhiteImage(200, 200);
    QImage painted = WhiteImage(200, 200);
    {
      QPainter painter(&direct);
      TGraphics g(painter);
      g.DrawLines(MakePen(0xFF0000FF, 1.0), points.data(), int(points.size()));
    }
    {
      QPainter painter(&painted);
      painter.setPen(MakePen(0xFF0000FF, 1.0));
      painter.drawPolyline(points.data(), int(points.size()));
    }
    const int drawn = CountPixels(painted, 0xFF0000FF);
    EXPECT_GT(drawn, 2000) << far;
    EXPECT_NEAR(CountPixels(direct, 0xFF0000FF), drawn, drawn / 20) << far;
    int strays = 0;  // drawn by one and with no drawn neighbour in the other
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 200; ++x) {
        auto drawnNear = [&](const QImage& image) {
          for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
              if (image.valid(x + dx, y + dy) && image.pixel(x + dx, y + dy) == 0xFF0000FFu) return true;
          return false;
        };
        if (direct.pixel(x, y) == 0xFF0000FFu && !drawnNear(painted)) ++strays;
        if (painted.pixel(x, y) == 0xFF0000FFu && !drawnNear(direct)) ++strays;
      }
    EXPECT_EQ(strays, 0) << far;
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
      const bool black = image.pixel(x, y) == 0xFF000000u;
      (QRect(20, 20, 50, 50).contains(x, y) ? inside : outside) += black;
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
    for (int i = 0; i < count; ++i) points.emplace_back(i % 2 ? 90.0 : 10.0, 5.0 + i);
    for (int i = 0; i + 1 < count; ++i) colours.push_back(i % 2 ? 0x80FF0000u : 0xFF0000FFu);
    QImage image = WhiteImage(100, 220);
    QPainter painter(&image);
    TGraphics g(painter);
    g.DrawColoredLines(MakePen(0xFF000000, 1.0), points.data(), count, colours.data());
    painter.end();
    // Segment 0 runs along row 5 in blue; segment 1 is a translucent red
    // diagonal from (90, 6) to (10, 7), crossing white.
    EXPECT_EQ(image.pixel(50, 5), 0xFF0000FFu) << count;
    bool translucentRed = false;
    for (int y = 5; y <= 7; ++y)
      translucentRed |= image.pixel(50, y) == qRgb(255, 127, 127) || image.pixel(50, y) == qRgb(255, 128, 128);
    EXPECT_TRUE(translucentRed) << count;
  }
}

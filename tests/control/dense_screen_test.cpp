// Run as well under QT_SCALE_FACTOR=2 (see CMakeLists.txt), where the control
// has a device pixel ratio of 2.
#include <gtest/gtest.h>

#include "control_fixture.h"
#include "model/point_style.h"

namespace {

constexpr QRgb kRed = 0xFFFF0000;

// The centre of the red pixels of an image, in its own pixels.
QPointF RedCentre(const QImage& image) {
  QPointF sum;
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == kRed) sum += QPointF(x + 0.5, y + 0.5), ++count;
  return count ? sum / count : QPointF(-1, -1);
}

}  // namespace

TEST(DenseScreen, TheBitmapHasTheScreensPixelsAndAClickFindsThePointDrawnThere) {
  TShownControl shown(400, 300);
  const double ratio = shown.control.devicePixelRatioF();
  if (qEnvironmentVariable("QT_SCALE_FACTOR") == QLatin1String("2")) {
    EXPECT_EQ(ratio, 2.0);
  }
  EXPECT_EQ(shown.control.Bitmap().size(), QSize(400, 300) * ratio);
  EXPECT_EQ(shown.control.Bitmap().deviceIndependentSize(), QSizeF(400, 300));

  TPointsSerie& serie = AddPointsSerie(shown.control.Graph(), QStringLiteral("Red"), {{0.2, 0.3, 0.5}});
  serie.PointStyle().SetDotType(dtFilledSquare);
  serie.PointStyle().SetSize(9);
  serie.PointStyle().SetLineColor(kRed);
  serie.PointStyle().SetFillColor(kRed);
  // Where the marker shows, in logical pixels, read from the picture alone.
  const QPoint logical = (RedCentre(shown.control.Bitmap()) / ratio).toPoint();
  ASSERT_TRUE(shown.control.rect().contains(logical));
  EXPECT_LE((logical - shown.DeviceOf({0.2, 0.3, 0.5})).manhattanLength(), 2);

  QTest::mouseMove(&shown.control, logical);
  EXPECT_TRUE(shown.control.Hint().contains(QStringLiteral("Serie : Red"))) << shown.control.Hint().toStdString();
  TSerieHit hit;
  EXPECT_TRUE(shown.control.HitTest(logical.x(), logical.y(), hit));
  shown.control.ZoomInAt(logical.x(), logical.y(), TGraphControl::kCoarseStep);
  EXPECT_LE((shown.DeviceOf({0.2, 0.3, 0.5}) - logical).manhattanLength(), 2);
}

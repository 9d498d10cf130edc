// Drawing through the device that merges a fill with the outline that follows.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <array>
#include <functional>

#include "geometry/graphics.h"
#include "vector_device/shape_merging_device.h"

namespace {

constexpr QSize kSize(200, 160);

// Fills followed by their outlines, a fill whose outline is another shape,
// an outline alone, lines, text, a clip and a transform.
void DrawScene(TGraphics& g) {
  g.Clear(0xFFFFFFCC);
  const QPen red = geometry::MakePen(0xFFFF0000, 1);
  const QBrush blue = geometry::MakeBrush(0xFF0000FF);
  const QBrush halfGreen = geometry::MakeBrush(0x8000FF00);
  for (int i = 0; i < 5; ++i) {
    const QRectF square(10 + 12 * i, 10, 7, 7);
    g.FillRectangle(blue, square);
    g.DrawRectangle(red, square);
  }
  g.FillEllipse(halfGreen, QRectF(20, 30, 30, 20));
  g.DrawEllipse(red, QRectF(20, 30, 30, 20));
  const std::array<QPointF, 3> triangle{QPointF(60, 60), QPointF(90, 30), QPointF(120, 60)};
  g.FillPolygon(blue, triangle.data(), 3);
  g.DrawPolygon(red, triangle.data(), 3);
  g.FillRectangle(halfGreen, QRectF(130, 10, 20, 20));
  g.DrawRectangle(red, QRectF(135, 15, 20, 20));
  g.DrawLine(geometry::MakePen(0xFF000000, 2, DashStyleDash), QPointF(10, 80), QPointF(190, 80));
  g.DrawString(QStringLiteral("Granite"), g.CreateFont(QStringLiteral("Arial"), 10, kFontBold),
               geometry::MakeBrush(0xFF000000), QPointF(10, 90));
  g.SetClip(QRect(100, 100, 40, 40));
  g.Painter().scale(2, 1);
  g.FillRectangle(blue, QRectF(40, 90, 40, 40));
  g.DrawRectangle(red, QRectF(40, 90, 40, 40));
  g.ResetClip();
}

QImage Render(const std::function<void(QPainter&)>& paint) {
  QImage image(kSize, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  paint(painter);
  return image;
}

TEST(ShapeMergingDevice, DrawsTheSamePictureAsTheTargetDirectly) {
  const QImage direct = Render([](QPainter& painter) {
    TGraphics g(painter);
    g.SetSmooth(false);  // as the merged shapes reach the target: a vector device has no smoothing
    DrawScene(g);
  });
  const QImage merged = Render([](QPainter& target) {
    vector_device::TShapeMergingDevice device(target);
    QPainter painter(&device);
    TGraphics g(painter);
    DrawScene(g);
  });
  EXPECT_EQ(merged, direct);
}

TEST(ShapeMergingDevice, KeepsTheTargetsTransformUnderTheDrawing) {
  const auto drawSquare = [](QPainter& painter) {
    TGraphics g(painter);
    g.FillRectangle(geometry::MakeBrush(0xFF0000FF), QRectF(10, 10, 20, 20));
    g.DrawRectangle(geometry::MakePen(0xFFFF0000, 1), QRectF(10, 10, 20, 20));
  };
  const QImage direct = Render([&](QPainter& painter) {
    painter.scale(2, 2);
    drawSquare(painter);
  });
  const QImage merged = Render([&](QPainter& target) {
    target.scale(2, 2);
    vector_device::TShapeMergingDevice device(target);
    QPainter painter(&device);
    drawSquare(painter);
  });
  EXPECT_EQ(merged, direct);
}

TEST(ShapeMergingDevice, FilledAndOutlinedMarkersBecomeOneSvgShapeEach) {
  QByteArray svg;
  QBuffer buffer(&svg);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(kSize);
  {
    QPainter target(&generator);
    vector_device::TShapeMergingDevice device(target);
    QPainter painter(&device);
    TGraphics g(painter);
    for (int i = 0; i < 50; ++i) {
      const QRectF square(i * 3, i * 2, 5, 5);
      g.FillRectangle(geometry::MakeBrush(0xFF1F4FBF), square);
      g.DrawRectangle(geometry::MakePen(0xFF1F4FBF, 1), square);
    }
  }
  EXPECT_EQ(svg.count("<rect"), 50);
  EXPECT_LE(svg.count("<g "), 3);
}

}  // namespace

// The streaming SVG writer: a well-formed document of the device's size,
// read back by Qt's SVG renderer into the same picture as painted directly.

#include "svg/svg_writer.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <cmath>
#include <functional>
#include <limits>

#include "svg/svg_stream.h"

namespace {

constexpr QSize kSize(200, 150);
using TDrawing = std::function<void(QPainter&)>;

QByteArray WriteSvg(const TDrawing& draw, QSize size = kSize) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  svg::TSvgWriter writer(buffer, size);
  {
    QPainter painter(&writer);
    draw(painter);
  }
  EXPECT_TRUE(writer.Finished());
  EXPECT_FALSE(writer.Failed());
  return bytes;
}

QImage White(QSize size = kSize) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

QImage PaintDirectly(const TDrawing& draw) {
  QImage image = White();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);  // as the SVG renderer paints
  draw(painter);
  return image;
}

QImage RenderSvg(const QByteArray& svg) {
  QImage image = White();
  QSvgRenderer renderer(svg);
  EXPECT_TRUE(renderer.isValid());
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

// Share of pixels whose colours differ by more than a little in any channel.
double DifferentShare(const QImage& a, const QImage& b) {
  int different = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) > 24 || std::abs(qGreen(p) - qGreen(q)) > 24 ||
          std::abs(qBlue(p) - qBlue(q)) > 24)
        ++different;
    }
  return double(different) / (a.width() * a.height());
}

QPen Pen(const QColor& color, double width, Qt::PenStyle style = Qt::SolidLine) {
  QPen pen(color, width, style);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

void ExpectSamePicture(const TDrawing& draw, double tolerance = 0.01) {
  const QImage direct = PaintDirectly(draw);
  const QByteArray svg = WriteSvg(draw);
  const QImage fromSvg = RenderSvg(svg);
  EXPECT_LT(DifferentShare(direct, fromSvg), tolerance) << svg.constData();
}

QString TextOfElements(const QByteArray& svg, const QString& tag) {
  QXmlStreamReader reader(svg);
  QString text;
  while (!reader.atEnd()) {
    reader.readNext();
    if (reader.isStartElement() && reader.name() == tag) text += reader.readElementText();
  }
  return text;
}

}  // namespace

TEST(SvgStream, NumbersAreShortWithAtMostTwoDecimals) {
  const std::pair<double, const char*> cases[] = {{1.0, "1"},
                                                  {2.5, "2.5"},
                                                  {-3.25, "-3.25"},
                                                  {1.0 / 3, "0.33"},
                                                  {-0.001, "0"},
                                                  {1e6, "1000000"},
                                                  {-1e20, "-100000000000000000000"},
                                                  {199.999, "200"},
                                                  {std::numeric_limits<double>::quiet_NaN(), "0"}};
  for (const auto& [value, expected] : cases) {
    std::string text;
    svg::AppendNumber(text, value);
    EXPECT_EQ(text, expected) << value;
  }
}

TEST(SvgWriter, DocumentIsWellFormedWithSizeViewBoxAndEscapedTexts) {
  const QString text = QStringLiteral("a < b & \"c\" > 'd' é");
  const QByteArray svg = WriteSvg([&](QPainter& painter) {
    painter.setPen(Qt::black);
    painter.drawText(QPointF(10, 40), text);
  });
  QXmlStreamReader reader(svg);
  while (!reader.atEnd()) reader.readNext();
  EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
  EXPECT_TRUE(svg.contains("width=\"200\" height=\"150\" viewBox=\"0 0 200 150\""));
  EXPECT_EQ(TextOfElements(svg, QStringLiteral("text")), text);
  EXPECT_TRUE(svg.trimmed().endsWith("</svg>"));
}

TEST(SvgWriter, ShapesInOneStyleShareOneGroup) {
  const QByteArray svg = WriteSvg([](QPainter& painter) {
    painter.setPen(Pen(Qt::black, 1));
    painter.setBrush(Qt::red);
    for (int i = 0; i < 50; ++i) painter.drawRect(QRectF(i * 3, 10, 2, 2));
  });
  EXPECT_EQ(svg.count("<rect"), 50);
  EXPECT_EQ(svg.count("<g"), 1);
  EXPECT_TRUE(svg.contains("<rect x=\"3\" y=\"10\" width=\"2\" height=\"2\"/>"));
}

TEST(SvgWriter, StreamsToTheDeviceWhilePainting) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  svg::TSvgWriter writer(buffer, kSize);
  QPainter painter(&writer);
  painter.setBrush(Qt::blue);
  for (int i = 0; i < 60000; ++i) painter.drawRect(QRectF(i % 190 + 0.5, i % 140 + 0.25, 5, 5));
  EXPECT_GT(bytes.size(), 1000000);  // written before the painting ends
  painter.end();
  EXPECT_TRUE(bytes.trimmed().endsWith("</svg>"));
}

TEST(SvgWriter, ReportsAFailedWrite) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);  // takes no writing
  svg::TSvgWriter writer(buffer, kSize);
  {
    QPainter painter(&writer);
    painter.drawLine(0, 0, 10, 10);
  }
  EXPECT_TRUE(writer.Failed());
  EXPECT_FALSE(writer.ErrorString().isEmpty());
}

TEST(SvgWriter, ShapesAndColoursMatchThePaintedPicture) {
  ExpectSamePicture([](QPainter& painter) {
    painter.setPen(Pen(Qt::blue, 3));
    painter.setBrush(QColor(255, 200, 0));
    painter.drawRect(QRectF(10, 10, 60, 40));
    painter.setBrush(QColor(0, 160, 0));
    painter.drawEllipse(QRectF(90, 10, 80, 50));
    painter.setPen(Pen(Qt::red, 2));
    painter.drawLine(QPointF(10, 80), QPointF(190, 80));
    painter.drawPolyline(QPolygonF({QPointF(10, 140), QPointF(60, 100), QPointF(110, 140)}));
    QPainterPath path;
    path.moveTo(120, 140);
    path.cubicTo(140, 90, 170, 90, 190, 140);
    path.closeSubpath();
    painter.setBrush(Qt::magenta);
    painter.drawPath(path);
  });
}

TEST(SvgWriter, TranslucentFillsBlendLikeThePaintedOnes) {
  const TDrawing draw = [](QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 255, 128));
    painter.drawRect(QRectF(20, 20, 100, 100));
  };
  const QImage picture = RenderSvg(WriteSvg(draw));
  const QColor expected(PaintDirectly(draw).pixel(70, 70));
  const QColor actual(picture.pixel(70, 70));
  EXPECT_NEAR(actual.red(), expected.red(), 3);
  EXPECT_NEAR(actual.blue(), expected.blue(), 3);
  EXPECT_NEAR(actual.red(), 127, 3);
}

TEST(SvgWriter, EvenOddPolygonsLeaveTheirInnerPartEmpty) {
  const TDrawing draw = [](QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const QPolygonF twice({QPointF(20, 20), QPointF(180, 20), QPointF(180, 130), QPointF(20, 130), QPointF(20, 20),
                           QPointF(60, 50), QPointF(140, 50), QPointF(140, 100), QPointF(60, 100), QPointF(60, 50)});
    painter.drawPolygon(twice, Qt::OddEvenFill);
  };
  const QImage picture = RenderSvg(WriteSvg(draw));
  EXPECT_EQ(picture.pixel(100, 75), qRgb(255, 255, 255));
  EXPECT_EQ(picture.pixel(30, 75), qRgb(0, 0, 0));
  ExpectSamePicture(draw);
}

TEST(SvgWriter, DashedLinesKeepTheirGaps) {
  const TDrawing draw = [](QPainter& painter) {
    painter.setPen(Pen(Qt::black, 4, Qt::DashLine));
    painter.drawLine(QPointF(0, 50), QPointF(200, 50));
    painter.setPen(Pen(Qt::black, 2, Qt::DotLine));
    painter.drawLine(QPointF(0, 100), QPointF(200, 100));
  };
  const QImage picture = RenderSvg(WriteSvg(draw));
  // A dash is four widths long, the gap after it two.
  EXPECT_EQ(picture.pixel(8, 50), qRgb(0, 0, 0));
  EXPECT_EQ(picture.pixel(20, 50), qRgb(255, 255, 255));
  EXPECT_EQ(picture.pixel(26, 50), qRgb(0, 0, 0));
  ExpectSamePicture(draw, 0.005);
}

// Qt's own SVG renderer ignores clip paths: the document is read instead.
TEST(SvgWriter, ClipKeepsDrawingInsideItsRectangleUntilReset) {
  const QByteArray svg = WriteSvg([](QPainter& painter) {
    painter.setClipRect(QRectF(50, 40, 60, 50));
    painter.fillRect(QRectF(0, 0, 200, 150), Qt::green);
    painter.setClipping(false);
    painter.fillRect(QRectF(150, 100, 40, 40), Qt::red);
  });
  QXmlStreamReader reader(svg);
  QStringList clipRects, clippedFills, unclippedFills, clipsOfGroups{QString()};
  bool inClipPath = false;
  while (!reader.atEnd()) {
    reader.readNext();
    if (reader.isEndElement() && reader.name() == QLatin1String("g")) clipsOfGroups.pop_back();
    if (reader.isEndElement() && reader.name() == QLatin1String("clipPath")) inClipPath = false;
    if (!reader.isStartElement()) continue;
    const QXmlStreamAttributes attributes = reader.attributes();
    if (reader.name() == QLatin1String("clipPath")) inClipPath = true;
    if (reader.name() == QLatin1String("g")) {
      const QString clip = attributes.value(QLatin1String("clip-path")).toString();
      clipsOfGroups << (clip.isEmpty() ? clipsOfGroups.back() : clip);
    }
    if (reader.name() != QLatin1String("rect")) continue;
    const QString box =
        QStringList{attributes.value(QLatin1String("x")).toString(), attributes.value(QLatin1String("y")).toString(),
                    attributes.value(QLatin1String("width")).toString(),
                    attributes.value(QLatin1String("height")).toString()}
            .join(QLatin1Char(' '));
    if (inClipPath)
      clipRects << box;
    else
      (clipsOfGroups.back().isEmpty() ? unclippedFills : clippedFills) << box;
  }
  EXPECT_FALSE(reader.hasError());
  EXPECT_EQ(clipRects, QStringList{QStringLiteral("50 40 60 50")});
  EXPECT_EQ(clippedFills, QStringList{QStringLiteral("0 0 200 150")});
  EXPECT_EQ(unclippedFills, QStringList{QStringLiteral("150 100 40 40")});
}

TEST(SvgWriter, TransformsMoveScaleAndRotateShapes) {
  ExpectSamePicture([](QPainter& painter) {
    painter.translate(20, 10);
    painter.scale(1.5, 1.5);
    painter.setPen(Pen(Qt::black, 1));
    painter.setBrush(Qt::cyan);
    painter.drawRect(QRectF(0, 0, 30, 20));
    painter.resetTransform();
    painter.translate(140, 80);
    painter.rotate(30);
    painter.drawRect(QRectF(-25, -15, 50, 30));
    painter.drawEllipse(QRectF(-10, -30, 20, 10));
  });
}

TEST(SvgWriter, TextLandsRoughlyWhereItWasPainted) {
  const TDrawing draw = [](QPainter& painter) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(28);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::darkBlue);
    painter.drawText(QPointF(20, 60), QStringLiteral("Granite"));
  };
  const QImage direct = PaintDirectly(draw);
  const QImage picture = RenderSvg(WriteSvg(draw));
  const auto inkBox = [](const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
    return box;
  };
  const QRect expected = inkBox(direct), actual = inkBox(picture);
  ASSERT_FALSE(expected.isEmpty());
  EXPECT_NEAR(actual.left(), expected.left(), 2);
  EXPECT_NEAR(actual.right(), expected.right(), 4);
  EXPECT_NEAR(actual.top(), expected.top(), 2);
  EXPECT_NEAR(actual.bottom(), expected.bottom(), 2);
}

TEST(SvgWriter, ImagesAreEmbeddedAsPng) {
  QImage tile(10, 10, QImage::Format_RGB32);
  tile.fill(Qt::red);
  const TDrawing draw = [&tile](QPainter& painter) { painter.drawImage(QRectF(30, 30, 40, 40), tile); };
  const QByteArray svg = WriteSvg(draw);
  EXPECT_TRUE(svg.contains("data:image/png;base64,"));
  EXPECT_EQ(RenderSvg(svg).pixel(50, 50), qRgb(255, 0, 0));
}

// The painter draws underline and strike-out itself, as lines under and
// through the text: the text must not carry them a second time.
TEST(SvgWriter, UnderlineAndStrikeOutAreDrawnOnce) {
  const QByteArray svg = WriteSvg([](QPainter& painter) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(20);
    font.setUnderline(true);
    font.setStrikeOut(true);
    painter.setFont(font);
    painter.drawText(QPointF(10, 40), QStringLiteral("Under"));
  });
  EXPECT_EQ(svg.count("<text"), 1);
  EXPECT_EQ(svg.count("<line"), 2);
  EXPECT_FALSE(svg.contains("text-decoration"));
}

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QPainterPath>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cmath>

#include "emf/emf_recorder.h"
#include "emf_reader.h"
#include "recording.h"
#include "vector_device/shape_merging_device.h"

using namespace emf_test;

namespace {

constexpr uint32_t kEmrRectangle = 43;
constexpr uint32_t kEmrPolygon16 = 86;
const QSize kFrame(400, 300);

QImage Rendered(const QByteArray& emf) { return RenderSvg(ConvertToSvg(emf), kFrame); }

std::vector<TSvgElement> ElementsOf(const QByteArray& emf, const QString& tag) {
  std::vector<TSvgElement> found;
  for (const TSvgElement& element : ReadSvgElements(ConvertToSvg(emf)))
    if (element.tag == tag) found.push_back(element);
  return found;
}

// The device box of an SVG path's points.
QRectF PathBox(const TSvgElement& path) {
  static const QRegularExpression pair(QStringLiteral("(-?[0-9.]+),(-?[0-9.]+)"));
  QPolygonF points;
  for (auto match = pair.globalMatch(path.attributes.value(QStringLiteral("d"))); match.hasNext();) {
    const auto next = match.next();
    points << QPointF(next.captured(1).toDouble(), next.captured(2).toDouble());
  }
  return path.transform.map(points).boundingRect();
}

QPen Pen(const QColor& color, double width, Qt::PenStyle style = Qt::SolidLine) {
  QPen pen(color, width, style);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

}  // namespace

TEST(EmfDrawing, LinesKeepTheirColourAndWidth) {
  const QImage image = Rendered(Record(kFrame, [](QPainter& painter) {
    painter.setPen(Pen(Qt::blue, 6));
    painter.drawLine(QPointF(20, 50), QPointF(380, 50));
    painter.drawPolyline(QPolygonF({QPointF(20, 100), QPointF(200, 100), QPointF(200, 200)}));
  }));
  EXPECT_EQ(image.pixel(200, 48), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(200, 52), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(200, 56), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(100, 100), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(200, 150), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(100, 150), qRgb(255, 255, 255));
}

TEST(EmfDrawing, EveryDashStyleReachesBothRecordSets) {
  struct TCase {
    Qt::PenStyle style;
    int lineStyle;  // as EMF+ numbers it
  };
  const std::array<TCase, 5> cases{
      {{Qt::SolidLine, 0}, {Qt::DashLine, 1}, {Qt::DotLine, 2}, {Qt::DashDotLine, 3}, {Qt::DashDotDotLine, 4}}};
  QStringList patterns;
  for (const TCase& test : cases) {
    const QByteArray emf = Record(kFrame, [&](QPainter& painter) {
      painter.setPen(Pen(Qt::blue, 2, test.style));
      painter.drawLine(QPointF(20, 50), QPointF(380, 50));
    });
    EXPECT_TRUE(ListRecords(emf).contains(QStringLiteral("Style:%1").arg(test.lineStyle))) << test.lineStyle;
    const std::vector<TSvgElement> paths = ElementsOf(emf, QStringLiteral("path"));
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0].attributes.value(QStringLiteral("stroke")), QLatin1String("#0000FF"));
    patterns << paths[0].attributes.value(QStringLiteral("stroke-dasharray"));
  }
  EXPECT_TRUE(patterns[0].isEmpty());
  for (int i = 1; i < 5; ++i) {
    EXPECT_FALSE(patterns[i].isEmpty()) << i;
    for (int j = 1; j < i; ++j) EXPECT_NE(patterns[i], patterns[j]) << i << " " << j;
  }
}

TEST(EmfDrawing, TranslucentFillsAreOpaqueInEmfAndKeepTheirAlphaInEmfPlus) {
  const QByteArray emf = Record(kFrame, [](QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 0, 0, 128));
    const QPointF triangle[3] = {{50, 60}, {150, 60}, {100, 150}};
    painter.drawPolygon(triangle, 3, Qt::OddEvenFill);
  });
  EXPECT_EQ(Rendered(emf).pixel(100, 90), qRgb(255, 0, 0));
  const QString listing = ListRecords(emf);
  const qsizetype fill = listing.indexOf(QLatin1String("U_PMR_FillPolygon"));
  ASSERT_GE(fill, 0);
  EXPECT_TRUE(listing.mid(fill, 300).contains(QLatin1String("RGBA{FF,00,00,80}")))
      << listing.mid(fill, 300).toStdString();
}

TEST(EmfDrawing, PolygonsKeepTheirFillRule) {
  // The reader lists the fill mode in force for each polygon but does not
  // apply it to its SVG, so the listing is what is checked.
  const auto fillModeOfPolygon = [](Qt::FillRule rule) {
    const QString listing = ListRecords(Record(kFrame, [&](QPainter& painter) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(Qt::black);
      const QPointF star[5] = {{150, 5}, {179, 95}, {105, 38}, {195, 38}, {121, 95}};
      painter.drawPolygon(star, 5, rule);
    }));
    const qsizetype polygon = listing.indexOf(QLatin1String("U_EMR_POLYGON16"));
    const qsizetype mode = listing.lastIndexOf(QLatin1String("U_EMR_SETPOLYFILLMODE"), polygon);
    return mode < 0 ? QString() : listing.mid(mode, polygon - mode).section(QLatin1String("iMode:"), 1).trimmed();
  };
  EXPECT_TRUE(fillModeOfPolygon(Qt::OddEvenFill).startsWith(QLatin1String("0x00000001")));  // alternate
  EXPECT_TRUE(fillModeOfPolygon(Qt::WindingFill).startsWith(QLatin1String("0x00000002")));
}

TEST(EmfDrawing, RectanglesAndEllipsesAreFilledAndOutlined) {
  const QImage image = Rendered(Record(kFrame, [](QPainter& painter) {
    painter.setPen(Pen(Qt::black, 4));
    painter.setBrush(QColor(0, 160, 0));
    painter.drawRect(QRectF(20, 20, 100, 60));
    painter.setBrush(QColor(0, 0, 200));
    painter.drawEllipse(QRectF(200, 20, 100, 60));
  }));
  EXPECT_EQ(image.pixel(70, 50), qRgb(0, 160, 0));
  EXPECT_EQ(image.pixel(20, 50), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(70, 80), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(250, 50), qRgb(0, 0, 200));
  EXPECT_EQ(image.pixel(200, 50), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(205, 25), qRgb(255, 255, 255));  // outside the ellipse, inside its box
}

TEST(EmfDrawing, AFillThenAnOutlineOfTheSameShapeBecomeOneEmfRecord) {
  emf::TEmfRecorder recorder(kFrame);
  QPainter target(&recorder);
  vector_device::TShapeMergingDevice merging(target);
  QPainter painter(&merging);
  for (int i = 0; i < 3; ++i) {  // as the diagram draws a square marker
    const QRectF box(10 + 20 * i, 10, 5, 5);
    painter.fillRect(box, Qt::gray);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
  }
  painter.end();
  target.end();
  const QByteArray emf = recorder.Finish();
  EXPECT_EQ(CountRecords(emf, kEmrRectangle), 3);
  for (const TSvgElement& rect : ElementsOf(emf, QStringLiteral("rect"))) {
    EXPECT_EQ(rect.attributes.value(QStringLiteral("fill")), QLatin1String("#A0A0A4"));
    EXPECT_EQ(rect.attributes.value(QStringLiteral("stroke")), QLatin1String("#000000"));
  }
}

TEST(EmfDrawing, TextKeepsItsFamilySizeWeightAndColour) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(14);
  font.setBold(true);
  const std::vector<TSvgElement> texts =
      ElementsOf(Record(kFrame,
                        [&](QPainter& painter) {
                          painter.setFont(font);
                          painter.setPen(QColor(128, 0, 128));
                          painter.drawText(QPointF(20, 100), QStringLiteral("Bold Hello"));
                        }),
                 QStringLiteral("text"));
  ASSERT_EQ(texts.size(), 1u);
  const TSvgElement& text = texts[0];
  EXPECT_EQ(text.text, QLatin1String("Bold Hello"));
  EXPECT_EQ(text.attributes.value(QStringLiteral("font-family")), QLatin1String("Arial"));
  EXPECT_EQ(text.attributes.value(QStringLiteral("font-weight")), QLatin1String("700"));
  EXPECT_EQ(text.attributes.value(QStringLiteral("fill")), QLatin1String("#800080"));
  EXPECT_NEAR(text.Number(QStringLiteral("font-size")) * text.transform.m22(), 14 * 96 / 72.0, 0.1);
}

TEST(EmfDrawing, TextSitsOnThePaintersBaseline) {
  emf::TEmfRecorder recorder(kFrame);
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(12);
  font.setItalic(true);
  QPainter painter(&recorder);
  painter.fillRect(QRect(QPoint(0, 0), kFrame), Qt::white);  // so that SVG and device pixels coincide
  painter.setFont(font);
  painter.drawText(QRectF(20, 170, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, QStringLiteral("Top left"));
  painter.end();
  const double baseline = 170 + QFontMetricsF(font, &recorder).ascent();
  const std::vector<TSvgElement> texts = ElementsOf(recorder.Finish(), QStringLiteral("text"));
  ASSERT_EQ(texts.size(), 1u);
  const QPointF origin = texts[0].transform.map(QPointF(texts[0].Number("x"), texts[0].Number("y")));
  EXPECT_NEAR(origin.x(), 20, 1 / 16.0);
  EXPECT_NEAR(origin.y(), baseline, 1 / 16.0);
  EXPECT_EQ(texts[0].attributes.value(QStringLiteral("font-style")), QLatin1String("italic"));
}

TEST(EmfDrawing, UnderlineAndStrikeOutAreDrawnAsLinesInTheTextColour) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(12);
  font.setUnderline(true);
  font.setStrikeOut(true);
  const QByteArray emf = Record(kFrame, [&](QPainter& painter) {
    painter.setFont(font);
    painter.setPen(Qt::red);
    painter.drawText(QPointF(20, 100), QStringLiteral("Decorated"));
  });
  std::vector<double> lines;
  for (const TSvgElement& path : ElementsOf(emf, QStringLiteral("path"))) {
    EXPECT_EQ(path.attributes.value(QStringLiteral("stroke")), QLatin1String("#FF0000"));
    lines.push_back(PathBox(path).center().y());
  }
  ASSERT_EQ(lines.size(), 2u);
  std::sort(lines.begin(), lines.end());
  EXPECT_LT(lines[0], 100);  // strike-out above the baseline
  EXPECT_GT(lines[1], 100);  // underline below it
}

TEST(EmfDrawing, ClipRectangleLimitsWhatFollowsUntilClippingEnds) {
  const QByteArray emf = Record(kFrame, [](QPainter& painter) {
    painter.setClipRect(QRect(200, 150, 50, 40));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRectF(180, 130, 120, 120));
    painter.setClipping(false);
    painter.drawRect(QRectF(10, 10, 20, 20));
  });
  const std::vector<TSvgElement> elements = ReadSvgElements(ConvertToSvg(emf));
  const auto ellipse = std::find_if(elements.begin(), elements.end(),
                                    [](const TSvgElement& e) { return e.tag == QLatin1String("ellipse"); });
  ASSERT_NE(ellipse, elements.end());
  const QString reference = ellipse->attributes.value(QStringLiteral("clip-path"));
  ASSERT_TRUE(reference.startsWith(QLatin1String("url(#")));
  const QString id = reference.mid(5).chopped(1);
  const auto clip = std::find_if(elements.begin(), elements.end(), [&](const TSvgElement& e) {
    return e.clipPathId == id && e.tag == QLatin1String("path");
  });
  ASSERT_NE(clip, elements.end());
  EXPECT_EQ(PathBox(*clip), QRectF(200, 150, 50, 40));
  const auto rect = std::find_if(elements.rbegin(), elements.rend(),
                                 [](const TSvgElement& e) { return e.tag == QLatin1String("rect"); });
  ASSERT_NE(rect, elements.rend());
  EXPECT_FALSE(rect->attributes.contains(QStringLiteral("clip-path")));
}

TEST(EmfDrawing, RestoringThePainterRestoresItsClip) {
  const QByteArray emf = Record(kFrame, [](QPainter& painter) {
    painter.translate(100, 100);
    painter.setClipRect(QRect(0, 0, 50, 40));
    painter.save();
    painter.resetTransform();
    painter.setClipping(false);  // as clearing the background does
    painter.fillRect(QRectF(10, 10, 20, 20), Qt::red);
    painter.restore();
    painter.fillRect(QRectF(-20, -20, 200, 200), Qt::blue);
  });
  // Clip path names differ from one conversion to the next: convert once.
  const std::vector<TSvgElement> elements = ReadSvgElements(ConvertToSvg(emf));
  std::vector<TSvgElement> rects;
  std::copy_if(elements.begin(), elements.end(), std::back_inserter(rects),
               [](const TSvgElement& e) { return e.tag == QLatin1String("rect"); });
  ASSERT_EQ(rects.size(), 3u);  // the frame, the red and the blue rectangle
  EXPECT_FALSE(rects[1].attributes.contains(QStringLiteral("clip-path")));
  const QString reference = rects[2].attributes.value(QStringLiteral("clip-path"));
  const auto clip = std::find_if(elements.begin(), elements.end(), [&](const TSvgElement& e) {
    return !e.clipPathId.isEmpty() && reference == QStringLiteral("url(#%1)").arg(e.clipPathId);
  });
  ASSERT_NE(clip, elements.end());
  EXPECT_EQ(PathBox(*clip), QRectF(100, 100, 50, 40));
}

TEST(EmfDrawing, WorldTransformTranslatesAndScales) {
  const QByteArray emf = Record(kFrame, [](QPainter& painter) {
    painter.translate(100, 50);
    painter.scale(2, 3);
    painter.fillRect(QRectF(0, 0, 10, 10), Qt::red);
    painter.setPen(Pen(Qt::blue, 2));
    painter.drawLine(QPointF(0, 20), QPointF(10, 20));
  });
  const QImage image = Rendered(emf);
  EXPECT_EQ(image.pixel(110, 65), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(125, 65), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(110, 85), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(110, 110), qRgb(0, 0, 255));  // y = 50 + 3 * 20, about 6 pixels thick
  EXPECT_EQ(image.pixel(110, 114), qRgb(255, 255, 255));
  EXPECT_EQ(ListRecords(emf).count(QLatin1String("U_PMR_SetWorldTransform")), 1);
}

TEST(EmfDrawing, CosmeticPensKeepTheirDeviceWidthUnderScaling) {
  const QByteArray emf = Record(kFrame, [](QPainter& painter) {
    painter.scale(4, 4);
    QPen pen = Pen(Qt::blue, 2);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.drawLine(QPointF(5, 10), QPointF(90, 10));
  });
  const std::vector<TSvgElement> paths = ElementsOf(emf, QStringLiteral("path"));
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_NEAR(paths[0].Number(QStringLiteral("stroke-width")) * paths[0].transform.m22(), 2.0, 1 / 16.0);
}

TEST(EmfDrawing, PathsAreDrawnAsPolygons) {
  const QImage image = Rendered(Record(kFrame, [](QPainter& painter) {
    QPainterPath path;
    path.addRoundedRect(QRectF(50, 50, 100, 80), 20, 20);
    painter.setPen(Pen(Qt::black, 2));
    painter.setBrush(Qt::blue);
    painter.drawPath(path);
  }));
  EXPECT_EQ(image.pixel(100, 90), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(51, 51), qRgb(255, 255, 255));  // the rounded corner is cut off
  EXPECT_EQ(image.pixel(100, 50), qRgb(0, 0, 0));
}

TEST(EmfDrawing, ImagesAreWrittenAsBitmaps) {
  QImage picture(20, 10, QImage::Format_RGB32);
  picture.fill(qRgb(0, 128, 0));
  for (int y = 0; y < 5; ++y)  // a red top half tells up from down
    for (int x = 0; x < 20; ++x) picture.setPixel(x, y, qRgb(255, 0, 0));
  const QImage image =
      Rendered(Record(kFrame, [&](QPainter& painter) { painter.drawImage(QRectF(100, 100, 80, 40), picture); }));
  EXPECT_EQ(image.pixel(140, 105), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(140, 135), qRgb(0, 128, 0));
  EXPECT_EQ(image.pixel(140, 150), qRgb(255, 255, 255));
}

TEST(EmfDrawing, TransparentPartsOfImagesShowWhatIsBeneath) {
  QImage picture(10, 10, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 5; ++x) picture.setPixel(x, y, qRgb(0, 0, 255));
  const QImage image = Rendered(Record(kFrame, [&](QPainter& painter) {
    painter.fillRect(QRectF(0, 0, 400, 300), Qt::red);
    painter.drawImage(QRectF(100, 100, 40, 40), picture);
  }));
  EXPECT_EQ(image.pixel(105, 120), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(135, 120), qRgb(255, 0, 0));
}

TEST(EmfDrawing, LongIntegerPolygonsStayOnePolygon) {
  QPolygon circle;
  for (int i = 0; i < 300; ++i)
    circle << QPoint(int(200 + 100 * std::cos(i * 2 * M_PI / 300)), int(150 + 100 * std::sin(i * 2 * M_PI / 300)));
  const QByteArray emf = Record(kFrame, [&](QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::blue);
    painter.drawPolygon(circle);
  });
  EXPECT_EQ(CountRecords(emf, kEmrPolygon16), 1);
  EXPECT_EQ(Rendered(emf).pixel(200, 150), qRgb(0, 0, 255));
}

TEST(EmfDrawing, ManyPensAndBrushesKeepTheirColours) {
  // More colours than the object tables hold, so objects are replaced.
  const auto colour = [](int i) { return QColor(i * 6, 255 - i * 6, (i * 37) % 256); };
  const QImage image = Rendered(Record(kFrame, [&](QPainter& painter) {
    for (int i = 0; i < 40; ++i) {
      painter.setPen(Pen(colour(i), 4));
      painter.drawLine(QPointF(10 * i + 5, 10), QPointF(10 * i + 5, 100));
      painter.setPen(Qt::NoPen);
      painter.setBrush(colour(39 - i));
      painter.drawRect(QRectF(10 * i, 150, 8, 50));
    }
  }));
  for (int i = 0; i < 40; ++i) {
    EXPECT_EQ(image.pixel(10 * i + 5, 50), colour(i).rgb()) << i;
    EXPECT_EQ(image.pixel(10 * i + 4, 175), colour(39 - i).rgb()) << i;
  }
}

TEST(EmfDrawing, ManyFontsKeepTheirSizes) {
  const QByteArray emf = Record(kFrame, [](QPainter& painter) {
    for (int i = 0; i < 12; ++i) {
      QFont font(QStringLiteral("Arial"));
      font.setPixelSize(8 + 2 * i);
      painter.setFont(font);
      painter.drawText(QPointF(10, 20 + 22 * i), QStringLiteral("Size %1").arg(8 + 2 * i));
    }
  });
  const std::vector<TSvgElement> texts = ElementsOf(emf, QStringLiteral("text"));
  ASSERT_EQ(texts.size(), 12u);
  for (const TSvgElement& text : texts) {
    const int size = text.text.mid(5).toInt();
    EXPECT_NEAR(text.Number(QStringLiteral("font-size")) * text.transform.m22(), size, 1 / 16.0) << size;
  }
}

TEST(EmfDrawing, FullyTransparentColoursDrawNothing) {
  const QByteArray emf = Record(kFrame, [](QPainter& painter) {
    painter.setPen(QColor(255, 0, 0, 0));
    painter.setBrush(QColor(0, 0, 255, 0));
    painter.drawRect(QRectF(10, 10, 50, 50));
    painter.drawText(QPointF(10, 100), QStringLiteral("hidden"));
  });
  EXPECT_EQ(CountRecords(emf, kEmrRectangle), 1);  // the white frame only
  EXPECT_TRUE(ElementsOf(emf, QStringLiteral("text")).empty());
}

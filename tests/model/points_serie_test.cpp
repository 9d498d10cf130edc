#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <functional>
#include <pugixml.hpp>
#include <random>
#include <string>
#include <vector>

#include "change_counter.h"
#include "geometry/device_conversions.h"
#include "image_compare.h"
#include "model/points_serie.h"
#include "model/xml_document.h"
#include "serie_canvas.h"

namespace {

// Puts one point of the series at each world position of the canvas.
void AddAt(TPointsSerie& serie, const TSerieCanvas& canvas, const std::vector<QPointF>& positions) {
  TUpdateScope batch(serie);
  for (const QPointF& p : positions) serie.Items().Add(canvas.At(p.x(), p.y()));
}

// Points on the row y = 100 at x = 20, 40, 60, ...
std::vector<QPointF> Row(int count) {
  std::vector<QPointF> positions;
  for (int i = 0; i < count; ++i) positions.emplace_back(20 + 20 * i, 100);
  return positions;
}

// A series that shows only its arrow head: markers of a shape that draws
// nothing, no polyline.
void ShowArrowOnly(TPointsSerie& serie) {
  serie.PointStyle().SetDotType(TDotType(13));
  serie.LineStyle().SetVisible(false);
  serie.LineStyle().SetColor(TSerieCanvas::kBlue);
  serie.SetDrawArrow(true);
}

QPointF InkCentroid(const TSerieCanvas& canvas) {
  double x = 0;
  double y = 0;
  int n = 0;
  for (int row = 0; row < canvas.image.height(); ++row)
    for (int col = 0; col < canvas.image.width(); ++col)
      if (!canvas.IsWhite(col, row)) {
        x += col + 0.5;
        y += row + 0.5;
        ++n;
      }
  return n ? QPointF(x / n, y / n) : QPointF(-1, -1);
}

std::string ChildNames(pugi::xml_node node) {
  std::string names;
  for (const pugi::xml_node child : node.children()) names += std::string(child.name()) + ",";
  return names;
}

}  // namespace

TEST(PointsSerie, NewSerieHasDefaults) {
  TPointsSerie serie;
  EXPECT_STREQ(serie.ClassName(), "TPointsSerie");
  EXPECT_EQ(serie.Name(), QStringLiteral("Unnamed"));
  EXPECT_TRUE(serie.Visible());
  EXPECT_FALSE(serie.Removeable());
  EXPECT_TRUE(serie.Tag().isEmpty());
  EXPECT_EQ(serie.Frequency(), 1);
  EXPECT_FALSE(serie.DrawArrow());
  EXPECT_EQ(serie.Items().Count(), 0);
  EXPECT_EQ(serie.PointStyle().Size(), 5);
  EXPECT_EQ(serie.LineStyle().Width(), 1.0f);
}

TEST(PointsSerie, NameVisibleAndDrawArrowNotifyWhenChanged) {
  TPointsSerie serie;
  TChangeCounter changes(serie);
  serie.SetName(QStringLiteral("Unnamed"));
  serie.SetVisible(true);
  serie.SetDrawArrow(false);
  EXPECT_EQ(changes.count, 0);
  serie.SetName(QStringLiteral("S1"));
  serie.SetVisible(false);
  serie.SetDrawArrow(true);
  EXPECT_EQ(changes.count, 3);
}

TEST(PointsSerie, FrequencyRemoveableAndTagAreStoredSilently) {
  TPointsSerie serie;
  TChangeCounter changes(serie);
  serie.SetFrequency(4);
  serie.SetRemoveable(true);
  serie.SetTag(QStringLiteral("t"));
  EXPECT_EQ(changes.count, 0);
  EXPECT_EQ(serie.Frequency(), 4);
  EXPECT_TRUE(serie.Removeable());
  EXPECT_EQ(serie.Tag(), QStringLiteral("t"));
}

TEST(PointsSerie, FrequencyNeverFallsBelowOne) {
  TPointsSerie serie;
  for (int value : {0, -5, 1, std::numeric_limits<int>::min()}) {
    serie.SetFrequency(3);
    serie.SetFrequency(value);
    EXPECT_EQ(serie.Frequency(), 1) << value;
  }
}

TEST(PointsSerie, StyleChangeIsOneChangeOfTheSerie) {
  TPointsSerie serie;
  TChangeCounter changes(serie);
  serie.PointStyle().SetSize(9);
  serie.LineStyle().SetColor(TSerieCanvas::kRed);
  EXPECT_EQ(changes.count, 2);
  {
    TUpdateScope batch(serie);
    serie.PointStyle().SetSize(3);
    serie.LineStyle().SetWidth(2.0f);
  }
  EXPECT_EQ(changes.count, 3);
  serie.Refresh();
  EXPECT_EQ(changes.count, 4);
}

TEST(PointsSerie, SetDefaultsKeepsNameRemoveableAndTag) {
  TPointsSerie serie;
  serie.SetName(QStringLiteral("S"));
  serie.SetRemoveable(true);
  serie.SetTag(QStringLiteral("t"));
  serie.SetVisible(false);
  serie.SetFrequency(3);
  serie.SetDrawArrow(true);
  serie.PointStyle().SetSize(12);
  serie.LineStyle().SetWidth(4.0f);
  serie.Items().Add({1, 0, 0});
  TChangeCounter changes(serie);
  serie.SetDefaults();
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(serie.Name(), QStringLiteral("S"));
  EXPECT_TRUE(serie.Removeable());
  EXPECT_EQ(serie.Tag(), QStringLiteral("t"));
  EXPECT_TRUE(serie.Visible());
  EXPECT_EQ(serie.Frequency(), 1);
  EXPECT_FALSE(serie.DrawArrow());
  EXPECT_EQ(serie.Items().Count(), 0);
  EXPECT_EQ(serie.PointStyle().Size(), 5);
  EXPECT_EQ(serie.LineStyle().Width(), 1.0f);
}

// A hit is the last point within the tolerance, bounds included, whatever
// the sampling and visibility; a miss leaves `found` as it was.
TEST(PointsSerie, HitTestFindsTheLastPointWithinTheTolerance) {
  const TTernaryPoint a{0.2, 0.3, 0.5}, b{0.6, 0.2, 0.2}, lone{0.5, 0.25, 0.25}, untouched{7, 8, 9};
  const struct {
    const char* name;
    std::vector<TTernaryPoint> points;
    bool sampledAndHidden;
    TTernaryPoint at;
    double tolerance;
    int expected;
  } cases[] = {
      {"the last of two", {a, b, a}, false, {0.21, 0.29, 0.5}, 0.02, 2},
      {"an exact hit", {a, b, a}, false, {0.6, 0.2, 0.2}, 0.0, 1},
      {"on the lower bound", {lone}, false, {0.25, 0.25, 0.25}, 0.25, 0},
      {"on the upper bound", {lone}, false, {0.75, 0.25, 0.5}, 0.25, 0},
      {"just beyond the bound", {lone}, false, {0.25, 0.25, 0.25}, 0.2499, -1},
      {"an empty serie", {}, false, {0, 0, 0}, 1.0, -1},
      {"a miss", {{1, 0, 0}}, false, {0, 1, 0}, 0.1, -1},
      {"sampled and hidden", {{1, 0, 0}, {0, 1, 0}}, true, {0, 1, 0}, 0.01, 1},
  };
  for (const auto& c : cases) {
    TPointsSerie serie;
    for (const TTernaryPoint& p : c.points) serie.Items().Add(p);
    if (c.sampledAndHidden) {
      serie.SetFrequency(2);
      serie.SetVisible(false);
      serie.PointStyle().SetVisible(false);
    }
    TTernaryPoint found = untouched;
    EXPECT_EQ(serie.HitTest(c.at, found, c.tolerance), c.expected) << c.name;
    EXPECT_EQ(found, c.expected < 0 ? untouched : c.points[size_t(c.expected)]) << c.name;
  }
}

TEST(PointsSerie, BoundsSpanThePointsAndHalfAMarker) {
  TSerieCanvas canvas;
  TPointsSerie serie;
  serie.Items().Add({1, 0, 0});
  serie.Items().Add({0, 1, 0});
  serie.Items().Add({0, 0, 1});
  serie.SetFrequency(5);  // ignored
  const TDoubleRect bounds = serie.GetBounds(canvas.g, canvas.projection);
  EXPECT_DOUBLE_EQ(bounds.Left, -0.025);
  EXPECT_DOUBLE_EQ(bounds.Right, 1.025);
  EXPECT_DOUBLE_EQ(bounds.Bottom, -0.025);
  EXPECT_DOUBLE_EQ(bounds.Top, TProjection::kHeightFactor + 0.025);

  serie.PointStyle().SetVisible(false);
  const TDoubleRect lineOnly = serie.GetBounds(canvas.g, canvas.projection);
  EXPECT_DOUBLE_EQ(lineOnly.Left, -0.005);
  EXPECT_DOUBLE_EQ(lineOnly.Top, TProjection::kHeightFactor + 0.005);
}

TEST(PointsSerie, BoundsOfOnePointFollowTheAxisOrder) {
  TSerieCanvas canvas;
  canvas.projection.Rotate(true);
  TPointsSerie serie;
  serie.Items().Add({1, 0, 0});
  const TDoublePoint p = canvas.projection.TernaryToPlane({1, 0, 0}, true);
  const TDoubleRect bounds = serie.GetBounds(canvas.g, canvas.projection);
  EXPECT_DOUBLE_EQ(bounds.Left, p.X - 0.025);
  EXPECT_DOUBLE_EQ(bounds.Right, p.X + 0.025);
  EXPECT_DOUBLE_EQ(bounds.Top, p.Y + 0.025);
  EXPECT_DOUBLE_EQ(bounds.Bottom, p.Y - 0.025);
  EXPECT_EQ(serie.GetPixelRect(canvas.g, canvas.projection),
            geometry::PlaneRectToDeviceRect(canvas.g, canvas.projection, bounds));
}

TEST(PointsSerie, EmptyOrHiddenSerieHasNoBounds) {
  TSerieCanvas canvas;
  TPointsSerie serie;
  EXPECT_EQ(serie.GetBounds(canvas.g, canvas.projection), TDoubleRect{});
  serie.Items().Add({0.2, 0.3, 0.5});
  serie.SetVisible(false);
  EXPECT_EQ(serie.GetBounds(canvas.g, canvas.projection), TDoubleRect{});
  serie.SetVisible(true);
  serie.PointStyle().SetVisible(false);
  serie.LineStyle().SetVisible(false);
  EXPECT_EQ(serie.GetBounds(canvas.g, canvas.projection), TDoubleRect{});
}

TEST(PointsSerie, TextFormIsTheNameThenOneLinePerPoint) {
  TDefaultLocaleScope locale(QLocale::c());
  TPointsSerie serie;
  serie.SetName(QStringLiteral("S1"));
  serie.Items().Add({0.2, 0.3, 0.5});
  serie.Items().Add({1, 0, 0});
  QString text = QStringLiteral("replaced");
  serie.GetText(text);
  EXPECT_EQ(text, QStringLiteral("S1\r\n0.2\t0.3\t0.5\r\n1\t0\t0"));

  // With a value for any point, every line gets a fourth field.
  serie.Items().PutValue(1, 2.5);
  serie.GetText(text);
  EXPECT_EQ(text, QStringLiteral("S1\r\n0.2\t0.3\t0.5\t\r\n1\t0\t0\t2.5"));
}

TEST(PointsSerie, TextFormUsesTheUsersDecimalSeparator) {
  TDefaultLocaleScope locale(QLocale(QLocale::French, QLocale::France));
  TPointsSerie serie;
  serie.SetName(QString());
  serie.Items().Add({0.25, 1e-7, 0.75}, -0.5);
  QString text;
  serie.GetText(text);
  EXPECT_EQ(text, QStringLiteral("0,25\t1e-07\t0,75\t-0,5"));
}

TEST(PointsSerie, TextFormOfAnEmptyUnnamedSerieIsEmpty) {
  TPointsSerie serie;
  serie.SetName(QString());
  QString text = QStringLiteral("x");
  serie.GetText(text);
  EXPECT_TRUE(text.isEmpty());
}

TEST(PointsSerie, OnePointDrawsOneMarkerAndNoArrow) {
  TSerieCanvas canvas;
  TPointsSerie serie;
  serie.SetDrawArrow(true);
  AddAt(serie, canvas, {QPointF(50, 50)});
  serie.Draw(canvas.g, canvas.projection);
  EXPECT_EQ(canvas.InkRect(), QRect(QPoint(47, 47), QPoint(52, 52)));
}

TEST(PointsSerie, MarkersLieOverThePolyline) {
  TSerieCanvas canvas;
  TPointsSerie serie;
  serie.LineStyle().SetColor(TSerieCanvas::kRed);
  AddAt(serie, canvas, {QPointF(20, 50), QPointF(80, 50)});
  serie.Draw(canvas.g, canvas.projection);
  EXPECT_EQ(canvas.Pixel(50, 50), TSerieCanvas::kRed);
  EXPECT_EQ(canvas.Pixel(20, 50), 0xFF808080u);
  EXPECT_EQ(canvas.Pixel(80, 50), 0xFF808080u);
}

struct TArrowCase {
  int pointCount;
  int frequency;
  double centreX;  // the middle of the sampled middle segment, on the row y = 100
};

class PointsSerieArrow : public ::testing::TestWithParam<TArrowCase> {};

TEST_P(PointsSerieArrow, SitsOnTheMiddleSegment) {
  TSerieCanvas canvas;
  TPointsSerie serie;
  ShowArrowOnly(serie);
  serie.SetFrequency(GetParam().frequency);
  AddAt(serie, canvas, Row(GetParam().pointCount));
  serie.Draw(canvas.g, canvas.projection);
  const QRect ink = canvas.InkRect();
  EXPECT_NEAR(ink.center().x(), GetParam().centreX, 1.0);
  EXPECT_NEAR(ink.center().y(), 100, 1.0);
  EXPECT_LE(ink.width(), 9);
  EXPECT_LE(ink.height(), 7);
  EXPECT_TRUE(canvas.Contains(TSerieCanvas::kBlue));
}

INSTANTIATE_TEST_SUITE_P(Cases, PointsSerieArrow,
                         ::testing::Values(TArrowCase{2, 1, 30}, TArrowCase{4, 1, 50}, TArrowCase{5, 1, 70},
                                           TArrowCase{7, 3, 110}));

TEST(PointsSerie, ArrowPointsAlongTheSegment) {
  struct TCase {
    QPointF from, to;
    QPointF centroid;  // of the head: a third of the way from the base to the tip
  };
  // The head's centroid lies 4/3 units behind the segment's middle (50, 50).
  for (const TCase& c : {TCase{QPointF(20, 50), QPointF(80, 50), QPointF(48.67, 50)},
                         TCase{QPointF(80, 50), QPointF(20, 50), QPointF(51.33, 50)},
                         TCase{QPointF(50, 20), QPointF(50, 80), QPointF(50, 48.67)},
                         TCase{QPointF(50, 80), QPointF(50, 20), QPointF(50, 51.33)},
                         TCase{QPointF(50, 50), QPointF(50, 50), QPointF(51.33, 50)}}) {
    TSerieCanvas canvas;
    TPointsSerie serie;
    ShowArrowOnly(serie);
    AddAt(serie, canvas, {c.from, c.to});
    serie.Draw(canvas.g, canvas.projection);
    const QPointF centroid = InkCentroid(canvas);
    EXPECT_NEAR(centroid.x(), c.centroid.x(), 0.5) << c.from.x() << "," << c.from.y();
    EXPECT_NEAR(centroid.y(), c.centroid.y(), 0.5) << c.from.x() << "," << c.from.y();
  }
}

TEST(PointsSerie, ArrowGrowsWithTheLineWidth) {
  TSerieCanvas canvas;
  TPointsSerie serie;
  ShowArrowOnly(serie);
  serie.LineStyle().SetWidth(3.0f);
  AddAt(serie, canvas, {QPointF(20, 100), QPointF(180, 100)});
  serie.Draw(canvas.g, canvas.projection);
  const QRect ink = canvas.InkRect();
  EXPECT_NEAR(ink.width(), 24, 1);
  EXPECT_NEAR(ink.height(), 18, 1);
}

TEST(PointsSerie, ArrowTakesTheStartColourInGradientMode) {
  TSerieCanvas canvas;
  TPointsSerie serie;
  ShowArrowOnly(serie);
  serie.LineStyle().SetColorMode(cmGradient);
  serie.LineStyle().SetEndColor(TSerieCanvas::kRed);
  AddAt(serie, canvas, Row(5));
  serie.Draw(canvas.g, canvas.projection);
  EXPECT_EQ(canvas.Pixel(68, 100), TSerieCanvas::kBlue);
}

TEST(PointsSerie, HiddenLineStillShowsMarkersAndArrow) {
  TSerieCanvas canvas;
  TPointsSerie serie;
  serie.LineStyle().SetVisible(false);
  serie.LineStyle().SetColor(TSerieCanvas::kBlue);
  serie.SetDrawArrow(true);
  AddAt(serie, canvas, Row(3));
  serie.Draw(canvas.g, canvas.projection);
  EXPECT_EQ(canvas.Pixel(20, 100), 0xFF808080u);
  EXPECT_EQ(canvas.Pixel(48, 100), TSerieCanvas::kBlue);  // the head on the middle segment
  EXPECT_TRUE(canvas.IsWhite(30, 100));                   // no polyline
}

TEST(PointsSerie, SamplingDrawsEveryFrequencythPoint) {
  TSerieCanvas canvas;
  TPointsSerie serie;
  serie.SetFrequency(3);
  AddAt(serie, canvas, Row(7));
  serie.Draw(canvas.g, canvas.projection);
  for (int i = 0; i < 7; ++i) {
    const int x = 20 + 20 * i;
    EXPECT_EQ(canvas.Pixel(x, 100) == 0xFF808080u, i % 3 == 0) << i;
  }
  EXPECT_EQ(canvas.Pixel(50, 100), TSerieCanvas::kBlack);  // on the polyline 0-3
}

TEST(PointsSerie, GradientPolylineStopsShortOfTheEndColour) {
  TSerieCanvas canvas;
  TPointsSerie serie;
  serie.PointStyle().SetVisible(false);
  serie.LineStyle().SetColorMode(cmGradient);
  serie.LineStyle().SetEndColor(TSerieCanvas::kRed);
  AddAt(serie, canvas, Row(5));
  serie.Draw(canvas.g, canvas.projection);
  // Segment j of k = 5 points takes j / 5 of the way: red 0, 51, 102, 153.
  EXPECT_EQ(canvas.Pixel(30, 100), 0xFF000000u);
  EXPECT_EQ(canvas.Pixel(50, 100), 0xFF330000u);
  EXPECT_EQ(canvas.Pixel(70, 100), 0xFF660000u);
  EXPECT_EQ(canvas.Pixel(90, 100), 0xFF990000u);
}

TEST(PointsSerie, HiddenSerieOrStylesDrawNothing) {
  for (int hidden = 0; hidden < 2; ++hidden) {
    TSerieCanvas canvas;
    TPointsSerie serie;
    serie.SetDrawArrow(true);
    AddAt(serie, canvas, Row(4));
    if (hidden == 0) {
      serie.SetVisible(false);
    } else {
      serie.PointStyle().SetVisible(false);
      serie.LineStyle().SetVisible(false);
    }
    serie.Draw(canvas.g, canvas.projection);
    EXPECT_TRUE(canvas.InkRect().isEmpty()) << hidden;
  }
}

TEST(PointsSerie, EmptySerieDrawsNothing) {
  TSerieCanvas canvas;
  TPointsSerie serie;
  serie.Draw(canvas.g, canvas.projection);
  EXPECT_TRUE(canvas.InkRect().isEmpty());
}

TEST(PointsSerie, LegendShowsTheMarkerThenTheLineOverTheBitmap) {
  QImage bitmap(60, 20, QImage::Format_RGB32);
  bitmap.fill(0xFF00FF00);
  TPointsSerie serie;
  TChangeCounter changes(serie);
  serie.DrawSample(bitmap);
  EXPECT_EQ(bitmap.pixel(10, 10), 0xFF808080u);  // marker centred in the left square
  EXPECT_EQ(bitmap.pixel(7, 10), 0xFF000000u);
  EXPECT_EQ(bitmap.pixel(15, 10), 0xFF00FF00u);
  EXPECT_EQ(bitmap.pixel(22, 10), 0xFF000000u);  // line from H + 2 ...
  EXPECT_EQ(bitmap.pixel(57, 10), 0xFF000000u);  // ... to H + 2 + 2 * 18
  EXPECT_EQ(bitmap.pixel(21, 10), 0xFF00FF00u);
  EXPECT_EQ(bitmap.pixel(58, 10), 0xFF00FF00u);
  EXPECT_EQ(bitmap.pixel(40, 5), 0xFF00FF00u);
  EXPECT_EQ(changes.count, 0);
}

TEST(PointsSerie, LegendLimitsMarkerAndLineForThePictureOnly) {
  QImage bitmap(60, 20, QImage::Format_RGB32);
  bitmap.fill(Qt::white);
  TPointsSerie serie;
  serie.PointStyle().SetSize(40);
  serie.LineStyle().SetWidth(30.0f);
  TChangeCounter changes(serie);
  serie.DrawSample(bitmap);
  EXPECT_LT(qRed(bitmap.pixel(3, 10)), 0x50);  // size 14 about (10, 10): its smoothed outline
  EXPECT_EQ(bitmap.pixel(1, 10), 0xFFFFFFFFu);
  int rows = 0;
  for (int y = 0; y < 20; ++y) rows += bitmap.pixel(40, y) == 0xFF000000u;
  EXPECT_EQ(rows, 10);  // width limited to H / 2
  EXPECT_EQ(changes.count, 0);
  EXPECT_EQ(serie.PointStyle().Size(), 40);
  EXPECT_EQ(serie.LineStyle().Width(), 30.0f);

  TSerieCanvas canvas(60, 60);
  serie.LineStyle().DrawSegment(canvas.g, QPointF(0, 30), QPointF(60, 30), 1, 0);
  EXPECT_EQ(canvas.InkRect().height(), 30);  // the pen has its width back
}

TEST(PointsSerie, NarrowLegendGetsOneSegment) {
  QImage bitmap(26, 20, QImage::Format_RGB32);
  bitmap.fill(Qt::white);
  TPointsSerie serie;
  serie.PointStyle().SetVisible(false);
  serie.DrawSample(bitmap);
  EXPECT_EQ(bitmap.pixel(22, 10), 0xFF000000u);
  EXPECT_EQ(bitmap.pixel(23, 10), 0xFF000000u);
  EXPECT_EQ(bitmap.pixel(24, 10), 0xFFFFFFFFu);
  EXPECT_EQ(bitmap.pixel(21, 10), 0xFFFFFFFFu);
}

TEST(PointsSerie, LegendGradientRunsAcrossThePicture) {
  QImage bitmap(124, 20, QImage::Format_RGB32);  // a = 100: 50 segments
  bitmap.fill(Qt::white);
  TPointsSerie serie;
  serie.LineStyle().SetColorMode(cmGradient);
  serie.LineStyle().SetEndColor(TSerieCanvas::kRed);
  serie.DrawSample(bitmap);
  EXPECT_EQ(bitmap.pixel(22, 10), 0xFF000000u);
  EXPECT_EQ(bitmap.pixel(72, 10), model::InterpolateColor(0xFF000000, TSerieCanvas::kRed, 50, 25));
  EXPECT_EQ(bitmap.pixel(121, 10), model::InterpolateColor(0xFF000000, TSerieCanvas::kRed, 50, 49));
}

TEST(PointsSerie, LowOrEmptyLegendBitmapsAreHandled) {
  TPointsSerie serie;
  QImage none;
  serie.DrawSample(none);
  QImage low(30, 5, QImage::Format_RGB32);
  low.fill(Qt::white);
  serie.DrawSample(low);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(low.pixel(x, 2), 0xFFFFFFFFu) << x;  // no room for a marker
  EXPECT_EQ(low.pixel(15, 2), 0xFF000000u);
}

TEST(PointsSerie, SavesItsChildrenInOrder) {
  TPointsSerie serie;
  serie.SetName(QStringLiteral("S1"));
  serie.Items().Add({0.2, 0.3, 0.5});
  pugi::xml_document doc;
  const pugi::xml_node node = doc.append_child("Serie");
  serie.SaveToXML(node);
  EXPECT_EQ(ChildNames(node), "LineStyle,Name,PointStyle,Removeable,Tag,Visible,Frequency,DrawArrow,Items,");
  EXPECT_STREQ(node.child("Name").text().get(), "S1");
  EXPECT_STREQ(node.child("Removeable").text().get(), "False");
  EXPECT_TRUE(node.child("Tag").first_child().empty());
  EXPECT_STREQ(node.child("Frequency").text().get(), "1");
  EXPECT_STREQ(node.child("DrawArrow").text().get(), "False");
  EXPECT_STREQ(node.child("Items").child("TP").text().get(), "0.2;0.3;0.5");
  EXPECT_EQ(ChildNames(node.child("LineStyle")), "Color,ColorMode,EndColor,DashStyle,Visible,Width,");
  EXPECT_EQ(ChildNames(node.child("PointStyle")), "DotType,FillColor,LineColor,Size,Visible,");

  // A value for any item adds the values after the items, one per item.
  serie.Items().Add({0.1, 0.1, 0.8}, 0.25);
  const pugi::xml_node valued = doc.append_child("Serie");
  serie.SaveToXML(valued);
  EXPECT_EQ(ChildNames(valued), "LineStyle,Name,PointStyle,Removeable,Tag,Visible,Frequency,DrawArrow,Items,Values,");
  EXPECT_EQ(ChildNames(valued.child("Values")), "V,V,");
  EXPECT_STREQ(valued.child("Values").first_child().text().get(), "");
  EXPECT_STREQ(valued.child("Values").last_child().text().get(), "0.25");
}

TEST(PointsSerie, ReadsBackWhatItWrote) {
  TPointsSerie original;
  original.SetName(QStringLiteral(" Série <1> "));
  original.SetTag(QStringLiteral("tag & more"));
  original.SetRemoveable(true);
  original.SetVisible(false);
  original.SetFrequency(3);
  original.SetDrawArrow(true);
  original.PointStyle().SetDotType(dtCross);
  original.LineStyle().SetWidth(2.5f);
  original.Items().Add({0.2, 0.3, 0.5});
  original.Items().Add({1e-6, 0, 1}, -1.5e-7);
  pugi::xml_document doc;
  original.SaveToXML(doc.append_child("Serie"));

  TPointsSerie copy;
  TChangeCounter changes(copy);
  copy.LoadFromXML(doc.first_child());
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(copy.Name(), original.Name());
  EXPECT_EQ(copy.Tag(), original.Tag());
  EXPECT_TRUE(copy.Removeable());
  EXPECT_FALSE(copy.Visible());
  EXPECT_EQ(copy.Frequency(), 3);
  EXPECT_TRUE(copy.DrawArrow());
  EXPECT_EQ(copy.PointStyle().DotType(), dtCross);
  EXPECT_EQ(copy.LineStyle().Width(), 2.5f);
  ASSERT_EQ(copy.Items().Count(), 2);
  EXPECT_EQ(copy.Items().Get(1), (TTernaryPoint{1e-6, 0, 1}));
  EXPECT_TRUE(std::isnan(copy.Items().Value(0)));
  EXPECT_EQ(copy.Items().Value(1), -1.5e-7);
}

struct TSerieLoadCase {
  const char* fragment;
  bool visible;
  int frequency;
  bool drawArrow;
  // Named by its fragment in test output.
  friend void PrintTo(const TSerieLoadCase& c, std::ostream* os) { *os << c.fragment; }
};

class PointsSerieLoading : public ::testing::TestWithParam<TSerieLoadCase> {};

TEST_P(PointsSerieLoading, ConvertsPropertyByProperty) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(GetParam().fragment));
  TPointsSerie serie;
  serie.LoadFromXML(doc.first_child());
  EXPECT_EQ(serie.Visible(), GetParam().visible);
  EXPECT_EQ(serie.Frequency(), GetParam().frequency);
  EXPECT_EQ(serie.DrawArrow(), GetParam().drawArrow);
  EXPECT_EQ(serie.Name(), QStringLiteral("Unnamed"));
}

INSTANTIATE_TEST_SUITE_P(
    Fragments, PointsSerieLoading,
    ::testing::Values(
        TSerieLoadCase{"<Serie/>", true, 1, false},
        TSerieLoadCase{"<Serie><Visible>0</Visible><Frequency>0</Frequency></Serie>", false, 1, false},
        TSerieLoadCase{"<Serie><Visible>yes</Visible><Frequency>-5</Frequency></Serie>", true, 1, false},
        TSerieLoadCase{"<Serie><Visible>fAlSe</Visible><Frequency>$10</Frequency></Serie>", false, 16, false},
        TSerieLoadCase{"<Serie><Frequency>2.5</Frequency><DrawArrow>1</DrawArrow></Serie>", true, 1, true},
        TSerieLoadCase{"<Serie><DrawArrow>maybe</DrawArrow><Visible>1</Visible></Serie>", true, 1, false}));

TEST(PointsSerie, LoadingReplacesThePointsAndKeepsAbsentProperties) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string("<Serie><Items><TP>0.1;0.2;0.7</TP><TP>bad</TP></Items></Serie>"));
  TPointsSerie serie;
  serie.SetName(QStringLiteral("Kept"));
  serie.Items().Add({1, 0, 0});
  serie.Items().Add({0, 1, 0});
  serie.LoadFromXML(doc.first_child());
  EXPECT_EQ(serie.Name(), QStringLiteral("Kept"));
  ASSERT_EQ(serie.Items().Count(), 1);
  EXPECT_EQ(serie.Items().Get(0), (TTernaryPoint{0.1, 0.2, 0.7}));
}

TEST(PointsSerie, LoadingTakesNameAndTagVerbatim) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string("<Serie><Name>  two  words </Name><Tag></Tag></Serie>", model::kParseOptions));
  TPointsSerie serie;
  serie.SetTag(QStringLiteral("old"));
  serie.LoadFromXML(doc.first_child());
  EXPECT_EQ(serie.Name(), QStringLiteral("  two  words "));
  EXPECT_TRUE(serie.Tag().isEmpty());
}

// Opaque markers over a long polyline are drawn first, and the polyline
// within the hull of the points kept from earlier drawings: whatever the
// view or the points become, the picture is that of the polyline drawn
// first and the markers over it.
TEST(PointsSerie, ALongPolylineUnderMarkersLooksTheSameAfterEveryChange) {
  TPointsSerie serie;
  serie.LineStyle().SetColor(TSerieCanvas::kRed);
  {
    TSerieCanvas canvas;
    TUpdateScope batch(serie);
    std::mt19937 random(5);
    std::uniform_real_distribution<double> x(30, 170), y(20, 170);
    for (int i = 0; i < 2000; ++i) serie.Items().Add(canvas.At(x(random), y(random)));
  }
  TSerieCanvas canvas;
  const struct {
    const char* name;
    std::function<void(TProjection&)> view;
    std::function<void()> edit;
  } steps[] = {
      {"first drawing", [](TProjection&) {}, [] {}},
      {"a point moved out", [](TProjection&) {}, [&] { serie.Items().Put(11, canvas.At(8, 192)); }},
      {"a point added out", [](TProjection&) {}, [&] { serie.Items().Add(canvas.At(196, 4)); }},
      {"zoomed and panned",
       [](TProjection& p) {
         p.SetZoom(80), p.SetOrigin({0.6, 0.7});
       },
       [] {}},
      {"rotated", [](TProjection& p) { p.Rotate(true); }, [] {}},
      {"sampled", [](TProjection&) {}, [&] { serie.SetFrequency(3); }},
  };
  TProjection view;
  view.SetZoom(100);
  view.SetOrigin({0.5, 0.5});
  for (const auto& step : steps) {
    step.view(view);
    step.edit();
    TSerieCanvas drawn, expected;
    drawn.projection = expected.projection = view;
    serie.Draw(drawn.g, drawn.projection);
    const int step_ = serie.Frequency(), count = serie.Items().Count();
    std::vector<QPointF> points(size_t((count - 1) / step_ + 1));
    view.TernaryToWorld(serie.Items().Data(), points.size(), size_t(step_), true, points.data());
    serie.LineStyle().DrawPolyline(expected.g, points.data(), int(points.size()));
    serie.PointStyle().DrawMarkers(expected.g, points.data(), int(points.size()));
    drawn.painter.end();
    expected.painter.end();
    EXPECT_TRUE(drawn.Contains(TSerieCanvas::kRed)) << step.name;
    // The smoothed edges drawn beneath the markers blend in another order.
    EXPECT_TRUE(NearImage(drawn.image, expected.image, 1.0, 96, 0.01)) << step.name;
  }
}

#include <gtest/gtest.h>

#include <QLocale>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "change_counter.h"
#include "model/lines_serie.h"
#include "serie_canvas.h"

namespace {

void AddCoupleAt(TLinesSerie& serie, const TSerieCanvas& canvas, QPointF from, QPointF to) {
  serie.Items().Add({canvas.At(from.x(), from.y()), canvas.At(to.x(), to.y())});
}

// Horizontal couples, couple i on the row y = 20 + 20 * i from x = 20 to 80.
void AddRows(TLinesSerie& serie, const TSerieCanvas& canvas, int count) {
  for (int i = 0; i < count; ++i) AddCoupleAt(serie, canvas, QPointF(20, 20 + 20 * i), QPointF(80, 20 + 20 * i));
}

}  // namespace

TEST(LinesSerie, NewSerieHasDefaults) {
  TLinesSerie serie;
  EXPECT_STREQ(serie.ClassName(), "TLinesSerie");
  EXPECT_EQ(serie.Name(), QStringLiteral("Unnamed"));
  EXPECT_EQ(serie.Items().Count(), 0);
  EXPECT_EQ(serie.Frequency(), 1);
}

TEST(LinesSerie, HitTestReturnsTheLastCoupleWithAMatchingEnd) {
  TLinesSerie serie;
  const TTernaryPoint shared{0.2, 0.3, 0.5};
  serie.Items().Add({{1, 0, 0}, {0, 1, 0}});
  serie.Items().Add({shared, {0, 0, 1}});
  serie.Items().Add({{1, 0, 0}, {0, 0, 1}});
  serie.Items().Add({{0, 1, 0}, {0.2, 0.3, 0.5}});
  TTernaryPoint found;
  EXPECT_EQ(serie.HitTest({0.2, 0.3, 0.5}, found, 0.01), 3);
  EXPECT_EQ(found, shared);
  EXPECT_EQ(serie.HitTest({0, 0, 1}, found, 0.0), 2);
  EXPECT_EQ(found, (TTernaryPoint{0, 0, 1}));
  found = {9, 9, 9};
  EXPECT_EQ(serie.HitTest({0.5, 0.5, 0}, found, 0.1), -1);
  EXPECT_EQ(found, (TTernaryPoint{9, 9, 9}));
}

TEST(LinesSerie, BoundsSpanBothEndsOfEveryCouple) {
  TSerieCanvas canvas;
  TLinesSerie serie;
  serie.Items().Add({{1, 0, 0}, {0, 0, 1}});
  serie.Items().Add({{0, 1, 0}, {0, 1, 0}});
  serie.SetFrequency(2);  // ignored
  const TDoubleRect bounds = serie.GetBounds(canvas.g, canvas.projection);
  EXPECT_DOUBLE_EQ(bounds.Left, -0.025);
  EXPECT_DOUBLE_EQ(bounds.Right, 1.025);
  EXPECT_DOUBLE_EQ(bounds.Bottom, -0.025);
  EXPECT_DOUBLE_EQ(bounds.Top, TProjection::kHeightFactor + 0.025);
  serie.LineStyle().SetVisible(false);
  serie.PointStyle().SetVisible(false);
  EXPECT_EQ(serie.GetBounds(canvas.g, canvas.projection), TDoubleRect{});
}

TEST(LinesSerie, TextFormHasSixNumbersPerCouple) {
  TDefaultLocaleScope locale(QLocale::c());
  TLinesSerie serie;
  serie.SetName(QStringLiteral("User line"));
  serie.Items().Add({{0.2, 0.3, 0.5}, {1, 0, 0}});
  QString text;
  serie.GetText(text);
  EXPECT_EQ(text, QStringLiteral("User line\r\n0.2\t0.3\t0.5\t1\t0\t0"));
}

TEST(LinesSerie, DrawsEachCoupleWithMarkersAtBothEnds) {
  TSerieCanvas canvas;
  TLinesSerie serie;
  serie.LineStyle().SetColor(TSerieCanvas::kBlue);
  AddRows(serie, canvas, 2);
  serie.Draw(canvas.g, canvas.projection);
  for (int y : {20, 40}) {
    EXPECT_EQ(canvas.Pixel(50, y), TSerieCanvas::kBlue) << y;
    EXPECT_EQ(canvas.Pixel(20, y), 0xFF808080u) << y;
    EXPECT_EQ(canvas.Pixel(80, y), 0xFF808080u) << y;
  }
  EXPECT_TRUE(canvas.IsWhite(50, 30));  // couples are not joined
}

TEST(LinesSerie, CoupleWithCoincidentEndsShowsItsMarker) {
  TSerieCanvas canvas;
  TLinesSerie serie;
  AddCoupleAt(serie, canvas, QPointF(50, 50), QPointF(50, 50));
  serie.Draw(canvas.g, canvas.projection);
  EXPECT_EQ(canvas.InkRect(), QRect(QPoint(47, 47), QPoint(52, 52)));
}

// A gradient gives each drawn couple its step; sampling draws every
// Frequency-th couple (rows 20 px apart), the steps counting only those.
TEST(LinesSerie, GradientColoursEachDrawnCoupleByItsPlace) {
  const struct {
    int Frequency, Rows;
    std::vector<uint32_t> RowPixels;  // at y = 20, 40, ...
  } cases[] = {{1, 4, {0xFF000000u, 0xFF400000u, 0xFF800000u, 0xFFBF0000u}},
               {2, 5, {0xFF000000u, TSerieCanvas::kWhite, 0xFF550000u, TSerieCanvas::kWhite, 0xFFAA0000u}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Frequency);
    TSerieCanvas canvas;
    TLinesSerie serie;
    serie.PointStyle().SetVisible(false);
    serie.LineStyle().SetColorMode(cmGradient);
    serie.LineStyle().SetEndColor(TSerieCanvas::kRed);
    serie.SetFrequency(c.Frequency);
    AddRows(serie, canvas, c.Rows);
    serie.Draw(canvas.g, canvas.projection);
    for (size_t row = 0; row < c.RowPixels.size(); ++row)
      EXPECT_EQ(canvas.Pixel(50, 20 * int(row + 1)), c.RowPixels[row]) << row;
  }
}

TEST(LinesSerie, HiddenLineDrawsOnlyMarkers) {
  TSerieCanvas canvas;
  TLinesSerie serie;
  serie.LineStyle().SetVisible(false);
  AddRows(serie, canvas, 1);
  serie.Draw(canvas.g, canvas.projection);
  EXPECT_TRUE(canvas.IsWhite(50, 20));
  EXPECT_EQ(canvas.Pixel(20, 20), 0xFF808080u);
}

TEST(LinesSerie, HiddenSerieDrawsNothing) {
  TSerieCanvas canvas;
  TLinesSerie serie;
  serie.SetVisible(false);
  AddRows(serie, canvas, 2);
  serie.Draw(canvas.g, canvas.projection);
  EXPECT_TRUE(canvas.InkRect().isEmpty());
}

TEST(LinesSerie, LegendOfWidthHPlus7HasOneSegment) {
  QImage bitmap(27, 20, QImage::Format_RGB32);  // a = 3
  bitmap.fill(Qt::white);
  TLinesSerie serie;
  serie.PointStyle().SetVisible(false);
  serie.DrawSample(bitmap);
  for (int x = 22; x < 25; ++x) EXPECT_EQ(bitmap.pixel(x, 10), 0xFF000000u) << x;
  EXPECT_EQ(bitmap.pixel(21, 10), 0xFFFFFFFFu);
  EXPECT_EQ(bitmap.pixel(25, 10), 0xFFFFFFFFu);
}

TEST(LinesSerie, LegendShowsTwoSeparateSegmentsInTheFirstAndLastColours) {
  QImage bitmap(54, 20, QImage::Format_RGB32);  // a = 30, thirds of 10
  bitmap.fill(Qt::white);
  TLinesSerie serie;
  serie.PointStyle().SetVisible(false);
  serie.LineStyle().SetColorMode(cmGradient);
  serie.LineStyle().SetEndColor(TSerieCanvas::kRed);
  serie.DrawSample(bitmap);
  EXPECT_EQ(bitmap.pixel(27, 10), 0xFF000000u);
  EXPECT_EQ(bitmap.pixel(37, 10), 0xFFFFFFFFu);
  EXPECT_EQ(bitmap.pixel(47, 10), model::InterpolateColor(0xFF000000, TSerieCanvas::kRed, 3, 2));
}

TEST(LinesSerie, LegendOfWidthHPlus8HasTwoShortSegments) {
  QImage bitmap(28, 20, QImage::Format_RGB32);  // a = 4
  bitmap.fill(Qt::white);
  TLinesSerie serie;
  serie.PointStyle().SetVisible(false);
  serie.DrawSample(bitmap);
  int inked = 0;
  for (int x = 20; x < 28; ++x) inked += bitmap.pixel(x, 10) == 0xFF000000u;
  EXPECT_EQ(inked, 2);
}

TEST(LinesSerie, SavesTheBaseFragmentThenItsCouples) {
  TLinesSerie serie;
  serie.Items().Add({{0.2, 0.3, 0.5}, {1, 0, 0}});
  pugi::xml_document doc;
  const pugi::xml_node node = doc.append_child("Serie");
  serie.SaveToXML(node);
  std::string names;
  for (const pugi::xml_node child : node.children()) names += std::string(child.name()) + ",";
  EXPECT_EQ(names, "LineStyle,Name,PointStyle,Removeable,Tag,Visible,Frequency,Items,");
  EXPECT_STREQ(node.child("Items").child("TC").text().get(), "0.2;0.3;0.5;1;0;0");
}

TEST(LinesSerie, ReadsBackWhatItWrote) {
  TLinesSerie original;
  original.SetName(QStringLiteral("User line"));
  original.SetFrequency(2);
  original.LineStyle().SetColor(0xFF123456);
  original.Items().Add({{0.2, 0.3, 0.5}, {1, 0, 0}});
  original.Items().Add({{0, 0, 1}, {0.5, 0.5, 0}});
  pugi::xml_document doc;
  original.SaveToXML(doc.append_child("Serie"));
  TLinesSerie copy;
  TChangeCounter changes(copy);
  copy.LoadFromXML(doc.first_child());
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(copy.Name(), QStringLiteral("User line"));
  EXPECT_EQ(copy.Frequency(), 2);
  EXPECT_EQ(copy.LineStyle().Color(), 0xFF123456u);
  ASSERT_EQ(copy.Items().Count(), 2);
  EXPECT_EQ(copy.Items().Get(1), original.Items().Get(1));
}

TEST(LinesSerie, SetDefaultsEmptiesTheCouples) {
  TLinesSerie serie;
  serie.Items().Add({{0.2, 0.3, 0.5}, {1, 0, 0}});
  serie.SetDefaults();
  EXPECT_EQ(serie.Items().Count(), 0);
}

#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <string>

#include "change_counter.h"
#include "model/surface_serie.h"
#include "serie_canvas.h"

namespace {

void AddAt(TSurfaceSerie& serie, const TSerieCanvas& canvas, std::initializer_list<QPointF> positions) {
  for (const QPointF& p : positions) serie.Items().Add(canvas.At(p.x(), p.y()));
}

// A triangle whose inside around (60, 70) is far from the outline and markers.
void AddTriangle(TSurfaceSerie& serie, const TSerieCanvas& canvas) {
  AddAt(serie, canvas, {QPointF(20, 100), QPointF(100, 100), QPointF(60, 20)});
}

}  // namespace

TEST(SurfaceSerie, NewSerieHasDefaults) {
  TSurfaceSerie serie;
  EXPECT_STREQ(serie.ClassName(), "TSurfaceSerie");
  EXPECT_EQ(serie.AlphaBlending(), 128);
  EXPECT_EQ(serie.FillColor(), 0xFFFFFF00u);
  EXPECT_FALSE(serie.DrawArrow());
  EXPECT_EQ(serie.Items().Count(), 0);
}

TEST(SurfaceSerie, FillSettersRaiseNoNotification) {
  TSurfaceSerie serie;
  TChangeCounter changes(serie);
  serie.SetAlphaBlending(10);
  serie.SetFillColor(0xFF0000FF);
  EXPECT_EQ(changes.count, 0);
  EXPECT_EQ(serie.AlphaBlending(), 10);
  EXPECT_EQ(serie.FillColor(), 0xFF0000FFu);
}

TEST(SurfaceSerie, FillIsBlendedOverTheBackground) {
  TSerieCanvas canvas;
  TSurfaceSerie serie;
  AddTriangle(serie, canvas);
  serie.Draw(canvas.g, canvas.projection);
  // Yellow at 128 / 255 over white: blue falls to about 127.
  EXPECT_TRUE(IsNearColor(canvas.Pixel(60, 70), 0xFFFFFF7F)) << std::hex << canvas.Pixel(60, 70);
  EXPECT_TRUE(canvas.IsWhite(20, 40));
}

TEST(SurfaceSerie, AlphaBlendingReplacesTheFillColoursAlpha) {
  struct TCase {
    uint8_t alpha;
    uint32_t fillColor;
    uint32_t expected;
  };
  for (const TCase& c :
       {TCase{0, 0xFFFF0000, 0xFFFFFFFF}, TCase{255, 0x000000FF, 0xFF0000FF}, TCase{255, 0x40FF0000, 0xFFFF0000}}) {
    TSerieCanvas canvas;
    TSurfaceSerie serie;
    serie.SetAlphaBlending(c.alpha);
    serie.SetFillColor(c.fillColor);
    AddTriangle(serie, canvas);
    serie.Draw(canvas.g, canvas.projection);
    EXPECT_EQ(canvas.Pixel(60, 70), c.expected) << int(c.alpha);
  }
}

TEST(SurfaceSerie, OutlineIsNotClosed) {
  TSerieCanvas canvas;
  TSurfaceSerie serie;
  serie.SetAlphaBlending(0);
  serie.LineStyle().SetColor(TSerieCanvas::kBlue);
  AddTriangle(serie, canvas);
  serie.Draw(canvas.g, canvas.projection);
  EXPECT_EQ(canvas.Pixel(60, 100), TSerieCanvas::kBlue);
  EXPECT_EQ(canvas.Pixel(80, 60), TSerieCanvas::kBlue);
  EXPECT_TRUE(canvas.IsWhite(40, 60));  // no segment from the last point back to the first
}

TEST(SurfaceSerie, DegenerateFillsShowNothing) {
  for (int pointCount : {2, 3}) {
    TSerieCanvas canvas;
    TSurfaceSerie serie;
    serie.SetAlphaBlending(255);
    serie.SetFillColor(0xFFFF0000);
    serie.PointStyle().SetVisible(false);
    serie.LineStyle().SetColor(TSerieCanvas::kBlue);
    AddAt(serie, canvas, {QPointF(20, 50), QPointF(100, 50)});
    if (pointCount == 3) serie.Items().Add(canvas.At(180, 50));
    serie.Draw(canvas.g, canvas.projection);
    EXPECT_FALSE(canvas.Contains(0xFFFF0000)) << pointCount;
    EXPECT_EQ(canvas.Pixel(60, 50), TSerieCanvas::kBlue);
  }
}

TEST(SurfaceSerie, ArrowHeadIsHalfThePointsSeriesHead) {
  TSerieCanvas canvas;
  TSurfaceSerie serie;
  serie.PointStyle().SetDotType(TDotType(13));
  serie.LineStyle().SetVisible(false);
  serie.LineStyle().SetWidth(4.0f);
  serie.SetDrawArrow(true);
  AddAt(serie, canvas, {QPointF(20, 100), QPointF(180, 100)});
  serie.Draw(canvas.g, canvas.projection);
  const QRect ink = canvas.InkRect();
  EXPECT_NEAR(ink.width(), 16, 1);  // 8 units long at width 2
  EXPECT_NEAR(ink.height(), 12, 1);
  EXPECT_NEAR(ink.center().x(), 100, 1);
}

TEST(SurfaceSerie, BothStylesHiddenDrawNotEvenTheFill) {
  TSerieCanvas canvas;
  TSurfaceSerie serie;
  serie.PointStyle().SetVisible(false);
  serie.LineStyle().SetVisible(false);
  AddTriangle(serie, canvas);
  serie.Draw(canvas.g, canvas.projection);
  EXPECT_TRUE(canvas.InkRect().isEmpty());
}

TEST(SurfaceSerie, MarkersAndOutlineLieOverTheFill) {
  TSerieCanvas canvas;
  TSurfaceSerie serie;
  serie.SetAlphaBlending(255);
  serie.SetFillColor(0xFFFF0000);
  AddTriangle(serie, canvas);
  serie.Draw(canvas.g, canvas.projection);
  EXPECT_EQ(canvas.Pixel(60, 70), 0xFFFF0000u);
  EXPECT_EQ(canvas.Pixel(60, 20), 0xFF808080u);
  EXPECT_EQ(canvas.Pixel(40, 100), 0xFF000000u);
}

TEST(SurfaceSerie, LegendFillsTheMarkersSquare) {
  QImage bitmap(60, 20, QImage::Format_RGB32);
  bitmap.fill(Qt::white);
  TSurfaceSerie serie;
  serie.SetAlphaBlending(255);
  serie.SetFillColor(0x000000FF);
  serie.DrawSample(bitmap);
  EXPECT_EQ(bitmap.pixel(1, 1), 0xFF0000FFu);
  EXPECT_EQ(bitmap.pixel(19, 19), 0xFF0000FFu);
  EXPECT_EQ(bitmap.pixel(20, 19), 0xFFFFFFFFu);
  EXPECT_EQ(bitmap.pixel(10, 10), 0xFF808080u);  // the marker over it
  EXPECT_EQ(bitmap.pixel(30, 10), 0xFF000000u);  // and the line sample
}

TEST(SurfaceSerie, SavesFillAfterThePointsFragment) {
  TSurfaceSerie serie;
  pugi::xml_document doc;
  const pugi::xml_node node = doc.append_child("Serie");
  serie.SaveToXML(node);
  std::string names;
  for (const pugi::xml_node child : node.children()) names += std::string(child.name()) + ",";
  EXPECT_EQ(names,
            "LineStyle,Name,PointStyle,Removeable,Tag,Visible,Frequency,DrawArrow,Items,AlphaBlending,FillColor,");
  EXPECT_STREQ(node.child("AlphaBlending").text().get(), "128");
  EXPECT_STREQ(node.child("FillColor").text().get(), "$FFFFFF00");
}

TEST(SurfaceSerie, ReadsBackWhatItWrote) {
  TSurfaceSerie original;
  original.SetAlphaBlending(200);
  original.SetFillColor(0x80102030);
  original.SetDrawArrow(true);
  original.Items().Add({0.2, 0.3, 0.5});
  pugi::xml_document doc;
  original.SaveToXML(doc.append_child("Serie"));
  TSurfaceSerie copy;
  copy.LoadFromXML(doc.first_child());
  EXPECT_EQ(copy.AlphaBlending(), 200);
  EXPECT_EQ(copy.FillColor(), 0x80102030u);
  EXPECT_TRUE(copy.DrawArrow());
  EXPECT_EQ(copy.Items().Count(), 1);
}

TEST(SurfaceSerie, LoadingKeepsTheLowByteOfAlphaBlending) {
  struct TCase {
    const char* fragment;
    int alpha;
    uint32_t fillColor;
  };
  for (const TCase& c :
       {TCase{"<Serie><AlphaBlending>300</AlphaBlending></Serie>", 44, 0xFFFFFF00},
        TCase{"<Serie><AlphaBlending>$FF</AlphaBlending><FillColor>16711680</FillColor></Serie>", 255, 0x00FF0000},
        TCase{"<Serie><AlphaBlending>half</AlphaBlending><FillColor>red</FillColor></Serie>", 128, 0xFFFFFF00}}) {
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(c.fragment));
    TSurfaceSerie serie;
    TChangeCounter changes(serie);
    serie.LoadFromXML(doc.first_child());
    EXPECT_EQ(serie.AlphaBlending(), c.alpha) << c.fragment;
    EXPECT_EQ(serie.FillColor(), c.fillColor) << c.fragment;
    EXPECT_EQ(changes.count, 1);
  }
}

TEST(SurfaceSerie, SetDefaultsRestoresTheFill) {
  TSurfaceSerie serie;
  serie.SetAlphaBlending(3);
  serie.SetFillColor(0);
  serie.Items().Add({1, 0, 0});
  serie.SetDefaults();
  EXPECT_EQ(serie.AlphaBlending(), 128);
  EXPECT_EQ(serie.FillColor(), 0xFFFFFF00u);
  EXPECT_EQ(serie.Items().Count(), 0);
}

TEST(SurfaceSerie, ExtremeCoordinatesDrawWithoutHarm) {
  // Points far outside any picture (even beyond single precision) leave the
  // markers of the ordinary points where they belong, in both colour modes,
  // and leave the drawing context fit for what is drawn next.
  TSerieCanvas canvas;
  TSurfaceSerie serie;
  serie.SetDrawArrow(true);
  serie.Items().Add({1e300, 0, 0});
  serie.Items().Add({0, -1e300, 1});
  serie.Items().Add({0.2, 0.3, 0.5});
  serie.Items().Add({0, 1e20, 0});
  const QPoint ordinary = canvas.projection.TernaryToWorld({0.2, 0.3, 0.5}, true).toPoint();
  ASSERT_TRUE(canvas.image.rect().contains(ordinary));
  serie.Draw(canvas.g, canvas.projection);
  EXPECT_EQ(canvas.Pixel(ordinary.x(), ordinary.y()), 0xFF808080u);  // the square marker's fill
  serie.LineStyle().SetColorMode(cmGradient);
  serie.PointStyle().SetDotType(dtFilledDot);
  serie.PointStyle().SetFillColor(0xFF0000FFu);
  serie.Draw(canvas.g, canvas.projection);
  EXPECT_EQ(canvas.Pixel(ordinary.x(), ordinary.y()), 0xFF0000FFu);
  const TDoubleRect bounds = serie.GetBounds(canvas.g, canvas.projection);
  EXPECT_GT(bounds.Right, 1e19);

  TSurfaceSerie after;
  after.SetAlphaBlending(255);
  after.SetFillColor(0xFFFF0000);
  after.PointStyle().SetVisible(false);
  for (const QPointF& corner : {QPointF(150, 150), QPointF(190, 150), QPointF(190, 190), QPointF(150, 190)})
    after.Items().Add(canvas.At(corner.x(), corner.y()));
  canvas.image.fill(Qt::white);
  after.Draw(canvas.g, canvas.projection);
  EXPECT_EQ(canvas.Pixel(170, 170), 0xFFFF0000u);
  EXPECT_TRUE(canvas.IsWhite(100, 100));
}

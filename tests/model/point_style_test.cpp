#include <gtest/gtest.h>

#include <QPicture>
#include <pugixml.hpp>
#include <string>

#include "change_counter.h"
#include "image_compare.h"
#include "model/point_style.h"
#include "serie_canvas.h"

namespace {

QImage DrawnImage(TPointStyle& style, const QPointF& at, bool batch, const QTransform& transform = {},
                  bool smooth = false) {
  TSerieCanvas canvas(60, 60);
  canvas.g.SetSmooth(smooth);
  canvas.painter.setTransform(transform);
  if (batch)
    style.DrawMarkers(canvas.g, &at, 1);
  else
    style.DrawMarker(canvas.g, at);
  canvas.painter.end();
  return canvas.image;
}

}  // namespace

TEST(PointStyle, NewStyleHasDefaults) {
  TPointStyle style;
  EXPECT_EQ(style.Size(), 5);
  EXPECT_EQ(style.DotType(), dtFilledSquare);
  EXPECT_EQ(style.LineColor(), 0xFF000000u);
  EXPECT_EQ(style.FillColor(), 0xFF808080u);
  EXPECT_TRUE(style.Visible());
}

TEST(PointStyle, SettersNotifyOnlyWhenTheValueChanges) {
  TPointStyle style;
  TChangeCounter changes(style);
  style.SetSize(5);
  style.SetDotType(dtFilledSquare);
  style.SetLineColor(0xFF000000);
  style.SetFillColor(0xFF808080);
  style.SetVisible(true);
  EXPECT_EQ(changes.count, 0);
  style.SetSize(7);
  style.SetDotType(dtCross);
  style.SetLineColor(0xFF00FF00);
  style.SetFillColor(0xFF0000FF);
  style.SetVisible(false);
  EXPECT_EQ(changes.count, 5);
}

struct TShapeCase {
  TDotType dotType;
  QRect ink;  // relative to the marker's centre
  bool filled;
  friend void PrintTo(const TShapeCase& c, std::ostream* os) { *os << "dot type " << int(c.dotType); }
};

class PointStyleShapes : public ::testing::TestWithParam<TShapeCase> {};

// Size 5 at (30, 30): the box runs from 27.5 to 32.5 and the 1-unit outline
// covers half a pixel on each side of it.
TEST_P(PointStyleShapes, MarkerCoversItsBoxInItsColours) {
  const TShapeCase& shape = GetParam();
  TPointStyle style;
  style.SetDotType(shape.dotType);
  style.SetFillColor(TSerieCanvas::kRed);
  TSerieCanvas canvas(60, 60);
  style.DrawMarker(canvas.g, QPointF(30, 30));
  EXPECT_EQ(canvas.InkRect(), shape.ink.translated(30, 30));
  EXPECT_TRUE(canvas.Contains(TSerieCanvas::kBlack));
  EXPECT_EQ(canvas.Contains(TSerieCanvas::kRed), shape.filled);
}

INSTANTIATE_TEST_SUITE_P(AllShapes, PointStyleShapes,
                         ::testing::Values(TShapeCase{dtFilledDot, QRect(QPoint(-3, -3), QPoint(2, 2)), true},
                                           TShapeCase{dtOpenDot, QRect(QPoint(-3, -3), QPoint(2, 2)), false},
                                           TShapeCase{dtFilledSquare, QRect(QPoint(-3, -3), QPoint(2, 2)), true},
                                           TShapeCase{dtOpenSquare, QRect(QPoint(-3, -3), QPoint(2, 2)), false},
                                           TShapeCase{dtFilledTriUp, QRect(QPoint(-3, -2), QPoint(2, 2)), true},
                                           TShapeCase{dtOpenTriUp, QRect(QPoint(-3, -2), QPoint(2, 2)), false},
                                           TShapeCase{dtFilledTriDown, QRect(QPoint(-2, -3), QPoint(2, 2)), true},
                                           TShapeCase{dtOpenTriDown, QRect(QPoint(-2, -3), QPoint(2, 2)), false},
                                           TShapeCase{dtFilledDiamond, QRect(QPoint(-3, -2), QPoint(2, 2)), true},
                                           TShapeCase{dtOpenDiamond, QRect(QPoint(-3, -2), QPoint(2, 2)), false},
                                           TShapeCase{dtCross, QRect(QPoint(-2, -2), QPoint(2, 2)), false},
                                           TShapeCase{dtVertLine, QRect(QPoint(0, -2), QPoint(0, 2)), false},
                                           TShapeCase{dtHorizLine, QRect(QPoint(-2, 0), QPoint(2, 0)), false}));

TEST(PointStyle, UnknownShapesDrawNothing) {
  for (int dotType : {13, 14, 200, 255}) {
    TPointStyle style;
    style.SetDotType(TDotType(dotType));
    const QPointF points[] = {QPointF(20, 20), QPointF(40, 40)};
    TSerieCanvas canvas(60, 60);
    style.DrawMarker(canvas.g, points[0]);
    style.DrawMarkers(canvas.g, points, 2);
    EXPECT_TRUE(canvas.InkRect().isEmpty()) << dotType;
  }
}

TEST(PointStyle, HiddenStyleDrawsNothing) {
  TPointStyle style;
  style.SetVisible(false);
  const QPointF points[] = {QPointF(20, 20), QPointF(40, 40)};
  TSerieCanvas canvas(60, 60);
  style.DrawMarker(canvas.g, points[0]);
  style.DrawMarkers(canvas.g, points, 2);
  EXPECT_TRUE(canvas.InkRect().isEmpty());
}

TEST(PointStyle, LargerSizeWidensTheMarker) {
  TPointStyle style;
  style.SetSize(10);
  TSerieCanvas canvas(60, 60);
  style.DrawMarker(canvas.g, QPointF(30, 30));
  EXPECT_EQ(canvas.InkRect(), QRect(QPoint(25, 25), QPoint(35, 35)));
}

// A stamped marker must be indistinguishable from the shape wherever the
// marker sits on a whole world position, whatever its shape, size or colours.
TEST(PointStyle, StampedMarkersMatchShapesAtIntegerPositions) {
  const uint32_t translucent = 0x80FF0000;
  for (int dotType = 0; dotType <= 12; ++dotType) {
    for (int size : {0, 1, 2, 3, 5, 6, 9, 12, 20}) {
      for (uint32_t lineColor : {0xFF000000u, 0xFF2040C0u}) {
        TPointStyle style;
        style.SetDotType(TDotType(dotType));
        style.SetSize(size);
        style.SetLineColor(lineColor);
        style.SetFillColor(dotType % 4 == 0 ? translucent : 0xFF00C000);
        for (const QPointF at : {QPointF(30, 30), QPointF(17, 41)}) {
          EXPECT_TRUE(SameImage(DrawnImage(style, at, true), DrawnImage(style, at, false)))
              << "type " << dotType << " size " << size << " at " << at.x() << "," << at.y();
        }
      }
    }
  }
}

// A batch of one marker shows what the shape does: stamped after a whole
// pixel translation, snapped to the nearest pixel, or smooth to the nearest
// quarter pixel, and at the device's scale.
TEST(PointStyle, BatchedMarkerLooksLikeItsShape) {
  const struct {
    const char* name;
    TDotType dotType;
    int size;
    QPointF batchedAt, shapeAt;
    QTransform transform;
    bool smooth;
  } cases[] = {
      {"whole pixel translation", dtFilledDiamond, 7, {30, 30}, {30, 30}, QTransform::fromTranslate(5, -3), false},
      {"smooth, whole pixel translation",
       dtFilledDiamond,
       7,
       {30, 30},
       {30, 30},
       QTransform::fromTranslate(5, -3),
       true},
      {"snapped to the nearest pixel", dtFilledDot, 5, {30.4, 29.6}, {30, 30}, {}, false},
      {"smooth, to the nearest quarter pixel", dtFilledDot, 5, {30.4, 29.6}, {30.5, 29.5}, {}, true},
      {"scaled surface", dtOpenTriUp, 5, {12.25, 13.5}, {12.25, 13.5}, QTransform::fromScale(2, 2), true},
  };
  for (const auto& c : cases) {
    TPointStyle style;
    style.SetDotType(c.dotType);
    style.SetSize(c.size);
    // Smooth edges blended from a stamp round a level or two otherwise.
    EXPECT_TRUE(NearImage(DrawnImage(style, c.batchedAt, true, c.transform, c.smooth),
                          DrawnImage(style, c.shapeAt, false, c.transform, c.smooth), 0.1, 4))
        << c.name;
  }
}

// Vector devices (pictures, SVG, printers, metafiles) must record shapes.
TEST(PointStyle, BatchRecordsShapesOnVectorDevices) {
  TPointStyle style;
  style.SetDotType(dtFilledDot);
  const QPointF at(30.25, 29.75);
  QPicture picture;
  {
    QPainter recorder(&picture);
    TGraphics g(recorder);
    style.DrawMarkers(g, &at, 1);
  }
  TSerieCanvas replayed(60, 60);
  replayed.painter.drawPicture(0, 0, picture);
  replayed.painter.end();
  EXPECT_TRUE(SameImage(replayed.image, DrawnImage(style, at, false)));
}

TEST(PointStyle, SilentResizeIsDrawnAtTheNewSize) {
  TPointStyle style;
  TChangeCounter changes(style);
  {
    TUpdateScope silent(style, true);
    style.SetSize(11);
  }
  EXPECT_EQ(changes.count, 0);
  EXPECT_TRUE(SameImage(DrawnImage(style, QPointF(30, 30), true), DrawnImage(style, QPointF(30, 30), false)));
  TSerieCanvas canvas(60, 60);
  style.DrawMarkers(canvas.g, std::array{QPointF(30, 30)}.data(), 1);
  EXPECT_EQ(canvas.InkRect().width(), 12);
}

TEST(PointStyle, SilentColourChangeKeepsTheOldPenAndBrush) {
  TPointStyle style;
  {
    TUpdateScope silent(style, true);
    style.SetLineColor(TSerieCanvas::kBlue);
    style.SetFillColor(TSerieCanvas::kRed);
  }
  TSerieCanvas canvas(60, 60);
  style.DrawMarker(canvas.g, QPointF(30, 30));
  EXPECT_EQ(canvas.Pixel(27, 30), TSerieCanvas::kBlack);
  EXPECT_EQ(canvas.Pixel(30, 30), 0xFF808080u);
}

TEST(PointStyle, ListenerFindsTheNewColoursWhenNotified) {
  TPointStyle style;
  uint32_t outline = 0;
  uint32_t fill = 0;
  style.OnChange = [&](TGraphElement*) {
    TSerieCanvas canvas(60, 60);
    const QPointF at(30, 30);
    style.DrawMarkers(canvas.g, &at, 1);
    outline = canvas.Pixel(27, 30);
    fill = canvas.Pixel(30, 30);
  };
  {
    TUpdateScope batch(style);
    style.SetLineColor(TSerieCanvas::kBlue);
    style.SetFillColor(TSerieCanvas::kRed);
  }
  EXPECT_EQ(outline, TSerieCanvas::kBlue);
  EXPECT_EQ(fill, TSerieCanvas::kRed);
}

TEST(PointStyle, SavesItsFiveChildrenInOrder) {
  TPointStyle style;
  style.SetFillColor(0x80FF0000);
  pugi::xml_document doc;
  style.SaveToXML(doc.append_child("PointStyle"));
  std::string written;
  for (const pugi::xml_node child : doc.first_child().children())
    written += std::string(child.name()) + "=" + child.text().get() + ";";
  EXPECT_EQ(written, "DotType=2;FillColor=$80FF0000;LineColor=$FF000000;Size=5;Visible=True;");
}

TEST(PointStyle, ReadsBackWhatItWrote) {
  TPointStyle original;
  original.SetDotType(dtOpenDiamond);
  original.SetFillColor(0x12345678);
  original.SetLineColor(0xFFABCDEF);
  original.SetSize(17);
  original.SetVisible(false);
  pugi::xml_document doc;
  original.SaveToXML(doc.append_child("PointStyle"));
  TPointStyle copy;
  copy.LoadFromXML(doc.first_child());
  EXPECT_EQ(copy.DotType(), dtOpenDiamond);
  EXPECT_EQ(copy.FillColor(), 0x12345678u);
  EXPECT_EQ(copy.LineColor(), 0xFFABCDEFu);
  EXPECT_EQ(copy.Size(), 17);
  EXPECT_FALSE(copy.Visible());
}

struct TLoadCase {
  const char* fragment;
  int dotType;
  int size;
  bool visible;
  // Named by its fragment in test output.
  friend void PrintTo(const TLoadCase& c, std::ostream* os) { *os << c.fragment; }
};

class PointStyleLoading : public ::testing::TestWithParam<TLoadCase> {};

TEST_P(PointStyleLoading, KeepsWhatDoesNotConvert) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(GetParam().fragment));
  TPointStyle style;
  TChangeCounter changes(style);
  style.LoadFromXML(doc.first_child());
  EXPECT_EQ(int(style.DotType()), GetParam().dotType);
  EXPECT_EQ(style.Size(), GetParam().size);
  EXPECT_EQ(style.Visible(), GetParam().visible);
  EXPECT_EQ(changes.count, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Fragments, PointStyleLoading,
    ::testing::Values(TLoadCase{"<P/>", 2, 5, true}, TLoadCase{"<P><DotType>14</DotType></P>", 14, 5, true},
                      TLoadCase{"<P><DotType>258</DotType></P>", 2, 5, true},
                      TLoadCase{"<P><DotType>$0A</DotType><Size>x</Size></P>", 10, 5, true},
                      TLoadCase{"<P><Size>9.5</Size><Visible>0</Visible></P>", 2, 5, false},
                      TLoadCase{"<P><Size>$10</Size><Visible>yes</Visible></P>", 2, 16, true},
                      TLoadCase{"<P><!-- c --><Size>8</Size><Size>3</Size><Visible>FALSE</Visible></P>", 2, 8, false}));

TEST(PointStyle, LoadedSizeIsTheDrawnSize) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string("<P><Size>10</Size></P>"));
  TPointStyle style;
  style.LoadFromXML(doc.first_child());
  TSerieCanvas canvas(60, 60);
  const QPointF at(30, 30);
  style.DrawMarkers(canvas.g, &at, 1);
  EXPECT_EQ(canvas.InkRect(), QRect(QPoint(25, 25), QPoint(35, 35)));
}

TEST(PointStyle, SetDefaultsRestoresEveryPropertyWithOneChange) {
  TPointStyle style;
  style.SetDotType(dtCross);
  style.SetSize(12);
  style.SetVisible(false);
  style.SetFillColor(0);
  style.SetLineColor(0);
  TChangeCounter changes(style);
  style.SetDefaults();
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(style.DotType(), dtFilledSquare);
  EXPECT_EQ(style.Size(), 5);
  EXPECT_TRUE(style.Visible());
  EXPECT_EQ(style.FillColor(), 0xFF808080u);
  EXPECT_EQ(style.LineColor(), 0xFF000000u);
}

#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <string>
#include <vector>

#include "change_counter.h"
#include "model/line_style.h"
#include "serie_canvas.h"

namespace {

// Draws a horizontal segment across the canvas at y = 30.
void DrawAcross(TLineStyle& style, TSerieCanvas& canvas, int count = 1, int index = 0) {
  style.DrawSegment(canvas.g, QPointF(5, 30), QPointF(55, 30), count, index);
}

// Rows touched by the ink in column x.
int InkHeightAt(const TSerieCanvas& canvas, int x) {
  int rows = 0;
  for (int y = 0; y < canvas.image.height(); ++y)
    if (!canvas.IsWhite(x, y)) ++rows;
  return rows;
}

}  // namespace

struct TInterpolationCase {
  uint32_t start;
  uint32_t end;
  int count;
  int index;
  uint32_t expected;
};

class ColorInterpolation : public ::testing::TestWithParam<TInterpolationCase> {};

TEST_P(ColorInterpolation, InterpolatesEachByteWithTiesToEven) {
  const auto& c = GetParam();
  EXPECT_EQ(model::InterpolateColor(c.start, c.end, c.count, c.index), c.expected)
      << std::hex << c.start << " -> " << c.end << " " << std::dec << c.index << "/" << c.count;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ColorInterpolation,
    ::testing::Values(TInterpolationCase{0xFF000000, 0xFFFF0000, 4, 0, 0xFF000000},
                      TInterpolationCase{0xFF000000, 0xFFFF0000, 4, 1, 0xFF400000},  // 63.75
                      TInterpolationCase{0xFF000000, 0xFFFF0000, 4, 2, 0xFF800000},  // 127.5 to even 128
                      TInterpolationCase{0xFF000000, 0xFFFF0000, 4, 3, 0xFFBF0000},  // 191.25
                      TInterpolationCase{0x00000000, 0xFF000000, 2, 1, 0x80000000},  // alpha 127.5
                      TInterpolationCase{0xFFFFFFFF, 0x00000000, 2, 1, 0x80808080},  // 127.5 down
                      TInterpolationCase{0xFF102030, 0xFF302010, 2, 1, 0xFF202020},  // rising and falling bytes
                      TInterpolationCase{0xFF000000, 0xFF000005, 2, 1, 0xFF000002},  // 2.5 to even 2
                      TInterpolationCase{0xFF000000, 0xFF000007, 2, 1, 0xFF000004},  // 3.5 to even 4
                      TInterpolationCase{0xFF123456, 0xFF654321, 0, 0, 0xFF123456},  // no count
                      TInterpolationCase{0xFF000000, 0xFFFF0000, 1, 5, 0xFFFF0000}   // beyond the end: clamped
                      ));

TEST(ColorInterpolation, ManyColoursAreEachInterpolatedAlike) {
  struct TCase {
    uint32_t start, end;
    int count, n;
  };
  const TCase cases[] = {{0xFF000000, 0xFFFF0000, 4, 4},      {0x00000000, 0xFF000000, 2, 3},
                         {0xFFFFFFFF, 0x00000000, 1000, 999}, {0xFF102030, 0xFF302010, 77, 76},
                         {0x80123456, 0x80654321, 513, 600},  {0xFF123456, 0xFF654321, 0, 5}};
  for (const TCase& c : cases) {
    std::vector<uint32_t> many(size_t(c.n), 0xDEADBEEF);
    model::InterpolateColors(c.start, c.end, c.count, c.n, many.data());
    for (int i = 0; i < c.n; ++i)
      EXPECT_EQ(many[size_t(i)], model::InterpolateColor(c.start, c.end, c.count, i)) << c.count << " " << i;
  }
}

TEST(LineStyle, NewStyleHasDefaults) {
  TLineStyle style;
  EXPECT_EQ(style.Width(), 1.0f);
  EXPECT_EQ(style.DashStyle(), DashStyleSolid);
  EXPECT_EQ(style.Color(), 0xFF000000u);
  EXPECT_TRUE(style.Visible());
  EXPECT_EQ(style.ColorMode(), cmSolid);
  EXPECT_EQ(style.EndColor(), 0xFF000000u);
}

TEST(LineStyle, SettersNotifyOnlyWhenTheValueChanges) {
  TLineStyle style;
  TChangeCounter changes(style);
  style.SetWidth(1.0f);
  style.SetDashStyle(DashStyleSolid);
  style.SetColor(0xFF000000);
  style.SetVisible(true);
  style.SetColorMode(cmSolid);
  style.SetEndColor(0xFF000000);
  EXPECT_EQ(changes.count, 0);
  style.SetWidth(2.5f);
  style.SetDashStyle(DashStyleDot);
  style.SetColor(0xFF0000FF);
  style.SetVisible(false);
  style.SetColorMode(cmGradient);
  style.SetEndColor(0xFFFF0000);
  EXPECT_EQ(changes.count, 6);
}

TEST(LineStyle, SolidSegmentTakesTheColourWhateverItsIndex) {
  TLineStyle style;
  style.SetColor(TSerieCanvas::kBlue);
  style.SetEndColor(TSerieCanvas::kRed);
  TSerieCanvas canvas(60, 60);
  DrawAcross(style, canvas, 4, 3);
  EXPECT_EQ(canvas.Pixel(30, 30), TSerieCanvas::kBlue);
}

TEST(LineStyle, GradientSegmentTakesTheColourOfItsPlace) {
  TLineStyle style;
  style.SetColorMode(cmGradient);
  style.SetEndColor(TSerieCanvas::kRed);
  for (int index = 0; index < 4; ++index) {
    TSerieCanvas canvas(60, 60);
    DrawAcross(style, canvas, 4, index);
    EXPECT_EQ(canvas.Pixel(30, 30), model::InterpolateColor(0xFF000000, TSerieCanvas::kRed, 4, index));
  }
}

TEST(LineStyle, ColorModesOtherThanGradientDrawSolid) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string("<L><ColorMode>2</ColorMode><EndColor>$FFFF0000</EndColor></L>"));
  TLineStyle style;
  style.LoadFromXML(doc.first_child());
  ASSERT_EQ(int(style.ColorMode()), 2);
  TSerieCanvas canvas(60, 60);
  DrawAcross(style, canvas, 2, 1);
  EXPECT_EQ(canvas.Pixel(30, 30), TSerieCanvas::kBlack);
}

TEST(LineStyle, HiddenStyleDrawsNothing) {
  TLineStyle style;
  style.SetVisible(false);
  TSerieCanvas canvas(60, 60);
  DrawAcross(style, canvas);
  const QPointF points[] = {QPointF(5, 5), QPointF(50, 50), QPointF(5, 50)};
  style.DrawPolyline(canvas.g, points, 3);
  EXPECT_TRUE(canvas.InkRect().isEmpty());
}

TEST(LineStyle, WidthIsInWorldUnits) {
  TLineStyle style;
  style.SetWidth(5.0f);
  TSerieCanvas canvas(60, 60);
  DrawAcross(style, canvas);
  EXPECT_EQ(InkHeightAt(canvas, 30), 5);
  TSerieCanvas scaled(60, 60);
  scaled.painter.scale(2, 2);
  style.DrawSegment(scaled.g, QPointF(5, 10), QPointF(25, 10), 1, 0);
  EXPECT_EQ(InkHeightAt(scaled, 20), 10);
}

TEST(LineStyle, DashedPenLeavesGapsAndUnknownDashStylesDrawSolid) {
  TLineStyle style;
  style.SetDashStyle(DashStyleDash);
  TSerieCanvas dashed(60, 60);
  DrawAcross(style, dashed);
  int gaps = 0;
  for (int x = 5; x < 55; ++x) gaps += dashed.IsWhite(x, 30);
  EXPECT_GT(gaps, 0);

  for (int dashStyle : {int(DashStyleCustom), 9, -1}) {
    style.SetDashStyle(dashStyle);
    TSerieCanvas solid(60, 60);
    DrawAcross(style, solid);
    for (int x = 5; x < 55; ++x) ASSERT_FALSE(solid.IsWhite(x, 30)) << dashStyle << " at " << x;
  }
}

TEST(LineStyle, SilentWidthChangeNeedsRebuildPen) {
  TLineStyle style;
  TChangeCounter changes(style);
  TUpdateScope silent(style, true);
  style.SetWidth(5.0f);
  TSerieCanvas before(60, 60);
  DrawAcross(style, before);
  EXPECT_EQ(InkHeightAt(before, 30), 1);
  style.RebuildPen();
  TSerieCanvas after(60, 60);
  DrawAcross(style, after);
  EXPECT_EQ(InkHeightAt(after, 30), 5);
  EXPECT_EQ(changes.count, 0);
}

TEST(LineStyle, SolidPolylineJoinsEveryPoint) {
  TLineStyle style;
  style.SetColor(TSerieCanvas::kBlue);
  const QPointF points[] = {QPointF(5, 10), QPointF(50, 10), QPointF(50, 50)};
  TSerieCanvas canvas(60, 60);
  style.DrawPolyline(canvas.g, points, 3);
  EXPECT_EQ(canvas.Pixel(30, 10), TSerieCanvas::kBlue);
  EXPECT_EQ(canvas.Pixel(50, 30), TSerieCanvas::kBlue);
  EXPECT_TRUE(canvas.IsWhite(30, 30));
}

TEST(LineStyle, GradientPolylineColoursSegmentJAtJOverThePointCount) {
  TLineStyle style;
  style.SetColorMode(cmGradient);
  style.SetEndColor(TSerieCanvas::kRed);
  const QPointF points[] = {QPointF(5, 10), QPointF(50, 10), QPointF(50, 50), QPointF(5, 50)};
  TSerieCanvas canvas(60, 60);
  style.DrawPolyline(canvas.g, points, 4);
  EXPECT_EQ(canvas.Pixel(30, 10), 0xFF000000u);
  EXPECT_EQ(canvas.Pixel(50, 30), 0xFF400000u);
  EXPECT_EQ(canvas.Pixel(30, 50), 0xFF800000u);
}

// Repaints reuse the gradient only while its colours and length stay.
TEST(LineStyle, GradientPolylineFollowsNewColoursAndLengths) {
  TLineStyle style;
  style.SetColorMode(cmGradient);
  style.SetEndColor(TSerieCanvas::kRed);
  const QPointF points[] = {QPointF(5, 10), QPointF(50, 10), QPointF(50, 50), QPointF(5, 50)};
  struct TStep {
    uint32_t start, end;
    int count;
    QPoint lastSegmentPixel;
  };
  const TStep steps[] = {{0xFF000000, TSerieCanvas::kRed, 4, {30, 50}},
                         {0xFF000000, TSerieCanvas::kRed, 4, {30, 50}},
                         {0xFF000000, TSerieCanvas::kBlue, 4, {30, 50}},
                         {0xFF00FF00, TSerieCanvas::kBlue, 4, {30, 50}},
                         {0xFF00FF00, TSerieCanvas::kBlue, 3, {50, 30}}};
  for (const TStep& step : steps) {
    style.SetColor(step.start);
    style.SetEndColor(step.end);
    TSerieCanvas canvas(60, 60);
    style.DrawPolyline(canvas.g, points, step.count);
    EXPECT_EQ(canvas.Pixel(step.lastSegmentPixel.x(), step.lastSegmentPixel.y()),
              model::InterpolateColor(step.start, step.end, step.count, step.count - 2))
        << std::hex << step.start << " " << step.end << " " << step.count;
  }
}

TEST(LineStyle, SavesItsSixChildrenInOrder) {
  TLineStyle style;
  style.SetWidth(1.5f);
  style.SetColorMode(cmGradient);
  style.SetEndColor(0x80FF0000);
  pugi::xml_document doc;
  style.SaveToXML(doc.append_child("LineStyle"));
  std::string written;
  for (const pugi::xml_node child : doc.first_child().children())
    written += std::string(child.name()) + "=" + child.text().get() + ";";
  EXPECT_EQ(written, "Color=$FF000000;ColorMode=1;EndColor=$80FF0000;DashStyle=0;Visible=True;Width=1.5;");
}

TEST(LineStyle, WritesAWholeWidthWithoutDecimals) {
  TLineStyle style;
  pugi::xml_document doc;
  style.SaveToXML(doc.append_child("LineStyle"));
  EXPECT_STREQ(doc.first_child().child("Width").text().get(), "1");
}

TEST(LineStyle, ReadsBackWhatItWrote) {
  TLineStyle original;
  original.SetWidth(2.25f);
  original.SetDashStyle(DashStyleDashDotDot);
  original.SetColor(0x11223344);
  original.SetVisible(false);
  original.SetColorMode(cmGradient);
  original.SetEndColor(0x55667788);
  pugi::xml_document doc;
  original.SaveToXML(doc.append_child("LineStyle"));
  TLineStyle copy;
  copy.LoadFromXML(doc.first_child());
  EXPECT_EQ(copy.Width(), 2.25f);
  EXPECT_EQ(copy.DashStyle(), DashStyleDashDotDot);
  EXPECT_EQ(copy.Color(), 0x11223344u);
  EXPECT_FALSE(copy.Visible());
  EXPECT_EQ(copy.ColorMode(), cmGradient);
  EXPECT_EQ(copy.EndColor(), 0x55667788u);
}

struct TLineLoadCase {
  const char* fragment;
  float width;
  int colorMode;
  int dashStyle;
  // Named by its fragment in test output.
  friend void PrintTo(const TLineLoadCase& c, std::ostream* os) { *os << c.fragment; }
};

class LineStyleLoading : public ::testing::TestWithParam<TLineLoadCase> {};

TEST_P(LineStyleLoading, KeepsWhatDoesNotConvert) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(GetParam().fragment));
  TLineStyle style;
  TChangeCounter changes(style);
  style.LoadFromXML(doc.first_child());
  EXPECT_EQ(style.Width(), GetParam().width);
  EXPECT_EQ(int(style.ColorMode()), GetParam().colorMode);
  EXPECT_EQ(style.DashStyle(), GetParam().dashStyle);
  EXPECT_EQ(changes.count, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Fragments, LineStyleLoading,
    ::testing::Values(TLineLoadCase{"<L/>", 1.0f, 0, 0}, TLineLoadCase{"<L><Width>1,5</Width></L>", 1.0f, 0, 0},
                      TLineLoadCase{"<L><Width>1.5</Width></L>", 1.5f, 0, 0},
                      TLineLoadCase{"<L><ColorMode>257</ColorMode></L>", 1.0f, 1, 0},
                      TLineLoadCase{"<L><ColorMode>one</ColorMode><DashStyle>9</DashStyle></L>", 1.0f, 0, 9},
                      TLineLoadCase{"<L><DashStyle>$3</DashStyle><Width></Width></L>", 1.0f, 0, 3}));

TEST(LineStyle, OddWidthsFromADocumentDrawWithoutHarm) {
  // Zero, negative and tiny widths draw a thin line; a huge one covers the
  // canvas, as the widest pen would. The width itself loads as it stands.
  const struct {
    const char* Width;
    float Loaded;
    int MinInk;
    int MaxInk;  // rows inked in a column the segment crosses
  } cases[] = {{"0", 0.0f, 1, 2}, {"-3", -3.0f, 1, 2}, {"1e-30", 1e-30f, 1, 2}, {"1e30", 1e30f, 60, 60}};
  for (const auto& c : cases) {
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string((std::string("<L><Width>") + c.Width + "</Width></L>").c_str()));
    TLineStyle style;
    style.LoadFromXML(doc.first_child());
    EXPECT_EQ(style.Width(), c.Loaded) << c.Width;
    TSerieCanvas canvas(60, 60);
    DrawAcross(style, canvas);
    EXPECT_EQ(canvas.Pixel(30, 30), TSerieCanvas::kBlack) << c.Width;
    EXPECT_GE(InkHeightAt(canvas, 30), c.MinInk) << c.Width;
    EXPECT_LE(InkHeightAt(canvas, 30), c.MaxInk) << c.Width;
    // A polyline with the same pen draws where the segment did not.
    const QPointF points[] = {QPointF(5, 45), QPointF(50, 50), QPointF(5, 55)};
    style.DrawPolyline(canvas.g, points, 3);
    EXPECT_EQ(canvas.Pixel(27, 47), TSerieCanvas::kBlack) << c.Width;
  }
}

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <pugixml.hpp>
#include <vector>

#include "change_counter.h"
#include "model/color_bar.h"
#include "model/color_maps.h"
#include "model/color_scale.h"
#include "model/points_serie.h"
#include "model/xml_document.h"
#include "serie_canvas.h"

namespace {

constexpr double kNone = TColorScale::kAutomatic;

// The fill of the marker centred on each of `values`' points, drawn on a row.
std::vector<uint32_t> MarkerFills(const std::vector<double>& values, const std::function<void(TColorScale&)>& setUp,
                                  int markerSize = 5) {
  TSerieCanvas canvas(40 * int(values.size()) + 40, 60);
  TPointsSerie serie;
  serie.LineStyle().SetVisible(false);
  serie.PointStyle().SetSize(markerSize);
  for (size_t i = 0; i < values.size(); ++i) serie.Items().Add(canvas.At(30 + 40 * double(i), 30), values[i]);
  serie.ColorScale().SetVisible(true);
  setUp(serie.ColorScale());
  serie.Draw(canvas.g, canvas.projection);
  std::vector<uint32_t> fills;
  for (size_t i = 0; i < values.size(); ++i) fills.push_back(canvas.Pixel(30 + 40 * int(i), 30));
  return fills;
}

}  // namespace

TEST(ColorMaps, EndsAreThePublishedColours) {
  const struct {
    model::TColorMap Map;
    QRgb Low, High;
  } cases[] = {
      {model::TColorMap::cmViridis, 0xFF440154, 0xFFFDE725}, {model::TColorMap::cmCividis, 0xFF00204D, 0xFFFFEA46},
      {model::TColorMap::cmMagma, 0xFF000004, 0xFFFCFDBF},   {model::TColorMap::cmInferno, 0xFF000004, 0xFFFCFFA4},
      {model::TColorMap::cmPlasma, 0xFF0D0887, 0xFFF0F921},  {model::TColorMap::cmGrey, 0xFF000000, 0xFFFFFFFF},
      {model::TColorMap::cmRedBlue, 0xFF67001F, 0xFF053061},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(model::ColorMapName(c.Map)));
    EXPECT_EQ(model::MapColor(c.Map, 0.0), c.Low);
    EXPECT_EQ(model::MapColor(c.Map, 1.0), c.High);
    EXPECT_EQ(model::ColorMapOfName(model::ColorMapName(c.Map)), c.Map);
  }
  EXPECT_EQ(model::MapColor(model::TColorMap::cmGrey, 0.5), 0xFF808080);
  EXPECT_EQ(model::ColorMapOfName("vIRIDIS"), model::TColorMap::cmViridis);
  EXPECT_FALSE(model::ColorMapOfName("jet"));
}

TEST(ColorScale, MarkersTakeTheColourOfTheirValue) {
  using Set = std::function<void(TColorScale&)>;
  const Set none = [](TColorScale&) {};
  const struct {
    const char* Name;
    std::vector<double> Values;
    Set SetUp;
    std::vector<uint32_t> Fills;
  } cases[] = {
      {"AutomaticRange", {0, 0.5, 1}, none, {0xFF440154, 0xFF21908D, 0xFFFDE725}},
      {"AutomaticRangeOfOtherValues", {-3, 7}, none, {0xFF440154, 0xFFFDE725}},
      {"FixedRange", {0, 1}, [](TColorScale& s) { s.SetMin(-1), s.SetMax(3); }, {0xFF3B528B, 0xFF21908D}},
      {"Clamped", {-5, 0.5, 9}, [](TColorScale& s) { s.SetMin(0), s.SetMax(1); }, {0xFF440154, 0xFF21908D, 0xFFFDE725}},
      {"Reversed", {0, 1}, [](TColorScale& s) { s.SetReversed(true); }, {0xFFFDE725, 0xFF440154}},
      {"Logarithmic",
       {1, 10, 100},
       [](TColorScale& s) { s.SetLogarithmic(true); },
       {0xFF440154, 0xFF21908D, 0xFFFDE725}},
      {"LogarithmicBelowZero",
       {-1, 10, 100},
       [](TColorScale& s) { s.SetLogarithmic(true); },
       {0xFF440154, 0xFF440154, 0xFFFDE725}},
      {"NoValue",
       {kNone, 0, 1},
       [](TColorScale& s) { s.SetNoValueColor(0xFFFF0000); },
       {0xFFFF0000, 0xFF440154, 0xFFFDE725}},
      {"OtherMap", {0, 1}, [](TColorScale& s) { s.SetColorMap(model::TColorMap::cmGrey); }, {0xFF000000, 0xFFFFFFFF}},
      {"OneValueIsTheMiddle", {2, 2}, none, {0xFF21908D, 0xFF21908D}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::vector<uint32_t> fills = MarkerFills(c.Values, c.SetUp);
    ASSERT_EQ(fills.size(), c.Fills.size());
    for (size_t i = 0; i < fills.size(); ++i) EXPECT_TRUE(IsNearColor(fills[i], c.Fills[i], 2)) << std::hex << fills[i];
  }
}

// Markers too large for a stamp are drawn as shapes, in the same colours.
TEST(ColorScale, LargeMarkersTakeTheSameColours) {
  const auto range = [](TColorScale& s) { s.SetMin(0), s.SetMax(1); };
  EXPECT_TRUE(IsNearColor(MarkerFills({1}, range, 150)[0], 0xFFFDE725, 2));
  EXPECT_TRUE(IsNearColor(MarkerFills({kNone}, range, 150)[0], 0xFFC0C0C0, 2));
}

// Where markers overlap, the higher value lies on top whatever the order
// of the points, and no value lies beneath all; the polyline lies beneath
// the markers. Drawn in order, beneath a polyline's cover and, a thousand
// markers and more, last first.
TEST(ColorScale, HigherValuesLieOnTop) {
  const struct {
    std::vector<double> Values;
    int Repeat;
    bool Line;
  } cases[] = {{{0, 1}, 1, false},    {{1, 0}, 1, false},   {{1, kNone}, 1, true},
               {{kNone, 1}, 1, true}, {{1, 0}, 600, false}, {{1, 0, kNone}, 400, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Values.front() << " first, " << c.Repeat << " times, line " << c.Line);
    TSerieCanvas canvas(80, 60);
    TPointsSerie serie;
    serie.LineStyle().SetVisible(c.Line);
    for (int r = 0; r < c.Repeat; ++r)
      for (const double value : c.Values) serie.Items().Add(canvas.At(30, 30), value);
    serie.Items().Add(canvas.At(70, 30), 0.5);
    serie.ColorScale().SetVisible(true);
    serie.Draw(canvas.g, canvas.projection);
    EXPECT_TRUE(IsNearColor(canvas.Pixel(30, 30), 0xFFFDE725, 2)) << std::hex << canvas.Pixel(30, 30);
    EXPECT_EQ(canvas.IsWhite(50, 30), !c.Line);
  }
}

TEST(ColorScale, HiddenScaleKeepsTheFillColour) {
  const std::vector<uint32_t> fills = MarkerFills({0, 1}, [](TColorScale& s) { s.SetVisible(false); });
  EXPECT_EQ(fills, (std::vector<uint32_t>{0xFF808080, 0xFF808080}));
}

TEST(ColorScale, IsWrittenOnlyWhenSetAndReadsBack) {
  TPointsSerie serie;
  pugi::xml_document document;
  serie.SaveToXML(document.append_child("Plain"));
  EXPECT_FALSE(document.child("Plain").child("ColorScale"));

  TColorScale& scale = serie.ColorScale();
  TChangeCounter changes(serie);
  scale.SetVisible(true);
  scale.SetColorMap(model::TColorMap::cmMagma);
  scale.SetMax(2.5);
  scale.SetLogarithmic(true);
  scale.SetReversed(true);
  scale.SetNoValueColor(0x80FF0000);
  scale.SetTitle(QStringLiteral("Carbone organique (%)"));
  scale.SetMax(2.5);
  EXPECT_EQ(changes.count, 7);
  const pugi::xml_node node = document.append_child("Serie");
  serie.SaveToXML(node);
  const pugi::xml_node saved = node.child("ColorScale");
  EXPECT_STREQ(saved.child("ColorMap").text().get(), "Magma");
  EXPECT_STREQ(saved.child("Min").text().get(), "");
  EXPECT_STREQ(saved.child("Max").text().get(), "2.5");
  EXPECT_STREQ(node.child("DrawArrow").next_sibling().name(), "ColorScale");

  TPointsSerie copy;
  copy.LoadFromXML(node);
  const TColorScale& read = copy.ColorScale();
  EXPECT_TRUE(read.Visible());
  EXPECT_EQ(read.ColorMap(), model::TColorMap::cmMagma);
  EXPECT_TRUE(std::isnan(read.Min()));
  EXPECT_EQ(read.Max(), 2.5);
  EXPECT_TRUE(read.Logarithmic() && read.Reversed());
  EXPECT_EQ(read.NoValueColor(), 0x80FF0000u);
  EXPECT_EQ(read.Title(), scale.Title());
}

TEST(ColorScale, UnreadableEntriesLeaveTheirProperty) {
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string(
      "<ColorScale><ColorMap>jet</ColorMap><Min>x</Min><Max></Max><Logarithmic>maybe</Logarithmic></ColorScale>"));
  TColorScale scale;
  scale.SetColorMap(model::TColorMap::cmPlasma);
  scale.SetMin(1);
  scale.SetMax(2);
  scale.LoadFromXML(document.first_child());
  EXPECT_EQ(scale.ColorMap(), model::TColorMap::cmPlasma);
  EXPECT_EQ(scale.Min(), 1);
  EXPECT_TRUE(std::isnan(scale.Max()));
  EXPECT_FALSE(scale.Logarithmic());
}

TEST(ColorBar, TicksAtRoundValues) {
  const struct {
    double Low, High;
    bool Log;
    std::vector<double> Ticks;
  } cases[] = {
      {0, 1, false, {0, 0.2, 0.4, 0.6, 0.8, 1}},
      {0.13, 2.9, false, {0.5, 1, 1.5, 2, 2.5}},
      {-30, 45, false, {-20, 0, 20, 40}},
      {5, 5, false, {5}},
      {1, 1000, true, {1, 10, 100, 1000}},
      {0.3, 40, true, {1, 10}},
      {2, 9, true, {2, 5}},
      {-1, 10, true, {}},
      {kNone, 1, false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Low << " " << c.High << " " << c.Log);
    const std::vector<double> ticks = model::ColorBarTicks(c.Low, c.High, c.Log);
    ASSERT_EQ(ticks.size(), c.Ticks.size());
    for (size_t i = 0; i < ticks.size(); ++i) EXPECT_NEAR(ticks[i], c.Ticks[i], 1e-9);
  }
}

TEST(ColorBar, StripRunsFromTheLowColourAtTheBottomToTheHighAtTheTop) {
  for (const bool reversed : {false, true}) {
    TSerieCanvas canvas(120, 200);
    TColorScale scale;
    scale.SetReversed(reversed);
    model::DrawColorBar(canvas.g, QRectF(0, 0, 120, 200), scale, {0, 1}, {QFont(), 0xFF000000});
    // Rows near the ends of the strip, clear of its outline's smoothed edge.
    std::vector<uint32_t> strip;
    for (int y = 0; y < 200; ++y)
      if (const uint32_t pixel = canvas.Pixel(16, y); pixel != TSerieCanvas::kWhite && pixel != TSerieCanvas::kBlack)
        strip.push_back(pixel);
    ASSERT_GT(strip.size(), 100u);
    const uint32_t top = strip[2];
    const uint32_t bottom = strip[strip.size() - 3];
    EXPECT_TRUE(IsNearColor(reversed ? top : bottom, 0xFF440154, 12)) << std::hex << bottom;
    EXPECT_TRUE(IsNearColor(reversed ? bottom : top, 0xFFFDE725, 12)) << std::hex << top;
  }
}

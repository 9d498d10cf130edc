// Document values that would freeze, blank or corrupt the picture are kept
// within bounds, and the diagram still draws.
#include <gtest/gtest.h>

#include <QBuffer>
#include <cmath>
#include <functional>

#include "control/graph_export.h"
#include "control_fixture.h"
#include "model/line_style.h"
#include "model/point_style.h"

namespace {

constexpr QRgb kRed = 0xFFFF0000;

// A header and three red squares joined by a red line, with the header's
// height, the markers' size and the line's width as given (the defaults are
// 25, 5 and 1).
QByteArray SampleDocument(const char* headerHeight, const char* markerSize, const char* lineWidth) {
  return QByteArray(R"(<GraphControl><MainHeader><Caption>Bounds</Caption><Height>)") + headerHeight +
         R"(</Height></MainHeader><Graph><Series><Serie Type="TPointsSerie"><LineStyle><Color>$FFFF0000</Color>)"
         R"(<Width>)" +
         lineWidth +
         R"(</Width></LineStyle><PointStyle><FillColor>$FFFF0000</FillColor>)"
         R"(<LineColor>$FFFF0000</LineColor><Size>)" +
         markerSize +
         R"(</Size></PointStyle><Items><TP>0.2;0.3;0.5</TP><TP>0.6;0.2;0.2</TP><TP>0.25;0.5;0.25</TP>)"
         R"(</Items></Serie></Series></Graph></GraphControl>)";
}

void Load(TGraphControl& control, const QByteArray& text) {
  QBuffer buffer;
  buffer.setData(text);
  buffer.open(QIODevice::ReadOnly);
  control.LoadFromStream(buffer);
}

// Red pixels and dark (axis) pixels of a fresh rendering.
struct TInk {
  int Red = 0;
  int Dark = 0;
};

TInk InkOf(TGraphControl& control) {
  const QImage image = control::RenderToImage(control);
  TInk ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      ink.Red += pixel == kRed;
      ink.Dark += qGray(pixel) < 64;
    }
  return ink;
}

struct TBoundCase {
  const char* Name;
  const char* HeaderHeight;
  const char* MarkerSize;
  const char* LineWidth;
};

class DocumentBounds : public testing::TestWithParam<TBoundCase> {};

// Each case puts one value out of bounds; the others are the defaults, which
// the ignored value then keeps too.
const TBoundCase kOutOfBounds[] = {
    {"HugeMarkerSize", "25", "2000000000", "1"},   {"NegativeMarkerSize", "25", "-7", "1"},
    {"NegativeHeaderHeight", "-100000", "5", "1"}, {"HugeHeaderHeight", "2000000000", "5", "1"},
    {"WidthBeyondAFloat", "25", "5", "1e300"},     {"NegativeWidthBeyondAFloat", "25", "5", "-1e39"},
};

TEST_P(DocumentBounds, AnOutOfBoundsValueIsIgnoredAndTheDiagramDraws) {
  TShownControl reference(400, 300);
  Load(reference.control, SampleDocument("25", "5", "1"));
  TShownControl shown(400, 300);
  Load(shown.control, SampleDocument(GetParam().HeaderHeight, GetParam().MarkerSize, GetParam().LineWidth));

  TPointsSerie& serie = static_cast<TPointsSerie&>(shown.control.Graph().GetSerie(0));
  EXPECT_EQ(shown.control.MainHeader().Height(), 25);
  EXPECT_EQ(serie.PointStyle().Size(), 5);
  EXPECT_EQ(serie.LineStyle().Width(), 1.0f);
  const TInk expected = InkOf(reference.control);
  const TInk ink = InkOf(shown.control);
  EXPECT_GT(ink.Red, 50);
  EXPECT_EQ(ink.Red, expected.Red);
  EXPECT_EQ(ink.Dark, expected.Dark);
}

INSTANTIATE_TEST_SUITE_P(Values, DocumentBounds, testing::ValuesIn(kOutOfBounds),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(DocumentBounds, TheLargestValuesLoadAndDraw) {
  TShownControl shown(400, 300);
  Load(shown.control, SampleDocument("10000", "1000", "3.4e38"));
  TPointsSerie& serie = static_cast<TPointsSerie&>(shown.control.Graph().GetSerie(0));
  EXPECT_EQ(shown.control.MainHeader().Height(), TControlLabel::kMaxHeight);
  EXPECT_EQ(serie.PointStyle().Size(), TPointStyle::kMaxSize);
  shown.control.MainHeader().SetHeight(0);
  EXPECT_GT(InkOf(shown.control).Red, 400 * 300 / 2);  // the markers cover most of the picture
}

TEST(DocumentBounds, SettersBringValuesIntoTheirBounds) {
  TControlLabel label;
  label.SetHeight(-100000);
  EXPECT_EQ(label.Height(), TControlLabel::kMinHeight);
  label.SetHeight(INT32_MAX);
  EXPECT_EQ(label.Height(), TControlLabel::kMaxHeight);
  TPointStyle style;
  style.SetSize(2000000000);
  EXPECT_EQ(style.Size(), TPointStyle::kMaxSize);
  style.SetSize(-1);
  EXPECT_EQ(style.Size(), TPointStyle::kMinSize);
}

TEST(DocumentBounds, ZoomingInStopsAtTheLargestZoomAndComesBack) {
  TShownControl shown(400, 300);
  TGraph& graph = shown.control.Graph();
  const double fitted = graph.Projection().Zoom();
  const QPointF centre(200, 150);
  for (int step = 0; step < 2000; ++step) graph.ZoomAt(shown.Graphics(), centre, 1.5);
  EXPECT_EQ(graph.Projection().Zoom(), TGraph::kMaxZoom);
  EXPECT_TRUE(std::isfinite(graph.Projection().Origin().X) && std::isfinite(graph.Projection().Origin().Y));
  int steps = 0;
  while (graph.Projection().Zoom() > fitted && steps < 100) {
    graph.ZoomAt(shown.Graphics(), centre, 1.0 / 1.5);
    ++steps;
  }
  EXPECT_EQ(graph.Projection().Zoom(), fitted);
  EXPECT_LT(steps, 40);
  EXPECT_GT(InkOf(shown.control).Dark, 100);  // the axes are back in view
}

}  // namespace

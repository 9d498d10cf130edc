#include <gtest/gtest.h>

#include "control/control_label.h"
#include "control/control_layout.h"

namespace {

struct LayoutCase {
  const char* name;
  int height;
  bool headerVisible;
  int headerHeight;
  bool footerVisible;
  int footerHeight;
  QRect header, footer, graphArea;  // (x, y, width, height)
};

class ControlLayoutBands : public ::testing::TestWithParam<LayoutCase> {};

}  // namespace

TEST_P(ControlLayoutBands, SplitTheClientAreaFromTopToBottom) {
  const LayoutCase& c = GetParam();
  TControlLabel header;
  TControlLabel footer;
  header.SetVisible(c.headerVisible);
  header.SetHeight(c.headerHeight);
  footer.SetVisible(c.footerVisible);
  footer.SetHeight(c.footerHeight);
  const TControlLayout layout = ComputeLayout(300, c.height, header, footer);
  EXPECT_EQ(layout.Header, c.header);
  EXPECT_EQ(layout.Footer, c.footer);
  EXPECT_EQ(layout.GraphArea, c.graphArea);
  EXPECT_EQ(layout.GraphAreaF(), QRectF(c.graphArea));
}

INSTANTIATE_TEST_SUITE_P(
    Layout, ControlLayoutBands,
    ::testing::Values(
        LayoutCase{"Both", 200, true, 25, true, 25, {0, 0, 300, 25}, {0, 175, 300, 25}, {0, 25, 300, 150}},
        LayoutCase{"HeaderHidden", 200, false, 25, true, 30, {0, 0, 300, 0}, {0, 170, 300, 30}, {0, 0, 300, 170}},
        LayoutCase{"FooterHidden", 200, true, 40, false, 30, {0, 0, 300, 40}, {0, 200, 300, 0}, {0, 40, 300, 160}},
        // Bands taller than the control leave an inverted graph area.
        LayoutCase{"Inverted", 40, true, 25, true, 25, {0, 0, 300, 25}, {0, 15, 300, 25}, {0, 25, 300, -10}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ControlLayout, AbsurdBandHeightsDoNotOverflow) {
  TControlLabel header;
  TControlLabel footer;
  header.SetHeight(INT32_MAX);
  footer.SetHeight(INT32_MAX);
  TControlLayout layout = ComputeLayout(300, 200, header, footer);
  EXPECT_GT(layout.Header.height(), 200);
  EXPECT_LT(layout.Footer.top(), 0);
  EXPECT_LT(layout.GraphArea.height(), 0);
  // A negative height is brought to an empty band, so the graph area stays
  // within the control.
  header.SetHeight(INT32_MIN);
  footer.SetHeight(INT32_MIN);
  layout = ComputeLayout(300, 200, header, footer);
  EXPECT_EQ(layout.Header.height(), 0);
  EXPECT_EQ(layout.Footer.top(), 200);
  EXPECT_EQ(layout.GraphArea.height(), 200);
}

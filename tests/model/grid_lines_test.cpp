#include "model/grid_lines.h"

#include <gtest/gtest.h>

#include "axe_canvas.h"

namespace {

constexpr TTernaryPoint kB{0, 1, 0};
constexpr TTernaryPoint kC{0, 0, 1};

// Counts the separate runs of `argb` pixels down the column x.
int RunsDownColumn(const TAxeCanvas& canvas, int x, uint32_t argb) {
  int runs = 0;
  bool inRun = false;
  for (int y = 0; y < canvas.image.height(); ++y) {
    const bool match = canvas.Pixel(x, y) == argb;
    if (match && !inRun) ++runs;
    inRun = match;
  }
  return runs;
}

}  // namespace

TEST(GridLines, DefaultsAreElevenGreyGraduations) {
  const TGridLines grid;
  EXPECT_TRUE(grid.Visible());
  EXPECT_EQ(grid.Count(), 11);
  EXPECT_EQ(grid.Position(), apLeft);
  EXPECT_EQ(grid.Style().Color(), 0xFF808080u);
  EXPECT_EQ(grid.Style().Size(), 1.0f);
  EXPECT_EQ(grid.Style().DashStyle(), DashStyleSolid);
}

TEST(GridLines, NineLinesJoinTheTwoSidesOfTheStartVertexAtConstantComponent) {
  struct Case {
    TAxePosition position;
    int component;  // held constant along each line: the start vertex's
    int sideEnd;    // the vertex at the other end of the element's side
    int secondEnd;  // the vertex at the other end of the second side
  };
  for (const Case& c : {Case{apLeft, 2, 0, 1}, Case{apRight, 1, 2, 0}, Case{apBottom, 0, 1, 2}}) {
    SCOPED_TRACE(int(c.position));
    TGridLines grid;
    grid.SetPosition(c.position);
    const std::vector<TTernaryCouple> lines = grid.Lines();
    ASSERT_EQ(lines.size(), 9u);
    for (size_t i = 0; i < lines.size(); ++i) {
      const double level = 1.0 - 0.1 * double(i + 1);
      EXPECT_NEAR(lines[i].P1[c.component], level, 1e-12);
      EXPECT_NEAR(lines[i].P2[c.component], level, 1e-12);
      // P1 on the element's own side, P2 on the other side of the start vertex.
      EXPECT_NEAR(lines[i].P1[c.sideEnd], 1.0 - level, 1e-12);
      EXPECT_NEAR(lines[i].P2[c.secondEnd], 1.0 - level, 1e-12);
    }
  }
}

TEST(GridLines, DrawsNineGreyLinesAcrossTheTriangle) {
  TAxeCanvas canvas;
  TGridLines grid;
  grid.Draw(canvas.g, canvas.projection);
  // Lines of constant C are horizontal: a column through the top vertex
  // crosses each of them once.
  const int x = int(canvas.World(kC).x());
  EXPECT_EQ(RunsDownColumn(canvas, x, TAxeCanvas::kGrey), 9);
  for (const TTernaryCouple& line : grid.Lines()) {
    const QPointF middle = (canvas.World(line.P1) + canvas.World(line.P2)) / 2;
    EXPECT_TRUE(canvas.HasColorNear(middle, TAxeCanvas::kGrey));
  }
  // Nothing else is painted: not the side, not the end graduations.
  for (int y = 0; y < canvas.image.height(); ++y)
    for (int xx = 0; xx < canvas.image.width(); ++xx) {
      const uint32_t pixel = canvas.Pixel(xx, y);
      ASSERT_TRUE(pixel == TAxeCanvas::kWhite || pixel == TAxeCanvas::kGrey) << xx << "," << y;
    }
  const QPointF bottomMiddle = canvas.World({0.5, 0.5, 0});
  EXPECT_TRUE(canvas.IsBlankNear(bottomMiddle + QPointF(0, -2)));
}

TEST(GridLines, FewerThanThreeGraduationsOrHiddenDrawNothing) {
  for (const int32_t count : {2, 1, 0, -1}) {
    SCOPED_TRACE(count);
    TAxeCanvas canvas;
    TGridLines grid;
    grid.SetCount(count);
    grid.Draw(canvas.g, canvas.projection);
    EXPECT_TRUE(canvas.IsBlank());
  }
  TAxeCanvas canvas;
  TGridLines grid;
  grid.SetVisible(false);
  grid.Draw(canvas.g, canvas.projection);
  EXPECT_TRUE(canvas.IsBlank());
}

TEST(GridLines, BoundsSpanTheEndsOfEveryLineWhetherVisibleOrNot) {
  TAxeCanvas canvas;
  TGridLines grid;
  const TDoublePoint first = canvas.projection.TernaryToPlane({0.1, 0, 0.9}, false);
  const TDoublePoint last = canvas.projection.TernaryToPlane({0, 0.9, 0.1}, false);
  const TDoubleRect bounds = grid.GetBounds(canvas.g, canvas.projection);
  EXPECT_NEAR(bounds.Left, 0.05, 1e-12);
  EXPECT_NEAR(bounds.Right, 0.95, 1e-12);
  EXPECT_NEAR(bounds.Top, first.Y, 1e-12);
  EXPECT_NEAR(bounds.Bottom, last.Y, 1e-12);
  grid.SetVisible(false);
  EXPECT_EQ(grid.GetBounds(canvas.g, canvas.projection), bounds);
}

TEST(GridLines, WithoutLinesTheBoundsShrinkToTheStartVertex) {
  TAxeCanvas canvas;
  TGridLines grid;
  grid.SetPosition(apRight);
  grid.SetCount(2);
  const TDoublePoint b = canvas.projection.TernaryToPlane(kB, false);
  EXPECT_EQ(grid.GetBounds(canvas.g, canvas.projection), (TDoubleRect{b.X, b.Y, b.X, b.Y}));
}

TEST(GridLines, ADashStyleOutsideTheKnownRangeLoadsAsItStandsAndDrawsSolid) {
  pugi::xml_document document;
  document.load_string("<GridLines><Style><DashStyle>42</DashStyle></Style></GridLines>");
  TGridLines grid;
  grid.LoadFromXML(document.child("GridLines"));
  EXPECT_EQ(grid.Style().DashStyle(), 42);

  TAxeCanvas canvas;
  grid.Draw(canvas.g, canvas.projection);
  const TTernaryCouple middleLine = grid.Lines()[4];
  const QPointF from = canvas.World(middleLine.P1);
  const QPointF to = canvas.World(middleLine.P2);
  const int y = int(canvas.World(middleLine.P1).y());
  int row = -1;  // the row the line landed on
  for (int dy = -1; dy <= 1 && row < 0; ++dy)
    if (canvas.Pixel(int(from.x() + 10), y + dy) == TAxeCanvas::kGrey) row = y + dy;
  ASSERT_GE(row, 0);
  for (int x = int(from.x()) + 1; x < int(to.x()) - 1; ++x)
    ASSERT_EQ(canvas.Pixel(x, row), TAxeCanvas::kGrey) << "gap at x = " << x;
}

TEST(GridLines, PositionFromADocumentOutsideTheThreeSidesIsRefused) {
  for (const char* text : {"3", "-1", "x", "2147483648"}) {
    SCOPED_TRACE(text);
    pugi::xml_document document;
    const std::string xml = std::string("<GridLines><Position>") + text + "</Position><Count>4</Count></GridLines>";
    document.load_string(xml.c_str());
    TGridLines grid;
    grid.SetPosition(apRight);
    grid.LoadFromXML(document.child("GridLines"));
    EXPECT_EQ(grid.Position(), apRight);
    EXPECT_EQ(grid.Count(), 4);
  }
}

#include "model/ticks.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <climits>
#include <string>

#include "axe_canvas.h"
#include "change_counter.h"
#include "model/xml_document.h"
#include "xml_reading.h"

namespace {

constexpr TTernaryPoint kA{1, 0, 0};
constexpr TTernaryPoint kB{0, 1, 0};
constexpr TTernaryPoint kC{0, 0, 1};

QStringList LabelTexts(const TTicks& ticks, const QLocale& locale = QLocale::c()) {
  QStringList texts;
  for (const TTickMark& mark : ticks.Marks(locale)) texts << mark.Text;
  return texts;
}

const QStringList kTenthsFromOne{"1", "0.9", "0.8", "0.7", "0.6", "0.5", "0.4", "0.3", "0.2", "0.1", "0"};

QPointF Lerp(const QPointF& p, const QPointF& q, double t) { return p + (q - p) * t; }

}  // namespace

TEST(Ticks, DefaultsMatchTheDocumentedValues) {
  const TTicks ticks;
  EXPECT_TRUE(ticks.Visible());
  EXPECT_EQ(ticks.Count(), 11);
  EXPECT_EQ(ticks.Position(), apLeft);
  EXPECT_EQ(ticks.Style().Color(), 0xFF000000u);
  EXPECT_EQ(ticks.Style().Size(), 1.0f);
  EXPECT_EQ(ticks.Style().DashStyle(), DashStyleSolid);
  EXPECT_EQ(ticks.Font().Name(), "Arial");
  EXPECT_EQ(ticks.Font().Size(), 8.0f);
  EXPECT_EQ(ticks.Font().Color(), 0xFF000000u);
  EXPECT_EQ(ticks.LabelSpacing(), 4);
  EXPECT_EQ(ticks.TickLength(), 5);
  EXPECT_EQ(ticks.LabelFormat(), "%6.3g");
}

TEST(Ticks, ElevenLabelsRunFromOneAtTheStartVertexToZeroAtTheEndVertex) {
  struct Case {
    TAxePosition position;
    TTernaryPoint start, end;
  };
  for (const Case& c : {Case{apLeft, kC, kA}, Case{apRight, kB, kC}, Case{apBottom, kA, kB}}) {
    SCOPED_TRACE(int(c.position));
    TTicks ticks;
    ticks.SetPosition(c.position);
    const std::vector<TTickMark> marks = ticks.Marks(QLocale::c());
    ASSERT_EQ(marks.size(), 11u);
    EXPECT_EQ(LabelTexts(ticks), kTenthsFromOne);
    EXPECT_EQ(marks.front().Point, c.start);
    // Exactly the vertex, not the sum of ten rounded steps.
    EXPECT_EQ(marks.back().Point, c.end);
  }
}

TEST(Ticks, CountsBelowThreeGiveTheEndsOnly) {
  struct Case {
    int32_t count;
    QStringList labels;
  };
  for (const Case& c : {Case{2, {"1", "0"}}, Case{1, {"1"}}, Case{0, {}}, Case{-4, {}}}) {
    SCOPED_TRACE(c.count);
    TTicks ticks;
    ticks.SetCount(c.count);
    EXPECT_EQ(LabelTexts(ticks), c.labels);
  }
}

TEST(Ticks, LabelFormatsThatCannotFormatOneFloatFallBackToTheGeneralFormat) {
  struct Case {
    const char* format;
    double value;
    const char* label;
  };
  const Case cases[] = {
      {"%6.3g", 0.30000000000000004, "0.3"},
      {"%6.3g", 1.0, "1"},
      {"%6.3g", 0.0, "0"},
      {"%.1f", 1.0, "1.0"},
      {"%.1f", 0.0, "0.0"},
      {"  %5.2f %%  ", 0.5, "0.50 %"},
      {"%d", 0.9, "0.9"},
      {"%s", 0.9, "0.9"},
      {"%n", 0.9, "0.9"},
      {"%f %f", 0.9, "0.9"},
      {"", 0.30000000000000004, "0.3"},
      {"%.99999f", 0.5, "0.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    TTicks ticks;
    ticks.SetLabelFormat(QString::fromUtf8(c.format));
    EXPECT_EQ(ticks.LabelText(c.value, QLocale::c()), QString::fromUtf8(c.label));
  }
}

TEST(Ticks, LabelsUseTheDecimalSeparatorOfTheLocale) {
  TTicks ticks;
  const QLocale french(QLocale::French, QLocale::France);
  EXPECT_EQ(ticks.LabelText(0.9, french), "0,9");
  ticks.SetLabelFormat("%d");
  EXPECT_EQ(ticks.LabelText(0.25, french), "0,25");
}

TEST(Ticks, AHugeCountIsKeptButDrawsALimitedNumberOfGraduations) {
  TTicks ticks;
  ticks.SetCount(INT_MAX);
  EXPECT_EQ(ticks.Count(), INT_MAX);
  const std::vector<TTickMark> marks = ticks.Marks();
  EXPECT_EQ(marks.size(), size_t(TAxeElement::kMaxGraduations));
  EXPECT_EQ(marks.back().Point, kA);
}

TEST(Ticks, SettersNotifyOnceAndNotAtAllForTheCurrentValue) {
  TTicks ticks;
  TChangeCounter changes(ticks);
  const std::function<void()> sameValue[] = {
      [&] { ticks.SetCount(11); },        [&] { ticks.SetVisible(true); },
      [&] { ticks.SetPosition(apLeft); }, [&] { ticks.SetTickLength(5); },
      [&] { ticks.SetLabelSpacing(4); },  [&] { ticks.SetLabelFormat("%6.3g"); },
      [&] { ticks.Font().SetSize(8); },   [&] { ticks.Style().SetColor(0xFF000000); },
  };
  for (const auto& edit : sameValue) edit();
  EXPECT_EQ(changes.count, 0);

  const std::function<void()> newValue[] = {
      [&] { ticks.SetCount(5); },           [&] { ticks.SetVisible(false); },
      [&] { ticks.SetPosition(apBottom); }, [&] { ticks.SetTickLength(-3); },
      [&] { ticks.SetLabelSpacing(7); },    [&] { ticks.SetLabelFormat("%.2f"); },
      [&] { ticks.Font().SetSize(10); },    [&] { ticks.Style().SetColor(0xFFFF0000); },
  };
  for (size_t i = 0; i < std::size(newValue); ++i) {
    changes.count = 0;
    newValue[i]();
    EXPECT_EQ(changes.count, 1) << "edit " << i;
  }
}

TEST(Ticks, APositionOutsideTheThreeSidesIsIgnored) {
  TTicks ticks;
  ticks.SetPosition(apRight);
  ticks.SetPosition(TAxePosition(3));
  ticks.SetPosition(TAxePosition(-1));
  EXPECT_EQ(ticks.Position(), apRight);
}

TEST(Ticks, DrawsOneTickOfTheStyleColourAtEveryGraduationPointingAwayFromTheTriangle) {
  for (const TAxePosition position : {apLeft, apRight, apBottom}) {
    SCOPED_TRACE(int(position));
    TAxeCanvas canvas;
    TTicks ticks;
    ticks.SetPosition(position);
    ticks.Style().SetColor(0xFF0000FF);
    ticks.Draw(canvas.g, canvas.projection);

    const QPointF tick = *ticks.TickVector(canvas.projection);
    EXPECT_NEAR(std::hypot(tick.x(), tick.y()), 5.0, 0.05);
    const std::vector<TTickMark> marks = ticks.Marks();
    for (size_t i = 0; i < marks.size(); ++i) {
      const QPointF w = canvas.World(marks[i].Point);
      EXPECT_TRUE(canvas.HasColorNear(w + tick * 0.6, 0xFF0000FF)) << "tick " << i;
      // Outward: nothing on the inner side of the graduation.
      EXPECT_TRUE(canvas.IsBlankNear(w - tick * 0.8, 0)) << "tick " << i;
      if (i + 1 < marks.size()) {
        const QPointF between = Lerp(w, canvas.World(marks[i + 1].Point), 0.5);
        EXPECT_TRUE(canvas.IsBlankNear(between + tick * 0.6)) << "after tick " << i;
      }
    }
  }
}

TEST(Ticks, LabelsStandOnTheOuterSideOfTheirTicks) {
  struct Case {
    TAxePosition position;
    QPoint outward;  // the direction in which the labels must lie
  };
  for (const Case& c : {Case{apLeft, {-1, 0}}, Case{apRight, {1, 0}}, Case{apBottom, {0, 1}}}) {
    SCOPED_TRACE(int(c.position));
    TAxeCanvas canvas;
    TTicks ticks;
    ticks.SetPosition(c.position);
    ticks.Style().SetColor(0x00000000);
    ticks.Draw(canvas.g, canvas.projection);
    // With transparent ticks only the labels paint, all beyond the tick ends.
    const QRect painted = canvas.PaintedRect();
    ASSERT_FALSE(painted.isEmpty());
    const QPointF start = canvas.World(ticks.Marks().front().Point);
    const QPointF end = canvas.World(ticks.Marks().back().Point);
    if (c.outward.x() < 0) {
      EXPECT_LT(painted.right(), std::max(start.x(), end.x()) - 5);
    }
    if (c.outward.x() > 0) {
      EXPECT_GT(painted.left(), std::min(start.x(), end.x()) + 5);
    }
    if (c.outward.y() > 0) {
      EXPECT_GT(painted.top(), start.y() + 5);
    }
  }
}

TEST(Ticks, CountTwoDrawsTheTwoEndTicksOnly) {
  TAxeCanvas canvas;
  TTicks defaults;
  TTicks ticks;
  ticks.SetCount(2);
  ticks.Draw(canvas.g, canvas.projection);
  const QPointF tick = *ticks.TickVector(canvas.projection);
  const std::vector<TTickMark> graduations = defaults.Marks();
  for (size_t i = 0; i < graduations.size(); ++i) {
    const QPointF at = canvas.World(graduations[i].Point) + tick * 0.6;
    const bool isEnd = i == 0 || i + 1 == graduations.size();
    EXPECT_EQ(canvas.HasColorNear(at, TAxeCanvas::kBlack), isEnd) << "graduation " << i;
  }
}

TEST(Ticks, CountOneDrawsOneTickAtTheStartVertexAndCountZeroDrawsNothing) {
  TAxeCanvas one;
  TTicks ticks;
  ticks.SetCount(1);
  ticks.Draw(one.g, one.projection);
  const QPointF tick = *ticks.TickVector(one.projection);
  EXPECT_TRUE(one.HasColorNear(one.World(kC) + tick * 0.6, TAxeCanvas::kBlack));
  EXPECT_TRUE(one.IsBlankNear(one.World(kA) + tick * 0.6));

  TAxeCanvas zero;
  ticks.SetCount(0);
  ticks.Draw(zero.g, zero.projection);
  EXPECT_TRUE(zero.IsBlank());
}

TEST(Ticks, ANegativeTickLengthDrawsInwardAndTheLabelsFollow) {
  TAxeCanvas outward;
  TTicks ticks;
  ticks.Draw(outward.g, outward.projection);
  const QPointF out = *ticks.TickVector(outward.projection);

  TAxeCanvas inward;
  ticks.SetTickLength(-5);
  ticks.Draw(inward.g, inward.projection);
  const QPointF in = *ticks.TickVector(inward.projection);
  EXPECT_NEAR(in.x(), -out.x(), 1e-9);
  EXPECT_NEAR(in.y(), -out.y(), 1e-9);

  const QPointF middle = inward.World({0.5, 0, 0.5});
  EXPECT_TRUE(inward.HasColorNear(middle + in * 0.6, TAxeCanvas::kBlack));
  EXPECT_TRUE(outward.IsBlankNear(middle + in * 0.6, 0));
  // The labels of the left side lie left of the tick ends: they move right by
  // twice the tick length.
  EXPECT_NEAR(inward.PaintedRect().left() - outward.PaintedRect().left(), 2 * std::abs(out.x()), 1.5);
}

TEST(Ticks, HiddenTicksDrawNothingAndKeepTheirBounds) {
  TAxeCanvas canvas;
  TTicks ticks;
  const TDoubleRect visibleBounds = ticks.GetBounds(canvas.g, canvas.projection);
  ticks.SetVisible(false);
  ticks.Draw(canvas.g, canvas.projection);
  EXPECT_TRUE(canvas.IsBlank());
  EXPECT_EQ(ticks.GetBounds(canvas.g, canvas.projection), visibleBounds);
}

TEST(Ticks, BoundsHoldEveryPixelTheTicksAndLabelsPaint) {
  for (const TAxePosition position : {apLeft, apRight, apBottom}) {
    for (const int32_t length : {5, -5, 20}) {
      SCOPED_TRACE(testing::Message() << "position " << int(position) << ", length " << length);
      TAxeCanvas canvas;
      TTicks ticks;
      ticks.SetPosition(position);
      ticks.SetTickLength(length);
      ticks.Draw(canvas.g, canvas.projection);
      const QRect bounds = ticks.GetPixelRect(canvas.g, canvas.projection).normalized();
      const QRect painted = canvas.PaintedRect();
      // One pixel of slack for the pen width and rounding.
      EXPECT_TRUE(bounds.adjusted(-1, -1, 1, 1).contains(painted))
          << "bounds " << bounds.x() << "," << bounds.y() << " " << bounds.width() << "x" << bounds.height();
      // ...and not much more than that.
      EXPECT_LE(bounds.width(), painted.width() + 8);
      EXPECT_LE(bounds.height(), painted.height() + 8);
    }
  }
}

TEST(Ticks, ASideShorterThanOnePixelDrawsAndMeasuresNoTicks) {
  TAxeCanvas canvas(0.5);
  TTicks ticks;
  EXPECT_FALSE(ticks.TickVector(canvas.projection).has_value());
  ticks.Draw(canvas.g, canvas.projection);
  EXPECT_TRUE(canvas.IsBlank());
  const TDoubleRect bounds = ticks.GetBounds(canvas.g, canvas.projection);
  const TDoublePoint c = canvas.projection.TernaryToPlane(kC, false);
  const TDoublePoint a = canvas.projection.TernaryToPlane(kA, false);
  EXPECT_EQ(bounds, (TDoubleRect{a.X, c.Y, c.X, a.Y}));
}

TEST(Ticks, SaveWritesTheElementChildrenThenTheTickChildrenInOrder) {
  pugi::xml_document document;
  TTicks ticks;
  ticks.SaveToXML(document.append_child("Ticks"));
  std::string xml;
  model::WriteDocument(document, xml, model::TXmlLayout::Compact);
  EXPECT_TRUE(IsWellFormedXml(xml));
  EXPECT_EQ(xml,
            "<Ticks><Count>11</Count><Position>0</Position>"
            "<Style><Color>$FF000000</Color><DashStyle>0</DashStyle><Size>1</Size></Style>"
            "<Visible>True</Visible>"
            "<Font><Color>$FF000000</Color><Name>Arial</Name><Size>8</Size><Styles>[]</Styles></Font>"
            "<LabelFormat>%6.3g</LabelFormat><LabelSpacing>4</LabelSpacing><TickLength>5</TickLength></Ticks>");
}

TEST(Ticks, LoadRestoresSavedValuesWithOneNotification) {
  TTicks saved;
  saved.SetCount(6);
  saved.SetPosition(apRight);
  saved.SetVisible(false);
  saved.Style().SetColor(0x80112233);
  saved.Font().SetName("Courier New");
  saved.SetLabelFormat("%.2f");
  saved.SetLabelSpacing(-2);
  saved.SetTickLength(12);
  pugi::xml_document document;
  saved.SaveToXML(document.append_child("Ticks"));

  TTicks loaded;
  TChangeCounter changes(loaded);
  loaded.LoadFromXML(document.child("Ticks"));
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(loaded.Count(), 6);
  EXPECT_EQ(loaded.Position(), apRight);
  EXPECT_FALSE(loaded.Visible());
  EXPECT_EQ(loaded.Style().Color(), 0x80112233u);
  EXPECT_EQ(loaded.Font().Name(), "Courier New");
  EXPECT_EQ(loaded.LabelFormat(), "%.2f");
  EXPECT_EQ(loaded.LabelSpacing(), -2);
  EXPECT_EQ(loaded.TickLength(), 12);
}

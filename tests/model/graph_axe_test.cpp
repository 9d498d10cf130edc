#include "model/graph_axe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "axe_canvas.h"
#include "change_counter.h"
#include "model/xml_document.h"
#include "xml_reading.h"

namespace {

constexpr TTernaryPoint kA{1, 0, 0};
constexpr TTernaryPoint kB{0, 1, 0};
constexpr TTernaryPoint kC{0, 0, 1};

std::vector<std::string> ChildNames(pugi::xml_node node) {
  std::vector<std::string> names;
  for (const pugi::xml_node child : node.children()) names.emplace_back(child.name());
  return names;
}

std::string Saved(const TGraphAxe& axe) {
  pugi::xml_document document;
  axe.SaveToXML(document.append_child("Axe"));
  std::string xml;
  model::WriteDocument(document, xml, model::TXmlLayout::Compact);
  EXPECT_TRUE(IsWellFormedXml(xml));
  return xml;
}

// Loads `xml` (an "Axe" element) into `axe`; returns the notifications raised.
int Load(TGraphAxe& axe, const std::string& xml) {
  pugi::xml_document document;
  EXPECT_TRUE(document.load_string(xml.c_str(), model::kParseOptions));
  TChangeCounter changes(axe);
  axe.LoadFromXML(document.child("Axe"));
  axe.OnChange = nullptr;
  return changes.count;
}

void ChangeEverything(TGraphAxe& axe) {
  axe.SetPosition(apBottom);
  axe.SetVisible(false);
  axe.SetLabelSpacing(-3);
  axe.TextLabel().SetText("Quartz & <feldspar>");
  axe.TextLabel().Font().SetStyles(FontStyleBit(fsItalic));
  axe.Style().SetDashStyle(DashStyleDot);
  axe.Style().SetSize(2.5f);
  axe.GridLines().SetCount(5);
  axe.GridLines().Style().SetColor(0xFF00FF00);
  axe.Ticks().SetCount(21);
  axe.Ticks().SetTickLength(-7);
  axe.Ticks().SetLabelFormat("%.2f");
  axe.Ticks().Font().SetColor(0xFFFF0000);
}

}  // namespace

TEST(GraphAxe, DefaultsMatchTheDocumentedValues) {
  const TGraphAxe axe;
  EXPECT_TRUE(axe.Visible());
  EXPECT_EQ(axe.Position(), apLeft);
  EXPECT_EQ(axe.LabelSpacing(), 8);
  EXPECT_EQ(axe.TextLabel().Text(), "");
  EXPECT_EQ(axe.TextLabel().Font().Name(), "Arial");
  EXPECT_EQ(axe.TextLabel().Font().Size(), 12.0f);
  EXPECT_EQ(axe.TextLabel().Font().Styles(), FontStyleBit(fsBold));
  EXPECT_EQ(axe.Style().Color(), 0xFF808080u);
  EXPECT_EQ(axe.Style().Size(), 1.0f);
  EXPECT_EQ(axe.GridLines().Style().Color(), 0xFF808080u);
  EXPECT_EQ(axe.GridLines().Position(), apLeft);
  EXPECT_EQ(axe.Ticks().Style().Color(), 0xFF000000u);
  EXPECT_EQ(axe.Ticks().Position(), apLeft);
  EXPECT_EQ(axe.Ticks().LabelFormat(), "%6.3g");
}

TEST(GraphAxe, SetDefaultsRestoresEverythingButThePosition) {
  TGraphAxe axe;
  const std::string defaults = Saved(axe);
  ChangeEverything(axe);
  TChangeCounter changes(axe);
  axe.SetDefaults();
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(axe.Position(), apBottom);
  axe.SetPosition(apLeft);
  EXPECT_EQ(Saved(axe), defaults);
}

TEST(GraphAxe, SetPositionCarriesTicksAndGridLinesWithOneNotification) {
  TGraphAxe axe;
  TChangeCounter changes(axe);
  axe.SetPosition(apRight);
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(axe.Position(), apRight);
  EXPECT_EQ(axe.Ticks().Position(), apRight);
  EXPECT_EQ(axe.GridLines().Position(), apRight);

  axe.SetPosition(apRight);
  axe.SetPosition(TAxePosition(7));
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(axe.Position(), apRight);
}

TEST(GraphAxe, EveryEditInsideTheAxisReachesItsOwnerAsOneChange) {
  TGraphAxe axe;
  TChangeCounter changes(axe);
  const std::function<void()> edits[] = {
      [&] { axe.SetVisible(false); },
      [&] { axe.SetLabelSpacing(12); },
      [&] { axe.TextLabel().SetText("A"); },
      [&] { axe.TextLabel().Font().SetSize(20); },
      [&] { axe.Style().SetColor(0xFF123456); },
      [&] { axe.GridLines().SetCount(4); },
      [&] { axe.GridLines().Style().SetSize(3); },
      [&] { axe.Ticks().SetTickLength(9); },
      [&] { axe.Ticks().Font().SetName("Courier New"); },
      [&] { axe.Ticks().Style().SetDashStyle(DashStyleDash); },
  };
  for (size_t i = 0; i < std::size(edits); ++i) {
    changes.count = 0;
    edits[i]();
    EXPECT_EQ(changes.count, 1) << "edit " << i;
  }
  changes.count = 0;
  axe.SetLabelSpacing(12);
  axe.TextLabel().SetText("A");
  EXPECT_EQ(changes.count, 0);
}

TEST(GraphAxe, DrawsTheSideLineTheGridTheTicksAndTheTitle) {
  TAxeCanvas canvas;
  TGraphAxe axe;
  axe.TextLabel().SetText("C");
  axe.Draw(canvas.g, canvas.projection);

  // The grey side line from the top vertex to the bottom-left vertex.
  for (const double t : {0.05, 0.35, 0.65, 0.95})
    EXPECT_TRUE(canvas.HasColorNear(canvas.World({t, 0, 1 - t}), TAxeCanvas::kGrey)) << t;
  // A grey grid line of constant C in the middle of the triangle.
  EXPECT_TRUE(canvas.HasColorNear(canvas.World({0.25, 0.25, 0.5}), TAxeCanvas::kGrey));
  // A black tick outward from a graduation.
  const QPointF tick = *axe.Ticks().TickVector(canvas.projection);
  EXPECT_TRUE(canvas.HasColorNear(canvas.World({0.3, 0, 0.7}) + tick * 0.6, TAxeCanvas::kBlack));
  // The title, centred above the top vertex.
  const QPointF top = canvas.World(kC);
  bool titleAbove = false;
  for (int y = int(top.y()) - 30; y < int(top.y()) - 8; ++y)
    for (int x = int(top.x()) - 6; x <= int(top.x()) + 6; ++x) titleAbove |= canvas.Pixel(x, y) != TAxeCanvas::kWhite;
  EXPECT_TRUE(titleAbove);
}

TEST(GraphAxe, TitlesStandBesideTheirStartVertex) {
  struct Case {
    TAxePosition position;
    TTernaryPoint start;
    int dx, dy;  // the quadrant of the title seen from the vertex
  };
  for (const Case& c : {Case{apLeft, kC, 0, -1}, Case{apRight, kB, 1, 1}, Case{apBottom, kA, -1, 1}}) {
    SCOPED_TRACE(int(c.position));
    TAxeCanvas canvas;
    TGraphAxe axe;
    axe.SetPosition(c.position);
    axe.Ticks().SetVisible(false);
    axe.GridLines().SetVisible(false);
    axe.Style().SetColor(0x00000000);  // a transparent side line
    axe.TextLabel().SetText("W");
    axe.Draw(canvas.g, canvas.projection);
    const QRect painted = canvas.PaintedRect();
    ASSERT_FALSE(painted.isEmpty());
    const QPointF s = canvas.World(c.start);
    const QPointF centre = QRectF(painted).center();
    if (c.dx == 0) {
      EXPECT_NEAR(centre.x(), s.x(), 2.0);
    }
    if (c.dx > 0) {
      EXPECT_GE(painted.left(), s.x() + 8);
    }
    if (c.dx < 0) {
      EXPECT_LE(painted.right(), s.x() - 8);
    }
    if (c.dy > 0) {
      EXPECT_GE(painted.top(), s.y() + 8);
    }
    if (c.dy < 0) {
      EXPECT_LE(painted.bottom(), s.y() - 8);
    }
  }
}

TEST(GraphAxe, AHiddenAxisDrawsNothingButKeepsItsBounds) {
  TAxeCanvas canvas;
  TGraphAxe axe;
  axe.TextLabel().SetText("C");
  const TDoubleRect bounds = axe.GetBounds(canvas.g, canvas.projection);
  axe.SetVisible(false);
  axe.Draw(canvas.g, canvas.projection);
  EXPECT_TRUE(canvas.IsBlank());
  EXPECT_EQ(axe.GetBounds(canvas.g, canvas.projection), bounds);
}

TEST(GraphAxe, BoundsHoldEverythingTheAxisDraws) {
  for (const TAxePosition position : {apLeft, apRight, apBottom}) {
    SCOPED_TRACE(int(position));
    TAxeCanvas canvas;
    TGraphAxe axe;
    axe.SetPosition(position);
    axe.TextLabel().SetText("Title");
    axe.Draw(canvas.g, canvas.projection);
    const QRect bounds = axe.GetPixelRect(canvas.g, canvas.projection).normalized();
    EXPECT_TRUE(bounds.adjusted(-1, -1, 1, 1).contains(canvas.PaintedRect()));
    const QRectF world = axe.GetWorldBounds(canvas.g, canvas.projection).normalized();
    EXPECT_NEAR(world.left(), bounds.left(), 1.0);
    EXPECT_NEAR(world.top(), bounds.top(), 1.0);
  }
}

TEST(GraphAxe, SavingADefaultAxisWritesItsChildrenInTheDocumentedOrder) {
  TGraphAxe axe;
  pugi::xml_document document;
  const pugi::xml_node node = document.append_child("Axe");
  axe.SaveToXML(node);
  EXPECT_EQ(ChildNames(node), (std::vector<std::string>{"GridLines", "LabelSpacing", "Position", "Style", "TextLabel",
                                                        "Ticks", "Visible"}));
  EXPECT_STREQ(node.child_value("LabelSpacing"), "8");
  EXPECT_STREQ(node.child_value("Position"), "0");
  EXPECT_STREQ(node.child_value("Visible"), "True");
  EXPECT_EQ(ChildNames(node.child("GridLines")), (std::vector<std::string>{"Count", "Position", "Style", "Visible"}));
  EXPECT_STREQ(node.child("GridLines").child("Style").child_value("Color"), "$FF808080");
  EXPECT_EQ(ChildNames(node.child("Ticks")), (std::vector<std::string>{"Count", "Position", "Style", "Visible", "Font",
                                                                       "LabelFormat", "LabelSpacing", "TickLength"}));
  EXPECT_EQ(ChildNames(node.child("Style")), (std::vector<std::string>{"Color", "DashStyle", "Size"}));
  EXPECT_STREQ(node.child("Style").child_value("Color"), "$FF808080");
  EXPECT_EQ(ChildNames(node.child("TextLabel")), (std::vector<std::string>{"Text", "Font"}));
  EXPECT_STREQ(node.child("TextLabel").child("Font").child_value("Size"), "12");
  EXPECT_STREQ(node.child("TextLabel").child("Font").child_value("Styles"), "[fsBold]");
}

TEST(GraphAxe, LoadingSavedOutputRestoresEveryValueWithOneNotification) {
  TGraphAxe changed;
  ChangeEverything(changed);
  const std::string xml = Saved(changed);

  TGraphAxe loaded;
  EXPECT_EQ(Load(loaded, xml), 1);
  EXPECT_EQ(Saved(loaded), xml);
  EXPECT_EQ(loaded.Position(), apBottom);
  EXPECT_EQ(loaded.Ticks().Position(), apBottom);
  EXPECT_FALSE(loaded.Visible());
  EXPECT_EQ(loaded.TextLabel().Text(), "Quartz & <feldspar>");
  EXPECT_EQ(loaded.Style().Size(), 2.5f);
  EXPECT_EQ(loaded.Ticks().TickLength(), -7);
  EXPECT_EQ(loaded.GridLines().Style().Color(), 0xFF00FF00u);

  // And the default output restores the defaults into a changed axis.
  TGraphAxe defaults;
  EXPECT_EQ(Load(changed, Saved(defaults)), 1);
  EXPECT_EQ(Saved(changed), Saved(defaults));
}

TEST(GraphAxe, LoadingAnEmptyFragmentChangesNothingButStillNotifiesOnce) {
  TGraphAxe axe;
  ChangeEverything(axe);
  const std::string before = Saved(axe);
  EXPECT_EQ(Load(axe, "<Axe/>"), 1);
  EXPECT_EQ(Saved(axe), before);
}

TEST(GraphAxe, LoadingIgnoresBadValuesAndReadsChildrenInAnyOrder) {
  TGraphAxe axe;
  Load(axe,
       "<Axe>"
       "<Visible>maybe</Visible>"
       "<Ticks><TickLength>$10</TickLength><Count>eleven</Count><LabelFormat>%d</LabelFormat></Ticks>"
       "<LabelSpacing>1.5</LabelSpacing>"
       "<TextLabel><Text>B</Text></TextLabel>"
       "<!-- a comment --><Style><Size>1,5</Size><Color>$FFFF0000</Color></Style>"
       "<GridLines><Visible>0</Visible></GridLines>"
       "</Axe>");
  EXPECT_TRUE(axe.Visible());
  EXPECT_EQ(axe.LabelSpacing(), 8);
  EXPECT_EQ(axe.Ticks().TickLength(), 16);
  EXPECT_EQ(axe.Ticks().Count(), 11);
  EXPECT_EQ(axe.Ticks().LabelFormat(), "%d");
  EXPECT_EQ(axe.TextLabel().Text(), "B");
  EXPECT_EQ(axe.TextLabel().Font().Size(), 12.0f);
  EXPECT_EQ(axe.Style().Size(), 1.0f);
  EXPECT_EQ(axe.Style().Color(), 0xFFFF0000u);
  EXPECT_FALSE(axe.GridLines().Visible());
}

TEST(GraphAxe, APositionFromADocumentOutsideTheThreeSidesIsRefused) {
  for (const char* text : {"3", "-1", "x", "", "$FFFFFFFF"}) {
    SCOPED_TRACE(text);
    TGraphAxe axe;
    axe.SetPosition(apRight);
    Load(axe, std::string("<Axe><Position>") + text + "</Position><LabelSpacing>3</LabelSpacing></Axe>");
    EXPECT_EQ(axe.Position(), apRight);
    EXPECT_EQ(axe.LabelSpacing(), 3);
  }
}

TEST(GraphAxe, TheAxisPositionInADocumentDoesNotMoveItsTicksAndGridLines) {
  TGraphAxe axe;
  Load(axe, "<Axe><Position>2</Position><Ticks><Position>1</Position></Ticks></Axe>");
  EXPECT_EQ(axe.Position(), apBottom);
  EXPECT_EQ(axe.Ticks().Position(), apRight);
  EXPECT_EQ(axe.GridLines().Position(), apLeft);
}

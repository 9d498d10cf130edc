#include "control/legend_layout.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "control_fixture.h"
#include "emf/emf_reader.h"
#include "model/annotation_list.h"
#include "model/surface_serie.h"

namespace {

constexpr uint32_t kGreen = 0xFF00FF00;

// A layout whose graph area is `area`, with nothing around it yet.
TControlLayout LayoutOver(const QRect& area) {
  TControlLayout layout;
  layout.GraphArea = area;
  return layout;
}

TEST(Legend, ListsTheVisibleSeriesInOrderWithTheIndexForAnEmptyName) {
  TGraph graph;
  AddPointsSerie(graph, QStringLiteral("first"), {});
  AddPointsSerie(graph, QStringLiteral("hidden"), {}).SetVisible(false);
  AddPointsSerie(graph, QString(), {});
  AddPointsSerie(graph, QStringLiteral("last"), {});
  std::vector<std::pair<int, QString>> listed;
  for (const control::TLegendEntry& entry : control::LegendEntries(graph))
    listed.emplace_back(entry.Index, entry.Caption);
  const std::vector<std::pair<int, QString>> expected = {
      {0, QStringLiteral("first")}, {2, QStringLiteral("2")}, {3, QStringLiteral("last")}};
  EXPECT_EQ(listed, expected);
}

struct TPlaceCase {
  TLegendPosition Position;
  bool Left, Top;
};

TEST(Legend, SitsInItsCornerOrRightOfTheShrunkenGraphArea) {
  const TPlaceCase cases[] = {
      {lpTopLeft, true, true}, {lpTopRight, false, true}, {lpBottomLeft, true, false}, {lpBottomRight, false, false}};
  TGraph graph;
  AddPointsSerie(graph, QStringLiteral("Rocks"), {});
  TLegend legend;
  legend.SetVisible(true);
  const QRect area(0, 25, 400, 250);
  for (const TPlaceCase& c : cases) {
    legend.SetPosition(c.Position);
    TControlLayout layout = LayoutOver(area);
    control::PlaceLegend(layout, legend, graph);
    EXPECT_EQ(layout.GraphArea, area);
    EXPECT_TRUE(area.contains(layout.Legend));
    EXPECT_EQ(layout.Legend.center().x() < area.center().x(), c.Left) << c.Position;
    EXPECT_EQ(layout.Legend.center().y() < area.center().y(), c.Top) << c.Position;
  }
  legend.SetPosition(lpOutsideRight);
  TControlLayout layout = LayoutOver(area);
  control::PlaceLegend(layout, legend, graph);
  EXPECT_LT(layout.GraphArea.right(), layout.Legend.left());
  EXPECT_GE(area.right(), layout.Legend.right());
  legend.SetVisible(false);
  layout = LayoutOver(area);
  control::PlaceLegend(layout, legend, graph);
  EXPECT_TRUE(layout.Legend.isEmpty());
}

// An outside legend and the colour bars leave the diagram half of the width:
// the legend goes beside the bars, else on top of them, else into the corner.
TEST(Legend, OutsideKeepsHalfTheWidthForTheDiagramWithTheColourBars) {
  enum TPlace { kBeside, kAboveTheBars, kInTheCorner };
  const struct {
    int BarsWidth;
    const char* Name;
    TPlace Place;
  } cases[] = {{0, "Rocks", kBeside},
               {60, "Rocks", kBeside},
               {150, "Rocks", kAboveTheBars},
               {150, "Rocks of an uncommonly long name, wider than half", kInTheCorner}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name + std::to_string(c.BarsWidth));
    TGraph graph;
    AddPointsSerie(graph, QString::fromLatin1(c.Name), {});
    TLegend legend;
    legend.SetVisible(true);
    legend.SetPosition(lpOutsideRight);
    const QRect area(0, 25, 400 - c.BarsWidth, 250);
    TControlLayout layout = LayoutOver(area);
    if (c.BarsWidth > 0) layout.ColorBars = QRect(area.right() + 1, 25, c.BarsWidth, 250);
    const QRect barsBefore = layout.ColorBars;
    control::PlaceLegend(layout, legend, graph);
    EXPECT_GE(layout.GraphArea.width(), 200);
    EXPECT_EQ(layout.GraphArea.intersects(layout.Legend), c.Place == kInTheCorner);
    EXPECT_GE(layout.Legend.right(), layout.GraphArea.right() - control::kLegendMargin);
    if (c.Place == kAboveTheBars) {
      EXPECT_LT(layout.Legend.bottom(), layout.ColorBars.top());
      EXPECT_EQ(layout.ColorBars.right(), barsBefore.right());
    } else {
      EXPECT_EQ(layout.ColorBars, barsBefore);
    }
  }
}

// A shown legend, a named field and a free text, as the window and the exports draw them.
struct TLabelledDiagram {
  TShownControl shown{500, 400};
  TLabelledDiagram() {
    TControlUpdateScope scope(shown.control);
    TGraph& graph = shown.control.Graph();
    auto field = std::make_unique<TSurfaceSerie>();
    for (const TTernaryPoint& p : {TTernaryPoint{1, 0, 0}, TTernaryPoint{0, 1, 0}, TTernaryPoint{0, 0, 1}})
      field->Items().Add(p);
    field->SetName(QStringLiteral("Granitefield"));
    field->SetNameVisible(true);
    graph.AddSerie(std::move(field));
    AddPointsSerie(graph, QStringLiteral("Basaltkey"), {{0.2, 0.3, 0.5}});
    auto note = std::make_unique<TAnnotation>();
    note->SetText(QStringLiteral("Dioritenote"));
    note->SetPosition({0.2, 0.2, 0.6});
    graph.Annotations().Add(std::move(note));
    shown.control.Legend().SetVisible(true);
    shown.control.Legend().SetBackgroundColor(kGreen);
    shown.control.Legend().SetPosition(lpOutsideRight);
  }
};

TEST(Legend, IsDrawnInItsBoxBesideTheDiagram) {
  TLabelledDiagram diagram;
  TGraphControl& control = diagram.shown.control;
  ASSERT_LT(control.GraphArea().right(), control.width() / 1.2);
  // The band right of the graph area holds the box in its background colour.
  int green = 0;
  for (int y = 0; y < control.height(); ++y)
    for (int x = control.GraphArea().right() + 1; x < control.width(); ++x)
      green += QColor(control.Bitmap().pixel(x, y)) == QColor(Qt::green);
  EXPECT_GT(green, 200);
  control.Legend().SetVisible(false);  // the diagram takes the whole width again
  EXPECT_EQ(control.GraphArea().right(), control.width() - 1);
}

QString ProgramOutput(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(30000));
  return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(Legend, VectorExportsCarryTheLegendFieldNameAndFreeText) {
  TLabelledDiagram diagram;
  QTemporaryDir folder;
  const struct {
    int Format;
    const char* File;
  } formats[] = {{8, "picture.svg"}, {2, "picture.emf"}, {9, "picture.pdf"}};
  for (const auto& f : formats) {
    const QString path = folder.filePath(QString::fromLatin1(f.File));
    ASSERT_TRUE(diagram.shown.control.Export(path, f.Format));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QString text = QString::fromUtf8(bytes);
    if (f.Format == 2) text = emf_test::ConvertToSvg(bytes);
    if (f.Format == 9) text = ProgramOutput(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    for (const char* expected : {"Granitefield", "Basaltkey", "Dioritenote"})
      EXPECT_TRUE(text.contains(QLatin1String(expected))) << f.File << ": " << expected;
  }
}

}  // namespace

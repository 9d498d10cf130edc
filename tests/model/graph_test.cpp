#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <memory>

#include "change_counter.h"
#include "geometry/device_conversions.h"
#include "model/graph.h"
#include "model/graph_axe.h"
#include "model/lines_serie.h"
#include "model/points_serie.h"
#include "model/surface_serie.h"
#include "model/xml_document.h"
#include "xml_reading.h"

namespace {

// A white raster surface with a drawing context, as the control has.
struct Canvas {
  explicit Canvas(int width = 600, int height = 500) : image(width, height, QImage::Format_RGB32) {
    image.fill(Qt::white);
    painter.begin(&image);
  }
  QImage image;
  QPainter painter;
  TGraphics g{painter};
};

std::unique_ptr<TPointsSerie> PointsSerie(const QString& name, std::initializer_list<TTernaryPoint> points) {
  auto serie = std::make_unique<TPointsSerie>();
  serie->SetName(name);
  for (const TTernaryPoint& p : points) serie->Items().Add(p);
  return serie;
}

std::string Save(const TGraph& graph) {
  pugi::xml_document document;
  graph.SaveToXML(document.append_child("Graph"));
  std::string text;
  model::WriteDocument(document, text, model::TXmlLayout::Indented);
  EXPECT_TRUE(IsWellFormedXml(text));
  return text;
}

void Load(TGraph& graph, const std::string& text) {
  pugi::xml_document document;
  ASSERT_TRUE(document.load_buffer(text.data(), text.size(), model::kParseOptions));
  graph.LoadFromXML(document.first_child());
}

QStringList Titles(const TGraph& graph) {
  return {graph.GetAxe(apLeft).TextLabel().Text(), graph.GetAxe(apRight).TextLabel().Text(),
          graph.GetAxe(apBottom).TextLabel().Text()};
}

void ExpectAxesInTheirSlots(const TGraph& graph) {
  for (int p = 0; p < 3; ++p) {
    EXPECT_EQ(graph.GetAxe(p).Position(), p);
    EXPECT_EQ(graph.GetAxe(p).Ticks().Position(), p);
    EXPECT_EQ(graph.GetAxe(p).GridLines().Position(), p);
  }
}

}  // namespace

TEST(Graph, NewGraphHasDefaultTitlesAndNoSeries) {
  TGraph graph;
  EXPECT_EQ(Titles(graph), (QStringList{"C", "B", "A"}));
  EXPECT_EQ(graph.SeriesCount(), 0);
  EXPECT_EQ(graph.FitZoom(), 0.0);
  ExpectAxesInTheirSlots(graph);
}

TEST(Graph, FitToRectIgnoresEmptyRectangles) {
  Canvas canvas;
  TGraph graph;
  TChangeCounter changes(graph);
  for (const QRectF r : {QRectF(0, 0, 0, 100), QRectF(0, 0, 100, -5), QRectF(10, 10, -1, -1)})
    graph.FitToRect(canvas.g, r);
  EXPECT_EQ(changes.count, 0);
  EXPECT_EQ(graph.Projection().Zoom(), 1.0);
  EXPECT_EQ(graph.FitZoom(), 0.0);
}

TEST(Graph, FitToRectCentresTheAxesInWideAndTallRectangles) {
  for (const QRectF target : {QRectF(20, 30, 560, 300), QRectF(50, 10, 300, 480)}) {
    Canvas canvas;
    TGraph graph;
    TChangeCounter changes(graph);
    graph.FitToRect(canvas.g, target);
    EXPECT_EQ(changes.count, 1);
    EXPECT_EQ(graph.FitZoom(), graph.Projection().Zoom());
    const QRectF fitted =
        geometry::PlaneRectToDeviceRectF(canvas.g, graph.Projection(), graph.GetBounds(canvas.g, graph.Projection()));
    const bool wide = target.width() / target.height() > fitted.width() / fitted.height();
    // The limiting direction is filled, the other centred; one pass of
    // measuring at the final zoom may move the bounds by a pixel or two.
    if (wide) {
      EXPECT_NEAR(fitted.height(), target.height(), 2.0);
    } else {
      EXPECT_NEAR(fitted.width(), target.width(), 2.0);
    }
    EXPECT_NEAR(fitted.center().x(), target.center().x(), 2.0);
    EXPECT_NEAR(fitted.center().y(), target.center().y(), 2.0);
  }
}

TEST(Graph, ZoomAtKeepsThePointUnderTheCursorAndNeverGoesBelowTheFit) {
  Canvas canvas;
  TGraph graph;
  graph.FitToRect(canvas.g, QRectF(0, 0, 600, 500));
  const double fit = graph.FitZoom();
  graph.ZoomAt(canvas.g, QPointF(300, 250), 0.5);
  EXPECT_EQ(graph.Projection().Zoom(), fit);

  const QPointF cursor(211, 137);
  const TDoublePoint before = geometry::DeviceToPlane(canvas.g, graph.Projection(), cursor);
  graph.ZoomAt(canvas.g, cursor, 1.2);
  EXPECT_DOUBLE_EQ(graph.Projection().Zoom(), fit * 1.2);
  const TDoublePoint after = geometry::DeviceToPlane(canvas.g, graph.Projection(), cursor);
  EXPECT_NEAR(after.X, before.X, 1e-6);
  EXPECT_NEAR(after.Y, before.Y, 1e-6);

  for (int i = 0; i < 10; ++i) graph.ZoomAt(canvas.g, cursor, 1 / 1.5);
  EXPECT_EQ(graph.Projection().Zoom(), fit);
}

TEST(Graph, RotateMovesTheAxesWithTheirComponents) {
  TGraph graph;
  graph.GetAxe(apLeft).Ticks().SetCount(7);
  graph.Rotate(true);
  EXPECT_EQ(Titles(graph), (QStringList{"A", "C", "B"}));
  ExpectAxesInTheirSlots(graph);
  EXPECT_EQ(graph.GetAxe(apRight).Ticks().Count(), 7);  // the "C" axis keeps its settings
  graph.Rotate(true);
  graph.Rotate(true);
  EXPECT_EQ(Titles(graph), (QStringList{"C", "B", "A"}));
  EXPECT_EQ(graph.Projection().AxisOrder(), (std::array<int32_t, 3>{0, 1, 2}));
  EXPECT_EQ(graph.GetAxe(apLeft).Ticks().Count(), 7);

  graph.Rotate(false);
  EXPECT_EQ(Titles(graph), (QStringList{"B", "A", "C"}));
  graph.Rotate(true);
  EXPECT_EQ(Titles(graph), (QStringList{"C", "B", "A"}));
}

TEST(Graph, MirrorExchangesLeftAndRightAndTwoMirrorsRestore) {
  TGraph graph;
  TChangeCounter changes(graph);
  graph.Mirror();
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(Titles(graph), (QStringList{"B", "C", "A"}));
  ExpectAxesInTheirSlots(graph);
  graph.Mirror();
  EXPECT_EQ(Titles(graph), (QStringList{"C", "B", "A"}));
  EXPECT_EQ(graph.Projection().AxisOrder(), (std::array<int32_t, 3>{0, 1, 2}));
}

TEST(Graph, SeriesOwnershipAndNotifications) {
  TGraph graph;
  TChangeCounter changes(graph);
  int seriesChanges = 0;
  graph.OnSeriesChange = [&](TGraph*) { ++seriesChanges; };

  auto first = PointsSerie("S1", {{0.2, 0.3, 0.5}});
  TChangeCounter oldHandlerCalls(*first);
  EXPECT_EQ(graph.AddSerie(std::move(first)), 0);
  EXPECT_EQ(graph.AddSerie(std::make_unique<TLinesSerie>()), 1);
  EXPECT_EQ(changes.count, 2);
  EXPECT_EQ(seriesChanges, 2);

  graph.GetSerie(0).SetName("Renamed");
  EXPECT_EQ(oldHandlerCalls.count, 0);  // the graph's handler replaced it
  EXPECT_EQ(changes.count, 3);

  std::unique_ptr<TGraphSerie> removed = graph.RemoveSerie(0);
  EXPECT_EQ(removed->Name(), "Renamed");
  EXPECT_EQ(graph.SeriesCount(), 1);
  EXPECT_EQ(seriesChanges, 3);

  for (const int bad : {-1, 1}) {
    EXPECT_THROW(graph.DeleteSerie(bad), std::runtime_error);
    EXPECT_THROW(graph.RemoveSerie(bad), std::runtime_error);
    EXPECT_THROW(graph.GetSerie(bad), std::runtime_error);
  }
  try {
    graph.GetSerie(5);
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "List index out of bounds (5)");
  }
  EXPECT_EQ(graph.SeriesCount(), 1);
  EXPECT_EQ(graph.UpdateCount(), 0);

  graph.DeleteSerie(0);
  EXPECT_EQ(graph.SeriesCount(), 0);
  graph.ClearSeries();
  EXPECT_EQ(seriesChanges, 5);
}

TEST(Graph, SeriesTextsAreSeparatedByOneEmptyLine) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::English));
  TGraph graph;
  QString text = "kept";
  graph.GetSeriesText(text);
  EXPECT_EQ(text, "kept");
  graph.AddSerie(PointsSerie("S1", {{0.2, 0.3, 0.5}}));
  graph.AddSerie(PointsSerie("S2", {{1, 0, 0}}));
  graph.GetSeriesText(text);
  EXPECT_EQ(text, "S1\r\n0.2\t0.3\t0.5\r\n\r\nS2\r\n1\t0\t0");
  QLocale::setDefault(saved);
}

TEST(Graph, LaterSeriesWinsTheHitTestAndPointAtFallsBackToThePosition) {
  Canvas canvas;
  TGraph graph;
  graph.FitToRect(canvas.g, QRectF(0, 0, 600, 500));
  graph.AddSerie(PointsSerie("under", {{0.2, 0.3, 0.5}}));
  graph.AddSerie(PointsSerie("over", {{0.5, 0.5, 0}, {0.2, 0.3, 0.5}}));
  const QPointF device =
      geometry::PlaneToDevice(canvas.g, graph.Projection(), graph.Projection().TernaryToPlane({0.2, 0.3, 0.5}, true));
  TSerieHit hit;
  ASSERT_TRUE(graph.FindSerieAt(canvas.g, qRound(device.x()), qRound(device.y()), hit));
  EXPECT_EQ(hit.Serie->Name(), "over");
  EXPECT_EQ(hit.Index, 1);
  EXPECT_EQ(hit.Item, (TTernaryPoint{0.2, 0.3, 0.5}));

  TGraphPointInfo info;
  graph.PointAt(canvas.g, qRound(device.x()), qRound(device.y()), info);
  EXPECT_EQ(info.Kind, 2);
  EXPECT_EQ(info.Point, (TTernaryPoint{0.2, 0.3, 0.5}));

  graph.PointAt(canvas.g, 5, 5, info);
  EXPECT_EQ(info.Kind, 1);
  EXPECT_FALSE(graph.FindSerieAt(canvas.g, 5, 5, hit));
  EXPECT_EQ(hit.Index, -1);
}

TEST(Graph, SaveLoadSaveGivesTheSameDocument) {
  TGraph graph;
  graph.GetAxe(apBottom).TextLabel().SetText(QString::fromUtf8("Quartz é"));
  graph.GetAxe(apLeft).Ticks().SetLabelFormat("%.1f");
  graph.GetAxe(apRight).GridLines().SetVisible(false);
  auto points = PointsSerie(QString::fromUtf8("Séries 中文"), {{0.2, 0.3, 0.5}, {0.1, 0.1, 0.8}});
  points->SetDrawArrow(true);
  points->LineStyle().SetWidth(2.5f);
  graph.AddSerie(std::move(points));
  auto lines = std::make_unique<TLinesSerie>();
  lines->Items().Add({{0.1, 0.2, 0.7}, {0.3, 0.3, 0.4}});
  lines->PointStyle().SetDotType(dtCross);
  graph.AddSerie(std::move(lines));
  auto surface = std::make_unique<TSurfaceSerie>();
  surface->SetAlphaBlending(77);
  surface->Items().Add({0.6, 0.2, 0.2});
  graph.AddSerie(std::move(surface));

  const std::string first = Save(graph);
  TGraph copy;
  Load(copy, first);
  EXPECT_EQ(copy.SeriesCount(), 3);
  EXPECT_STREQ(copy.GetSerie(2).ClassName(), "TSurfaceSerie");
  EXPECT_EQ(Save(copy), first);
}

TEST(Graph, SavingWithoutSeriesWritesAnEmptySeriesElement) {
  TGraph graph;
  pugi::xml_document document;
  pugi::xml_node node = document.append_child("Graph");
  graph.SaveToXML(node);
  const pugi::xml_node series = model::FirstChildElement(node, "Series");
  ASSERT_TRUE(series);
  EXPECT_FALSE(series.first_child());
  const pugi::xml_node axes = model::FirstChildElement(node, "Axes");
  int position = 0;
  for (const pugi::xml_node axe : axes.children("Axe")) EXPECT_EQ(axe.attribute("Position").as_int(), position++);
  EXPECT_EQ(position, 3);
}

TEST(Graph, LoadingIsLenientEntryByEntry) {
  TGraph graph;
  graph.AddSerie(PointsSerie("old", {{1, 0, 0}}));
  int seriesChanges = 0;
  int changes = 0;
  graph.OnSeriesChange = [&](TGraph*) { ++seriesChanges; };
  graph.OnChange = [&](TGraphElement*) { ++changes; };
  Load(graph,
       "<Graph><Axes>"
       "<Axe Position=\"3\"><LabelSpacing>99</LabelSpacing></Axe>"
       "<Axe Position=\"x\"><LabelSpacing>98</LabelSpacing></Axe>"
       "<Axe><LabelSpacing>97</LabelSpacing></Axe>"
       "<Axe Position=\"2\"><LabelSpacing>20</LabelSpacing></Axe>"
       "</Axes><Series>"
       "<Serie Type=\"tpointsserie\"><Name>wrong case</Name></Serie>"
       "<Serie Type=\"TUnknownSerie\"/>"
       "<Serie Type=\"TLinesSerie\"><Name>kept</Name></Serie>"
       "</Series></Graph>");
  EXPECT_EQ(graph.GetAxe(apLeft).LabelSpacing(), 8);
  EXPECT_EQ(graph.GetAxe(apRight).LabelSpacing(), 8);
  EXPECT_EQ(graph.GetAxe(apBottom).LabelSpacing(), 20);
  ASSERT_EQ(graph.SeriesCount(), 1);
  EXPECT_EQ(graph.GetSerie(0).Name(), "kept");
  EXPECT_EQ(changes, 1);

  seriesChanges = 0;
  Load(graph, "<Graph/>");
  EXPECT_EQ(graph.SeriesCount(), 0);
  EXPECT_EQ(seriesChanges, 1);
}

TEST(Graph, LoadingRestoresEachAxisToItsSlot) {
  // Positions inside an "Axe" entry that disagree with the entry's slot would
  // draw ticks on the wrong side and let a rotation put two axes in one slot.
  TGraph graph;
  Load(graph,
       "<Graph><Axes><Axe Position=\"0\"><Position>2</Position><Ticks><Position>1</Position></Ticks>"
       "<GridLines><Position>2</Position></GridLines><TextLabel><Text>Z</Text></TextLabel></Axe></Axes></Graph>");
  ExpectAxesInTheirSlots(graph);
  EXPECT_EQ(graph.GetAxe(apLeft).TextLabel().Text(), "Z");
  graph.Rotate(true);
  ExpectAxesInTheirSlots(graph);
  EXPECT_EQ(Titles(graph), (QStringList{"A", "Z", "B"}));
}

TEST(Graph, SetDefaultsResetsAxesProjectionAndSeries) {
  TGraph graph;
  graph.Rotate(true);
  graph.GetAxe(apLeft).TextLabel().SetText("X");
  graph.Projection().SetMode(1);
  graph.AddSerie(PointsSerie("S", {{1, 0, 0}}));
  graph.SetDefaults();
  EXPECT_EQ(Titles(graph), (QStringList{"C", "B", "A"}));
  EXPECT_EQ(graph.Projection().Mode(), 0);
  EXPECT_EQ(graph.Projection().AxisOrder(), (std::array<int32_t, 3>{0, 1, 2}));
  EXPECT_EQ(graph.SeriesCount(), 0);
}

TEST(Graph, DrawPaintsAxesThenSeries) {
  Canvas canvas(400, 400);
  TGraph graph;
  graph.FitToRect(canvas.g, QRectF(0, 0, 400, 400));
  auto serie = PointsSerie("S", {{0, 0, 1}});  // on the top vertex, over the grey side lines
  serie->PointStyle().SetFillColor(0xFFFF0000);
  serie->PointStyle().SetSize(9);
  graph.AddSerie(std::move(serie));
  graph.Draw(canvas.g, graph.Projection());
  canvas.painter.end();
  const QPointF top = graph.Projection().TernaryToWorld({0, 0, 1}, true);
  EXPECT_EQ(canvas.image.pixel(qRound(top.x()), qRound(top.y())), 0xFFFF0000u);
  // A grey side line below the vertex.
  const QPointF left = graph.Projection().TernaryToWorld({0.5, 0, 0.5}, true);
  EXPECT_EQ(canvas.image.pixel(qRound(left.x()), qRound(left.y())), 0xFF808080u);
}

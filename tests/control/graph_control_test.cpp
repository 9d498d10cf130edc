#include <gtest/gtest.h>

#include <QPalette>

#include "control_fixture.h"
#include "model/graph_axe.h"
#include "model/surface_serie.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

QRgb PixelAt(const TGraphControl& control, int x, int y) { return control.Bitmap().pixel(x, y); }

// Rows [top, bottom) of the rendered image hold only this colour.
bool RowsHoldOnly(const TGraphControl& control, int top, int bottom, QRgb color) {
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < control.Bitmap().width(); ++x)
      if (PixelAt(control, x, y) != color) return false;
  return true;
}

// An opaque red surface over the whole triangle (a surface with both styles
// hidden draws nothing, so its outline stays, in red too).
void AddRedTriangle(TGraph& graph) {
  auto surface = std::make_unique<TSurfaceSerie>();
  surface->Items().Add({1, 0, 0});
  surface->Items().Add({0, 1, 0});
  surface->Items().Add({0, 0, 1});
  surface->SetFillColor(0xFFFF0000);
  surface->SetAlphaBlending(255);
  surface->PointStyle().SetVisible(false);
  surface->LineStyle().SetColor(0xFFFF0000);
  graph.AddSerie(std::move(surface));
}

}  // namespace

TEST(GraphControl, StartsWithANewDiagramAndTheDefaultSettings) {
  TGraphControl control;
  EXPECT_EQ(control.size(), QSize(200, 200));
  EXPECT_EQ(control.Color(), 0x00FFFFFFu);
  EXPECT_TRUE(control.AutoHint());
  EXPECT_EQ(
      control.AutoHintFormatString(),
      QStringLiteral("Serie : %SERIE.NAME%\r\nIndex : %ITEM.INDEX%\r\nPoint : (%POINT.A%, %POINT.B%, %POINT.C%)"));
  EXPECT_EQ(control.ValueFormatString(), QStringLiteral("%.3g"));
  EXPECT_EQ(control.InteractMode(), imNormal);
  EXPECT_EQ(control.Graph().SeriesCount(), 0);
  EXPECT_EQ(control.Graph().GetAxe(apLeft).TextLabel().Text(), QStringLiteral("C"));
  EXPECT_EQ(control.Graph().GetAxe(apRight).TextLabel().Text(), QStringLiteral("B"));
  EXPECT_EQ(control.Graph().GetAxe(apBottom).TextLabel().Text(), QStringLiteral("A"));
  EXPECT_EQ(control.Graphics(), nullptr);
}

TEST(GraphControl, NewDiagramGivesTheLabelsTheWidgetFont) {
  TGraphControl control;
  QFont font(QStringLiteral("Courier New"));
  font.setPointSize(11);
  font.setBold(true);
  font.setItalic(true);
  control.setFont(font);
  QPalette palette = control.palette();
  palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
  control.setPalette(palette);
  control.MainHeader().SetCaption(QStringLiteral("Old"));
  control.MainFooter().SetCaption(QStringLiteral("Old"));
  control.SetColor(0x00123456);
  control.SetInteractMode(imZoomOut);
  AddPointsSerie(control.Graph(), QStringLiteral("S"), {{0.2, 0.3, 0.5}});

  control.NewDiagram();

  for (const TControlLabel* label : {&control.MainHeader(), &control.MainFooter()}) {
    EXPECT_EQ(label->Caption(), QString());
    EXPECT_EQ(label->Font().Name(), QStringLiteral("Courier New"));
    EXPECT_EQ(label->Font().Size(), 11.0f);
    EXPECT_EQ(label->Font().Styles(), FontStyleBit(fsBold) | FontStyleBit(fsItalic));
    EXPECT_EQ(label->Font().Color(), 0xFFFF0000u);
  }
  EXPECT_EQ(control.Graph().SeriesCount(), 0);
  EXPECT_EQ(control.Graph().Projection().Zoom(), 100.0);
  EXPECT_EQ(control.Color(), 0x00123456u);
  EXPECT_EQ(control.InteractMode(), imZoomOut);
}

TEST(GraphControl, TheDefaultFontIsTheMainWindowFont) {
  TGraphControl control;
  control::ApplyDefaultFont(control);
  const TGraphFont& font = control.MainHeader().Font();
  EXPECT_EQ(font.Name(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(font.Size(), 8.0f);
  EXPECT_EQ(font.Styles(), 0);
  EXPECT_EQ(control.MainFooter().Font().Name(), QStringLiteral("MS Sans Serif"));
}

TEST(GraphControl, ShowingItFitsTheDiagramIntoTheGraphArea) {
  TShownControl shown(400, 300);
  TGraphControl& control = shown.control;
  ASSERT_NE(control.Graphics(), nullptr);
  EXPECT_EQ(control.Bitmap().size(), QSize(400, 300));
  EXPECT_EQ(control.GraphArea(), QRect(0, 25, 400, 250));
  EXPECT_GT(control.Graph().FitZoom(), 0.0);
  EXPECT_EQ(control.Graph().Projection().Zoom(), control.Graph().FitZoom());
  const QRect pixels = control.Graph().GetPixelRect(shown.Graphics(), shown.Projection());
  EXPECT_TRUE(control.GraphArea().adjusted(-1, -1, 1, 1).contains(pixels)) << pixels.x() << "," << pixels.y();
}

TEST(GraphControl, TheBackgroundIsDrawnInTheControlColour) {
  TShownControl shown;
  TGraphControl& control = shown.control;
  EXPECT_EQ(PixelAt(control, 2, 150), kWhite);
  // A colour change alone keeps the rendered image; a batch renders it anew.
  control.SetColor(0x000000FF);
  EXPECT_EQ(PixelAt(control, 2, 150), kWhite);
  control.BeginUpdate();
  control.EndUpdate();
  EXPECT_EQ(PixelAt(control, 2, 150), 0xFFFF0000);
}

TEST(GraphControl, ChangesInsideABatchRenderOnceItCloses) {
  TShownControl shown;
  TGraphControl& control = shown.control;
  {
    TControlUpdateScope outer(control);
    {
      TControlUpdateScope inner(control);
      control.SetColor(0x0000FF00);
      AddPointsSerie(control.Graph(), QStringLiteral("S"), {{0.2, 0.3, 0.5}});
    }
    EXPECT_EQ(PixelAt(control, 2, 150), kWhite);
  }
  EXPECT_EQ(PixelAt(control, 2, 150), 0xFF00FF00);
}

TEST(GraphControl, AGraphChangeOutsideABatchRendersAtOnce) {
  TShownControl shown;
  AddRedTriangle(shown.control.Graph());
  const QPoint centre = shown.DeviceOf({1.0 / 3, 1.0 / 3, 1.0 / 3});
  EXPECT_EQ(PixelAt(shown.control, centre.x(), centre.y()), 0xFFFF0000);
}

TEST(GraphControl, TheBandsCoverTheDiagramAndShowTheCaptionCentred) {
  TShownControl shown(400, 300);
  TGraphControl& control = shown.control;
  AddRedTriangle(control.Graph());
  for (int i = 0; i < 8; ++i) control.ZoomInAt(200, 150, TGraphControl::kCoarseStep);
  // The diagram now covers the whole control, yet the bands stay clear.
  EXPECT_EQ(PixelAt(control, 200, 150), 0xFFFF0000);
  EXPECT_TRUE(RowsHoldOnly(control, 0, 25, kWhite));
  EXPECT_TRUE(RowsHoldOnly(control, 275, 300, kWhite));

  control.MainHeader().SetCaption(QStringLiteral("MMMMMMMM"));
  double sumX = 0, sumY = 0;
  int count = 0;
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 400; ++x)
      if (qGray(PixelAt(control, x, y)) < 128) {
        sumX += x;
        sumY += y;
        ++count;
      }
  ASSERT_GT(count, 0);
  EXPECT_NEAR(sumX / count, 200, 3);
  EXPECT_NEAR(sumY / count, 12.5, 3);
}

TEST(GraphControl, ResizingRefitsUntilTheUserZooms) {
  TShownControl shown(400, 300);
  TGraphControl& control = shown.control;
  const double firstFit = control.Graph().FitZoom();
  control.resize(500, 400);
  QTRY_COMPARE(control.Bitmap().size(), QSize(500, 400));
  EXPECT_GT(control.Graph().FitZoom(), firstFit);
  EXPECT_EQ(control.Graph().Projection().Zoom(), control.Graph().FitZoom());

  control.ZoomInAt(250, 200, TGraphControl::kNormalStep);
  const double zoomed = control.Graph().Projection().Zoom();
  control.resize(300, 250);
  QTRY_COMPARE(control.Bitmap().size(), QSize(300, 250));
  EXPECT_EQ(control.Graph().Projection().Zoom(), zoomed);
}

TEST(GraphControl, HidingTheHeaderRefitsIntoTheTallerArea) {
  TShownControl shown(400, 300);
  TGraphControl& control = shown.control;
  const double before = control.Graph().FitZoom();
  control.MainHeader().SetVisible(false);
  EXPECT_EQ(control.GraphArea(), QRect(0, 0, 400, 275));
  EXPECT_GT(control.Graph().FitZoom(), before);
  EXPECT_EQ(control.Graph().Projection().Zoom(), control.Graph().FitZoom());
}

TEST(GraphControl, ABandChangeKeepsAZoomOfTheUser) {
  TShownControl shown(400, 300);
  TGraphControl& control = shown.control;
  control.ZoomInAt(200, 150, TGraphControl::kNormalStep);
  const double zoomed = control.Graph().Projection().Zoom();
  control.MainFooter().SetHeight(60);
  EXPECT_EQ(control.GraphArea(), QRect(0, 25, 400, 215));
  EXPECT_EQ(control.Graph().Projection().Zoom(), zoomed);
}

TEST(GraphControl, BandsTallerThanTheControlLeaveThePlacementAlone) {
  TShownControl shown(400, 300);
  TGraphControl& control = shown.control;
  const double zoom = control.Graph().Projection().Zoom();
  const TDoublePoint origin = control.Graph().Projection().Origin();
  control.resize(400, 40);
  QTRY_COMPARE(control.Bitmap().size(), QSize(400, 40));
  EXPECT_LT(control.GraphArea().height(), 0);
  EXPECT_EQ(control.Graph().Projection().Zoom(), zoom);
  EXPECT_EQ(control.Graph().Projection().Origin(), origin);
}

TEST(GraphControl, ToggleProjectionModeSwitchesBetweenTheTwoTriangles) {
  TGraphControl control;
  control.ToggleProjectionMode();
  EXPECT_EQ(control.Graph().Projection().Mode(), TProjection::kRightAngled);
  control.ToggleProjectionMode();
  EXPECT_EQ(control.Graph().Projection().Mode(), TProjection::kEquilateral);
}

TEST(GraphControl, SeriesChangesArePassedOn) {
  TGraphControl control;
  int calls = 0;
  control.OnSeriesChange = [&](TGraphControl* sender) {
    EXPECT_EQ(sender, &control);
    ++calls;
  };
  AddPointsSerie(control.Graph(), QStringLiteral("S"), {});
  control.Graph().ClearSeries();
  EXPECT_EQ(calls, 2);
}

TEST(GraphControl, DrawToDrawsTheSamePictureOnAnotherSurface) {
  TShownControl shown(300, 240);
  AddRedTriangle(shown.control.Graph());
  shown.control.MainHeader().SetCaption(QStringLiteral("Header"));
  QImage copy(300, 240, QImage::Format_RGB32);
  copy.fill(Qt::black);
  QPainter painter(&copy);
  TGraphics g(painter);
  shown.control.DrawTo(g);
  painter.end();
  EXPECT_EQ(copy, shown.control.Bitmap());
}

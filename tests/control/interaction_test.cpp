#include <gtest/gtest.h>

#include <QBitmap>
#include <QClipboard>
#include <QGuiApplication>
#include <QWheelEvent>

#include "control_fixture.h"
#include "model/lines_serie.h"

namespace {

constexpr double kTolerance = 1e-6;

void Wheel(TGraphControl& control, QPoint pos, int angle, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWheelEvent event(QPointF(pos), QPointF(control.mapToGlobal(pos)), QPoint(), QPoint(0, angle), Qt::NoButton,
                    modifiers, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&control, &event);
}

void ExpectSamePlacePoint(const TDoublePoint& a, const TDoublePoint& b) {
  EXPECT_NEAR(a.X, b.X, kTolerance);
  EXPECT_NEAR(a.Y, b.Y, kTolerance);
}

void ExpectNearTernary(const TTernaryPoint& a, const TTernaryPoint& b, double tolerance) {
  EXPECT_NEAR(a.A, b.A, tolerance);
  EXPECT_NEAR(a.B, b.B, tolerance);
  EXPECT_NEAR(a.C, b.C, tolerance);
}

struct WheelCase {
  const char* name;
  Qt::KeyboardModifiers modifiers;
  double step;
};

class WheelSteps : public ::testing::TestWithParam<WheelCase> {};

}  // namespace

TEST(Interaction, APressAndReleaseWithinTwoPixelsNeverPans) {
  TShownControl shown;
  const TDoublePoint origin = shown.Projection().Origin();
  QTest::mousePress(&shown.control, Qt::LeftButton, {}, QPoint(200, 150));
  QTest::mouseMove(&shown.control, QPoint(202, 152));
  QTest::mouseMove(&shown.control, QPoint(198, 148));
  QTest::mouseMove(&shown.control, QPoint(201, 150));
  QTest::mouseRelease(&shown.control, Qt::LeftButton, {}, QPoint(201, 150));
  EXPECT_EQ(shown.Projection().Origin(), origin);
}

TEST(Interaction, DraggingKeepsThePressedPointUnderTheCursor) {
  TShownControl shown;
  const TDoublePoint pressed = shown.PlaneAt(QPoint(200, 150));
  const TDoublePoint origin = shown.Projection().Origin();
  QTest::mousePress(&shown.control, Qt::LeftButton, {}, QPoint(200, 150));
  QTest::mouseMove(&shown.control, QPoint(203, 150));  // crosses the threshold only
  EXPECT_EQ(shown.Projection().Origin(), origin);
  QTest::mouseMove(&shown.control, QPoint(240, 110));
  ExpectSamePlacePoint(shown.PlaneAt(QPoint(240, 110)), pressed);
  QTest::mouseMove(&shown.control, QPoint(120, 200));
  ExpectSamePlacePoint(shown.PlaneAt(QPoint(120, 200)), pressed);
  QTest::mouseRelease(&shown.control, Qt::LeftButton, {}, QPoint(120, 200));

  // After the release a move does not pan any more.
  const TDoublePoint after = shown.Projection().Origin();
  QTest::mouseMove(&shown.control, QPoint(20, 20));
  EXPECT_EQ(shown.Projection().Origin(), after);
}

TEST(Interaction, OnlyTheNormalModePans) {
  TShownControl shown;
  shown.control.SetInteractMode(imAddLine);
  const TDoublePoint origin = shown.Projection().Origin();
  QTest::mousePress(&shown.control, Qt::RightButton, {}, QPoint(200, 150));
  QTest::mouseMove(&shown.control, QPoint(230, 150));
  QTest::mouseMove(&shown.control, QPoint(260, 150));
  QTest::mouseRelease(&shown.control, Qt::RightButton, {}, QPoint(260, 150));
  EXPECT_EQ(shown.Projection().Origin(), origin);
}

TEST_P(WheelSteps, ZoomAboutTheCursorByTheStepOfTheModifier) {
  TShownControl shown;
  const QPoint cursor(150, 120);
  QTest::mouseClick(&shown.control, Qt::LeftButton, {}, cursor);  // takes the focus
  const TDoublePoint under = shown.PlaneAt(cursor);
  const double zoom = shown.Projection().Zoom();
  Wheel(shown.control, cursor, 120, GetParam().modifiers);
  EXPECT_NEAR(shown.Projection().Zoom(), zoom * GetParam().step, 1e-9);
  ExpectSamePlacePoint(shown.PlaneAt(cursor), under);
  // A long turn is still one step.
  Wheel(shown.control, cursor, -480, GetParam().modifiers);
  EXPECT_NEAR(shown.Projection().Zoom(), zoom, 1e-9);
}

// Offscreen events carry no scan codes: either Ctrl or Shift counts as the
// left one, and Ctrl wins over Shift.
INSTANTIATE_TEST_SUITE_P(Wheel, WheelSteps,
                         ::testing::Values(WheelCase{"Normal", Qt::NoModifier, 1.2},
                                           WheelCase{"Ctrl", Qt::ControlModifier, 1.05},
                                           WheelCase{"Shift", Qt::ShiftModifier, 1.5},
                                           WheelCase{"CtrlAndShift", Qt::ControlModifier | Qt::ShiftModifier, 1.05}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Interaction, ZoomingOutNeverGoesBelowTheFit) {
  TShownControl shown;
  QTest::mouseClick(&shown.control, Qt::LeftButton, {}, QPoint(200, 150));
  const double fit = shown.control.Graph().FitZoom();
  Wheel(shown.control, QPoint(200, 150), -120);
  Wheel(shown.control, QPoint(100, 100), -120);
  EXPECT_EQ(shown.Projection().Zoom(), fit);
  Wheel(shown.control, QPoint(200, 150), 120);
  Wheel(shown.control, QPoint(200, 150), -120, Qt::ShiftModifier);
  EXPECT_EQ(shown.Projection().Zoom(), fit);
}

TEST(Interaction, TheWheelNeedsTheFocus) {
  TShownControl shown;
  shown.control.clearFocus();
  const double zoom = shown.Projection().Zoom();
  Wheel(shown.control, QPoint(200, 150), 120);
  EXPECT_EQ(shown.Projection().Zoom(), zoom);
}

TEST(Interaction, ClicksInTheZoomModesZoomByTheNormalStepWithAnyButton) {
  TShownControl shown;
  const double zoom = shown.Projection().Zoom();
  shown.control.SetInteractMode(imZoomIn);
  QTest::mouseClick(&shown.control, Qt::RightButton, {}, QPoint(180, 140));
  EXPECT_NEAR(shown.Projection().Zoom(), zoom * 1.2, 1e-9);
  QTest::mouseClick(&shown.control, Qt::LeftButton, {}, QPoint(180, 140));
  EXPECT_NEAR(shown.Projection().Zoom(), zoom * 1.44, 1e-9);
  shown.control.SetInteractMode(imZoomOut);
  QTest::mouseClick(&shown.control, Qt::LeftButton, {}, QPoint(180, 140));
  EXPECT_NEAR(shown.Projection().Zoom(), zoom * 1.2, 1e-9);
}

TEST(Interaction, TwoClicksInLineModeAddOneUserLineAndReturnToNormal) {
  TShownControl shown;
  int modeChanges = 0;
  int seriesChanges = 0;
  shown.control.OnInteractModeChange = [&](TGraphControl*) { ++modeChanges; };
  shown.control.OnSeriesChange = [&](TGraphControl*) { ++seriesChanges; };
  const TTernaryPoint first{0.6, 0.2, 0.2};
  const TTernaryPoint second{0.1, 0.3, 0.6};
  shown.control.SetInteractMode(imAddLine);
  QTest::mouseClick(&shown.control, Qt::LeftButton, {}, shown.DeviceOf(first));
  EXPECT_EQ(shown.control.Graph().SeriesCount(), 0);
  QTest::mouseClick(&shown.control, Qt::LeftButton, {}, shown.DeviceOf(second));

  ASSERT_EQ(shown.control.Graph().SeriesCount(), 1);
  const auto& line = dynamic_cast<const TLinesSerie&>(shown.control.Graph().GetSerie(0));
  EXPECT_EQ(line.Name(), QStringLiteral("User line"));
  EXPECT_TRUE(line.Removeable());
  ASSERT_EQ(line.Items().Count(), 1);
  // Ends are where the clicks fell, to within a pixel.
  const double pixel = 1.5 / shown.Projection().Zoom();
  ExpectNearTernary(line.Items().Get(0).P1, first, pixel);
  ExpectNearTernary(line.Items().Get(0).P2, second, pixel);
  EXPECT_EQ(shown.control.InteractMode(), imNormal);
  EXPECT_EQ(modeChanges, 2);
  EXPECT_EQ(seriesChanges, 1);
}

TEST(Interaction, EachUserLineIsASeriesOfItsOwn) {
  TShownControl shown;
  for (int i = 0; i < 3; ++i) {
    shown.control.SetInteractMode(imAddLine);
    QTest::mouseClick(&shown.control, Qt::LeftButton, {}, QPoint(150 + 10 * i, 200));
    QTest::mouseClick(&shown.control, Qt::LeftButton, {}, QPoint(250, 100 + 10 * i));
  }
  ASSERT_EQ(shown.control.Graph().SeriesCount(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(shown.control.Graph().GetSerie(i).Name(), QStringLiteral("User line"));
}

TEST(Interaction, TheFirstClickOfALineSurvivesAZoomModeInBetween) {
  TShownControl shown;
  shown.control.SetInteractMode(imAddLine);
  QTest::mouseClick(&shown.control, Qt::LeftButton, {}, QPoint(150, 200));
  shown.control.SetInteractMode(imZoomIn);
  shown.control.SetInteractMode(imAddLine);
  QTest::mouseClick(&shown.control, Qt::LeftButton, {}, QPoint(250, 120));
  EXPECT_EQ(shown.control.Graph().SeriesCount(), 1);
}

TEST(Interaction, SwitchingToNormalForgetsTheFirstClick) {
  TShownControl shown;
  shown.control.SetInteractMode(imAddLine);
  QTest::mouseClick(&shown.control, Qt::LeftButton, {}, QPoint(150, 200));
  shown.control.SetInteractMode(imNormal);
  shown.control.SetInteractMode(imAddLine);
  QTest::mouseClick(&shown.control, Qt::LeftButton, {}, QPoint(250, 120));
  EXPECT_EQ(shown.control.Graph().SeriesCount(), 0);
}

TEST(Interaction, EachModeHasItsCursor) {
  TGraphControl control;
  int changes = 0;
  control.OnInteractModeChange = [&](TGraphControl*) { ++changes; };
  control.SetInteractMode(imAddLine);
  EXPECT_EQ(control.cursor().shape(), Qt::CrossCursor);
  for (const TGraphInteractMode mode : {imZoomIn, imZoomOut}) {
    control.SetInteractMode(mode);
    const QCursor cursor = control.cursor();
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(5, 5));
    const QImage picture = cursor.bitmap().toImage();
    const QImage mask = cursor.mask().toImage();
    ASSERT_EQ(picture.size(), QSize(32, 32));
    // The sign's horizontal bar crosses the lens centre; only the plus has a
    // vertical bar, and the lens is opaque while the far corner is not.
    EXPECT_EQ(picture.pixelIndex(3, 5), 1);
    EXPECT_EQ(picture.pixelIndex(5, 3), mode == imZoomIn ? 1 : 0);
    EXPECT_EQ(mask.pixelIndex(5, 5), 1);
    EXPECT_EQ(mask.pixelIndex(30, 2), 0);
  }
  control.SetInteractMode(imNormal);
  EXPECT_EQ(control.cursor().shape(), Qt::ArrowCursor);
  control.SetInteractMode(imNormal);
  EXPECT_EQ(changes, 4);
}

TEST(Interaction, TheHintNamesTheItemUnderTheMouse) {
  TDefaultLocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
  TShownControl shown;
  const TTernaryPoint point{0.2, 0.3, 0.5};
  AddPointsSerie(shown.control.Graph(), QStringLiteral("Serie # 1"), {point});
  QTest::mouseMove(&shown.control, shown.DeviceOf(point));
  const QString expected = QStringLiteral("Serie : Serie # 1\r\nIndex : 0\r\nPoint : (0.2, 0.3, 0.5)");
  EXPECT_EQ(shown.control.Hint(), expected);
  EXPECT_EQ(shown.control.toolTip(), expected);

  QTest::mouseMove(&shown.control, QPoint(3, 100));
  EXPECT_EQ(shown.control.Hint(), QString());
}

TEST(Interaction, SwitchingTheHintOffKeepsTheLastText) {
  TDefaultLocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
  TShownControl shown;
  const TTernaryPoint point{0.2, 0.3, 0.5};
  AddPointsSerie(shown.control.Graph(), QStringLiteral("S"), {point});
  QTest::mouseMove(&shown.control, shown.DeviceOf(point));
  const QString hint = shown.control.Hint();
  ASSERT_FALSE(hint.isEmpty());
  shown.control.SetAutoHint(false);
  QTest::mouseMove(&shown.control, QPoint(3, 100));
  EXPECT_EQ(shown.control.Hint(), hint);
}

TEST(Interaction, ANewFormatRewritesTheHintAtOnce) {
  TDefaultLocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
  TShownControl shown;
  const TTernaryPoint point{0.25, 0.25, 0.5};
  AddPointsSerie(shown.control.Graph(), QStringLiteral("S"), {point});
  QTest::mouseMove(&shown.control, shown.DeviceOf(point));
  shown.control.SetAutoHintFormatString(QStringLiteral("%POINT.A%"));
  EXPECT_EQ(shown.control.Hint(), QStringLiteral("0.25"));
  shown.control.SetValueFormatString(QStringLiteral("%d"));  // unusable: general format
  EXPECT_EQ(shown.control.Hint(), QStringLiteral("0.25"));
  shown.control.SetValueFormatString(QStringLiteral("%.3f"));
  EXPECT_EQ(shown.control.Hint(), QStringLiteral("0.250"));
}

TEST(Interaction, PointAtTellsItemsFromFreePositions) {
  TShownControl shown;
  const TTernaryPoint point{0.2, 0.3, 0.5};
  AddPointsSerie(shown.control.Graph(), QStringLiteral("S"), {point});
  const QPoint onItem = shown.DeviceOf(point);
  const TGraphPointInfo item = shown.control.PointAt(onItem.x() + 1, onItem.y());
  EXPECT_EQ(item.Kind, 2);
  EXPECT_EQ(item.Point, point);
  const TGraphPointInfo free = shown.control.PointAt(onItem.x() + 40, onItem.y());
  EXPECT_EQ(free.Kind, 1);
  EXPECT_GT(free.Point.B, point.B);

  TSerieHit hit;
  ASSERT_TRUE(shown.control.HitTest(onItem.x(), onItem.y(), hit));
  EXPECT_EQ(hit.Index, 0);
  EXPECT_EQ(hit.Serie->Name(), QStringLiteral("S"));
}

TEST(Interaction, WithoutADrawingContextNothingIsHitOrZoomed) {
  TGraphControl control;  // never shown: no drawing context yet
  AddPointsSerie(control.Graph(), QStringLiteral("S"), {{0.2, 0.3, 0.5}});
  TSerieHit hit;
  EXPECT_FALSE(control.HitTest(10, 10, hit));
  EXPECT_EQ(control.PointAt(10, 10).Kind, 0);
  const double zoom = control.Graph().Projection().Zoom();
  control.ZoomInAt(10, 10, TGraphControl::kNormalStep);
  control.SetInteractMode(imAddLine);
  QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(20, 20));
  EXPECT_EQ(control.Graph().Projection().Zoom(), zoom);
  EXPECT_EQ(control.Graph().SeriesCount(), 1);
}

TEST(Interaction, MouseMovesAreReportedWithTheClientPosition) {
  TShownControl shown;
  QPoint reported;
  shown.control.OnMouseMove = [&](TGraphControl*, const QPoint& pos) { reported = pos; };
  QTest::mouseMove(&shown.control, QPoint(123, 45));
  EXPECT_EQ(reported, QPoint(123, 45));
}

namespace {

// A black slanted line whose middle lies between the grid lines.
constexpr TTernaryPoint kLineMiddle{0.433, 0.333, 0.234};

void AddSlantedLine(TShownControl& shown) {
  auto line = std::make_unique<TLinesSerie>();
  line->LineStyle().SetColor(0xFF000000);
  line->LineStyle().SetWidth(3);
  line->Items().Add({{0.533, 0.303, 0.164}, {0.333, 0.363, 0.304}});
  shown.control.Graph().AddSerie(std::move(line));
}

// Pixels about the line's middle that are neither the line nor the background.
int PartlyCoveredPixels(TShownControl& shown) {
  const QImage& bitmap = shown.control.Bitmap();
  const QPoint middle = shown.DeviceOf(kLineMiddle);
  int partial = 0;
  for (int y = middle.y() - 3; y <= middle.y() + 3; ++y)
    for (int x = middle.x() - 3; x <= middle.x() + 3; ++x)
      partial += bitmap.pixel(x, y) != qRgb(0, 0, 0) && bitmap.pixel(x, y) != qRgb(255, 255, 255);
  return partial;
}

// A pan drag (true) or a run of wheel steps (false).
class MotionFrames : public ::testing::TestWithParam<bool> {};

}  // namespace

TEST_P(MotionFrames, AreRoughUntilTheMotionPausesThenSmooth) {
  TShownControl shown;
  AddSlantedLine(shown);
  ASSERT_GT(PartlyCoveredPixels(shown), 0);
  QTest::mouseClick(&shown.control, Qt::LeftButton, {}, QPoint(20, 20));  // takes the focus
  if (GetParam()) {
    QTest::mousePress(&shown.control, Qt::LeftButton, {}, QPoint(200, 150));
    for (int x = 204; x <= 240; x += 4) QTest::mouseMove(&shown.control, QPoint(x, 150));
    QTest::mouseRelease(&shown.control, Qt::LeftButton, {}, QPoint(240, 150));
  } else {
    for (int angle : {120, 120, -120}) Wheel(shown.control, QPoint(190, 160), angle);
  }
  EXPECT_EQ(PartlyCoveredPixels(shown), 0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return PartlyCoveredPixels(shown) > 0; }));
}

INSTANTIATE_TEST_SUITE_P(Interaction, MotionFrames, ::testing::Bool());

TEST(Interaction, TheClipboardGetsASmoothPictureDuringAMotion) {
  TShownControl shown;
  AddSlantedLine(shown);
  QTest::mousePress(&shown.control, Qt::LeftButton, {}, QPoint(200, 150));
  QTest::mouseMove(&shown.control, QPoint(210, 150));
  QTest::mouseMove(&shown.control, QPoint(220, 160));
  shown.control.CopyImageToClipboard();
  EXPECT_GT(PartlyCoveredPixels(shown), 0);
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), shown.control.Bitmap());
}

// Panning, wheel zooming and hovering over an 800 x 800 graph control that
// holds a million random compositions, driven by real mouse and wheel events
// as the window system would send them. Every event must leave a complete,
// current frame in the control's image: after each run, the image is
// compared with a full render of the view the run ended on, drawn as the
// frames of a motion are (without smoothing). Then the smooth picture must
// follow once the motion pauses; the time it takes is reported too.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWheelEvent>
#include <memory>
#include <random>

#include "control/graph_control.h"
#include "model/points_serie.h"

namespace {

constexpr int kSide = 800;
constexpr int kPointCount = 1'000'000;
constexpr int kPanMoves = 60;
constexpr int kWheelSteps = 20;
const QPoint kCentre(kSide / 2, kSide / 2);

std::unique_ptr<TPointsSerie> RandomSerie(bool polyline) {
  auto serie = std::make_unique<TPointsSerie>();
  std::mt19937 random(12345);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  TUpdateScope batch(*serie);
  serie->Items().SetCapacity(kPointCount);
  for (int i = 0; i < kPointCount; ++i) {
    const double a = uniform(random), b = uniform(random), c = uniform(random);
    const double sum = a + b + c;
    serie->Items().Add({a / sum, b / sum, c / sum});
  }
  serie->PointStyle().SetDotType(dtFilledSquare);
  serie->PointStyle().SetSize(5);
  serie->LineStyle().SetVisible(polyline);
  return serie;
}

std::unique_ptr<TGraphControl> controls[2];

// Widgets must go before the application does, not at the program's exit.
void DestroyControls() {
  for (std::unique_ptr<TGraphControl>& control : controls) control.reset();
}

// One control per kind of diagram, shown on the offscreen platform with the
// focus, as the wheel needs it.
TGraphControl& Control(bool polyline) {
  std::unique_ptr<TGraphControl>& control = controls[polyline];
  if (!control) {
    if (!controls[!polyline]) qAddPostRoutine(DestroyControls);
    control = std::make_unique<TGraphControl>();
    control->resize(kSide, kSide);
    control->show();
    control->activateWindow();
    control->setFocus();
    QApplication::processEvents();
    control->Graph().AddSerie(RandomSerie(polyline));
  }
  // The wheel needs the focus, which the other control may have taken.
  control->activateWindow();
  control->setFocus();
  QApplication::processEvents();
  return *control;
}

void SendMouse(TGraphControl& control, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(pos), QPointF(control.mapToGlobal(pos)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(&control, &event);
}

void SendWheel(TGraphControl& control, QPoint pos, int angle) {
  QWheelEvent event(QPointF(pos), QPointF(control.mapToGlobal(pos)), QPoint(), QPoint(0, angle), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&control, &event);
}

// The image after the last event must be what a full render of the view gives.
void CheckFrameIsCurrent(benchmark::State& state, TGraphControl& control) {
  const QImage shown = control.Bitmap().copy();
  control.Redraw();
  if (shown != control.Bitmap()) state.SkipWithError("the image after the last event is not a full render");
}

// The rough frames of the motion give way to the smooth picture without
// further events; smooth_picture_ms counts from the last event.
void CheckSmoothPictureFollows(benchmark::State& state, TGraphControl& control, const QElapsedTimer& waited) {
  const QImage rough = control.Bitmap().copy();
  while (control.Bitmap() == rough && waited.elapsed() < 2000) QApplication::processEvents(QEventLoop::AllEvents, 5);
  state.counters["smooth_picture_ms"] = double(waited.elapsed());
  if (control.Bitmap() == rough) state.SkipWithError("no smooth picture followed the motion");
}

void ReportFrames(benchmark::State& state, int framesPerIteration) {
  state.counters["frames_per_second"] =
      benchmark::Counter(double(state.iterations()) * framesPerIteration, benchmark::Counter::kIsRate);
}

// A drag of 60 moves of 3 pixels, back and forth so the view stays in place.
void PanFrames(benchmark::State& state, bool polyline) {
  TGraphControl& control = Control(polyline);
  for (auto _ : state) {
    SendMouse(control, QEvent::MouseButtonPress, kCentre, Qt::LeftButton);
    SendMouse(control, QEvent::MouseMove, kCentre + QPoint(3, 0), Qt::LeftButton);  // starts the drag
    for (int i = 0; i < kPanMoves; ++i) {
      const int sweep = (i % 20) < 10 ? i % 10 : 10 - i % 10;
      SendMouse(control, QEvent::MouseMove, kCentre + QPoint(3 + 3 * sweep, 2 * sweep), Qt::LeftButton);
    }
    SendMouse(control, QEvent::MouseButtonRelease, kCentre, Qt::NoButton);
  }
  ReportFrames(state, kPanMoves);
  QElapsedTimer sinceLastEvent;
  sinceLastEvent.start();
  CheckFrameIsCurrent(state, control);
  CheckSmoothPictureFollows(state, control, sinceLastEvent);
}

// Ten steps in, ten out, about a point off the centre.
void WheelFrames(benchmark::State& state, bool polyline) {
  TGraphControl& control = Control(polyline);
  if (!control.hasFocus()) state.SkipWithError("the control has no focus: wheel events would be ignored");
  const QPoint at = kCentre + QPoint(60, 40);
  for (auto _ : state)
    for (int i = 0; i < kWheelSteps; ++i) SendWheel(control, at, i < kWheelSteps / 2 ? 120 : -120);
  ReportFrames(state, kWheelSteps);
  QElapsedTimer sinceLastEvent;
  sinceLastEvent.start();
  CheckFrameIsCurrent(state, control);
  CheckSmoothPictureFollows(state, control, sinceLastEvent);
}

// Moves without a button: the hit test and the hint, no render.
void HoverMoves(benchmark::State& state) {
  TGraphControl& control = Control(false);
  int i = 0;
  for (auto _ : state) {
    SendMouse(control, QEvent::MouseMove, QPoint(200 + i % 400, 300 + (i * 7) % 300), Qt::NoButton);
    ++i;
  }
}

void BM_PanFrames(benchmark::State& state) { PanFrames(state, false); }
void BM_PanFramesWithPolyline(benchmark::State& state) { PanFrames(state, true); }
void BM_WheelFrames(benchmark::State& state) { WheelFrames(state, false); }
void BM_WheelFramesWithPolyline(benchmark::State& state) { WheelFrames(state, true); }
void BM_HoverMove(benchmark::State& state) { HoverMoves(state); }

}  // namespace

BENCHMARK(BM_PanFrames)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PanFramesWithPolyline)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WheelFrames)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WheelFramesWithPolyline)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HoverMove)->Unit(benchmark::kMicrosecond)->UseRealTime();

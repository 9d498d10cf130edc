// Drawing a points series of a million random compositions into an 800 x 800
// raster image, as a repaint of the graph control does.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <memory>
#include <random>

#include "model/points_serie.h"

namespace {

constexpr int kImageSide = 800;
constexpr int kPointCount = 1'000'000;
constexpr double kZoom = 700.0;

// Zoom 700 with the triangle centred in the image, as a fit would place it.
TProjection CentredProjection() {
  TProjection projection;
  projection.SetZoom(kZoom);
  const double margin = (kImageSide - kZoom) / 2.0 / kZoom;
  const double height = TProjection::kHeightFactor;
  const double top = (kImageSide - kZoom * height) / 2.0 / kZoom;
  projection.SetOrigin({margin, top - (1.0 - height)});
  return projection;
}

std::unique_ptr<TPointsSerie> RandomSerie() {
  auto serie = std::make_unique<TPointsSerie>();
  std::mt19937 random(12345);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  TUpdateScope batch(*serie);
  serie->Items().SetCapacity(kPointCount);
  for (int i = 0; i < kPointCount; ++i) {
    const double a = uniform(random);
    const double b = uniform(random);
    const double c = uniform(random);
    const double sum = a + b + c;
    serie->Items().Add({a / sum, b / sum, c / sum});
  }
  serie->PointStyle().SetDotType(dtFilledSquare);
  serie->PointStyle().SetSize(5);
  return serie;
}

TPointsSerie& SharedSerie() {
  static const std::unique_ptr<TPointsSerie> serie = RandomSerie();
  return *serie;
}

// The same points, each with an illustrative value that rises with A, 0 to
// 100, plus a measurement's noise of `noise` (a standard deviation).
std::unique_ptr<TPointsSerie> ValuedSerie(double noise) {
  std::unique_ptr<TPointsSerie> serie = RandomSerie();
  std::mt19937 random(678);
  std::normal_distribution<double> gauss(0.0, 1.0);
  TTernaryPointList& items = serie->Items();
  for (int i = 0; i < items.Count(); ++i) items.PutValue(i, items.Data()[i].A * 100 + noise * gauss(random));
  serie->LineStyle().SetVisible(false);
  serie->ColorScale().SetVisible(true);
  return serie;
}

// Argument 1 draws smooth, as a still picture and every export is; 0 draws
// rough, as the frames of a pan or a run of wheel steps are.
void DrawInto(benchmark::State& state, TPointsSerie& serie) {
  const bool smooth = state.range(0) != 0;
  const TProjection projection = CentredProjection();
  QImage image(kImageSide, kImageSide, QImage::Format_RGB32);
  for (auto _ : state) {
    state.PauseTiming();
    image.fill(Qt::white);
    state.ResumeTiming();
    QPainter painter(&image);
    TGraphics g(painter);
    g.SetSmooth(smooth);
    serie.Draw(g, projection);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetItemsProcessed(state.iterations() * int64_t(serie.Items().Count()));
}

void BM_MarkersOnly(benchmark::State& state) {
  TPointsSerie& serie = SharedSerie();
  serie.LineStyle().SetVisible(false);
  serie.LineStyle().SetColorMode(cmSolid);
  DrawInto(state, serie);
}

// The same markers, each filled with the colour of its point's value,
// against BM_MarkersOnly. Values that are a function of the composition are
// the hardest case: the 256 colours lie in bands thinner than a marker, each
// drawn over the last. A measurement's noise of 5 % of the range blurs them.
void BM_MarkersColouredByValue(benchmark::State& state) {
  static const std::unique_ptr<TPointsSerie> exact = ValuedSerie(0);
  DrawInto(state, *exact);
}

void BM_MarkersColouredByNoisyValue(benchmark::State& state) {
  static const std::unique_ptr<TPointsSerie> noisy = ValuedSerie(5);
  DrawInto(state, *noisy);
}

void BM_MarkersAndPolyline(benchmark::State& state) {
  TPointsSerie& serie = SharedSerie();
  serie.LineStyle().SetVisible(true);
  serie.LineStyle().SetColorMode(cmSolid);
  DrawInto(state, serie);
}

void BM_MarkersAndGradientPolyline(benchmark::State& state) {
  TPointsSerie& serie = SharedSerie();
  serie.LineStyle().SetVisible(true);
  serie.LineStyle().SetColorMode(cmGradient);
  serie.LineStyle().SetEndColor(0xFFFF0000);
  DrawInto(state, serie);
}

}  // namespace

BENCHMARK(BM_MarkersOnly)->ArgName("smooth")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MarkersColouredByValue)->ArgName("smooth")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MarkersColouredByNoisyValue)
    ->ArgName("smooth")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_MarkersAndPolyline)->ArgName("smooth")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MarkersAndGradientPolyline)
    ->ArgName("smooth")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

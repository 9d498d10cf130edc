// The graph's hot paths besides drawing: fitting a diagram into the window
// (on every resize and load) and finding the item under the mouse (on every
// mouse move while hints are on) over a series of a million points.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <random>

#include "model/graph.h"
#include "model/points_serie.h"

namespace {

struct Canvas {
  QImage image{800, 800, QImage::Format_RGB32};
  QPainter painter{&image};
  TGraphics g{painter};
};

void BM_FitToRectDefaultGraph(benchmark::State& state) {
  Canvas canvas;
  TGraph graph;
  for (auto _ : state) {
    graph.Projection().SetZoom(1.0);  // start each fit afresh
    graph.FitToRect(canvas.g, QRectF(0, 25, 800, 750));
  }
}

void BM_FindSerieAtMillionPoints(benchmark::State& state) {
  Canvas canvas;
  TGraph graph;
  auto serie = std::make_unique<TPointsSerie>();
  std::mt19937 random(42);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  {
    TUpdateScope scope(*serie);
    for (int i = 0; i < 1'000'000; ++i) {
      const double a = unit(random);
      const double b = unit(random) * (1 - a);
      serie->Items().Add({a, b, 1 - a - b});
    }
  }
  graph.AddSerie(std::move(serie));
  graph.FitToRect(canvas.g, QRectF(0, 0, 800, 800));
  int x = 0;
  for (auto _ : state) {
    TSerieHit hit;
    // Empty corners make every call walk all points.
    benchmark::DoNotOptimize(graph.FindSerieAt(canvas.g, x++ % 3, 2, hit));
  }
}

}  // namespace

BENCHMARK(BM_FitToRectDefaultGraph)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindSerieAtMillionPoints)->Unit(benchmark::kMillisecond);

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "geometry/label_point.h"

// The label point of a field with many vertices: a wavy, star-like outline of
// side about 1 searched to a precision of 1/1000 of it, as a field name's
// placement asks. Target: at most 5 ms for 10,000 vertices.
namespace {

std::vector<TDoublePoint> WavyPolygon(int count) {
  std::vector<TDoublePoint> polygon;
  polygon.reserve(size_t(count));
  for (int i = 0; i < count; ++i) {
    const double t = 2 * std::numbers::pi * i / count;
    const double r = 0.5 + 0.15 * std::sin(7 * t) + 0.02 * std::sin(301 * t);
    polygon.push_back({r * std::cos(t), r * std::sin(t)});
  }
  return polygon;
}

void BM_LabelPoint(benchmark::State& state) {
  const std::vector<TDoublePoint> polygon = WavyPolygon(int(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(geometry::FindLabelPoint(polygon, 1e-3));
}
BENCHMARK(BM_LabelPoint)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

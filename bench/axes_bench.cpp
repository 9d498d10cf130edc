#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <array>
#include <memory>

#include "model/graph_axe.h"

// The three axes of a diagram filling an 800 x 700 image, as a repaint and a
// fit of the graph see them.
namespace {

struct TAxesScene {
  QImage image{800, 700, QImage::Format_RGB32};
  QPainter painter{&image};
  TGraphics g{painter};
  TProjection projection;
  std::array<std::unique_ptr<TGraphAxe>, 3> axes;

  explicit TAxesScene(int32_t count) {
    projection.SetZoom(600);
    projection.SetOrigin({0.15, 0.05});
    for (int p = 0; p < 3; ++p) {
      axes[size_t(p)] = std::make_unique<TGraphAxe>();
      axes[size_t(p)]->SetPosition(TAxePosition(p));
      axes[size_t(p)]->TextLabel().SetText(QString(QChar('C' - p)));
      axes[size_t(p)]->Ticks().SetCount(count);
      axes[size_t(p)]->GridLines().SetCount(count);
    }
  }
};

void BM_DrawAxes(benchmark::State& state) {
  TAxesScene scene(int32_t(state.range(0)));
  for (auto _ : state) {
    scene.image.fill(Qt::white);
    for (const auto& axe : scene.axes) axe->Draw(scene.g, scene.projection);
  }
}
BENCHMARK(BM_DrawAxes)->Arg(11)->Arg(101)->Arg(TAxeElement::kMaxGraduations)->Unit(benchmark::kMillisecond);

// One pass of the graph's fit loop measures the three axes.
void BM_AxesBounds(benchmark::State& state) {
  TAxesScene scene(int32_t(state.range(0)));
  for (auto _ : state) {
    TDoubleRect bounds = scene.axes[0]->GetBounds(scene.g, scene.projection);
    for (size_t p = 1; p < 3; ++p)
      bounds = geometry::UnionDoubleRect(bounds, scene.axes[p]->GetBounds(scene.g, scene.projection));
    benchmark::DoNotOptimize(bounds);
  }
}
BENCHMARK(BM_AxesBounds)->Arg(11)->Arg(101)->Arg(TAxeElement::kMaxGraduations)->Unit(benchmark::kMicrosecond);

}  // namespace

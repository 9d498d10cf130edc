// What a legend and free texts add to a repaint: an 800 x 600 control with 20
// points series drawn with and without a legend listing them all and 200
// annotations. Target: at most 20 ms more than without them.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "control/graph_control.h"
#include "model/annotation_list.h"
#include "model/points_serie.h"

namespace {

void Fill(TGraphControl& control, bool labelled) {
  TControlUpdateScope scope(control);
  TGraph& graph = control.Graph();
  for (int s = 0; s < 20; ++s) {
    auto serie = std::make_unique<TPointsSerie>();
    serie->SetName(QStringLiteral("Series %1").arg(s));
    for (int i = 0; i < 10; ++i) serie->Items().Add({0.05 * i, 0.02 * s, 1 - 0.05 * i - 0.02 * s});
    graph.AddSerie(std::move(serie));
  }
  if (!labelled) return;
  control.Legend().SetVisible(true);
  for (int i = 0; i < 200; ++i) {
    auto note = std::make_unique<TAnnotation>();
    note->SetText(QStringLiteral("Note %1").arg(i));
    note->SetPosition({0.005 * i, 0.3, 0.7 - 0.005 * i});
    note->SetAngle(float(i % 90));
    graph.Annotations().Add(std::move(note));
  }
}

void BM_Redraw(benchmark::State& state) {
  TGraphControl control;
  control.resize(800, 600);
  control.show();  // the drawing context comes with the first resize
  QApplication::processEvents();
  Fill(control, state.range(0) != 0);
  control.Redraw();
  for (auto _ : state) control.Redraw();
}
BENCHMARK(BM_Redraw)->ArgName("legend_and_texts")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

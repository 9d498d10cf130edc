// Recording a million filled and outlined 5-pixel squares at random places
// of an 800 x 800 picture into an EMF+ dual metafile and writing the file, as
// the EMF export of a large points series does.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <random>
#include <vector>

#include "emf/emf_recorder.h"
#include "geometry/graphics.h"
#include "vector_device/shape_merging_device.h"

namespace {

constexpr int kSide = 800;
constexpr int kSquareCount = 1'000'000;
constexpr double kSquareSize = 5;

const std::vector<QRectF>& Squares() {
  static const std::vector<QRectF> squares = [] {
    std::vector<QRectF> result;
    result.reserve(kSquareCount);
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> position(0.0, kSide - kSquareSize);
    for (int i = 0; i < kSquareCount; ++i)
      result.emplace_back(position(random), position(random), kSquareSize, kSquareSize);
    return result;
  }();
  return squares;
}

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

// drawSquare paints one square; the file is written to disk in every round.
template <typename DrawSquare>
void Record(benchmark::State& state, DrawSquare drawSquare) {
  const std::vector<QRectF>& squares = Squares();
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("markers.emf"));
  for (auto _ : state) {
    emf::TEmfRecorder recorder(QSize(kSide, kSide));
    {
      // Through the merging device, as the control records its metafiles.
      QPainter target(&recorder);
      vector_device::TShapeMergingDevice merging(target);
      QPainter painter(&merging);
      TGraphics graphics(painter);
      graphics.Clear(0xFFFFFFFF);
      graphics.SetClip(QRect(0, 0, kSide, kSide));
      for (const QRectF& square : squares) drawSquare(graphics, square);
    }
    QString error;
    if (!recorder.SaveToFile(path, &error)) state.SkipWithError(qPrintable(error));
  }
  state.counters["file_MB"] = double(QFileInfo(path).size()) / 1e6;
  state.counters["peak_RSS_MB"] = PeakResidentMegabytes();
  state.SetItemsProcessed(state.iterations() * kSquareCount);
}

// As a filled-square marker draws itself: a fill, then an outline.
void BM_RecordMarkerSquares(benchmark::State& state) {
  const QBrush brush = geometry::MakeBrush(0xFF808080);
  const QPen pen = geometry::MakePen(0xFF000000, 1.0);
  Record(state, [&](TGraphics& graphics, const QRectF& square) {
    graphics.FillRectangle(brush, square);
    graphics.DrawRectangle(pen, square);
  });
}

// One painter call per square with both pen and brush.
void BM_RecordPaintedSquares(benchmark::State& state) {
  const QBrush brush = geometry::MakeBrush(0xFF808080);
  const QPen pen = geometry::MakePen(0xFF000000, 1.0);
  Record(state, [&](TGraphics& graphics, const QRectF& square) {
    QPainter& painter = graphics.Painter();
    painter.setPen(pen);  // the painter ignores an unchanged pen or brush
    painter.setBrush(brush);
    painter.drawRect(square);
  });
}

BENCHMARK(BM_RecordMarkerSquares)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RecordPaintedSquares)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

// Cost of writing an exported picture: the GIF path (palette reduction and
// LZW) against Qt's PNG writer, for a window-sized and a full-HD picture.
#include <benchmark/benchmark.h>

#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>

#include "output/image_encoders.h"
#include "output/palette_image.h"

namespace {

// A diagram-like picture: white, a few flat areas and lines; when rich, the
// lines are anti-aliased and a gradient band pushes it past 256 colours.
QImage MakePicture(int width, int height, bool rich) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.fillRect(QRectF(width * 0.1, height * 0.1, width * 0.3, height * 0.3), QColor(200, 30, 50));
  painter.fillRect(QRectF(width * 0.5, height * 0.1, width * 0.3, height * 0.3), QColor(0x12, 0x34, 0x56));
  if (rich) {
    QLinearGradient gradient(0, 0, width, 0);
    gradient.setColorAt(0, Qt::red);
    gradient.setColorAt(0.5, Qt::green);
    gradient.setColorAt(1, Qt::blue);
    painter.fillRect(QRectF(0, height * 0.7, width, height * 0.1), gradient);
  }
  if (rich) painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 1));
  for (int i = 0; i < 40; ++i)
    painter.drawLine(QPointF(0, i * height / 40.0), QPointF(width, height - i * height / 40.0));
  return image;
}

void Export(benchmark::State& state, const char* mimeType) {
  const QImage picture =
      MakePicture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), state.range(2));
  output::TEncoderClsid clsid;
  output::GetEncoderClsid(mimeType, clsid);
  QTemporaryDir dir;
  const QString path = dir.filePath("picture");
  for (auto _ : state) {
    if (!output::SaveImageWithEncoder(picture, path, clsid)) state.SkipWithError("save failed");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}

void BM_ExportGif(benchmark::State& state) { Export(state, "image/gif"); }
void BM_ExportPng(benchmark::State& state) { Export(state, "image/png"); }

void BM_MakePaletteImage(benchmark::State& state) {
  const QImage picture =
      MakePicture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), state.range(2));
  for (auto _ : state) benchmark::DoNotOptimize(output::MakePaletteImage(picture));
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}

// Arguments: width, height, rich (more than 256 colours).
void Sizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Args({396, 411, 0})->Args({396, 411, 1})->Args({1920, 1080, 0})->Args({1920, 1080, 1});
  benchmark->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ExportGif)->Apply(Sizes);
BENCHMARK(BM_ExportPng)->Apply(Sizes);
BENCHMARK(BM_MakePaletteImage)->Apply(Sizes);

}  // namespace

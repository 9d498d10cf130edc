// A printout against the PDF export of the same diagram: 1,000,000 random
// compositions as 5-pixel filled squares in an 800 x 800 window, printed on
// a PDF printer (A4, high resolution) and exported to PDF. Besides the time,
// each reports peak_MB, how far the process's peak resident memory rose above
// what it held before (the diagram itself). The printout is to take at most
// twice the export's time and memory.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <memory>
#include <random>

#include "control/graph_control.h"
#include "control/graph_export.h"
#include "model/points_serie.h"
#include "peak_memory.h"

namespace {

constexpr int kSide = 800;
constexpr int kPointCount = 1'000'000;
constexpr int kPdfFormat = 9;

TGraphControl& SharedControl() {
  static const std::unique_ptr<TGraphControl> control = [] {
    auto made = std::make_unique<TGraphControl>();
    made->setAttribute(Qt::WA_DontShowOnScreen);
    made->resize(kSide, kSide);
    made->show();
    auto serie = std::make_unique<TPointsSerie>();
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    {
      TUpdateScope batch(*serie);
      serie->Items().SetCapacity(kPointCount);
      for (int i = 0; i < kPointCount; ++i) {
        const double a = uniform(random), b = uniform(random), c = uniform(random);
        serie->Items().Add({a / (a + b + c), b / (a + b + c), c / (a + b + c)});
      }
      serie->LineStyle().SetVisible(false);
      serie->PointStyle().SetSize(5);
    }
    made->Graph().AddSerie(std::move(serie));
    return made;
  }();
  return *control;
}

void BM_ExportPdf(benchmark::State& state) {
  TGraphControl& control = SharedControl();
  const QString path = QDir::temp().filePath(QStringLiteral("print_bench_export.pdf"));
  MeasurePeak(state, [&] { control::Export(control, path, kPdfFormat); });
  QFile::remove(path);
}
BENCHMARK(BM_ExportPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PrintToPdfPrinter(benchmark::State& state) {
  TGraphControl& control = SharedControl();
  const QString path = QDir::temp().filePath(QStringLiteral("print_bench_printout.pdf"));
  MeasurePeak(state, [&] {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    control.Print(printer);
  });
  QFile::remove(path);
}
BENCHMARK(BM_PrintToPdfPrinter)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

// Opens a document of 10,000,000 points in the main window, as the user
// does: read, parse, load, fit and the first paint of the diagram, with the
// progress dialog that appears after half a second. Targets: at most 4 s and
// at most 1 GB. The document is made once with
//   bench/make_points_document.py 10000000 /tmp/varenta-points-10M.xml
// (VARENTA_OPEN_BENCH_DOCUMENT names another). Reports peak_MB, the rise of
// the peak resident memory over the open, and process_peak_MB, the whole
// process's peak (program, window and diagram included).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <memory>

#include "app/main_form.h"
#include "i18n/dictionary.h"
#include "peak_memory.h"

namespace {

QString DocumentPath() {
  const QString path = qEnvironmentVariable("VARENTA_OPEN_BENCH_DOCUMENT");
  return path.isEmpty() ? QStringLiteral("/tmp/varenta-points-10M.xml") : path;
}

void BM_OpenTenMillionPointsInTheWindow(benchmark::State& state) {
  const QString path = DocumentPath();
  if (!QFileInfo::exists(path)) {
    state.SkipWithError("no document: run bench/make_points_document.py 10000000 /tmp/varenta-points-10M.xml");
    return;
  }
  i18n::TDictionary dictionary;
  double peakMegabytes = 0;
  for (auto _ : state) {
    // Each open goes into a new window, as at the program's start.
    state.PauseTiming();
    auto window = std::make_unique<TMainForm>(dictionary);
    window->resize(1000, 800);
    window->show();
    QApplication::processEvents();
    QFile reset(QStringLiteral("/proc/self/clear_refs"));
    if (reset.open(QIODevice::WriteOnly)) reset.write("5");  // the peak starts again from here
    reset.close();
    const long before = StatusKilobytes("VmRSS:");
    state.ResumeTiming();
    window->OpenDocument(path);
    window->repaint();  // the first paint of the whole diagram
    state.PauseTiming();
    peakMegabytes = std::max(peakMegabytes, double(StatusKilobytes("VmHWM:") - before) / 1024.0);
    if (window->GraphControl().Graph().SeriesCount() != 1) state.SkipWithError("the document did not open");
    window.reset();
    state.ResumeTiming();
  }
  state.counters["peak_MB"] = peakMegabytes;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["process_peak_MB"] = double(usage.ru_maxrss) / 1024.0;
}

}  // namespace

BENCHMARK(BM_OpenTenMillionPointsInTheWindow)->Iterations(2)->Unit(benchmark::kSecond)->UseRealTime();

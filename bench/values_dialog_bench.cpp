// The series values dialog over a series of 1,000,000 points: opening it,
// pasting a million lines, normalising, inverting and storing on Ok, each
// timed inside the running dialog and including the grid's repaint. The
// "peak_rss_growth_MB" counter is the peak memory above what the process held
// before the dialog was created (the series itself excluded).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "app/serie_values_form.h"
#include "app/values_grid.h"
#include "model/points_serie.h"
#include "model/value_encoding.h"

namespace {

constexpr int kRowCount = 1'000'000;

std::unique_ptr<TPointsSerie> MakeSerie(int rows) {
  auto serie = std::make_unique<TPointsSerie>();
  std::mt19937 random(42);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  TUpdateScope scope(*serie);
  serie->Items().SetCapacity(rows);
  for (int i = 0; i < rows; ++i) {
    const double a = std::round(unit(random) * 1e4) / 1e4;
    const double b = std::round(unit(random) * (1 - a) * 1e4) / 1e4;
    serie->Items().Add({a * 100, b * 100, (1 - a - b) * 100});
  }
  return serie;
}

QString PastedText(int rows) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::string text;
  text.reserve(size_t(rows) * 60);
  for (int i = 0; i < rows; ++i) {
    for (int column = 0; column < 3; ++column) {
      text += model::FormatFloat(unit(random));
      text += column < 2 ? '\t' : '\r';
    }
    text += '\n';
  }
  return QString::fromStdString(text);
}

long StatusKilobytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::string(field).size()));
  return 0;
}

// Lets the peak-memory mark restart from the present resident size, after
// returning what earlier runs freed.
void ResetPeakMemory() {
  malloc_trim(0);
  std::ofstream("/proc/self/clear_refs") << "5";
}

// Runs the dialog on `serie`; `act` runs once it shows and returns the
// seconds it measured; `closeWith` then closes it. When `timeStore` is set,
// the time from the click on `closeWith` until Execute returns is added.
double RunDialog(TGraphSerie& serie, const std::function<double(TSerieValuesForm&)>& act, const char* closeWith,
                 bool timeStore = false) {
  double seconds = 0;
  QElapsedTimer storing;
  auto form = std::make_unique<TSerieValuesForm>();
  QTimer::singleShot(0, form.get(), [&] {
    seconds = act(*form);
    storing.start();
    form->findChild<QPushButton*>(closeWith)->click();
  });
  form->Execute(serie);
  if (timeStore) seconds += storing.nsecsElapsed() * 1e-9;
  return seconds;
}

// Clicks a toolbar button and repaints the grid, in seconds.
double TimeButton(TSerieValuesForm& form, const char* button) {
  QElapsedTimer timer;
  timer.start();
  form.findChild<QToolButton*>(button)->click();
  form.findChild<TValuesGrid*>("tlValues")->viewport()->repaint();
  return timer.nsecsElapsed() * 1e-9;
}

void SetMemoryCounter(benchmark::State& state, long rssBefore) {
  state.counters["peak_rss_growth_MB"] = double(StatusKilobytes("VmHWM:") - rssBefore) / 1024.0;
}

template <typename Run>
void Measure(benchmark::State& state, Run run) {
  auto serie = MakeSerie(int(state.range(0)));
  long rssBefore = 0;
  bool first = true;
  for (auto _ : state) {
    if (first) {
      ResetPeakMemory();
      rssBefore = StatusKilobytes("VmRSS:");
    }
    state.SetIterationTime(run(*serie));
    if (first) SetMemoryCounter(state, rssBefore);
    first = false;
  }
}

void Open(benchmark::State& state) {
  Measure(state, [](TPointsSerie& serie) {
    QElapsedTimer timer;
    timer.start();
    double seconds = 0;
    TSerieValuesForm form;
    QTimer::singleShot(0, &form, [&] {
      form.repaint();
      seconds = timer.nsecsElapsed() * 1e-9;
      form.reject();
    });
    form.Execute(serie);
    return seconds;
  });
}

void Paste(benchmark::State& state) {
  QGuiApplication::clipboard()->setText(PastedText(int(state.range(0))));
  Measure(state, [](TPointsSerie& serie) {
    return RunDialog(
        serie, [](TSerieValuesForm& form) { return TimeButton(form, "tbbPaste"); }, "btnCancel");
  });
}

void Normalize(benchmark::State& state) {
  Measure(state, [](TPointsSerie& serie) {
    return RunDialog(
        serie, [](TSerieValuesForm& form) { return TimeButton(form, "tbbNormalize"); }, "btnCancel");
  });
}

void Invert(benchmark::State& state) {
  Measure(state, [](TPointsSerie& serie) {
    return RunDialog(
        serie, [](TSerieValuesForm& form) { return TimeButton(form, "tbbInvert"); }, "btnCancel");
  });
}

void Store(benchmark::State& state) {
  Measure(state, [](TPointsSerie& serie) {
    return RunDialog(
        serie, [](TSerieValuesForm&) { return 0.0; }, "btnOk", true);
  });
}

}  // namespace

BENCHMARK(Open)->Arg(kRowCount)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Paste)->Arg(kRowCount)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Normalize)->Arg(kRowCount)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Invert)->Arg(kRowCount)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Store)->Arg(kRowCount)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

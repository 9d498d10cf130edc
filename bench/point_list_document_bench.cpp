// Writes a list of 1,000,000 points into a document in memory and reads it
// back. Run one direction at a time with --benchmark_filter to read its
// peak memory from the "peak_rss_MB" counter.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <random>

#include "control/document_io.h"
#include "model/memory_advice.h"
#include "model/ternary_lists.h"
#include "model/value_encoding.h"
#include "model/xml_document.h"

namespace {

constexpr int kPointCount = 1'000'000;

// Random compositions at full precision (numbers of 15 digits, the worst
// case) or rounded to 4 decimals, like measured or typed values.
void FillRandom(TTernaryPointList& list, bool rounded) {
  std::mt19937 random(42);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  auto round = [rounded](double v) { return rounded ? std::round(v * 1e4) / 1e4 : v; };
  TUpdateScope scope(list);
  for (int i = 0; i < kPointCount; ++i) {
    const double a = round(unit(random));
    const double b = round(unit(random) * (1 - a));
    list.Add({a, b, round(1 - a - b)});
  }
}

// As a document is saved: the entries streamed into the text, or (for
// comparison) held as nodes first.
std::string WriteList(const TTernaryPointList& list, bool asNodes) {
  pugi::xml_document document;
  model::TStreamedChildren streamed;
  list.SaveToXML(document.append_child("Items"), asNodes ? nullptr : &streamed);
  std::string text;
  model::WriteDocument(document, text, model::TXmlLayout::Indented, &streamed);
  return text;
}

// Resident memory now, with the text still held: what writing adds to the
// loaded list.
double CurrentRssMegabytes() {
  std::ifstream statm("/proc/self/statm");
  double size = 0, resident = 0;
  statm >> size >> resident;
  return resident * double(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

double PeakRssMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024.0;
}

void WritePoints(benchmark::State& state, bool asNodes) {
  TTernaryPointList list;
  FillRandom(list, state.range(0) == 1);
  const double before = CurrentRssMegabytes();
  double above = 0;
  size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = WriteList(list, asNodes);
    above = std::max(above, CurrentRssMegabytes() - before);
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["document_MB"] = double(bytes) / 1e6;
  state.counters["peak_rss_MB"] = PeakRssMegabytes();
  state.counters["above_list_MB"] = above;
}

void BM_WritePointsDocument(benchmark::State& state) { WritePoints(state, false); }
void BM_WritePointsDocumentAsNodes(benchmark::State& state) { WritePoints(state, true); }

// The document text is built directly so that the peak memory counter
// measures the read alone, not the writer's document tree.
std::string PointsDocumentText(bool rounded) {
  std::string text = "<Items>";
  {
    TTernaryPointList source;
    FillRandom(source, rounded);
    char number[model::kMaxFloatLength];
    for (int i = 0; i < source.Count(); ++i) {
      const TTernaryPoint p = source.Get(i);
      text += "<TP>";
      text.append(number, model::FormatFloatTo(number, p.A)) += ';';
      text.append(number, model::FormatFloatTo(number, p.B)) += ';';
      text.append(number, model::FormatFloatTo(number, p.C)) += "</TP>\r\n";
    }
    text += "</Items>";
  }
  return text;
}

// A node per entry, as the parser alone reads the document.
void BM_ReadPointsDocument(benchmark::State& state) {
  const std::string text = PointsDocumentText(state.range(0) == 1);
  for (auto _ : state) {
    // The buffer stands for a file read into memory, parsed in place.
    std::string buffer = text;
    pugi::xml_document document;
    document.load_buffer_inplace(buffer.data(), buffer.size(), model::kParseOptions);
    TTernaryPointList list;
    list.LoadFromXML(document.child("Items"));
    if (list.Count() != kPointCount) state.SkipWithError("points lost");
  }
  state.counters["peak_rss_MB"] = PeakRssMegabytes();
}

// As a document is read: the plain entries straight from the text.
void BM_ReadPointsDocumentPreread(benchmark::State& state) {
  const std::string text = PointsDocumentText(state.range(0) == 1);
  for (auto _ : state) {
    // The copy stands for the file read into memory, as ReadFile reads it.
    QByteArray data(qsizetype(text.size()), Qt::Uninitialized);
    model::AdviseLargeBuffer(data.data(), text.size());
    std::memcpy(data.data(), text.data(), text.size());
    control::TParsedDocument parsed;
    control::ParseDocumentText(std::move(data), QStringLiteral("bench"), parsed);
    TTernaryPointList list;
    list.LoadFromXML(parsed.Document.child("Items"), &parsed.Entries);
    if (list.Count() != kPointCount) state.SkipWithError("points lost");
  }
  state.counters["peak_rss_MB"] = PeakRssMegabytes();
}

// A series' points, and with values=1 a value for each, as a document
// holds them: loading the values should add little to loading the points.
void BM_ReadPointsWithValuesPreread(benchmark::State& state) {
  const bool withValues = state.range(0) == 1;
  std::string text = "<Serie>" + PointsDocumentText(false);
  if (withValues) {
    text += "<Values>";
    char number[model::kMaxFloatLength];
    std::mt19937 random(7);
    std::uniform_real_distribution<double> uniform(0.0, 100.0);
    for (int i = 0; i < kPointCount; ++i) {
      text += "<V>";
      text.append(number, model::FormatFloatTo(number, uniform(random))) += "</V>\r\n";
    }
    text += "</Values>";
  }
  text += "</Serie>";
  for (auto _ : state) {
    // The copy stands for the file read into memory, as ReadFile reads it.
    QByteArray data(qsizetype(text.size()), Qt::Uninitialized);
    model::AdviseLargeBuffer(data.data(), text.size());
    std::memcpy(data.data(), text.data(), text.size());
    control::TParsedDocument parsed;
    control::ParseDocumentText(std::move(data), QStringLiteral("bench"), parsed);
    const pugi::xml_node serie = parsed.Document.child("Serie");
    TTernaryPointList list;
    list.LoadFromXML(serie.child("Items"), &parsed.Entries);
    if (withValues) list.LoadValuesFromXML(serie.child("Values"), &parsed.Entries);
    if (list.Count() != kPointCount || list.HasValues() != withValues) state.SkipWithError("points lost");
  }
}

}  // namespace

BENCHMARK(BM_ReadPointsWithValuesPreread)->ArgName("values")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePointsDocument)->ArgName("rounded")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_WritePointsDocumentAsNodes)->ArgName("rounded")->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadPointsDocument)->ArgName("rounded")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadPointsDocumentPreread)
    ->ArgName("rounded")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

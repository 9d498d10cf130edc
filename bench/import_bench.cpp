// Imports data files the size of real exports: a CSV of 1,000,000 random
// compositions (the data of make_points_document.py, about 27 MB) and an
// XLSX sheet of 100,000, from file to series. The CSV is to take at most 1 s
// and 200 MB above what the process held before (peak_MB); the XLSX at most
// 2 s. Files are written once into the temporary folder.
#include <benchmark/benchmark.h>
#include <zip.h>

#include <QDir>
#include <QFile>
#include <cstdio>
#include <random>
#include <string>

#include "import/column_mapping.h"
#include "import/data_file.h"
#include "import/series_builder.h"
#include "peak_memory.h"

namespace {

// Rows of "a,b,c" as make_points_document.py draws them: uniform in the
// triangle, six significant digits.
template <typename Row>
void RandomCompositions(int count, Row row) {
  std::mt19937 random(1);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int i = 0; i < count; ++i) {
    double a = unit(random);
    double b = unit(random);
    if (a + b > 1) a = 1 - a, b = 1 - b;
    row(a, b, 1 - a - b);
  }
}

QString CsvFile() {
  static const QString path = [] {
    const QString name = QDir::temp().filePath(QStringLiteral("import_bench_1000000.csv"));
    QFile file(name);
    file.open(QIODevice::WriteOnly);
    std::string chunk = "A,B,C\n";
    char line[96];
    RandomCompositions(1'000'000, [&](double a, double b, double c) {
      chunk.append(line, size_t(std::snprintf(line, sizeof line, "%.6g,%.6g,%.6g\n", a, b, c)));
      if (chunk.size() > (1 << 20)) file.write(chunk.data(), qint64(chunk.size())), chunk.clear();
    });
    file.write(chunk.data(), qint64(chunk.size()));
    return name;
  }();
  return path;
}

QString XlsxFile() {
  static const QString path = [] {
    const QString name = QDir::temp().filePath(QStringLiteral("import_bench_100000.xlsx"));
    std::string sheet =
        "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>A</t></is></c>"
        "<c r=\"B1\" t=\"inlineStr\"><is><t>B</t></is></c><c r=\"C1\" t=\"inlineStr\"><is><t>C</t>"
        "</is></c></row>";
    int row = 1;
    char cells[256];
    RandomCompositions(100'000, [&](double a, double b, double c) {
      ++row;
      sheet.append(cells, size_t(std::snprintf(cells, sizeof cells,
                                               "<row r=\"%d\"><c r=\"A%d\"><v>%.15g</v></c><c r=\"B%d\"><v>%.15g</v>"
                                               "</c><c r=\"C%d\"><v>%.15g</v></c></row>",
                                               row, row, a, row, b, row, c)));
    });
    sheet += "</sheetData></worksheet>";
    const std::string workbook = "<workbook><sheets><sheet name=\"Data\" sheetId=\"1\"/></sheets></workbook>";
    QFile::remove(name);
    zip_t* archive = zip_open(name.toLocal8Bit().constData(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    zip_file_add(archive, "xl/workbook.xml", zip_source_buffer(archive, workbook.data(), workbook.size(), 0), 0);
    zip_file_add(archive, "xl/worksheets/sheet1.xml", zip_source_buffer(archive, sheet.data(), sheet.size(), 0), 0);
    zip_close(archive);
    return name;
  }();
  return path;
}

void Import(benchmark::State& state, const QString& path) {
  int64_t points = 0;
  MeasurePeak(state, [&] {
    const import::TDataTable table = import::ReadDataFile(path);
    const auto mapping = import::DefaultMapping(table, {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")},
                                                QStringLiteral("bench"));
    const import::TImportedSeries imported = import::BuildSeries(table, mapping, QStringLiteral("bench"), {});
    points = imported.Series.front()->Items().Count();
  });
  state.counters["points"] = double(points);
}

void BM_ImportCsv(benchmark::State& state) { Import(state, CsvFile()); }
void BM_ImportXlsx(benchmark::State& state) { Import(state, XlsxFile()); }

BENCHMARK(BM_ImportCsv)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ImportXlsx)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

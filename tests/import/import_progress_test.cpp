#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "import/data_file.h"
#include "import/import_error.h"
#include "import/series_builder.h"

namespace {

// A reason worded in capitals stands for a translation.
QString Upper(const char* text) { return QString::fromUtf8(text).toUpper(); }

// The reason and the frame are worded by the caller's dictionary; the
// arguments are put in as they are, even one that looks like a placeholder.
TEST(ImportError, WordsTheReasonAndKeepsTheArguments) {
  const import::TImportError error(import::TImportFault::NoSuchSheet, QStringLiteral("%2.ods"),
                                   QT_TRANSLATE_NOOP("Program", "it has no sheet %1"), {QStringLiteral("%1")});
  EXPECT_STREQ(error.what(), "Cannot import \"%2.ods\": it has no sheet %1");
  EXPECT_EQ(error.Text(Upper), "CANNOT IMPORT \"%2.ods\": IT HAS NO SHEET %1");
}

// A file of about 10 MB is read in several blocks, each reported in order,
// and a "no" to any report ends the reading or the counting with TCancelled.
TEST(ImportProgress, ReportsInOrderAndStopsWhenTold) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("big.csv"));
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray rows = QByteArray("0.25,0.35,0.4\n").repeated(200000);
    file.write("A,B,C\n");
    for (int i = 0; i < 4; ++i) file.write(rows);
  }
  std::vector<double> reported;
  const model::TProgress::TCallback all = [&](double fraction) { return reported.push_back(fraction), true; };
  const import::TDataTable table = import::ReadDataFile(path, {}, nullptr, model::TProgress(all));
  const size_t readingReports = reported.size();
  import::BuildSeries(table, {{ 0, 1, 2 }}, QStringLiteral("big"), QStringLiteral("big.csv"), model::TProgress(all));
  EXPECT_GE(readingReports, 4u);
  EXPECT_GE(reported.size() - readingReports, 10u);  // 800,000 rows
  EXPECT_TRUE(std::is_sorted(reported.begin(), reported.begin() + long(readingReports)));

  for (size_t stopAt : {size_t(0), readingReports - 1, readingReports + 3}) {
    size_t calls = 0;
    const model::TProgress::TCallback stop = [&](double) { return calls++ != stopAt; };
    EXPECT_THROW(
        {
          const import::TDataTable read = import::ReadDataFile(path, {}, nullptr, model::TProgress(stop));
          import::BuildSeries(read, {{ 0, 1, 2 }}, QString(), QString(), model::TProgress(stop));
        },
        model::TCancelled)
        << stopAt;
  }
}

}  // namespace

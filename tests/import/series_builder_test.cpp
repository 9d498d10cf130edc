#include "import/series_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "import/delimited_reader.h"
#include "import/import_error.h"
#include "import/series_palette.h"

namespace {

::import::TDataTable Table(const std::string& text) {
  return import::ReadDelimited(text, import::DetectDelimitedFormat(text), QStringLiteral("t.csv"));
}

const std::array<QString, 3> kDefaultTitles = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};

TEST(ColumnMapping, DefaultsToTheAxisTitlesElseTheFirstNumericColumns) {
  const std::array<QString, 3> soil = {QStringLiteral("sand"), QStringLiteral(" Silt"), QStringLiteral("CLAY")};
  const struct {
    std::string Text;
    std::array<QString, 3> Titles;
    std::array<int, 3> Columns;
  } cases[] = {
      {"Site,Clay,Silt,Sand\nx,1,2,3\n", soil, {3, 2, 1}},
      {"Site,Clay,Silt,Sand\nx,1,2,3\n", kDefaultTitles, {1, 2, 3}},
      {"Id,Site,p,q,r,s\n1,x,1,2,3,4\n2,y,5,6,7,8\n", kDefaultTitles, {0, 2, 3}},
      {"Sand,Silt,Sand,Clay\n1,2,3,4\n", soil, {0, 1, 3}},
  };
  for (const auto& test : cases)
    EXPECT_EQ(import::DefaultMapping(Table(test.Text), test.Titles, QStringLiteral("t")).Components, test.Columns)
        << test.Text;
}

TEST(ColumnMapping, FindsColumnsByHeaderOrNumber) {
  const import::TDataTable table = Table("Site,Sand,Silt\nx,1,2\n");
  const std::pair<const char*, int> cases[] = {{"silt", 2}, {"Site", 0}, {"2", 1}, {"4", -1}, {"0", -1}, {"Clay", -1}};
  for (const auto& [name, column] : cases)
    EXPECT_EQ(import::FindColumn(table, QString::fromUtf8(name)), column) << name;
}

TEST(SeriesBuilder, SkipsAndListsRowsWithoutAComposition) {
  const import::TDataTable table = Table("a,b,c\n1,2,3\n,2,3\n1,x,3\n1,-2,3\n0,0,0\n1,2\n4,5,6\n");
  import::TColumnMapping mapping = import::DefaultMapping(table, kDefaultTitles, QStringLiteral("t"));
  const import::TImportedSeries imported = import::BuildSeries(table, mapping, QStringLiteral("samples"), {});
  ASSERT_EQ(imported.Series.size(), 1u);
  EXPECT_EQ(imported.Series[0]->Name(), QStringLiteral("samples"));
  EXPECT_EQ(imported.Series[0]->Items().Count(), 2);
  EXPECT_EQ(imported.Report.Text(), QStringLiteral("7 rows, 5 skipped (lines 3, 4, 5, 6, 7)"));
}

TEST(SeriesBuilder, ReportsTwentyLinesThenHowManyMore) {
  import::TSkipReport report;
  report.Rows = 1234;
  for (int64_t line = 2; line < 27; ++line) report.Skip(line);
  EXPECT_EQ(report.Text(), QStringLiteral("1,234 rows, 25 skipped (lines 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, "
                                          "14, 15, 16, 17, 18, 19, 20, 21 and 5 more)"));
  import::TSkipReport one;
  one.Rows = 1;
  one.Skip(9);
  EXPECT_EQ(one.Text(), QStringLiteral("1 rows, 1 skipped (line 9)"));
}

TEST(SeriesBuilder, ClosesRowsToASumOfOneOnlyWhenAsked) {
  const import::TDataTable table = Table("a,b,c\n1,1,2\n");
  for (const bool close : {false, true}) {
    import::TColumnMapping mapping = import::DefaultMapping(table, kDefaultTitles, QStringLiteral("t"));
    mapping.Close = close;
    const import::TImportedSeries imported = import::BuildSeries(table, mapping, {}, {});
    const TTernaryPoint expected = close ? TTernaryPoint{0.25, 0.25, 0.5} : TTernaryPoint{1, 1, 2};
    EXPECT_EQ(imported.Series[0]->Items().Get(0), expected) << close;
  }
}

TEST(SeriesBuilder, GroupsRowsIntoSeriesWithDistinctMarkers) {
  const import::TDataTable table = Table("Site,a,b,c\nWest,1,2,3\nEast,1,1,1\nWest,4,5,6\n,1,1,1\n3,1,1,1\n");
  import::TColumnMapping mapping = import::DefaultMapping(table, kDefaultTitles, QStringLiteral("t"));
  mapping.Group = 0;
  const import::TImportedSeries imported = import::BuildSeries(table, mapping, QStringLiteral("file"), {});
  std::vector<std::pair<QString, int>> series;
  std::set<std::pair<int, uint32_t>> markers;
  for (const auto& serie : imported.Series) {
    series.emplace_back(serie->Name(), serie->Items().Count());
    markers.emplace(serie->PointStyle().DotType(), serie->PointStyle().FillColor());
    EXPECT_FALSE(serie->LineStyle().Visible());
  }
  const std::vector<std::pair<QString, int>> expected = {{QStringLiteral("West"), 2},
                                                         {QStringLiteral("East"), 1},
                                                         {QStringLiteral("(none)"), 1},
                                                         {QStringLiteral("3"), 1}};
  EXPECT_EQ(series, expected);
  EXPECT_EQ(markers.size(), expected.size());
}

// The value column fills each point's value, in its group's series; a cell
// that is no number leaves its point without one; without the column the
// series has no values.
TEST(SeriesBuilder, TheValueColumnFillsThePointsValues) {
  const import::TDataTable table = Table("Site,a,b,c,v\nWest,1,2,3,7.5\nEast,1,1,1,x\nWest,4,5,6,\nEast,1,1,1,-2\n");
  import::TColumnMapping mapping = import::DefaultMapping(table, kDefaultTitles, QStringLiteral("t"));
  mapping.Components = {1, 2, 3};
  mapping.Group = 0;
  const import::TImportedSeries none = import::BuildSeries(table, mapping, {}, {});
  EXPECT_FALSE(none.Series[0]->Items().HasValues());
  mapping.Value = 4;
  const import::TImportedSeries imported = import::BuildSeries(table, mapping, {}, {});
  ASSERT_EQ(imported.Series.size(), 2u);
  const TTernaryPointList& west = imported.Series[0]->Items();
  const TTernaryPointList& east = imported.Series[1]->Items();
  EXPECT_EQ(west.Value(0), 7.5);
  EXPECT_TRUE(std::isnan(west.Value(1)));
  EXPECT_TRUE(std::isnan(east.Value(0)));
  EXPECT_EQ(east.Value(1), -2.0);
}

TEST(SeriesBuilder, EveryPaletteEntryDiffers) {
  std::set<std::pair<int, uint32_t>> markers;
  for (int index = 0; index < import::kDistinctGroups; ++index) {
    TPointsSerie serie;
    import::StyleGroupSerie(serie, index);
    markers.emplace(serie.PointStyle().DotType(), serie.PointStyle().LineColor());
  }
  EXPECT_EQ(markers.size(), size_t(import::kDistinctGroups));
}

TEST(SeriesBuilder, RefusesTablesWithoutUsableColumnsOrRows) {
  const std::pair<std::string, import::TImportFault> cases[] = {
      {"Site,Name\nx,y\n", import::TImportFault::NoNumericColumns},
      {"a,b,c\n", import::TImportFault::NoUsableRow},  // a header only
      {"a,b\n1,2\n", import::TImportFault::NoNumericColumns},
      {"a,b,c\n-1,2,3\n0,0,0\n", import::TImportFault::NoUsableRow},
  };
  for (const auto& [text, fault] : cases) {
    try {
      const import::TDataTable table = Table(text);
      import::BuildSeries(table, import::DefaultMapping(table, kDefaultTitles, QStringLiteral("t")), {}, {});
      ADD_FAILURE() << text;
    } catch (const import::TImportError& error) {
      EXPECT_EQ(error.Fault(), fault) << text;
    }
  }
}

}  // namespace

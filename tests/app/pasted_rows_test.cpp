#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <limits>
#include <vector>

#include "app/cell_numbers.h"
#include "app/pasted_rows.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct TPasteCase {
  const char* name;
  const char* text;
  int columns;
  std::vector<std::vector<double>> rows;  // the filled cells of each row
};

void PrintTo(const TPasteCase& c, std::ostream* os) { *os << c.name; }

class PastedRowsTest : public ::testing::TestWithParam<TPasteCase> {};

TEST_P(PastedRowsTest, SplitsLinesAndFieldsIntoRowsOfNumbers) {
  const TPasteCase& c = GetParam();
  const app::TPastedRows rows = app::ParsePastedRows(c.text, c.columns);
  ASSERT_EQ(rows.RowCount(), int64_t(c.rows.size()));
  for (size_t row = 0; row < c.rows.size(); ++row) {
    ASSERT_EQ(rows.filled[row], c.rows[row].size()) << "row " << row;
    for (size_t cell = 0; cell < size_t(c.columns); ++cell) {
      const double actual = rows.values[row * size_t(c.columns) + cell];
      const double expected = cell < c.rows[row].size() ? c.rows[row][cell] : 0.0;
      if (std::isnan(expected))
        EXPECT_TRUE(std::isnan(actual)) << "row " << row << " cell " << cell;
      else
        EXPECT_EQ(actual, expected) << "row " << row << " cell " << cell;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    FieldRules, PastedRowsTest,
    ::testing::Values(TPasteCase{"CommaIsADecimalPoint", "1,5 2 3\r\n4 5 6", 3, {{1.5, 2, 3}, {4, 5, 6}}},
                      TPasteCase{"EightNumbersIntoLinesFillSix", "1 2 3 4 5 6 7 8", 6, {{1, 2, 3, 4, 5, 6}}},
                      TPasteCase{"EightNumbersIntoPointsFillThree", "1 2 3 4 5 6 7 8", 3, {{1, 2, 3}}},
                      TPasteCase{"TwoTabsAreOneSeparator", "1\t\t2", 3, {{1, 2}}},
                      TPasteCase{"LeadingBlanksAndControlsAreSkipped",
                                 " \t\x01 7\x02"
                                 "8",
                                 3,
                                 {{7, 8}}},
                      TPasteCase{"CrLfCrAndLfEndLines", "1\r2\n3\r\n4", 3, {{1}, {2}, {3}, {4}}},
                      TPasteCase{"LinesWithoutFieldsMakeNoRow", "\r\n \t\r\n1\n\n", 3, {{1}}},
                      TPasteCase{"WhatDoesNotConvertIsNaN", "abc 1e999 2", 3, {{kNaN, kNaN, 2}}},
                      TPasteCase{"QuotedFieldsHoldBlanks", "\" 2,5 \" \"a\"\"b\" 3", 3, {{2.5, kNaN, 3}}},
                      TPasteCase{"SignsExponentsAndInfinities", "+1 -2e-1 -inf", 3, {{1, -0.2, -kInf}}},
                      TPasteCase{"EmptyText", "", 3, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PastedRows, NeverMoreRowsThanLines) {
  const app::TPastedRows rows = app::ParsePastedRows("1\n\n\"unterminated\n2 3", 3);
  EXPECT_EQ(rows.RowCount(), 3);
  EXPECT_EQ(rows.values.size(), 9u);
}

TEST(CellNumbers, FormatShortestWithTheLocaleSeparator) {
  const QLocale c = QLocale::c();
  const QLocale french(QLocale::French, QLocale::France);
  EXPECT_EQ(app::FormatCellNumber(0.1, c), "0.1");
  EXPECT_EQ(app::FormatCellNumber(1.0 / 3.0, c), "0.333333333333333");
  EXPECT_EQ(app::FormatCellNumber(-2.5e-20, french), "-2,5e-20");
  EXPECT_EQ(app::FormatCellNumber(0.5, french), "0,5");
  EXPECT_EQ(app::FormatCellNumber(kNaN, c), "NAN");
  EXPECT_EQ(app::FormatCellNumber(kInf, c), "INF");
  EXPECT_EQ(app::FormatCellNumber(-kInf, c), "-INF");
}

TEST(CellNumbers, ReadWithTheLocaleThenTheProgramsConversion) {
  const QLocale english(QLocale::English, QLocale::UnitedStates);
  const QLocale french(QLocale::French, QLocale::France);
  struct {
    const QLocale& locale;
    const char* text;
    std::optional<double> value;
  } const cases[] = {
      {english, "1.5", 1.5},       {english, " +2e3 ", 2000.0},    {english, "1,5", std::nullopt},
      {french, "1,5", 1.5},        {french, "1.5", std::nullopt},  {english, "INF", kInf},
      {french, "-inf", -kInf},     {english, "NAN", std::nullopt}, {english, "abc", std::nullopt},
      {english, "", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(app::ReadCellText(QString::fromLatin1(c.text), c.locale), c.value) << c.text;
}

}  // namespace

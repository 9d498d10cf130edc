#include <gtest/gtest.h>

#include "control/auto_hint.h"

using control::FormatAutoHint;

namespace {

const QString kDefaultFormat =
    QStringLiteral("Serie : %SERIE.NAME%\r\nIndex : %ITEM.INDEX%\r\nPoint : (%POINT.A%, %POINT.B%, %POINT.C%)");
const TTernaryPoint kPoint{0.2, 0.3, 0.5};
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

struct HintCase {
  const char* name;
  QString format;
  QString valueFormat;
  QString serieName;
  QString expected;
};

class AutoHintText : public ::testing::TestWithParam<HintCase> {};

}  // namespace

TEST_P(AutoHintText, ReplacesTheFirstOccurrenceOfEachPlaceholderInOrder) {
  const HintCase& c = GetParam();
  EXPECT_EQ(FormatAutoHint(c.format, c.serieName, 0, kPoint, c.valueFormat, kEnglish), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Hints, AutoHintText,
    ::testing::Values(HintCase{"DefaultFormat", kDefaultFormat, "%.3g", "Serie # 1",
                               "Serie : Serie # 1\r\nIndex : 0\r\nPoint : (0.2, 0.3, 0.5)"},
                      HintCase{"SecondOccurrenceStays", "%SERIE.NAME% and %SERIE.NAME%", "%.3g", "S",
                               "S and %SERIE.NAME%"},
                      HintCase{"AbsentPlaceholdersAreSkipped", "only %POINT.C%", "%.3g", "S", "only 0.5"},
                      // An integer conversion cannot take a real number: general format instead.
                      HintCase{"IntegerConversionFallsBack", "%POINT.A% %POINT.B% %POINT.C%", "%d", "S", "0.2 0.3 0.5"},
                      HintCase{"TextConversionFallsBack", "%POINT.A%", "%s", "S", "0.2"},
                      HintCase{"LiteralTextAroundTheValue", "%POINT.A%", "[%5.2f%%]", "S", "[ 0.20%]"},
                      // A replacement is searched again by the placeholders that follow it.
                      HintCase{"NameHoldingAPlaceholder", "%SERIE.NAME%", "%.3g", "x%ITEM.INDEX%", "x0"},
                      HintCase{"CaseMatters", "%serie.name%", "%.3g", "S", "%serie.name%"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AutoHint, IndexIsWrittenInDecimal) {
  EXPECT_EQ(FormatAutoHint(QStringLiteral("%ITEM.INDEX%"), QString(), 12345, kPoint, "%g", kEnglish),
            QStringLiteral("12345"));
}

TEST(AutoHint, NumbersUseTheLocaleDecimalSeparator) {
  const QLocale french(QLocale::French, QLocale::France);
  EXPECT_EQ(FormatAutoHint(QStringLiteral("%POINT.A%/%POINT.B%"), QString(), 0, kPoint, "%.3g", french),
            QStringLiteral("0,2/0,3"));
  EXPECT_EQ(FormatAutoHint(QStringLiteral("%POINT.C%"), QString(), 0, kPoint, "%d", french), QStringLiteral("0,5"));
}

#include <gtest/gtest.h>

#include "model/number_format.h"

using namespace model;

namespace {

const QLocale kEnglish(QLocale::English);
const QLocale kFrench(QLocale::French);

}  // namespace

TEST(NumberFormat, GeneralFormatUsesTheLocaleSeparator) {
  EXPECT_EQ(FormatGeneral(0.25, kEnglish), "0.25");
  EXPECT_EQ(FormatGeneral(0.25, kFrench), "0,25");
  EXPECT_EQ(FormatGeneral(1, kFrench), "1");
  EXPECT_EQ(FormatGeneral(0.1 + 0.2, kEnglish), "0.3");
}

TEST(NumberFormat, AcceptedFormats) {
  const std::tuple<const char*, double, const char*> cases[] = {
      {"%6.3g", 0.30000000000000004, "   0.3"},
      {"%6.3g", 1, "     1"},
      {"%.1f", 0.9, "0.9"},
      {"%.1f", 1, "1.0"},
      {"%.3g", 0.123456, "0.123"},
      {"%e", 1, "1.000000e+00"},
      {"%-8.2F|", 2.5, "2.50    |"},
      {"A = %+.2f %%", 0.5, "A = +0.50 %"},
      {"%%%g%%", 7, "%7%"},
      {"%#g", 1, "1.00000"},
  };
  for (const auto& [format, value, expected] : cases)
    EXPECT_EQ(FormatWithUserFormat(format, value, kEnglish), QString(expected)) << format;
}

TEST(NumberFormat, RefusedFormatsFallBackToGeneral) {
  using namespace std::string_literals;
  for (const std::string& text : {"%d"s, "%s"s, "%n"s, "%x"s, "%p"s, "%g %g"s, "no conversion"s, "%"s, "%123.1f"s,
                                  "%.123f"s, "%*g"s, "%lf"s, "%1$g"s, "%Lg"s, "%\0g"s, "%.1\0f"s}) {
    const QString format = QString::fromStdString(text);
    EXPECT_FALSE(FormatWithUserFormat(format, 0.5, kEnglish).has_value()) << text;
    EXPECT_EQ(FormatValue(format, 0.5, kEnglish), "0.5") << text;
  }
}

TEST(NumberFormat, LocaleSeparatorReplacesOnlyTheNumbersPoint) {
  EXPECT_EQ(FormatWithUserFormat("v. %.2f mol.", 0.5, kFrench), QString("v. 0,50 mol."));
  EXPECT_EQ(FormatValue("%d", 0.5, kFrench), "0,5");
}

TEST(NumberFormat, HugeValuesWithWideFormatsDoNotOverflow) {
  const auto text = FormatWithUserFormat("%99.99f", 1e308, kEnglish);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(text->size(), 309 + 1 + 99);
}

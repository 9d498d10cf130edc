#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>

#include "model/value_encoding.h"

using namespace model;

namespace {

constexpr std::array<std::string_view, 4> kStyles{"fsBold", "fsItalic", "fsUnderline", "fsStrikeout"};

struct IntegerCase {
  const char* text;
  std::optional<int32_t> value;
};

}  // namespace

TEST(ValueEncoding, IntegerConversion) {
  const IntegerCase cases[] = {
      {"42", 42},
      {"  -17", -17},
      {"+8", 8},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},  // out of the signed range
      {"$20", 32},
      {"$ff", 255},
      {"x1F", 31},
      {"X1f", 31},
      {"0x10", 16},
      {"0X10", 16},
      {"$FFFFFFFF", -1},  // a 32-bit pattern
      {"$80FF0000", int32_t(0x80FF0000u)},
      {"$123456789", std::nullopt},  // more than 8 digits
      {"$", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"abc", std::nullopt},
      {"12abc", std::nullopt},
      {"1.5", std::nullopt},
      {"+-3", std::nullopt},
      {"$G1", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseInteger(c.text), c.value) << '"' << c.text << '"';
}

TEST(ValueEncoding, ColoursAreDollarAndEightUpperCaseDigits) {
  EXPECT_EQ(FormatColor(0xFF000000), "$FF000000");
  EXPECT_EQ(FormatColor(0x80ff00ab), "$80FF00AB");
  EXPECT_EQ(FormatColor(0), "$00000000");
  EXPECT_EQ(FormatHex(0xFFFFFF, 4), "$FFFFFF");
  EXPECT_EQ(FormatHex(0, 4), "$0000");
}

TEST(ValueEncoding, FloatsUseFifteenSignificantDigitsAndAPoint) {
  EXPECT_EQ(FormatFloat(1.0), "1");
  EXPECT_EQ(FormatFloat(1.5), "1.5");
  EXPECT_EQ(FormatFloat(0.2), "0.2");
  EXPECT_EQ(FormatFloat(0.1 + 0.2), "0.3");
  EXPECT_EQ(FormatFloat(1e-6), "1e-06");
  EXPECT_EQ(FormatFloat(1e15), "1e+15");
  EXPECT_EQ(FormatFloat(123456789012345.0), "123456789012345");
  EXPECT_EQ(FormatFloat(-0.00001), "-1e-05");
  EXPECT_EQ(FormatFloat(0.0001), "0.0001");
}

TEST(ValueEncoding, FloatsMatchPrintfExactly) {
  // The fast formatter must agree with "%.15g" to the last digit, ties and
  // rounding carries included, across magnitudes.
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::uniform_int_distribution<int> decade(-8, 17);
  std::vector<double> values{0.1 + 0.2,
                             1e-5,
                             9.99999999999999e-6,
                             1e-4,
                             0.5,
                             999999999999999.9,
                             999999999999999.4,
                             1e15,
                             123456789012345.5,
                             0.000123456789012345678,
                             2.5,
                             1.0000000000000002,
                             0.30000000000000004,
                             5e-324,
                             1.7976931348623157e308,
                             -0.0,
                             -1.25};
  for (int i = 0; i < 200000; ++i) values.push_back(unit(random) * std::pow(10.0, decade(random)));
  // Typed-like values with a few decimals, around the short-decimal path's limits.
  for (int i = 0; i < 50000; ++i) {
    const double scale = std::pow(10.0, decade(random) % 7);
    values.push_back(std::round(unit(random) * 1e6 * scale) / scale * (i % 2 ? 1 : -1));
  }
  for (const double edge : {1e-4, 9.9999e-5, 0.00011, 999999999.999999, 1e9, 123456789.123456, 0.000123}) {
    values.push_back(edge);
    values.push_back(-edge);
  }
  char expected[64];
  for (const double value : values) {
    std::snprintf(expected, sizeof expected, "%.15g", value);
    ASSERT_EQ(FormatFloat(value), expected) << std::hexfloat << value;
  }
}

TEST(ValueEncoding, FloatsReadBackWithAPointOnly) {
  for (const double value : {1.5, 0.2, 1e-6, 1e15, -3.25, 0.1 + 0.2, 123456.789})
    EXPECT_DOUBLE_EQ(*ParseFloat(FormatFloat(value)), value) << value;
  EXPECT_EQ(ParseFloat("1,5"), std::nullopt);
  EXPECT_EQ(ParseFloat(" 2.5 "), 2.5);
  EXPECT_EQ(ParseFloat("+2"), 2.0);
  EXPECT_EQ(ParseFloat("1E-6"), 1e-6);
  EXPECT_EQ(ParseFloat(""), std::nullopt);
  EXPECT_EQ(ParseFloat("x"), std::nullopt);
  EXPECT_EQ(ParseFloat("1.5x"), std::nullopt);
  EXPECT_EQ(ParseFloat("inf"), std::nullopt);
  EXPECT_EQ(ParseFloat("nan"), std::nullopt);
  EXPECT_EQ(ParseFloat("1e999"), std::nullopt);
}

// Every decimal reads to the very double the general conversion gives, bit
// for bit, whatever its digits, and what the conversion refuses is refused.
TEST(ValueEncoding, DecimalsReadExactlyAsTheGeneralConversion) {
  std::vector<std::string> texts = {"0",
                                    "-0",
                                    "5.",
                                    ".5",
                                    "-.5",
                                    "1.",
                                    "-",
                                    ".",
                                    "00012.50",
                                    "1..2",
                                    "1.2.3",
                                    "9007199254740993",
                                    "9007199254740992.5",
                                    "0.1234567890123456789012",
                                    "18446744073709551617",
                                    "1-2",
                                    "--1"};
  std::mt19937 random(7);
  for (int i = 0; i < 20000; ++i) {
    std::string text = random() % 4 == 0 ? "-" : "";
    const int whole = int(random() % 8), decimals = int(random() % 24);
    for (int d = 0; d < whole; ++d) text += char('0' + random() % 10);
    if (decimals > 0) text += '.';
    for (int d = 0; d < decimals; ++d) text += char('0' + random() % 10);
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    double expected = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), expected);
    const bool converts = error == std::errc() && end == text.data() + text.size();
    const std::optional<double> value = ParseFloat(text);
    ASSERT_EQ(value.has_value(), converts) << text;
    if (!converts) continue;
    ASSERT_EQ(std::signbit(*value), std::signbit(expected)) << text;
    ASSERT_EQ(*value, expected) << text;
  }
}

TEST(ValueEncoding, Booleans) {
  EXPECT_EQ(FormatBool(true), "True");
  EXPECT_EQ(FormatBool(false), "False");
  const std::pair<const char*, std::optional<bool>> cases[] = {
      {"True", true}, {"TRUE", true}, {"false", false}, {"fAlSe", false},      {"1", true},        {"0", false},
      {"-5", true},   {"$0", false},  {"2.5", true},    {"yes", std::nullopt}, {"", std::nullopt},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseBool(text), value) << text;
}

TEST(ValueEncoding, SetsWriteInDeclarationOrder) {
  EXPECT_EQ(FormatSet(0, kStyles), "[]");
  EXPECT_EQ(FormatSet(0b0101, kStyles), "[fsBold,fsUnderline]");
  EXPECT_EQ(FormatSet(0b1111, kStyles), "[fsBold,fsItalic,fsUnderline,fsStrikeout]");
}

TEST(ValueEncoding, SetsReadLeniently) {
  const std::pair<const char*, std::optional<uint32_t>> cases[] = {
      {"[fsBold,fsItalic]", 0b0011},
      {"fsbold, fsItalic", 0b0011},
      {"  [ FSSTRIKEOUT ]", 0b1000},
      {"[]", 0},
      {"", 0},
      {"fsItalic]fsBold", 0b0011},
      {"[fsBold,fsHeavy]", std::nullopt},
      {"[bold]", std::nullopt},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseSet(text, kStyles), value) << text;
}

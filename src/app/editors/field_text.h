#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// How the editors write numbers into their fields and read them back: the
// user's regional settings, whole numbers in plain decimal.
namespace app {

QString WholeText(int64_t value);
// A single-precision value in its shortest form, so that a width typed as 0.3
// reads back as 0.3 and not as the nearest double's 15 digits.
QString SingleText(float value);
// Nothing when the text is not a whole number.
std::optional<int32_t> ReadWhole(const QString& text);
// Nothing when the text is not a number.
std::optional<double> ReadFraction(const QString& text);

}  // namespace app

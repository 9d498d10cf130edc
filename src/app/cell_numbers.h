#pragma once

#include <QLocale>
#include <QString>
#include <optional>
#include <string_view>

// The numbers of the values grid as the user sees and types them.
namespace app {

// Shortest form with up to 15 significant digits and the locale's decimal
// separator; NAN, INF and -INF for the values that are no finite number.
QString FormatCellNumber(double value, const QLocale& locale);

// Decimal text with "." as separator: blanks around it, a sign and an
// exponent allowed; also INF and -INF in any letter case, so that what the
// grid shows reads back. Anything else, NaN included, fails.
std::optional<double> ParsePointDecimal(std::string_view text);

// A cell's text as a number: the locale's conversion (without thousands
// separators), then ParsePointDecimal with the locale's decimal separator in
// place of the point. Fails for anything else and for NAN.
std::optional<double> ReadCellText(const QString& text, const QLocale& locale);

}  // namespace app

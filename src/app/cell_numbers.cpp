#include "app/cell_numbers.h"

#include <cmath>
#include <limits>

#include "model/value_encoding.h"

namespace app {

namespace {

bool IsInfinityText(std::string_view text) {
  constexpr std::string_view kInf = "INF";
  if (text.size() != kInf.size()) return false;
  for (size_t i = 0; i < kInf.size(); ++i)
    if ((text[i] & ~0x20) != kInf[i]) return false;
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

QString FormatCellNumber(double value, const QLocale& locale) {
  if (std::isnan(value)) return QStringLiteral("NAN");
  if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
  char buffer[model::kMaxFloatLength];
  const char* end = model::FormatFloatTo(buffer, value);
  QString text = QString::fromLatin1(buffer, end - buffer);
  const QString separator = locale.decimalPoint();
  if (separator != QLatin1String(".")) text.replace(QLatin1Char('.'), separator);
  return text;
}

std::optional<double> ParsePointDecimal(std::string_view text) {
  const std::string_view trimmed = Trimmed(text);
  const bool negative = !trimmed.empty() && trimmed.front() == '-';
  const std::string_view unsigned_ = trimmed.substr(!trimmed.empty() && (negative || trimmed.front() == '+'));
  if (IsInfinityText(unsigned_))
    return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  return model::ParseFloat(text);
}

std::optional<double> ReadCellText(const QString& text, const QLocale& locale) {
  QLocale strict = locale;
  strict.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
  bool ok = false;
  const double value = strict.toDouble(text, &ok);
  if (ok && !std::isnan(value)) return value;

  const QString separator = locale.decimalPoint();
  QString pointed = text;
  if (separator != QLatin1String(".")) {
    if (pointed.contains(QLatin1Char('.'))) return std::nullopt;
    pointed.replace(separator, QStringLiteral("."));
  }
  const QByteArray utf8 = pointed.toUtf8();
  return ParsePointDecimal(std::string_view(utf8.constData(), size_t(utf8.size())));
}

}  // namespace app

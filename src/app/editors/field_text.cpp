#include "app/editors/field_text.h"

#include <QLocale>
#include <charconv>

namespace app {

QString WholeText(int64_t value) { return QString::number(value); }

QString SingleText(float value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general);
  QString text = QString::fromLatin1(buffer, result.ptr - buffer);
  const QString separator = QLocale().decimalPoint();
  if (separator != QLatin1String(".")) text.replace(QLatin1Char('.'), separator);
  return text;
}

std::optional<int32_t> ReadWhole(const QString& text) {
  bool ok = false;
  const int32_t value = QLocale().toInt(text.trimmed(), &ok);
  if (!ok) return std::nullopt;
  return value;
}

std::optional<double> ReadFraction(const QString& text) {
  bool ok = false;
  const double value = QLocale().toDouble(text.trimmed(), &ok);
  if (!ok) return std::nullopt;
  return value;
}

}  // namespace app

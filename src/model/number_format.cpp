#include "model/number_format.h"

#include <cctype>
#include <cstdio>
#include <string_view>

#include "model/value_encoding.h"

namespace model {

namespace {

// Replaces the "." of a C-formatted number by the locale's separator.
QString WithDecimalSeparator(std::string_view number, const QLocale& locale) {
  QString text = QString::fromLatin1(number.data(), qsizetype(number.size()));
  const QString separator = locale.decimalPoint();
  if (separator != QLatin1String(".")) text.replace(QLatin1Char('.'), separator);
  return text;
}

struct Conversion {
  size_t begin = 0;  // index of '%'
  size_t end = 0;    // one past the conversion letter
};

// Whether `c` is one of `set`; unlike strchr, a NUL byte in the format is
// never taken for the set's terminator.
bool IsOneOf(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }

// Finds the single floating-point conversion of `format`, or nothing when the
// format holds another conversion, none, or more than one.
std::optional<Conversion> FindSingleConversion(const std::string& format) {
  std::optional<Conversion> found;
  size_t pos = 0;
  while ((pos = format.find('%', pos)) != std::string::npos) {
    if (pos + 1 < format.size() && format[pos + 1] == '%') {
      pos += 2;
      continue;
    }
    if (found) return std::nullopt;
    size_t i = pos + 1;
    while (i < format.size() && IsOneOf(format[i], "-+ #0")) ++i;
    auto digits = [&](size_t& at) {
      const size_t start = at;
      while (at < format.size() && std::isdigit(static_cast<unsigned char>(format[at]))) ++at;
      return at - start;
    };
    if (digits(i) > 2) return std::nullopt;
    if (i < format.size() && format[i] == '.') {
      ++i;
      if (digits(i) > 2) return std::nullopt;
    }
    if (i >= format.size() || !IsOneOf(format[i], "eEfFgG")) return std::nullopt;
    found = Conversion{pos, i + 1};
    pos = i + 1;
  }
  return found;
}

QString LiteralText(std::string_view text) {
  std::string literal(text);
  for (size_t pos = 0; (pos = literal.find("%%", pos)) != std::string::npos; ++pos) literal.erase(pos, 1);
  return QString::fromUtf8(literal.data(), qsizetype(literal.size()));
}

}  // namespace

QString FormatGeneral(double value, const QLocale& locale) { return WithDecimalSeparator(FormatFloat(value), locale); }

std::optional<QString> FormatWithUserFormat(const QString& format, double value, const QLocale& locale) {
  const std::string utf8 = format.toStdString();
  const auto conversion = FindSingleConversion(utf8);
  if (!conversion) return std::nullopt;
  const std::string spec = utf8.substr(conversion->begin, conversion->end - conversion->begin);
  char number[512];
  const int length = std::snprintf(number, sizeof number, spec.c_str(), value);
  if (length < 0 || size_t(length) >= sizeof number) return std::nullopt;
  return LiteralText(std::string_view(utf8).substr(0, conversion->begin)) +
         WithDecimalSeparator(std::string_view(number, size_t(length)), locale) +
         LiteralText(std::string_view(utf8).substr(conversion->end));
}

QString FormatValue(const QString& format, double value, const QLocale& locale) {
  if (auto text = FormatWithUserFormat(format, value, locale)) return *std::move(text);
  return FormatGeneral(value, locale);
}

}  // namespace model

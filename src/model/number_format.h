#pragma once

#include <QLocale>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

// Numbers shown to the user: general format with the user's decimal
// separator, and formats typed by the user or read from a document.
namespace model {

// Like "%.15g" with the locale's decimal separator (the user's by default).
QString FormatGeneral(double value, const QLocale& locale = QLocale());

// Formats one floating-point value with a printf-style format that comes from
// a user or a document. Such a format is untrusted: only literal text, "%%"
// and exactly one conversion of e, E, f, F, g or G (flags, a width and a
// precision of at most two digits each) are accepted. Returns nothing for any
// other format. The decimal point of the number is the locale's.
std::optional<QString> FormatWithUserFormat(const QString& format, double value, const QLocale& locale = QLocale());

// FormatWithUserFormat, falling back to FormatGeneral when the format is refused.
QString FormatValue(const QString& format, double value, const QLocale& locale = QLocale());

}  // namespace model

#include "control/auto_hint.h"

#include <cmath>

#include "model/number_format.h"
#include "model/points_serie.h"

namespace control {

namespace {

void ReplaceFirst(QString& text, QLatin1String placeholder, const QString& value) {
  const qsizetype at = text.indexOf(placeholder);
  if (at >= 0) text.replace(at, placeholder.size(), value);
}

}  // namespace

QString FormatAutoHint(const QString& format, const QString& serieName, int index, const TTernaryPoint& point,
                       const QString& valueFormat, const QLocale& locale) {
  QString hint = format;
  ReplaceFirst(hint, QLatin1String("%SERIE.NAME%"), serieName);
  ReplaceFirst(hint, QLatin1String("%ITEM.INDEX%"), QString::number(index));
  ReplaceFirst(hint, QLatin1String("%POINT.A%"), model::FormatValue(valueFormat, point.A, locale));
  ReplaceFirst(hint, QLatin1String("%POINT.B%"), model::FormatValue(valueFormat, point.B, locale));
  ReplaceFirst(hint, QLatin1String("%POINT.C%"), model::FormatValue(valueFormat, point.C, locale));
  return hint;
}

QString ItemValueSuffix(const TGraphSerie& serie, int index, const QString& label, const QString& valueFormat,
                        const QLocale& locale) {
  const auto* points = dynamic_cast<const TPointsSerie*>(&serie);
  if (!points || !points->Items().HasValues() || index < 0 || index >= points->Items().Count()) return {};
  const double value = points->Items().Value(index);
  if (std::isnan(value)) return {};
  return QStringLiteral(" ") + label + QStringLiteral(" : ") + model::FormatValue(valueFormat, value, locale);
}

}  // namespace control

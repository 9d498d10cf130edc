#include "app/status_text.h"

#include "model/number_format.h"

namespace app {

namespace {

QString Composition(const TTernaryPoint& point, const QString& format, const QLocale& locale) {
  return QStringLiteral("(%1, %2, %3)")
      .arg(model::FormatValue(format, point.A, locale), model::FormatValue(format, point.B, locale),
           model::FormatValue(format, point.C, locale));
}

}  // namespace

QString SerieItemStatus(const QString& serieName, int index, const TTernaryPoint& point, const QLocale& locale) {
  // One pass of arg(): a name holding "%1" stays as it is.
  return QStringLiteral("Serie : \"%1\" [%2] Point : %3")
      .arg(serieName, QString::number(index), Composition(point, QStringLiteral("%.3g"), locale));
}

QString PositionStatus(const TTernaryPoint& point, const QLocale& locale) {
  return Composition(point, QStringLiteral("%.6g"), locale);
}

}  // namespace app

#pragma once

#include <QLocale>
#include <QString>

#include "geometry/ternary_types.h"

class TGraphSerie;

namespace control {

// The automatic hint for a series item: the first occurrence of each of
// %SERIE.NAME%, %ITEM.INDEX%, %POINT.A%, %POINT.B% and %POINT.C% in `format`
// is replaced, in that order, each search running on the text the previous
// replacement left. The components are formatted with `valueFormat`, which
// comes from the user; a format that is refused gives the general format.
QString FormatAutoHint(const QString& format, const QString& serieName, int index, const TTernaryPoint& point,
                       const QString& valueFormat, const QLocale& locale = QLocale());

// What the hint and the status bar add after an item of a points series
// that has a value: " label : " and the value in `valueFormat`; nothing for
// an item without value or of another series. The label is the caller's,
// translated.
QString ItemValueSuffix(const TGraphSerie& serie, int index, const QString& label, const QString& valueFormat,
                        const QLocale& locale = QLocale());

}  // namespace control

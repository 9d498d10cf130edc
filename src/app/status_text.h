#pragma once

#include <QLocale>
#include <QString>

#include "geometry/ternary_types.h"

namespace app {

// The status bar over a series item: the series' name between double
// quotes, the item's index and its composition to three significant digits.
QString SerieItemStatus(const QString& serieName, int index, const TTernaryPoint& point,
                        const QLocale& locale = QLocale());

// The status bar over a free position, inside the triangle or not: the
// composition to six significant digits.
QString PositionStatus(const TTernaryPoint& point, const QLocale& locale = QLocale());

}  // namespace app

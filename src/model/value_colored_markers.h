#pragma once

#include <QPointF>
#include <cstdint>
#include <vector>

class TColorScale;
class TGraphics;
class TPointStyle;

namespace model {

// Draws the markers of a series with each fill taken from its point's
// value through a colour scale. The markers are grouped by palette entry
// (a counting sort) and each group is drawn in one call with its own
// stamp, so a million markers cost about what one colour costs; markers of
// higher entries lie over lower ones. The buffers are kept from one drawing
// to the next.
class TValueColoredMarkers {
 public:
  // `points[i]` stands for item `i * step`, whose value is `values[i * step]`;
  // `values` is null when no item has a value.
  void Draw(TGraphics& g, TPointStyle& style, const TColorScale& scale, const QPointF* points, int count,
            const double* values, int itemCount, int step);

 private:
  std::vector<uint16_t> m_entries;  // the palette entry of each point
  std::vector<QPointF> m_grouped;   // the points, group after group
};

}  // namespace model

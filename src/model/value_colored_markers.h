#pragma once

#include <QPointF>
#include <array>
#include <cstdint>
#include <vector>

class TColorScale;
class TGraphics;
class TPointStyle;

namespace model {

// Draws the markers of a series with each fill taken from its point's
// value through a colour scale. The markers are grouped by palette entry
// (a counting sort), the no-value markers first, then the map's entries
// from low to high, so that markers of higher entries lie over lower ones;
// on a raster image they are stamped in one call with a stamp per colour,
// through the index of the grouping rather than a copy of the points. A
// million markers then cost little more than one colour does, or about two
// and a quarter times as much where the values rise across the diagram, as
// each band of one colour is drawn over the last. The buffers are kept
// from one drawing to the next.
class TValueColoredMarkers {
 public:
  // The groups in the order they are drawn: the no-value markers, then the
  // map's entries from low to high.
  static constexpr int kGroups = 257;
  // Whether every group's stamps on `g` are opaque but for their smoothed
  // edges, so that the groups may be drawn from the top down.
  static bool StampsOpaquely(const TGraphics& g, TPointStyle& style, const TColorScale& scale);
  // `points[i]` stands for item `i * step`, whose value is `values[i * step]`;
  // `values` is null when no item has a value. `valuesVersion` changes with
  // every edit of the values (TTernaryList::Version): the grouping is kept
  // while it, the sampling and the scale stay, so that a pan or a zoom only
  // gathers the points in their groups' order. `topDown`: `g` draws from the
  // top down (TGraphics::TTopDown) with stamps as StampsOpaquely asks; where
  // the markers cannot be stamped in one call, the groups are then drawn
  // from the last to the first, each beneath those before it.
  void Draw(TGraphics& g, TPointStyle& style, const TColorScale& scale, const QPointF* points, int count,
            const double* values, int itemCount, uint64_t valuesVersion, int step, bool topDown = false);

 private:
  // What the grouping was made from.
  struct TGroupingKey {
    const double* values = nullptr;
    int itemCount = -1, count = -1, step = 0;
    uint64_t valuesVersion = 0;
    std::array<uint64_t, 6> scale{};  // its settings, doubles by their bits
    bool operator==(const TGroupingKey&) const = default;
  };
  static TGroupingKey KeyOf(const TColorScale& scale, const double* values, int itemCount, uint64_t valuesVersion,
                            int count, int step);
  void Group(const TColorScale& scale, const double* values, int itemCount, int count, int step);

  TGroupingKey m_key;
  std::vector<uint16_t> m_groups;               // while grouping: the group of each point
  std::vector<int32_t> m_order;                 // the points' indices, group after group
  std::array<int32_t, kGroups + 1> m_starts{};  // where each group starts in m_order
  std::vector<uint32_t> m_fills;                // the fill of each group that has points
  std::vector<uint16_t> m_fillOf;               // the index in m_fills of each grouped point
};

}  // namespace model

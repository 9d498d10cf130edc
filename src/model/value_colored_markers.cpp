#include "model/value_colored_markers.h"

#include <array>
#include <bit>
#include <cassert>
#include <vector>

#include "model/color_scale.h"
#include "model/point_style.h"

namespace model {

namespace {

static_assert(TValueColoredMarkers::kGroups == TColorScale::kPaletteSize, "a group per palette entry");
static_assert(TValueColoredMarkers::kGroups <= 65536, "groups are kept in 16 bits");
int GroupOf(int entry) { return entry == TColorScale::kNoValueIndex ? 0 : entry + 1; }
int EntryOf(int group) { return group == 0 ? TColorScale::kNoValueIndex : group - 1; }

}  // namespace

bool TValueColoredMarkers::StampsOpaquely(const TGraphics& g, TPointStyle& style, const TColorScale& scale) {
  // The map's colours are opaque: one of them stands for all.
  assert(scale.PaletteColor(0) >> 24 == 0xFF);
  return style.StampsOpaquelyFilled(g, scale.PaletteColor(0)) &&
         style.StampsOpaquelyFilled(g, scale.PaletteColor(TColorScale::kNoValueIndex));
}

TValueColoredMarkers::TGroupingKey TValueColoredMarkers::KeyOf(const TColorScale& scale, const double* values,
                                                               int itemCount, uint64_t valuesVersion, int count,
                                                               int step) {
  return {values,
          itemCount,
          count,
          step,
          valuesVersion,
          {uint64_t(scale.ColorMap()), std::bit_cast<uint64_t>(scale.Min()), std::bit_cast<uint64_t>(scale.Max()),
           scale.Logarithmic(), scale.Reversed(), scale.NoValueColor()}};
}

// A counting sort of the points by group, keeping their order within each
// group: the order the markers are drawn in.
void TValueColoredMarkers::Group(const TColorScale& scale, const double* values, int itemCount, int count, int step) {
  // 1. The group of each point, and how many points each group has.
  const TColorScale::TRange range = scale.Range(values, itemCount);
  m_starts.fill(0);
  m_groups.resize(size_t(count));
  for (int i = 0; i < count; ++i) {
    const int entry = values ? scale.PaletteIndex(values[size_t(i) * size_t(step)], range) : TColorScale::kNoValueIndex;
    m_groups[size_t(i)] = uint16_t(GroupOf(entry));
    ++m_starts[size_t(m_groups[size_t(i)]) + 1];
  }
  // 2. Where each group starts, then the points' indices in their groups.
  for (size_t e = 1; e < m_starts.size(); ++e) m_starts[e] += m_starts[e - 1];
  assert(m_starts.back() == count);
  m_order.resize(size_t(count));
  std::array<int32_t, kGroups> next{};
  std::copy(m_starts.begin(), m_starts.end() - 1, next.begin());
  for (int i = 0; i < count; ++i) m_order[size_t(next[m_groups[size_t(i)]]++)] = i;
  m_groups = {};
  // 3. The fills of the groups that have points, and each grouped point's
  // among them, for one call of all the markers.
  m_fills.clear();
  m_fillOf.resize(size_t(count));
  for (int group = 0; group < kGroups; ++group) {
    const int first = m_starts[size_t(group)], end = m_starts[size_t(group) + 1];
    if (first == end) continue;
    std::fill(m_fillOf.begin() + first, m_fillOf.begin() + end, uint16_t(m_fills.size()));
    m_fills.push_back(scale.PaletteColor(EntryOf(group)));
  }
}

void TValueColoredMarkers::Draw(TGraphics& g, TPointStyle& style, const TColorScale& scale, const QPointF* points,
                                int count, const double* values, int itemCount, uint64_t valuesVersion, int step,
                                bool topDown) {
  if (count <= 0 || !style.Visible()) return;
  if (const TGroupingKey key = KeyOf(scale, values, itemCount, valuesVersion, count, step); key != m_key) {
    m_key = {};  // until the grouping is whole
    Group(scale, values, itemCount, count, step);
    m_key = key;
  }
  if (style.StampMarkersFilled(g, points, m_order.data(), count, m_fills, m_fillOf.data())) return;
  // Else a call per group, in order or from the top down, of the points
  // gathered in their groups' order.
  std::vector<QPointF> grouped(static_cast<size_t>(count));
  for (int j = 0; j < count; ++j) grouped[size_t(j)] = points[m_order[size_t(j)]];
  for (int at = 0; at < kGroups; ++at) {
    const int group = topDown ? kGroups - 1 - at : at;
    const int first = m_starts[size_t(group)], size = m_starts[size_t(group) + 1] - first;
    if (size > 0) style.DrawMarkersFilled(g, grouped.data() + first, size, scale.PaletteColor(EntryOf(group)));
  }
}

}  // namespace model

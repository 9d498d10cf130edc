#include "model/value_colored_markers.h"

#include <array>
#include <cassert>

#include "model/color_scale.h"
#include "model/point_style.h"

namespace model {

void TValueColoredMarkers::Draw(TGraphics& g, TPointStyle& style, const TColorScale& scale, const QPointF* points,
                                int count, const double* values, int itemCount, int step) {
  if (count <= 0 || !style.Visible()) return;
  static_assert(TColorScale::kPaletteSize <= 65536, "entries are kept in 16 bits");
  // 1. The entry of each point, and how many points each entry has.
  const TColorScale::TRange range = scale.Range(values, itemCount);
  std::array<int, TColorScale::kPaletteSize + 1> starts{};
  m_entries.resize(size_t(count));
  for (int i = 0; i < count; ++i) {
    const int entry = values ? scale.PaletteIndex(values[size_t(i) * size_t(step)], range) : TColorScale::kNoValueIndex;
    m_entries[size_t(i)] = uint16_t(entry);
    ++starts[size_t(entry) + 1];
  }
  // 2. Where each entry's group starts, then the points in their groups, in
  // their order within each group.
  for (size_t e = 1; e < starts.size(); ++e) starts[e] += starts[e - 1];
  m_grouped.resize(size_t(count));
  std::array<int, TColorScale::kPaletteSize> next{};
  std::copy(starts.begin(), starts.end() - 1, next.begin());
  for (int i = 0; i < count; ++i) m_grouped[size_t(next[m_entries[size_t(i)]]++)] = points[i];
  // 3. No-value markers first, then the map's entries from low to high.
  const auto drawGroup = [&](int entry) {
    const int first = starts[size_t(entry)];
    const int size = starts[size_t(entry) + 1] - first;
    if (size > 0) style.DrawMarkersFilled(g, m_grouped.data() + first, size, scale.PaletteColor(entry));
  };
  drawGroup(TColorScale::kNoValueIndex);
  for (int entry = 0; entry < TColorScale::kNoValueIndex; ++entry) drawGroup(entry);
  assert(starts.back() == count);
}

}  // namespace model

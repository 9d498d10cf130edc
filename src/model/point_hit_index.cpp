#include "model/point_hit_index.h"

#include <algorithm>

int TPointHitIndex::FindLast(const TTernaryPoint* points, int count, uint64_t version, const THitBox& box) {
  if (version != m_version || count != m_count || points != m_points) {
    Rebuild(points, count);
    m_version = version;
    m_count = count;
    m_points = points;
  }
  for (int run = int(m_runs.size()) - 1; run >= 0; --run) {
    if (!box.Overlaps(m_runs[size_t(run)].low, m_runs[size_t(run)].high)) continue;
    const int first = run * kRunLength;
    for (int i = std::min(count, first + kRunLength) - 1; i >= first; --i)
      if (box.Contains(points[i])) return i;
  }
  return -1;
}

void TPointHitIndex::Rebuild(const TTernaryPoint* points, int count) {
  m_runs.clear();
  for (int first = 0; first < count; first += kRunLength) {
    TRunBounds bounds{points[first], points[first]};
    for (int i = first + 1; i < std::min(count, first + kRunLength); ++i) {
      const TTernaryPoint& p = points[i];
      bounds.low = {std::min(bounds.low.A, p.A), std::min(bounds.low.B, p.B), std::min(bounds.low.C, p.C)};
      bounds.high = {std::max(bounds.high.A, p.A), std::max(bounds.high.B, p.B), std::max(bounds.high.C, p.C)};
    }
    m_runs.push_back(bounds);
  }
}

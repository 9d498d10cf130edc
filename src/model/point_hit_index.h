#pragma once

#include <cstdint>
#include <vector>

#include "model/hit_box.h"

// Finds the last of many points inside a hit box without visiting them all:
// the points are grouped in runs of fixed length whose bounding boxes are
// kept, and only runs whose box overlaps are searched. Rebuilt lazily when
// the points change (told by the list's version).
class TPointHitIndex {
 public:
  // The highest index i < count with box.Contains(points[i]), or -1.
  int FindLast(const TTernaryPoint* points, int count, uint64_t version, const THitBox& box);

 private:
  static constexpr int kRunLength = 512;

  struct TRunBounds {
    TTernaryPoint low;
    TTernaryPoint high;
  };

  void Rebuild(const TTernaryPoint* points, int count);

  std::vector<TRunBounds> m_runs;
  uint64_t m_version = 0;
  int m_count = -1;
  const TTernaryPoint* m_points = nullptr;
};

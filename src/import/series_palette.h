#pragma once

class TPointsSerie;

namespace import {

// Styles the series of group `index` (from 0): markers only, no polyline;
// shape and colour from fixed cycles whose lengths are coprime, so that the
// first kDistinctGroups groups all differ in shape, colour or both, and
// neighbours in both.
void StyleGroupSerie(TPointsSerie& serie, int index);

inline constexpr int kMarkerShapeCount = 8;
inline constexpr int kMarkerColorCount = 7;
inline constexpr int kDistinctGroups = kMarkerShapeCount * kMarkerColorCount;

}  // namespace import

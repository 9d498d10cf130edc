#include "import/series_palette.h"

#include <array>
#include <cstdint>
#include <numeric>

#include "model/points_serie.h"

namespace import {

namespace {

constexpr std::array<TDotType, kMarkerShapeCount> kShapes = {
    dtFilledDot, dtFilledSquare, dtFilledTriUp, dtFilledDiamond, dtFilledTriDown, dtOpenDot, dtOpenSquare, dtCross,
};
// Okabe and Ito's colours, told apart by colour-blind readers too; their
// yellow is left out, too pale on white.
constexpr std::array<uint32_t, kMarkerColorCount> kColors = {
    0xFF0072B2, 0xFFD55E00, 0xFF009E73, 0xFFCC79A7, 0xFFE69F00, 0xFF56B4E9, 0xFF000000,
};
static_assert(std::gcd(kMarkerShapeCount, kMarkerColorCount) == 1, "every pair of shape and colour comes once");
constexpr int32_t kMarkerSize = 6;

}  // namespace

void StyleGroupSerie(TPointsSerie& serie, int index) {
  const auto at = size_t(index < 0 ? 0 : index);
  TUpdateScope scope(serie);
  serie.LineStyle().SetVisible(false);
  TPointStyle& marker = serie.PointStyle();
  marker.SetVisible(true);
  marker.SetSize(kMarkerSize);
  marker.SetDotType(kShapes[at % kShapes.size()]);
  marker.SetLineColor(kColors[at % kColors.size()]);
  marker.SetFillColor(kColors[at % kColors.size()]);
}

}  // namespace import

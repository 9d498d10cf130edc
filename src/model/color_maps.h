#pragma once

#include <QRgb>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// Colour maps: a colour for each number from 0 to 1, read from a table of
// 256 opaque colours. The perceptually uniform maps and the diverging map
// are built once from anchor colours of their published tables, equally
// spaced from 0 to 1, with the colours between them interpolated linearly.
namespace model {

enum class TColorMap : uint8_t { cmViridis, cmCividis, cmMagma, cmInferno, cmPlasma, cmGrey, cmRedBlue };
constexpr int kColorMapCount = 7;
constexpr int kColorMapEntries = 256;

using TColorTable = std::array<QRgb, kColorMapEntries>;

// The 256 colours of `map`, from 0 to 1.
const TColorTable& ColorTable(TColorMap map);
// The entry of `t` in a table: 0 below 0 or for NaN, 255 from 1 on.
int ColorIndex(double t);
inline QRgb MapColor(TColorMap map, double t) { return ColorTable(map)[size_t(ColorIndex(t))]; }

// The name written in documents ("Viridis", "Cividis", ..., "RedBlue"), and
// the map of a name in any letter case.
std::string_view ColorMapName(TColorMap map);
std::optional<TColorMap> ColorMapOfName(std::string_view name);

}  // namespace model

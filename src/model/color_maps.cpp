#include "model/color_maps.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace model {

namespace {

// Colours of the published tables at 0, 1/9, 2/9, ..., 1 (ten anchors), or
// at 0, 0.1, ..., 1 for the diverging map (eleven), as 0xRRGGBB.
constexpr std::initializer_list<uint32_t> kViridis = {0x440154, 0x482878, 0x3E4A89, 0x31688E, 0x26828E,
                                                      0x1F9E89, 0x35B779, 0x6DCD59, 0xB4DE2C, 0xFDE725};
constexpr std::initializer_list<uint32_t> kCividis = {0x00204D, 0x00336F, 0x39486B, 0x575C6D, 0x707173,
                                                      0x8A8779, 0xA69D75, 0xC4B56C, 0xE4CF5B, 0xFFEA46};
constexpr std::initializer_list<uint32_t> kMagma = {0x000004, 0x180F3E, 0x451077, 0x721F81, 0x9F2F7F,
                                                    0xCD4071, 0xF1605D, 0xFD9567, 0xFEC98D, 0xFCFDBF};
constexpr std::initializer_list<uint32_t> kInferno = {0x000004, 0x1B0C42, 0x4B0C6B, 0x781C6D, 0xA52C60,
                                                      0xCF4446, 0xED6925, 0xFB9A06, 0xF7D03C, 0xFCFFA4};
constexpr std::initializer_list<uint32_t> kPlasma = {0x0D0887, 0x47039F, 0x7301A8, 0x9C179E, 0xBD3786,
                                                     0xD8576B, 0xED7953, 0xFA9E3B, 0xFDC926, 0xF0F921};
constexpr std::initializer_list<uint32_t> kGrey = {0x000000, 0xFFFFFF};
// Red for the low end, white in the middle, blue for the high end.
constexpr std::initializer_list<uint32_t> kRedBlue = {0x67001F, 0xB2182B, 0xD6604D, 0xF4A582, 0xFDDBC7, 0xF7F7F7,
                                                      0xD1E5F0, 0x92C5DE, 0x4393C3, 0x2166AC, 0x053061};

struct TMapEntry {
  TColorMap Map;
  const char* Name;
  std::initializer_list<uint32_t> Anchors;
};

// In the order of TColorMap.
const TMapEntry kMaps[] = {
    {TColorMap::cmViridis, "Viridis", kViridis}, {TColorMap::cmCividis, "Cividis", kCividis},
    {TColorMap::cmMagma, "Magma", kMagma},       {TColorMap::cmInferno, "Inferno", kInferno},
    {TColorMap::cmPlasma, "Plasma", kPlasma},    {TColorMap::cmGrey, "Grey", kGrey},
    {TColorMap::cmRedBlue, "RedBlue", kRedBlue},
};
static_assert(std::size(kMaps) == kColorMapCount);

int Channel(uint32_t rgb, int shift) { return int((rgb >> shift) & 0xFF); }

// Entry i lies at i / 255; the anchors at the ends are kept exactly.
TColorTable BuildTable(std::initializer_list<uint32_t> anchors) {
  const std::vector<uint32_t> a(anchors);
  const int spans = int(a.size()) - 1;
  TColorTable table{};
  for (int i = 0; i < kColorMapEntries; ++i) {
    const double position = double(i) * spans / (kColorMapEntries - 1);
    const int low = std::min(int(position), spans - 1);
    const double f = position - low;
    int rgb[3];
    for (int c = 0; c < 3; ++c) {
      const int shift = 16 - 8 * c;
      rgb[c] = int(std::lround(Channel(a[size_t(low)], shift) * (1 - f) + Channel(a[size_t(low) + 1], shift) * f));
    }
    table[size_t(i)] = qRgb(rgb[0], rgb[1], rgb[2]);
  }
  return table;
}

}  // namespace

const TColorTable& ColorTable(TColorMap map) {
  static const std::array<TColorTable, kColorMapCount> tables = [] {
    std::array<TColorTable, kColorMapCount> built{};
    for (const TMapEntry& entry : kMaps) built[size_t(entry.Map)] = BuildTable(entry.Anchors);
    return built;
  }();
  return tables[std::min(size_t(map), tables.size() - 1)];
}

int ColorIndex(double t) {
  if (!(t > 0)) return 0;
  if (t >= 1) return kColorMapEntries - 1;
  return int(t * (kColorMapEntries - 1) + 0.5);
}

std::string_view ColorMapName(TColorMap map) { return kMaps[std::min(size_t(map), std::size(kMaps) - 1)].Name; }

std::optional<TColorMap> ColorMapOfName(std::string_view name) {
  for (const TMapEntry& entry : kMaps) {
    const std::string_view known = entry.Name;
    if (known.size() == name.size() && std::equal(known.begin(), known.end(), name.begin(), [](char a, char b) {
          return std::tolower(uint8_t(a)) == std::tolower(uint8_t(b));
        }))
      return entry.Map;
  }
  return std::nullopt;
}

}  // namespace model

#pragma once

#include <QString>
#include <cmath>
#include <cstdint>
#include <limits>

#include "model/color_maps.h"
#include "model/graph_element.h"

// How the markers of a points series take their fill from the values of
// their points: a colour map over a range of values, linear or logarithmic,
// possibly reversed. Min and Max are NaN when they follow the values.
class TColorScale : public TGraphElement {
 public:
  static constexpr double kAutomatic = std::numeric_limits<double>::quiet_NaN();
  // The palette index of an item without value, after the map's entries.
  static constexpr int kNoValueIndex = model::kColorMapEntries;
  static constexpr int kPaletteSize = model::kColorMapEntries + 1;

  TColorScale() { SetDefaults(); }

  bool Visible() const { return m_visible; }
  void SetVisible(bool visible);
  model::TColorMap ColorMap() const { return m_colorMap; }
  void SetColorMap(model::TColorMap map);
  double Min() const { return m_min; }
  void SetMin(double min);
  double Max() const { return m_max; }
  void SetMax(double max);
  bool Logarithmic() const { return m_logarithmic; }
  void SetLogarithmic(bool logarithmic);
  bool Reversed() const { return m_reversed; }
  void SetReversed(bool reversed);
  uint32_t NoValueColor() const { return m_noValueColor; }
  void SetNoValueColor(uint32_t argb);
  const QString& Title() const { return m_title; }
  void SetTitle(const QString& title);

  // The range the colours span for `values` (NaN for no value): Min and Max
  // where they are set, else the least and greatest value (positive values
  // only on a logarithmic scale). Low > High never; both NaN when there is
  // no value to take them from.
  struct TRange {
    double Low = kAutomatic;
    double High = kAutomatic;
  };
  TRange Range(const double* values, int count) const;
  // The position of `value` on the map, 0 to 1, clamped to the range's
  // ends and reversed as asked; NaN for no value.
  double Position(double value, const TRange& range) const;
  // The palette index of `value`: an entry of the map, or kNoValueIndex.
  int PaletteIndex(double value, const TRange& range) const;
  // The fill of each palette index, as ARGB.
  uint32_t PaletteColor(int index) const;

  // Whether every property has its default, so that the scale is not written.
  bool IsDefault() const;

  void LoadFromXML(pugi::xml_node node) override;
  void SetDefaults() override;
  void SaveToXML(pugi::xml_node node) const override;

 private:
  template <typename T>
  void Set(T& field, const T& value);

  bool m_visible = false;
  model::TColorMap m_colorMap = model::TColorMap::cmViridis;
  double m_min = kAutomatic;
  double m_max = kAutomatic;
  bool m_logarithmic = false;
  bool m_reversed = false;
  uint32_t m_noValueColor = 0xFFC0C0C0;
  QString m_title;
};

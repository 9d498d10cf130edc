#include "model/color_scale.h"

#include <algorithm>
#include <string>

#include "model/property_io.h"
#include "model/value_encoding.h"
#include "model/xml_document.h"

namespace {

// NaN and NaN are the same setting: both follow the values.
bool SameSetting(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }
template <typename T>
bool SameSetting(const T& a, const T& b) {
  return a == b;
}

// An empty element is an automatic end; a number that does not read
// leaves the end as it was.
void ReadEnd(pugi::xml_node node, const char* name, double& field) {
  const std::optional<std::string_view> text = model::ChildText(node, name);
  if (!text) return;
  if (text->find_first_not_of(" \t\r\n") == std::string_view::npos) {
    field = TColorScale::kAutomatic;
  } else if (const std::optional<double> value = model::ParseFloat(*text)) {
    field = *value;
  }
}

void WriteEnd(pugi::xml_node node, const char* name, double value) {
  if (std::isnan(value))
    model::AppendTextElement(node, name, std::string_view());
  else
    model::WriteFloat(node, name, value);
}

}  // namespace

template <typename T>
void TColorScale::Set(T& field, const T& value) {
  if (SameSetting(field, value)) return;
  TUpdateScope scope(*this);
  field = value;
}

void TColorScale::SetVisible(bool visible) { Set(m_visible, visible); }
void TColorScale::SetColorMap(model::TColorMap map) { Set(m_colorMap, map); }
void TColorScale::SetMin(double min) { Set(m_min, std::isfinite(min) ? min : kAutomatic); }
void TColorScale::SetMax(double max) { Set(m_max, std::isfinite(max) ? max : kAutomatic); }
void TColorScale::SetLogarithmic(bool logarithmic) { Set(m_logarithmic, logarithmic); }
void TColorScale::SetReversed(bool reversed) { Set(m_reversed, reversed); }
void TColorScale::SetNoValueColor(uint32_t argb) { Set(m_noValueColor, argb); }
void TColorScale::SetTitle(const QString& title) { Set(m_title, title); }

TColorScale::TRange TColorScale::Range(const double* values, int count) const {
  TRange range{m_min, m_max};
  if (std::isnan(range.Low) || std::isnan(range.High)) {
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (int i = 0; values && i < count; ++i) {
      const double v = values[i];
      if (std::isnan(v) || (m_logarithmic && !(v > 0))) continue;
      low = std::min(low, v);
      high = std::max(high, v);
    }
    if (low <= high) {
      if (std::isnan(range.Low)) range.Low = low;
      if (std::isnan(range.High)) range.High = high;
    }
  }
  if (range.Low > range.High) std::swap(range.Low, range.High);
  return range;
}

double TColorScale::Position(double value, const TRange& range) const {
  if (std::isnan(value)) return kAutomatic;
  double t = 0.5;  // a range of one value puts every value in the middle
  if (m_logarithmic) {
    if (range.Low > 0 && range.High > range.Low)
      t = value > 0 ? (std::log10(value) - std::log10(range.Low)) / (std::log10(range.High) - std::log10(range.Low))
                    : 0.0;
  } else if (range.High > range.Low) {
    t = (value - range.Low) / (range.High - range.Low);
  }
  t = std::clamp(t, 0.0, 1.0);
  return m_reversed ? 1.0 - t : t;
}

int TColorScale::PaletteIndex(double value, const TRange& range) const {
  const double t = Position(value, range);
  return std::isnan(t) ? kNoValueIndex : model::ColorIndex(t);
}

uint32_t TColorScale::PaletteColor(int index) const {
  if (index < 0 || index >= model::kColorMapEntries) return m_noValueColor;
  return model::ColorTable(m_colorMap)[size_t(index)] | 0xFF000000u;
}

bool TColorScale::IsDefault() const {
  const TColorScale defaults;
  return m_visible == defaults.m_visible && m_colorMap == defaults.m_colorMap && SameSetting(m_min, defaults.m_min) &&
         SameSetting(m_max, defaults.m_max) && m_logarithmic == defaults.m_logarithmic &&
         m_reversed == defaults.m_reversed && m_noValueColor == defaults.m_noValueColor && m_title == defaults.m_title;
}

void TColorScale::LoadFromXML(pugi::xml_node node) {
  TUpdateScope scope(*this);
  model::ReadBool(node, "Visible", m_visible);
  if (const std::optional<std::string_view> name = model::ChildText(node, "ColorMap"))
    if (const std::optional<model::TColorMap> map = model::ColorMapOfName(*name)) m_colorMap = *map;
  ReadEnd(node, "Min", m_min);
  ReadEnd(node, "Max", m_max);
  model::ReadBool(node, "Logarithmic", m_logarithmic);
  model::ReadBool(node, "Reversed", m_reversed);
  model::ReadColor(node, "NoValueColor", m_noValueColor);
  model::ReadText(node, "Title", m_title);
}

void TColorScale::SetDefaults() {
  TUpdateScope scope(*this);
  m_visible = false;
  m_colorMap = model::TColorMap::cmViridis;
  m_min = m_max = kAutomatic;
  m_logarithmic = m_reversed = false;
  m_noValueColor = 0xFFC0C0C0;
  m_title.clear();
}

void TColorScale::SaveToXML(pugi::xml_node node) const {
  model::WriteBool(node, "Visible", m_visible);
  model::AppendTextElement(node, "ColorMap", model::ColorMapName(m_colorMap));
  WriteEnd(node, "Min", m_min);
  WriteEnd(node, "Max", m_max);
  model::WriteBool(node, "Logarithmic", m_logarithmic);
  model::WriteBool(node, "Reversed", m_reversed);
  model::WriteColor(node, "NoValueColor", m_noValueColor);
  model::WriteText(node, "Title", m_title);
}

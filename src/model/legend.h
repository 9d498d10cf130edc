#pragma once

#include <memory>

#include "model/graph_font.h"
#include "model/graph_line_style.h"

// Where the legend box goes: inside the graph area at a corner, or outside,
// right of the triangle, in a band taken from the graph area.
enum TLegendPosition : uint8_t {
  lpTopLeft = 0,
  lpTopRight = 1,
  lpBottomLeft = 2,
  lpBottomRight = 3,
  lpOutsideRight = 4
};
constexpr int kLegendPositionCount = 5;

// The key of a diagram: a box listing the visible series, each with its
// legend picture and its name. Hidden by default. A change of its font or
// frame is a change of the legend.
class TLegend : public TGraphElement {
 public:
  static constexpr uint32_t kDefaultBackground = 0xE0FFFFFF;  // slightly translucent white

  TLegend();

  bool Visible() const { return m_visible; }
  void SetVisible(bool visible);
  TLegendPosition Position() const { return m_position; }
  void SetPosition(TLegendPosition position);
  TGraphFont& Font() const { return *m_font; }
  TGraphLineStyle& Frame() const { return *m_frame; }
  uint32_t BackgroundColor() const { return m_backgroundColor; }
  void SetBackgroundColor(uint32_t argb);

  void LoadFromXML(pugi::xml_node node) override;
  void SetDefaults() override;
  void SaveToXML(pugi::xml_node node) const override;

 private:
  bool m_visible = false;
  TLegendPosition m_position = lpTopRight;
  std::unique_ptr<TGraphFont> m_font;
  std::unique_ptr<TGraphLineStyle> m_frame;
  uint32_t m_backgroundColor = kDefaultBackground;
};

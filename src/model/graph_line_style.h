#pragma once

#include <QPen>

#include "model/graph_element.h"

// A simple pen: ARGB colour, dash style and width in world units. Axes, ticks
// and grid lines draw with it.
class TGraphLineStyle : public TGraphElement {
 public:
  TGraphLineStyle();

  float Size() const { return m_size; }
  void SetSize(float size);
  int32_t DashStyle() const { return m_dashStyle; }
  void SetDashStyle(int32_t dashStyle);
  uint32_t Color() const { return m_color; }
  void SetColor(uint32_t argb);

  // A dash style outside the known range draws solid.
  QPen CreatePen() const { return geometry::MakePen(m_color, m_size, m_dashStyle); }

  void LoadFromXML(pugi::xml_node node) override;
  void SetDefaults() override;
  void SaveToXML(pugi::xml_node node) const override;

 private:
  float m_size = 1.0f;
  int32_t m_dashStyle = DashStyleSolid;
  uint32_t m_color = 0xFF000000;
};

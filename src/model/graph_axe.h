#pragma once

#include <memory>

#include "model/axe_element.h"
#include "model/graph_label.h"
#include "model/graph_line_style.h"
#include "model/grid_lines.h"
#include "model/ticks.h"

// One side of the triangle: its line, its title near the start vertex, its
// ticks with their labels and its grid lines. Any change inside the axis,
// including a change of one of its parts, reaches the owner as one change.
class TGraphAxe : public TGraphDrawable {
 public:
  TGraphAxe();

  // When false the axis draws nothing at all, yet its bounds stay the same,
  // so hiding an axis does not change the fit of the diagram.
  bool Visible() const { return m_visible; }
  void SetVisible(bool visible);
  TGraphlabel& TextLabel() const { return *m_textLabel; }
  // The pen of the side line.
  TGraphLineStyle& Style() const { return *m_style; }
  TGridLines& GridLines() const { return *m_gridLines; }
  TTicks& Ticks() const { return *m_ticks; }
  // Gap in pixels between the title and its vertex.
  int32_t LabelSpacing() const { return m_labelSpacing; }
  void SetLabelSpacing(int32_t spacing);
  TAxePosition Position() const { return m_position; }
  // Moves the ticks and grid lines along, with one change notification. A
  // value outside apLeft..apBottom is ignored.
  void SetPosition(TAxePosition position);

  void Draw(TGraphics& g, const TProjection& projection) override;
  TDoubleRect GetBounds(TGraphics& g, const TProjection& projection) override;

  // The "Position" child moves the axis alone: its ticks and grid lines read
  // their own positions from their own fragments.
  void LoadFromXML(pugi::xml_node node) override;
  // Position is kept.
  void SetDefaults() override;
  void SaveToXML(pugi::xml_node node) const override;

 private:
  void DrawTitle(TGraphics& g, const TProjection& projection);
  QRectF TitleRect(TGraphics& g, const QPointF& start) const;

  bool m_visible = true;
  std::unique_ptr<TGraphlabel> m_textLabel;
  std::unique_ptr<TGraphLineStyle> m_style;
  std::unique_ptr<TGridLines> m_gridLines;
  std::unique_ptr<TTicks> m_ticks;
  int32_t m_labelSpacing = 8;
  TAxePosition m_position = apLeft;
};

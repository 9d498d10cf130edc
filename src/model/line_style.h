#pragma once

#include <QPen>
#include <cstdint>
#include <vector>

#include "model/graph_element.h"

// How a series' segments are coloured: one colour, or a gradient that runs
// from the start colour to the end colour along the series.
enum TColorMode : uint8_t { cmSolid = 0, cmGradient = 1 };

namespace model {

// Interpolates each ARGB byte on its own: index * ((end - start) / count) +
// start, rounded to the nearest integer with ties to even. Index 0 gives
// `start`; an index below `count` stops short of `end`. A count below 1 gives
// `start`.
uint32_t InterpolateColor(uint32_t start, uint32_t end, int count, int index);
// InterpolateColor of indices 0 .. n - 1 into colours[0 .. n).
void InterpolateColors(uint32_t start, uint32_t end, int count, int n, uint32_t* colours);

}  // namespace model

// The pen of a series' polyline or segments. The pen is rebuilt whenever the
// style changes, so drawing a segment creates no drawing object.
class TLineStyle : public TGraphElement {
 public:
  TLineStyle();

  float Width() const { return m_width; }
  void SetWidth(float width);
  int32_t DashStyle() const { return m_dashStyle; }
  void SetDashStyle(int32_t dashStyle);
  uint32_t Color() const { return m_color; }
  void SetColor(uint32_t argb);
  bool Visible() const { return m_visible; }
  void SetVisible(bool visible);
  TColorMode ColorMode() const { return m_colorMode; }
  void SetColorMode(TColorMode mode);
  uint32_t EndColor() const { return m_endColor; }
  void SetEndColor(uint32_t argb);

  // Draws one segment; `count` and `index` place it along the series for a
  // gradient. In gradient mode the pen keeps the segment's colour afterwards.
  void DrawSegment(TGraphics& g, const QPointF& from, const QPointF& to, int count, int index);
  // Draws the segments between consecutive points, segment j with index j and
  // `count` as the count, like DrawSegment. A solid pen draws them as one
  // polyline.
  void DrawPolyline(TGraphics& g, const QPointF* points, int count);
  // Whether DrawPolyline writes this many points' pixels directly, as
  // drawing from the top down needs.
  bool DrawsDirectly(const TGraphics& g, int count) const;
  // Recreates the pen from Color, Width and DashStyle.
  void RebuildPen();

  void Changed() override;
  void LoadFromXML(pugi::xml_node node) override;
  void SetDefaults() override;
  void SaveToXML(pugi::xml_node node) const override;

 private:
  // Any mode other than cmGradient draws solid.
  bool IsGradient() const { return m_colorMode == cmGradient; }

  float m_width = 1.0f;
  int32_t m_dashStyle = DashStyleSolid;
  uint32_t m_color = 0xFF000000;
  bool m_visible = true;
  TColorMode m_colorMode = cmSolid;
  uint32_t m_endColor = 0xFF000000;
  QPen m_pen;
  // The colours of the last gradient polyline, for the next repaint.
  std::vector<uint32_t> m_gradient;
  uint32_t m_gradientStart = 0;
  uint32_t m_gradientEnd = 0;
};

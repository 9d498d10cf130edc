#include "model/line_style.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/property_io.h"

namespace model {

namespace {

// One byte of the interpolation, so that one colour and many round alike.
uint32_t InterpolatedByte(int index, double from, double step) {
  // nearbyint rounds half-way values to even in the default rounding mode.
  const double value = std::nearbyint(index * step + from);
  return uint32_t(std::clamp(value, 0.0, 255.0));
}

}  // namespace

uint32_t InterpolateColor(uint32_t start, uint32_t end, int count, int index) {
  if (count < 1) return start;
  uint32_t result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const double from = double((start >> shift) & 0xFF);
    const double to = double((end >> shift) & 0xFF);
    result |= InterpolatedByte(index, from, (to - from) / count) << shift;
  }
  return result;
}

void InterpolateColors(uint32_t start, uint32_t end, int count, int n, uint32_t* colours) {
  if (count < 1) {
    std::fill(colours, colours + std::max(n, 0), start);
    return;
  }
  std::fill(colours, colours + std::max(n, 0), 0u);
  // A million segments: the steps are divided out once, and bytes that do
  // not change are not rounded again.
  for (int shift = 0; shift < 32; shift += 8) {
    const double from = double((start >> shift) & 0xFF);
    const double to = double((end >> shift) & 0xFF);
    const double step = (to - from) / count;
    if (step == 0) {
      const uint32_t constant = InterpolatedByte(0, from, step) << shift;
      for (int i = 0; i < n; ++i) colours[i] |= constant;
      continue;
    }
    for (int i = 0; i < n; ++i) colours[i] |= InterpolatedByte(i, from, step) << shift;
  }
}

}  // namespace model

TLineStyle::TLineStyle() { SetDefaults(); }

void TLineStyle::SetWidth(float width) {
  if (width == m_width) return;
  TUpdateScope scope(*this);
  m_width = width;
}

void TLineStyle::SetDashStyle(int32_t dashStyle) {
  if (dashStyle == m_dashStyle) return;
  TUpdateScope scope(*this);
  m_dashStyle = dashStyle;
}

void TLineStyle::SetColor(uint32_t argb) {
  if (argb == m_color) return;
  TUpdateScope scope(*this);
  m_color = argb;
}

void TLineStyle::SetVisible(bool visible) {
  if (visible == m_visible) return;
  TUpdateScope scope(*this);
  m_visible = visible;
}

void TLineStyle::SetColorMode(TColorMode mode) {
  if (mode == m_colorMode) return;
  TUpdateScope scope(*this);
  m_colorMode = mode;
}

void TLineStyle::SetEndColor(uint32_t argb) {
  if (argb == m_endColor) return;
  TUpdateScope scope(*this);
  m_endColor = argb;
}

void TLineStyle::DrawSegment(TGraphics& g, const QPointF& from, const QPointF& to, int count, int index) {
  if (!m_visible) return;
  if (IsGradient()) m_pen.setColor(geometry::ColorFromArgb(model::InterpolateColor(m_color, m_endColor, count, index)));
  g.DrawLine(m_pen, from, to);
}

void TLineStyle::DrawPolyline(TGraphics& g, const QPointF* points, int count) {
  if (!m_visible || count < 2) return;
  if (!IsGradient()) {
    g.DrawLines(m_pen, points, count);
    return;
  }
  // Segment j takes the colour at j / count of the way, as DrawSegment gives
  // it. Repaints of the same series find the colours ready.
  if (m_gradient.size() != size_t(count - 1) || m_gradientStart != m_color || m_gradientEnd != m_endColor) {
    m_gradient.resize(size_t(count - 1));
    model::InterpolateColors(m_color, m_endColor, count, count - 1, m_gradient.data());
    m_gradientStart = m_color;
    m_gradientEnd = m_endColor;
  }
  g.DrawColoredLines(m_pen, points, count, m_gradient.data());
  m_pen.setColor(geometry::ColorFromArgb(m_gradient.back()));  // the last segment's colour stays on the pen
}

bool TLineStyle::DrawsDirectly(const TGraphics& g, int count) const {
  return m_visible && count >= 2 && g.DrawsLinesDirectly(m_pen, count);
}

void TLineStyle::RebuildPen() { m_pen = geometry::MakePen(m_color, m_width, m_dashStyle); }

void TLineStyle::Changed() {
  // The pen must be ready before a listener repaints.
  RebuildPen();
  TGraphElement::Changed();
}

void TLineStyle::LoadFromXML(pugi::xml_node node) {
  TUpdateScope scope(*this);
  model::ReadColor(node, "Color", m_color);
  uint8_t mode = m_colorMode;
  if (model::ReadByte(node, "ColorMode", mode)) m_colorMode = TColorMode(mode);
  model::ReadColor(node, "EndColor", m_endColor);
  model::ReadInteger(node, "DashStyle", m_dashStyle);
  model::ReadBool(node, "Visible", m_visible);
  model::ReadFloat(node, "Width", m_width);
}

void TLineStyle::SetDefaults() {
  TUpdateScope scope(*this);
  m_color = 0xFF000000;
  m_colorMode = cmSolid;
  m_dashStyle = DashStyleSolid;
  m_visible = true;
  m_width = 1.0f;
  m_endColor = 0xFF000000;
}

void TLineStyle::SaveToXML(pugi::xml_node node) const {
  model::WriteColor(node, "Color", m_color);
  model::WriteInteger(node, "ColorMode", m_colorMode);
  model::WriteColor(node, "EndColor", m_endColor);
  model::WriteInteger(node, "DashStyle", m_dashStyle);
  model::WriteBool(node, "Visible", m_visible);
  model::WriteFloat(node, "Width", m_width);
}

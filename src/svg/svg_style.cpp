#include "svg/svg_style.h"

#include <algorithm>
#include <cmath>

#include "svg/svg_stream.h"
#include "vector_device/vector_device.h"

namespace svg {

namespace {

// A tiny formatter over std::string sharing the stream's number rules.
class TText {
 public:
  TText& operator<<(std::string_view text) {
    m_text.append(text);
    return *this;
  }
  TText& Number(double value, int decimals = 2) {
    AppendNumber(m_text, value, decimals);
    return *this;
  }
  // ` name="value"`
  TText& Attribute(std::string_view name, double value, int decimals = 2) {
    *this << " " << name << "=\"";
    return Number(value, decimals) << "\"";
  }
  std::string Take() { return std::move(m_text); }

 private:
  std::string m_text;
};

std::string Hex(const QColor& color) { return color.name(QColor::HexRgb).toStdString(); }

// Writes ` <name>="#rrggbb"` and its opacity; "none" when nothing shows.
void WritePaint(TText& out, std::string_view name, const QColor& color, double opacity, bool visible) {
  const double alpha = std::clamp(color.alphaF() * opacity, 0.0, 1.0);
  out << " " << name << "=\"";
  if (!visible || alpha <= 0) {
    out << "none\"";
    return;
  }
  out << Hex(color) << "\"";
  if (alpha < 1) out.Attribute(std::string(name) + "-opacity", alpha, 3);
}

void WriteDashes(TText& out, const QPen& pen, double width) {
  if (pen.style() == Qt::SolidLine || pen.style() == Qt::NoPen) return;
  const QList<qreal> pattern = pen.dashPattern();
  if (pattern.isEmpty()) return;
  // Qt's patterns are in pen widths, a width under one counting as one.
  const double unit = std::max(width, 1.0);
  out << " stroke-dasharray=\"";
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    if (i) out << ",";
    out.Number(std::max(pattern[i], 0.0) * unit);
  }
  out << "\"";
  if (pen.dashOffset() != 0) out.Attribute("stroke-dashoffset", pen.dashOffset() * unit);
}

void WriteStroke(TText& out, const QPen& pen, double opacity, double pixelsPerUnit) {
  const bool visible = pen.style() != Qt::NoPen && pen.brush().style() != Qt::NoBrush;
  WritePaint(out, "stroke", vector_device::SolidColor(pen.brush()), opacity, visible);
  if (!visible) return;
  const double width = DeviceWidth(pen, pixelsPerUnit);
  out.Attribute("stroke-width", width);
  WriteDashes(out, pen, width);
  if (pen.capStyle() == Qt::SquareCap) out << " stroke-linecap=\"square\"";
  if (pen.capStyle() == Qt::RoundCap) out << " stroke-linecap=\"round\"";
  if (pen.joinStyle() == Qt::BevelJoin) out << " stroke-linejoin=\"bevel\"";
  if (pen.joinStyle() == Qt::RoundJoin) out << " stroke-linejoin=\"round\"";
  // Qt measures the miter limit from the middle of the line, SVG across it.
  const bool miter = pen.joinStyle() == Qt::MiterJoin || pen.joinStyle() == Qt::SvgMiterJoin;
  if (miter && pen.miterLimit() != 2) out.Attribute("stroke-miterlimit", std::max(1.0, 2 * pen.miterLimit()));
}

}  // namespace

double DeviceWidth(const QPen& pen, double pixelsPerUnit) {
  const double width = pen.widthF();
  if (pen.isCosmetic() || width <= 0) return width > 0 ? width : 1.0;
  return width * pixelsPerUnit;
}

std::string StyleAttributes(const TStyleInput& input) {
  TText out;
  switch (input.kind) {
    case TPaintKind::Area: {
      const bool filled = input.brush.style() != Qt::NoBrush;
      WritePaint(out, "fill", vector_device::SolidColor(input.brush), input.opacity, filled);
      if (filled && input.evenOdd) out << " fill-rule=\"evenodd\"";
      WriteStroke(out, input.pen, input.opacity, input.pixelsPerUnit);
      break;
    }
    case TPaintKind::Outline:
      out << " fill=\"none\"";
      WriteStroke(out, input.pen, input.opacity, input.pixelsPerUnit);
      break;
    case TPaintKind::Text:
      WritePaint(out, "fill", vector_device::SolidColor(input.pen.brush()), input.opacity,
                 input.pen.style() != Qt::NoPen);
      out << " stroke=\"none\"";
      break;
  }
  return out.Take();
}

}  // namespace svg

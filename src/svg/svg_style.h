#pragma once

#include <QBrush>
#include <QPen>
#include <string>

namespace svg {

// What a shape takes from the painter's pen and brush: an area (closed
// shapes), an outline only (lines, polylines), or glyphs filled with the pen.
enum class TPaintKind { Area, Outline, Text };

// Everything the style of one shape depends on, in device pixels.
struct TStyleInput {
  QPen pen;
  QBrush brush;
  double opacity = 1;
  double pixelsPerUnit = 1;  // the painter's scale, for widths that are not cosmetic
  TPaintKind kind = TPaintKind::Area;
  bool evenOdd = false;
};

// The attributes of a <g> holding shapes drawn in that style, e.g.
// ` fill="#ff0000" stroke="#000000" stroke-width="2"`. Gradients and
// patterns are written as the mean colour of their stops.
std::string StyleAttributes(const TStyleInput& input);

// Device pixels wide the pen's line is (zero meaning one device pixel).
double DeviceWidth(const QPen& pen, double pixelsPerUnit);

}  // namespace svg

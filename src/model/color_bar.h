#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <vector>

#include "model/color_scale.h"

class TGraphics;

// The colour bar of a colour scale: a vertical strip of the map, low values
// at the bottom, with the scale's title above it and ticks and labels at
// round values to its right.
namespace model {

// Round values from `low` to `high`: multiples of 1, 2 or 5 times a power of
// ten, about five of them; powers of ten on a logarithmic scale (with 2 and 5
// times them when the range holds fewer than two powers).
std::vector<double> ColorBarTicks(double low, double high, bool logarithmic);

struct TColorBarStyle {
  QFont Font;
  uint32_t TextColor = 0xFF000000;
};

// The width the bar of `scale` takes with its labels and title, in pixels.
double ColorBarWidth(TGraphics& g, const TColorScale& scale, const TColorScale::TRange& range,
                     const TColorBarStyle& style);
// Draws the bar in `box` (as wide as ColorBarWidth, as high as the diagram).
void DrawColorBar(TGraphics& g, const QRectF& box, const TColorScale& scale, const TColorScale::TRange& range,
                  const TColorBarStyle& style);

}  // namespace model

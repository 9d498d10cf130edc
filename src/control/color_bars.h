#pragma once

#include <QRect>

class TControlLabel;
class TGraph;
class TGraphics;

// The colour bars of the series whose colour scale is visible, side by side
// in a column right of the diagram, in the order of the series. They take
// the font of the footer.
namespace control {

// Takes the bars' room from the right of `graphArea` (at most half of it);
// returns the room, empty when there is no bar. Measured at the resolution of
// the control's own picture, which every export copies.
QRect ReserveColorBars(QRect& graphArea, const TGraph& graph, const TControlLabel& font);
void DrawColorBars(TGraphics& g, const QRect& room, const TGraph& graph, const TControlLabel& font);

}  // namespace control

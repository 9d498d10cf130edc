#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

#include "control/control_layout.h"
#include "model/graph.h"
#include "model/legend.h"

// The legend box: what it lists, how large it is, where it goes, and its
// drawing. Sizes are in world units (pixels at the reference resolution),
// like the header and footer bands.
namespace control {

// Margin between the box and the graph area's edges, and inner padding.
constexpr int kLegendMargin = 8;
constexpr int kLegendPadding = 4;

struct TLegendEntry {
  int Index = 0;  // in the graph's list of series
  QString Caption;
};
// The visible series in graph order; an empty name is shown as the index.
std::vector<TLegendEntry> LegendEntries(const TGraph& graph);

// The box's size for the graph's series in the legend's font; empty when no
// series is visible.
QSize LegendSize(const TLegend& legend, const TGraph& graph);

// Places the legend in `layout`, after the colour bars took their room. An
// inside legend sits in its corner of the graph area. An outside one takes a
// band right of the graph area, the diagram shrinking to the rest: beside the
// colour bars, or on top of them in one column when the diagram would keep
// less than half of the width, or else it sits in the top right corner. A
// hidden or empty legend leaves the layout as it is, with an empty Legend
// rectangle.
void PlaceLegend(TControlLayout& layout, const TLegend& legend, const TGraph& graph);

void DrawLegend(TGraphics& g, const TLegend& legend, const TGraph& graph, const QRect& box);

}  // namespace control

#include "control/color_bars.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "control/control_label.h"
#include "geometry/graphics.h"
#include "model/color_bar.h"
#include "model/graph.h"
#include "model/points_serie.h"

namespace control {

namespace {

struct TBar {
  const TPointsSerie* Serie;
  TColorScale::TRange Range;
  int Width;
};

std::vector<TBar> Bars(TGraphics& g, const TGraph& graph, const model::TColorBarStyle& style) {
  std::vector<TBar> bars;
  for (int i = 0; i < graph.SeriesCount(); ++i) {
    const auto* serie = dynamic_cast<const TPointsSerie*>(&graph.GetSerie(i));
    if (!serie || !serie->Visible() || !serie->ColorsByValue()) continue;
    const TTernaryPointList& items = serie->Items();
    const TColorScale::TRange range = serie->ColorScale().Range(items.Values(), items.Count());
    bars.push_back({serie, range, int(std::ceil(model::ColorBarWidth(g, serie->ColorScale(), range, style)))});
  }
  return bars;
}

// The footer's family, size and colour, upright: a footer is often italic,
// which numbers on a scale are not.
model::TColorBarStyle StyleOf(const TGraphics& g, const TControlLabel& label) {
  QFont font = label.Font().CreateFont(g);
  font.setItalic(false);
  font.setBold(false);
  return {font, label.Font().Color()};
}

}  // namespace

QRect ReserveColorBars(QRect& graphArea, const TGraph& graph, const TControlLabel& font) {
  QImage scratch(1, 1, QImage::Format_RGB32);
  QPainter painter(&scratch);
  TGraphics g(painter);
  int width = 0;
  for (const TBar& bar : Bars(g, graph, StyleOf(g, font))) width += bar.Width;
  // The diagram keeps at least half of its width.
  width = std::min(width, graphArea.width() / 2);
  if (width <= 0) return {};
  const QRect room(graphArea.right() + 1 - width, graphArea.top(), width, graphArea.height());
  graphArea.setRight(room.left() - 1);
  return room;
}

void DrawColorBars(TGraphics& g, const QRect& room, const TGraph& graph, const TControlLabel& font) {
  if (room.isEmpty()) return;
  const model::TColorBarStyle style = StyleOf(g, font);
  int left = room.left();
  for (const TBar& bar : Bars(g, graph, style)) {
    if (left + bar.Width > room.right() + 1) break;
    model::DrawColorBar(g, QRectF(left, room.top(), bar.Width, room.height()), bar.Serie->ColorScale(), bar.Range,
                        style);
    left += bar.Width;
  }
}

}  // namespace control

#include "control/legend_layout.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cassert>
#include <cmath>

#include "model/graph_serie.h"

namespace control {
namespace {

// A legend picture is this many text lines wide.
constexpr int kSampleLines = 3;
constexpr int kSampleGap = 6;

struct TLegendMetrics {
  int LineHeight = 0;
  int SampleWidth = 0;
  int TextWidth = 0;
};

TLegendMetrics Measure(TGraphics& g, const TLegend& legend, const std::vector<TLegendEntry>& entries) {
  const QFont font = legend.Font().CreateFont(g);
  TLegendMetrics m;
  m.LineHeight = int(std::ceil(g.MeasureString(QStringLiteral("Xg"), font).height()));
  m.SampleWidth = kSampleLines * m.LineHeight;
  for (const TLegendEntry& entry : entries)
    m.TextWidth = std::max(m.TextWidth, int(std::ceil(g.MeasureString(entry.Caption, font).width())));
  return m;
}

QSize BoxSize(const TLegendMetrics& m, size_t rows) {
  return QSize(2 * kLegendPadding + m.SampleWidth + kSampleGap + m.TextWidth,
               2 * kLegendPadding + int(rows) * m.LineHeight);
}

// A series paints its legend picture in pixels of the image it is given,
// sized like a line of text: the image is one pixel per world unit, and
// the device scales it with the rest of the drawing.
void DrawSample(TGraphics& g, TGraphSerie& serie, const QRect& place) {
  QImage image(place.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  serie.DrawSample(image);
  g.Painter().drawImage(QRectF(place), image);
}

}  // namespace

std::vector<TLegendEntry> LegendEntries(const TGraph& graph) {
  std::vector<TLegendEntry> entries;
  for (int i = 0; i < graph.SeriesCount(); ++i) {
    const TGraphSerie& serie = graph.GetSerie(i);
    if (serie.Visible()) entries.push_back({i, serie.Name().isEmpty() ? QString::number(i) : serie.Name()});
  }
  return entries;
}

QSize LegendSize(const TLegend& legend, const TGraph& graph) {
  const std::vector<TLegendEntry> entries = LegendEntries(graph);
  if (entries.empty()) return {};
  // Measuring needs a device; fonts are sized at the reference resolution on all.
  QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&scratch);
  TGraphics g(painter);
  return BoxSize(Measure(g, legend, entries), entries.size());
}

namespace {

// The shortest colour bar worth drawing below a legend.
constexpr int kLeastBarHeight = 120;

QRect InsideCorner(const QRect& area, TLegendPosition position, const QSize& size) {
  const int m = kLegendMargin;
  const bool left = position == lpTopLeft || position == lpBottomLeft;
  const bool top = position != lpBottomLeft && position != lpBottomRight;
  const int x = left ? area.left() + m : area.right() + 1 - m - size.width();
  const int y = top ? area.top() + m : area.bottom() + 1 - m - size.height();
  return QRect(QPoint(x, y), size);
}

// An outside legend and the colour bars together leave the diagram at least
// half of the width they were taken from. The legend goes beside the bars if
// it can, else on top of them in one column, else in the top right corner
// rather than squeeze the diagram.
void PlaceOutside(TControlLayout& layout, const QSize& size) {
  QRect& area = layout.GraphArea;
  QRect& bars = layout.ColorBars;
  const int m = kLegendMargin;
  const int band = size.width() + 2 * m;
  const int halfWidth = (area.width() + bars.width()) / 2;
  if (band <= halfWidth - bars.width()) {
    area.setRight(area.right() - band);
    const int top = area.top() + std::max(m, (area.height() - size.height()) / 2);
    layout.Legend = QRect(QPoint(area.right() + 1 + m, top), size);
  } else if (!bars.isEmpty() && band <= halfWidth && size.height() + 2 * m + kLeastBarHeight <= bars.height()) {
    const int column = std::max(band, bars.width());
    area.setRight(bars.right() - column);
    layout.Legend = QRect(QPoint(area.right() + 1 + m, area.top() + m), size);
    bars.setLeft(area.right() + 1);
    bars.setTop(layout.Legend.bottom() + 1 + m);
  } else {
    layout.Legend = InsideCorner(area, lpTopRight, size);
  }
  assert(area.width() >= halfWidth);
}

}  // namespace

void PlaceLegend(TControlLayout& layout, const TLegend& legend, const TGraph& graph) {
  layout.Legend = QRect();
  if (!legend.Visible()) return;
  const QSize size = LegendSize(legend, graph);
  if (size.isEmpty()) return;
  if (legend.Position() == lpOutsideRight)
    PlaceOutside(layout, size);
  else
    layout.Legend = InsideCorner(layout.GraphArea, legend.Position(), size);
}

void DrawLegend(TGraphics& g, const TLegend& legend, const TGraph& graph, const QRect& box) {
  const std::vector<TLegendEntry> entries = LegendEntries(graph);
  if (entries.empty() || box.isEmpty()) return;
  const TLegendMetrics m = Measure(g, legend, entries);
  g.FillRectangle(geometry::MakeBrush(legend.BackgroundColor()), QRectF(box));
  const TGraphLineStyle& frame = legend.Frame();
  if ((frame.Color() >> 24) != 0 && frame.Size() > 0) g.DrawRectangle(frame.CreatePen(), QRectF(box));
  const QFont font = legend.Font().CreateFont(g);
  const QBrush brush = legend.Font().Brush();
  int y = box.top() + kLegendPadding;
  for (const TLegendEntry& entry : entries) {
    const int x = box.left() + kLegendPadding;
    DrawSample(g, graph.GetSerie(entry.Index), QRect(x, y, m.SampleWidth, m.LineHeight));
    g.DrawString(entry.Caption, font, brush, QPointF(x + m.SampleWidth + kSampleGap, y));
    y += m.LineHeight;
  }
}

}  // namespace control

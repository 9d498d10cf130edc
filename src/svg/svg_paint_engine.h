#pragma once

#include <QBrush>
#include <QPaintEngine>
#include <QPen>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QTransform>
#include <optional>
#include <string>
#include <vector>

#include "svg/svg_style.h"

namespace svg {

class TSvgStream;

// Streams what a QPainter sends as SVG 1.1 elements in device pixels. Runs of
// shapes drawn in one style share a <g> carrying it; a clip opens a <g>
// around what follows until the clip changes. Coordinates are mapped into the
// device; only text and images under a rotating or shearing transform keep a
// transform attribute.
class TSvgPaintEngine : public QPaintEngine {
 public:
  // A valid `millimetres` is the document's physical width and height.
  TSvgPaintEngine(TSvgStream& stream, QSize size, QSizeF millimetres = QSizeF());

  bool begin(QPaintDevice* device) override;
  bool end() override;
  Type type() const override { return QPaintEngine::User; }
  void updateState(const QPaintEngineState& state) override;

  void drawRects(const QRectF* rects, int rectCount) override;
  void drawRects(const QRect* rects, int rectCount) override;
  void drawLines(const QLineF* lines, int lineCount) override;
  void drawLines(const QLine* lines, int lineCount) override;
  void drawEllipse(const QRectF& rect) override;
  void drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) override;
  void drawPolygon(const QPoint* points, int pointCount, PolygonDrawMode mode) override;
  void drawPath(const QPainterPath& path) override;
  void drawTextItem(const QPointF& baseline, const QTextItem& textItem) override;
  void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
  void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                 Qt::ImageConversionFlags flags = Qt::AutoColor) override;

  bool Finished() const { return m_finished; }

 private:
  // Opens the clip and style groups the next element of that kind needs.
  void Prepare(TPaintKind kind, bool evenOdd = false);
  void UpdateClip(const QPaintEngineState& state);
  void OpenClipGroup();
  void CloseStyleGroup();
  void CloseClipGroup();
  bool KeepsAxes() const;  // the transform only moves and scales
  void WritePoints(const QPointF* points, int count);
  void WritePathData(const QPainterPath& devicePath);
  void WriteTransformAttribute();

  TSvgStream& m_stream;
  QSize m_size;
  QSizeF m_millimetres;
  bool m_started = false;
  bool m_finished = false;

  QTransform m_transform;
  QPen m_pen;
  QBrush m_brush;
  double m_opacity = 1;

  // The style of the open <g>, and the last style computed with its inputs.
  bool m_styleGroupOpen = false;
  std::string m_openStyle;
  std::string m_style;
  bool m_styleValid = false;
  TPaintKind m_styleKind = TPaintKind::Area;
  bool m_styleEvenOdd = false;

  std::optional<QRectF> m_clip;  // device pixels
  bool m_clipEnabled = false;
  bool m_clipDirty = false;
  bool m_clipGroupOpen = false;
  int m_clipCount = 0;

  std::vector<QPointF> m_points;  // reused for integer and mapped polygons
};

}  // namespace svg

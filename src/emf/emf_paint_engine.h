#pragma once

#include <QBrush>
#include <QFont>
#include <QPaintEngine>
#include <QPen>
#include <QRectF>
#include <QTransform>
#include <optional>
#include <vector>

#include "emf/paint_items.h"

namespace emf {

class TMetafileWriter;

// Turns what a QPainter sends into drawing steps of a TMetafileWriter: pens
// and brushes into strokes and fills, clips into device rectangles, text items
// into runs placed on the painter's own baseline and character positions.
// Paths become polygons; gradients and patterns their average colour.
class TEmfPaintEngine : public QPaintEngine {
 public:
  explicit TEmfPaintEngine(TMetafileWriter& writer);

  bool begin(QPaintDevice* device) override;
  bool end() override;
  Type type() const override { return QPaintEngine::User; }
  void updateState(const QPaintEngineState& state) override;

  void drawRects(const QRectF* rects, int rectCount) override;
  void drawRects(const QRect* rects, int rectCount) override;
  void drawLines(const QLineF* lines, int lineCount) override;
  void drawEllipse(const QRectF& rect) override;
  void drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) override;
  void drawPolygon(const QPoint* points, int pointCount, PolygonDrawMode mode) override;
  void drawPath(const QPainterPath& path) override;
  void drawTextItem(const QPointF& baseline, const QTextItem& textItem) override;
  void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
  void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                 Qt::ImageConversionFlags flags = Qt::AutoColor) override;

 private:
  const TStroke* Stroke();
  const TFill* Fill();
  void UpdateClip(const QPaintEngineState& state);
  void DrawPolygon(std::span<const QPointF> points, bool closed, bool winding, const TFill* fill,
                   const TStroke* stroke);

  TMetafileWriter& m_writer;
  QTransform m_transform;
  QPen m_pen;
  QBrush m_brush;
  double m_opacity = 1;
  std::optional<TStroke> m_stroke;  // from m_pen, valid while m_strokeValid
  std::optional<TFill> m_fill;
  bool m_strokeValid = false;
  bool m_fillValid = false;
  std::optional<QRectF> m_clip;  // device pixels, as last set
  bool m_clipEnabled = false;
  std::vector<double> m_offsets;  // reused for every text run
  std::vector<QPointF> m_points;  // reused for integer polygons
};

}  // namespace emf

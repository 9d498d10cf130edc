#include "vector_device/shape_merging_device.h"

#include <QPaintEngine>
#include <QPainterPath>
#include <QPolygonF>
#include <optional>

namespace vector_device {

// Forwards every call to the target painter, holding back a fill without an
// outline until the next call shows whether its outline follows.
class TShapeMergingEngine : public QPaintEngine {
 public:
  explicit TShapeMergingEngine(QPainter& target)
      : QPaintEngine(QPaintEngine::AllFeatures), m_target(target), m_base(target.worldTransform()) {}

  bool begin(QPaintDevice*) override { return m_target.isActive(); }
  bool end() override {
    Flush();
    return true;
  }
  Type type() const override { return QPaintEngine::User; }

  void updateState(const QPaintEngineState& state) override;

  void drawRects(const QRectF* rects, int count) override;
  void drawEllipse(const QRectF& rect) override { Submit({TShape::Ellipse, rect, {}, OddEvenMode, {}}); }
  void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
  void drawPath(const QPainterPath& path) override;
  void drawLines(const QLineF* lines, int count) override;
  void drawPoints(const QPointF* points, int count) override;
  void drawTextItem(const QPointF& position, const QTextItem& item) override;
  void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
  void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                 Qt::ImageConversionFlags flags) override;
  void drawTiledPixmap(const QRectF& target, const QPixmap& pixmap, const QPointF& offset) override;

 private:
  struct TShape {
    enum Kind { Rect, Ellipse, Polygon } ShapeKind;
    QRectF Bounds;
    QPolygonF Points;
    PolygonDrawMode Mode;
    QBrush Fill;

    bool SameGeometry(const TShape& other) const {
      return ShapeKind == other.ShapeKind && Mode == other.Mode && Bounds == other.Bounds && Points == other.Points;
    }
  };

  bool FillsOnly() const { return m_pen.style() == Qt::NoPen && m_brush.style() != Qt::NoBrush; }
  bool OutlinesOnly() const { return m_pen.style() != Qt::NoPen && m_brush.style() == Qt::NoBrush; }
  void Submit(TShape shape);
  void Draw(const TShape& shape);
  void Flush();
  // Gives the target the current pen and brush before a call that is not held back.
  void UseCurrentPenAndBrush();

  QPainter& m_target;
  QTransform m_base;
  QPen m_pen;
  QBrush m_brush;
  std::optional<TShape> m_heldFill;
};

void TShapeMergingEngine::updateState(const QPaintEngineState& state) {
  const DirtyFlags dirty = state.state();
  // Anything but the pen and brush applies from here on: draw the held fill first.
  if (dirty & ~DirtyFlags(DirtyPen | DirtyBrush)) Flush();
  if (dirty & DirtyPen) m_pen = state.pen();
  if (dirty & DirtyBrush) m_brush = state.brush();
  if (dirty & DirtyBrushOrigin) m_target.setBrushOrigin(state.brushOrigin());
  if (dirty & DirtyBackground) m_target.setBackground(state.backgroundBrush());
  if (dirty & DirtyBackgroundMode) m_target.setBackgroundMode(state.backgroundMode());
  if (dirty & DirtyFont) m_target.setFont(state.font());
  if (dirty & DirtyHints) {
    m_target.setRenderHints(QPainter::RenderHints(~0), false);
    m_target.setRenderHints(state.renderHints(), true);
  }
  if (dirty & DirtyCompositionMode) m_target.setCompositionMode(state.compositionMode());
  if (dirty & DirtyOpacity) m_target.setOpacity(state.opacity());
  // The transform first: a clip arrives in the coordinates of the transform sent with it.
  if (dirty & DirtyTransform) m_target.setWorldTransform(state.transform() * m_base);
  if (dirty & DirtyClipRegion) m_target.setClipRegion(state.clipRegion(), state.clipOperation());
  if (dirty & DirtyClipPath) m_target.setClipPath(state.clipPath(), state.clipOperation());
  if (dirty & DirtyClipEnabled) m_target.setClipping(state.isClipEnabled());
}

void TShapeMergingEngine::Submit(TShape shape) {
  if (m_heldFill && OutlinesOnly() && m_heldFill->SameGeometry(shape)) {
    m_target.setPen(m_pen);
    m_target.setBrush(m_heldFill->Fill);
    Draw(shape);
    m_heldFill.reset();
    return;
  }
  Flush();
  if (FillsOnly()) {
    shape.Fill = m_brush;
    m_heldFill = std::move(shape);
    return;
  }
  UseCurrentPenAndBrush();
  Draw(shape);
}

void TShapeMergingEngine::Draw(const TShape& shape) {
  switch (shape.ShapeKind) {
    case TShape::Rect:
      m_target.drawRect(shape.Bounds);
      break;
    case TShape::Ellipse:
      m_target.drawEllipse(shape.Bounds);
      break;
    case TShape::Polygon:
      if (shape.Mode == PolylineMode) {
        m_target.drawPolyline(shape.Points);
      } else if (shape.Mode == ConvexMode) {
        m_target.drawConvexPolygon(shape.Points);
      } else {
        m_target.drawPolygon(shape.Points, shape.Mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
      }
      break;
  }
}

void TShapeMergingEngine::Flush() {
  if (!m_heldFill) return;
  m_target.setPen(Qt::NoPen);
  m_target.setBrush(m_heldFill->Fill);
  Draw(*m_heldFill);
  m_heldFill.reset();
}

void TShapeMergingEngine::UseCurrentPenAndBrush() {
  m_target.setPen(m_pen);
  m_target.setBrush(m_brush);
}

void TShapeMergingEngine::drawRects(const QRectF* rects, int count) {
  for (int i = 0; i < count; ++i) Submit({TShape::Rect, rects[i], {}, OddEvenMode, {}});
}

void TShapeMergingEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) {
  Submit({TShape::Polygon, {}, QPolygonF(QList<QPointF>(points, points + count)), mode, {}});
}

void TShapeMergingEngine::drawPath(const QPainterPath& path) {
  Flush();
  UseCurrentPenAndBrush();
  m_target.drawPath(path);
}

void TShapeMergingEngine::drawLines(const QLineF* lines, int count) {
  Flush();
  UseCurrentPenAndBrush();
  m_target.drawLines(lines, count);
}

void TShapeMergingEngine::drawPoints(const QPointF* points, int count) {
  Flush();
  UseCurrentPenAndBrush();
  m_target.drawPoints(points, count);
}

void TShapeMergingEngine::drawTextItem(const QPointF& position, const QTextItem& item) {
  Flush();
  UseCurrentPenAndBrush();
  // The painter that calls here draws underline and strike-out lines itself.
  QFont font = item.font();
  font.setUnderline(false);
  font.setStrikeOut(false);
  font.setOverline(false);
  m_target.setFont(font);
  m_target.drawText(position, item.text());
}

void TShapeMergingEngine::drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) {
  Flush();
  m_target.drawPixmap(target, pixmap, source);
}

void TShapeMergingEngine::drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                                    Qt::ImageConversionFlags flags) {
  Flush();
  m_target.drawImage(target, image, source, flags);
}

void TShapeMergingEngine::drawTiledPixmap(const QRectF& target, const QPixmap& pixmap, const QPointF& offset) {
  Flush();
  m_target.drawTiledPixmap(target, pixmap, offset);
}

TShapeMergingDevice::TShapeMergingDevice(QPainter& target)
    : TShapeMergingDevice(target, QSize(target.device()->width(), target.device()->height())) {}

TShapeMergingDevice::TShapeMergingDevice(QPainter& target, const QSize& size)
    : m_targetDevice(*target.device()), m_size(size), m_engine(std::make_unique<TShapeMergingEngine>(target)) {}

TShapeMergingDevice::~TShapeMergingDevice() = default;

QPaintEngine* TShapeMergingDevice::paintEngine() const { return m_engine.get(); }

int TShapeMergingDevice::metric(PaintDeviceMetric metric) const {
  const QPaintDevice& device = m_targetDevice;
  switch (metric) {
    case PdmWidth:
      return m_size.width();
    case PdmHeight:
      return m_size.height();
    case PdmWidthMM:
      return device.logicalDpiX() > 0 ? int(m_size.width() * 25.4 / device.logicalDpiX()) : 0;
    case PdmHeightMM:
      return device.logicalDpiY() > 0 ? int(m_size.height() * 25.4 / device.logicalDpiY()) : 0;
    case PdmNumColors:
      return device.colorCount();
    case PdmDepth:
      return device.depth();
    case PdmDpiX:
      return device.logicalDpiX();
    case PdmDpiY:
      return device.logicalDpiY();
    case PdmPhysicalDpiX:
      return device.physicalDpiX();
    case PdmPhysicalDpiY:
      return device.physicalDpiY();
    case PdmDevicePixelRatio:
      return int(device.devicePixelRatio());
    case PdmDevicePixelRatioScaled:
      return int(device.devicePixelRatioF() * devicePixelRatioFScale());
  }
  return QPaintDevice::metric(metric);
}

}  // namespace vector_device

#include "emf/emf_paint_engine.h"

#include <QFontInfo>
#include <QImage>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "emf/metafile_writer.h"
#include "vector_device/vector_device.h"

namespace emf {

namespace {

uint32_t Argb(const QColor& color, double opacity) {
  const long alpha = std::lround(color.alphaF() * std::clamp(opacity, 0.0, 1.0) * 255);
  return (uint32_t(std::clamp(alpha, 0L, 255L)) << 24) | (color.rgb() & 0x00FFFFFFu);
}

bool IsVisible(uint32_t argb) { return (argb >> 24) != 0; }

TDash DashOf(Qt::PenStyle style) {
  switch (style) {
    case Qt::DashLine:
      return TDash::Dash;
    case Qt::DotLine:
      return TDash::Dot;
    case Qt::DashDotLine:
      return TDash::DashDot;
    case Qt::DashDotDotLine:
      return TDash::DashDotDot;
    case Qt::CustomDashLine:
      return TDash::Dash;  // a custom pattern is written as the plain dash
    default:
      return TDash::Solid;
  }
}

TCap CapOf(Qt::PenCapStyle cap) {
  switch (cap) {
    case Qt::SquareCap:
      return TCap::Square;
    case Qt::RoundCap:
      return TCap::Round;
    default:
      return TCap::Flat;
  }
}

TJoin JoinOf(Qt::PenJoinStyle join) {
  switch (join) {
    case Qt::BevelJoin:
      return TJoin::Bevel;
    case Qt::RoundJoin:
      return TJoin::Round;
    default:
      return TJoin::Miter;
  }
}

double PixelsPerUnit(const QTransform& transform) { return std::sqrt(std::abs(transform.determinant())); }

TFontSpec FontSpec(const QFont& font, const QPaintDevice* device) {
  TFontSpec spec;
  spec.family = font.family().isEmpty() ? QFontInfo(font).family() : font.family();
  const int dpi = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : TMetafileWriter::kDpi;
  spec.emSize = float(font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpi / 72.0);
  spec.weight = font.weight();
  spec.italic = font.style() != QFont::StyleNormal;
  return spec;
}

// The x of every character boundary of text laid out in font, scaled so the
// run ends where the painter's own layout ends it (width).
void MeasureOffsets(const QString& text, const QFont& font, QPaintDevice* device, double width,
                    std::vector<double>& offsets) {
  QTextLayout layout(text, font, device);
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  offsets.resize(size_t(text.size()) + 1);
  for (qsizetype i = 0; i <= text.size(); ++i) offsets[size_t(i)] = line.isValid() ? line.cursorToX(int(i)) : 0.0;
  const double natural = offsets.back() - offsets.front();
  const double scale = natural > 0 && width > 0 ? width / natural : 1.0;
  const double start = offsets.front();
  for (double& offset : offsets) offset = (offset - start) * scale;
}

}  // namespace

TEmfPaintEngine::TEmfPaintEngine(TMetafileWriter& writer) : QPaintEngine(QPaintEngine::AllFeatures), m_writer(writer) {}

bool TEmfPaintEngine::begin(QPaintDevice*) {
  if (m_writer.Finished()) return false;
  // The painter sends only what differs from its defaults: start from them.
  m_transform = QTransform();
  m_pen = QPen();
  m_brush = QBrush();
  m_opacity = 1;
  m_strokeValid = m_fillValid = false;
  m_clip.reset();
  m_clipEnabled = false;
  m_writer.SetTransform(m_transform);
  m_writer.SetClip(std::nullopt);
  return true;
}

bool TEmfPaintEngine::end() { return true; }

void TEmfPaintEngine::updateState(const QPaintEngineState& state) {
  const QPaintEngine::DirtyFlags flags = state.state();
  // The transform first: a clip arriving with it is expressed in it.
  if (flags & DirtyTransform) {
    m_transform = state.transform();
    m_writer.SetTransform(m_transform);
    m_strokeValid = false;  // cosmetic widths depend on it
  }
  if (flags & DirtyPen) {
    m_pen = state.pen();
    m_strokeValid = false;
  }
  if (flags & DirtyBrush) {
    m_brush = state.brush();
    m_fillValid = false;
  }
  if (flags & DirtyOpacity) {
    m_opacity = state.opacity();
    m_strokeValid = m_fillValid = false;
  }
  if (flags & (DirtyClipRegion | DirtyClipPath)) UpdateClip(state);
  if (flags & DirtyClipEnabled) m_clipEnabled = state.isClipEnabled();
  if (flags & (DirtyClipRegion | DirtyClipPath | DirtyClipEnabled))
    m_writer.SetClip(m_clipEnabled ? m_clip : std::nullopt);
}

void TEmfPaintEngine::UpdateClip(const QPaintEngineState& state) {
  m_clip = vector_device::UpdatedClip(state, m_transform, m_clip);
}

const TStroke* TEmfPaintEngine::Stroke() {
  if (!m_strokeValid) {
    m_strokeValid = true;
    m_stroke.reset();
    const uint32_t argb = Argb(vector_device::SolidColor(m_pen.brush()), m_opacity);
    // Invisible strokes are dropped: the opaque EMF twin would show them.
    if (m_pen.style() != Qt::NoPen && m_pen.brush().style() != Qt::NoBrush && IsVisible(argb)) {
      double width = m_pen.widthF();
      if (m_pen.isCosmetic()) {  // device pixels, zero meaning one
        const double pixels = width > 0 ? width : 1.0;
        const double scale = PixelsPerUnit(m_transform);
        width = scale > 0 ? pixels / scale : pixels;
      }
      m_stroke = TStroke{argb,
                         float(width),
                         DashOf(m_pen.style()),
                         CapOf(m_pen.capStyle()),
                         JoinOf(m_pen.joinStyle()),
                         float(2 * m_pen.miterLimit())};
    }
  }
  return m_stroke ? &*m_stroke : nullptr;
}

const TFill* TEmfPaintEngine::Fill() {
  if (!m_fillValid) {
    m_fillValid = true;
    m_fill.reset();
    const uint32_t argb = Argb(vector_device::SolidColor(m_brush), m_opacity);
    if (m_brush.style() != Qt::NoBrush && IsVisible(argb)) m_fill = TFill{argb};
  }
  return m_fill ? &*m_fill : nullptr;
}

void TEmfPaintEngine::drawRects(const QRectF* rects, int rectCount) {
  const TFill* fill = Fill();
  const TStroke* stroke = Stroke();
  for (int i = 0; i < rectCount; ++i) {
    TShape shape;
    shape.kind = TShapeKind::Rectangle;
    shape.rect = rects[i].normalized();
    m_writer.DrawShape(shape, fill, stroke);
  }
}

void TEmfPaintEngine::drawRects(const QRect* rects, int rectCount) {
  for (int i = 0; i < rectCount; ++i) {
    const QRectF rect(rects[i]);
    drawRects(&rect, 1);
  }
}

void TEmfPaintEngine::drawLines(const QLineF* lines, int lineCount) {
  const TStroke* stroke = Stroke();
  for (int i = 0; i < lineCount; ++i) {
    const QPointF ends[2] = {lines[i].p1(), lines[i].p2()};
    DrawPolygon(ends, false, false, nullptr, stroke);
  }
}

void TEmfPaintEngine::drawEllipse(const QRectF& rect) {
  TShape shape;
  shape.kind = TShapeKind::Ellipse;
  shape.rect = rect.normalized();
  m_writer.DrawShape(shape, Fill(), Stroke());
}

void TEmfPaintEngine::drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) {
  const std::span<const QPointF> span(points, size_t(std::max(pointCount, 0)));
  if (mode == PolylineMode)
    DrawPolygon(span, false, false, nullptr, Stroke());
  else
    DrawPolygon(span, true, mode == WindingMode, Fill(), Stroke());
}

void TEmfPaintEngine::drawPolygon(const QPoint* points, int pointCount, PolygonDrawMode mode) {
  // The inherited version hands long polygons over in pieces of 256 points.
  m_points.assign(points, points + std::max(pointCount, 0));
  drawPolygon(m_points.data(), int(m_points.size()), mode);
}

void TEmfPaintEngine::DrawPolygon(std::span<const QPointF> points, bool closed, bool winding, const TFill* fill,
                                  const TStroke* stroke) {
  TShape shape;
  shape.kind = closed ? TShapeKind::Polygon : TShapeKind::Polyline;
  shape.points = points;
  shape.winding = winding;
  m_writer.DrawShape(shape, fill, stroke);
}

void TEmfPaintEngine::drawPath(const QPainterPath& path) {
  const TFill* fill = Fill();
  const TStroke* stroke = Stroke();
  if (fill) {
    const QPolygonF outline = path.toFillPolygon();
    DrawPolygon(outline, true, path.fillRule() == Qt::WindingFill, fill, nullptr);
  }
  if (stroke) {
    for (const QPolygonF& part : path.toSubpathPolygons())
      DrawPolygon(part, part.size() > 2 && part.isClosed(), false, nullptr, stroke);
  }
}

void TEmfPaintEngine::drawTextItem(const QPointF& baseline, const QTextItem& textItem) {
  const QString text = textItem.text();
  const uint32_t argb = Argb(vector_device::SolidColor(m_pen.brush()), m_opacity);
  if (text.isEmpty() || m_pen.style() == Qt::NoPen || !IsVisible(argb)) return;
  // Underline and strike-out are not set in the font: the painter draws
  // them itself, as lines that reach the file on their own.
  MeasureOffsets(text, textItem.font(), paintDevice(), textItem.width(), m_offsets);
  const TTextRun run{text, FontSpec(textItem.font(), paintDevice()), argb, baseline, m_offsets};
  const QRectF box(baseline.x(), baseline.y() - textItem.ascent(), textItem.width(),
                   textItem.ascent() + textItem.descent());
  m_writer.DrawText(run, box);
}

void TEmfPaintEngine::drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) {
  drawImage(target, pixmap.toImage(), source);
}

void TEmfPaintEngine::drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                                Qt::ImageConversionFlags) {
  const QRect part = source.toAlignedRect() & image.rect();
  if (part.isEmpty()) return;
  m_writer.DrawImage(target, part == image.rect() ? image : image.copy(part));
}

}  // namespace emf

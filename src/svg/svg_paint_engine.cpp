#include "svg/svg_paint_engine.h"

#include <QBuffer>
#include <QFontInfo>
#include <QImage>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>
#include <algorithm>
#include <cmath>

#include "svg/svg_stream.h"
#include "vector_device/vector_device.h"

namespace svg {

namespace {

double PixelsPerUnit(const QTransform& transform) { return std::sqrt(std::abs(transform.determinant())); }

double FontPixels(const QFont& font) {
  if (font.pixelSize() > 0) return font.pixelSize();
  return font.pointSizeF() * 96.0 / 72.0;  // the device is 96 dpi
}

}  // namespace

TSvgPaintEngine::TSvgPaintEngine(TSvgStream& stream, QSize size, QSizeF millimetres)
    : QPaintEngine(QPaintEngine::AllFeatures), m_stream(stream), m_size(size), m_millimetres(millimetres) {}

bool TSvgPaintEngine::begin(QPaintDevice*) {
  if (m_started) return false;  // the document is written once, start to end
  m_started = true;
  m_stream << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
              "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\""
              " version=\"1.1\" width=\"";
  if (m_millimetres.isValid()) {
    // The viewBox keeps the width and height's proportions exactly: 96 dpi
    // pixels of the physical size, not the whole pixels of the device.
    const QSizeF pixels = m_millimetres * (96.0 / 25.4);
    m_stream.Number(m_millimetres.width()) << "mm\" height=\"";
    m_stream.Number(m_millimetres.height()) << "mm\" viewBox=\"0 0 ";
    m_stream.Number(pixels.width()) << ' ';
    m_stream.Number(pixels.height()) << "\">\n";
    return true;
  }
  m_stream.Number(m_size.width()) << "\" height=\"";
  m_stream.Number(m_size.height()) << "\" viewBox=\"0 0 ";
  m_stream.Number(m_size.width()) << ' ';
  m_stream.Number(m_size.height()) << "\">\n";
  return true;
}

bool TSvgPaintEngine::end() {
  if (m_finished) return true;
  CloseClipGroup();
  m_stream << "</svg>\n";
  m_finished = true;
  return m_stream.Flush();
}

void TSvgPaintEngine::updateState(const QPaintEngineState& state) {
  const QPaintEngine::DirtyFlags flags = state.state();
  // The transform first: a clip arriving with it is expressed in it.
  if (flags & DirtyTransform) {
    m_transform = state.transform();
    m_styleValid = false;  // widths in world units depend on it
  }
  if (flags & DirtyPen) {
    m_pen = state.pen();
    m_styleValid = false;
  }
  if (flags & DirtyBrush) {
    m_brush = state.brush();
    m_styleValid = false;
  }
  if (flags & DirtyOpacity) {
    m_opacity = state.opacity();
    m_styleValid = false;
  }
  if (flags & (DirtyClipRegion | DirtyClipPath)) UpdateClip(state);
  if (flags & DirtyClipEnabled) m_clipEnabled = state.isClipEnabled();
  if (flags & (DirtyClipRegion | DirtyClipPath | DirtyClipEnabled)) m_clipDirty = true;
}

void TSvgPaintEngine::UpdateClip(const QPaintEngineState& state) {
  m_clip = vector_device::UpdatedClip(state, m_transform, m_clip);
}

void TSvgPaintEngine::CloseStyleGroup() {
  if (!m_styleGroupOpen) return;
  m_stream << "</g>\n";
  m_styleGroupOpen = false;
}

void TSvgPaintEngine::CloseClipGroup() {
  CloseStyleGroup();
  if (!m_clipGroupOpen) return;
  m_stream << "</g>\n";
  m_clipGroupOpen = false;
}

void TSvgPaintEngine::OpenClipGroup() {
  CloseClipGroup();
  m_clipDirty = false;
  if (!m_clipEnabled || !m_clip) return;
  const QRectF clip = m_clip->normalized();
  const int id = ++m_clipCount;
  m_stream << "<clipPath id=\"c";
  m_stream.Number(id) << "\"><rect x=\"";
  m_stream.Number(clip.x()) << "\" y=\"";
  m_stream.Number(clip.y()) << "\" width=\"";
  m_stream.Number(clip.width()) << "\" height=\"";
  m_stream.Number(clip.height()) << "\"/></clipPath>\n<g clip-path=\"url(#c";
  m_stream.Number(id) << ")\">\n";
  m_clipGroupOpen = true;
}

void TSvgPaintEngine::Prepare(TPaintKind kind, bool evenOdd) {
  if (m_clipDirty) OpenClipGroup();
  if (!m_styleValid || kind != m_styleKind || evenOdd != m_styleEvenOdd) {
    m_style = StyleAttributes({m_pen, m_brush, m_opacity, PixelsPerUnit(m_transform), kind, evenOdd});
    m_styleValid = true;
    m_styleKind = kind;
    m_styleEvenOdd = evenOdd;
  }
  if (m_styleGroupOpen && m_style == m_openStyle) return;
  CloseStyleGroup();
  m_stream << "<g" << m_style << ">\n";
  m_openStyle = m_style;
  m_styleGroupOpen = true;
}

bool TSvgPaintEngine::KeepsAxes() const { return m_transform.type() <= QTransform::TxScale; }

void TSvgPaintEngine::WritePoints(const QPointF* points, int count) {
  for (int i = 0; i < count; ++i) {
    if (i) m_stream << ' ';
    m_stream.Point(m_transform.map(points[i]));
  }
}

void TSvgPaintEngine::WritePathData(const QPainterPath& devicePath) {
  for (int i = 0; i < devicePath.elementCount(); ++i) {
    const QPainterPath::Element element = devicePath.elementAt(i);
    if (element.isMoveTo()) {
      m_stream << (i ? " M" : "M");
    } else if (element.isLineTo()) {
      m_stream << " L";
    } else if (element.isCurveTo()) {
      m_stream << " C";
    } else {
      m_stream << ' ';  // the control points after a curve's start
    }
    m_stream.Point(QPointF(element.x, element.y));
  }
}

void TSvgPaintEngine::WriteTransformAttribute() {
  const QTransform& t = m_transform;
  m_stream << " transform=\"matrix(";
  m_stream.Number(t.m11(), 6) << ' ';
  m_stream.Number(t.m12(), 6) << ' ';
  m_stream.Number(t.m21(), 6) << ' ';
  m_stream.Number(t.m22(), 6) << ' ';
  m_stream.Number(t.dx()) << ' ';
  m_stream.Number(t.dy()) << ")\"";
}

void TSvgPaintEngine::drawRects(const QRectF* rects, int rectCount) {
  if (!KeepsAxes()) {
    for (int i = 0; i < rectCount; ++i) {
      const QPolygonF corners(rects[i]);
      drawPolygon(corners.constData(), 4, OddEvenMode);
    }
    return;
  }
  Prepare(TPaintKind::Area);
  for (int i = 0; i < rectCount; ++i) {
    const QRectF rect = m_transform.mapRect(rects[i].normalized());
    m_stream << "<rect x=\"";
    m_stream.Number(rect.x()) << "\" y=\"";
    m_stream.Number(rect.y()) << "\" width=\"";
    m_stream.Number(rect.width()) << "\" height=\"";
    m_stream.Number(rect.height()) << "\"/>\n";
  }
}

void TSvgPaintEngine::drawRects(const QRect* rects, int rectCount) {
  for (int i = 0; i < rectCount; ++i) {
    const QRectF rect(rects[i]);
    drawRects(&rect, 1);
  }
}

void TSvgPaintEngine::drawLines(const QLineF* lines, int lineCount) {
  Prepare(TPaintKind::Outline);
  for (int i = 0; i < lineCount; ++i) {
    const QPointF from = m_transform.map(lines[i].p1());
    const QPointF to = m_transform.map(lines[i].p2());
    m_stream << "<line x1=\"";
    m_stream.Number(from.x()) << "\" y1=\"";
    m_stream.Number(from.y()) << "\" x2=\"";
    m_stream.Number(to.x()) << "\" y2=\"";
    m_stream.Number(to.y()) << "\"/>\n";
  }
}

void TSvgPaintEngine::drawLines(const QLine* lines, int lineCount) {
  for (int i = 0; i < lineCount; ++i) {
    const QLineF line(lines[i]);
    drawLines(&line, 1);
  }
}

void TSvgPaintEngine::drawEllipse(const QRectF& rect) {
  if (!KeepsAxes()) {
    QPainterPath path;
    path.addEllipse(rect);
    drawPath(path);
    return;
  }
  Prepare(TPaintKind::Area);
  const QRectF device = m_transform.mapRect(rect.normalized());
  m_stream << "<ellipse cx=\"";
  m_stream.Number(device.center().x()) << "\" cy=\"";
  m_stream.Number(device.center().y()) << "\" rx=\"";
  m_stream.Number(device.width() / 2) << "\" ry=\"";
  m_stream.Number(device.height() / 2) << "\"/>\n";
}

void TSvgPaintEngine::drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) {
  if (pointCount <= 0) return;
  const bool open = mode == PolylineMode;
  Prepare(open ? TPaintKind::Outline : TPaintKind::Area, mode == OddEvenMode);
  m_stream << (open ? "<polyline points=\"" : "<polygon points=\"");
  WritePoints(points, pointCount);
  m_stream << "\"/>\n";
}

void TSvgPaintEngine::drawPolygon(const QPoint* points, int pointCount, PolygonDrawMode mode) {
  // The inherited version hands long polygons over in pieces.
  m_points.assign(points, points + std::max(pointCount, 0));
  drawPolygon(m_points.data(), int(m_points.size()), mode);
}

void TSvgPaintEngine::drawPath(const QPainterPath& path) {
  if (path.isEmpty()) return;
  Prepare(TPaintKind::Area, path.fillRule() == Qt::OddEvenFill);
  m_stream << "<path d=\"";
  WritePathData(m_transform.isIdentity() ? path : m_transform.map(path));
  m_stream << "\"/>\n";
}

void TSvgPaintEngine::drawTextItem(const QPointF& baseline, const QTextItem& textItem) {
  const QString text = textItem.text();
  if (text.isEmpty() || m_pen.style() == Qt::NoPen) return;
  Prepare(TPaintKind::Text);
  const QFont font = textItem.font();
  // Under a plain move the baseline is mapped; otherwise the text keeps its
  // own coordinates and the transform.
  const bool moved = m_transform.type() <= QTransform::TxTranslate;
  const QPointF at = moved ? m_transform.map(baseline) : baseline;
  m_stream << "<text x=\"";
  m_stream.Number(at.x()) << "\" y=\"";
  m_stream.Number(at.y()) << "\"";
  if (!moved) WriteTransformAttribute();
  m_stream << " font-family=\"";
  m_stream.Escaped(font.family().isEmpty() ? QFontInfo(font).family() : font.family()) << "\" font-size=\"";
  m_stream.Number(FontPixels(font)) << "\"";
  if (font.weight() >= QFont::DemiBold) m_stream << " font-weight=\"bold\"";
  if (font.style() != QFont::StyleNormal) m_stream << " font-style=\"italic\"";
  m_stream << " xml:space=\"preserve\">";
  m_stream.Escaped(text) << "</text>\n";
}

void TSvgPaintEngine::drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) {
  drawImage(target, pixmap.toImage(), source);
}

void TSvgPaintEngine::drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                                Qt::ImageConversionFlags) {
  const QRect part = source.toAlignedRect() & image.rect();
  if (part.isEmpty() || target.isEmpty()) return;
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!(part == image.rect() ? image : image.copy(part)).save(&buffer, "PNG")) return;
  if (m_clipDirty) OpenClipGroup();
  CloseStyleGroup();
  const bool keepsAxes = KeepsAxes();
  const QRectF at = keepsAxes ? m_transform.mapRect(target.normalized()) : target.normalized();
  m_stream << "<image x=\"";
  m_stream.Number(at.x()) << "\" y=\"";
  m_stream.Number(at.y()) << "\" width=\"";
  m_stream.Number(at.width()) << "\" height=\"";
  m_stream.Number(at.height()) << "\" preserveAspectRatio=\"none\"";
  if (!keepsAxes) WriteTransformAttribute();
  if (m_opacity < 1) {
    m_stream << " opacity=\"";
    m_stream.Number(std::clamp(m_opacity, 0.0, 1.0), 3) << "\"";
  }
  m_stream << " xlink:href=\"data:image/png;base64,";
  m_stream.Raw(png.toBase64());
  m_stream << "\"/>\n";
}

}  // namespace svg

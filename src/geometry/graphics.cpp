#include "geometry/graphics.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QRegion>
#include <cmath>

namespace geometry {

QColor ColorFromArgb(uint32_t argb) { return QColor::fromRgba(argb); }

uint32_t ArgbFromColor(const QColor& color) { return color.rgba(); }

uint32_t ArgbFromToolkitColor(uint32_t bgr) {
  const uint32_t red = bgr & 0xFF;
  const uint32_t green = (bgr >> 8) & 0xFF;
  const uint32_t blue = (bgr >> 16) & 0xFF;
  return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

uint32_t ToolkitColorFromColor(const QColor& color) {
  return uint32_t(color.red()) | (uint32_t(color.green()) << 8) | (uint32_t(color.blue()) << 16);
}

QPen MakePen(uint32_t argb, double width, int dashStyle) {
  QPen pen(ColorFromArgb(argb));
  pen.setWidthF(width);
  pen.setCosmetic(false);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  switch (dashStyle) {
    case DashStyleDash:
      pen.setStyle(Qt::DashLine);
      break;
    case DashStyleDot:
      pen.setStyle(Qt::DotLine);
      break;
    case DashStyleDashDot:
      pen.setStyle(Qt::DashDotLine);
      break;
    case DashStyleDashDotDot:
      pen.setStyle(Qt::DashDotDotLine);
      break;
    default:
      pen.setStyle(Qt::SolidLine);
      break;  // solid, custom and out-of-range values
  }
  return pen;
}

QBrush MakeBrush(uint32_t argb) { return QBrush(ColorFromArgb(argb)); }

}  // namespace geometry

namespace {

// Qt breaks lines on LF only; captions typed on two lines hold CR LF.
QString WithLineFeeds(const QString& text) {
  if (!text.contains(QLatin1Char('\r'))) return text;
  QString result = text;
  result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return result;
}

constexpr int kTopLeftFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;

}  // namespace

TGraphics::TGraphics(QPainter& painter) : m_painter(painter) {}

void TGraphics::Clear(uint32_t argb) {
  m_painter.save();
  m_painter.resetTransform();
  m_painter.setClipping(false);
  m_painter.setCompositionMode(QPainter::CompositionMode_Source);
  const QRect all(0, 0, m_painter.device()->width(), m_painter.device()->height());
  m_painter.fillRect(all, geometry::ColorFromArgb(argb));
  m_painter.restore();
}

QTransform TGraphics::WorldTransform() const { return m_painter.combinedTransform(); }

QPointF TGraphics::WorldToDevice(const QPointF& world) const { return m_painter.combinedTransform().map(world); }

QPointF TGraphics::DeviceToWorld(const QPointF& device) const {
  return m_painter.combinedTransform().inverted().map(device);
}

QPointF TGraphics::DeviceVectorToWorld(const QPointF& vector) const {
  const QTransform inverse = m_painter.combinedTransform().inverted();
  const QPointF scaled(vector.x() / PageScale(), vector.y() / PageScale());
  return {inverse.m11() * scaled.x() + inverse.m21() * scaled.y(),
          inverse.m12() * scaled.x() + inverse.m22() * scaled.y()};
}

void TGraphics::DrawLine(const QPen& pen, const QPointF& from, const QPointF& to) {
  m_painter.setPen(pen);
  m_painter.drawLine(from, to);
}

void TGraphics::DrawLines(const QPen& pen, const QPointF* points, int count) {
  m_painter.setPen(pen);
  m_painter.drawPolyline(points, count);
}

void TGraphics::DrawRectangle(const QPen& pen, const QRectF& rect) {
  m_painter.setPen(pen);
  m_painter.setBrush(Qt::NoBrush);
  m_painter.drawRect(rect);
}

void TGraphics::DrawEllipse(const QPen& pen, const QRectF& rect) {
  m_painter.setPen(pen);
  m_painter.setBrush(Qt::NoBrush);
  m_painter.drawEllipse(rect);
}

void TGraphics::DrawPolygon(const QPen& pen, const QPointF* points, int count) {
  m_painter.setPen(pen);
  m_painter.setBrush(Qt::NoBrush);
  m_painter.drawPolygon(points, count, Qt::OddEvenFill);
}

void TGraphics::FillRectangle(const QBrush& brush, const QRectF& rect) { m_painter.fillRect(rect, brush); }

void TGraphics::FillRectangle(const QBrush& brush, const QRect& rect) { m_painter.fillRect(rect, brush); }

void TGraphics::FillEllipse(const QBrush& brush, const QRectF& rect) {
  m_painter.setPen(Qt::NoPen);
  m_painter.setBrush(brush);
  m_painter.drawEllipse(rect);
}

void TGraphics::FillPolygon(const QBrush& brush, const QPointF* points, int count) {
  m_painter.setPen(Qt::NoPen);
  m_painter.setBrush(brush);
  m_painter.drawPolygon(points, count, Qt::OddEvenFill);
}

QFont TGraphics::CreateFont(const QString& family, double sizeInPoints, int styleBits) const {
  QFont font(family);
  font.setStyleHint(QFont::SansSerif);
  // Point sizes are scaled so that text measures sizeInPoints at the reference
  // resolution in world units, whatever the resolution of the device.
  const int deviceDpi = m_painter.device() ? m_painter.device()->logicalDpiY() : 96;
  const double points = std::isfinite(sizeInPoints) && sizeInPoints > 0.1 ? sizeInPoints : 0.1;
  font.setPointSizeF(points * geometry::kReferenceDpi / (deviceDpi > 0 ? deviceDpi : 96));
  font.setBold(styleBits & kFontBold);
  font.setItalic(styleBits & kFontItalic);
  font.setUnderline(styleBits & kFontUnderline);
  font.setStrikeOut(styleBits & kFontStrikeout);
  return font;
}

QSizeF TGraphics::MeasureString(const QString& text, const QFont& font) const {
  const QFontMetricsF metrics(font, m_painter.device());
  const QString lines = WithLineFeeds(text);
  if (!lines.contains(QLatin1Char('\n'))) return {metrics.horizontalAdvance(lines), metrics.height()};
  return metrics.boundingRect(QRectF(0, 0, 0, 0), kTopLeftFlags, lines).size();
}

void TGraphics::DrawString(const QString& text, const QFont& font, const QBrush& brush, const QPointF& topLeft) {
  m_painter.setFont(font);
  m_painter.setPen(QPen(brush.color()));
  m_painter.drawText(QRectF(topLeft, QSizeF(0, 0)), kTopLeftFlags, WithLineFeeds(text));
}

void TGraphics::DrawStringCentered(const QString& text, const QFont& font, const QBrush& brush, const QRectF& layout) {
  m_painter.setFont(font);
  m_painter.setPen(QPen(brush.color()));
  m_painter.drawText(layout, Qt::AlignCenter | Qt::TextWordWrap, WithLineFeeds(text));
}

void TGraphics::SetClip(const QRect& rect) { m_painter.setClipRect(rect, Qt::ReplaceClip); }

void TGraphics::ResetClip() { m_painter.setClipping(false); }

bool TGraphics::CanStamp() const {
  QPaintDevice* device = m_painter.device();
  if (!device || device->devType() != QInternal::Image) return false;
  if (!m_painter.paintEngine() || m_painter.paintEngine()->type() != QPaintEngine::Raster) return false;
  const auto* image = static_cast<const QImage*>(device);
  if (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied) return false;
  if (m_painter.combinedTransform().type() > QTransform::TxTranslate) return false;
  if (m_painter.opacity() != 1.0 || m_painter.compositionMode() != QPainter::CompositionMode_SourceOver) return false;
  return !m_painter.hasClipping() || m_painter.clipRegion().rectCount() <= 1;
}

void TGraphics::StampImage(const QImage& stamp, const QPoint& hotSpot, const QPointF* worldPoints, int count) {
  auto* image = static_cast<QImage*>(m_painter.device());
  QRect target = image->rect();
  const QTransform transform = m_painter.combinedTransform();
  if (m_painter.hasClipping()) target &= transform.mapRect(m_painter.clipRegion().boundingRect());
  if (target.isEmpty() || stamp.isNull()) return;

  const QImage source = stamp.format() == QImage::Format_ARGB32_Premultiplied
                            ? stamp
                            : stamp.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int stampWidth = source.width();
  const int stampHeight = source.height();
  const int stride = int(image->bytesPerLine() / 4);
  auto* pixels = reinterpret_cast<uint32_t*>(image->bits());
  const auto* stampPixels = reinterpret_cast<const uint32_t*>(source.constBits());
  const int stampStride = int(source.bytesPerLine() / 4);
  const double dx = transform.dx();
  const double dy = transform.dy();

  for (int i = 0; i < count; ++i) {
    const double x = worldPoints[i].x() + dx;
    const double y = worldPoints[i].y() + dy;
    if (!(std::abs(x) < 1e9 && std::abs(y) < 1e9)) continue;  // also skips NaN
    const int left = int(std::floor(x + 0.5)) - hotSpot.x();
    const int top = int(std::floor(y + 0.5)) - hotSpot.y();
    const int x0 = std::max(left, target.left());
    const int x1 = std::min(left + stampWidth, target.right() + 1);
    const int y0 = std::max(top, target.top());
    const int y1 = std::min(top + stampHeight, target.bottom() + 1);
    for (int row = y0; row < y1; ++row) {
      uint32_t* dst = pixels + size_t(row) * stride;
      const uint32_t* src = stampPixels + size_t(row - top) * stampStride - left;
      for (int col = x0; col < x1; ++col) {
        const uint32_t s = src[col];
        const uint32_t alpha = s >> 24;
        if (alpha == 0xFF) {
          dst[col] = s;
        } else if (alpha != 0) {
          // Premultiplied source-over, two channels at a time.
          const uint32_t d = dst[col];
          const uint32_t inverse = 255 - alpha;
          uint32_t rb = (d & 0x00FF00FF) * inverse;
          uint32_t ag = ((d >> 8) & 0x00FF00FF) * inverse;
          rb = ((rb + ((rb >> 8) & 0x00FF00FF) + 0x00800080) >> 8) & 0x00FF00FF;
          ag = (ag + ((ag >> 8) & 0x00FF00FF) + 0x00800080) & 0xFF00FF00;
          dst[col] = s + (rb | ag);
        }
      }
    }
  }
}

#include "geometry/graphics.h"

#include "geometry/raster_fast_paths.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QRegion>
#include <algorithm>
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
  // Widths that a document may hold but Qt cannot draw: a negative,
  // undefined or vanishing width draws thin (Qt would draw nothing), one
  // beyond kMaxPenWidth as the widest (Qt would refuse it and draw thin).
  constexpr double kMinPenWidth = 1e-6;
  constexpr double kMaxPenWidth = 32767.0;  // Qt refuses 65536 and more
  pen.setWidthF(width >= kMinPenWidth && std::isfinite(width) ? std::min(width, kMaxPenWidth) : 0.0);
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

// Below this many points QPainter's own lines are fast enough.
constexpr int kDirectPolylineMinimum = 64;

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

std::optional<geometry::TRasterTarget> TGraphics::DirectPolylineTarget(const QPen& pen, int count) const {
  // Long polylines of thin solid pens are written directly.
  const bool thinSolid = pen.style() == Qt::SolidLine && pen.widthF() <= 1.0 && pen.brush().style() == Qt::SolidPattern;
  if (!thinSolid || count <= kDirectPolylineMinimum) return std::nullopt;
  return geometry::RasterTargetOf(m_painter);
}

void TGraphics::DrawLines(const QPen& pen, const QPointF* points, int count) {
  if (const auto target = DirectPolylineTarget(pen, count)) {
    geometry::DrawPolylineOnRaster(*target, pen.color().rgba(), points, count, nullptr, m_cover.get());
    return;
  }
  m_painter.setPen(pen);
  m_painter.drawPolyline(points, count);
}

void TGraphics::DrawColoredLines(QPen pen, const QPointF* points, int count, const uint32_t* segmentColours) {
  if (const auto target = DirectPolylineTarget(pen, count)) {
    geometry::DrawPolylineOnRaster(*target, pen.color().rgba(), points, count, segmentColours, m_cover.get());
    return;
  }
  for (int i = 0; i + 1 < count; ++i) {
    pen.setColor(geometry::ColorFromArgb(segmentColours[i]));
    DrawLine(pen, points[i], points[i + 1]);
  }
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

bool TGraphics::CanStamp() const { return geometry::RasterTargetOf(m_painter).has_value(); }

void TGraphics::StampImage(const QImage& stamp, const QPoint& hotSpot, const QPointF* worldPoints, int count) {
  if (const auto target = geometry::RasterTargetOf(m_painter))
    geometry::StampOnRaster(*target, stamp, hotSpot, worldPoints, count, m_cover.get());
}

TGraphics::TTopDown::TTopDown(TGraphics& g, std::vector<QPointF> outline) : m_g(g) {
  const auto target = geometry::RasterTargetOf(g.m_painter);
  if (!target || g.m_cover) return;
  try {
    g.m_cover = std::make_unique<geometry::TRasterCover>(target->bounds);
    g.m_cover->SetOutline(std::move(outline));
    m_active = true;
  } catch (const std::bad_alloc&) {
  }
}

TGraphics::TTopDown::~TTopDown() {
  if (m_active) m_g.m_cover.reset();
}

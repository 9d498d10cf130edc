#include "geometry/graphics.h"

#include "geometry/raster_fast_paths.h"
#include "geometry/raster_segment_walk.h"

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

TGraphics::TGraphics(QPainter& painter) : m_painter(painter) { SetSmooth(true); }

void TGraphics::SetSmooth(bool smooth) {
  // Vector devices keep their hints: their output stays as it was.
  const QPaintEngine* engine = m_painter.paintEngine();
  if (!engine || engine->type() != QPaintEngine::Raster) return;
  m_smooth = smooth;
  m_painter.setRenderHint(QPainter::Antialiasing, smooth);
  m_painter.setRenderHint(QPainter::TextAntialiasing, smooth);
}

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

// A smooth line of an odd width in device pixels, centred on a pixel edge,
// covers two rows by halves: moved to the centres, it covers whole rows, as
// one of even width does on the edges. Lines of fractional widths stay.
QLineF TGraphics::AlignedToPixels(const QPen& pen, const QLineF& line) const {
  const QTransform t = m_painter.combinedTransform();
  // Ends computed apart may differ in the last digits.
  constexpr double kSameRow = 1e-3;  // device pixels
  const bool horizontal = std::abs((line.y1() - line.y2()) * t.m22()) < kSameRow;
  const bool vertical = std::abs((line.x1() - line.x2()) * t.m11()) < kSameRow;
  if (!m_smooth || t.type() > QTransform::TxScale || horizontal == vertical) return line;
  const double scale = horizontal ? t.m22() : t.m11(), offset = horizontal ? t.dy() : t.dx();
  const double width = pen.widthF() == 0 ? 1.0 : pen.widthF() * std::abs(scale);
  const double rows = std::round(width);
  if (rows < 1 || std::abs(width - rows) > 1e-6 || scale == 0) return line;
  const double device = (horizontal ? line.y1() : line.x1()) * scale + offset;
  if (!std::isfinite(device)) return line;
  const double aligned = std::fmod(rows, 2.0) == 1 ? std::floor(device) + 0.5 : std::round(device);
  const double world = (aligned - offset) / scale;
  return horizontal ? QLineF(line.x1(), world, line.x2(), world) : QLineF(world, line.y1(), world, line.y2());
}

void TGraphics::DrawLine(const QPen& pen, const QPointF& from, const QPointF& to) {
  m_painter.setPen(pen);
  m_painter.drawLine(AlignedToPixels(pen, QLineF(from, to)));
}

double TGraphics::DeviceWidth(const QPen& pen, const geometry::TRasterTarget& target) {
  return pen.widthF() == 0 ? 1.0 : pen.widthF() * target.scale;
}

std::optional<geometry::TRasterTarget> TGraphics::DirectPolylineTarget(const QPen& pen, int count) const {
  // Long polylines of thin solid pens are written directly.
  const bool thinSolid = pen.style() == Qt::SolidLine && pen.widthF() <= 1.0 && pen.brush().style() == Qt::SolidPattern;
  if (!thinSolid || count <= kDirectPolylineMinimum) return std::nullopt;
  auto target = geometry::RasterTargetOf(m_painter);
  if (!target || DeviceWidth(pen, *target) > geometry::raster::kMaxLineWidth) return std::nullopt;
  target->smooth = m_smooth;
  return target;
}

void TGraphics::DrawLines(const QPen& pen, const QPointF* points, int count) {
  if (const auto target = DirectPolylineTarget(pen, count)) {
    geometry::DrawPolylineOnRaster(*target, pen.color().rgba(), points, count, nullptr, m_cover.get(),
                                   DeviceWidth(pen, *target));
    return;
  }
  m_painter.setPen(pen);
  m_painter.drawPolyline(points, count);
}

void TGraphics::DrawColoredLines(QPen pen, const QPointF* points, int count, const uint32_t* segmentColours) {
  if (const auto target = DirectPolylineTarget(pen, count)) {
    geometry::DrawPolylineOnRaster(*target, pen.color().rgba(), points, count, segmentColours, m_cover.get(),
                                   DeviceWidth(pen, *target));
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

std::optional<double> TGraphics::StampScale() const {
  const auto target = geometry::RasterTargetOf(m_painter);
  return target ? std::optional<double>(target->scale) : std::nullopt;
}

geometry::TStamps TGraphics::MakeStamps(double extent, double scale, bool smooth, bool solid,
                                        const std::function<void(TGraphics&)>& draw) {
  // Room for the smoothed edges and the phases' offsets.
  constexpr int kMargin = 2;
  const int centre = int(std::ceil(extent * scale)) + kMargin;
  const int side = 2 * centre + 2;
  geometry::TStamps stamps{{}, QPoint(centre, centre), scale, solid};
  const int phases = smooth ? geometry::TStamps::kPhases : 1;
  QRect painted;
  for (int phase = 0; phase < phases * phases; ++phase) {
    QImage& image = stamps.images.emplace_back(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    TGraphics g(painter);
    g.SetSmooth(smooth);
    painter.translate(centre + double(phase % phases) / phases, centre + double(phase / phases) / phases);
    painter.scale(scale, scale);
    draw(g);
    painter.end();
    for (int y = 0; y < side; ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < side; ++x)
        if (qAlpha(row[x]) != 0) painted |= QRect(x, y, 1, 1);
    }
  }
  // Every stamped pixel costs time a million times over: only the painted ones are kept.
  if (painted.isEmpty()) return {{}, {}, scale, solid};
  for (QImage& image : stamps.images) image = image.copy(painted);
  stamps.hotSpot -= painted.topLeft();
  stamps.Prepare();
  return stamps;
}

void TGraphics::StampImage(const geometry::TStamps& stamps, const QPointF* worldPoints, int count) {
  if (const auto target = geometry::RasterTargetOf(m_painter))
    geometry::StampOnRaster(*target, stamps, worldPoints, count, m_cover.get());
}

void TGraphics::StampImages(std::span<const geometry::TStamps* const> sets, const uint16_t* setOf, const int32_t* order,
                            const QPointF* worldPoints, int count) {
  if (const auto target = geometry::RasterTargetOf(m_painter))
    geometry::StampOnRaster(*target, sets, setOf, order, worldPoints, count, m_cover.get());
}

TGraphics::TTopDown::TTopDown(TGraphics& g, std::vector<QPointF> outline) : m_g(g) {
  const auto target = geometry::RasterTargetOf(g.m_painter);
  if (!target || g.m_cover) return;
  try {
    g.m_cover = std::make_unique<geometry::TRasterCover>(target->bounds);
    if (target->scale != 1)  // the fast paths see device pixels then
      for (QPointF& corner : outline) corner = corner * target->scale + QPointF(target->dx, target->dy);
    g.m_cover->SetOutline(std::move(outline));
    m_active = true;
  } catch (const std::bad_alloc&) {
  }
}

TGraphics::TTopDown::~TTopDown() {
  if (m_active) m_g.m_cover.reset();
}

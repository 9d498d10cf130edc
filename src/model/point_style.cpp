#include "model/point_style.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cstdlib>

#include "model/property_io.h"

namespace {

constexpr float kMarkerPenWidth = 1.0f;
// Larger markers are drawn as shapes: they are few on any sensible diagram,
// and an image of their size would cost more than it saves.
constexpr int32_t kMaxStampSize = 128;
// Room around the box for the outline and rounding.
constexpr int kStampMargin = 3;

bool IsKnownShape(TDotType dotType) { return dotType <= dtHorizLine; }

}  // namespace

TPointStyle::TPointStyle() { SetDefaults(); }

void TPointStyle::SetSize(int32_t size) {
  size = std::clamp(size, kMinSize, kMaxSize);
  if (size == m_size) return;
  TUpdateScope scope(*this);
  StoreSize(size);
}

void TPointStyle::SetDotType(TDotType dotType) {
  if (dotType == m_dotType) return;
  TUpdateScope scope(*this);
  m_dotType = dotType;
}

void TPointStyle::SetLineColor(uint32_t argb) {
  if (argb == m_lineColor) return;
  TUpdateScope scope(*this);
  m_lineColor = argb;
}

void TPointStyle::SetFillColor(uint32_t argb) {
  if (argb == m_fillColor) return;
  TUpdateScope scope(*this);
  m_fillColor = argb;
}

void TPointStyle::SetVisible(bool visible) {
  if (visible == m_visible) return;
  TUpdateScope scope(*this);
  m_visible = visible;
}

void TPointStyle::StoreSize(int32_t size) {
  m_size = size;
  m_markerWidth = float(size);
  m_markerHeight = float(size);
  m_halfWidth = float(size) / 2.0f;
  m_halfHeight = float(size) / 2.0f;
}

void TPointStyle::DrawMarker(TGraphics& g, const QPointF& point) {
  if (m_visible) DrawShape(g, point);
}

void TPointStyle::DrawMarkers(TGraphics& g, const QPointF* points, int count) {
  if (!m_visible || !IsKnownShape(m_dotType) || count <= 0) return;
  if ((m_stampIsBlank || !m_stamp.isNull()) && StampIsCurrent() && g.CanStamp()) {
    if (!m_stampIsBlank) g.StampImage(m_stamp, m_stampHotSpot, points, count);
    return;
  }
  for (int i = 0; i < count; ++i) DrawShape(g, points[i]);
}

void TPointStyle::DrawMarkers(TGraphics& g, const QPointF* points, int count, const model::TProgress& progress) {
  // Stamped, a block takes a few milliseconds; drawn as shapes, some tenths
  // of a second: Cancel is heard soon enough either way.
  constexpr int kMarkersPerReport = 1 << 16;
  if (!progress.Active()) return DrawMarkers(g, points, count);
  for (int at = 0; at < count; at += kMarkersPerReport) {
    const int block = std::min(kMarkersPerReport, count - at);
    DrawMarkers(g, points + at, block);
    progress.Report(double(at + block) / count);
  }
}

const TPointStyle::TFillStamp& TPointStyle::FillStamp(uint32_t fillArgb) {
  if (const auto found = m_fillStamps.find(fillArgb); found != m_fillStamps.end()) return found->second;
  // The style's own stamp is rebuilt with the other brush, then put back.
  QImage ownStamp = m_stamp;
  const bool ownBlank = m_stampIsBlank;
  const bool ownOpaque = m_stampIsOpaque;
  const QPoint ownHotSpot = m_stampHotSpot;
  const QBrush ownBrush = m_brush;
  m_brush = geometry::MakeBrush(fillArgb);
  RebuildStamp();
  TFillStamp& entry = m_fillStamps[fillArgb];
  entry = {m_stamp, m_stampIsBlank, m_stampHotSpot};
  m_stamp = std::move(ownStamp);
  m_stampIsBlank = ownBlank;
  m_stampIsOpaque = ownOpaque;
  m_stampHotSpot = ownHotSpot;
  m_brush = ownBrush;
  return entry;
}

void TPointStyle::DrawMarkersFilled(TGraphics& g, const QPointF* points, int count, uint32_t fillArgb) {
  if (!m_visible || !IsKnownShape(m_dotType) || count <= 0) return;
  if (StampIsCurrent() && g.CanStamp()) {
    const TFillStamp& stamp = FillStamp(fillArgb);
    if (!stamp.Stamp.isNull()) g.StampImage(stamp.Stamp, stamp.HotSpot, points, count);
    if (!stamp.Stamp.isNull() || stamp.Blank) return;
  }
  const QBrush ownBrush = m_brush;
  m_brush = geometry::MakeBrush(fillArgb);
  for (int i = 0; i < count; ++i) DrawShape(g, points[i]);
  m_brush = ownBrush;
}

bool TPointStyle::StampsOpaquely(const TGraphics& g) const {
  return m_visible && !m_stamp.isNull() && m_stampIsOpaque && StampIsCurrent() && g.CanStamp();
}

void TPointStyle::DrawShape(TGraphics& g, const QPointF& centre) const {
  const float x = float(centre.x());
  const float y = float(centre.y());
  const float left = x - m_halfWidth;
  const float top = y - m_halfHeight;
  const float right = left + m_markerWidth;
  const float bottom = top + m_markerHeight;
  const QRectF box(left, top, m_markerWidth, m_markerHeight);
  const std::array<QPointF, 3> triUp{QPointF(left, bottom), QPointF(x, top), QPointF(right, bottom)};
  const std::array<QPointF, 3> triDown{QPointF(left, top), QPointF(x, bottom), QPointF(right, top)};
  const std::array<QPointF, 4> diamond{QPointF(left, y), QPointF(x, top), QPointF(right, y), QPointF(x, bottom)};

  switch (m_dotType) {
    case dtFilledDot:
      g.FillEllipse(m_brush, box);
      [[fallthrough]];
    case dtOpenDot:
      g.DrawEllipse(m_pen, box);
      break;
    case dtFilledSquare:
      g.FillRectangle(m_brush, box);
      [[fallthrough]];
    case dtOpenSquare:
      g.DrawRectangle(m_pen, box);
      break;
    case dtFilledTriUp:
      g.FillPolygon(m_brush, triUp.data(), 3);
      [[fallthrough]];
    case dtOpenTriUp:
      g.DrawPolygon(m_pen, triUp.data(), 3);
      break;
    case dtFilledTriDown:
      g.FillPolygon(m_brush, triDown.data(), 3);
      [[fallthrough]];
    case dtOpenTriDown:
      g.DrawPolygon(m_pen, triDown.data(), 3);
      break;
    case dtFilledDiamond:
      g.FillPolygon(m_brush, diamond.data(), 4);
      [[fallthrough]];
    case dtOpenDiamond:
      g.DrawPolygon(m_pen, diamond.data(), 4);
      break;
    case dtCross:
      g.DrawLine(m_pen, QPointF(left, top), QPointF(right, bottom));
      g.DrawLine(m_pen, QPointF(left, bottom), QPointF(right, top));
      break;
    case dtVertLine:
      g.DrawLine(m_pen, QPointF(x, top), QPointF(x, bottom));
      break;
    case dtHorizLine:
      g.DrawLine(m_pen, QPointF(left, y), QPointF(right, y));
      break;
    default:
      break;
  }
}

void TPointStyle::RebuildStamp() {
  m_stamp = QImage();
  m_stampIsBlank = false;
  m_stampIsOpaque = false;
  m_stampSize = m_size;
  m_stampDotType = m_dotType;
  if (!IsKnownShape(m_dotType) || m_size < 0 || m_size > kMaxStampSize) return;

  // The marker is drawn about an integer pixel, so that a marker stamped at an
  // integer world position covers exactly the pixels its shape would.
  const int extent = (m_size + 1) / 2 + kStampMargin;
  m_stampHotSpot = QPoint(extent, extent);
  m_stamp = QImage(2 * extent + 1, 2 * extent + 1, QImage::Format_ARGB32_Premultiplied);
  m_stamp.fill(Qt::transparent);
  {
    QPainter painter(&m_stamp);
    TGraphics g(painter);
    DrawShape(g, QPointF(extent, extent));
  }
  CropStamp();
}

void TPointStyle::CropStamp() {
  // Every stamped pixel costs time a million times over: keep only the
  // painted ones.
  QRect painted;
  m_stampIsOpaque = true;
  for (int y = 0; y < m_stamp.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(m_stamp.constScanLine(y));
    for (int x = 0; x < m_stamp.width(); ++x) {
      if (qAlpha(row[x]) != 0) painted |= QRect(x, y, 1, 1);
      m_stampIsOpaque &= qAlpha(row[x]) == 0 || qAlpha(row[x]) == 255;
    }
  }
  if (painted.isEmpty()) {
    m_stamp = QImage();
    m_stampIsBlank = true;
    return;
  }
  m_stamp = m_stamp.copy(painted);
  m_stampHotSpot -= painted.topLeft();
}

bool TPointStyle::StampIsCurrent() const { return m_stampSize == m_size && m_stampDotType == m_dotType; }

void TPointStyle::Changed() {
  // Drawing objects must be ready before a listener repaints.
  m_pen = geometry::MakePen(m_lineColor, kMarkerPenWidth);
  m_brush = geometry::MakeBrush(m_fillColor);
  RebuildStamp();
  m_fillStamps.clear();
  TGraphElement::Changed();
}

void TPointStyle::LoadFromXML(pugi::xml_node node) {
  TUpdateScope scope(*this);
  uint8_t dotType = m_dotType;
  if (model::ReadByte(node, "DotType", dotType)) m_dotType = TDotType(dotType);
  model::ReadColor(node, "FillColor", m_fillColor);
  model::ReadColor(node, "LineColor", m_lineColor);
  int32_t size = m_size;
  if (model::ReadInteger(node, "Size", size, kMinSize, kMaxSize)) SetSize(size);
  model::ReadBool(node, "Visible", m_visible);
}

void TPointStyle::SetDefaults() {
  TUpdateScope scope(*this);
  m_dotType = dtFilledSquare;
  m_fillColor = 0xFF808080;
  m_lineColor = 0xFF000000;
  StoreSize(5);
  m_visible = true;
}

void TPointStyle::SaveToXML(pugi::xml_node node) const {
  model::WriteInteger(node, "DotType", m_dotType);
  model::WriteColor(node, "FillColor", m_fillColor);
  model::WriteColor(node, "LineColor", m_lineColor);
  model::WriteInteger(node, "Size", m_size);
  model::WriteBool(node, "Visible", m_visible);
}

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
  if (const geometry::TStamps* stamps = StampsFor(g)) {
    if (!stamps->images.empty()) g.StampImage(*stamps, points, count);
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

void TPointStyle::DrawMarkersFilled(TGraphics& g, const QPointF* points, int count, uint32_t fillArgb) {
  if (!m_visible || !IsKnownShape(m_dotType) || count <= 0) return;
  if (const geometry::TStamps* stamps = FillStampsFor(g, fillArgb)) {
    if (!stamps->images.empty()) g.StampImage(*stamps, points, count);
    return;
  }
  const QBrush ownBrush = m_brush;
  m_brush = geometry::MakeBrush(fillArgb);
  for (int i = 0; i < count; ++i) DrawShape(g, points[i]);
  m_brush = ownBrush;
}

bool TPointStyle::StampMarkersFilled(TGraphics& g, const QPointF* points, const int32_t* order, int count,
                                     std::span<const uint32_t> fills, const uint16_t* fillOf) {
  if (!m_visible || !IsKnownShape(m_dotType) || fills.empty()) return false;
  m_fillSets.clear();
  for (const uint32_t fill : fills) {
    const geometry::TStamps* stamps = FillStampsFor(g, fill);
    if (!stamps || (!m_fillSets.empty() && !stamps->SharesPlacementWith(*m_fillSets.front()))) return false;
    m_fillSets.push_back(stamps);
  }
  g.StampImages(m_fillSets, fillOf, order, points, count);
  return true;
}

bool TPointStyle::StampsOpaquely(const TGraphics& g) const { return m_visible && StampsAreOpaque(StampsFor(g)); }

bool TPointStyle::StampsOpaquelyFilled(const TGraphics& g, uint32_t fillArgb) {
  return m_visible && StampsAreOpaque(FillStampsFor(g, fillArgb));
}

std::optional<TPointStyle::TStampKey> TPointStyle::StampKeyFor(const TGraphics& g, uint32_t fillArgb) const {
  const std::optional<double> scale = g.StampScale();
  if (!scale || !IsKnownShape(m_dotType) || m_size < 0 || m_size * *scale > kMaxStampSize) return std::nullopt;
  return TStampKey{m_size, m_dotType, m_lineColor, fillArgb, *scale, g.Smooth()};
}

// Draws the stamps of the key with the style's brush, which must hold the
// key's fill colour.
geometry::TStamps TPointStyle::MakeStampsOf(const TStampKey& key) const {
  auto opaqueOrClear = [](uint32_t argb) { return (argb >> 24) == 0 || (argb >> 24) == 0xFF; };
  const double extent = (m_size + 1) / 2 + kStampMargin;
  return TGraphics::MakeStamps(extent, key.scale, key.smooth,
                               opaqueOrClear(key.lineColor) && opaqueOrClear(key.fillColor),
                               [this](TGraphics& stampGraphics) { DrawShape(stampGraphics, QPointF(0, 0)); });
}

const geometry::TStamps* TPointStyle::StampsFor(const TGraphics& g) const {
  const std::optional<TStampKey> key = StampKeyFor(g, m_fillColor);
  if (!key) return nullptr;
  if (*key == m_stampKey) return &m_stamps;
  m_stamps = MakeStampsOf(*key);
  m_stampKey = *key;
  return &m_stamps;
}

const geometry::TStamps* TPointStyle::FillStampsFor(const TGraphics& g, uint32_t fillArgb) {
  std::optional<TStampKey> key = StampKeyFor(g, 0);
  if (!key) return nullptr;
  if (*key != m_fillStampsKey) {
    m_fillStamps.clear();
    m_fillStampsKey = *key;
  }
  if (const auto found = m_fillStamps.find(fillArgb); found != m_fillStamps.end()) return &found->second;
  key->fillColor = fillArgb;
  const QBrush ownBrush = m_brush;
  m_brush = geometry::MakeBrush(fillArgb);
  geometry::TStamps stamps = MakeStampsOf(*key);
  m_brush = ownBrush;
  return &m_fillStamps.emplace(fillArgb, std::move(stamps)).first->second;
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

void TPointStyle::Changed() {
  // Drawing objects must be ready before a listener repaints.
  m_pen = geometry::MakePen(m_lineColor, kMarkerPenWidth);
  m_brush = geometry::MakeBrush(m_fillColor);
  m_stampKey = {};
  m_fillStamps.clear();
  m_fillStampsKey = {};
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

#include "emf/gdi_stream.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "emf/emf_format.h"

namespace emf {

using namespace format;

namespace {

// One EMF unit is this fraction of a device pixel.
constexpr double kUnitsPerPixel = 16;
// Coordinates are clamped well inside 32 bits so that widths and sums of
// clamped values cannot overflow either.
constexpr double kUnitLimit = 1 << 30;
constexpr int kFaceNameLength = 32;  // UTF-16 units, terminator included
constexpr size_t kLogFontPanoseSize = 320;
constexpr size_t kLogFontSize = 92;
constexpr int32_t kPixelsPerMetre = 3780;  // 96 dpi

uint32_t ColorRef(uint32_t argb) { return ((argb >> 16) & 0xFF) | (argb & 0xFF00) | ((argb & 0xFF) << 16); }

uint32_t PenStyle(const TStroke& stroke) {
  uint32_t style = kPenGeometric | uint32_t(stroke.dash);
  switch (stroke.cap) {
    case TCap::Flat:
      style |= kPenEndCapFlat;
      break;
    case TCap::Square:
      style |= kPenEndCapSquare;
      break;
    case TCap::Round:
      style |= kPenEndCapRound;
      break;
  }
  switch (stroke.join) {
    case TJoin::Miter:
      style |= kPenJoinMiter;
      break;
    case TJoin::Bevel:
      style |= kPenJoinBevel;
      break;
    case TJoin::Round:
      style |= kPenJoinRound;
      break;
  }
  return style;
}

bool FitsInt16(const QPoint& point) {
  constexpr int kMin = std::numeric_limits<int16_t>::min();
  constexpr int kMax = std::numeric_limits<int16_t>::max();
  return point.x() >= kMin && point.x() <= kMax && point.y() >= kMin && point.y() <= kMax;
}

}  // namespace

void TGdiStream::WriteHeader() {
  const size_t start = m_buffer.BeginRecord(kEmrHeader);
  m_buffer.PutZeros(kHeaderSize - 8);
  m_buffer.EndRecord(start);
}

void TGdiStream::FinishHeader(const THeaderFields& fields) {
  const QRect& bounds = fields.bounds;
  const QRect& frame = fields.frame;
  size_t at = 8;
  for (int value : {bounds.left(), bounds.top(), bounds.right(), bounds.bottom(), frame.left(), frame.top(),
                    frame.left() + frame.width(), frame.top() + frame.height()}) {
    m_buffer.PatchI32(at, value);
    at += 4;
  }
  m_buffer.PatchU32(40, kEmfSignature);
  m_buffer.PatchU32(44, kEmfVersion);
  m_buffer.PatchU32(48, fields.bytes);
  m_buffer.PatchU32(52, fields.records);
  m_buffer.PatchU16(56, fields.handles);
  // No description, no palette.
  m_buffer.PatchI32(72, fields.referencePixels.width());
  m_buffer.PatchI32(76, fields.referencePixels.height());
  m_buffer.PatchI32(80, fields.referenceMicrometres.width() / 1000);
  m_buffer.PatchI32(84, fields.referenceMicrometres.height() / 1000);
  // No pixel format, no OpenGL.
  m_buffer.PatchI32(100, fields.referenceMicrometres.width());
  m_buffer.PatchI32(104, fields.referenceMicrometres.height());
}

void TGdiStream::WriteDefaults() {
  WriteU32Record(kEmrSetBkMode, kTransparentBackground);
  WriteU32Record(kEmrSetTextAlign, kTextAlignBaseline);
  WriteU32Record(kEmrSetPolyFillMode, kAlternateFill);
  m_winding = false;
}

void TGdiStream::WriteEof() {
  const size_t start = m_buffer.BeginRecord(kEmrEof);
  m_buffer.PutU32(0);   // no palette entries
  m_buffer.PutU32(16);  // palette offset
  m_buffer.PutU32(20);  // this record's size, repeated
  m_buffer.EndRecord(start);
}

void TGdiStream::WriteU32Record(uint32_t type, uint32_t value) {
  const size_t start = m_buffer.BeginRecord(type);
  m_buffer.PutU32(value);
  m_buffer.EndRecord(start);
}

int32_t TGdiStream::Units(double logical) const {
  return int32_t(std::lround(std::clamp(logical * m_scale, -kUnitLimit, kUnitLimit)));
}

void TGdiStream::PutUnitsRect(const QRectF& rect) {
  m_buffer.PutI32(Units(rect.left()));
  m_buffer.PutI32(Units(rect.top()));
  m_buffer.PutI32(Units(rect.right()));
  m_buffer.PutI32(Units(rect.bottom()));
}

void TGdiStream::PutBounds(const QRect& deviceBounds) {
  m_buffer.PutI32(deviceBounds.left());
  m_buffer.PutI32(deviceBounds.top());
  m_buffer.PutI32(deviceBounds.right());
  m_buffer.PutI32(deviceBounds.bottom());
}

void TGdiStream::Sync(const QTransform& transform, const std::optional<QRectF>& deviceClip) {
  if (m_stale || transform != m_transform) WriteTransform(transform);
  if (m_stale || deviceClip != m_clip) WriteClip(deviceClip);
  m_stale = false;
}

void TGdiStream::WriteTransform(const QTransform& transform) {
  const double pixelsPerUnit = std::sqrt(std::abs(transform.determinant()));
  m_scale = kUnitsPerPixel * (std::isfinite(pixelsPerUnit) && pixelsPerUnit > 0 ? pixelsPerUnit : 1.0);
  m_transform = transform;
  const size_t start = m_buffer.BeginRecord(kEmrSetWorldTransform);
  for (double value : {transform.m11() / m_scale, transform.m12() / m_scale, transform.m21() / m_scale,
                       transform.m22() / m_scale, transform.dx(), transform.dy()})
    m_buffer.PutF32(float(value));
  m_buffer.EndRecord(start);
}

void TGdiStream::WriteClip(const std::optional<QRectF>& deviceClip) {
  m_clip = deviceClip;
  // Clipping is switched off with an empty region, then set by intersecting
  // with a rectangle in logical units: the form most readers understand.
  const size_t reset = m_buffer.BeginRecord(kEmrExtSelectClipRgn);
  m_buffer.PutU32(0);
  m_buffer.PutU32(kRegionCopy);
  m_buffer.EndRecord(reset);
  if (!deviceClip) return;
  // The reader maps the rectangle to the device once, when it reads it. A
  // transform that rotates cannot express it, so then the device's own
  // units are used for that one record.
  const bool rectilinear = m_transform.m12() == 0 && m_transform.m21() == 0;
  const QTransform current = m_transform;
  if (!rectilinear) WriteTransform(QTransform());
  const QRectF logical = m_transform.inverted().mapRect(*deviceClip);
  const size_t start = m_buffer.BeginRecord(kEmrIntersectClipRect);
  PutUnitsRect(logical);
  m_buffer.EndRecord(start);
  if (!rectilinear) WriteTransform(current);
}

void TGdiStream::DrawShape(const TShape& shape, const TFill* fill, const TStroke* stroke, const QRect& deviceBounds) {
  switch (shape.kind) {
    case TShapeKind::Rectangle:
    case TShapeKind::Ellipse: {
      SelectPen(stroke);
      SelectBrush(fill);
      const size_t start = m_buffer.BeginRecord(shape.kind == TShapeKind::Rectangle ? kEmrRectangle : kEmrEllipse);
      PutUnitsRect(shape.rect);
      m_buffer.EndRecord(start);
      break;
    }
    case TShapeKind::Polygon:
      SetFillMode(shape.winding);
      SelectPen(stroke);
      SelectBrush(fill);
      WritePolyRecord(shape, deviceBounds);
      break;
    case TShapeKind::Polyline:
      SelectPen(stroke);
      WritePolyRecord(shape, deviceBounds);
      break;
  }
}

void TGdiStream::WritePolyRecord(const TShape& shape, const QRect& deviceBounds) {
  m_points.clear();
  bool small = true;
  for (const QPointF& point : shape.points) {
    m_points.emplace_back(Units(point.x()), Units(point.y()));
    small = small && FitsInt16(m_points.back());
  }
  const bool polygon = shape.kind == TShapeKind::Polygon;
  const uint32_t type = polygon ? (small ? kEmrPolygon16 : kEmrPolygon) : (small ? kEmrPolyline16 : kEmrPolyline);
  const size_t start = m_buffer.BeginRecord(type);
  PutBounds(deviceBounds);
  m_buffer.PutU32(uint32_t(m_points.size()));
  for (const QPoint& point : m_points) {
    if (small) {
      m_buffer.PutI16(int16_t(point.x()));
      m_buffer.PutI16(int16_t(point.y()));
    } else {
      m_buffer.PutI32(point.x());
      m_buffer.PutI32(point.y());
    }
  }
  m_buffer.EndRecord(start);
}

void TGdiStream::SetFillMode(bool winding) {
  if (winding == m_winding) return;
  WriteU32Record(kEmrSetPolyFillMode, winding ? kWindingFill : kAlternateFill);
  m_winding = winding;
}

void TGdiStream::SetTextColor(uint32_t color) {
  if (m_textColor == color) return;
  WriteU32Record(kEmrSetTextColor, color);
  m_textColor = color;
}

void TGdiStream::DrawText(const TTextRun& run, const QRect& deviceBounds) {
  SelectFont(run.font);
  SetTextColor(ColorRef(run.argb));
  const auto count = uint32_t(run.text.size());
  constexpr uint32_t kStringOffset = 76;
  const uint32_t dxOffset = kStringOffset + (count * 2 + 3) / 4 * 4;

  const size_t start = m_buffer.BeginRecord(kEmrExtTextOutW);
  PutBounds(deviceBounds);
  m_buffer.PutU32(kAdvancedGraphicsMode);
  m_buffer.PutF32(0);  // scales apply to the compatible graphics mode only
  m_buffer.PutF32(0);
  const int32_t x = Units(run.origin.x());
  m_buffer.PutI32(x);
  m_buffer.PutI32(Units(run.origin.y()));
  m_buffer.PutU32(count);
  m_buffer.PutU32(kStringOffset);
  m_buffer.PutU32(0);     // options: no clipping, no opaque background
  m_buffer.PutZeros(16);  // the clipping rectangle, unused
  m_buffer.PutU32(dxOffset);
  m_buffer.PutUtf16(run.text);
  m_buffer.PadTo4();
  // Advances come from the character positions, rounded once each, so the
  // characters land where the painter put them.
  for (uint32_t i = 0; i < count; ++i) {
    const int32_t from = Units(run.origin.x() + run.offsets[i]);
    const int32_t to = Units(run.origin.x() + run.offsets[i + 1]);
    m_buffer.PutI32(std::max(0, to - from));
  }
  m_buffer.EndRecord(start);
}

void TGdiStream::DrawImage(const QRectF& target, const QImage& image, const QRect& deviceBounds) {
  const bool alpha = image.hasAlphaChannel();
  const QImage pixels = image.convertToFormat(alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  const int32_t x = Units(target.left());
  const int32_t y = Units(target.top());
  const int32_t width = Units(target.right()) - x;
  const int32_t height = Units(target.bottom()) - y;
  const auto bitsSize = uint32_t(pixels.width()) * uint32_t(pixels.height()) * 4;

  const size_t start = m_buffer.BeginRecord(alpha ? kEmrAlphaBlend : kEmrStretchDIBits);
  PutBounds(deviceBounds);
  if (alpha) {
    constexpr uint32_t kInfoOffset = 108;
    for (int32_t value : {x, y, width, height}) m_buffer.PutI32(value);
    m_buffer.PutU32(kBlendSourceAlpha);
    m_buffer.PutI32(0);  // source x, y
    m_buffer.PutI32(0);
    for (float value : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f}) m_buffer.PutF32(value);  // source transform
    m_buffer.PutU32(0);                                                               // source background
    m_buffer.PutU32(kDibRgbColors);
    for (uint32_t value : {kInfoOffset, kBitmapInfoHeaderSize, kInfoOffset + kBitmapInfoHeaderSize, bitsSize})
      m_buffer.PutU32(value);
    m_buffer.PutI32(pixels.width());
    m_buffer.PutI32(pixels.height());
  } else {
    constexpr uint32_t kInfoOffset = 80;
    for (int32_t value : {x, y, 0, 0, int32_t(pixels.width()), int32_t(pixels.height())}) m_buffer.PutI32(value);
    for (uint32_t value : {kInfoOffset, kBitmapInfoHeaderSize, kInfoOffset + kBitmapInfoHeaderSize, bitsSize})
      m_buffer.PutU32(value);
    m_buffer.PutU32(kDibRgbColors);
    m_buffer.PutU32(kSourceCopy);
    m_buffer.PutI32(width);
    m_buffer.PutI32(height);
  }
  PutBitmapInfo(pixels);
  PutBitmapRows(pixels);
  m_buffer.EndRecord(start);
}

void TGdiStream::PutBitmapInfo(const QImage& image) {
  m_buffer.PutU32(kBitmapInfoHeaderSize);
  m_buffer.PutI32(image.width());
  m_buffer.PutI32(image.height());  // positive: rows bottom-up
  m_buffer.PutU16(1);               // planes
  m_buffer.PutU16(32);              // bits per pixel
  m_buffer.PutU32(0);               // uncompressed
  m_buffer.PutU32(uint32_t(image.width()) * uint32_t(image.height()) * 4);
  m_buffer.PutI32(kPixelsPerMetre);
  m_buffer.PutI32(kPixelsPerMetre);
  m_buffer.PutU32(0);  // colours used
  m_buffer.PutU32(0);  // important colours
}

void TGdiStream::PutBitmapRows(const QImage& image) {
  // 32-bit pixels are B, G, R, A in memory, as a DIB stores them.
  for (int row = image.height() - 1; row >= 0; --row) {
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
      m_buffer.PutBytes(image.constScanLine(row), size_t(image.width()) * 4);
    } else {
      const auto* pixels = reinterpret_cast<const uint32_t*>(image.constScanLine(row));
      for (int column = 0; column < image.width(); ++column) m_buffer.PutU32(pixels[column]);
    }
  }
}

void TGdiStream::SelectPen(const TStroke* stroke) {
  if (!stroke) return Select(kStockNullPen, m_selectedPen);
  const TPenKey key{PenStyle(*stroke), uint32_t(std::max(1, Units(stroke->width))), ColorRef(stroke->argb)};
  int slot = m_pens.Find(key);
  if (slot < 0) {
    bool replaced = false;
    slot = m_pens.Claim(key, replaced);
    if (replaced) Release(kFirstPen + uint32_t(slot), m_selectedPen, kStockNullPen);
    CreatePen(kFirstPen + uint32_t(slot), key);
  }
  Select(kFirstPen + uint32_t(slot), m_selectedPen);
}

void TGdiStream::SelectBrush(const TFill* fill) {
  if (!fill) return Select(kStockNullBrush, m_selectedBrush);
  const uint32_t color = ColorRef(fill->argb);
  int slot = m_brushes.Find(color);
  if (slot < 0) {
    bool replaced = false;
    slot = m_brushes.Claim(color, replaced);
    if (replaced) Release(kFirstBrush + uint32_t(slot), m_selectedBrush, kStockNullBrush);
    CreateBrush(kFirstBrush + uint32_t(slot), color);
  }
  Select(kFirstBrush + uint32_t(slot), m_selectedBrush);
}

void TGdiStream::SelectFont(const TFontSpec& font) {
  const TFontKey key{font.family.left(kFaceNameLength - 1), -std::max(1, Units(font.emSize)),
                     std::clamp(font.weight, 1, 1000), font.italic};
  int slot = m_fonts.Find(key);
  if (slot < 0) {
    bool replaced = false;
    slot = m_fonts.Claim(key, replaced);
    if (replaced) Release(kFirstFont + uint32_t(slot), m_selectedFont, kStockSystemFont);
    CreateFont(kFirstFont + uint32_t(slot), key);
  }
  Select(kFirstFont + uint32_t(slot), m_selectedFont);
}

void TGdiStream::Select(uint32_t handle, uint32_t& selected) {
  if (handle == selected) return;
  WriteU32Record(kEmrSelectObject, handle);
  selected = handle;
}

void TGdiStream::Release(uint32_t handle, uint32_t& selected, uint32_t stock) {
  if (selected == handle) Select(stock, selected);
  WriteU32Record(kEmrDeleteObject, handle);
}

void TGdiStream::CreatePen(uint32_t handle, const TPenKey& pen) {
  NoteHandle(handle);
  const size_t start = m_buffer.BeginRecord(kEmrExtCreatePen);
  m_buffer.PutU32(handle);
  m_buffer.PutZeros(16);  // no pattern bitmap
  m_buffer.PutU32(pen.style);
  m_buffer.PutU32(pen.width);
  m_buffer.PutU32(kSolidBrushStyle);
  m_buffer.PutU32(pen.color);
  m_buffer.PutU32(0);  // hatch
  m_buffer.PutU32(0);  // no custom dashes
  m_buffer.PutU32(0);  // the unused first dash entry: readers expect the record at its declared size
  m_buffer.EndRecord(start);
}

void TGdiStream::CreateBrush(uint32_t handle, uint32_t color) {
  NoteHandle(handle);
  const size_t start = m_buffer.BeginRecord(kEmrCreateBrushIndirect);
  m_buffer.PutU32(handle);
  m_buffer.PutU32(kSolidBrushStyle);
  m_buffer.PutU32(color);
  m_buffer.PutU32(0);  // hatch
  m_buffer.EndRecord(start);
}

void TGdiStream::CreateFont(uint32_t handle, const TFontKey& font) {
  NoteHandle(handle);
  const size_t start = m_buffer.BeginRecord(kEmrExtCreateFontIndirectW);
  m_buffer.PutU32(handle);
  m_buffer.PutI32(font.height);  // negative: the em height
  m_buffer.PutI32(0);            // width: from the aspect ratio
  m_buffer.PutI32(0);            // escapement
  m_buffer.PutI32(0);            // orientation
  m_buffer.PutI32(font.weight);
  m_buffer.PutU8(font.italic ? 1 : 0);
  m_buffer.PutU8(0);  // underline and strike-out reach the file as the painter's own lines
  m_buffer.PutU8(0);
  m_buffer.PutU8(uint8_t(kDefaultCharset));
  m_buffer.PutZeros(4);  // precision, quality, pitch and family: defaults
  m_buffer.PutUtf16(font.face);
  m_buffer.PutZeros(size_t(kFaceNameLength - font.face.size()) * 2);
  m_buffer.PutZeros(kLogFontPanoseSize - kLogFontSize);  // full name, style, panose: unknown
  m_buffer.EndRecord(start);
}

void TGdiStream::NoteHandle(uint32_t handle) { m_lastHandle = std::max(m_lastHandle, handle); }

}  // namespace emf

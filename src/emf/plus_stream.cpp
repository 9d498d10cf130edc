#include "emf/plus_stream.h"

#include "emf/emf_format.h"

namespace emf {

using namespace format;

namespace {

uint32_t PlusCap(TCap cap) {
  switch (cap) {
    case TCap::Square:
      return 1;
    case TCap::Round:
      return 2;
    default:
      return 0;  // flat
  }
}

uint32_t PlusJoin(TJoin join) {
  switch (join) {
    case TJoin::Bevel:
      return 1;
    case TJoin::Round:
      return 2;
    default:
      return 0;  // miter
  }
}

}  // namespace

void TPlusStream::WriteHeader(int dpi) {
  BeginComment();
  size_t record = m_buffer.BeginPlusRecord(kPlusHeader, kPlusHeaderDual);
  m_buffer.PutU32(kPlusGraphicsVersion);
  m_buffer.PutU32(kPlusReferenceIsDisplay);
  m_buffer.PutU32(uint32_t(dpi));
  m_buffer.PutU32(uint32_t(dpi));
  m_buffer.EndPlusRecord(record);
  // Page units are pixels of the reference resolution, so world units are
  // the painter's logical units.
  record = m_buffer.BeginPlusRecord(kPlusSetPageTransform, uint16_t(kPlusUnitPixel));
  m_buffer.PutF32(1.0f);
  m_buffer.EndPlusRecord(record);
  EndComment();
}

void TPlusStream::WriteEndOfFile() {
  BeginComment();
  m_buffer.EndPlusRecord(m_buffer.BeginPlusRecord(kPlusEndOfFile, 0));
  EndComment();
}

void TPlusStream::BeginComment() {
  m_comment = m_buffer.BeginRecord(kEmrComment);
  m_buffer.PutU32(0);  // data size, patched by EndComment
  m_buffer.PutU32(kEmfPlusSignature);
}

void TPlusStream::EndComment() {
  m_buffer.PatchU32(m_comment + 8, uint32_t(m_buffer.Size() - m_comment - 12));
  m_buffer.EndRecord(m_comment);
}

void TPlusStream::GetDC() { m_buffer.EndPlusRecord(m_buffer.BeginPlusRecord(kPlusGetDC, 0)); }

void TPlusStream::Sync(const QTransform& transform, const std::optional<QRectF>& deviceClip) {
  if (deviceClip != m_clip) WriteClip(deviceClip);
  if (transform != m_transform) WriteTransform(transform);
}

void TPlusStream::WriteTransform(const QTransform& transform) {
  const size_t record = m_buffer.BeginPlusRecord(kPlusSetWorldTransform, 0);
  for (double value :
       {transform.m11(), transform.m12(), transform.m21(), transform.m22(), transform.dx(), transform.dy()})
    m_buffer.PutF32(float(value));
  m_buffer.EndPlusRecord(record);
  m_transform = transform;
}

void TPlusStream::WriteClip(const std::optional<QRectF>& deviceClip) {
  m_clip = deviceClip;
  if (!deviceClip) {
    m_buffer.EndPlusRecord(m_buffer.BeginPlusRecord(kPlusResetClip, 0));
    return;
  }
  // A clip rectangle is read in world units when it is set and then stays on
  // the device; ours is in device pixels, so it is set without a transform
  // (Sync writes the transform again afterwards).
  if (!m_transform.isIdentity()) {
    m_buffer.EndPlusRecord(m_buffer.BeginPlusRecord(kPlusResetWorldTransform, 0));
    m_transform = QTransform();
  }
  const size_t record = m_buffer.BeginPlusRecord(kPlusSetClipRect, 0);  // combine mode: replace
  PutRect(*deviceClip);
  m_buffer.EndPlusRecord(record);
}

void TPlusStream::DrawShape(const TShape& shape, const TFill* fill, const TStroke* stroke) {
  const uint8_t pen = stroke ? PenId(*stroke) : 0;
  switch (shape.kind) {
    case TShapeKind::Rectangle:
      if (fill) FillRect(kPlusFillRects, *fill, shape.rect);
      if (stroke) DrawRect(kPlusDrawRects, pen, shape.rect, true);
      break;
    case TShapeKind::Ellipse:
      if (fill) FillRect(kPlusFillEllipse, *fill, shape.rect);
      if (stroke) DrawRect(kPlusDrawEllipse, pen, shape.rect, false);
      break;
    case TShapeKind::Polygon:
      if (fill && shape.points.size() >= 3) FillPolygon(*fill, shape.points);
      if (stroke) DrawLines(pen, shape.points, true);
      break;
    case TShapeKind::Polyline:
      if (stroke) DrawLines(pen, shape.points, false);
      break;
  }
}

void TPlusStream::FillRect(uint16_t record, const TFill& fill, const QRectF& rect) {
  const size_t start = m_buffer.BeginPlusRecord(record, kPlusColorBrush);
  m_buffer.PutU32(fill.argb);
  if (record == kPlusFillRects) m_buffer.PutU32(1);
  PutRect(rect);
  m_buffer.EndPlusRecord(start);
}

void TPlusStream::DrawRect(uint16_t record, uint8_t pen, const QRectF& rect, bool counted) {
  const size_t start = m_buffer.BeginPlusRecord(record, pen);
  if (counted) m_buffer.PutU32(1);
  PutRect(rect);
  m_buffer.EndPlusRecord(start);
}

void TPlusStream::FillPolygon(const TFill& fill, std::span<const QPointF> points) {
  const size_t start = m_buffer.BeginPlusRecord(kPlusFillPolygon, kPlusColorBrush);
  m_buffer.PutU32(fill.argb);
  m_buffer.PutU32(uint32_t(points.size()));
  PutPoints(points);
  m_buffer.EndPlusRecord(start);
}

void TPlusStream::DrawLines(uint8_t pen, std::span<const QPointF> points, bool closed) {
  const size_t start = m_buffer.BeginPlusRecord(kPlusDrawLines, uint16_t(pen | (closed ? kPlusClosedLines : 0)));
  m_buffer.PutU32(uint32_t(points.size()));
  PutPoints(points);
  m_buffer.EndPlusRecord(start);
}

void TPlusStream::DrawText(const TTextRun& run) {
  const uint8_t font = FontId(run.font);
  const size_t start = m_buffer.BeginPlusRecord(kPlusDrawDriverString, uint16_t(kPlusColorBrush | font));
  m_buffer.PutU32(run.argb);
  m_buffer.PutU32(kPlusDriverStringCmapLookup);  // glyphs are UTF-16 characters
  m_buffer.PutU32(1);                            // a matrix follows the positions
  m_buffer.PutU32(uint32_t(run.text.size()));
  m_buffer.PutUtf16(run.text);
  for (qsizetype i = 0; i < run.text.size(); ++i) {
    m_buffer.PutF32(float(run.origin.x() + run.offsets[size_t(i)]));
    m_buffer.PutF32(float(run.origin.y()));
  }
  // The matrix is optional, but some readers reject the record without it;
  // the identity changes nothing.
  for (float value : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f}) m_buffer.PutF32(value);
  m_buffer.EndPlusRecord(start);
}

uint8_t TPlusStream::PenId(const TStroke& stroke) {
  int slot = m_pens.Find(stroke);
  if (slot < 0) {
    bool replaced = false;  // an object id is simply redefined
    slot = m_pens.Claim(stroke, replaced);
    WritePen(uint8_t(slot), stroke);
  }
  return uint8_t(slot);
}

uint8_t TPlusStream::FontId(const TFontSpec& font) {
  int slot = m_fonts.Find(font);
  if (slot < 0) {
    bool replaced = false;
    slot = m_fonts.Claim(font, replaced);
    WriteFont(uint8_t(kPenSlots + slot), font);
  }
  return uint8_t(kPenSlots + slot);
}

void TPlusStream::WritePen(uint8_t id, const TStroke& stroke) {
  const bool dashed = stroke.dash != TDash::Solid;
  const size_t start = m_buffer.BeginPlusRecord(kPlusObject, uint16_t((kPlusObjectPen << 8) | id));
  m_buffer.PutU32(kPlusGraphicsVersion);
  m_buffer.PutU32(0);  // pen type
  m_buffer.PutU32(kPlusPenStartCap | kPlusPenEndCap | kPlusPenJoin | kPlusPenMiterLimit | kPlusPenLineStyle |
                  (dashed ? kPlusPenDashedLineCap : 0));
  m_buffer.PutU32(kPlusUnitWorld);
  m_buffer.PutF32(stroke.width);
  m_buffer.PutU32(PlusCap(stroke.cap));
  m_buffer.PutU32(PlusCap(stroke.cap));
  m_buffer.PutU32(PlusJoin(stroke.join));
  m_buffer.PutF32(stroke.miterLimit);
  m_buffer.PutU32(uint32_t(stroke.dash));
  if (dashed) m_buffer.PutU32(stroke.cap == TCap::Round ? 2 : 0);  // dashes may only be flat or round
  m_buffer.PutU32(kPlusGraphicsVersion);                           // the pen's solid brush
  m_buffer.PutU32(kPlusSolidBrush);
  m_buffer.PutU32(stroke.argb);
  m_buffer.EndPlusRecord(start);
}

void TPlusStream::WriteFont(uint8_t id, const TFontSpec& font) {
  const size_t start = m_buffer.BeginPlusRecord(kPlusObject, uint16_t((kPlusObjectFont << 8) | id));
  m_buffer.PutU32(kPlusGraphicsVersion);
  m_buffer.PutF32(font.emSize);
  m_buffer.PutU32(kPlusUnitPixel);
  m_buffer.PutU32((font.weight >= 600 ? 1u : 0u) | (font.italic ? 2u : 0u));
  m_buffer.PutU32(0);  // reserved
  m_buffer.PutU32(uint32_t(font.family.size()));
  m_buffer.PutUtf16(font.family);
  m_buffer.EndPlusRecord(start);
}

void TPlusStream::PutRect(const QRectF& rect) {
  m_buffer.PutF32(float(rect.x()));
  m_buffer.PutF32(float(rect.y()));
  m_buffer.PutF32(float(rect.width()));
  m_buffer.PutF32(float(rect.height()));
}

void TPlusStream::PutPoints(std::span<const QPointF> points) {
  for (const QPointF& point : points) {
    m_buffer.PutF32(float(point.x()));
    m_buffer.PutF32(float(point.y()));
  }
}

}  // namespace emf

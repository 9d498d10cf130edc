#pragma once

#include <QRectF>
#include <QTransform>
#include <cstdint>
#include <optional>

#include "emf/object_slots.h"
#include "emf/paint_items.h"
#include "emf/record_buffer.h"

namespace emf {

// The EMF+ half of a dual metafile: EMF+ records inside EMF comments. Keeps
// the world transform and clip it has written and the pens and fonts in its
// object table, so that each is written only when it changes. Solid fills
// need no object: fill records carry their ARGB colour.
class TPlusStream {
 public:
  explicit TPlusStream(TRecordBuffer& buffer) : m_buffer(buffer) {}

  // The EMF+ header and page setup, in the comment that must come right
  // after the EMF header; and the closing record.
  void WriteHeader(int dpi);
  void WriteEndOfFile();

  // The records of one drawing step go into one comment.
  void BeginComment();
  void EndComment();

  // Writes what differs from the transform and device clip last written.
  void Sync(const QTransform& transform, const std::optional<QRectF>& deviceClip);
  void DrawShape(const TShape& shape, const TFill* fill, const TStroke* stroke);
  void DrawText(const TTextRun& run);
  // Asks EMF+ readers to play the EMF records that follow, up to the next
  // EMF+ record: for what is written in EMF only (images).
  void GetDC();

 private:
  static constexpr int kPenSlots = 32;
  static constexpr int kFontSlots = 32;  // object ids 32..63

  void WriteTransform(const QTransform& transform);
  void WriteClip(const std::optional<QRectF>& deviceClip);
  uint8_t PenId(const TStroke& stroke);
  uint8_t FontId(const TFontSpec& font);
  void WritePen(uint8_t id, const TStroke& stroke);
  void WriteFont(uint8_t id, const TFontSpec& font);
  void FillRect(uint16_t record, const TFill& fill, const QRectF& rect);
  void DrawRect(uint16_t record, uint8_t pen, const QRectF& rect, bool counted);
  void FillPolygon(const TFill& fill, std::span<const QPointF> points);
  void DrawLines(uint8_t pen, std::span<const QPointF> points, bool closed);
  void PutRect(const QRectF& rect);
  void PutPoints(std::span<const QPointF> points);

  TRecordBuffer& m_buffer;
  size_t m_comment = 0;
  QTransform m_transform;
  std::optional<QRectF> m_clip;
  TObjectSlots<TStroke, kPenSlots> m_pens;
  TObjectSlots<TFontSpec, kFontSlots> m_fonts;
};

}  // namespace emf

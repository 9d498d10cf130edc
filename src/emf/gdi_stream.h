#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QTransform>
#include <cstdint>
#include <optional>
#include <vector>

#include "emf/object_slots.h"
#include "emf/paint_items.h"
#include "emf/record_buffer.h"

namespace emf {

// The fields of the EMF header that are known only when recording ends.
struct THeaderFields {
  QRect bounds;  // device pixels, inclusive; (0, 0, -1, -1) when nothing was drawn
  QRect frame;   // 0.01 mm
  QSize referencePixels;
  QSize referenceMicrometres;
  uint32_t bytes = 0;
  uint32_t records = 0;
  uint16_t handles = 1;
};

// The plain EMF half of a dual metafile, for readers without EMF+. EMF
// coordinates are integers, so logical units are written multiplied by a
// scale that makes one EMF unit a sixteenth of a device pixel, and the world
// transform divides by it again. Pens, brushes and fonts are created once
// per distinct value and selected when they change; colours are opaque.
class TGdiStream {
 public:
  explicit TGdiStream(TRecordBuffer& buffer) : m_buffer(buffer) {}

  // The header record, at offset 0, completed by FinishHeader.
  void WriteHeader();
  void FinishHeader(const THeaderFields& fields);
  // Background mode, text alignment and fill mode the other records rely on.
  void WriteDefaults();
  void WriteEof();
  uint16_t HandleCount() const { return uint16_t(m_lastHandle + 1); }

  // Writes what differs from the transform and device clip last written.
  void Sync(const QTransform& transform, const std::optional<QRectF>& deviceClip);
  // Makes the next Sync write transform and clip again, for readers that
  // skipped the EMF records before (EMF+ readers after a GetDC record).
  void Invalidate() { m_stale = true; }

  // deviceBounds: the drawing's device pixels, inclusive.
  void DrawShape(const TShape& shape, const TFill* fill, const TStroke* stroke, const QRect& deviceBounds);
  void DrawText(const TTextRun& run, const QRect& deviceBounds);
  void DrawImage(const QRectF& target, const QImage& image, const QRect& deviceBounds);

 private:
  struct TPenKey {
    uint32_t style = 0;
    uint32_t width = 0;
    uint32_t color = 0;
    bool operator==(const TPenKey&) const = default;
  };
  struct TFontKey {
    QString face;
    int32_t height = 0;
    int32_t weight = 0;
    bool italic = false;
    bool operator==(const TFontKey&) const = default;
  };
  static constexpr int kPenSlots = 16;
  static constexpr int kBrushSlots = 16;
  static constexpr int kFontSlots = 8;
  static constexpr uint32_t kFirstPen = 1;
  static constexpr uint32_t kFirstBrush = kFirstPen + kPenSlots;
  static constexpr uint32_t kFirstFont = kFirstBrush + kBrushSlots;

  int32_t Units(double logical) const;
  void PutUnitsRect(const QRectF& rect);
  void PutBounds(const QRect& deviceBounds);
  void WriteTransform(const QTransform& transform);
  void WriteClip(const std::optional<QRectF>& deviceClip);
  void WriteU32Record(uint32_t type, uint32_t value);
  void WritePolyRecord(const TShape& shape, const QRect& deviceBounds);
  void SetFillMode(bool winding);
  void SetTextColor(uint32_t color);

  void SelectPen(const TStroke* stroke);
  void SelectBrush(const TFill* fill);
  void SelectFont(const TFontSpec& font);
  // Makes handle the selected object of its kind; selected is that kind's
  // record of the current selection.
  void Select(uint32_t handle, uint32_t& selected);
  // Frees handle before it is created again, deselecting it first.
  void Release(uint32_t handle, uint32_t& selected, uint32_t stock);
  void CreatePen(uint32_t handle, const TPenKey& pen);
  void CreateBrush(uint32_t handle, uint32_t color);
  void CreateFont(uint32_t handle, const TFontKey& font);
  void NoteHandle(uint32_t handle);

  void PutBitmapInfo(const QImage& image);
  void PutBitmapRows(const QImage& image);

  TRecordBuffer& m_buffer;
  QTransform m_transform;
  double m_scale = 16;  // EMF units per logical unit
  std::optional<QRectF> m_clip;
  bool m_stale = true;  // the reader's transform is not ours yet
  bool m_winding = false;
  std::optional<uint32_t> m_textColor;
  uint32_t m_selectedPen = 0;  // 0: nothing selected yet
  uint32_t m_selectedBrush = 0;
  uint32_t m_selectedFont = 0;
  uint32_t m_lastHandle = 0;
  TObjectSlots<TPenKey, kPenSlots> m_pens;
  TObjectSlots<uint32_t, kBrushSlots> m_brushes;
  TObjectSlots<TFontKey, kFontSlots> m_fonts;
  std::vector<QPoint> m_points;  // reused for every polygon's EMF units
};

}  // namespace emf

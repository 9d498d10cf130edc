#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QTransform>
#include <optional>
#include <vector>

#include "emf/gdi_stream.h"
#include "emf/paint_items.h"
#include "emf/plus_stream.h"
#include "emf/record_buffer.h"

namespace emf {

// One EMF+ dual metafile in the making. Every drawing step is written twice:
// as EMF+ records in a comment, then as its plain EMF equivalent. The writer
// holds the current world transform and device clip, skips what cannot be
// seen, and gathers the device bounds the header reports.
//
// A shape filled and outlined in one step is one EMF record; drawing through
// vector_device::TShapeMergingDevice turns a fill followed by the outline of
// the same shape (how the diagram draws its markers) into such a step, which
// halves the size of files full of markers.
class TMetafileWriter {
 public:
  static constexpr int kDpi = 96;

  // frame: the picture's size in pixels at kDpi.
  explicit TMetafileWriter(const QSize& frame);
  // The header's frame states this physical size instead of the pixels'.
  void SetFrameMillimetres(const QSizeF& millimetres) { m_frameMillimetres = millimetres; }

  void SetTransform(const QTransform& transform);
  // In device pixels; nullopt: no clipping.
  void SetClip(const std::optional<QRectF>& deviceClip);

  void DrawShape(const TShape& shape, const TFill* fill, const TStroke* stroke);
  // textBounds: the run's box in logical units, for the header's bounds.
  void DrawText(const TTextRun& run, const QRectF& textBounds);
  void DrawImage(const QRectF& target, const QImage& image);

  // Closes the file and hands over its bytes. An empty array when the file
  // would exceed the format's 4 GiB limit. Later calls return the same bytes.
  QByteArray Finish();
  bool Finished() const { return m_finished; }

 private:
  bool CanDraw() const;
  void Emit(const TShape& shape, const TFill* fill, const TStroke* stroke);
  // Maps a logical box to device pixels, clipped; nullopt when nothing of it
  // can be seen. Also widens the header's bounds.
  std::optional<QRect> Reach(const QRectF& logicalBox);

  TRecordBuffer m_buffer;
  TPlusStream m_plus{m_buffer};
  TGdiStream m_gdi{m_buffer};
  QSize m_frame;
  QSizeF m_frameMillimetres;
  QTransform m_transform;
  bool m_invertible = true;
  std::optional<QRectF> m_clip;
  QRectF m_bounds;  // device pixels
  bool m_finished = false;
  QByteArray m_file;
};

}  // namespace emf

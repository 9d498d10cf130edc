#include "emf/metafile_writer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace emf {

namespace {

constexpr double kPixelLimit = 1 << 30;
// A 96-dpi display of 1920 x 1440 pixels is 508 x 381 mm: the header's
// reference device, chosen so that both sizes are exact.
const QSize kReferencePixels(1920, 1440);
const QSize kReferenceMicrometres(508000, 381000);

bool IsFinite(double value) { return std::isfinite(value); }

bool IsFinite(const QRectF& rect) {
  return IsFinite(rect.x()) && IsFinite(rect.y()) && IsFinite(rect.width()) && IsFinite(rect.height());
}

bool IsFinite(const TShape& shape) {
  if (shape.kind == TShapeKind::Rectangle || shape.kind == TShapeKind::Ellipse) return IsFinite(shape.rect);
  return std::all_of(shape.points.begin(), shape.points.end(),
                     [](const QPointF& point) { return IsFinite(point.x()) && IsFinite(point.y()); });
}

bool IsFinite(const QTransform& transform) {
  for (double value : {transform.m11(), transform.m12(), transform.m13(), transform.m21(), transform.m22(),
                       transform.m23(), transform.m31(), transform.m32(), transform.m33()})
    if (!IsFinite(value)) return false;
  return true;
}

QRectF PointsBox(std::span<const QPointF> points) {
  double left = points[0].x(), right = left, top = points[0].y(), bottom = top;
  for (const QPointF& point : points) {
    left = std::min(left, point.x());
    right = std::max(right, point.x());
    top = std::min(top, point.y());
    bottom = std::max(bottom, point.y());
  }
  return QRectF(QPointF(left, top), QPointF(right, bottom));
}

// The logical box a shape can paint: its geometry widened by what the pen
// adds (half the width, more at square caps and miter joins).
QRectF LogicalBox(const TShape& shape, const TStroke* stroke) {
  const bool hasPoints = shape.kind == TShapeKind::Polygon || shape.kind == TShapeKind::Polyline;
  QRectF box = hasPoints ? PointsBox(shape.points) : shape.rect;
  if (stroke) {
    const double miter = hasPoints && stroke->join == TJoin::Miter ? stroke->miterLimit / 2.0 : 0.0;
    const double margin = std::abs(stroke->width) * std::max(0.75, miter);
    box.adjust(-margin, -margin, margin, margin);
  }
  return box;
}

int PixelEdge(double value) { return int(std::clamp(value, -kPixelLimit, kPixelLimit)); }

// Whole device pixels touched by rect, as an inclusive rectangle.
QRect InclusivePixels(const QRectF& rect) {
  const int left = PixelEdge(std::floor(rect.left()));
  const int top = PixelEdge(std::floor(rect.top()));
  const int right = std::max(left, PixelEdge(std::ceil(rect.right())) - 1);
  const int bottom = std::max(top, PixelEdge(std::ceil(rect.bottom())) - 1);
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

int HundredthsOfMillimetre(int pixels) { return int(std::lround(pixels * 2540.0 / TMetafileWriter::kDpi)); }

}  // namespace

TMetafileWriter::TMetafileWriter(const QSize& frame) : m_frame(frame.expandedTo(QSize(0, 0))) {
  m_gdi.WriteHeader();
  m_plus.WriteHeader(kDpi);
  m_gdi.WriteDefaults();
}

void TMetafileWriter::SetTransform(const QTransform& transform) {
  if (transform == m_transform) return;
  m_transform = transform;
  const double determinant = transform.determinant();
  m_invertible = IsFinite(transform) && IsFinite(determinant) && determinant != 0;
}

void TMetafileWriter::SetClip(const std::optional<QRectF>& deviceClip) {
  if (deviceClip == m_clip) return;
  m_clip = deviceClip;
}

bool TMetafileWriter::CanDraw() const { return !m_finished && m_invertible && !(m_clip && m_clip->isEmpty()); }

void TMetafileWriter::DrawShape(const TShape& shape, const TFill* fill, const TStroke* stroke) {
  const bool hasPoints = shape.kind == TShapeKind::Polygon || shape.kind == TShapeKind::Polyline;
  if (shape.kind == TShapeKind::Polyline) fill = nullptr;
  if ((!fill && !stroke) || (hasPoints && shape.points.size() < 2)) return;
  if (!CanDraw() || !IsFinite(shape)) return;
  Emit(shape, fill, stroke);
}

void TMetafileWriter::Emit(const TShape& shape, const TFill* fill, const TStroke* stroke) {
  const std::optional<QRect> device = Reach(LogicalBox(shape, stroke));
  if (!device) return;
  m_plus.BeginComment();
  m_plus.Sync(m_transform, m_clip);
  m_plus.DrawShape(shape, fill, stroke);
  m_plus.EndComment();
  m_gdi.Sync(m_transform, m_clip);
  m_gdi.DrawShape(shape, fill, stroke, *device);
}

void TMetafileWriter::DrawText(const TTextRun& run, const QRectF& textBounds) {
  if (!CanDraw() || run.text.isEmpty() || run.offsets.size() != size_t(run.text.size()) + 1) return;
  if (!IsFinite(run.origin.x()) || !IsFinite(run.origin.y()) || !IsFinite(textBounds) ||
      !std::all_of(run.offsets.begin(), run.offsets.end(), [](double x) { return IsFinite(x); }))
    return;
  const std::optional<QRect> device = Reach(textBounds);
  if (!device) return;
  m_plus.BeginComment();
  m_plus.Sync(m_transform, m_clip);
  m_plus.DrawText(run);
  m_plus.EndComment();
  m_gdi.Sync(m_transform, m_clip);
  m_gdi.DrawText(run, *device);
}

void TMetafileWriter::DrawImage(const QRectF& target, const QImage& image) {
  if (!CanDraw() || image.isNull() || !IsFinite(target)) return;
  const std::optional<QRect> device = Reach(target.normalized());
  if (!device) return;
  // EMF+ readers are sent to the EMF records for the picture; they skipped
  // the EMF transform and clip so far, so those are written again.
  m_plus.BeginComment();
  m_plus.Sync(m_transform, m_clip);
  m_plus.GetDC();
  m_plus.EndComment();
  m_gdi.Invalidate();
  m_gdi.Sync(m_transform, m_clip);
  m_gdi.DrawImage(target, image, *device);
}

std::optional<QRect> TMetafileWriter::Reach(const QRectF& logicalBox) {
  QRectF device = m_transform.mapRect(logicalBox);
  if (m_clip) {
    const double left = std::max(device.left(), m_clip->left());
    const double top = std::max(device.top(), m_clip->top());
    const double right = std::min(device.right(), m_clip->right());
    const double bottom = std::min(device.bottom(), m_clip->bottom());
    if (right <= left || bottom <= top) return std::nullopt;
    device = QRectF(QPointF(left, top), QPointF(right, bottom));
  }
  m_bounds = m_bounds.isNull() ? device : m_bounds.united(device);
  return InclusivePixels(device);
}

QByteArray TMetafileWriter::Finish() {
  if (m_finished) return m_file;
  m_finished = true;
  m_plus.WriteEndOfFile();
  m_gdi.WriteEof();
  if (m_buffer.Size() > std::numeric_limits<uint32_t>::max()) {
    m_buffer.Take();  // too large for the header's byte count: give the memory back
    return m_file;
  }
  THeaderFields fields;
  fields.bounds = m_bounds.isNull() ? QRect(0, 0, 0, 0) : InclusivePixels(m_bounds);
  fields.frame = m_frameMillimetres.isValid()
                     ? QRect(0, 0, int(std::lround(m_frameMillimetres.width() * 100)),
                             int(std::lround(m_frameMillimetres.height() * 100)))
                     : QRect(0, 0, HundredthsOfMillimetre(m_frame.width()), HundredthsOfMillimetre(m_frame.height()));
  fields.referencePixels = kReferencePixels;
  fields.referenceMicrometres = kReferenceMicrometres;
  fields.bytes = uint32_t(m_buffer.Size());
  fields.records = m_buffer.RecordCount();
  fields.handles = m_gdi.HandleCount();
  m_gdi.FinishHeader(fields);
  m_file = m_buffer.Take();
  return m_file;
}

}  // namespace emf

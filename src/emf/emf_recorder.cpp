#include "emf/emf_recorder.h"

#include "emf/emf_paint_engine.h"
#include "emf/metafile_writer.h"
#include "output/file_writer.h"
#include "vector_device/vector_device.h"

namespace emf {

TEmfRecorder::TEmfRecorder(const QSize& frame)
    : m_frame(frame.expandedTo(QSize(0, 0))),
      m_writer(std::make_unique<TMetafileWriter>(m_frame)),
      m_engine(std::make_unique<TEmfPaintEngine>(*m_writer)) {}

TEmfRecorder::~TEmfRecorder() = default;

void TEmfRecorder::SetFrameMillimetres(const QSizeF& millimetres) { m_writer->SetFrameMillimetres(millimetres); }

QPaintEngine* TEmfRecorder::paintEngine() const { return m_engine.get(); }

QByteArray TEmfRecorder::Finish() {
  if (m_engine->isActive()) return {};
  return m_writer->Finish();
}

bool TEmfRecorder::SaveToFile(const QString& fileName, QString* error) {
  const auto fail = [error](const QString& message) {
    if (error) *error = message;
    return false;
  };
  if (m_engine->isActive()) return fail(QStringLiteral("The picture is still being drawn"));
  const QByteArray bytes = Finish();
  if (bytes.isEmpty()) return fail(QStringLiteral("The picture is too large for an enhanced metafile"));
  return output::WriteFile(fileName, bytes, error);
}

int TEmfRecorder::metric(PaintDeviceMetric metric) const {
  if (const auto value = vector_device::Metric(metric, m_frame, TMetafileWriter::kDpi)) return *value;
  return QPaintDevice::metric(metric);
}

}  // namespace emf

#include "svg/svg_writer.h"

#include "svg/svg_paint_engine.h"
#include "svg/svg_stream.h"
#include "vector_device/vector_device.h"

namespace svg {

TSvgWriter::TSvgWriter(QIODevice& out, QSize size, QSizeF millimetres)
    : m_size(size.expandedTo(QSize(1, 1))),
      m_stream(std::make_unique<TSvgStream>(out)),
      m_engine(std::make_unique<TSvgPaintEngine>(*m_stream, m_size, millimetres)) {}

TSvgWriter::~TSvgWriter() = default;

QPaintEngine* TSvgWriter::paintEngine() const { return m_engine.get(); }

bool TSvgWriter::Finished() const { return m_engine->Finished(); }

bool TSvgWriter::Failed() const { return m_stream->Failed(); }

QString TSvgWriter::ErrorString() const { return m_stream->ErrorString(); }

int TSvgWriter::metric(PaintDeviceMetric metric) const {
  if (const auto value = vector_device::Metric(metric, m_size, kDpi)) return *value;
  return QPaintDevice::metric(metric);
}

}  // namespace svg

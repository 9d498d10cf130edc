#include "svg/svg_writer.h"

#include <cmath>
#include <limits>

#include "svg/svg_paint_engine.h"
#include "svg/svg_stream.h"

namespace svg {

TSvgWriter::TSvgWriter(QIODevice& out, QSize size)
    : m_size(size.expandedTo(QSize(1, 1))),
      m_stream(std::make_unique<TSvgStream>(out)),
      m_engine(std::make_unique<TSvgPaintEngine>(*m_stream, m_size)) {}

TSvgWriter::~TSvgWriter() = default;

QPaintEngine* TSvgWriter::paintEngine() const { return m_engine.get(); }

bool TSvgWriter::Finished() const { return m_engine->Finished(); }

bool TSvgWriter::Failed() const { return m_stream->Failed(); }

QString TSvgWriter::ErrorString() const { return m_stream->ErrorString(); }

int TSvgWriter::metric(PaintDeviceMetric metric) const {
  const auto millimetres = [](int pixels) { return int(std::lround(pixels * 25.4 / kDpi)); };
  switch (metric) {
    case PdmWidth:
      return m_size.width();
    case PdmHeight:
      return m_size.height();
    case PdmWidthMM:
      return millimetres(m_size.width());
    case PdmHeightMM:
      return millimetres(m_size.height());
    case PdmNumColors:
      return std::numeric_limits<int>::max();
    case PdmDepth:
      return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
      return kDpi;
    case PdmDevicePixelRatio:
      return 1;
    default:
      return QPaintDevice::metric(metric);
  }
}

}  // namespace svg

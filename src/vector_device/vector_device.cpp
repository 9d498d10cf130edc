#include "vector_device/vector_device.h"

#include <QPainterPath>
#include <cmath>
#include <limits>

namespace vector_device {

std::optional<int> Metric(QPaintDevice::PaintDeviceMetric metric, QSize size, int dpi) {
  const auto millimetres = [dpi](int pixels) { return int(std::lround(pixels * 25.4 / dpi)); };
  switch (metric) {
    case QPaintDevice::PdmWidth:
      return size.width();
    case QPaintDevice::PdmHeight:
      return size.height();
    case QPaintDevice::PdmWidthMM:
      return millimetres(size.width());
    case QPaintDevice::PdmHeightMM:
      return millimetres(size.height());
    case QPaintDevice::PdmNumColors:
      return std::numeric_limits<int>::max();
    case QPaintDevice::PdmDepth:
      return 32;
    case QPaintDevice::PdmDpiX:
    case QPaintDevice::PdmDpiY:
    case QPaintDevice::PdmPhysicalDpiX:
    case QPaintDevice::PdmPhysicalDpiY:
      return dpi;
    case QPaintDevice::PdmDevicePixelRatio:
      return 1;
    default:
      return std::nullopt;
  }
}

QColor SolidColor(const QBrush& brush) {
  const QGradient* gradient = brush.gradient();
  if (!gradient || gradient->stops().isEmpty()) return brush.color();
  double red = 0, green = 0, blue = 0, alpha = 0;
  for (const QGradientStop& stop : gradient->stops()) {
    red += stop.second.redF();
    green += stop.second.greenF();
    blue += stop.second.blueF();
    alpha += stop.second.alphaF();
  }
  const auto count = double(gradient->stops().size());
  return QColor::fromRgbF(float(red / count), float(green / count), float(blue / count), float(alpha / count));
}

std::optional<QRectF> UpdatedClip(const QPaintEngineState& state, const QTransform& transform,
                                  const std::optional<QRectF>& current) {
  const Qt::ClipOperation operation = state.clipOperation();
  if (operation == Qt::NoClip) return std::nullopt;
  const QRectF logical = (state.state() & QPaintEngine::DirtyClipPath) ? state.clipPath().boundingRect()
                                                                       : QRectF(state.clipRegion().boundingRect());
  const QRectF device = transform.mapRect(logical);
  return operation == Qt::IntersectClip && current ? current->intersected(device) : device;
}

}  // namespace vector_device

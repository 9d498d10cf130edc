#pragma once

#include <QBrush>
#include <QColor>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QRectF>
#include <QSize>
#include <QTransform>
#include <optional>

// Common ground of the vector paint devices (metafile, SVG): they draw at a
// fixed resolution in pixels, carry every brush as one colour and keep clips
// as device rectangles.
namespace vector_device {

// The metric of a device of `size` pixels at `dpi`, or nothing for metrics
// the caller leaves to QPaintDevice.
std::optional<int> Metric(QPaintDevice::PaintDeviceMetric metric, QSize size, int dpi);

// Gradients and patterns are carried as one colour: the mean of their stops.
QColor SolidColor(const QBrush& brush);

// The device clip after a clip change in `state`, given the current one; a
// rotated or non-rectangular clip is widened to its bounding rectangle.
std::optional<QRectF> UpdatedClip(const QPaintEngineState& state, const QTransform& transform,
                                  const std::optional<QRectF>& current);

}  // namespace vector_device

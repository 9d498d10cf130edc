#pragma once

#include <QPaintDevice>
#include <QPainter>
#include <memory>

namespace vector_device {

class TShapeMergingEngine;

// A paint device that passes everything painted on it on to a painter that is
// active on another device, with one change: a shape filled without an
// outline, followed at once by the outline alone of the same shape, is drawn
// as one filled and outlined shape. That is how the diagram draws markers, a
// fill then an outline each, and vector devices write every shape, and every
// change of pen or brush, into their file: merging halves the shapes and
// removes the changes between them. The picture is the same.
//
// The device has the resolution of the target's device and is `size` device
// pixels large (by default, the target device's size); the target painter's
// transform at construction is kept under everything drawn here, so it
// places and scales the picture on the target.
class TShapeMergingDevice : public QPaintDevice {
 public:
  explicit TShapeMergingDevice(QPainter& target);
  TShapeMergingDevice(QPainter& target, const QSize& size);
  ~TShapeMergingDevice() override;
  TShapeMergingDevice(const TShapeMergingDevice&) = delete;
  TShapeMergingDevice& operator=(const TShapeMergingDevice&) = delete;

  QPaintEngine* paintEngine() const override;

 protected:
  int metric(PaintDeviceMetric metric) const override;

 private:
  QPaintDevice& m_targetDevice;
  QSize m_size;
  std::unique_ptr<TShapeMergingEngine> m_engine;
};

}  // namespace vector_device

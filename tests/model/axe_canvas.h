#pragma once

#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdint>

#include "geometry/device_conversions.h"
#include "geometry/graphics.h"
#include "geometry/projection.h"

// A white raster image with a painter, a drawing context and a projection
// that puts the whole triangle well inside the image: A at (60, 330),
// B at (360, 330), C at about (210, 70).
struct TAxeCanvas {
  static constexpr uint32_t kWhite = 0xFFFFFFFF;
  static constexpr uint32_t kBlack = 0xFF000000;
  static constexpr uint32_t kGrey = 0xFF808080;

  QImage image{420, 400, QImage::Format_RGB32};
  QPainter painter;
  TGraphics g{painter};
  TProjection projection;

  explicit TAxeCanvas(double zoom = 300.0) {
    image.fill(Qt::white);
    painter.begin(&image);
    projection.SetZoom(zoom);
    projection.SetOrigin({0.2, 0.1});
  }

  QPointF World(const TTernaryPoint& t) const { return projection.TernaryToWorld(t, false); }

  uint32_t Pixel(int x, int y) const {
    if (!image.rect().contains(x, y)) return kWhite;
    return image.pixel(x, y);
  }
  // Whether a pixel of colour `argb` lies within `radius` pixels of `p`.
  bool HasColorNear(const QPointF& p, uint32_t argb, int radius = 1) const {
    const int cx = int(std::floor(p.x()));
    const int cy = int(std::floor(p.y()));
    for (int y = cy - radius; y <= cy + radius; ++y)
      for (int x = cx - radius; x <= cx + radius; ++x)
        if (Pixel(x, y) == argb) return true;
    return false;
  }
  bool IsBlankNear(const QPointF& p, int radius = 1) const {
    const int cx = int(std::floor(p.x()));
    const int cy = int(std::floor(p.y()));
    for (int y = cy - radius; y <= cy + radius; ++y)
      for (int x = cx - radius; x <= cx + radius; ++x)
        if (Pixel(x, y) != kWhite) return false;
    return true;
  }
  // The smallest rectangle holding every pixel that is not white; empty when
  // nothing was drawn.
  QRect PaintedRect() const {
    QRect painted;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) != kWhite) painted |= QRect(x, y, 1, 1);
    return painted;
  }
  bool IsBlank() const { return PaintedRect().isEmpty(); }
};

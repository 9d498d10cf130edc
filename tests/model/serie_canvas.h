#pragma once

#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QRect>
#include <cstdint>
#include <cstdlib>

#include "geometry/graphics.h"
#include "geometry/projection.h"

// A white raster image with a painter and a drawing context, and a projection
// for series tests: zoom 100 with origin (0.5, 0.5), so that every world
// position of the image is reached by some ternary point (At).
struct TSerieCanvas {
  static constexpr uint32_t kWhite = 0xFFFFFFFF;
  static constexpr uint32_t kBlack = 0xFF000000;
  static constexpr uint32_t kRed = 0xFFFF0000;
  static constexpr uint32_t kBlue = 0xFF0000FF;

  QImage image;
  QPainter painter;
  TGraphics g{painter};
  TProjection projection;

  explicit TSerieCanvas(int width = 200, int height = 200) : image(width, height, QImage::Format_RGB32) {
    image.fill(Qt::white);
    painter.begin(&image);
    projection.SetZoom(100.0);
    projection.SetOrigin({0.5, 0.5});
  }

  // The ternary point that the projection maps to the world position (x, y).
  TTernaryPoint At(double x, double y) const { return projection.WorldToTernary(QPointF(x, y), true); }

  uint32_t Pixel(int x, int y) const { return image.rect().contains(x, y) ? image.pixel(x, y) : kWhite; }
  bool IsWhite(int x, int y) const { return Pixel(x, y) == kWhite; }

  // The smallest rectangle holding every pixel that is not white; empty when
  // nothing was drawn.
  QRect InkRect() const {
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) != kWhite) ink |= QRect(x, y, 1, 1);
    return ink;
  }
  bool Contains(uint32_t argb) const {
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) == argb) return true;
    return false;
  }
};

// Whether two colours differ by at most `tolerance` in each of red, green, blue.
inline bool IsNearColor(uint32_t actual, uint32_t expected, int tolerance = 1) {
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(int((actual >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > tolerance) return false;
  return true;
}

// Sets the user's locale for a test and restores the previous one.
class TDefaultLocaleScope {
 public:
  explicit TDefaultLocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
  ~TDefaultLocaleScope() { QLocale::setDefault(m_previous); }
  TDefaultLocaleScope(const TDefaultLocaleScope&) = delete;
  TDefaultLocaleScope& operator=(const TDefaultLocaleScope&) = delete;

 private:
  QLocale m_previous;
};

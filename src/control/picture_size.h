#pragma once

#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringView>
#include <optional>

namespace control {

// The units a picture's side may be given in. Pixels are pixels of the
// layout at the reference resolution (96 dpi); the others are physical.
enum class TLengthUnit { Pixel, Millimetre, Centimetre, Inch };

struct TLength {
  double Value = 0;
  TLengthUnit Unit = TLengthUnit::Pixel;

  double Inches() const;
  friend bool operator==(const TLength&, const TLength&) = default;
};

// The same length in another unit (pixels at the reference resolution).
double LengthIn(const TLength& length, TLengthUnit unit);

// The unit's short name: "px", "mm", "cm" or "in".
QStringView UnitSymbol(TLengthUnit unit);

// A side as the command line writes it: a whole number of pixels ("800",
// "800px") or a positive decimal number with "mm", "cm" or "in" ("84mm",
// "8.5cm", "3.3in"), "." as the decimal separator. Nothing otherwise.
std::optional<TLength> ParseLength(QStringView text);

inline constexpr double kMinimumDpi = 10;
inline constexpr double kMaximumDpi = 2400;

// How large a picture is written and at which resolution. The picture always
// shows the layout the control has at Layout() pixels, every length scaled by
// Scale(): a raster file has Pixels(), a vector file states the physical size.
struct TPictureSize {
  QSizeF Inches;
  double Dpi = 96;
  // Given in physical units: the vector files then state their size in them.
  bool Physical = false;

  // Pixels at the reference resolution, the size as the window shows it.
  static TPictureSize OfLayout(const QSize& pixels, double dpi = 96);
  static TPictureSize Of(const TLength& width, const TLength& height, double dpi);

  double Scale() const;
  // The raster picture: the physical size times the resolution, rounded.
  QSize Pixels() const;
  // The control's size that draws it: Pixels() at the reference resolution,
  // or the physical size at it when larger, rounded up so that the drawing
  // covers the whole picture in every format.
  QSize Layout() const;
  // The physical size in millimetres, and in pixels at the reference resolution.
  QSizeF Millimetres() const;
  QSizeF ReferencePixels() const;
  friend bool operator==(const TPictureSize&, const TPictureSize&) = default;
};

}  // namespace control

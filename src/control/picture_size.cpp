#include "control/picture_size.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cmath>

#include "geometry/graphics.h"

namespace control {

namespace {

constexpr double kMillimetresPerInch = 25.4;

struct TUnitInfo {
  TLengthUnit Unit;
  QStringView Symbol;
  double PerInch;
};

constexpr std::array<TUnitInfo, 4> kUnits{{
    {TLengthUnit::Pixel, u"px", geometry::kReferenceDpi},
    {TLengthUnit::Millimetre, u"mm", kMillimetresPerInch},
    {TLengthUnit::Centimetre, u"cm", kMillimetresPerInch / 10},
    {TLengthUnit::Inch, u"in", 1.0},
}};

const TUnitInfo& InfoOf(TLengthUnit unit) { return kUnits[size_t(unit)]; }

// Whole pixels, kept within an int for any length however absurd.
int PixelCount(double value) { return int(std::lround(std::clamp(value, 1.0, 1e9))); }

// A rounding that forgives the error of a division: 2500 * 96 / 300 is 800.
int RoundUp(double value) { return int(std::ceil(std::min(value, 1e9) - 1e-6)); }

}  // namespace

double TLength::Inches() const { return Value / InfoOf(Unit).PerInch; }

double LengthIn(const TLength& length, TLengthUnit unit) { return length.Inches() * InfoOf(unit).PerInch; }

QStringView UnitSymbol(TLengthUnit unit) { return InfoOf(unit).Symbol; }

std::optional<TLength> ParseLength(QStringView text) {
  static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,9}(?:\\.[0-9]{1,9})?)(px|mm|cm|in)?$"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) return std::nullopt;
  const QStringView symbol = match.capturedView(2);
  TLength length{match.capturedView(1).toDouble(), TLengthUnit::Pixel};
  for (const TUnitInfo& info : kUnits)
    if (symbol == info.Symbol) length.Unit = info.Unit;
  const bool pixels = length.Unit == TLengthUnit::Pixel;
  if (pixels && match.capturedView(1).contains(QLatin1Char('.'))) return std::nullopt;  // whole pixels only
  if (!(length.Value > 0)) return std::nullopt;
  return length;
}

TPictureSize TPictureSize::OfLayout(const QSize& pixels, double dpi) {
  return {QSizeF(pixels) / geometry::kReferenceDpi, dpi, false};
}

TPictureSize TPictureSize::Of(const TLength& width, const TLength& height, double dpi) {
  const bool physical = width.Unit != TLengthUnit::Pixel || height.Unit != TLengthUnit::Pixel;
  return {QSizeF(width.Inches(), height.Inches()), dpi, physical};
}

double TPictureSize::Scale() const { return Dpi / geometry::kReferenceDpi; }

QSize TPictureSize::Pixels() const {
  return QSize(PixelCount(Inches.width() * Dpi), PixelCount(Inches.height() * Dpi));
}

QSize TPictureSize::Layout() const {
  const QSize pixels = Pixels();
  const QSizeF exact = ReferencePixels();
  return QSize(RoundUp(std::max(pixels.width() / Scale(), exact.width())),
               RoundUp(std::max(pixels.height() / Scale(), exact.height())));
}

QSizeF TPictureSize::Millimetres() const { return Inches * kMillimetresPerInch; }

QSizeF TPictureSize::ReferencePixels() const { return Inches * geometry::kReferenceDpi; }

}  // namespace control

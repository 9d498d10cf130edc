#include "model/color_bar.h"

#include <algorithm>
#include <cmath>

#include "geometry/graphics.h"
#include "model/number_format.h"

namespace model {

namespace {

constexpr double kStripWidth = 16;
constexpr double kTickLength = 4;
constexpr double kGap = 3;
constexpr double kMargin = 8;
constexpr int kWantedTicks = 5;

// The labels are the user's numbers: decimal separator and all.
QString TickLabel(double value) { return FormatGeneral(std::abs(value) < 1e-12 ? 0.0 : value); }

double LabelsWidth(TGraphics& g, const std::vector<double>& ticks, const QFont& font) {
  double width = 0;
  for (const double tick : ticks) width = std::max(width, g.MeasureString(TickLabel(tick), font).width());
  return width;
}

bool HasRange(const TColorScale::TRange& range) { return std::isfinite(range.Low) && std::isfinite(range.High); }

}  // namespace

std::vector<double> ColorBarTicks(double low, double high, bool logarithmic) {
  std::vector<double> ticks;
  if (!(low <= high) || !std::isfinite(low) || !std::isfinite(high)) return ticks;
  if (logarithmic) {
    if (!(low > 0)) return ticks;
    const int first = int(std::ceil(std::log10(low) - 1e-9));
    const int last = int(std::floor(std::log10(high) + 1e-9));
    const bool fewPowers = last - first < 1;
    for (int p = first - 1; p <= last && ticks.size() < 40; ++p)
      for (const double m : {1.0, 2.0, 5.0}) {
        if (m != 1.0 && !fewPowers) continue;
        const double v = m * std::pow(10.0, p);
        if (v >= low * (1 - 1e-9) && v <= high * (1 + 1e-9)) ticks.push_back(v);
      }
    return ticks;
  }
  if (high == low) return {low};
  // The smallest round step that gives at most one tick more than wanted.
  const double span = high - low;
  const double power = std::pow(10.0, std::floor(std::log10(span / kWantedTicks)));
  double step = 10 * power;
  for (const double m : {1.0, 2.0, 5.0})
    if (span / (m * power) <= kWantedTicks + 1) {
      step = m * power;
      break;
    }
  for (double n = std::ceil(low / step - 1e-9); n * step <= high + step * 1e-9; n += 1) ticks.push_back(n * step);
  return ticks;
}

double ColorBarWidth(TGraphics& g, const TColorScale& scale, const TColorScale::TRange& range,
                     const TColorBarStyle& style) {
  const std::vector<double> ticks = ColorBarTicks(range.Low, range.High, scale.Logarithmic());
  const double labels = ticks.empty() ? 0 : kTickLength + kGap + LabelsWidth(g, ticks, style.Font);
  const double title = scale.Title().isEmpty() ? 0 : g.MeasureString(scale.Title(), style.Font).width();
  return kMargin + std::max(kStripWidth + labels, title) + kMargin;
}

void DrawColorBar(TGraphics& g, const QRectF& box, const TColorScale& scale, const TColorScale::TRange& range,
                  const TColorBarStyle& style) {
  const QBrush text = geometry::MakeBrush(style.TextColor);
  const double lineHeight = g.MeasureString(QStringLiteral("0"), style.Font).height();
  double top = box.top() + kMargin;
  if (!scale.Title().isEmpty()) {
    g.DrawString(scale.Title(), style.Font, text, QPointF(box.left() + kMargin, top));
    top += lineHeight + kGap;
  }
  const double bottom = box.bottom() - kMargin - lineHeight / 2;
  top += lineHeight / 2;
  if (bottom - top < 2) return;
  // 1. The strip: one band per entry of the map, the last one at the top.
  const double left = box.left() + kMargin;
  const double height = bottom - top;
  for (int entry = 0; entry < kColorMapEntries; ++entry) {
    const int shown = scale.Reversed() ? kColorMapEntries - 1 - entry : entry;
    const double y0 = bottom - height * (entry + 1) / kColorMapEntries;
    const double y1 = bottom - height * entry / kColorMapEntries;
    g.FillRectangle(geometry::MakeBrush(scale.PaletteColor(shown)), QRectF(left, y0, kStripWidth, y1 - y0 + 0.5));
  }
  const QPen outline = geometry::MakePen(style.TextColor, 1.0f);
  g.DrawRectangle(outline, QRectF(left, top, kStripWidth, height));
  if (!HasRange(range)) return;
  // 2. Ticks and labels where the unreversed position of each value lies.
  const bool reversed = scale.Reversed();
  for (const double tick : ColorBarTicks(range.Low, range.High, scale.Logarithmic())) {
    double t = scale.Position(tick, range);
    if (reversed) t = 1 - t;
    const double y = bottom - height * t;
    const double x = left + kStripWidth;
    g.DrawLine(outline, QPointF(x, y), QPointF(x + kTickLength, y));
    g.DrawString(TickLabel(tick), style.Font, text, QPointF(x + kTickLength + kGap, y - lineHeight / 2));
  }
}

}  // namespace model

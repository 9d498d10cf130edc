#include "output/palette_image.h"

#include <gif_lib.h>

#include <array>
#include <new>
#include <unordered_map>
#include <unordered_set>

namespace output {

namespace {

QRgb PixelAt(const QImage& rgb32, int x, int y) {
  return reinterpret_cast<const QRgb*>(rgb32.constScanLine(y))[x] | 0xFF000000u;
}

// Palette of every distinct colour in order of appearance, or empty when
// there are more than 256 of them.
std::vector<QRgb> CollectFewColors(const QImage& rgb32) {
  std::unordered_set<QRgb> seen;
  std::vector<QRgb> palette;
  QRgb previous = PixelAt(rgb32, 0, 0) ^ 1u;
  for (int y = 0; y < rgb32.height(); ++y) {
    for (int x = 0; x < rgb32.width(); ++x) {
      const QRgb color = PixelAt(rgb32, x, y);
      if (color == previous) continue;
      previous = color;
      if (!seen.insert(color).second) continue;
      if (palette.size() == kMaxPaletteColors) return {};
      palette.push_back(color);
    }
  }
  return palette;
}

void IndexByExactColor(const QImage& rgb32, TPaletteImage& result) {
  std::unordered_map<QRgb, uint8_t> indexOf;
  for (size_t i = 0; i < result.Palette.size(); ++i) indexOf[result.Palette[i]] = static_cast<uint8_t>(i);
  auto out = result.Indices.begin();
  // Diagrams are mostly long runs of one colour: remember the last lookup.
  QRgb lastColor = PixelAt(rgb32, 0, 0);
  uint8_t lastIndex = indexOf[lastColor];
  for (int y = 0; y < rgb32.height(); ++y) {
    for (int x = 0; x < rgb32.width(); ++x) {
      const QRgb color = PixelAt(rgb32, x, y);
      if (color != lastColor) {
        lastColor = color;
        lastIndex = indexOf[color];
      }
      *out++ = lastIndex;
    }
  }
}

// Per palette entry: the majority candidate of its pixels (Boyer-Moore vote)
// and the sums for their mean.
struct TEntryStats {
  QRgb Candidate = 0;
  int64_t Votes = 0;
  int64_t CandidateCount = 0;
  int64_t Count = 0;
  int64_t Red = 0;
  int64_t Green = 0;
  int64_t Blue = 0;
};

QRgb RepresentativeColor(const TEntryStats& stats) {
  if (stats.Count == 0) return qRgb(0, 0, 0);
  if (2 * stats.CandidateCount > stats.Count) return stats.Candidate;
  const auto mean = [&](int64_t sum) { return static_cast<int>((sum + stats.Count / 2) / stats.Count); };
  return qRgb(mean(stats.Red), mean(stats.Green), mean(stats.Blue));
}

// Median cut works on colours cut to 5 bits per channel and so shifts every
// palette entry towards black; the entries are recomputed here from the true
// colours of the pixels mapped to them.
void RefinePalette(const QImage& rgb32, TPaletteImage& result) {
  std::array<TEntryStats, kMaxPaletteColors> stats{};
  size_t pixel = 0;
  for (int y = 0; y < rgb32.height(); ++y) {
    for (int x = 0; x < rgb32.width(); ++x) {
      const QRgb color = PixelAt(rgb32, x, y);
      TEntryStats& entry = stats[result.Indices[pixel++]];
      ++entry.Count;
      entry.Red += qRed(color);
      entry.Green += qGreen(color);
      entry.Blue += qBlue(color);
      if (entry.Votes == 0) entry.Candidate = color;
      entry.Votes += entry.Candidate == color ? 1 : -1;
    }
  }
  pixel = 0;
  for (int y = 0; y < rgb32.height(); ++y) {
    for (int x = 0; x < rgb32.width(); ++x) {
      TEntryStats& entry = stats[result.Indices[pixel++]];
      if (entry.Candidate == PixelAt(rgb32, x, y)) ++entry.CandidateCount;
    }
  }
  for (size_t i = 0; i < result.Palette.size(); ++i) result.Palette[i] = RepresentativeColor(stats[i]);
}

bool QuantizeColors(const QImage& rgb32, TPaletteImage& result) {
  const size_t pixels = result.Indices.size();
  std::vector<GifByteType> red(pixels), green(pixels), blue(pixels);
  size_t pixel = 0;
  for (int y = 0; y < rgb32.height(); ++y) {
    for (int x = 0; x < rgb32.width(); ++x, ++pixel) {
      const QRgb color = PixelAt(rgb32, x, y);
      red[pixel] = static_cast<GifByteType>(qRed(color));
      green[pixel] = static_cast<GifByteType>(qGreen(color));
      blue[pixel] = static_cast<GifByteType>(qBlue(color));
    }
  }
  int colorCount = kMaxPaletteColors;
  std::array<GifColorType, kMaxPaletteColors> colors{};
  if (GifQuantizeBuffer(static_cast<unsigned>(result.Width), static_cast<unsigned>(result.Height), &colorCount,
                        red.data(), green.data(), blue.data(), result.Indices.data(), colors.data()) != GIF_OK) {
    return false;
  }
  result.Palette.assign(static_cast<size_t>(colorCount), 0);
  RefinePalette(rgb32, result);
  return true;
}

}  // namespace

std::optional<TPaletteImage> MakePaletteImage(const QImage& image) {
  if (image.isNull()) return std::nullopt;
  const QImage rgb32 = image.convertToFormat(QImage::Format_RGB32);
  if (rgb32.isNull()) return std::nullopt;
  try {
    TPaletteImage result;
    result.Width = rgb32.width();
    result.Height = rgb32.height();
    result.Indices.resize(static_cast<size_t>(result.Width) * static_cast<size_t>(result.Height));
    result.Palette = CollectFewColors(rgb32);
    if (!result.Palette.empty()) {
      IndexByExactColor(rgb32, result);
    } else if (!QuantizeColors(rgb32, result)) {
      return std::nullopt;
    }
    return result;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace output

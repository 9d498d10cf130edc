#pragma once

#include <QImage>
#include <QRgb>
#include <cstdint>
#include <optional>
#include <vector>

namespace output {

// An opaque image of at most 256 colours: one palette index per pixel, row
// after row from the top.
struct TPaletteImage {
  int Width = 0;
  int Height = 0;
  std::vector<QRgb> Palette;
  std::vector<uint8_t> Indices;
};

constexpr int kMaxPaletteColors = 256;

// Reduces an image to at most 256 opaque colours (alpha is dropped). An image
// that has no more colours than that keeps every one of them exactly. A richer
// one is quantised by median cut; each palette entry then takes the colour
// that most of its pixels share, or their mean when none dominates, so flat
// areas such as a background keep their exact colour. Empty when the image is
// null or memory runs out.
std::optional<TPaletteImage> MakePaletteImage(const QImage& image);

}  // namespace output

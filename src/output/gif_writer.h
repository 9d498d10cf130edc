#pragma once

#include <QImage>
#include <QString>

namespace output {

// GIF stores each side in 16 bits.
constexpr int kMaxGifSide = 65535;

// Writes the image as a single-frame GIF89a file of at most 256 opaque colours
// (see MakePaletteImage), through TFileWriter. Returns false, leaving
// no file behind, when the image is null or too large for GIF, or when the
// file cannot be written; error, when given, then names the file and reason.
bool WriteGif(const QImage& image, const QString& fileName, QString* error = nullptr);

}  // namespace output

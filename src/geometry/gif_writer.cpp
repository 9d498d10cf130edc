#include "geometry/gif_writer.h"

#include <gif_lib.h>

#include <memory>

#include "geometry/output_file.h"
#include "geometry/palette_image.h"

namespace geometry {

namespace {

constexpr int kColorResolution = 8;

struct TColorMapDeleter {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using TColorMapPtr = std::unique_ptr<ColorMapObject, TColorMapDeleter>;

// GIF colour tables hold a power of two of entries, at least two.
TColorMapPtr MakeColorMap(const std::vector<QRgb>& palette) {
  const int size = 1 << GifBitSize(static_cast<int>(palette.size()));
  TColorMapPtr map(GifMakeMapObject(size, nullptr));
  if (!map) return map;
  for (int i = 0; i < size; ++i) {
    const QRgb color = i < static_cast<int>(palette.size()) ? palette[static_cast<size_t>(i)] : qRgb(0, 0, 0);
    map->Colors[i] = GifColorType{static_cast<GifByteType>(qRed(color)), static_cast<GifByteType>(qGreen(color)),
                                  static_cast<GifByteType>(qBlue(color))};
  }
  return map;
}

// giflib masks the pixel rows in place, hence the mutable image.
bool PutImage(GifFileType* gif, TPaletteImage& image) {
  const TColorMapPtr colorMap = MakeColorMap(image.Palette);
  if (!colorMap) return false;
  EGifSetGifVersion(gif, true);
  if (EGifPutScreenDesc(gif, image.Width, image.Height, kColorResolution, 0, colorMap.get()) != GIF_OK) return false;
  if (EGifPutImageDesc(gif, 0, 0, image.Width, image.Height, false, nullptr) != GIF_OK) return false;
  for (int y = 0; y < image.Height; ++y) {
    GifPixelType* row = image.Indices.data() + static_cast<size_t>(y) * static_cast<size_t>(image.Width);
    if (EGifPutLine(gif, row, image.Width) != GIF_OK) return false;
  }
  return true;
}

}  // namespace

bool WriteGif(const QImage& image, const QString& fileName) {
  if (image.isNull() || image.width() > kMaxGifSide || image.height() > kMaxGifSide) return false;
  std::optional<TPaletteImage> indexed = MakePaletteImage(image);
  if (!indexed) return false;

  TOutputFile file(fileName);
  if (!file.Opened()) return false;
  int error = 0;
  GifFileType* gif = EGifOpenFileHandle(file.Handle(), &error);
  if (gif == nullptr) return false;
  // From here giflib owns the descriptor and closes it with the GIF.
  file.ReleaseHandle();
  const bool written = PutImage(gif, *indexed);
  // The close flushes the buffered tail, so its failure is a failed write too.
  const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
  return written && closed && file.Commit();
}

}  // namespace geometry

#include "output/gif_writer.h"

#include <gif_lib.h>

#include <memory>

#include "output/file_writer.h"
#include "output/palette_image.h"

namespace output {

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

// giflib's output callback: the writer is the GIF's user data.
int WriteToFile(GifFileType* gif, const GifByteType* data, int size) {
  auto* file = static_cast<TFileWriter*>(gif->UserData);
  return file->write(reinterpret_cast<const char*>(data), size) == size ? size : 0;
}

}  // namespace

bool WriteGif(const QImage& image, const QString& fileName, QString* error) {
  const auto refuse = [&](const QString& reason) {
    if (error) *error = QStringLiteral("Cannot write \"%1\": %2").arg(fileName, reason);
    return false;
  };
  if (image.isNull()) return refuse(QStringLiteral("there is no picture to encode"));
  if (image.width() > kMaxGifSide || image.height() > kMaxGifSide)
    return refuse(QStringLiteral("the picture is too large for GIF"));
  std::optional<TPaletteImage> indexed = MakePaletteImage(image);
  if (!indexed) return refuse(QStringLiteral("out of memory"));

  TFileWriter file(fileName);
  int gifError = 0;
  if (!file.Failed()) {
    GifFileType* gif = EGifOpen(&file, WriteToFile, &gifError);
    if (gif == nullptr) {
      file.Fail(QStringLiteral("out of memory"));
    } else {
      const bool written = PutImage(gif, *indexed);
      // The close writes the last codes, so its failure is a failed write too.
      const bool closed = EGifCloseFile(gif, &gifError) == GIF_OK;
      // A failed write has already given the file the system's reason.
      if (!written || !closed) file.Fail(QStringLiteral("the image could not be encoded"));
    }
  }
  if (file.Commit()) return true;
  if (error) *error = file.ErrorMessage();
  return false;
}

}  // namespace output

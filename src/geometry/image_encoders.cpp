#include "geometry/image_encoders.h"

#include <QBuffer>
#include <QImageWriter>
#include <array>

#include "geometry/gif_writer.h"
#include "geometry/output_file.h"

namespace geometry {

namespace {

struct TImageEncoder {
  std::string_view MimeType;
  // Qt's writer for the format; null for our own GIF writer.
  const char* QtFormat;
};

constexpr std::array<TImageEncoder, 5> kImageEncoders{{
    {"image/bmp", "bmp"},
    {"image/jpeg", "jpeg"},
    {"image/gif", nullptr},
    {"image/tiff", "tiff"},
    {"image/png", "png"},
}};

// Qt's JPEG and TIFF writers are plug-ins that may be missing.
bool IsInstalled(const TImageEncoder& encoder) {
  return encoder.QtFormat == nullptr || QImageWriter::supportedImageFormats().contains(encoder.QtFormat);
}

// Encoding into memory first keeps the file's errors in our hands: not every
// Qt writer passes them on (the TIFF writer loses a failed write of its last
// strip), and an encoder failure then creates no file at all.
bool WriteWithQt(const QImage& image, const QString& fileName, const char* format) {
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (!writer.write(image)) return false;
  TOutputFile output(fileName);
  return output.Opened() && output.WriteAll(encoded.constData(), encoded.size()) && output.Commit();
}

}  // namespace

int GetEncoderClsid(std::string_view mimeType, TEncoderClsid& clsid) {
  int found = -1;
  // No early exit: with several encoders of one type the last one wins.
  for (size_t i = 0; i < kImageEncoders.size(); ++i) {
    if (kImageEncoders[i].MimeType == mimeType && IsInstalled(kImageEncoders[i])) found = static_cast<int>(i);
  }
  if (found >= 0) clsid.Index = found;
  return found;
}

bool SaveImageWithEncoder(const QImage& image, const QString& fileName, const TEncoderClsid& clsid) {
  if (clsid.Index < 0 || clsid.Index >= static_cast<int>(kImageEncoders.size()) || image.isNull()) return false;
  const TImageEncoder& encoder = kImageEncoders[static_cast<size_t>(clsid.Index)];
  if (!IsInstalled(encoder)) return false;
  const QImage opaque = image.convertToFormat(QImage::Format_RGB888);
  if (opaque.isNull()) return false;
  if (encoder.QtFormat == nullptr) return WriteGif(opaque, fileName);
  return WriteWithQt(opaque, fileName, encoder.QtFormat);
}

}  // namespace geometry

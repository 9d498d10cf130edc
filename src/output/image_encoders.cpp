#include "output/image_encoders.h"

#include <QBuffer>
#include <QImageWriter>
#include <array>

#include "output/file_writer.h"
#include "output/gif_writer.h"

namespace output {

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

bool Refuse(const QString& fileName, const QString& reason, QString* error) {
  if (error) *error = QStringLiteral("Cannot write \"%1\": %2").arg(fileName, reason);
  return false;
}

// Encoding into memory first keeps the file's errors in our hands: not every
// Qt writer passes them on (the TIFF writer loses a failed write of its last
// strip), and an encoder failure then creates no file at all.
bool WriteWithQt(const QImage& image, const QString& fileName, const char* format, QString* error) {
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (!writer.write(image)) return Refuse(fileName, writer.errorString(), error);
  return WriteFile(fileName, encoded, error);
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

bool SaveImageWithEncoder(const QImage& image, const QString& fileName, const TEncoderClsid& clsid, QString* error) {
  if (clsid.Index < 0 || clsid.Index >= static_cast<int>(kImageEncoders.size()))
    return Refuse(fileName, QStringLiteral("no such image encoder"), error);
  const TImageEncoder& encoder = kImageEncoders[static_cast<size_t>(clsid.Index)];
  if (!IsInstalled(encoder)) return Refuse(fileName, QStringLiteral("the image encoder is not installed"), error);
  const QImage opaque = image.convertToFormat(QImage::Format_RGB888);
  if (opaque.isNull()) return Refuse(fileName, QStringLiteral("there is no picture to encode"), error);
  if (encoder.QtFormat == nullptr) return WriteGif(opaque, fileName, error);
  return WriteWithQt(opaque, fileName, encoder.QtFormat, error);
}

}  // namespace output

#include "output/image_encoders.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <csignal>
#include <cstdlib>
#include <random>

namespace {

using output::TEncoderClsid;

constexpr QSize kExportSize(396, 411);

struct TSolidArea {
  QRect Rect;
  QRgb Color;
};

const TSolidArea kSolidAreas[] = {
    {QRect(0, 0, 396, 12), qRgb(255, 255, 255)},        {QRect(20, 20, 100, 100), qRgb(200, 30, 50)},
    {QRect(150, 20, 100, 100), qRgb(0x12, 0x34, 0x56)}, {QRect(280, 20, 100, 100), qRgb(10, 10, 240)},
    {QRect(20, 150, 100, 100), qRgb(0, 0, 0)},
};

// A picture like an exported diagram: flat areas on a white background, an
// anti-aliased outline and a gradient band, more than 256 colours in all.
QImage MakeDiagramLikeImage() {
  QImage image(kExportSize, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  QLinearGradient gradient(0, 0, kExportSize.width(), 0);
  gradient.setColorAt(0, Qt::red);
  gradient.setColorAt(0.5, Qt::green);
  gradient.setColorAt(1, Qt::blue);
  painter.fillRect(QRect(0, 300, kExportSize.width(), 40), gradient);
  for (const TSolidArea& area : kSolidAreas) painter.fillRect(area.Rect, QColor(area.Color));
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(90, 160, 60), 3));
  painter.drawEllipse(QRectF(160, 150, 200, 120));
  return image;
}

QImage MakeNoiseImage() {
  QImage image(kExportSize, QImage::Format_RGB32);
  std::mt19937 random(7);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, random() | 0xFF000000u);
  }
  return image;
}

struct TFormatCase {
  const char* MimeType;
  const char* Suffix;
  int Tolerance;  // per channel, at the centre of a flat area
};

const TFormatCase kFormats[] = {
    {"image/bmp", "bmp", 0},  {"image/jpeg", "jpg", 12}, {"image/gif", "gif", 0},
    {"image/tiff", "tif", 0}, {"image/png", "png", 0},
};

std::string CaseName(const testing::TestParamInfo<TFormatCase>& info) { return info.param.Suffix; }

TEncoderClsid EncoderOf(const char* mimeType) {
  TEncoderClsid clsid;
  EXPECT_GE(output::GetEncoderClsid(mimeType, clsid), 0) << mimeType;
  return clsid;
}

int ChannelDistance(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

class TUmaskScope {
 public:
  explicit TUmaskScope(mode_t mask) : m_saved(::umask(mask)) {}
  ~TUmaskScope() { ::umask(m_saved); }

 private:
  mode_t m_saved;
};

// Makes writes beyond `bytes` fail (EFBIG) instead of killing the process.
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t bytes) : m_oldHandler(std::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &m_saved);
    rlimit limited = m_saved;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~TFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_oldHandler);
  }

 private:
  rlimit m_saved{};
  void (*m_oldHandler)(int);
};

class ImageEncoderFormat : public testing::TestWithParam<TFormatCase> {
 protected:
  QString PathFor(const QString& baseName) const { return m_dir.filePath(baseName + "." + GetParam().Suffix); }
  QTemporaryDir m_dir;
};

TEST_P(ImageEncoderFormat, WritesAnOpaquePictureOfTheImageSize) {
  const QString path = PathFor("diagram");
  ASSERT_TRUE(output::SaveImageWithEncoder(MakeDiagramLikeImage(), path, EncoderOf(GetParam().MimeType)));

  QImageReader reader(path);
  const QImage read = reader.read();
  ASSERT_FALSE(read.isNull()) << reader.errorString().toStdString();
  EXPECT_EQ(read.size(), kExportSize);
  EXPECT_FALSE(read.hasAlphaChannel());
  for (const TSolidArea& area : kSolidAreas) {
    const QRgb color = read.pixel(area.Rect.center());
    EXPECT_LE(ChannelDistance(color, area.Color), GetParam().Tolerance)
        << std::hex << "expected " << area.Color << ", read " << color;
    EXPECT_EQ(qAlpha(color), 255);
  }
}

TEST_P(ImageEncoderFormat, CreatesFilesWithTheUsualPermissions) {
  const TUmaskScope umask(022);
  const QString path = PathFor("permissions");
  ASSERT_TRUE(output::SaveImageWithEncoder(MakeDiagramLikeImage(), path, EncoderOf(GetParam().MimeType)));
  struct stat status {};
  ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0644u);
}

TEST_P(ImageEncoderFormat, ReplacesAnExistingLargerFile) {
  const QString path = PathFor("existing");
  QFile existing(path);
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.write(QByteArray(4 << 20, 'x'));
  existing.close();

  ASSERT_TRUE(output::SaveImageWithEncoder(MakeDiagramLikeImage(), path, EncoderOf(GetParam().MimeType)));
  EXPECT_LT(QFileInfo(path).size(), 4 << 20);
  EXPECT_EQ(QImage(path).size(), kExportSize);
}

TEST_P(ImageEncoderFormat, UnwritablePathFailsAndLeavesNothing) {
  const TEncoderClsid clsid = EncoderOf(GetParam().MimeType);
  const QString missingFolder = m_dir.filePath("missing/diagram");
  EXPECT_FALSE(output::SaveImageWithEncoder(MakeDiagramLikeImage(), missingFolder, clsid));
  EXPECT_FALSE(QFileInfo::exists(missingFolder));

  EXPECT_FALSE(output::SaveImageWithEncoder(MakeDiagramLikeImage(), m_dir.path(), clsid));
  EXPECT_TRUE(QFileInfo(m_dir.path()).isDir());
}

TEST_P(ImageEncoderFormat, WriteFailingHalfwayLeavesNoPartialFile) {
  const QString path = PathFor("partial");
  const QImage noise = MakeNoiseImage();
  const TEncoderClsid clsid = EncoderOf(GetParam().MimeType);
  bool saved = true;
  {
    const TFileSizeLimit limit(4096);
    saved = output::SaveImageWithEncoder(noise, path, clsid);
  }
  EXPECT_FALSE(saved);
  EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_P(ImageEncoderFormat, FailedWriteKeepsTheFileThatWasThere) {
  const QString path = PathFor("kept");
  const QByteArray previous(8192, 'p');
  {
    QFile existing(path);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write(previous);
  }
  QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  bool saved = true;
  {
    // Only the temporary file grows past the limit; the old file stays whole.
    const TFileSizeLimit limit(9000);
    saved = output::SaveImageWithEncoder(MakeNoiseImage(), path, EncoderOf(GetParam().MimeType));
  }
  EXPECT_FALSE(saved);
  QFile kept(path);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), previous);
  EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 1);  // no temporary file left

  // A successful export replaces it and keeps its permissions.
  ASSERT_TRUE(output::SaveImageWithEncoder(MakeDiagramLikeImage(), path, EncoderOf(GetParam().MimeType)));
  EXPECT_EQ(QImage(path).size(), kExportSize);
  struct stat status {};
  ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
}

TEST_P(ImageEncoderFormat, FailedWriteNeverRemovesADevice) {
  const QByteArray path = QFile::encodeName(PathFor("device"));
  // A private node of the "full" device: every write fails with ENOSPC.
  if (::mknod(path.constData(), S_IFCHR | 0600, makedev(1, 7)) != 0) GTEST_SKIP() << "cannot create a device node";
  EXPECT_FALSE(
      output::SaveImageWithEncoder(MakeDiagramLikeImage(), QFile::decodeName(path), EncoderOf(GetParam().MimeType)));
  struct stat status {};
  ASSERT_EQ(::stat(path.constData(), &status), 0);
  EXPECT_TRUE(S_ISCHR(status.st_mode));
}

INSTANTIATE_TEST_SUITE_P(AllFormats, ImageEncoderFormat, testing::ValuesIn(kFormats), CaseName);

TEST(ImageEncoders, EachExportFormatHasItsOwnEncoder) {
  std::set<int> indexes;
  for (const TFormatCase& format : kFormats) {
    TEncoderClsid clsid;
    const int index = output::GetEncoderClsid(format.MimeType, clsid);
    EXPECT_GE(index, 0) << format.MimeType;
    EXPECT_EQ(clsid.Index, index) << format.MimeType;
    indexes.insert(index);
  }
  EXPECT_EQ(indexes.size(), std::size(kFormats));
}

TEST(ImageEncoders, UnknownMimeTypeReturnsMinusOneAndKeepsTheIdentifier) {
  for (const char* mimeType : {"image/x-unknown", "image/PNG", "Image/png", "image/png ", "image/jpg", "image/emf",
                               "text/xml", "image/webp", ""}) {
    TEncoderClsid clsid{42};
    EXPECT_EQ(output::GetEncoderClsid(mimeType, clsid), -1) << mimeType;
    EXPECT_EQ(clsid.Index, 42) << mimeType;
  }
}

TEST(ImageEncoders, SavingWithoutAValidEncoderWritesNothing) {
  QTemporaryDir dir;
  const QString path = dir.filePath("none.png");
  for (const TEncoderClsid clsid : {TEncoderClsid{}, TEncoderClsid{5}, TEncoderClsid{1000}}) {
    EXPECT_FALSE(output::SaveImageWithEncoder(MakeDiagramLikeImage(), path, clsid)) << clsid.Index;
  }
  EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(ImageEncoders, NullImageWritesNothing) {
  QTemporaryDir dir;
  const QString path = dir.filePath("null.png");
  EXPECT_FALSE(output::SaveImageWithEncoder(QImage(), path, EncoderOf("image/png")));
  EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(ImageEncoders, TranslucentImageIsWrittenOpaque) {
  QImage image(kExportSize, QImage::Format_ARGB32);
  image.fill(qRgba(0, 0, 0, 0));
  image.setPixel(10, 10, qRgba(30, 60, 90, 128));
  QTemporaryDir dir;
  const QString path = dir.filePath("translucent.png");
  ASSERT_TRUE(output::SaveImageWithEncoder(image, path, EncoderOf("image/png")));
  const QImage read(path);
  EXPECT_FALSE(read.hasAlphaChannel());
  EXPECT_EQ(qAlpha(read.pixel(10, 10)), 255);
}

TEST(ImageEncoders, BitmapsAndPngStoreTwentyFourBitRgb) {
  QTemporaryDir dir;
  const QString bmpPath = dir.filePath("rgb.bmp");
  const QString pngPath = dir.filePath("rgb.png");
  ASSERT_TRUE(output::SaveImageWithEncoder(MakeDiagramLikeImage(), bmpPath, EncoderOf("image/bmp")));
  ASSERT_TRUE(output::SaveImageWithEncoder(MakeDiagramLikeImage(), pngPath, EncoderOf("image/png")));
  QFile bmp(bmpPath);
  QFile png(pngPath);
  ASSERT_TRUE(bmp.open(QIODevice::ReadOnly) && png.open(QIODevice::ReadOnly));
  const QByteArray bmpHeader = bmp.read(30);
  const QByteArray pngHeader = png.read(26);
  EXPECT_EQ(static_cast<uint8_t>(bmpHeader[28]), 24);  // bits per pixel
  EXPECT_EQ(static_cast<uint8_t>(pngHeader[24]), 8);   // bits per channel
  EXPECT_EQ(static_cast<uint8_t>(pngHeader[25]), 2);   // colour type: RGB, no alpha
}

}  // namespace

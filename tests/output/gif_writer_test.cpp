#include "output/gif_writer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <set>

#include "output/palette_image.h"

namespace {

QImage ReadBack(const QString& path) {
  QImageReader reader(path, "gif");
  QImage image = reader.read();
  EXPECT_FALSE(image.isNull()) << reader.errorString().toStdString();
  return image.convertToFormat(QImage::Format_RGB32);
}

// Colours that median cut on 5 bits per channel cannot tell apart.
const QRgb kNeighbourColors[] = {qRgb(255, 255, 255),    qRgb(250, 250, 250), qRgb(0x12, 0x34, 0x56),
                                 qRgb(0x12, 0x34, 0x57), qRgb(0, 0, 0),       qRgb(3, 1, 2)};

QImage MakeStripes(const QRgb* colors, int count) {
  QImage image(count * 10, 20, QImage::Format_RGB32);
  for (int i = 0; i < count; ++i) QPainter(&image).fillRect(i * 10, 0, 10, 20, QColor(colors[i]));
  return image;
}

// 512 distinct colours in a band below two flat areas.
QImage MakeRichImage() {
  QImage image(512, 300, QImage::Format_RGB32);
  image.fill(qRgb(255, 255, 255));
  QPainter painter(&image);
  painter.fillRect(20, 20, 200, 150, QColor(200, 30, 50));
  painter.fillRect(260, 20, 200, 150, QColor(0x12, 0x34, 0x56));
  for (int x = 0; x < 512; ++x) painter.fillRect(x, 200, 1, 60, QColor(x / 2, 255 - x / 2, (x * 7) % 256));
  return image;
}

int ChannelDistance(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

TEST(GifWriter, WritesGif89aSignature) {
  QTemporaryDir dir;
  const QString path = dir.filePath("signature.gif");
  ASSERT_TRUE(output::WriteGif(MakeRichImage(), path));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.read(6), QByteArray("GIF89a"));
}

TEST(GifWriter, KeepsEveryColourOfAnImageWithFewColours) {
  QTemporaryDir dir;
  const QString path = dir.filePath("few.gif");
  const int count = static_cast<int>(std::size(kNeighbourColors));
  ASSERT_TRUE(output::WriteGif(MakeStripes(kNeighbourColors, count), path));
  const QImage read = ReadBack(path);
  for (int i = 0; i < count; ++i) {
    EXPECT_EQ(read.pixel(i * 10 + 5, 10), kNeighbourColors[i]) << "stripe " << i;
  }
}

TEST(GifWriter, KeepsFlatAreasExactInAnImageWithManyColours) {
  QTemporaryDir dir;
  const QString path = dir.filePath("rich.gif");
  const QImage image = MakeRichImage();
  ASSERT_TRUE(output::WriteGif(image, path));
  const QImage read = ReadBack(path);
  ASSERT_EQ(read.size(), image.size());
  EXPECT_EQ(read.pixel(5, 5), qRgb(255, 255, 255));
  EXPECT_EQ(read.pixel(100, 100), qRgb(200, 30, 50));
  EXPECT_EQ(read.pixel(300, 100), qRgb(0x12, 0x34, 0x56));
  // The 512 colours of the band share 256 entries: close, not exact.
  int worst = 0;
  int total = 0;
  for (int x = 0; x < image.width(); ++x) {
    const int distance = ChannelDistance(read.pixel(x, 230), image.pixel(x, 230));
    worst = std::max(worst, distance);
    total += distance;
  }
  EXPECT_LE(worst, 32);
  EXPECT_LE(total / image.width(), 6);
}

TEST(GifWriter, PaletteOfARichImageHasAtMost256UsedEntries) {
  const std::optional<output::TPaletteImage> indexed = output::MakePaletteImage(MakeRichImage());
  ASSERT_TRUE(indexed.has_value());
  EXPECT_LE(indexed->Palette.size(), 256u);
  const std::set<uint8_t> used(indexed->Indices.begin(), indexed->Indices.end());
  EXPECT_LT(*used.rbegin(), indexed->Palette.size());
  EXPECT_GT(used.size(), 200u);
}

TEST(GifWriter, WritesASinglePixel) {
  QTemporaryDir dir;
  const QString path = dir.filePath("pixel.gif");
  QImage image(1, 1, QImage::Format_RGB32);
  image.fill(qRgb(1, 2, 3));
  ASSERT_TRUE(output::WriteGif(image, path));
  const QImage read = ReadBack(path);
  ASSERT_EQ(read.size(), QSize(1, 1));
  EXPECT_EQ(read.pixel(0, 0), qRgb(1, 2, 3));
}

TEST(GifWriter, RefusesImagesGifCannotHoldAndWritesNothing) {
  QTemporaryDir dir;
  const QString path = dir.filePath("refused.gif");
  EXPECT_FALSE(output::WriteGif(QImage(), path));
  QImage wide(output::kMaxGifSide + 1, 1, QImage::Format_RGB32);
  wide.fill(Qt::white);
  EXPECT_FALSE(output::WriteGif(wide, path));
  EXPECT_FALSE(QFileInfo::exists(path));
}

}  // namespace

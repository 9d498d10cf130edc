// The diagram on the clipboard as a picture.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <cmath>

#include "control/clipboard_data.h"
#include "control_fixture.h"
#include "emf/emf_reader.h"
#include "image_compare.h"

namespace {

TEST(CopyImageToClipboard, OffersTheMetafileAndTheWindowsPictureTogether) {
  TShownControl shown(396, 411);
  AddPointsSerie(shown.control.Graph(), QStringLiteral("Rocks"), {{0.2, 0.3, 0.5}});
  QGuiApplication::clipboard()->setText(QStringLiteral("previous contents"));

  shown.control.CopyImageToClipboard();

  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_FALSE(data->hasText());
  ASSERT_TRUE(data->hasFormat(QString::fromLatin1(control::kMetafileMimeType)));
  const QByteArray emf = data->data(QString::fromLatin1(control::kMetafileMimeType));
  const emf_test::THeader header = emf_test::ReadHeader(emf);
  EXPECT_EQ(header.signature, 0x464D4520u);  // " EMF"
  EXPECT_EQ(header.frame.bottomRight(),
            QPoint(int(std::lround(396 * 2540.0 / 96)), int(std::lround(411 * 2540.0 / 96))));
  EXPECT_TRUE(emf_test::ConvertToSvg(emf).contains(QLatin1String("CDATA[0.5]")));
  ASSERT_TRUE(data->hasImage());
  const QImage image = qvariant_cast<QImage>(data->imageData());
  EXPECT_TRUE(SameImage(image.convertToFormat(QImage::Format_RGB32),
                        shown.control.Bitmap().convertToFormat(QImage::Format_RGB32)));
}

}  // namespace

// The colour bar of a series coloured by value, in the window and in exports.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>

#include "control_fixture.h"
#include "emf/emf_reader.h"

namespace {

class ColorBars : public testing::Test {
 protected:
  void SetUp() override {
    TControlUpdateScope scope(shown.control);
    TPointsSerie& serie =
        AddPointsSerie(shown.control.Graph(), QStringLiteral("Soils"), {{0.2, 0.3, 0.5}, {0.6, 0.2, 0.2}});
    serie.Items().PutValue(0, 12);
    serie.Items().PutValue(1, 247);
    serie.ColorScale().SetTitle(QStringLiteral("Carbon"));
  }

  void ShowBar() { Serie().ColorScale().SetVisible(true); }
  TPointsSerie& Serie() { return static_cast<TPointsSerie&>(shown.control.Graph().GetSerie(0)); }

  QByteArray Exported(int format, const QString& name) {
    const QString path = folder.filePath(name);
    EXPECT_TRUE(shown.control.Export(path, format));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  }

  // Whether the image holds a pixel within 6 of `argb` in each channel right of column `left`.
  static bool HasColorRightOf(const QImage& image, int left, QRgb argb) {
    for (int y = 0; y < image.height(); ++y)
      for (int x = left; x < image.width(); ++x) {
        const QRgb pixel = image.pixel(x, y);
        if (std::abs(qRed(pixel) - qRed(argb)) <= 6 && std::abs(qGreen(pixel) - qGreen(argb)) <= 6 &&
            std::abs(qBlue(pixel) - qBlue(argb)) <= 6)
          return true;
      }
    return false;
  }

  TShownControl shown{500, 400};
  QTemporaryDir folder;
};

}  // namespace

TEST_F(ColorBars, ShowingTheBarShrinksTheDiagramAndDrawsTheStrip) {
  const QImage before = shown.control.Bitmap();
  EXPECT_FALSE(HasColorRightOf(before, 380, 0xFFFDE725));
  ShowBar();
  const QImage after = shown.control.Bitmap();
  EXPECT_TRUE(HasColorRightOf(after, 380, 0xFFFDE725));
  EXPECT_TRUE(HasColorRightOf(after, 380, 0xFF440154));
  Serie().ColorScale().SetVisible(false);
  EXPECT_EQ(shown.control.Bitmap(), before);
}

TEST_F(ColorBars, TickLabelsAndTitleAreInEveryVectorExport) {
  ShowBar();
  const QStringList expected = {QStringLiteral("Carbon"), QStringLiteral("50"), QStringLiteral("100"),
                                QStringLiteral("200")};
  const QString svg = QString::fromUtf8(Exported(8, QStringLiteral("bar.svg")));
  const QString emf = emf_test::ConvertToSvg(Exported(2, QStringLiteral("bar.emf")));
  Exported(9, QStringLiteral("bar.pdf"));
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"), {folder.filePath(QStringLiteral("bar.pdf")), QStringLiteral("-")});
  ASSERT_TRUE(pdftotext.waitForFinished(30000));
  const QString pdf = QString::fromUtf8(pdftotext.readAllStandardOutput());
  for (const QString& text : expected) {
    EXPECT_TRUE(svg.contains(QStringLiteral(">") + text + QStringLiteral("<"))) << text.toStdString();
    EXPECT_TRUE(emf.contains(text)) << text.toStdString();
    EXPECT_TRUE(pdf.contains(text)) << text.toStdString();
  }
}

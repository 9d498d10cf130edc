// Pictures of the diagram in files: raster images, metafile, SVG and PDF.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cmath>
#include <future>

#include "control/export_formats.h"
#include "control/graph_export.h"
#include "control_fixture.h"
#include "emf/emf_reader.h"
#include "image_compare.h"
#include "model/point_style.h"
#include "output/file_writer.h"
#include "xml_reading.h"

namespace {

constexpr int kWidth = 396;
constexpr int kHeight = 411;
constexpr uint32_t kLightYellow = 0x00CCFFFF;  // a toolkit colour, 0x00BBGGRR
constexpr uint32_t kRed = 0xFFFF0000;

// The diagram of a window of 396 x 411 pixels: a coloured background, header
// and footer captions, the default axes and a series of red squares.
class GraphExport : public testing::Test {
 protected:
  void SetUp() override {
    TControlUpdateScope scope(shown.control);
    shown.control.SetColor(kLightYellow);
    shown.control.MainHeader().SetCaption(QStringLiteral("Granite header"));
    shown.control.MainFooter().SetCaption(QStringLiteral("Basalt footer"));
    TPointsSerie& serie = AddPointsSerie(shown.control.Graph(), QStringLiteral("Rocks"),
                                         {{0.2, 0.3, 0.5}, {0.6, 0.2, 0.2}, {0.25, 0.5, 0.25}});
    serie.PointStyle().SetFillColor(kRed);
    serie.PointStyle().SetLineColor(kRed);
    serie.PointStyle().SetSize(7);
  }

  QString PathOf(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

  QByteArray ExportBytes(int format, const char* name) {
    const QString path = PathOf(name);
    EXPECT_TRUE(Control().Export(path, format));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
  }

  TGraphControl& Control() { return shown.control; }

  TShownControl shown{kWidth, kHeight};
  QTemporaryDir folder;
};

QStringList SvgTexts(const QString& svg) {
  QStringList texts;
  for (const emf_test::TSvgElement& element : emf_test::ReadSvgElements(svg))
    if (element.tag == QLatin1String("text")) texts << element.text.trimmed();
  return texts;
}

const QStringList kExpectedTexts = {QStringLiteral("A"),
                                    QStringLiteral("B"),
                                    QStringLiteral("C"),
                                    QStringLiteral("0.1"),
                                    QStringLiteral("0.5"),
                                    QStringLiteral("0.9"),
                                    QStringLiteral("Granite header"),
                                    QStringLiteral("Basalt footer")};

void ExpectAllTexts(const QStringList& texts) {
  for (const QString& expected : kExpectedTexts) EXPECT_TRUE(texts.contains(expected)) << expected.toStdString();
}

TEST_F(GraphExport, RasterFormatsReadBackOpaqueAtTheControlSize) {
  for (const char* extension : {"bmp", "jpg", "gif", "tif", "png"}) {
    const int format = *control::ExportFormatNamed(QString::fromLatin1(extension));
    const QString path = PathOf(extension) + QLatin1String(".") + QLatin1String(extension);
    ASSERT_TRUE(Control().Export(path, format)) << extension;
    QImageReader reader(path);
    EXPECT_EQ(reader.size(), QSize(kWidth, kHeight)) << extension;
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << extension << ": " << reader.errorString().toStdString();
    EXPECT_FALSE(image.hasAlphaChannel()) << extension;
  }
}

TEST_F(GraphExport, LosslessRasterShowsWhatTheWindowShows) {
  const QImage window = Control().Bitmap().convertToFormat(QImage::Format_RGB32);
  for (const char* extension : {"bmp", "tif", "png"}) {
    const int format = *control::ExportFormatNamed(QString::fromLatin1(extension));
    const QString path = PathOf(extension) + QLatin1String(".") + QLatin1String(extension);
    ASSERT_TRUE(Control().Export(path, format));
    EXPECT_TRUE(SameImage(QImage(path).convertToFormat(QImage::Format_RGB32), window)) << extension;
  }
}

TEST_F(GraphExport, RasterIntoAMissingFolderRaisesAndWritesNothing) {
  const QString path = PathOf("missing/picture.png");
  EXPECT_THROW(Control().Export(path, *control::ExportFormatNamed(u"png")), TExportError);
  EXPECT_FALSE(QFile::exists(path));
}

TEST_F(GraphExport, MetafileFrameIsTheClientRectangle) {
  const emf_test::THeader header = emf_test::ReadHeader(ExportBytes(2, "picture.emf"));
  const auto hundredthsOfMm = [](int pixels) { return int(std::lround(pixels * 2540.0 / 96.0)); };
  EXPECT_EQ(header.signature, 0x464D4520u);  // " EMF"
  EXPECT_EQ(header.frame, QRect(QPoint(0, 0), QPoint(hundredthsOfMm(kWidth), hundredthsOfMm(kHeight))));
}

TEST_F(GraphExport, MetafileHoldsTheTextsAndTheShapesInTheirColours) {
  const QByteArray emf = ExportBytes(2, "picture.emf");
  EXPECT_TRUE(emf_test::HasEmfPlusRecords(emf));
  const QString svg = emf_test::ConvertToSvg(emf);
  ASSERT_FALSE(svg.isEmpty());
  ExpectAllTexts(SvgTexts(svg));
  const auto count = [&svg](const char* pattern) {
    return svg.count(QRegularExpression(QString::fromLatin1(pattern), QRegularExpression::CaseInsensitiveOption));
  };
  EXPECT_GE(count("fill=\"#FF0000\""), 3);    // the series' squares
  EXPECT_GE(count("stroke=\"#808080\""), 3);  // the axes' grid lines
  EXPECT_GE(count("fill=\"#FFFFCC\""), 1);    // the background
}

TEST_F(GraphExport, MetafileLooksLikeTheWindow) {
  const QString svg = emf_test::ConvertToSvg(ExportBytes(2, "picture.emf"));
  const QImage picture = emf_test::RenderSvg(svg, QSize(kWidth, kHeight));
  const QImage& window = Control().Bitmap();
  // The squares are red and the background light yellow in both.
  const QPoint square = shown.DeviceOf({0.2, 0.3, 0.5});
  EXPECT_EQ(QColor(picture.pixel(square)), QColor(window.pixel(square)));
  EXPECT_EQ(QColor(window.pixel(square)), QColor(Qt::red));
  EXPECT_EQ(QColor(picture.pixel(5, kHeight / 2)), QColor(0xFF, 0xFF, 0xCC));
}

TEST_F(GraphExport, SvgIsWellFormedWithTheTextsAndTheViewBox) {
  const QByteArray bytes = ExportBytes(8, "picture.svg");
  QXmlStreamReader reader(bytes);
  while (!reader.atEnd()) reader.readNext();
  EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
  ExpectAllTexts(SvgTexts(QString::fromUtf8(bytes)));
  EXPECT_TRUE(bytes.contains("viewBox=\"0 0 396 411\""));
}

QString PdfInfo(const QString& path) {
  QProcess process;
  process.start(QStringLiteral("pdfinfo"), {path});
  EXPECT_TRUE(process.waitForFinished(30000));
  return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfText(const QString& path) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
  EXPECT_TRUE(process.waitForFinished(30000));
  return QString::fromUtf8(process.readAllStandardOutput());
}

TEST_F(GraphExport, PdfIsOnePageThePictureSizeAt96Dpi) {
  ExportBytes(9, "picture.pdf");
  const QString info = PdfInfo(PathOf("picture.pdf"));
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.toStdString();
  // 396 x 411 pixels at 96 dpi are 297 x 308.25 points.
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+297 x 308.25 pts"))))
      << info.toStdString();
  const QString text = PdfText(PathOf("picture.pdf"));
  for (const char* expected : {"Granite header", "Basalt footer", "0.5"})
    EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected;
}

TEST(PdfExport, ThePageHasTheExactSizeInFractionsOfAPointAlsoForTinyPictures) {
  QTemporaryDir folder;
  const struct {
    QSize Pixels;
    const char* PageSize;
  } cases[] = {{{801, 601}, "600.75 x 450.75"}, {{3, 3}, "2.25 x 2.25"}};
  for (const auto& c : cases) {
    TShownControl shown(c.Pixels.width(), c.Pixels.height());
    shown.control.SetColor(0x000000FF);  // red, to be seen to the last row and column
    const QString path = folder.filePath(QStringLiteral("picture.pdf"));
    ASSERT_TRUE(shown.control.Export(path, 9));
    const QString info = PdfInfo(path);
    EXPECT_TRUE(info.contains(QStringLiteral("Page size:       %1 pts").arg(QLatin1String(c.PageSize))))
        << info.toStdString();
    // Rendered at 96 dpi the page is the picture, red from corner to corner.
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                  path, folder.filePath(QStringLiteral("page"))});
    ASSERT_TRUE(render.waitForFinished(30000));
    const QImage page(folder.filePath(QStringLiteral("page.png")));
    ASSERT_EQ(page.size(), c.Pixels);
    EXPECT_EQ(QColor(page.pixel(0, 0)), QColor(Qt::red));
    EXPECT_EQ(QColor(page.pixel(page.width() - 1, page.height() - 1)), QColor(Qt::red));
  }
}

TEST_F(GraphExport, XmlExportIsTheSavedDocument) {
  Control().SaveToFile(PathOf("saved.xml"), true);
  QFile saved(PathOf("saved.xml"));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  const QByteArray exported = ExportBytes(1, "exported.xml");
  EXPECT_TRUE(IsWellFormedXml(exported));
  EXPECT_EQ(exported, saved.readAll());
}

TEST_F(GraphExport, AnIndexThatNamesNoFormatRaisesAndWritesNothing) {
  for (const int index : {-1, control::kExportFormatCount}) {
    EXPECT_THROW(Control().Export(PathOf("picture.out"), index), TExportError);
    EXPECT_FALSE(QFile::exists(PathOf("picture.out")));
  }
}

mode_t ModeOf(const QString& path) {
  struct stat status {};
  ::lstat(QFile::encodeName(path).constData(), &status);
  return status.st_mode;
}

TEST_F(GraphExport, AFifoWithAReaderGetsTheWholeExportAndStaysAFifo) {
  const QString fifo = PathOf("pipe");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  for (const char* extension : {"svg", "txt", "emf", "png"}) {
    const int format = *control::ExportFormatNamed(QString::fromLatin1(extension));
    const QByteArray expected = ExportBytes(format, extension);
    std::future<QByteArray> received = std::async(std::launch::async, [&fifo] {
      QFile reader(fifo);
      return reader.open(QIODevice::ReadOnly) ? reader.readAll() : QByteArray();
    });
    ASSERT_TRUE(Control().Export(fifo, format)) << extension;
    EXPECT_EQ(received.get(), expected) << extension;
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo))) << extension;
  }
}

TEST_F(GraphExport, ASymbolicLinkKeepsPointingAtItsTargetWhichHoldsTheNewFile) {
  for (const char* extension : {"png", "pdf", "xml"}) {
    const int format = *control::ExportFormatNamed(QString::fromLatin1(extension));
    const QString target = PathOf(extension);
    const QString link = target + QLatin1String(".link");
    ASSERT_TRUE(output::WriteFile(target, "old"));
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(Control().Export(link, format)) << extension;
    EXPECT_TRUE(S_ISLNK(ModeOf(link))) << extension;
    EXPECT_EQ(QFile::symLinkTarget(link), target) << extension;
    QFile written(target);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_GT(written.size(), 100) << extension;
  }
}

TEST(ExportFormats, NamesAndExtensionsFindTheirIndex) {
  const struct {
    const char* Name;
    int Index;
  } cases[] = {{"txt", 0}, {"XML", 1},  {"emf", 2}, {"bmp", 3}, {"jpg", 4}, {"JPEG", 4}, {"gif", 5},
               {"tif", 6}, {"tiff", 6}, {"png", 7}, {"svg", 8}, {"pdf", 9}, {"text", 0}};
  for (const auto& c : cases) EXPECT_EQ(control::ExportFormatNamed(QString::fromLatin1(c.Name)), c.Index) << c.Name;
  EXPECT_EQ(control::ExportFormatNamed(u"webp"), std::nullopt);
  EXPECT_EQ(control::ExportFormatOfFile(QStringLiteral("/tmp/a.b/plot.PNG")), 7);
  EXPECT_EQ(control::ExportFormatOfFile(QStringLiteral("/tmp/a.png/plot")), std::nullopt);
}

}  // namespace

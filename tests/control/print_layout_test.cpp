// Printing: where the picture goes on the page, and a print to a PDF file.
#include <gtest/gtest.h>

#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "control/print_layout.h"
#include "control_fixture.h"

namespace {

struct TPrintRectCase {
  const char* Name;
  QSize Page;
  QSize Picture;
  QRect Expected;
};

void PrintTo(const TPrintRectCase& c, std::ostream* os) { *os << c.Name; }

const TPrintRectCase kPrintRectCases[] = {
    // Wider than the page: the full width, centred vertically.
    {"WideOnPortrait", {1000, 2000}, {400, 200}, {0, 750, 1000, 500}},
    // Taller than the page: the full height, centred horizontally.
    {"TallOnLandscape", {2000, 1000}, {200, 400}, {750, 0, 500, 1000}},
    {"WideOnLandscape", {3000, 2000}, {400, 100}, {0, 625, 3000, 750}},
    {"TallOnPortrait", {2000, 3000}, {100, 400}, {625, 0, 750, 3000}},
    {"SameShape", {800, 600}, {400, 300}, {0, 0, 800, 600}},
    // A4 at 600 dpi: 4958 / (396 / 411) = 5145.8 is truncated, (7016 - 5145) / 2 = 935.5 rounds toward 0.
    {"WindowOnA4", {4958, 7016}, {396, 411}, {0, 935, 4958, 5145}},
    // 700 * 396 / 411 = 674.45 is truncated, (1000 - 674) / 2 = 163.
    {"WindowOnLandscape", {1000, 700}, {396, 411}, {163, 0, 674, 700}},
    {"EmptyPage", {0, 0}, {396, 411}, {}},
    {"EmptyPicture", {1000, 700}, {0, 411}, {}},
};

class PrintRect : public testing::TestWithParam<TPrintRectCase> {};

TEST_P(PrintRect, FillsOneDirectionAndCentresTheOther) {
  EXPECT_EQ(control::PrintRect(GetParam().Page, GetParam().Picture), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PrintRect, testing::ValuesIn(kPrintRectCases),
                         [](const auto& info) { return std::string(info.param.Name); });

constexpr uint32_t kLightYellow = 0x00CCFFFF;  // a toolkit colour, 0x00BBGGRR

QImage RenderPdfPage(const QString& pdf, const QString& prefix, int dpi) {
  QProcess process;
  process.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                             QStringLiteral("-singlefile"), pdf, prefix});
  EXPECT_TRUE(process.waitForFinished(30000));
  return QImage(prefix + QLatin1String(".png")).convertToFormat(QImage::Format_RGB32);
}

QString PdfInfo(const QString& path) {
  QProcess process;
  process.start(QStringLiteral("pdfinfo"), {path});
  EXPECT_TRUE(process.waitForFinished(30000));
  return QString::fromUtf8(process.readAllStandardOutput());
}

// A wide window printed on a portrait A4 page without margins: the picture
// spans the page's width, centred vertically, and only it has the background.
TEST(Print, ToAPdfFileDrawsThePictureCentredOnOnePage) {
  TShownControl shown(600, 300);
  {
    TControlUpdateScope scope(shown.control);
    shown.control.SetColor(kLightYellow);
    shown.control.MainHeader().SetCaption(QStringLiteral("Printed header"));
  }
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("printed.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setFullPage(true);
  shown.control.Print(printer);

  EXPECT_TRUE(PdfInfo(path).contains(QLatin1String("Pages:           1")));
  const QImage page = RenderPdfPage(path, folder.filePath(QStringLiteral("page")), 72);
  ASSERT_EQ(page.size(), QSize(595, 842));
  // 595 / 2 = 297.5 points high, from 272.25 to 569.75.
  const QColor yellow(0xFF, 0xFF, 0xCC);
  EXPECT_EQ(QColor(page.pixel(297, 262)), QColor(Qt::white));
  EXPECT_EQ(QColor(page.pixel(3, 276)), yellow);
  EXPECT_EQ(QColor(page.pixel(591, 566)), yellow);
  EXPECT_EQ(QColor(page.pixel(297, 580)), QColor(Qt::white));
  // The axes are drawn in the picture, scaled with it.
  int dark = 0;
  for (int y = 272; y < 570; ++y)
    for (int x = 0; x < 595; ++x) dark += qGray(page.pixel(x, y)) < 128;
  EXPECT_GT(dark, 100);
}

TEST(Print, ZoomedDiagramStaysWithinThePicture) {
  TShownControl shown(600, 300);
  shown.control.ZoomInAt(300, 150, TGraphControl::kCoarseStep);
  shown.control.ZoomInAt(300, 150, TGraphControl::kCoarseStep);
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("zoomed.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setFullPage(true);
  shown.control.Print(printer);
  const QImage page = RenderPdfPage(path, folder.filePath(QStringLiteral("page")), 72);
  ASSERT_FALSE(page.isNull());
  for (int y : {0, 100, 260, 582, 700, 841})
    for (int x = 0; x < page.width(); ++x) ASSERT_EQ(QColor(page.pixel(x, y)), QColor(Qt::white)) << x << ", " << y;
}

}  // namespace

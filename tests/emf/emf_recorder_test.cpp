#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <limits>

#include "emf/emf_recorder.h"
#include "emf_reader.h"
#include "recording.h"

using namespace emf_test;

namespace {

constexpr uint32_t kEmrHeader = 1;
constexpr uint32_t kEmrEof = 14;
constexpr uint32_t kEmrComment = 70;
const QSize kFrame(400, 300);

// One of each kind of drawing step, with a clip and a transform.
void DrawSampler(QPainter& painter) {
  painter.setPen(QPen(Qt::blue, 2, Qt::DashLine));
  painter.drawLine(QPointF(10, 10), QPointF(390, 10));
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(QColor(255, 0, 0, 128));
  const QPointF triangle[3] = {{50, 60}, {150, 60}, {100, 150}};
  painter.drawPolygon(triangle, 3, Qt::OddEvenFill);
  painter.drawRect(QRectF(200, 60, 60, 40));
  painter.drawEllipse(QRectF(280, 60, 80, 50));
  painter.setFont(QFont(QStringLiteral("Arial"), 12));
  painter.drawText(QPointF(20, 200), QStringLiteral("Sample"));
  painter.setClipRect(QRect(0, 0, 200, 200));
  painter.translate(10, 10);
  painter.scale(2, 2);
  painter.drawRect(QRectF(0, 0, 5, 5));
  painter.setClipping(false);
  painter.drawRect(QRectF(5, 5, 5, 5));
}

}  // namespace

TEST(EmfRecorder, DeviceIsTheFrameSizeAt96Dpi) {
  const emf::TEmfRecorder recorder(QSize(396, 411));
  EXPECT_EQ(recorder.width(), 396);
  EXPECT_EQ(recorder.height(), 411);
  EXPECT_EQ(recorder.logicalDpiX(), 96);
  EXPECT_EQ(recorder.logicalDpiY(), 96);
  EXPECT_EQ(recorder.widthMM(), 105);  // 396 / 96 inch
}

TEST(EmfRecorder, HeaderFrameIsTheFrameInHundredthsOfAMillimetre) {
  const THeader header = ReadHeader(Record(kFrame, [](QPainter&) {}));
  EXPECT_EQ(header.signature, 0x464D4520u);
  EXPECT_EQ(header.frame, QRect(QPoint(0, 0), QPoint(10583, 7938)));  // 400 and 300 pixels at 96 dpi
  // The reference device is a 96-dpi display as well.
  EXPECT_DOUBLE_EQ(header.devicePixels.width() * 25.4 / header.deviceMillimetres.width(), 96.0);
  EXPECT_DOUBLE_EQ(header.devicePixels.height() * 25.4 / header.deviceMillimetres.height(), 96.0);
}

TEST(EmfRecorder, HeaderBoundsAreTheDevicePixelsDrawnOn) {
  emf::TEmfRecorder recorder(kFrame);
  QPainter painter(&recorder);
  painter.fillRect(QRectF(10, 20, 100, 50), Qt::red);
  painter.fillRect(QRectF(200.5, 100, 10, 10.25), Qt::blue);
  painter.end();
  const QByteArray emf = recorder.Finish();
  EXPECT_EQ(ReadHeader(emf).bounds, QRect(QPoint(10, 20), QPoint(210, 110)));
  // The independent reader sizes its picture from the bounds.
  const QString svg = ConvertToSvg(emf);
  EXPECT_TRUE(svg.contains(QLatin1String("width=\"200.0000\" height=\"90.0000\""))) << svg.left(300).toStdString();
}

TEST(EmfRecorder, BoundsOfAnEmptyPictureAreEmpty) {
  emf::TEmfRecorder recorder(kFrame);
  const QByteArray emf = recorder.Finish();
  EXPECT_EQ(ReadHeader(emf).bounds, QRect(QPoint(0, 0), QPoint(-1, -1)));
  EXPECT_FALSE(ConvertToSvg(emf).isEmpty());
}

TEST(EmfRecorder, BoundsStayInsideTheClip) {
  emf::TEmfRecorder recorder(QSize(100, 100));
  QPainter painter(&recorder);
  painter.setClipRect(QRect(20, 30, 40, 10));
  painter.fillRect(QRectF(-500, -500, 1000, 1000), Qt::red);
  painter.end();
  EXPECT_EQ(ReadHeader(recorder.Finish()).bounds, QRect(20, 30, 40, 10));
}

TEST(EmfRecorder, RecordsFrameTheWholeFileAndTheHeaderCountsThem) {
  const QByteArray emf = Record(kFrame, DrawSampler);
  const std::vector<TRecord> records = ReadRecords(emf);
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records.front().type, kEmrHeader);
  EXPECT_EQ(records.back().type, kEmrEof);
  const THeader header = ReadHeader(emf);
  EXPECT_EQ(header.records, records.size());
  EXPECT_EQ(header.bytes, uint32_t(emf.size()));
  EXPECT_GT(header.handles, 1);
}

TEST(EmfRecorder, IsADualFileWithTheEmfPlusHeaderFirst) {
  const QByteArray emf = Record(kFrame, DrawSampler);
  EXPECT_TRUE(HasEmfPlusRecords(emf));
  const std::vector<TRecord> records = ReadRecords(emf);
  ASSERT_GT(records.size(), 3u);
  EXPECT_EQ(records[1].type, kEmrComment);
  EXPECT_EQ(records[records.size() - 2].type, kEmrComment);  // EMF+ end of file
  const QString listing = ListRecords(emf);
  EXPECT_TRUE(listing.contains(QLatin1String("IsDual:Y")));
  EXPECT_TRUE(listing.contains(QLatin1String("LogicalDpiX,y:{96,96}")));
  EXPECT_TRUE(listing.contains(QLatin1String("U_PMR_EndOfFile")));
}

TEST(EmfRecorder, EveryDrawingStepIsAnEmfPlusCommentFollowedByItsEmfTwin) {
  const QByteArray emf = Record(kFrame, [](QPainter& painter) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::green);
    painter.drawEllipse(QRectF(10, 10, 50, 50));
  });
  // Header, EMF+ header, defaults, background, ellipse, EMF+ end, end.
  std::vector<uint32_t> types;
  for (const TRecord& record : ReadRecords(emf)) types.push_back(record.type);
  const auto ellipse = std::find(types.begin(), types.end(), 42u);
  ASSERT_NE(ellipse, types.end());
  const auto comment = std::find(std::make_reverse_iterator(ellipse), types.rend(), kEmrComment);
  ASSERT_NE(comment, types.rend());
  const QString listing = ListRecords(emf);
  const qsizetype fill = listing.lastIndexOf(QLatin1String("U_PMR_FillEllipse"));
  const qsizetype outline = listing.lastIndexOf(QLatin1String("U_PMR_DrawEllipse"));
  const qsizetype twin = listing.indexOf(QLatin1String("U_EMR_ELLIPSE"));
  EXPECT_TRUE(fill >= 0 && outline > fill && twin > outline);
}

TEST(EmfRecorder, EveryEmfPlusRecordIsReadable) {
  const QString listing = ListRecords(Record(kFrame, DrawSampler));
  EXPECT_FALSE(listing.contains(QLatin1String("corrupt"), Qt::CaseInsensitive));
  for (const char* name :
       {"U_PMR_Header", "U_PMR_SetPageTransform", "U_PMR_FillRects", "U_PMR_DrawRects", "U_PMR_FillPolygon",
        "U_PMR_DrawLines", "U_PMR_FillEllipse", "U_PMR_DrawEllipse", "ObjType:2(Pen)", "ObjType:6(Font)",
        "U_PMR_DrawDriverstring", "U_PMR_SetClipRect", "U_PMR_ResetClip", "U_PMR_SetWorldTransform", "U_PMR_EndOfFile"})
    EXPECT_TRUE(listing.contains(QLatin1String(name))) << name;
}

TEST(EmfRecorder, SaveToFileWritesTheFinishedBytes) {
  QTemporaryDir folder;
  emf::TEmfRecorder recorder(kFrame);
  {
    QPainter painter(&recorder);
    DrawSampler(painter);
  }
  const QString path = folder.filePath(QStringLiteral("diagram.emf"));
  QString error;
  ASSERT_TRUE(recorder.SaveToFile(path, &error)) << error.toStdString();
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), recorder.Finish());
}

TEST(EmfRecorder, SaveToFileReportsAFolderThatDoesNotExist) {
  QTemporaryDir folder;
  emf::TEmfRecorder recorder(kFrame);
  QString error;
  EXPECT_FALSE(recorder.SaveToFile(folder.filePath(QStringLiteral("missing/diagram.emf")), &error));
  EXPECT_FALSE(error.isEmpty());
}

TEST(EmfRecorder, FinishWhilePaintingGivesNothingAndKeepsRecording) {
  emf::TEmfRecorder recorder(kFrame);
  QPainter painter(&recorder);
  painter.fillRect(QRectF(0, 0, 10, 10), Qt::red);
  EXPECT_TRUE(recorder.Finish().isEmpty());
  QString error;
  EXPECT_FALSE(recorder.SaveToFile(QDir::temp().filePath(QStringLiteral("never.emf")), &error));
  painter.fillRect(QRectF(20, 20, 10, 10), Qt::blue);
  painter.end();
  EXPECT_EQ(ReadHeader(recorder.Finish()).bounds, QRect(0, 0, 30, 30));
}

TEST(EmfRecorder, PaintingAfterFinishIsRefused) {
  emf::TEmfRecorder recorder(kFrame);
  const QByteArray first = recorder.Finish();
  QPainter painter;
  EXPECT_FALSE(painter.begin(&recorder));
  EXPECT_EQ(recorder.Finish(), first);
}

TEST(EmfRecorder, SuccessivePaintersAddToOnePicture) {
  emf::TEmfRecorder recorder(QSize(100, 100));
  {
    QPainter painter(&recorder);
    painter.translate(50, 50);
    painter.setClipRect(QRect(0, 0, 10, 10));
    painter.fillRect(QRectF(0, 0, 10, 10), Qt::red);
  }
  {
    QPainter painter(&recorder);  // starts again from no transform and no clip
    painter.fillRect(QRectF(0, 0, 10, 10), Qt::blue);
  }
  const QByteArray emf = recorder.Finish();
  EXPECT_EQ(ReadHeader(emf).bounds, QRect(0, 0, 60, 60));
  const QImage image = RenderSvg(ConvertToSvg(emf), QSize(100, 100));
  EXPECT_EQ(image.pixel(5, 5), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(55, 55), qRgb(255, 0, 0));
}

TEST(EmfRecorder, UnusableInputDrawsNothingAndKeepsTheFileValid) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const QByteArray emf = Record(QSize(100, 100), [&](QPainter& painter) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::red);
    painter.drawRect(QRectF(kNaN, 0, 10, 10));
    painter.drawLine(QPointF(0, 0), QPointF(kInfinity, 5));
    const QPointF withNaN[3] = {{0, 0}, {kNaN, 1}, {5, 5}};
    painter.drawPolygon(withNaN, 3);
    painter.drawPolygon(withNaN, 0);
    painter.drawPolyline(withNaN, 1);
    painter.drawText(QPointF(kNaN, 10), QStringLiteral("x"));
    painter.drawText(QPointF(10, 10), QString());
    painter.drawImage(QPointF(10, 10), QImage());
    painter.drawEllipse(QRectF(1e12, -1e12, 1e13, 1e13));  // far beyond 32-bit units
    painter.save();
    painter.scale(0, 0);
    painter.drawRect(QRectF(0, 0, 10, 10));
    painter.restore();
  });
  EXPECT_FALSE(ReadRecords(emf).empty());
  EXPECT_FALSE(ConvertToSvg(emf).isEmpty());
  EXPECT_FALSE(ListRecords(emf).contains(QLatin1String("corrupt"), Qt::CaseInsensitive));
}

TEST(EmfRecorder, NegativeFrameSizeRecordsAnEmptyFrame) {
  emf::TEmfRecorder recorder(QSize(-5, -7));
  EXPECT_EQ(ReadHeader(recorder.Finish()).frame, QRect(QPoint(0, 0), QPoint(0, 0)));
}

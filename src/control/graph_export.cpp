#include "control/graph_export.h"

#include <QPainter>
#include <QPdfWriter>
#include <functional>

#include "control/document_io.h"
#include "control/export_formats.h"
#include "control/graph_control.h"
#include "control/series_data_text.h"
#include "emf/emf_recorder.h"
#include "geometry/graphics.h"
#include "output/file_writer.h"
#include "output/image_encoders.h"
#include "output/pdf_page_box.h"
#include "svg/svg_writer.h"
#include "vector_device/shape_merging_device.h"

namespace control {

namespace {

constexpr double kPointsPerInch = 72.0;

[[noreturn]] void FailToWrite(const QString& fileName, const QString& reason) {
  throw TExportError(QStringLiteral("Cannot write \"%1\": %2").arg(fileName, reason).toStdString());
}

QRect ClientRect(const TGraphControl& control) { return QRect(QPoint(0, 0), PictureSize(control)); }

// Fonts are sized for the reference resolution (see TGraphics::CreateFont):
// scaling the world by the device's resolution over it makes one world unit
// one reference pixel, so the picture looks the same on every device.
void ScaleToReferenceResolution(QPainter& painter) {
  const QPaintDevice& device = *painter.device();
  const double scaleX = device.logicalDpiX() / geometry::kReferenceDpi;
  const double scaleY = device.logicalDpiY() / geometry::kReferenceDpi;
  if (scaleX != 1.0 || scaleY != 1.0) painter.scale(scaleX, scaleY);
}

[[noreturn]] void Fail(const QString& message) { throw TExportError(message.toStdString()); }

// Streams the file as it is drawn; it replaces `fileName` only once complete.
void WriteStreaming(const QString& fileName, const std::function<void(output::TFileWriter&)>& write) {
  output::TFileWriter file(fileName);
  if (file.Failed()) Fail(file.ErrorMessage());
  write(file);
  if (!file.Commit()) Fail(file.ErrorMessage());
}

void ExportSvg(TGraphControl& control, const QString& fileName, const model::TProgress& progress) {
  WriteStreaming(fileName, [&](output::TFileWriter& file) {
    svg::TSvgWriter writer(file, PictureSize(control));
    DrawVectorPicture(control, writer, progress);
    // A failed write has given the file its reason already.
    if (writer.Failed()) file.Fail(writer.ErrorString());
  });
}

void ExportPdf(TGraphControl& control, const QString& fileName, const model::TProgress& progress) {
  WriteStreaming(fileName, [&](output::TFileWriter& file) {
    // The page is the picture's exact size, in fractions of a point if need be.
    const QSizeF points = QSizeF(PictureSize(control)) * (kPointsPerInch / geometry::kReferenceDpi);
    output::TExactPageBoxDevice exactPage(file, points);
    {
      QPdfWriter writer(&exactPage);
      const QSizeF page = output::TExactPageBoxDevice::WriterPageSize(points);
      writer.setPageSize(QPageSize(page, QPageSize::Point, QString(), QPageSize::ExactMatch));
      writer.setPageMargins(QMarginsF(0, 0, 0, 0));
      DrawVectorPicture(control, writer, progress);
    }
    exactPage.Finish();
  });
}

void ExportMetafile(TGraphControl& control, const QString& fileName, const model::TProgress& progress) {
  emf::TEmfRecorder metafile(PictureSize(control));
  RenderToMetafile(control, metafile, progress);
  QString error;
  if (!metafile.SaveToFile(fileName, &error)) Fail(error);
}

bool ExportRaster(TGraphControl& control, const QString& fileName, const TExportFormat& format,
                  const model::TProgress& progress) {
  output::TEncoderClsid encoder;
  if (output::GetEncoderClsid(format.MimeType, encoder) < 0) return false;
  QString error;
  if (!output::SaveImageWithEncoder(RenderToImage(control, progress), fileName, encoder, &error)) Fail(error);
  return true;
}

}  // namespace

QSize PictureSize(const TGraphControl& control) { return control.size().expandedTo(QSize(1, 1)); }

void DrawVectorPicture(TGraphControl& control, QPaintDevice& device, const model::TProgress& progress) {
  QPainter target(&device);
  DrawVectorPicture(control, target, QSize(device.width(), device.height()), progress);
}

void DrawVectorPicture(TGraphControl& control, QPainter& target, const QSize& deviceSize,
                       const model::TProgress& progress) {
  vector_device::TShapeMergingDevice merging(target, deviceSize);
  QPainter painter(&merging);
  ScaleToReferenceResolution(painter);
  TGraphics g(painter);
  g.SetClip(ClientRect(control));
  control.DrawTo(g, progress);
}

void RenderToMetafile(TGraphControl& control, emf::TEmfRecorder& metafile, const model::TProgress& progress) {
  QPainter target(&metafile);
  vector_device::TShapeMergingDevice merging(target);
  QPainter painter(&merging);
  TGraphics g(painter);
  g.SetClip(QRect(QPoint(0, 0), metafile.FrameSize()));
  control.DrawTo(g, progress);
}

QImage RenderToImage(TGraphControl& control, const model::TProgress& progress) {
  QImage image(PictureSize(control), QImage::Format_RGB32);
  if (image.isNull()) return image;
  QPainter painter(&image);
  TGraphics g(painter);
  control.DrawTo(g, progress);
  return image;
}

bool Export(TGraphControl& control, const QString& fileName, int formatIndex, const model::TProgress& progress) {
  const TExportFormat* format = ExportFormatAt(formatIndex);
  if (!format) FailToWrite(fileName, QStringLiteral("there is no export format %1").arg(formatIndex));
  switch (format->Kind) {
    case TExportKind::Text:
      if (QString error; !output::WriteFile(fileName, ExportText(control).toUtf8(), &error)) Fail(error);
      return true;
    case TExportKind::Document:
      control.SaveToFile(fileName, true, progress);
      return true;
    case TExportKind::Metafile:
      ExportMetafile(control, fileName, progress);
      return true;
    case TExportKind::Raster:
      return ExportRaster(control, fileName, *format, progress);
    case TExportKind::Svg:
      ExportSvg(control, fileName, progress);
      return true;
    case TExportKind::Pdf:
      ExportPdf(control, fileName, progress);
      return true;
  }
  return false;
}

}  // namespace control

#include "control/graph_export.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <functional>

#include "control/document_io.h"
#include "control/export_formats.h"
#include "control/graph_control.h"
#include "control/series_data_text.h"
#include "control/shape_merging_device.h"
#include "emf/emf_recorder.h"
#include "geometry/graphics.h"
#include "geometry/image_encoders.h"
#include "svg/svg_writer.h"

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

// Writes through a temporary file that replaces `fileName` only once the
// picture is complete.
void WriteThroughSaveFile(const QString& fileName, const std::function<void(QIODevice&)>& write) {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) FailToWrite(fileName, file.errorString());
  write(file);
  if (!file.commit()) FailToWrite(fileName, file.errorString());
}

void ExportSvg(TGraphControl& control, const QString& fileName) {
  WriteThroughSaveFile(fileName, [&control, &fileName](QIODevice& file) {
    // The writer streams the document into the file as it is drawn.
    svg::TSvgWriter writer(file, PictureSize(control));
    DrawVectorPicture(control, writer);
    if (writer.Failed()) FailToWrite(fileName, writer.ErrorString());
  });
}

void ExportPdf(TGraphControl& control, const QString& fileName) {
  WriteThroughSaveFile(fileName, [&control](QIODevice& file) {
    QPdfWriter writer(&file);
    const QSizeF points = QSizeF(PictureSize(control)) * (kPointsPerInch / geometry::kReferenceDpi);
    writer.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    DrawVectorPicture(control, writer);
  });
}

void ExportMetafile(TGraphControl& control, const QString& fileName) {
  emf::TEmfRecorder metafile(PictureSize(control));
  RenderToMetafile(control, metafile);
  QString error;
  if (!metafile.SaveToFile(fileName, &error)) FailToWrite(fileName, error);
}

// The image writer removes what it wrote when it fails, but does not say why:
// trying to create the file tells whether the file or the encoder is at fault.
QString RasterFailureReason(const QString& fileName) {
  QSaveFile probe(fileName);
  if (!probe.open(QIODevice::WriteOnly)) return probe.errorString();
  probe.cancelWriting();
  return QStringLiteral("the image could not be encoded");
}

bool ExportRaster(TGraphControl& control, const QString& fileName, const TExportFormat& format) {
  geometry::TEncoderClsid encoder;
  if (geometry::GetEncoderClsid(format.MimeType, encoder) < 0) return false;
  if (!geometry::SaveImageWithEncoder(RenderToImage(control), fileName, encoder))
    FailToWrite(fileName, RasterFailureReason(fileName));
  return true;
}

}  // namespace

QSize PictureSize(const TGraphControl& control) { return control.size().expandedTo(QSize(1, 1)); }

void DrawVectorPicture(TGraphControl& control, QPaintDevice& device) {
  QPainter target(&device);
  TShapeMergingDevice merging(target);
  QPainter painter(&merging);
  ScaleToReferenceResolution(painter);
  TGraphics g(painter);
  g.SetClip(ClientRect(control));
  control.DrawTo(g);
}

void RenderToMetafile(TGraphControl& control, emf::TEmfRecorder& metafile) {
  QPainter painter(&metafile);
  TGraphics g(painter);
  g.SetClip(QRect(QPoint(0, 0), metafile.FrameSize()));
  control.DrawTo(g);
}

QImage RenderToImage(TGraphControl& control) {
  QImage image(PictureSize(control), QImage::Format_RGB32);
  if (image.isNull()) return image;
  QPainter painter(&image);
  TGraphics g(painter);
  control.DrawTo(g);
  return image;
}

bool Export(TGraphControl& control, const QString& fileName, int formatIndex) {
  const TExportFormat* format = ExportFormatAt(formatIndex);
  if (!format) FailToWrite(fileName, QStringLiteral("there is no export format %1").arg(formatIndex));
  switch (format->Kind) {
    case TExportKind::Text:
      WriteFileSafely(fileName, ExportText(control).toUtf8());
      return true;
    case TExportKind::Document:
      control.SaveToFile(fileName, true);
      return true;
    case TExportKind::Metafile:
      ExportMetafile(control, fileName);
      return true;
    case TExportKind::Raster:
      return ExportRaster(control, fileName, *format);
    case TExportKind::Svg:
      ExportSvg(control, fileName);
      return true;
    case TExportKind::Pdf:
      ExportPdf(control, fileName);
      return true;
  }
  return false;
}

}  // namespace control

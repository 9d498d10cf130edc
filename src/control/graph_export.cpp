#include "control/graph_export.h"

#include <QPainter>
#include <QPdfWriter>
#include <cassert>
#include <cmath>
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
constexpr double kMetresPerInch = 0.0254;

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

void ExportSvg(TGraphControl& control, const QString& fileName, const TPictureSize& size,
               const model::TProgress& progress) {
  WriteStreaming(fileName, [&](output::TFileWriter& file) {
    svg::TSvgWriter writer(file, PictureSize(control), size.Physical ? size.Millimetres() : QSizeF());
    DrawVectorPicture(control, writer, progress);
    // A failed write has given the file its reason already.
    if (writer.Failed()) file.Fail(writer.ErrorString());
  });
}

void ExportPdf(TGraphControl& control, const QString& fileName, const TPictureSize& size,
               const model::TProgress& progress) {
  WriteStreaming(fileName, [&](output::TFileWriter& file) {
    // The page is the picture's exact size, in fractions of a point if need
    // be; a layout rounded up to whole pixels runs past it and is cut off.
    const QSizeF points = size.Inches * kPointsPerInch;
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

void ExportMetafile(TGraphControl& control, const QString& fileName, const TPictureSize& size,
                    const model::TProgress& progress) {
  emf::TEmfRecorder metafile(PictureSize(control));
  if (size.Physical) metafile.SetFrameMillimetres(size.Millimetres());
  RenderToMetafile(control, metafile, progress);
  QString error;
  if (!metafile.SaveToFile(fileName, &error)) Fail(error);
}

bool ExportRaster(TGraphControl& control, const QString& fileName, const TExportFormat& format,
                  const TPictureSize& size, const model::TProgress& progress) {
  output::TEncoderClsid encoder;
  if (output::GetEncoderClsid(format.MimeType, encoder) < 0) return false;
  QString error;
  if (!output::SaveImageWithEncoder(RenderToImage(control, size, progress), fileName, encoder, &error)) Fail(error);
  return true;
}

// A picture of another layout size is drawn by a hidden control of that size
// holding a copy of the document, so that the window keeps its own layout.
bool ExportThroughCopy(TGraphControl& control, const QString& fileName, int formatIndex, const TPictureSize& size,
                       const model::TProgress& progress) {
  pugi::xml_document document;
  control.SaveToDocument(document);
  TGraphControl copy;
  copy.setAttribute(Qt::WA_DontShowOnScreen);
  copy.setFont(control.font());
  copy.resize(size.Layout());
  copy.show();  // lays the copy out and gives it its drawing context
  {
    TControlUpdateScope scope(copy);
    copy.SetColor(control.Color());
    copy.LoadFromDocument(document);
  }
  assert(PictureSize(copy) == size.Layout());
  return Export(copy, fileName, formatIndex, size, progress);
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
  return RenderToImage(control, TPictureSize::OfLayout(PictureSize(control)), progress);
}

QImage RenderToImage(TGraphControl& control, const TPictureSize& size, const model::TProgress& progress) {
  QImage image(size.Pixels(), QImage::Format_RGB32);
  if (image.isNull()) return image;
  {
    QPainter painter(&image);
    if (size.Scale() != 1.0) painter.scale(size.Scale(), size.Scale());
    TGraphics g(painter);
    control.DrawTo(g, progress);
  }
  // Set once drawn: fonts are sized for the resolution the image had.
  const int dotsPerMetre = int(std::lround(size.Dpi / kMetresPerInch));
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  return image;
}

bool Export(TGraphControl& control, const QString& fileName, int formatIndex, const model::TProgress& progress) {
  return Export(control, fileName, formatIndex, TPictureSize::OfLayout(PictureSize(control)), progress);
}

bool Export(TGraphControl& control, const QString& fileName, int formatIndex, const TPictureSize& size,
            const model::TProgress& progress) {
  const TExportFormat* format = ExportFormatAt(formatIndex);
  if (!format) FailToWrite(fileName, QStringLiteral("there is no export format %1").arg(formatIndex));
  const bool picture = format->Kind != TExportKind::Text && format->Kind != TExportKind::Document;
  if (picture && size.Layout() != PictureSize(control))
    return ExportThroughCopy(control, fileName, formatIndex, size, progress);
  switch (format->Kind) {
    case TExportKind::Text:
      if (QString error; !output::WriteFile(fileName, ExportText(control, progress).toUtf8(), &error)) Fail(error);
      return true;
    case TExportKind::Document:
      control.SaveToFile(fileName, true, progress);
      return true;
    case TExportKind::Metafile:
      ExportMetafile(control, fileName, size, progress);
      return true;
    case TExportKind::Raster:
      return ExportRaster(control, fileName, *format, size, progress);
    case TExportKind::Svg:
      ExportSvg(control, fileName, size, progress);
      return true;
    case TExportKind::Pdf:
      ExportPdf(control, fileName, size, progress);
      return true;
  }
  return false;
}

}  // namespace control

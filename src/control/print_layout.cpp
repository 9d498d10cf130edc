#include "control/print_layout.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#include "control/graph_control.h"
#include "control/graph_export.h"
#include "geometry/graphics.h"

namespace control {

namespace {

[[noreturn]] void FailToPrint(const QString& reason) {
  throw TExportError(QStringLiteral("Cannot print: %1").arg(reason).toStdString());
}

// Stops a job whose page is half drawn. Printing to a file, the engine
// cannot abort and has already written the file: it goes.
void AbortJob(QPainter& painter, QPrinter& printer) {
  if (printer.abort()) return;
  const QString file = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
  painter.end();
  // Never a device or what a link points to.
  if (const QFileInfo info(file); !file.isEmpty() && info.isFile() && !info.isSymLink()) QFile::remove(file);
}

}  // namespace

QRect PrintRect(const QSize& page, const QSize& picture) {
  if (page.isEmpty() || picture.isEmpty()) return {};
  const double pictureRatio = double(picture.width()) / picture.height();
  const double pageRatio = double(page.width()) / page.height();
  if (pageRatio > pictureRatio) {
    const int width = int(page.height() * pictureRatio);
    return QRect((page.width() - width) / 2, 0, width, page.height());
  }
  const int height = int(page.width() / pictureRatio);
  return QRect(0, (page.height() - height) / 2, page.width(), height);
}

void Print(TGraphControl& control, QPrinter& printer, const model::TProgress& progress) {
  const QSize picture = PictureSize(control);
  const QRect target = PrintRect(QSize(printer.width(), printer.height()), picture);
  QPainter painter;
  if (!painter.begin(&printer)) FailToPrint(QStringLiteral("the printer could not start the job"));
  if (!target.isEmpty()) {
    // The picture as the printer draws it at its own resolution, scaled into
    // the target; it is as large as the clip, so its background covers no
    // more than the target either.
    const QSize native(qRound(picture.width() * printer.logicalDpiX() / geometry::kReferenceDpi),
                       qRound(picture.height() * printer.logicalDpiY() / geometry::kReferenceDpi));
    painter.setClipRect(target);
    painter.translate(target.topLeft());
    painter.scale(double(target.width()) / native.width(), double(target.height()) / native.height());
    try {
      DrawVectorPicture(control, painter, native, progress);
    } catch (const model::TCancelled&) {
      AbortJob(painter, printer);
      throw;
    }
  }
  if (!painter.end()) FailToPrint(QStringLiteral("the printer could not finish the job"));
}

}  // namespace control

#include "control/print_layout.h"

#include <QBuffer>
#include <QPainter>
#include <QPrinter>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include "control/graph_control.h"
#include "control/graph_export.h"
#include "geometry/graphics.h"

namespace control {

namespace {

[[noreturn]] void FailToPrint(const QString& reason) {
  throw TExportError(QStringLiteral("Cannot print: %1").arg(reason).toStdString());
}

// The diagram recorded as a vector picture of its own size. DrawTo starts by
// clearing its whole device: on the picture that is the picture's rectangle,
// not the page, and the clip keeps a zoomed diagram within it too.
QByteArray RecordPicture(TGraphControl& control) {
  const QRect client(QPoint(0, 0), PictureSize(control));
  QByteArray svg;
  QBuffer buffer(&svg);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setResolution(int(geometry::kReferenceDpi));
  generator.setSize(client.size());
  generator.setViewBox(client);
  DrawVectorPicture(control, generator);
  return svg;
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

void Print(TGraphControl& control, QPrinter& printer) {
  const QSize picture = PictureSize(control);
  const QRect target = PrintRect(QSize(printer.width(), printer.height()), picture);
  QSvgRenderer recording(RecordPicture(control));
  QPainter painter;
  if (!painter.begin(&printer)) FailToPrint(QStringLiteral("the printer could not start the job"));
  if (!target.isEmpty()) {
    painter.setClipRect(target);
    recording.render(&painter, QRectF(target));
  }
  if (!painter.end()) FailToPrint(QStringLiteral("the printer could not finish the job"));
}

}  // namespace control

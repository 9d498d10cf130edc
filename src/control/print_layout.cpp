#include "control/print_layout.h"

#include <QPainter>
#include <QPicture>
#include <QtPrintSupport/QPrinter>

#include "control/graph_control.h"
#include "control/graph_export.h"
#include "geometry/graphics.h"

namespace control {

namespace {

[[noreturn]] void FailToPrint(const QString& reason) {
  throw TExportError(QStringLiteral("Cannot print: %1").arg(reason).toStdString());
}

// The diagram recorded as drawing commands. DrawTo starts by clearing its
// whole device: on the picture that is the picture's own rectangle, not the
// page, and the clip keeps a zoomed diagram within it too.
QPicture RecordPicture(TGraphControl& control) {
  const QRect client(QPoint(0, 0), PictureSize(control));
  QPicture picture;
  picture.setBoundingRect(client);
  QPainter painter(&picture);
  TGraphics g(painter);
  g.SetClip(client);
  control.DrawTo(g);
  return picture;
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
  const QPicture recording = RecordPicture(control);
  QPainter painter;
  if (!painter.begin(&printer)) FailToPrint(QStringLiteral("the printer could not start the job"));
  if (!target.isEmpty()) {
    painter.translate(target.topLeft());
    painter.scale(double(target.width()) / picture.width(), double(target.height()) / picture.height());
    painter.drawPicture(0, 0, recording);
  }
  if (!painter.end()) FailToPrint(QStringLiteral("the printer could not finish the job"));
}

}  // namespace control

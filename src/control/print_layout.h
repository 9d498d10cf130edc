#pragma once

#include <QRect>
#include <QSize>

#include "model/progress.h"

class QPrinter;
class TGraphControl;

namespace control {

// Where a picture goes on a page, both sizes in device pixels: as large as the
// page allows with the picture's aspect ratio kept, filling the page's width
// or height and centred along the other direction (halves rounded toward the
// top left). Empty when either size is empty.
QRect PrintRect(const QSize& page, const QSize& picture);

// Prints the diagram on one page of the printer, in its current settings,
// drawn straight onto the printer as the PDF export draws it, scaled into
// PrintRect of the printable area. Raises
// TExportError when the printer cannot start or finish the job.
// `progress` hears of the drawing (see TGraph::Draw); when it stops it, the
// job is aborted, a PDF file being printed is removed, and
// model::TCancelled passes on. A printer whose driver cannot abort (CUPS
// cannot once the job has begun) gets the page as far as it was drawn.
void Print(TGraphControl& control, QPrinter& printer, const model::TProgress& progress = model::TProgress());

}  // namespace control

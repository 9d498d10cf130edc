#pragma once

#include <QRect>
#include <QSize>

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
void Print(TGraphControl& control, QPrinter& printer);

}  // namespace control

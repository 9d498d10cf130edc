#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <stdexcept>

#include "control/picture_size.h"
#include "model/progress.h"

class QPaintDevice;
class TGraphControl;

namespace emf {
class TEmfRecorder;
}

// An export that could not be written: the message names the file and the
// reason.
class TExportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

namespace control {

// Every picture of the diagram is drawn by the control's DrawTo at the
// control's client size (at least one pixel each way), current zoom and
// layout, so it shows what the window shows.
QSize PictureSize(const TGraphControl& control);

// Records the diagram into a metafile whose frame is the picture size,
// clipped to the client rectangle, with a fill and the outline of the same
// shape merged into one shape (vector_device::TShapeMergingDevice).
// `progress`, here and below, hears of the drawing as TGraph::Draw tells it
// and may stop it with model::TCancelled.
void RenderToMetafile(TGraphControl& control, emf::TEmfRecorder& metafile,
                      const model::TProgress& progress = model::TProgress());

// Draws the diagram on a vector device (SVG, PDF, ...) of any resolution,
// clipped to the picture, one world unit a pixel at the reference resolution;
// the device starts at the picture's top left corner.
void DrawVectorPicture(TGraphControl& control, QPaintDevice& device,
                       const model::TProgress& progress = model::TProgress());

// The same on a painter whose transform places the picture: drawn as on a
// device of the painter's resolution and `deviceSize` pixels, with a fill and
// the outline of the same shape merged into one shape (TShapeMergingDevice).
void DrawVectorPicture(TGraphControl& control, QPainter& target, const QSize& deviceSize,
                       const model::TProgress& progress = model::TProgress());

// The diagram rendered afresh on an opaque image of the picture size.
QImage RenderToImage(TGraphControl& control, const model::TProgress& progress = model::TProgress());
// The same at a size whose Layout() is the control's size: an image of
// size.Pixels() that records size.Dpi, the drawing scaled by size.Scale().
QImage RenderToImage(TGraphControl& control, const TPictureSize& size,
                     const model::TProgress& progress = model::TProgress());

// Writes the diagram in one of the formats of kExportFormats, whatever the
// file name's extension. Returns false, writing nothing, when no image
// encoder is installed for the format's MIME type. A file that cannot be
// written raises an error derived from std::runtime_error naming it, and
// leaves no partial file behind; so does an index that names no format.
// `progress` hears of a document's point lists as they are written, or of
// a picture as it is drawn, and may stop the export with model::TCancelled,
// writing nothing.
bool Export(TGraphControl& control, const QString& fileName, int formatIndex,
            const model::TProgress& progress = model::TProgress());
// The same at a chosen size and resolution: raster files have size.Pixels()
// and record size.Dpi; PDF, SVG and EMF files state the physical size. When
// size.Layout() is not the control's size, the picture is drawn by a hidden
// copy of the control of that size, so the window stays as it is.
bool Export(TGraphControl& control, const QString& fileName, int formatIndex, const TPictureSize& size,
            const model::TProgress& progress = model::TProgress());

}  // namespace control

#pragma once

#include <QCursor>
#include <QString>

namespace control {

// The magnifying-glass cursors of the zoom modes, with the hot spot in the
// middle of the lens at (5, 5).
struct TZoomCursors {
  QCursor ZoomIn;
  QCursor ZoomOut;
};

// Loads the "ZOOMIN" and "ZOOMOUT" cursors from the program's resources.
TZoomCursors LoadZoomCursors();

}  // namespace control

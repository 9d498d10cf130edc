#pragma once

#include <QFont>

class TGraphControl;

namespace control {

// The font of the main window, "MS Sans Serif" at 8 points, regular: a new
// diagram's header and footer take it.
QFont DefaultWindowFont();

// Gives a control the main window's font (in the window-text colour) and
// starts a new diagram with it, so that its header and footer carry that
// font. For controls made without the main window, right after construction.
void ApplyDefaultFont(TGraphControl& control);

}  // namespace control

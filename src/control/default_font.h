#pragma once

#include <QFont>

class TGraphControl;

namespace control {

// Maps the Windows font families that documents name ("Arial", "MS Sans
// Serif", "Times New Roman", "Courier New", "Tahoma", "Verdana", ...) onto the
// metric-compatible Liberation and DejaVu fonts the program installs, so that
// a document draws the same on every machine, whatever fontconfig would pick.
// A family that is installed itself is still used. Documents keep the names
// they hold. Safe to call more than once; DefaultWindowFont, and so the window and
// the headless export, call it.
void InstallFontSubstitutions();

// The font of the main window, "MS Sans Serif" at 8 points, regular: a new
// diagram's header and footer take it.
QFont DefaultWindowFont();

// Gives a control the main window's font (in the window-text colour) and
// starts a new diagram with it, so that its header and footer carry that
// font. For controls made without the main window, right after construction.
void ApplyDefaultFont(TGraphControl& control);

}  // namespace control

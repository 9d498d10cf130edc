#pragma once

#include <QString>

class TGraphControl;

namespace control {

// The text form of a diagram's data: the header caption, the values of every
// series (numbers with the user's decimal separator), the footer caption.

// As the text export writes it: the header caption (also when empty) and an
// empty line if the header is visible, the series text, then an empty line
// and the footer caption if the footer is visible; every entry ends with CR LF.
QString ExportText(const TGraphControl& control);

// As the clipboard takes it: entries joined by an empty line, a visible header
// with an empty caption adds nothing, and no line break follows the last line.
QString ClipboardText(const TGraphControl& control);

}  // namespace control

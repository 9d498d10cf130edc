#pragma once

#include <QString>

#include "model/progress.h"

class TGraphControl;

namespace control {

// The text form of a diagram's data: the header caption, the values of every
// series (numbers with the user's decimal separator), the footer caption.

// As the text export writes it: the header caption (also when empty) and an
// empty line if the header is visible, the series text, then an empty line
// and the footer caption if the footer is visible; every entry ends with CR LF.
// `progress` hears how far the series have got and may stop with model::TCancelled.
QString ExportText(const TGraphControl& control, const model::TProgress& progress = {});

// As the clipboard takes it: entries joined by an empty line, a visible header
// with an empty caption adds nothing, and no line break follows the last line.
QString ClipboardText(const TGraphControl& control);

}  // namespace control

#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace app {

// A toolbar or button glyph from :/app/glyphs/<name>.svg, sharp at any
// screen density.
QIcon Glyph(const char* name);

// A picture from :/app/<name>.svg rendered at `size` logical pixels for a
// screen of the given density.
QPixmap Picture(const char* name, const QSize& size, qreal devicePixelRatio);

// The program's icon.
QIcon ProgramIcon();

}  // namespace app

#include "control/zoom_cursors.h"

#include <QBitmap>

// The resources live in a static library: nothing would pull their
// registration into the program unless it is referenced.
static void InitControlResources() { Q_INIT_RESOURCE(control); }

namespace control {

namespace {

constexpr int kHotSpotX = 5;
constexpr int kHotSpotY = 5;

QCursor LoadCursor(const QString& name) {
  const QBitmap picture(QStringLiteral(":/cursors/%1.xbm").arg(name));
  const QBitmap mask(QStringLiteral(":/cursors/%1_mask.xbm").arg(name));
  return QCursor(picture, mask, kHotSpotX, kHotSpotY);
}

}  // namespace

TZoomCursors LoadZoomCursors() {
  InitControlResources();
  return {LoadCursor(QStringLiteral("ZOOMIN")), LoadCursor(QStringLiteral("ZOOMOUT"))};
}

}  // namespace control

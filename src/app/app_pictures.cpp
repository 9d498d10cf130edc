#include "app/app_pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace app {

namespace {

// Qt's SVG icon engine is a plugin that may be missing; rendering the
// pictures ourselves needs only the Svg library.
QPixmap Render(const QString& path, const QSize& size, qreal devicePixelRatio) {
  QPixmap pixmap(size * devicePixelRatio);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(path);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  painter.end();
  pixmap.setDevicePixelRatio(devicePixelRatio);
  return pixmap;
}

QIcon IconOf(const QString& path, std::initializer_list<int> sides) {
  QIcon icon;
  for (const int side : sides)
    for (const qreal ratio : {1.0, 2.0}) icon.addPixmap(Render(path, QSize(side, side), ratio));
  return icon;
}

}  // namespace

QIcon Glyph(const char* name) {
  return IconOf(QStringLiteral(":/app/glyphs/%1.svg").arg(QLatin1String(name)), {16, 24});
}

QPixmap Picture(const char* name, const QSize& size, qreal devicePixelRatio) {
  return Render(QStringLiteral(":/app/%1.svg").arg(QLatin1String(name)), size, devicePixelRatio);
}

QIcon ProgramIcon() { return IconOf(QStringLiteral(":/app/icon.svg"), {16, 32, 48, 64, 128, 256}); }

}  // namespace app

#include "app/editors/color_field.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>

#include "geometry/graphics.h"

namespace app {

namespace {

constexpr int kCheckerSquare = 4;

void PaintCheckerboard(QPainter& painter, const QRect& rect) {
  painter.fillRect(rect, Qt::white);
  for (int y = rect.top(); y <= rect.bottom(); y += kCheckerSquare)
    for (int x = rect.left(); x <= rect.right(); x += kCheckerSquare)
      if (((x - rect.left()) / kCheckerSquare + (y - rect.top()) / kCheckerSquare) % 2)
        painter.fillRect(QRect(x, y, kCheckerSquare, kCheckerSquare).intersected(rect), QColor(0xC0, 0xC0, 0xC0));
}

}  // namespace

TColorSwatch::TColorSwatch(QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::Box);
  setMinimumSize(40, 21);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TColorSwatch::SetArgb(uint32_t argb) {
  if (argb == m_argb) return;
  m_argb = argb;
  update();
}

void TColorSwatch::SetShowsAlpha(bool showsAlpha) {
  m_showsAlpha = showsAlpha;
  update();
}

void TColorSwatch::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  const QRect inside = contentsRect();
  QColor color = geometry::ColorFromArgb(m_argb);
  if (!m_showsAlpha) color.setAlpha(255);
  PaintCheckerboard(painter, inside);
  painter.fillRect(inside, color);
}

TColorField::TColorField(const QString& swatchName, const QString& buttonName, QWidget* parent)
    : QWidget(parent), m_swatch(new TColorSwatch(this)), m_button(new QPushButton(QStringLiteral("..."), this)) {
  m_swatch->setObjectName(swatchName);
  m_button->setObjectName(buttonName);
  m_button->setFixedWidth(28);
  m_button->setAutoDefault(false);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_swatch, 1);
  layout->addWidget(m_button);
  connect(m_button, &QPushButton::clicked, this, &TColorField::Browse);
}

void TColorField::SetAlphaEditable(bool editable) {
  m_alphaEditable = editable;
  m_swatch->SetShowsAlpha(editable);
}

void TColorField::Browse() {
  QColorDialog dialog(this);
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  // Before the colour: the dialog reads the alpha box only while it is
  // shown, and a colour set earlier would come up opaque.
  dialog.setOption(QColorDialog::ShowAlphaChannel, m_alphaEditable);
  dialog.setCurrentColor(geometry::ColorFromArgb(Argb()));
  if (dialog.exec() != QDialog::Accepted) return;
  uint32_t argb = geometry::ArgbFromColor(dialog.selectedColor());
  if (!m_alphaEditable) argb = (Argb() & 0xFF000000) | (argb & 0x00FFFFFF);
  if (argb == Argb()) return;
  SetArgb(argb);
  emit Changed();
}

}  // namespace app

#include "app/editors/dash_style_buttons.h"

#include <QButtonGroup>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QVBoxLayout>

#include "geometry/graphics.h"

namespace app {

namespace {

constexpr const char* kButtonNames[TDashStyleButtons::kStyleCount] = {"rbSolid", "rbDash", "rbDot", "rbDashDot",
                                                                      "rbDashDotDot"};
constexpr QSize kPatternSize(38, 4);

// The pattern as the diagram draws it, with a pen 2 pixels wide.
QPixmap PatternPicture(int32_t dashStyle) {
  QPixmap picture(kPatternSize);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setPen(geometry::MakePen(0xFF000000, 2.0, dashStyle));
  painter.drawLine(QPointF(0, 2), QPointF(kPatternSize.width(), 2));
  return picture;
}

}  // namespace

TDashStyleButtons::TDashStyleButtons(QWidget* parent) : QWidget(parent), m_group(new QButtonGroup(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  for (int style = 0; style < kStyleCount; ++style) {
    auto* button = new QRadioButton(this);
    button->setObjectName(QLatin1String(kButtonNames[style]));
    button->setIcon(QIcon(PatternPicture(style)));
    button->setIconSize(kPatternSize);
    m_group->addButton(button, style);
    layout->addWidget(button);
    m_buttons[size_t(style)] = button;
  }
  connect(m_group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) emit Changed();
  });
}

int32_t TDashStyleButtons::Selected() const {
  for (int style = 0; style < kStyleCount; ++style)
    if (m_buttons[size_t(style)]->isChecked()) return style;
  return -1;
}

void TDashStyleButtons::Select(int32_t dashStyle) {
  const bool known = dashStyle >= 0 && dashStyle < kStyleCount;
  m_buttons[size_t(known ? dashStyle : DashStyleSolid)]->setChecked(true);
}

}  // namespace app

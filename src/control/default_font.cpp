#include "control/default_font.h"

#include "control/graph_control.h"

namespace control {

QFont DefaultWindowFont() {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPointSize(8);
  font.setWeight(QFont::Normal);
  font.setStyle(QFont::StyleNormal);
  return font;
}

void ApplyDefaultFont(TGraphControl& control) {
  control.setFont(DefaultWindowFont());
  control.NewDiagram();
}

}  // namespace control

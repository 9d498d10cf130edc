#include "control/default_font.h"

#include "control/graph_control.h"

namespace control {

namespace {

struct TFontSubstitution {
  const char* Family;
  const char* Substitute;
};

// Liberation Sans, Serif and Mono have the metrics of Arial, Times New Roman
// and Courier New; DejaVu Sans was drawn after Verdana's proportions.
constexpr TFontSubstitution kFontSubstitutions[] = {
    {"Arial", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"},
    {"Microsoft Sans Serif", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Times", "Liberation Serif"},
    {"MS Serif", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
    {"Tahoma", "DejaVu Sans"},
    {"Verdana", "DejaVu Sans"},
};

}  // namespace

void InstallFontSubstitutions() {
  for (const TFontSubstitution& substitution : kFontSubstitutions) {
    const QString family = QString::fromLatin1(substitution.Family);
    const QString substitute = QString::fromLatin1(substitution.Substitute);
    if (!QFont::substitutes(family).contains(substitute)) QFont::insertSubstitution(family, substitute);
  }
}

QFont DefaultWindowFont() {
  InstallFontSubstitutions();
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

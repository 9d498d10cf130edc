#pragma once

#include "app/editors/editor_form.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class TLineStyle;
namespace app {
class TColorField;
class TDashStyleButtons;
}  // namespace app

// Edits the line of a series: solid or gradient colouring, colours, dash
// style, width and visibility.
class TLineStyleEditorForm : public TEditorForm {
  Q_OBJECT

 public:
  explicit TLineStyleEditorForm(QWidget* parent = nullptr);

  TGraphElement* GetElement() const override;
  void SetElement(TGraphElement* element) override;

 protected:
  void RetranslateUi() override;

 private:
  void BindFields();
  void LoadColorMode();
  // The checked colour mode, or -1 when neither is checked.
  int SelectedColorMode() const;
  // The end colour means something only for a gradient.
  void EnableEndColor();

  TLineStyle* m_style = nullptr;
  QGroupBox* m_rgColorMode;
  QButtonGroup* m_colorModes;
  QRadioButton* m_rbModeSolid;
  QRadioButton* m_rbModeGradient;
  QLabel* m_lblColor;
  app::TColorField* m_color;
  QLabel* m_lblEndColor;
  app::TColorField* m_endColor;
  QLabel* m_lblDashStyle;
  app::TDashStyleButtons* m_dashStyle;
  QLabel* m_lblWidth;
  QLineEdit* m_edtSize;
  QCheckBox* m_chbVisible;
};

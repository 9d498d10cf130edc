#pragma once

#include "app/editors/editor_form.h"

class QLabel;
class QLineEdit;
class TGraphLineStyle;
namespace app {
class TColorField;
class TDashStyleButtons;
}  // namespace app

// Edits the simple pen of axes, ticks and grid lines: colour, dash style, width.
class TGraphLineStyleEditorForm : public TEditorForm {
  Q_OBJECT

 public:
  explicit TGraphLineStyleEditorForm(QWidget* parent = nullptr);

  TGraphElement* GetElement() const override;
  void SetElement(TGraphElement* element) override;

 protected:
  void RetranslateUi() override;

 private:
  TGraphLineStyle* m_style = nullptr;
  QLabel* m_lblColor;
  app::TColorField* m_color;
  QLabel* m_lblDashStyle;
  app::TDashStyleButtons* m_dashStyle;
  QLabel* m_lblWidth;
  QLineEdit* m_edtSize;
};

#pragma once

#include "app/editors/editor_form.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class TAxeElement;
class TGraphLineStyleEditorForm;

// Edits the common part of grid lines and ticks: line style, count, visibility.
class TAxeElementEditorForm : public TEditorForm {
  Q_OBJECT

 public:
  explicit TAxeElementEditorForm(QWidget* parent = nullptr);

  TGraphElement* GetElement() const override;
  void SetElement(TGraphElement* element) override;

 protected:
  void RetranslateUi() override;

 private:
  TAxeElement* m_element = nullptr;
  QLabel* m_lblStyle;
  QWidget* m_pnlStyle;
  TGraphLineStyleEditorForm* m_styleEditor;
  QLabel* m_lblCount;
  QLineEdit* m_edtCount;
  QCheckBox* m_chbVisible;
};

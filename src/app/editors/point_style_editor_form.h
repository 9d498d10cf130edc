#pragma once

#include "app/editors/editor_form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class TPointStyle;
namespace app {
class TColorField;
}

// Edits the marker of a series: shape, fill and frame colours, size, visibility.
class TPointStyleEditorForm : public TEditorForm {
  Q_OBJECT

 public:
  explicit TPointStyleEditorForm(QWidget* parent = nullptr);

  TGraphElement* GetElement() const override;
  void SetElement(TGraphElement* element) override;

 protected:
  void RetranslateUi() override;

 private:
  void BindFields();

  TPointStyle* m_style = nullptr;
  QLabel* m_lblDotType;
  QComboBox* m_cbxDotType;
  QLabel* m_lblFillColor;
  app::TColorField* m_fillColor;
  QLabel* m_lblFrameColor;
  app::TColorField* m_frameColor;
  QLabel* m_lblDotSize;
  QLineEdit* m_edtDotSize;
  QCheckBox* m_chbVisible;
};

#pragma once

#include "app/editors/editor_form.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TControlLabel;
class TFontEditorForm;

// Edits the header or the footer of a diagram: caption, font, band height
// and visibility.
class TControlLabelEditorForm : public TEditorForm {
  Q_OBJECT

 public:
  explicit TControlLabelEditorForm(QWidget* parent = nullptr);

  TGraphElement* GetElement() const override;
  void SetElement(TGraphElement* element) override;

 protected:
  void RetranslateUi() override;

 private:
  void BindFields();
  // The caption as it is stored: lines joined with CR LF, without blanks or
  // control characters at either end.
  QString TypedCaption() const;

  TControlLabel* m_label = nullptr;
  QLabel* m_lblCaption;
  QPlainTextEdit* m_mmCaption;
  QLabel* m_lblFont;
  QWidget* m_pnlFont;
  TFontEditorForm* m_fontEditor;
  QLabel* m_lblHeight;
  QLineEdit* m_edtHeight;
  QCheckBox* m_chbVisible;
};

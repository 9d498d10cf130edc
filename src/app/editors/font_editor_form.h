#pragma once

#include "app/editors/editor_form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class TGraphFont;
namespace app {
class TColorField;
}

// Edits a TGraphFont: family, colour, size and styles.
class TFontEditorForm : public TEditorForm {
  Q_OBJECT

 public:
  explicit TFontEditorForm(QWidget* parent = nullptr);

  TGraphElement* GetElement() const override;
  bool IsModified() const override;
  void SetElement(TGraphElement* element) override;
  void ApplyChanges() override;
  void LoadFromElement() override;

 protected:
  void RetranslateUi() override;

 private:
  void SelectFamily(const QString& name);
  int StylesOfBoxes() const;

  TGraphFont* m_font = nullptr;
  QLabel* m_lblName;
  QComboBox* m_cbxFontName;
  QLabel* m_lblColor;
  app::TColorField* m_color;
  QLabel* m_lblSize;
  QLineEdit* m_edtSize;
  QLabel* m_lblStyle;
  QCheckBox* m_chbBold;
  QCheckBox* m_chbItalic;
  QCheckBox* m_chbUnderline;
  QCheckBox* m_chbStrikeOut;
  // An entry added for a family that is not installed, so that its name
  // survives an apply; -1 when there is none.
  int m_uninstalledEntry = -1;
};

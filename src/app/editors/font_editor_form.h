#pragma once

#include <array>
#include <utility>

#include "app/editors/editor_form.h"
#include "model/graph_font.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
namespace app {
class TColorField;
}

// Edits a TGraphFont: family, colour, size and styles.
class TFontEditorForm : public TEditorForm {
  Q_OBJECT

 public:
  explicit TFontEditorForm(QWidget* parent = nullptr);

  TGraphElement* GetElement() const override;
  void SetElement(TGraphElement* element) override;

 protected:
  void RetranslateUi() override;

 private:
  void BindFields();
  void SelectFamily(const QString& name);
  std::array<std::pair<QCheckBox*, TGraphFontStyle>, 4> StyleBoxes() const;
  TGraphFontStyles StylesOfBoxes() const;

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

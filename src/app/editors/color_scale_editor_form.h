#pragma once

#include <functional>

#include "app/editors/editor_form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class TColorScale;
namespace app {
class TColorField;
}

// Edits the colour scale of a points series: whether the markers take the
// colour of their values, the map (each shown with its picture), the range
// (an empty end follows the values), logarithmic and reversed scales, the
// colour of markers without value and the title of the colour bar.
class TColorScaleEditorForm : public TEditorForm {
  Q_OBJECT

 public:
  explicit TColorScaleEditorForm(QWidget* parent = nullptr);

  TGraphElement* GetElement() const override;
  // Anything but a colour scale leaves the editor without element.
  void SetElement(TGraphElement* element) override;

 protected:
  void RetranslateUi() override;

 private:
  void BindFields();
  void BindEnd(QLineEdit* edit, std::function<double()> value, std::function<void(double)> apply);

  TColorScale* m_scale = nullptr;
  QCheckBox* m_chbVisible;
  QLabel* m_lblColorMap;
  QComboBox* m_cbColorMap;
  QLabel* m_lblMin;
  QLineEdit* m_edtMin;
  QLabel* m_lblMax;
  QLineEdit* m_edtMax;
  QLabel* m_lblRangeNote;
  QCheckBox* m_chbLogarithmic;
  QCheckBox* m_chbReversed;
  QLabel* m_lblNoValueColor;
  app::TColorField* m_noValueColor;
  QLabel* m_lblTitle;
  QLineEdit* m_edtTitle;
};

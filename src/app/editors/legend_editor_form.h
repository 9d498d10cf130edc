#pragma once

#include "app/editors/editor_form.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class TFontEditorForm;
class TGraphLineStyleEditorForm;
class TLegend;
namespace app {
class TColorField;
}

// Edits the legend: shown or not, where, its font, frame and background.
class TLegendEditorForm : public TEditorForm {
  Q_OBJECT

 public:
  explicit TLegendEditorForm(QWidget* parent = nullptr);

  TGraphElement* GetElement() const override;
  void SetElement(TGraphElement* element) override;

 protected:
  void RetranslateUi() override;

 private:
  void BindFields();

  TLegend* m_legend = nullptr;
  QCheckBox* m_chbVisible;
  QLabel* m_lblPosition;
  QComboBox* m_cbxPosition;
  QLabel* m_lblBackground;
  app::TColorField* m_background;
  QGroupBox* m_gbFont;
  TFontEditorForm* m_fontEditor;
  QGroupBox* m_gbFrame;
  TGraphLineStyleEditorForm* m_frameEditor;
};

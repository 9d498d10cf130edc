#pragma once

#include "app/editors/editor_form.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class TAxeElementEditorForm;
class TFontEditorForm;
class TTicks;

// Edits the ticks of an axis on two pages: the tick lines, then their labels.
class TTicksEditorForm : public TEditorForm {
  Q_OBJECT

 public:
  explicit TTicksEditorForm(QWidget* parent = nullptr);

  TGraphElement* GetElement() const override;
  void SetElement(TGraphElement* element) override;

 protected:
  void RetranslateUi() override;

 private:
  QWidget* CreateLinesPage();
  QWidget* CreateLabelsPage();

  TTicks* m_ticks = nullptr;
  QTabWidget* m_pages;
  QWidget* m_tsLines = nullptr;
  QWidget* m_pnlAxeElement = nullptr;
  TAxeElementEditorForm* m_axeElementEditor = nullptr;
  QLabel* m_lblTickLength = nullptr;
  QLineEdit* m_edtTickLength = nullptr;
  QWidget* m_tsLabels = nullptr;
  QLabel* m_lblFont = nullptr;
  QWidget* m_pnlFont = nullptr;
  TFontEditorForm* m_fontEditor = nullptr;
  QGroupBox* m_gbLabels = nullptr;
  QLabel* m_lblSpacing = nullptr;
  QLineEdit* m_edtSpacing = nullptr;
  QLabel* m_lblFormat = nullptr;
  QLineEdit* m_edtFormat = nullptr;
};

#pragma once

#include "app/editors/editor_form.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class TAxeElementEditorForm;
class TFontEditorForm;
class TGraphAxe;
class TGraphLineStyleEditorForm;
class TTicksEditorForm;

// Edits one axis on four pages: its title, its line, its grid lines, its ticks.
class TGraphAxeEditorForm : public TEditorForm {
  Q_OBJECT

 public:
  explicit TGraphAxeEditorForm(QWidget* parent = nullptr);

  TGraphElement* GetElement() const override;
  void SetElement(TGraphElement* element) override;

 protected:
  void RetranslateUi() override;

 private:
  QWidget* CreateTextPage();
  // A page holding only a panel for a hosted editor.
  QWidget* CreatePanelPage(const QString& pageName, const QString& panelName, QWidget*& panel);

  TGraphAxe* m_axe = nullptr;
  QTabWidget* m_pages;
  QWidget* m_tsText = nullptr;
  QGroupBox* m_gbLabel = nullptr;
  QLabel* m_lblLabelText = nullptr;
  QLineEdit* m_edtLabelText = nullptr;
  QLabel* m_lblSpacing = nullptr;
  QLineEdit* m_edtSpacing = nullptr;
  QLabel* m_lblFont = nullptr;
  QWidget* m_pnlTextLabelFont = nullptr;
  TFontEditorForm* m_fontEditor = nullptr;
  QCheckBox* m_chbVisible = nullptr;
  QWidget* m_tsLine = nullptr;
  QWidget* m_pnlLineStyle = nullptr;
  TGraphLineStyleEditorForm* m_lineStyleEditor = nullptr;
  QWidget* m_tsGridLines = nullptr;
  QWidget* m_pnlGrid = nullptr;
  TAxeElementEditorForm* m_gridEditor = nullptr;
  QWidget* m_tsTicks = nullptr;
  QWidget* m_pnlTicks = nullptr;
  TTicksEditorForm* m_ticksEditor = nullptr;
};

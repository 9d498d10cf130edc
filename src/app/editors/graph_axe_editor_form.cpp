#include "app/editors/graph_axe_editor_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/editors/axe_element_editor_form.h"
#include "app/editors/font_editor_form.h"
#include "app/editors/graph_line_style_editor_form.h"
#include "app/editors/ticks_editor_form.h"
#include "model/graph_axe.h"

TGraphAxeEditorForm::TGraphAxeEditorForm(QWidget* parent)
    : TEditorForm(parent, QSize(357, 332)), m_pages(new QTabWidget(this)) {
  m_pages->setObjectName(QStringLiteral("pcAxe"));
  m_pages->addTab(CreateTextPage(), QString());
  m_tsLine = CreatePanelPage(QStringLiteral("tsLine"), QStringLiteral("pnlLineStyle"), m_pnlLineStyle);
  m_lineStyleEditor = Host<TGraphLineStyleEditorForm>(m_pnlLineStyle);
  m_tsGridLines = CreatePanelPage(QStringLiteral("tsGridLines"), QStringLiteral("pnlGrid"), m_pnlGrid);
  m_gridEditor = Host<TAxeElementEditorForm>(m_pnlGrid);
  m_tsTicks = CreatePanelPage(QStringLiteral("tsTicks"), QStringLiteral("pnlTicks"), m_pnlTicks);
  m_ticksEditor = Host<TTicksEditorForm>(m_pnlTicks);
  for (QWidget* page : {m_tsLine, m_tsGridLines, m_tsTicks}) m_pages->addTab(page, QString());
  m_pages->setCurrentIndex(0);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_pages);
  RetranslateUi();
}

QWidget* TGraphAxeEditorForm::CreateTextPage() {
  m_tsText = new QWidget(m_pages);
  m_tsText->setObjectName(QStringLiteral("tsText"));
  m_gbLabel = new QGroupBox(m_tsText);
  m_lblLabelText = new QLabel(m_gbLabel);
  m_edtLabelText = new QLineEdit(m_gbLabel);
  m_edtLabelText->setObjectName(QStringLiteral("edtLabelText"));
  m_lblLabelText->setBuddy(m_edtLabelText);
  m_lblSpacing = new QLabel(m_gbLabel);
  m_edtSpacing = new QLineEdit(m_gbLabel);
  m_edtSpacing->setObjectName(QStringLiteral("edtSpacing"));
  m_lblSpacing->setBuddy(m_edtSpacing);
  m_lblFont = new QLabel(m_gbLabel);
  m_pnlTextLabelFont = new QWidget(m_gbLabel);
  m_pnlTextLabelFont->setObjectName(QStringLiteral("pnlTextLabelFont"));
  m_fontEditor = Host<TFontEditorForm>(m_pnlTextLabelFont);
  m_chbVisible = new QCheckBox(m_tsText);
  m_chbVisible->setObjectName(QStringLiteral("chbVisible"));

  auto* group = new QGridLayout(m_gbLabel);
  group->addWidget(m_lblLabelText, 0, 0);
  group->addWidget(m_edtLabelText, 0, 1);
  group->addWidget(m_lblSpacing, 1, 0);
  group->addWidget(m_edtSpacing, 1, 1);
  group->addWidget(m_lblFont, 2, 0, 1, 2);
  group->addWidget(m_pnlTextLabelFont, 3, 0, 1, 2);
  group->setColumnStretch(1, 1);
  auto* layout = new QVBoxLayout(m_tsText);
  layout->addWidget(m_gbLabel);
  layout->addWidget(m_chbVisible);
  layout->addStretch(1);

  BindText(
      m_edtLabelText, [this] { return m_axe->TextLabel().Text(); },
      [this](const QString& text) { m_axe->TextLabel().SetText(text); }, TCompareText::AsTyped);
  BindWhole(
      m_edtSpacing, [this] { return m_axe->LabelSpacing(); },
      [this](int32_t spacing) { m_axe->SetLabelSpacing(spacing); }, TCompareText::AsTyped);
  BindCheck(
      m_chbVisible, [this] { return m_axe->Visible(); }, [this](bool visible) { m_axe->SetVisible(visible); });
  return m_tsText;
}

QWidget* TGraphAxeEditorForm::CreatePanelPage(const QString& pageName, const QString& panelName, QWidget*& panel) {
  auto* page = new QWidget(m_pages);
  page->setObjectName(pageName);
  panel = new QWidget(page);
  panel->setObjectName(panelName);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(panel);
  layout->addStretch(1);
  return page;
}

void TGraphAxeEditorForm::RetranslateUi() {
  m_pages->setTabText(m_pages->indexOf(m_tsText), tr("Text"));
  m_pages->setTabText(m_pages->indexOf(m_tsLine), tr("Line"));
  m_pages->setTabText(m_pages->indexOf(m_tsGridLines), tr("Grid"));
  m_pages->setTabText(m_pages->indexOf(m_tsTicks), tr("Ticks"));
  m_gbLabel->setTitle(tr("Label "));
  m_lblLabelText->setText(tr("Text :"));
  m_lblSpacing->setText(tr("Spacing :"));
  m_lblFont->setText(tr("Font :"));
  m_chbVisible->setText(tr("Visible"));
}

TGraphElement* TGraphAxeEditorForm::GetElement() const { return m_axe; }

void TGraphAxeEditorForm::SetElement(TGraphElement* element) {
  auto* axe = dynamic_cast<TGraphAxe*>(element);
  if (!axe) return;
  m_axe = axe;
  m_fontEditor->SetElement(&axe->TextLabel().Font());
  m_lineStyleEditor->SetElement(&axe->Style());
  m_gridEditor->SetElement(&axe->GridLines());
  m_ticksEditor->SetElement(&axe->Ticks());
  LoadFromElement();
}

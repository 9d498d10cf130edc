#include "app/editors/ticks_editor_form.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/editors/axe_element_editor_form.h"
#include "app/editors/font_editor_form.h"
#include "model/number_format.h"
#include "model/ticks.h"

TTicksEditorForm::TTicksEditorForm(QWidget* parent)
    : TEditorForm(parent, QSize(282, 280)), m_pages(new QTabWidget(this)) {
  m_pages->setObjectName(QStringLiteral("pcTicks"));
  m_pages->addTab(CreateLinesPage(), QString());
  m_pages->addTab(CreateLabelsPage(), QString());
  m_pages->setCurrentIndex(0);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_pages);
  RetranslateUi();
}

QWidget* TTicksEditorForm::CreateLinesPage() {
  m_tsLines = new QWidget(m_pages);
  m_tsLines->setObjectName(QStringLiteral("tsLines"));
  m_pnlAxeElement = new QWidget(m_tsLines);
  m_pnlAxeElement->setObjectName(QStringLiteral("pnlAxeElement"));
  m_axeElementEditor = Host<TAxeElementEditorForm>(m_pnlAxeElement);
  m_lblTickLength = new QLabel(m_tsLines);
  m_edtTickLength = new QLineEdit(m_tsLines);
  m_edtTickLength->setObjectName(QStringLiteral("edtTickLength"));
  m_lblTickLength->setBuddy(m_edtTickLength);

  auto* layout = new QGridLayout(m_tsLines);
  layout->addWidget(m_pnlAxeElement, 0, 0, 1, 2);
  layout->addWidget(m_lblTickLength, 1, 0);
  layout->addWidget(m_edtTickLength, 1, 1);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(2, 1);
  BindWhole(
      m_edtTickLength, [this] { return m_ticks->TickLength(); },
      [this](int32_t length) { m_ticks->SetTickLength(length < 0 ? 0 : length); }, TCompareText::AsTyped);
  return m_tsLines;
}

QWidget* TTicksEditorForm::CreateLabelsPage() {
  m_tsLabels = new QWidget(m_pages);
  m_tsLabels->setObjectName(QStringLiteral("tsLabels"));
  m_lblFont = new QLabel(m_tsLabels);
  m_pnlFont = new QWidget(m_tsLabels);
  m_pnlFont->setObjectName(QStringLiteral("pnlFont"));
  m_fontEditor = Host<TFontEditorForm>(m_pnlFont);
  m_gbLabels = new QGroupBox(m_tsLabels);
  m_lblSpacing = new QLabel(m_gbLabels);
  m_edtSpacing = new QLineEdit(m_gbLabels);
  m_edtSpacing->setObjectName(QStringLiteral("edtSpacing"));
  m_lblSpacing->setBuddy(m_edtSpacing);
  m_lblFormat = new QLabel(m_gbLabels);
  m_edtFormat = new QLineEdit(m_gbLabels);
  m_edtFormat->setObjectName(QStringLiteral("edtFormat"));
  m_lblFormat->setBuddy(m_edtFormat);

  auto* group = new QGridLayout(m_gbLabels);
  group->addWidget(m_lblSpacing, 0, 0);
  group->addWidget(m_edtSpacing, 0, 1);
  group->addWidget(m_lblFormat, 1, 0);
  group->addWidget(m_edtFormat, 1, 1);
  group->setColumnStretch(1, 1);
  auto* layout = new QVBoxLayout(m_tsLabels);
  layout->addWidget(m_lblFont);
  layout->addWidget(m_pnlFont);
  layout->addWidget(m_gbLabels);
  layout->addStretch(1);
  BindWhole(
      m_edtSpacing, [this] { return m_ticks->LabelSpacing(); },
      [this](int32_t spacing) { m_ticks->SetLabelSpacing(spacing); }, TCompareText::AsTyped);
  BindText(
      m_edtFormat, [this] { return m_ticks->LabelFormat(); },
      [this](const QString& text) {
        // A format that cannot show one floating-point number is refused.
        if (model::FormatWithUserFormat(text, 1.0)) m_ticks->SetLabelFormat(text.trimmed());
      });
  return m_tsLabels;
}

void TTicksEditorForm::RetranslateUi() {
  setWindowTitle(tr("Ticks"));
  m_pages->setTabText(m_pages->indexOf(m_tsLines), tr("Tick lines"));
  m_pages->setTabText(m_pages->indexOf(m_tsLabels), tr("Labels"));
  m_lblTickLength->setText(tr("Tick length :"));
  m_lblFont->setText(tr("Font :"));
  m_gbLabels->setTitle(tr("Labels :"));
  m_lblSpacing->setText(tr("Spacing :"));
  m_lblFormat->setText(tr("Format :"));
}

TGraphElement* TTicksEditorForm::GetElement() const { return m_ticks; }

void TTicksEditorForm::SetElement(TGraphElement* element) {
  auto* ticks = dynamic_cast<TTicks*>(element);
  if (!ticks) return;
  m_ticks = ticks;
  m_axeElementEditor->SetElement(ticks);
  m_fontEditor->SetElement(&ticks->Font());
  LoadFromElement();
}

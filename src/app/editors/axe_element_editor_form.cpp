#include "app/editors/axe_element_editor_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "app/editors/graph_line_style_editor_form.h"
#include "model/axe_element.h"

TAxeElementEditorForm::TAxeElementEditorForm(QWidget* parent)
    : TEditorForm(parent, QSize(208, 183)),
      m_lblStyle(new QLabel(this)),
      m_pnlStyle(new QWidget(this)),
      m_styleEditor(Host<TGraphLineStyleEditorForm>(m_pnlStyle)),
      m_lblCount(new QLabel(this)),
      m_edtCount(new QLineEdit(this)),
      m_chbVisible(new QCheckBox(this)) {
  m_pnlStyle->setObjectName(QStringLiteral("pnlStyle"));
  m_edtCount->setObjectName(QStringLiteral("edtCount"));
  m_chbVisible->setObjectName(QStringLiteral("chbVisible"));
  m_lblCount->setBuddy(m_edtCount);

  auto* layout = new QGridLayout(this);
  layout->addWidget(m_lblStyle, 0, 0, 1, 2);
  layout->addWidget(m_pnlStyle, 1, 0, 1, 2);
  layout->addWidget(m_lblCount, 2, 0);
  layout->addWidget(m_edtCount, 2, 1);
  layout->addWidget(m_chbVisible, 3, 0, 1, 2);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(4, 1);

  BindWhole(
      m_edtCount, [this] { return m_element->Count(); },
      [this](int32_t count) { m_element->SetCount(count <= 0 ? 1 : count); }, TCompareText::AsTyped);
  BindCheck(
      m_chbVisible, [this] { return m_element->Visible(); }, [this](bool visible) { m_element->SetVisible(visible); });
  RetranslateUi();
}

void TAxeElementEditorForm::RetranslateUi() {
  setWindowTitle(tr("Element"));
  m_lblStyle->setText(tr("Line style :"));
  m_lblCount->setText(tr("Count :"));
  m_chbVisible->setText(tr("Visible"));
}

TGraphElement* TAxeElementEditorForm::GetElement() const { return m_element; }

void TAxeElementEditorForm::SetElement(TGraphElement* element) {
  auto* axeElement = dynamic_cast<TAxeElement*>(element);
  if (!axeElement) return;
  m_element = axeElement;
  m_styleEditor->SetElement(&axeElement->Style());
  LoadFromElement();
}

#include "app/editors/graph_line_style_editor_form.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "app/editors/color_field.h"
#include "app/editors/dash_style_buttons.h"
#include "model/graph_line_style.h"

TGraphLineStyleEditorForm::TGraphLineStyleEditorForm(QWidget* parent)
    : TEditorForm(parent, QSize(175, 111)),
      m_lblColor(new QLabel(this)),
      m_color(new app::TColorField(QStringLiteral("shpColor"), QStringLiteral("btnBrowseColor"), this)),
      m_lblDashStyle(new QLabel(this)),
      m_dashStyle(new app::TDashStyleButtons(this)),
      m_lblWidth(new QLabel(this)),
      m_edtSize(new QLineEdit(QStringLiteral("1"), this)) {
  m_edtSize->setObjectName(QStringLiteral("edtSize"));
  m_lblWidth->setBuddy(m_edtSize);

  auto* layout = new QGridLayout(this);
  layout->addWidget(m_lblColor, 0, 0);
  layout->addWidget(m_color, 0, 1);
  layout->addWidget(m_lblDashStyle, 1, 0, Qt::AlignTop);
  layout->addWidget(m_dashStyle, 1, 1);
  layout->addWidget(m_lblWidth, 2, 0);
  layout->addWidget(m_edtSize, 2, 1);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(3, 1);

  BindColor(
      m_color, [this] { return m_style->Color(); }, [this](uint32_t argb) { m_style->SetColor(argb); });
  BindDashStyle(
      m_dashStyle, [this] { return m_style->DashStyle(); },
      [this](int32_t dashStyle) { m_style->SetDashStyle(dashStyle); });
  BindLineWidth(
      m_edtSize, [this] { return m_style->Size(); }, [this](float width) { m_style->SetSize(width); });
  RetranslateUi();
}

void TGraphLineStyleEditorForm::RetranslateUi() {
  setWindowTitle(tr("Style"));
  m_lblColor->setText(tr("Color :"));
  m_lblDashStyle->setText(tr("Dash style :"));
  m_lblWidth->setText(tr("Width :"));
}

TGraphElement* TGraphLineStyleEditorForm::GetElement() const { return m_style; }

void TGraphLineStyleEditorForm::SetElement(TGraphElement* element) {
  auto* style = dynamic_cast<TGraphLineStyle*>(element);
  if (!style) return;
  m_style = style;
  LoadFromElement();
}

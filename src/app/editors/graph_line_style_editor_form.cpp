#include "app/editors/graph_line_style_editor_form.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "app/editors/color_field.h"
#include "app/editors/dash_style_buttons.h"
#include "app/editors/field_text.h"
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

  WatchEdits(m_color);
  WatchEdits(m_dashStyle);
  WatchEdits(m_edtSize);
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

bool TGraphLineStyleEditorForm::IsModified() const {
  if (!m_style) return false;
  return m_color->Argb() != m_style->Color() || m_dashStyle->Selected() != m_style->DashStyle() ||
         m_edtSize->text().trimmed() != app::SingleText(m_style->Size());
}

void TGraphLineStyleEditorForm::ApplyChanges() {
  if (!m_style) return;
  TUpdateScope scope(*m_style);
  m_style->SetColor(m_color->Argb());
  if (const int32_t dashStyle = m_dashStyle->Selected(); dashStyle >= 0) m_style->SetDashStyle(dashStyle);
  if (const auto width = app::ReadFraction(m_edtSize->text())) m_style->SetSize(*width < 1.0 ? 1.0f : float(*width));
}

void TGraphLineStyleEditorForm::LoadFromElement() {
  if (!m_style) return;
  TLoadingGuard guard(*this);
  m_color->SetArgb(m_style->Color());
  m_dashStyle->Select(m_style->DashStyle());
  m_edtSize->setText(app::SingleText(m_style->Size()));
}

#include "app/editors/line_style_editor_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/editors/color_field.h"
#include "app/editors/dash_style_buttons.h"
#include "model/line_style.h"

TLineStyleEditorForm::TLineStyleEditorForm(QWidget* parent)
    : TEditorForm(parent, QSize(178, 213)),
      m_rgColorMode(new QGroupBox(this)),
      m_colorModes(new QButtonGroup(this)),
      m_rbModeSolid(new QRadioButton(m_rgColorMode)),
      m_rbModeGradient(new QRadioButton(m_rgColorMode)),
      m_lblColor(new QLabel(this)),
      m_color(new app::TColorField(QStringLiteral("shpColor"), QStringLiteral("btnBrowseColor"), this)),
      m_lblEndColor(new QLabel(this)),
      m_endColor(new app::TColorField(QStringLiteral("shpEndColor"), QStringLiteral("btnEndColor"), this)),
      m_lblDashStyle(new QLabel(this)),
      m_dashStyle(new app::TDashStyleButtons(this)),
      m_lblWidth(new QLabel(this)),
      m_edtSize(new QLineEdit(this)),
      m_chbVisible(new QCheckBox(this)) {
  m_rgColorMode->setObjectName(QStringLiteral("rgColorMode"));
  m_rbModeSolid->setObjectName(QStringLiteral("rbModeSolid"));
  m_rbModeGradient->setObjectName(QStringLiteral("rbModeGradient"));
  m_colorModes->addButton(m_rbModeSolid, cmSolid);
  m_colorModes->addButton(m_rbModeGradient, cmGradient);
  m_edtSize->setObjectName(QStringLiteral("edtSize"));
  m_chbVisible->setObjectName(QStringLiteral("chbVisible"));
  m_lblWidth->setBuddy(m_edtSize);

  auto* modes = new QVBoxLayout(m_rgColorMode);
  modes->addWidget(m_rbModeSolid);
  modes->addWidget(m_rbModeGradient);
  auto* layout = new QGridLayout(this);
  layout->addWidget(m_rgColorMode, 0, 0, 1, 2);
  layout->addWidget(m_lblColor, 1, 0);
  layout->addWidget(m_color, 1, 1);
  layout->addWidget(m_lblEndColor, 2, 0);
  layout->addWidget(m_endColor, 2, 1);
  layout->addWidget(m_lblDashStyle, 3, 0, Qt::AlignTop);
  layout->addWidget(m_dashStyle, 3, 1);
  layout->addWidget(m_lblWidth, 4, 0);
  layout->addWidget(m_edtSize, 4, 1);
  layout->addWidget(m_chbVisible, 5, 0, 1, 2);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(6, 1);

  BindFields();
  EnableEndColor();
  RetranslateUi();
}

void TLineStyleEditorForm::RetranslateUi() {
  setWindowTitle(tr("Line style"));
  m_rgColorMode->setTitle(tr("Color mode"));
  m_rbModeSolid->setText(tr("Solid"));
  m_rbModeGradient->setText(tr("Gradient"));
  m_lblColor->setText(tr("Color :"));
  m_lblEndColor->setText(tr("End color :"));
  m_lblDashStyle->setText(tr("Dash style :"));
  m_lblWidth->setText(tr("Width :"));
  m_chbVisible->setText(tr("Visible"));
}

int TLineStyleEditorForm::SelectedColorMode() const { return m_colorModes->checkedId(); }

void TLineStyleEditorForm::EnableEndColor() {
  const bool gradient = SelectedColorMode() == cmGradient;
  m_lblEndColor->setEnabled(gradient);
  m_endColor->setEnabled(gradient);
}

TGraphElement* TLineStyleEditorForm::GetElement() const { return m_style; }

void TLineStyleEditorForm::SetElement(TGraphElement* element) {
  auto* style = dynamic_cast<TLineStyle*>(element);
  if (!style) return;
  m_style = style;
  LoadFromElement();
}

void TLineStyleEditorForm::BindFields() {
  connect(m_colorModes, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (!checked) return;
    EnableEndColor();
    NotifyEdited();
  });
  Bind({[this] { LoadColorMode(); }, [this] { return SelectedColorMode() != m_style->ColorMode(); },
        [this] {
          if (const int mode = SelectedColorMode(); mode >= 0) m_style->SetColorMode(TColorMode(mode));
        }});
  BindColor(
      m_color, [this] { return m_style->Color(); }, [this](uint32_t argb) { m_style->SetColor(argb); });
  // The end colour counts only for a gradient, but is always written back.
  Bind(m_endColor, {[this] { m_endColor->SetArgb(m_style->EndColor()); },
                    [this] { return SelectedColorMode() == cmGradient && m_endColor->Argb() != m_style->EndColor(); },
                    [this] { m_style->SetEndColor(m_endColor->Argb()); }});
  BindDashStyle(
      m_dashStyle, [this] { return m_style->DashStyle(); },
      [this](int32_t dashStyle) { m_style->SetDashStyle(dashStyle); });
  BindLineWidth(
      m_edtSize, [this] { return m_style->Width(); }, [this](float width) { m_style->SetWidth(width); });
  BindCheck(
      m_chbVisible, [this] { return m_style->Visible(); }, [this](bool visible) { m_style->SetVisible(visible); });
}

void TLineStyleEditorForm::LoadColorMode() {
  // A mode outside the two known ones checks neither button.
  if (QAbstractButton* button = m_colorModes->button(m_style->ColorMode())) {
    button->setChecked(true);
  } else {
    m_colorModes->setExclusive(false);
    m_rbModeSolid->setChecked(false);
    m_rbModeGradient->setChecked(false);
    m_colorModes->setExclusive(true);
  }
  EnableEndColor();
}

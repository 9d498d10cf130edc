#include "app/editors/editor_form.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/editors/color_field.h"
#include "app/editors/dash_style_buttons.h"

TEditorForm::TEditorForm(QWidget* parent, QSize designSize) : QWidget(parent) {
  if (!parent) {
    setWindowFlags(Qt::Dialog);
    resize(designSize);
  }
}

void TEditorForm::CreateEmbedded(QWidget* host) {
  setParent(host);
  setWindowFlags(Qt::Widget);
  if (!host->layout()) {
    auto* layout = new QVBoxLayout(host);
    layout->setContentsMargins(0, 0, 0, 0);
  }
  host->layout()->addWidget(this);
  // The host's panel already keeps its distance from its neighbours.
  if (layout()) layout()->setContentsMargins(0, 0, 0, 0);
  show();
}

void TEditorForm::NotifyEdited() {
  if (!IsLoading()) emit Edited();
}

void TEditorForm::WatchEdits(QLineEdit* edit) {
  connect(edit, &QLineEdit::textChanged, this, &TEditorForm::NotifyEdited);
}

void TEditorForm::WatchEdits(QPlainTextEdit* edit) {
  connect(edit, &QPlainTextEdit::textChanged, this, &TEditorForm::NotifyEdited);
}

void TEditorForm::WatchEdits(QAbstractButton* button) {
  connect(button, &QAbstractButton::toggled, this, &TEditorForm::NotifyEdited);
}

void TEditorForm::WatchEdits(QComboBox* comboBox) {
  connect(comboBox, &QComboBox::currentIndexChanged, this, &TEditorForm::NotifyEdited);
}

void TEditorForm::WatchEdits(QSpinBox* spinBox) {
  connect(spinBox, &QSpinBox::valueChanged, this, &TEditorForm::NotifyEdited);
}

void TEditorForm::WatchEdits(TEditorForm* hosted) {
  connect(hosted, &TEditorForm::Edited, this, &TEditorForm::NotifyEdited);
}

void TEditorForm::WatchEdits(app::TColorField* field) {
  connect(field, &app::TColorField::Changed, this, &TEditorForm::NotifyEdited);
}

void TEditorForm::WatchEdits(app::TDashStyleButtons* buttons) {
  connect(buttons, &app::TDashStyleButtons::Changed, this, &TEditorForm::NotifyEdited);
}

void TEditorForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) RetranslateUi();
  QWidget::changeEvent(event);
}

void TEditorForm::showEvent(QShowEvent* event) {
  if (isWindow() && !m_placed && screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
  }
  m_placed = true;
  QWidget::showEvent(event);
}

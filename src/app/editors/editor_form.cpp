#include "app/editors/editor_form.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cassert>

#include "app/editors/color_field.h"
#include "app/editors/dash_style_buttons.h"
#include "app/editors/field_text.h"
#include "model/graph_element.h"

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

bool TEditorForm::IsModified() const {
  if (!GetElement()) return false;
  return std::any_of(m_bindings.begin(), m_bindings.end(), [](const TFieldBinding& field) { return field.Differs(); });
}

void TEditorForm::ApplyChanges() {
  if (!GetElement()) return;
  TUpdateScope scope(*GetElement());
  for (const TFieldBinding& field : m_bindings) field.Apply();
}

void TEditorForm::LoadFromElement() {
  if (!GetElement()) return;
  TLoadingGuard guard(*this);
  for (const TFieldBinding& field : m_bindings) field.Load();
}

void TEditorForm::Bind(TFieldBinding binding) {
  assert(binding.Load && binding.Differs && binding.Apply);
  m_bindings.push_back(std::move(binding));
}

void TEditorForm::BindText(QLineEdit* edit, std::function<QString()> shown, std::function<void(const QString&)> apply,
                           TCompareText compare) {
  Bind(edit, {[edit, shown] { edit->setText(shown()); },
              [edit, shown, compare] {
                return (compare == TCompareText::Trimmed ? edit->text().trimmed() : edit->text()) != shown();
              },
              [edit, apply = std::move(apply)] { apply(edit->text()); }});
}

void TEditorForm::BindWhole(QLineEdit* edit, std::function<int64_t()> value, std::function<void(int32_t)> apply,
                            TCompareText compare) {
  BindText(
      edit, [value = std::move(value)] { return app::WholeText(value()); },
      [apply = std::move(apply)](const QString& text) {
        if (const auto whole = app::ReadWhole(text)) apply(*whole);
      },
      compare);
}

void TEditorForm::BindLineWidth(QLineEdit* edit, std::function<float()> value, std::function<void(float)> apply) {
  BindText(
      edit, [value = std::move(value)] { return app::SingleText(value()); },
      [apply = std::move(apply)](const QString& text) {
        if (const auto width = app::ReadFraction(text)) apply(*width < 1.0 ? 1.0f : float(*width));
      });
}

void TEditorForm::BindCheck(QAbstractButton* box, std::function<bool()> value, std::function<void(bool)> apply) {
  Bind(box, {[box, value] { box->setChecked(value()); }, [box, value] { return box->isChecked() != value(); },
             [box, apply = std::move(apply)] { apply(box->isChecked()); }});
}

void TEditorForm::BindColor(app::TColorField* field, std::function<uint32_t()> value,
                            std::function<void(uint32_t)> apply) {
  Bind(field, {[field, value] { field->SetArgb(value()); }, [field, value] { return field->Argb() != value(); },
               [field, apply = std::move(apply)] { apply(field->Argb()); }});
}

void TEditorForm::BindDashStyle(app::TDashStyleButtons* buttons, std::function<int32_t()> value,
                                std::function<void(int32_t)> apply) {
  Bind(buttons,
       {[buttons, value] { buttons->Select(value()); }, [buttons, value] { return buttons->Selected() != value(); },
        [buttons, apply = std::move(apply)] {
          if (const int32_t dashStyle = buttons->Selected(); dashStyle >= 0) apply(dashStyle);
        }});
}

void TEditorForm::BindHosted(TEditorForm* hosted) {
  Bind(hosted, {[hosted] { hosted->LoadFromElement(); }, [hosted] { return hosted->IsModified(); },
                [hosted] { hosted->ApplyChanges(); }});
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

#include "app/auto_hint_form.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

TAutoHintForm::TAutoHintForm(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("AutoHintForm"));
  resize(206, 78);
  lblAutoHint = new QLabel(this);
  lblAutoHint->setObjectName(QStringLiteral("lblAutoHint"));
  lblAutoHint->setAlignment(Qt::AlignCenter);
  lblAutoHint->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(lblAutoHint);
  RetranslateUi();
}

void TAutoHintForm::SetText(const QString& text) {
  if (lblAutoHint->text() != text) lblAutoHint->setText(text);
}

QString TAutoHintForm::Text() const { return lblAutoHint->text(); }

void TAutoHintForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) RetranslateUi();
  QWidget::changeEvent(event);
}

void TAutoHintForm::RetranslateUi() { setWindowTitle(tr("Identification")); }

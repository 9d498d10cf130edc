#include "app/editors/control_label_editor_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>

#include "app/editors/font_editor_form.h"
#include "control/control_label.h"

namespace {

constexpr int32_t kFallbackHeight = 10;

// Removes characters up to the space from both ends, as the caption is stored.
QString TrimControls(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text[begin] <= QLatin1Char(' ')) ++begin;
  while (end > begin && text[end - 1] <= QLatin1Char(' ')) --end;
  return text.mid(begin, end - begin);
}

}  // namespace

TControlLabelEditorForm::TControlLabelEditorForm(QWidget* parent)
    : TEditorForm(parent, QSize(302, 308)),
      m_lblCaption(new QLabel(this)),
      m_mmCaption(new QPlainTextEdit(this)),
      m_lblFont(new QLabel(this)),
      m_pnlFont(new QWidget(this)),
      m_fontEditor(Host<TFontEditorForm>(m_pnlFont)),
      m_lblHeight(new QLabel(this)),
      m_edtHeight(new QLineEdit(this)),
      m_chbVisible(new QCheckBox(this)) {
  m_mmCaption->setObjectName(QStringLiteral("mmCaption"));
  m_mmCaption->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_mmCaption->setTabChangesFocus(true);
  m_pnlFont->setObjectName(QStringLiteral("pnlFont"));
  m_edtHeight->setObjectName(QStringLiteral("edtHeight"));
  m_chbVisible->setObjectName(QStringLiteral("chbVisible"));
  m_lblCaption->setBuddy(m_mmCaption);
  m_lblHeight->setBuddy(m_edtHeight);

  auto* layout = new QGridLayout(this);
  layout->addWidget(m_lblCaption, 0, 0, 1, 2);
  layout->addWidget(m_mmCaption, 1, 0, 1, 2);
  layout->addWidget(m_lblFont, 2, 0, 1, 2);
  layout->addWidget(m_pnlFont, 3, 0, 1, 2);
  layout->addWidget(m_lblHeight, 4, 0);
  layout->addWidget(m_edtHeight, 4, 1);
  layout->addWidget(m_chbVisible, 5, 0, 1, 2);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(1, 1);

  BindFields();
  RetranslateUi();
}

void TControlLabelEditorForm::RetranslateUi() {
  setWindowTitle(tr("Control label"));
  m_lblCaption->setText(tr("Caption :"));
  m_lblFont->setText(tr("Font :"));
  m_lblHeight->setText(tr("Height :"));
  m_chbVisible->setText(tr("Visible"));
}

TGraphElement* TControlLabelEditorForm::GetElement() const { return m_label; }

void TControlLabelEditorForm::SetElement(TGraphElement* element) {
  auto* label = dynamic_cast<TControlLabel*>(element);
  if (!label) return;
  m_label = label;
  m_fontEditor->SetElement(&label->Font());
  LoadFromElement();
}

QString TControlLabelEditorForm::TypedCaption() const {
  return TrimControls(m_mmCaption->toPlainText().split(QLatin1Char('\n')).join(QStringLiteral("\r\n")));
}

void TControlLabelEditorForm::BindFields() {
  Bind(m_mmCaption,
       {[this] {
          static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
          m_mmCaption->setPlainText(m_label->Caption().split(lineBreak).join(QLatin1Char('\n')));
        },
        [this] { return TypedCaption() != m_label->Caption(); }, [this] { m_label->SetCaption(TypedCaption()); }});
  BindWhole(
      m_edtHeight, [this] { return m_label->Height(); },
      [this](int32_t height) { m_label->SetHeight(height <= 0 ? kFallbackHeight : height); });
  BindCheck(
      m_chbVisible, [this] { return m_label->Visible(); }, [this](bool visible) { m_label->SetVisible(visible); });
}

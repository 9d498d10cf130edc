#include "app/editors/annotations_editor_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <pugixml.hpp>
#include <sstream>

#include "app/editors/field_text.h"
#include "app/editors/font_editor_form.h"

namespace {

// In the order of TTextAlignment.
constexpr const char* kAlignmentNames[] = {
    QT_TRANSLATE_NOOP("TAnnotationsEditorForm", "Left"),
    QT_TRANSLATE_NOOP("TAnnotationsEditorForm", "Centre"),
    QT_TRANSLATE_NOOP("TAnnotationsEditorForm", "Right"),
};
static_assert(std::size(kAlignmentNames) == kTextAlignmentCount);

// A composition is shown with enough digits to tell apart what a user types.
constexpr int kPositionDigits = 6;

void CopyAnnotations(const TAnnotationList& from, TAnnotationList& to) {
  pugi::xml_document document;
  pugi::xml_node node = document.append_child("Annotations");
  from.SaveToXML(node);
  to.LoadFromXML(node);
}

std::string DocumentText(const TAnnotationList& list) {
  pugi::xml_document document;
  list.SaveToXML(document.append_child("Annotations"));
  std::ostringstream text;
  document.save(text);
  return text.str();
}

QString PositionText(double value) { return QLocale().toString(value, 'g', kPositionDigits); }

// The first line of a text, for the list.
QString Caption(const QString& text) { return text.section(QLatin1Char('\n'), 0, 0); }

}  // namespace

TAnnotationsEditorForm::TAnnotationsEditorForm(QWidget* parent)
    : TEditorForm(parent, QSize(445, 327)),
      m_lbxTexts(new QListWidget(this)),
      m_btnAdd(new QPushButton(this)),
      m_btnDelete(new QPushButton(this)),
      m_lblText(new QLabel(this)),
      m_memText(new QPlainTextEdit(this)),
      m_lblPosition(new QLabel(this)),
      m_edtPosition{new QLineEdit(this), new QLineEdit(this), new QLineEdit(this)},
      m_lblAlignment(new QLabel(this)),
      m_cbxAlignment(new QComboBox(this)),
      m_lblAngle(new QLabel(this)),
      m_edtAngle(new QLineEdit(this)),
      m_gbFont(new QGroupBox(this)),
      m_fontEditor(new TFontEditorForm(m_gbFont)) {
  m_lbxTexts->setObjectName(QStringLiteral("lbxTexts"));
  m_btnAdd->setObjectName(QStringLiteral("btnAdd"));
  m_btnDelete->setObjectName(QStringLiteral("btnDelete"));
  m_memText->setObjectName(QStringLiteral("memText"));
  const char* positionNames[] = {"edtPositionA", "edtPositionB", "edtPositionC"};
  for (int i = 0; i < 3; ++i) m_edtPosition[i]->setObjectName(QLatin1String(positionNames[i]));
  m_cbxAlignment->setObjectName(QStringLiteral("cbxAlignment"));
  for (int i = 0; i < kTextAlignmentCount; ++i) m_cbxAlignment->addItem(QString());
  m_edtAngle->setObjectName(QStringLiteral("edtAngle"));
  m_gbFont->setObjectName(QStringLiteral("gbFont"));
  m_fontEditor->CreateEmbedded(m_gbFont);
  BuildLayout();

  for (QLineEdit* edit : m_edtPosition) WatchEdits(edit);
  WatchEdits(m_memText);
  WatchEdits(m_cbxAlignment);
  WatchEdits(m_edtAngle);
  WatchEdits(m_fontEditor);
  connect(m_lbxTexts, &QListWidget::currentRowChanged, this, [this](int row) {
    StoreCurrent();
    m_current = row;
    ShowCurrent();
  });
  connect(m_btnAdd, &QPushButton::clicked, this, [this] { AddClick(); });
  connect(m_btnDelete, &QPushButton::clicked, this, [this] { DeleteClick(); });
  Bind({[this] {
          CopyAnnotations(*m_annotations, m_copy);
          FillList(0);
        },
        [this] { return DocumentText(EditedCopy()) != DocumentText(*m_annotations); },
        [this] { CopyAnnotations(EditedCopy(), *m_annotations); }});
  RetranslateUi();
}

void TAnnotationsEditorForm::BuildLayout() {
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_btnAdd);
  buttons->addWidget(m_btnDelete);
  buttons->addStretch(1);
  auto* position = new QHBoxLayout;
  for (QLineEdit* edit : m_edtPosition) position->addWidget(edit);
  m_lblText->setBuddy(m_memText);
  m_lblPosition->setBuddy(m_edtPosition[0]);
  m_lblAlignment->setBuddy(m_cbxAlignment);
  m_lblAngle->setBuddy(m_edtAngle);

  auto* layout = new QGridLayout(this);
  layout->addWidget(m_lbxTexts, 0, 0, 1, 2);
  layout->addLayout(buttons, 1, 0, 1, 2);
  layout->addWidget(m_lblText, 2, 0);
  layout->addWidget(m_memText, 2, 1);
  layout->addWidget(m_lblPosition, 3, 0);
  layout->addLayout(position, 3, 1);
  layout->addWidget(m_lblAlignment, 4, 0);
  layout->addWidget(m_cbxAlignment, 4, 1);
  layout->addWidget(m_lblAngle, 5, 0);
  layout->addWidget(m_edtAngle, 5, 1);
  layout->addWidget(m_gbFont, 6, 0, 1, 2);
  layout->setColumnStretch(1, 1);
}

void TAnnotationsEditorForm::RetranslateUi() {
  setWindowTitle(tr("Annotations"));
  m_btnAdd->setText(tr("Add"));
  m_btnDelete->setText(tr("Delete"));
  m_lblText->setText(tr("Text :"));
  m_lblPosition->setText(tr("Position (A;B;C) :"));
  m_lblAlignment->setText(tr("Alignment :"));
  for (int i = 0; i < kTextAlignmentCount; ++i) m_cbxAlignment->setItemText(i, tr(kAlignmentNames[i]));
  m_lblAngle->setText(tr("Angle (°) :"));
  m_gbFont->setTitle(tr("Font"));
}

TGraphElement* TAnnotationsEditorForm::GetElement() const { return m_annotations; }

void TAnnotationsEditorForm::SetElement(TGraphElement* element) {
  auto* annotations = dynamic_cast<TAnnotationList*>(element);
  if (!annotations) return;
  m_annotations = annotations;
  LoadFromElement();
}

const TAnnotationList& TAnnotationsEditorForm::EditedCopy() {
  StoreCurrent();
  return m_copy;
}

void TAnnotationsEditorForm::FillList(int selected) {
  {
    const QSignalBlocker blocker(m_lbxTexts);
    m_lbxTexts->clear();
    for (int i = 0; i < m_copy.Count(); ++i) m_lbxTexts->addItem(Caption(m_copy.Get(i).Text()));
    m_current = m_copy.Count() > 0 ? std::clamp(selected, 0, m_copy.Count() - 1) : -1;
    m_lbxTexts->setCurrentRow(m_current);
  }
  ShowCurrent();
}

void TAnnotationsEditorForm::ShowCurrent() {
  const bool shown = m_current >= 0 && m_current < m_copy.Count();
  for (QWidget* field : std::initializer_list<QWidget*>{m_memText, m_edtPosition[0], m_edtPosition[1], m_edtPosition[2],
                                                        m_cbxAlignment, m_edtAngle, m_gbFont, m_btnDelete})
    field->setEnabled(shown);
  if (!shown) return;
  const TLoadingGuard guard(*this);
  const TAnnotation& annotation = m_copy.Get(m_current);
  m_memText->setPlainText(annotation.Text());
  for (int i = 0; i < 3; ++i) m_edtPosition[i]->setText(PositionText(annotation.Position()[i]));
  m_cbxAlignment->setCurrentIndex(annotation.Alignment());
  m_edtAngle->setText(app::SingleText(annotation.Angle()));
  m_fontEditor->SetElement(&annotation.Font());
}

// The fields into the copy. A number is read back only when its text was
// changed, so that showing a value never rounds it.
void TAnnotationsEditorForm::StoreCurrent() {
  if (m_current < 0 || m_current >= m_copy.Count()) return;
  TAnnotation& annotation = m_copy.Get(m_current);
  annotation.SetText(m_memText->toPlainText());
  TTernaryPoint position = annotation.Position();
  for (int i = 0; i < 3; ++i) {
    if (m_edtPosition[i]->text() == PositionText(position[i])) continue;
    if (const auto value = app::ReadFraction(m_edtPosition[i]->text())) position[i] = *value;
  }
  annotation.SetPosition(position);
  if (const int alignment = m_cbxAlignment->currentIndex(); alignment >= 0)
    annotation.SetAlignment(TTextAlignment(alignment));
  if (m_edtAngle->text() != app::SingleText(annotation.Angle()))
    if (const auto angle = app::ReadFraction(m_edtAngle->text())) annotation.SetAngle(float(*angle));
  m_fontEditor->ApplyChanges();
  if (QListWidgetItem* item = m_lbxTexts->item(m_current)) item->setText(Caption(annotation.Text()));
}

void TAnnotationsEditorForm::AddClick() {
  StoreCurrent();
  auto annotation = std::make_unique<TAnnotation>();
  annotation->SetText(tr("Text"));
  const int added = m_copy.Add(std::move(annotation));
  FillList(added);
  NotifyEdited();
}

void TAnnotationsEditorForm::DeleteClick() {
  if (m_current < 0 || m_current >= m_copy.Count()) return;
  const int deleted = m_current;
  m_current = -1;  // nothing to store from the fields of the text going away
  m_copy.Remove(deleted);
  FillList(deleted);
  NotifyEdited();
}

#include "app/editors/font_editor_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "app/editors/color_field.h"
#include "app/editors/field_text.h"
#include "model/graph_font.h"

namespace {

constexpr float kFallbackSize = 8.0f;
constexpr int kLowestSize = 2;

}  // namespace

TFontEditorForm::TFontEditorForm(QWidget* parent)
    : TEditorForm(parent, QSize(272, 152)),
      m_lblName(new QLabel(this)),
      m_cbxFontName(new QComboBox(this)),
      m_lblColor(new QLabel(this)),
      m_color(new app::TColorField(QStringLiteral("shpColor"), QStringLiteral("btnBrowseColor"), this)),
      m_lblSize(new QLabel(this)),
      m_edtSize(new QLineEdit(this)),
      m_lblStyle(new QLabel(this)),
      m_chbBold(new QCheckBox(this)),
      m_chbItalic(new QCheckBox(this)),
      m_chbUnderline(new QCheckBox(this)),
      m_chbStrikeOut(new QCheckBox(this)) {
  m_cbxFontName->setObjectName(QStringLiteral("cbxFontName"));
  m_cbxFontName->addItems(QFontDatabase::families());
  m_cbxFontName->setCurrentIndex(-1);
  m_edtSize->setObjectName(QStringLiteral("edtSize"));
  m_chbBold->setObjectName(QStringLiteral("chbBold"));
  m_chbItalic->setObjectName(QStringLiteral("chbItalic"));
  m_chbUnderline->setObjectName(QStringLiteral("chbUnderline"));
  m_chbStrikeOut->setObjectName(QStringLiteral("chbStrikeOut"));
  m_lblName->setBuddy(m_cbxFontName);
  m_lblSize->setBuddy(m_edtSize);

  auto* layout = new QGridLayout(this);
  layout->addWidget(m_lblName, 0, 0);
  layout->addWidget(m_cbxFontName, 0, 1, 1, 2);
  layout->addWidget(m_lblColor, 1, 0);
  layout->addWidget(m_color, 1, 1, 1, 2);
  layout->addWidget(m_lblSize, 2, 0);
  layout->addWidget(m_edtSize, 2, 1, 1, 2);
  layout->addWidget(m_lblStyle, 3, 0);
  layout->addWidget(m_chbBold, 3, 1);
  layout->addWidget(m_chbItalic, 3, 2);
  layout->addWidget(m_chbUnderline, 4, 1);
  layout->addWidget(m_chbStrikeOut, 4, 2);
  layout->setColumnStretch(1, 1);
  layout->setColumnStretch(2, 1);
  layout->setRowStretch(5, 1);

  BindFields();
  RetranslateUi();
}

void TFontEditorForm::RetranslateUi() {
  m_lblName->setText(tr("Name :"));
  m_lblColor->setText(tr("Color :"));
  m_lblSize->setText(tr("Size :"));
  m_lblStyle->setText(tr("Style :"));
  m_chbBold->setText(tr("Bold"));
  m_chbItalic->setText(tr("Italic"));
  m_chbUnderline->setText(tr("Underline"));
  m_chbStrikeOut->setText(tr("Strike out"));
}

TGraphElement* TFontEditorForm::GetElement() const { return m_font; }

void TFontEditorForm::SetElement(TGraphElement* element) {
  auto* font = dynamic_cast<TGraphFont*>(element);
  if (!font) return;
  m_font = font;
  LoadFromElement();
}

std::array<std::pair<QCheckBox*, TGraphFontStyle>, 4> TFontEditorForm::StyleBoxes() const {
  return {{{m_chbBold, fsBold}, {m_chbItalic, fsItalic}, {m_chbUnderline, fsUnderline}, {m_chbStrikeOut, fsStrikeout}}};
}

TGraphFontStyles TFontEditorForm::StylesOfBoxes() const {
  TGraphFontStyles styles = 0;
  for (const auto& [box, style] : StyleBoxes())
    if (box->isChecked()) styles |= FontStyleBit(style);
  return styles;
}

void TFontEditorForm::SelectFamily(const QString& name) {
  if (m_uninstalledEntry >= 0) {
    m_cbxFontName->removeItem(m_uninstalledEntry);
    m_uninstalledEntry = -1;
  }
  int index = name.isEmpty() ? -1 : m_cbxFontName->findText(name, Qt::MatchFixedString);
  if (index < 0 && !name.isEmpty()) {
    // Not installed here: the diagram draws with a substitute, but the
    // document keeps its family.
    m_cbxFontName->insertItem(0, name);
    m_uninstalledEntry = index = 0;
  }
  m_cbxFontName->setCurrentIndex(index);
}

void TFontEditorForm::BindFields() {
  Bind(m_cbxFontName,
       {[this] { SelectFamily(m_font->Name()); }, [this] { return m_cbxFontName->currentText() != m_font->Name(); },
        [this] { m_font->SetName(m_cbxFontName->currentText()); }});
  BindColor(
      m_color, [this] { return m_font->Color(); }, [this](uint32_t argb) { m_font->SetColor(argb); });
  // Shown as stored, read as a whole number of points.
  BindText(
      m_edtSize, [this] { return app::SingleText(m_font->Size()); },
      [this](const QString& text) {
        if (const auto size = app::ReadWhole(text)) m_font->SetSize(*size < kLowestSize ? kFallbackSize : float(*size));
      });
  for (const auto& [box, style] : StyleBoxes()) WatchEdits(box);
  Bind({[this] {
          for (const auto& [box, style] : StyleBoxes()) box->setChecked(m_font->Styles() & FontStyleBit(style));
        },
        [this] { return StylesOfBoxes() != m_font->Styles(); }, [this] { m_font->SetStyles(StylesOfBoxes()); }});
}

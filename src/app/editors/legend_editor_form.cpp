#include "app/editors/legend_editor_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "app/editors/color_field.h"
#include "app/editors/font_editor_form.h"
#include "app/editors/graph_line_style_editor_form.h"
#include "model/legend.h"

namespace {

// In the order of TLegendPosition.
constexpr const char* kPositionNames[] = {
    QT_TRANSLATE_NOOP("TLegendEditorForm", "Top left"),
    QT_TRANSLATE_NOOP("TLegendEditorForm", "Top right"),
    QT_TRANSLATE_NOOP("TLegendEditorForm", "Bottom left"),
    QT_TRANSLATE_NOOP("TLegendEditorForm", "Bottom right"),
    QT_TRANSLATE_NOOP("TLegendEditorForm", "Outside, right of the triangle"),
};
static_assert(std::size(kPositionNames) == kLegendPositionCount);

}  // namespace

TLegendEditorForm::TLegendEditorForm(QWidget* parent)
    : TEditorForm(parent, QSize(445, 327)),
      m_chbVisible(new QCheckBox(this)),
      m_lblPosition(new QLabel(this)),
      m_cbxPosition(new QComboBox(this)),
      m_lblBackground(new QLabel(this)),
      m_background(new app::TColorField(QStringLiteral("shpBackground"), QStringLiteral("btnBrowseBackground"), this)),
      m_gbFont(new QGroupBox(this)),
      m_fontEditor(Host<TFontEditorForm>(m_gbFont)),
      m_gbFrame(new QGroupBox(this)),
      m_frameEditor(Host<TGraphLineStyleEditorForm>(m_gbFrame)) {
  m_chbVisible->setObjectName(QStringLiteral("chbVisible"));
  m_cbxPosition->setObjectName(QStringLiteral("cbxPosition"));
  for (int i = 0; i < kLegendPositionCount; ++i) m_cbxPosition->addItem(QString());
  m_gbFont->setObjectName(QStringLiteral("gbFont"));
  m_gbFrame->setObjectName(QStringLiteral("gbFrame"));
  m_lblPosition->setBuddy(m_cbxPosition);

  auto* layout = new QGridLayout(this);
  layout->addWidget(m_chbVisible, 0, 0, 1, 2);
  layout->addWidget(m_lblPosition, 1, 0);
  layout->addWidget(m_cbxPosition, 1, 1);
  layout->addWidget(m_lblBackground, 2, 0);
  layout->addWidget(m_background, 2, 1);
  layout->addWidget(m_gbFont, 3, 0, 1, 2);
  layout->addWidget(m_gbFrame, 4, 0, 1, 2);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(5, 1);

  BindFields();
  RetranslateUi();
}

void TLegendEditorForm::RetranslateUi() {
  setWindowTitle(tr("Legend"));
  m_chbVisible->setText(tr("Visible"));
  m_lblPosition->setText(tr("Position :"));
  for (int i = 0; i < kLegendPositionCount; ++i) m_cbxPosition->setItemText(i, tr(kPositionNames[i]));
  m_lblBackground->setText(tr("Background :"));
  m_gbFont->setTitle(tr("Font"));
  m_gbFrame->setTitle(tr("Frame"));
}

TGraphElement* TLegendEditorForm::GetElement() const { return m_legend; }

void TLegendEditorForm::SetElement(TGraphElement* element) {
  auto* legend = dynamic_cast<TLegend*>(element);
  if (!legend) return;
  m_legend = legend;
  m_fontEditor->SetElement(&legend->Font());
  m_frameEditor->SetElement(&legend->Frame());
  LoadFromElement();
}

void TLegendEditorForm::BindFields() {
  BindCheck(
      m_chbVisible, [this] { return m_legend->Visible(); }, [this](bool visible) { m_legend->SetVisible(visible); });
  Bind(m_cbxPosition, {[this] { m_cbxPosition->setCurrentIndex(m_legend->Position()); },
                       [this] { return m_cbxPosition->currentIndex() != m_legend->Position(); },
                       [this] {
                         if (const int position = m_cbxPosition->currentIndex(); position >= 0)
                           m_legend->SetPosition(TLegendPosition(position));
                       }});
  BindColor(
      m_background, [this] { return m_legend->BackgroundColor(); },
      [this](uint32_t argb) { m_legend->SetBackgroundColor(argb); });
}

#include "app/editors/color_scale_editor_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <cmath>

#include "app/cell_numbers.h"
#include "app/editors/color_field.h"
#include "model/color_scale.h"

namespace {

// A strip of the map from 0 on the left to 1 on the right.
QPixmap MapPicture(model::TColorMap map, QSize size) {
  QImage picture(size, QImage::Format_RGB32);
  const model::TColorTable& table = model::ColorTable(map);
  for (int x = 0; x < size.width(); ++x) {
    const QRgb colour = table[size_t(model::ColorIndex(double(x) / std::max(1, size.width() - 1)))];
    for (int y = 0; y < size.height(); ++y) picture.setPixel(x, y, colour);
  }
  return QPixmap::fromImage(picture);
}

}  // namespace

TColorScaleEditorForm::TColorScaleEditorForm(QWidget* parent)
    : TEditorForm(parent, QSize(445, 200)),
      m_chbVisible(new QCheckBox(this)),
      m_lblColorMap(new QLabel(this)),
      m_cbColorMap(new QComboBox(this)),
      m_lblMin(new QLabel(this)),
      m_edtMin(new QLineEdit(this)),
      m_lblMax(new QLabel(this)),
      m_edtMax(new QLineEdit(this)),
      m_lblRangeNote(new QLabel(this)),
      m_chbLogarithmic(new QCheckBox(this)),
      m_chbReversed(new QCheckBox(this)),
      m_lblNoValueColor(new QLabel(this)),
      m_noValueColor(
          new app::TColorField(QStringLiteral("shpNoValueColor"), QStringLiteral("btnBrowseNoValueColor"), this)),
      m_lblTitle(new QLabel(this)),
      m_edtTitle(new QLineEdit(this)) {
  m_chbVisible->setObjectName(QStringLiteral("chbColorByValue"));
  m_cbColorMap->setObjectName(QStringLiteral("cbColorMap"));
  m_edtMin->setObjectName(QStringLiteral("edtScaleMin"));
  m_edtMax->setObjectName(QStringLiteral("edtScaleMax"));
  m_chbLogarithmic->setObjectName(QStringLiteral("chbLogarithmic"));
  m_chbReversed->setObjectName(QStringLiteral("chbReversed"));
  m_edtTitle->setObjectName(QStringLiteral("edtScaleTitle"));
  // The names of the maps are their own, in every language.
  const QSize pictureSize(96, 14);
  m_cbColorMap->setIconSize(pictureSize);
  for (int map = 0; map < model::kColorMapCount; ++map) {
    const auto colorMap = model::TColorMap(map);
    m_cbColorMap->addItem(
        QIcon(MapPicture(colorMap, pictureSize)),
        QString::fromLatin1(model::ColorMapName(colorMap).data(), qsizetype(model::ColorMapName(colorMap).size())));
  }
  m_lblColorMap->setBuddy(m_cbColorMap);
  m_lblMin->setBuddy(m_edtMin);
  m_lblMax->setBuddy(m_edtMax);
  m_lblTitle->setBuddy(m_edtTitle);

  auto* layout = new QGridLayout(this);
  layout->addWidget(m_chbVisible, 0, 0, 1, 4);
  layout->addWidget(m_lblColorMap, 1, 0);
  layout->addWidget(m_cbColorMap, 1, 1, 1, 3);
  layout->addWidget(m_lblMin, 2, 0);
  layout->addWidget(m_edtMin, 2, 1);
  layout->addWidget(m_lblMax, 2, 2);
  layout->addWidget(m_edtMax, 2, 3);
  layout->addWidget(m_lblRangeNote, 3, 1, 1, 3);
  layout->addWidget(m_chbLogarithmic, 4, 0, 1, 2);
  layout->addWidget(m_chbReversed, 4, 2, 1, 2);
  layout->addWidget(m_lblNoValueColor, 5, 0);
  layout->addWidget(m_noValueColor, 5, 1, 1, 3);
  layout->addWidget(m_lblTitle, 6, 0);
  layout->addWidget(m_edtTitle, 6, 1, 1, 3);
  layout->setColumnStretch(1, 1);
  layout->setColumnStretch(3, 1);
  layout->setRowStretch(7, 1);

  BindFields();
  RetranslateUi();
}

void TColorScaleEditorForm::RetranslateUi() {
  setWindowTitle(tr("Colour scale"));
  m_chbVisible->setText(tr("Colour the markers by value"));
  m_lblColorMap->setText(tr("Colour map :"));
  m_lblMin->setText(tr("Minimum :"));
  m_lblMax->setText(tr("Maximum :"));
  m_lblRangeNote->setText(tr("(empty: from the values)"));
  m_chbLogarithmic->setText(tr("Logarithmic"));
  m_chbReversed->setText(tr("Reversed"));
  m_lblNoValueColor->setText(tr("No value :"));
  m_lblTitle->setText(tr("Title :"));
}

TGraphElement* TColorScaleEditorForm::GetElement() const { return m_scale; }

void TColorScaleEditorForm::SetElement(TGraphElement* element) {
  // Null as well: the editor of a series without scale then edits nothing.
  m_scale = dynamic_cast<TColorScale*>(element);
  if (m_scale) LoadFromElement();
}

void TColorScaleEditorForm::BindEnd(QLineEdit* edit, std::function<double()> value, std::function<void(double)> apply) {
  // An empty field follows the values; a text that does not read changes nothing.
  BindText(
      edit,
      [value] {
        const double end = value();
        return std::isnan(end) ? QString() : app::FormatCellNumber(end, QLocale());
      },
      [apply](const QString& text) {
        if (text.trimmed().isEmpty())
          apply(TColorScale::kAutomatic);
        else if (const std::optional<double> end = app::ReadCellText(text.trimmed(), QLocale()))
          apply(*end);
      });
}

void TColorScaleEditorForm::BindFields() {
  BindCheck(
      m_chbVisible, [this] { return m_scale->Visible(); }, [this](bool visible) { m_scale->SetVisible(visible); });
  Bind(m_cbColorMap, {[this] { m_cbColorMap->setCurrentIndex(int(m_scale->ColorMap())); },
                      [this] { return m_cbColorMap->currentIndex() != int(m_scale->ColorMap()); },
                      [this] {
                        if (m_cbColorMap->currentIndex() >= 0)
                          m_scale->SetColorMap(model::TColorMap(m_cbColorMap->currentIndex()));
                      }});
  BindEnd(
      m_edtMin, [this] { return m_scale->Min(); }, [this](double end) { m_scale->SetMin(end); });
  BindEnd(
      m_edtMax, [this] { return m_scale->Max(); }, [this](double end) { m_scale->SetMax(end); });
  BindCheck(
      m_chbLogarithmic, [this] { return m_scale->Logarithmic(); }, [this](bool on) { m_scale->SetLogarithmic(on); });
  BindCheck(
      m_chbReversed, [this] { return m_scale->Reversed(); }, [this](bool on) { m_scale->SetReversed(on); });
  BindColor(
      m_noValueColor, [this] { return m_scale->NoValueColor(); },
      [this](uint32_t argb) { m_scale->SetNoValueColor(argb); });
  BindText(
      m_edtTitle, [this] { return m_scale->Title(); }, [this](const QString& title) { m_scale->SetTitle(title); },
      TCompareText::AsTyped);
}

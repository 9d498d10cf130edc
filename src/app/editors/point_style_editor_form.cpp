#include "app/editors/point_style_editor_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <iterator>

#include "app/editors/color_field.h"
#include "model/point_style.h"

namespace {

// The entries of the dot-type list; an entry's index is its TDotType.
constexpr const char* kDotTypeNames[] = {
    QT_TRANSLATE_NOOP("TPointStyleEditorForm", "Filled dot"),
    QT_TRANSLATE_NOOP("TPointStyleEditorForm", "Open dot"),
    QT_TRANSLATE_NOOP("TPointStyleEditorForm", "Filled square"),
    QT_TRANSLATE_NOOP("TPointStyleEditorForm", "Open square"),
    QT_TRANSLATE_NOOP("TPointStyleEditorForm", "Filled triangle up"),
    QT_TRANSLATE_NOOP("TPointStyleEditorForm", "Open triangle up"),
    QT_TRANSLATE_NOOP("TPointStyleEditorForm", "Filled triangle down"),
    QT_TRANSLATE_NOOP("TPointStyleEditorForm", "Open triangle down"),
    QT_TRANSLATE_NOOP("TPointStyleEditorForm", "Filled diamond"),
    QT_TRANSLATE_NOOP("TPointStyleEditorForm", "Open diamond"),
    QT_TRANSLATE_NOOP("TPointStyleEditorForm", "Cross"),
    QT_TRANSLATE_NOOP("TPointStyleEditorForm", "Vertical line"),
    QT_TRANSLATE_NOOP("TPointStyleEditorForm", "Horizontal line"),
};
constexpr int kDotTypeCount = int(std::size(kDotTypeNames));
constexpr int kPictureSide = 16;

// The marker as a series draws it, with the point style's own shape code.
QIcon MarkerPicture(int dotType) {
  TPointStyle style;
  style.SetDotType(TDotType(dotType));
  style.SetSize(11);
  style.SetFillColor(0xFF808080);
  style.SetLineColor(0xFF000000);
  QImage picture(kPictureSide, kPictureSide, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  TGraphics g(painter);
  style.DrawMarker(g, QPointF(kPictureSide / 2.0, kPictureSide / 2.0));
  painter.end();
  return QIcon(QPixmap::fromImage(picture));
}

}  // namespace

TPointStyleEditorForm::TPointStyleEditorForm(QWidget* parent)
    : TEditorForm(parent, QSize(225, 138)),
      m_lblDotType(new QLabel(this)),
      m_cbxDotType(new QComboBox(this)),
      m_lblFillColor(new QLabel(this)),
      m_fillColor(new app::TColorField(QStringLiteral("shpFillColor"), QStringLiteral("btnBrowseFillColor"), this)),
      m_lblFrameColor(new QLabel(this)),
      m_frameColor(new app::TColorField(QStringLiteral("shpFrameColor"), QStringLiteral("btnBrowseFrameColor"), this)),
      m_lblDotSize(new QLabel(this)),
      m_edtDotSize(new QLineEdit(this)),
      m_chbVisible(new QCheckBox(this)) {
  m_cbxDotType->setObjectName(QStringLiteral("cbxDotType"));
  m_cbxDotType->setIconSize(QSize(kPictureSide, kPictureSide));
  for (int dotType = 0; dotType < kDotTypeCount; ++dotType) m_cbxDotType->addItem(MarkerPicture(dotType), QString());
  m_edtDotSize->setObjectName(QStringLiteral("edtDotSize"));
  m_chbVisible->setObjectName(QStringLiteral("chbVisible"));
  m_lblDotType->setBuddy(m_cbxDotType);
  m_lblDotSize->setBuddy(m_edtDotSize);

  auto* layout = new QGridLayout(this);
  layout->addWidget(m_lblDotType, 0, 0);
  layout->addWidget(m_cbxDotType, 0, 1);
  layout->addWidget(m_lblFillColor, 1, 0);
  layout->addWidget(m_fillColor, 1, 1);
  layout->addWidget(m_lblFrameColor, 2, 0);
  layout->addWidget(m_frameColor, 2, 1);
  layout->addWidget(m_lblDotSize, 3, 0);
  layout->addWidget(m_edtDotSize, 3, 1);
  layout->addWidget(m_chbVisible, 4, 0, 1, 2);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(5, 1);

  BindFields();
  RetranslateUi();
}

void TPointStyleEditorForm::RetranslateUi() {
  setWindowTitle(tr("Dot style"));
  m_lblDotType->setText(tr("Dot type :"));
  m_lblFillColor->setText(tr("Fill color :"));
  m_lblFrameColor->setText(tr("Frame color :"));
  m_lblDotSize->setText(tr("Dot size (pixels) :"));
  m_chbVisible->setText(tr("Visible"));
  // In place, so the chosen entry stays chosen.
  for (int dotType = 0; dotType < kDotTypeCount; ++dotType)
    m_cbxDotType->setItemText(dotType, tr(kDotTypeNames[dotType]));
}

TGraphElement* TPointStyleEditorForm::GetElement() const { return m_style; }

void TPointStyleEditorForm::SetElement(TGraphElement* element) {
  auto* style = dynamic_cast<TPointStyle*>(element);
  if (!style) return;
  m_style = style;
  LoadFromElement();
}

void TPointStyleEditorForm::BindFields() {
  // A shape outside the list (documents may hold any byte) selects no entry.
  Bind(m_cbxDotType, {[this] {
                        const int dotType = m_style->DotType();
                        m_cbxDotType->setCurrentIndex(dotType < kDotTypeCount ? dotType : -1);
                      },
                      [this] { return m_cbxDotType->currentIndex() != m_style->DotType(); },
                      [this] {
                        if (const int dotType = m_cbxDotType->currentIndex(); dotType >= 0)
                          m_style->SetDotType(TDotType(dotType));
                      }});
  BindColor(
      m_fillColor, [this] { return m_style->FillColor(); }, [this](uint32_t argb) { m_style->SetFillColor(argb); });
  BindColor(
      m_frameColor, [this] { return m_style->LineColor(); }, [this](uint32_t argb) { m_style->SetLineColor(argb); });
  BindWhole(
      m_edtDotSize, [this] { return m_style->Size(); },
      [this](int32_t size) { m_style->SetSize(size <= 0 ? 1 : size); });
  BindCheck(
      m_chbVisible, [this] { return m_style->Visible(); }, [this](bool visible) { m_style->SetVisible(visible); });
}

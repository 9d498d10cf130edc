#include "app/editors/graph_serie_editor_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "app/editors/color_field.h"
#include "app/editors/color_scale_editor_form.h"
#include "app/editors/font_editor_form.h"
#include "app/editors/line_style_editor_form.h"
#include "app/editors/point_style_editor_form.h"
#include "model/surface_serie.h"

namespace {

// What the surface group shows for a series without a surface.
constexpr uint32_t kNoSurfaceColor = 0xFFFFFFFF;
constexpr int kNoSurfaceOpacity = 255;

}  // namespace

TGraphSerieEditorForm::TGraphSerieEditorForm(QWidget* parent)
    : TEditorForm(parent, QSize(445, 327)),
      m_chbVisible(new QCheckBox(this)),
      m_chbDrawArrow(new QCheckBox(this)),
      m_lblFrequency(new QLabel(this)),
      m_sedFrequency(new QSpinBox(this)),
      m_lblFrequencyNote(new QLabel(this)),
      m_lblName(new QLabel(this)),
      m_edtName(new QLineEdit(this)),
      m_lblDotStyle(new QLabel(this)),
      m_pnlDotStyle(new QWidget(this)),
      m_pointStyleEditor(Host<TPointStyleEditorForm>(m_pnlDotStyle)),
      m_lblLineStyle(new QLabel(this)),
      m_pnlLineStyle(new QWidget(this)),
      m_lineStyleEditor(Host<TLineStyleEditorForm>(m_pnlLineStyle)),
      m_gbSurface(new QGroupBox(this)),
      m_lblAlphaBlending(new QLabel(m_gbSurface)),
      m_edtAlphaBlending(new QLineEdit(QStringLiteral("255"), m_gbSurface)),
      m_lblSurfaceColor(new QLabel(m_gbSurface)),
      m_surfaceColor(new app::TColorField(QStringLiteral("shpSurfaceColor"), QStringLiteral("btnBrowseSurfaceColor"),
                                          m_gbSurface)),
      m_chbNameVisible(new QCheckBox(this)),
      m_gbNameFont(new QGroupBox(this)),
      m_nameFontEditor(Host<TFontEditorForm>(m_gbNameFont)),
      m_gbColorScale(new QGroupBox(this)),
      m_colorScaleEditor(Host<TColorScaleEditorForm>(m_gbColorScale)) {
  m_gbColorScale->setObjectName(QStringLiteral("gbColorScale"));
  m_chbNameVisible->setObjectName(QStringLiteral("chbNameVisible"));
  m_gbNameFont->setObjectName(QStringLiteral("gbNameFont"));
  m_chbVisible->setObjectName(QStringLiteral("chbVisible"));
  m_chbDrawArrow->setObjectName(QStringLiteral("chbDrawArrow"));
  m_sedFrequency->setObjectName(QStringLiteral("sedFrequency"));
  m_sedFrequency->setRange(1, kMaxFrequency);
  m_sedFrequency->setValue(1);
  m_sedFrequency->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
  m_edtName->setObjectName(QStringLiteral("edtName"));
  m_pnlDotStyle->setObjectName(QStringLiteral("pnlDotStyle"));
  m_pnlLineStyle->setObjectName(QStringLiteral("pnlLineStyle"));
  m_gbSurface->setObjectName(QStringLiteral("gbSurface"));
  m_edtAlphaBlending->setObjectName(QStringLiteral("edtAlphaBlending"));
  // The opacity field governs the fill's alpha.
  m_surfaceColor->SetAlphaEditable(false);
  m_lblFrequency->setBuddy(m_sedFrequency);
  m_lblName->setBuddy(m_edtName);
  m_lblAlphaBlending->setBuddy(m_edtAlphaBlending);

  auto* surface = new QGridLayout(m_gbSurface);
  surface->addWidget(m_lblAlphaBlending, 0, 0);
  surface->addWidget(m_edtAlphaBlending, 0, 1);
  surface->addWidget(m_lblSurfaceColor, 1, 0);
  surface->addWidget(m_surfaceColor, 1, 1);
  surface->setColumnStretch(1, 1);

  auto* layout = new QGridLayout(this);
  layout->addWidget(m_lblName, 0, 0);
  layout->addWidget(m_edtName, 0, 1, 1, 3);
  layout->addWidget(m_chbVisible, 1, 0, 1, 2);
  layout->addWidget(m_chbDrawArrow, 1, 2, 1, 2);
  layout->addWidget(m_lblFrequency, 2, 0);
  layout->addWidget(m_sedFrequency, 2, 1);
  layout->addWidget(m_lblFrequencyNote, 2, 2, 1, 2);
  layout->addWidget(m_lblDotStyle, 3, 0, 1, 2);
  layout->addWidget(m_lblLineStyle, 3, 2, 1, 2);
  layout->addWidget(m_pnlDotStyle, 4, 0, 1, 2, Qt::AlignTop);
  layout->addWidget(m_pnlLineStyle, 4, 2, 2, 2, Qt::AlignTop);
  layout->addWidget(m_gbSurface, 5, 0, 1, 2, Qt::AlignTop);
  layout->addWidget(m_gbColorScale, 6, 0, 1, 4);
  layout->setColumnStretch(1, 1);
  layout->setColumnStretch(3, 1);
  layout->addWidget(m_chbNameVisible, 7, 0, 1, 4);
  layout->addWidget(m_gbNameFont, 8, 0, 1, 4);
  layout->setRowStretch(9, 1);

  BindFields();
  RetranslateUi();
}

void TGraphSerieEditorForm::RetranslateUi() {
  setWindowTitle(tr("Serie"));
  m_chbVisible->setText(tr("Visible"));
  m_chbDrawArrow->setText(tr("Draw middle segment arrow"));
  m_lblFrequency->setText(tr("Frequency :"));
  m_lblFrequencyNote->setText(tr("(draw a point every n points)"));
  m_lblName->setText(tr("Name :"));
  m_lblDotStyle->setText(tr("Dot style :"));
  m_lblLineStyle->setText(tr("Line style :"));
  m_gbSurface->setTitle(tr("Surface"));
  m_gbColorScale->setTitle(tr("Colour scale"));
  m_lblAlphaBlending->setText(tr("Opacity (0-255):"));
  m_lblSurfaceColor->setText(tr("Color :"));
  m_chbNameVisible->setText(tr("Show the name inside the series"));
  m_gbNameFont->setTitle(tr("Name font"));
}

TPointsSerie* TGraphSerieEditorForm::PointsSerie() const { return dynamic_cast<TPointsSerie*>(m_serie); }

TSurfaceSerie* TGraphSerieEditorForm::SurfaceSerie() const { return dynamic_cast<TSurfaceSerie*>(m_serie); }

TGraphElement* TGraphSerieEditorForm::GetElement() const { return m_serie; }

void TGraphSerieEditorForm::SetElement(TGraphElement* element) {
  auto* serie = dynamic_cast<TGraphSerie*>(element);
  if (!serie) return;
  m_serie = serie;
  m_chbDrawArrow->setEnabled(PointsSerie() != nullptr);
  m_gbSurface->setEnabled(SurfaceSerie() != nullptr);
  m_gbColorScale->setEnabled(PointsSerie() != nullptr);
  m_colorScaleEditor->SetElement(PointsSerie() ? &PointsSerie()->ColorScale() : nullptr);
  m_pointStyleEditor->SetElement(&serie->PointStyle());
  m_lineStyleEditor->SetElement(&serie->LineStyle());
  m_nameFontEditor->SetElement(&serie->NameFont());
  LoadFromElement();
}

void TGraphSerieEditorForm::BindFields() {
  BindCheck(
      m_chbVisible, [this] { return m_serie->Visible(); }, [this](bool visible) { m_serie->SetVisible(visible); });
  Bind(m_sedFrequency, {[this] { m_sedFrequency->setValue(m_serie->Frequency()); },
                        [this] { return m_sedFrequency->value() != m_serie->Frequency(); },
                        [this] { m_serie->SetFrequency(m_sedFrequency->value()); }});
  BindCheck(
      m_chbNameVisible, [this] { return m_serie->NameVisible(); },
      [this](bool visible) { m_serie->SetNameVisible(visible); });
  BindText(
      m_edtName, [this] { return m_serie->Name(); }, [this](const QString& name) { m_serie->SetName(name.trimmed()); });
  // A field the series does not have is disabled, shows a value that changes
  // nothing, and is not written.
  BindCheck(
      m_chbDrawArrow, [this] { return PointsSerie() && PointsSerie()->DrawArrow(); },
      [this](bool drawArrow) {
        if (TPointsSerie* points = PointsSerie()) points->SetDrawArrow(drawArrow);
      });
  BindWhole(
      m_edtAlphaBlending, [this] { return SurfaceSerie() ? SurfaceSerie()->AlphaBlending() : kNoSurfaceOpacity; },
      [this](int32_t alpha) {
        // Only the low 8 bits are kept: 256 gives 0, 300 gives 44.
        if (TSurfaceSerie* surface = SurfaceSerie()) surface->SetAlphaBlending(uint8_t(alpha & 0xFF));
      });
  BindColor(
      m_surfaceColor, [this] { return SurfaceSerie() ? SurfaceSerie()->FillColor() : kNoSurfaceColor; },
      [this](uint32_t argb) {
        if (TSurfaceSerie* surface = SurfaceSerie()) surface->SetFillColor(argb);
      });
}

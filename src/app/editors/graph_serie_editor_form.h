#pragma once

#include "app/editors/editor_form.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class TGraphSerie;
class TFontEditorForm;
class TColorScaleEditorForm;
class TLineStyleEditorForm;
class TPointStyleEditorForm;
class TPointsSerie;
class TSurfaceSerie;
namespace app {
class TColorField;
}

// Edits a series of any kind: name, visibility, drawing step, marker and
// line; the arrow and the colour scale for series of points, the fill for
// surfaces.
class TGraphSerieEditorForm : public TEditorForm {
  Q_OBJECT

 public:
  static constexpr int kMaxFrequency = 10'000'000;

  explicit TGraphSerieEditorForm(QWidget* parent = nullptr);

  TGraphElement* GetElement() const override;
  void SetElement(TGraphElement* element) override;

 protected:
  void RetranslateUi() override;

 private:
  // Null unless the series carries the property.
  TPointsSerie* PointsSerie() const;
  TSurfaceSerie* SurfaceSerie() const;
  void BindFields();

  TGraphSerie* m_serie = nullptr;
  QCheckBox* m_chbVisible;
  QCheckBox* m_chbDrawArrow;
  QLabel* m_lblFrequency;
  QSpinBox* m_sedFrequency;
  QLabel* m_lblFrequencyNote;
  QLabel* m_lblName;
  QLineEdit* m_edtName;
  QLabel* m_lblDotStyle;
  QWidget* m_pnlDotStyle;
  TPointStyleEditorForm* m_pointStyleEditor;
  QLabel* m_lblLineStyle;
  QWidget* m_pnlLineStyle;
  TLineStyleEditorForm* m_lineStyleEditor;
  QGroupBox* m_gbSurface;
  QLabel* m_lblAlphaBlending;
  QLineEdit* m_edtAlphaBlending;
  QLabel* m_lblSurfaceColor;
  app::TColorField* m_surfaceColor;
  // The name drawn inside the series' shape.
  QCheckBox* m_chbNameVisible;
  QGroupBox* m_gbNameFont;
  TFontEditorForm* m_nameFontEditor;
  QGroupBox* m_gbColorScale;
  TColorScaleEditorForm* m_colorScaleEditor;
};

#pragma once

#include <QLocale>
#include <QPointF>
#include <QString>
#include <optional>
#include <vector>

#include "model/axe_element.h"
#include "model/graph_font.h"

// One graduation of the ticks: its point on the side and its label.
struct TTickMark {
  TTernaryPoint Point;
  QString Text;
};

// The ticks of one side: short lines that continue the grid lines outward,
// each with a label showing the side's component, from 1 at the start vertex
// down to 0 at the end vertex.
class TTicks : public TAxeElement {
 public:
  TTicks();

  TGraphFont& Font() const { return *m_font; }
  // In pixels; a negative length points into the triangle.
  int32_t TickLength() const { return m_tickLength; }
  void SetTickLength(int32_t length);
  // Gap in pixels between a tick's end and its label.
  int32_t LabelSpacing() const { return m_labelSpacing; }
  void SetLabelSpacing(int32_t spacing);
  // A printf-style format of one floating-point value.
  const QString& LabelFormat() const { return m_labelFormat; }
  void SetLabelFormat(const QString& format);

  // The label of `value`: LabelFormat, or the general format when LabelFormat
  // cannot format one floating-point value, without surrounding blanks.
  QString LabelText(double value, const QLocale& locale = QLocale()) const;
  // The graduations in drawing order. The last one lies exactly on the end
  // vertex, whatever rounding the steps before it left.
  std::vector<TTickMark> Marks(const QLocale& locale = QLocale()) const;
  // One tick in world units, or nothing when the side is shorter than one
  // pixel and no tick can be drawn.
  std::optional<QPointF> TickVector(const TProjection& projection) const;

  void Draw(TGraphics& g, const TProjection& projection) override;
  TDoubleRect GetBounds(TGraphics& g, const TProjection& projection) override;

  void LoadFromXML(pugi::xml_node node) override;
  void SetDefaults() override;
  void SaveToXML(pugi::xml_node node) const override;

 private:
  std::unique_ptr<TGraphFont> m_font;
  int32_t m_tickLength = 5;
  int32_t m_labelSpacing = 4;
  QString m_labelFormat = QStringLiteral("%6.3g");
};

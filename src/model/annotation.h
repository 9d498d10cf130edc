#pragma once

#include <QString>
#include <memory>

#include "model/graph_font.h"

enum TTextAlignment : uint8_t { taLeft = 0, taCenter = 1, taRight = 2 };
constexpr int kTextAlignmentCount = 3;

// A free text placed on the diagram at a ternary position. The text may hold
// several lines; the alignment places them about the position (left: the
// position is the left edge, centre: the middle, right: the right edge),
// and the angle turns the block counter-clockwise about it, in degrees.
class TAnnotation : public TGraphElement {
 public:
  TAnnotation();

  const QString& Text() const { return m_text; }
  void SetText(const QString& text);
  const TTernaryPoint& Position() const { return m_position; }
  void SetPosition(const TTernaryPoint& position);
  TGraphFont& Font() const { return *m_font; }
  TTextAlignment Alignment() const { return m_alignment; }
  void SetAlignment(TTextAlignment alignment);
  float Angle() const { return m_angle; }
  void SetAngle(float angle);

  void LoadFromXML(pugi::xml_node node) override;
  void SetDefaults() override;
  void SaveToXML(pugi::xml_node node) const override;

 private:
  QString m_text;
  TTernaryPoint m_position{1.0 / 3, 1.0 / 3, 1.0 / 3};
  std::unique_ptr<TGraphFont> m_font;
  TTextAlignment m_alignment = taLeft;
  float m_angle = 0.0f;
};

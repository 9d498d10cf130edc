#pragma once

#include <QBrush>
#include <QFont>
#include <QString>
#include <array>
#include <string_view>

#include "model/graph_element.h"

enum TGraphFontStyle : uint8_t { fsBold = 0, fsItalic = 1, fsUnderline = 2, fsStrikeout = 3 };
// A set of TGraphFontStyle: bit i holds member i.
using TGraphFontStyles = uint8_t;
constexpr TGraphFontStyles FontStyleBit(TGraphFontStyle style) { return TGraphFontStyles(1u << style); }

inline constexpr std::array<std::string_view, 4> kFontStyleNames{"fsBold", "fsItalic", "fsUnderline", "fsStrikeout"};

// A font of the diagram: family, size in points, ARGB colour and styles.
class TGraphFont : public TGraphElement {
 public:
  TGraphFont();

  float Size() const { return m_size; }
  void SetSize(float size);
  const QString& Name() const { return m_name; }
  void SetName(const QString& name);
  uint32_t Color() const { return m_color; }
  void SetColor(uint32_t argb);
  TGraphFontStyles Styles() const { return m_styles; }
  void SetStyles(TGraphFontStyles styles);

  // The styles as the drawing surface's bits: bold 1, italic 2, underline 4, strike-out 8.
  int ToGdiFontStyle() const { return m_styles & 0x0F; }
  QFont CreateFont(const TGraphics& g) const { return g.CreateFont(m_name, m_size, ToGdiFontStyle()); }
  QBrush Brush() const { return geometry::MakeBrush(m_color); }

  void LoadFromXML(pugi::xml_node node) override;
  // Styles survive SetDefaults: a font made bold stays bold.
  void SetDefaults() override;
  void SaveToXML(pugi::xml_node node) const override;

 private:
  float m_size = 8.0f;
  QString m_name = QStringLiteral("Arial");
  uint32_t m_color = 0xFF000000;
  TGraphFontStyles m_styles = 0;
};

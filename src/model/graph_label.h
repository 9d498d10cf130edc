#pragma once

#include <QString>
#include <memory>

#include "model/graph_font.h"

// A text with its font, such as an axis title. A change of the font is a
// change of the label.
class TGraphlabel : public TGraphElement {
 public:
  TGraphlabel();

  const QString& Text() const { return m_text; }
  void SetText(const QString& text);
  TGraphFont& Font() const { return *m_font; }

  void FontChanged();

  void LoadFromXML(pugi::xml_node node) override;
  void SetDefaults() override;
  void SaveToXML(pugi::xml_node node) const override;

 private:
  QString m_text;
  std::unique_ptr<TGraphFont> m_font;
};

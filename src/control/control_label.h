#pragma once

#include <QRect>
#include <QString>
#include <memory>

#include "model/graph_font.h"

// The header or footer band of a diagram: a caption drawn centred in a band
// of fixed height across the control. A change of its font is one change of
// the label.
class TControlLabel : public TGraphElement {
 public:
  static constexpr int32_t kDefaultHeight = 25;
  // A negative band would stretch the graph area past the control and shrink
  // the diagram out of sight: the setter brings a height into [kMinHeight,
  // kMaxHeight], a document's height outside it is ignored.
  static constexpr int32_t kMinHeight = 0;
  static constexpr int32_t kMaxHeight = 10000;

  TControlLabel();

  const QString& Caption() const { return m_caption; }
  void SetCaption(const QString& caption);
  TGraphFont& Font() const { return *m_font; }
  bool Visible() const { return m_visible; }
  void SetVisible(bool visible);
  int32_t Height() const { return m_height; }
  void SetHeight(int32_t height);

  // The band in client pixels, placed by the control's layout; not saved.
  const QRect& Bounds() const { return m_bounds; }
  void SetBounds(const QRect& bounds) { m_bounds = bounds; }

  // Covers the band with the background, so that nothing of the diagram shows
  // through it, then centres the caption in it.
  void Draw(TGraphics& g, uint32_t backgroundArgb) const;

  void LoadFromXML(pugi::xml_node node) override;
  void SetDefaults() override;
  void SaveToXML(pugi::xml_node node) const override;

 private:
  QString m_caption;
  std::unique_ptr<TGraphFont> m_font;
  bool m_visible = true;
  int32_t m_height = kDefaultHeight;
  QRect m_bounds;
};

#pragma once

#include <cstdint>

#include "model/points_serie.h"

// A points series whose polygon is filled with a translucent colour under the
// outline, the arrow head and the markers. The fill takes no part in the
// bounds or the hit test.
class TSurfaceSerie : public TPointsSerie {
 public:
  TSurfaceSerie();

  // Opacity of the fill, 0 transparent to 255 opaque. Stored only: callers
  // batch the change on the series.
  uint8_t AlphaBlending() const { return m_alphaBlending; }
  void SetAlphaBlending(uint8_t alpha) { m_alphaBlending = alpha; }
  // Only its red, green and blue are used; AlphaBlending replaces its alpha.
  // Stored only, like AlphaBlending.
  uint32_t FillColor() const { return m_fillColor; }
  void SetFillColor(uint32_t argb) { m_fillColor = argb; }

  const char* ClassName() const override { return "TSurfaceSerie"; }
  // The fill colour over the picture's left square, then the points series'
  // picture.
  void DrawSample(QImage& bitmap) override;

  // The filled outline, then the points' drawing (Draw comes here too).
  void DrawWithProgress(TGraphics& g, const TProjection& projection, const model::TProgress& progress) override;

  void LoadWithItems(pugi::xml_node node, model::TPrereadEntries* preread) override;
  void SetDefaults() override;
  void SaveStyleToXML(pugi::xml_node node) const override;
  void SaveWithItems(pugi::xml_node node, model::TStreamedChildren* streamed) const override;

 protected:
  // Half the points series' head.
  float ArrowScale() const override;

 private:
  uint32_t FillArgb() const { return (uint32_t(m_alphaBlending) << 24) | (m_fillColor & 0x00FFFFFF); }

  uint8_t m_alphaBlending = 128;
  uint32_t m_fillColor = 0xFFFFFF00;
};

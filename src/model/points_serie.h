#pragma once

#include <array>
#include <memory>
#include <vector>

#include "model/color_scale.h"
#include "model/graph_serie.h"
#include "model/point_hit_index.h"
#include "model/ternary_lists.h"
#include "model/value_colored_markers.h"

// An ordered list of ternary points drawn as markers joined by a polyline,
// optionally with an arrow head on the middle segment.
class TPointsSerie : public TGraphSerie {
 public:
  TPointsSerie();

  // Edits of the points are not reported by the list: callers batch them on
  // the series.
  TTernaryPointList& Items() const { return *m_items; }
  // The fill of the markers by the values of their points; a change of it
  // is a change of the series.
  TColorScale& ColorScale() const { return *m_colorScale; }
  // Whether the markers take their fill from the values.
  bool ColorsByValue() const { return m_colorScale->Visible(); }
  bool DrawArrow() const { return m_drawArrow; }
  void SetDrawArrow(bool drawArrow);

  const char* ClassName() const override { return "TPointsSerie"; }
  int HitTest(const TTernaryPoint& point, TTernaryPoint& found, double tolerance) const override;
  using TGraphSerie::GetText;
  void GetText(QString& text, const model::TProgress& progress) const override;

  int ItemCount() const override { return m_items->Count(); }
  void Draw(TGraphics& g, const TProjection& projection) override;
  void DrawWithProgress(TGraphics& g, const TProjection& projection, const model::TProgress& progress) override;
  TDoubleRect GetBounds(TGraphics& g, const TProjection& projection) override;

  void LoadFromXML(pugi::xml_node node) override;
  void SetDefaults() override;
  void SaveToXML(pugi::xml_node node) const override;
  void SaveStyleToXML(pugi::xml_node node) const override;
  void SaveWithItems(pugi::xml_node node, model::TStreamedChildren* streamed) const override;
  void LoadWithItems(pugi::xml_node node, model::TPrereadEntries* preread) override;

 protected:
  void DrawSampleLine(TGraphics& g, int width, int height) override;
  // World positions of the points whose index is a multiple of Frequency,
  // valid until the next call.
  const std::vector<QPointF>& SamplePoints(const TProjection& projection) const;
  // Polyline, arrow head and markers through the sampled points, in this
  // order, so that markers lie on top; `progress` hears of the markers.
  void DrawSampled(TGraphics& g, const std::vector<QPointF>& points,
                   const model::TProgress& progress = model::TProgress());
  // Scale of the arrow head's template triangle.
  virtual float ArrowScale() const;

 private:
  void DrawArrowHead(TGraphics& g, const QPointF& from, const QPointF& to) const;
  void DrawLineAndArrow(TGraphics& g, const std::vector<QPointF>& points) const;
  void DrawColoredByValue(TGraphics& g, const std::vector<QPointF>& points, const model::TProgress& progress);

  // The corners of the hull of the sampled points. The projection is
  // affine, so they stay the corners from one pan or zoom to the next, as
  // long as the items, the sampling and the components projected do.
  struct TSampledOutline {
    const TTernaryPoint* data = nullptr;
    int32_t count = -1;
    uint64_t version = 0;
    int32_t step = 0;
    std::array<int32_t, 2> components{-1, -1};
    std::vector<int> corners;
  };
  std::vector<QPointF> SampledOutline(const std::vector<QPointF>& points) const;

  std::unique_ptr<TTernaryPointList> m_items;
  std::unique_ptr<TColorScale> m_colorScale;
  mutable model::TValueColoredMarkers m_coloredMarkers;
  // Hit tests run on every mouse move over series of any size.
  mutable TPointHitIndex m_hitIndex;
  // Kept from one drawing to the next: a fresh array of a million points
  // would cost page faults on every frame of a pan.
  mutable std::vector<QPointF> m_drawPoints;
  mutable std::array<int32_t, 2> m_sampledComponents{-1, -1};  // as SamplePoints last projected
  mutable TSampledOutline m_outline;
  bool m_drawArrow = false;
};

#pragma once

#include <QBrush>
#include <QImage>
#include <QPen>
#include <QPoint>
#include <cstdint>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "model/graph_element.h"
#include "model/progress.h"

// Marker shapes. Documents may hold any byte; values above dtHorizLine draw
// nothing.
enum TDotType : uint8_t {
  dtFilledDot = 0,
  dtOpenDot = 1,
  dtFilledSquare = 2,
  dtOpenSquare = 3,
  dtFilledTriUp = 4,
  dtOpenTriUp = 5,
  dtFilledTriDown = 6,
  dtOpenTriDown = 7,
  dtFilledDiamond = 8,
  dtOpenDiamond = 9,
  dtCross = 10,
  dtVertLine = 11,
  dtHorizLine = 12,
};

// The marker drawn at each point of a series: a shape of Size world units
// with a 1-unit outline in LineColor and, for the filled shapes, FillColor.
// The pen, the brush and a pre-rendered marker image are rebuilt whenever the
// style changes, never per marker.
class TPointStyle : public TGraphElement {
 public:
  TPointStyle();

  // Sizes beyond kMaxSize would only freeze the drawing: the setter brings a
  // size into [kMinSize, kMaxSize], a document's size outside it is ignored.
  static constexpr int32_t kMinSize = 0;
  static constexpr int32_t kMaxSize = 1000;

  int32_t Size() const { return m_size; }
  void SetSize(int32_t size);
  TDotType DotType() const { return m_dotType; }
  void SetDotType(TDotType dotType);
  uint32_t LineColor() const { return m_lineColor; }
  void SetLineColor(uint32_t argb);
  uint32_t FillColor() const { return m_fillColor; }
  void SetFillColor(uint32_t argb);
  bool Visible() const { return m_visible; }
  void SetVisible(bool visible);

  // Draws one marker centred on a point in world coordinates.
  void DrawMarker(TGraphics& g, const QPointF& point);
  // Draws a marker at each point, in order. On a raster image cached marker
  // images, drawn at the device's scale in phases of a quarter pixel, are
  // stamped (a marker looks like DrawMarker's within a quarter pixel);
  // other devices get shapes.
  void DrawMarkers(TGraphics& g, const QPointF* points, int count);
  // The same a block of markers at a time, each block told to `progress`,
  // which may stop the drawing with model::TCancelled. Markers do not
  // overlap one another's drawing, so the picture is the same.
  void DrawMarkers(TGraphics& g, const QPointF* points, int count, const model::TProgress& progress);
  // The same with the fill in `fillArgb` instead of FillColor; the stamps
  // of the fill colours asked for are kept until the style changes, so a
  // palette of a few hundred colours is rendered once.
  void DrawMarkersFilled(TGraphics& g, const QPointF* points, int count, uint32_t fillArgb);
  // The markers at points[order[i]], marker i filled with
  // fills[fillOf[i]], stamped in one call as DrawMarkersFilled would draw
  // them one after another; `order` is a permutation of [0, count), or null
  // for the points' own order. False, drawing nothing, where they are not
  // stamped or the stamps of the fills differ in size.
  bool StampMarkersFilled(TGraphics& g, const QPointF* points, const int32_t* order, int count,
                          std::span<const uint32_t> fills, const uint16_t* fillOf);
  // Whether DrawMarkers stamps markers of opaque colours, which hide
  // whatever lies beneath them but for their smoothed edges.
  bool StampsOpaquely(const TGraphics& g) const;
  // The same for DrawMarkersFilled with `fillArgb`.
  bool StampsOpaquelyFilled(const TGraphics& g, uint32_t fillArgb);

  void Changed() override;
  void LoadFromXML(pugi::xml_node node) override;
  void SetDefaults() override;
  void SaveToXML(pugi::xml_node node) const override;

 private:
  void StoreSize(int32_t size);
  void DrawShape(TGraphics& g, const QPointF& centre) const;
  // The stamps for drawing on `g`, made when the marker or the device's
  // scale changed; nothing when the marker cannot be stamped there.
  const geometry::TStamps* StampsFor(const TGraphics& g) const;

  int32_t m_size = 5;
  TDotType m_dotType = dtFilledSquare;
  uint32_t m_lineColor = 0xFF000000;
  uint32_t m_fillColor = 0xFF808080;
  // Size as floats, the marker's box around its centre.
  float m_markerWidth = 5.0f;
  float m_markerHeight = 5.0f;
  float m_halfHeight = 2.5f;
  float m_halfWidth = 2.5f;
  bool m_visible = true;
  QPen m_pen;
  QBrush m_brush;

  // What the cached stamps were drawn for.
  struct TStampKey {
    int32_t size = -1;
    TDotType dotType = dtFilledSquare;
    uint32_t lineColor = 0, fillColor = 0;
    double scale = 0;
    bool smooth = false;
    bool operator==(const TStampKey&) const = default;
  };
  std::optional<TStampKey> StampKeyFor(const TGraphics& g, uint32_t fillArgb) const;
  geometry::TStamps MakeStampsOf(const TStampKey& key) const;
  // The stamps of the marker filled with `fillArgb`, or null where StampsFor is.
  const geometry::TStamps* FillStampsFor(const TGraphics& g, uint32_t fillArgb);
  static bool StampsAreOpaque(const geometry::TStamps* stamps) {
    return stamps && !stamps->images.empty() && stamps->solid;
  }
  mutable TStampKey m_stampKey;
  mutable geometry::TStamps m_stamps;                                    // no images when the marker paints nothing
  mutable std::unordered_map<uint32_t, geometry::TStamps> m_fillStamps;  // by fill colour, for DrawMarkersFilled
  mutable TStampKey m_fillStampsKey;                                     // what they share, the fill colour left at 0
  std::vector<const geometry::TStamps*> m_fillSets;                      // StampMarkersFilled's, kept for its buffer
};

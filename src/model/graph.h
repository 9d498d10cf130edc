#pragma once

#include <QPointF>
#include <QRectF>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "model/graph_element.h"
#include "model/preread_entries.h"
#include "model/progress.h"
#include "model/xml_document.h"

class TAnnotationList;
class TGraphAxe;
class TGraphSerie;

// The ternary point under a pixel: Kind 1 is a free position, 2 the point of a
// series item; 0 is used by callers that have no diagram to ask.
struct TGraphPointInfo {
  TTernaryPoint Point;
  uint8_t Kind = 0;
};

// The result of a hit test: the topmost series item under a pixel.
struct TSerieHit {
  TGraphSerie* Serie = nullptr;
  int Index = -1;
  TTernaryPoint Item;
};

// The model of one diagram: three axes indexed by side, the ordered list of
// series (the last one drawn on top), and the projection they draw with.
// Invariant: Axe(p).Position() == p for the three positions.
class TGraph : public TGraphDrawable {
 public:
  TGraph();
  ~TGraph() override;

  TProjection& Projection() { return *m_projection; }
  const TProjection& Projection() const { return *m_projection; }
  TGraphAxe& GetAxe(int position) const { return *m_axes[size_t(position)]; }
  // The zoom reached by the last FitToRect; 0 until the first fit.
  double FitZoom() const { return m_fitZoom; }

  // Takes ownership; returns the new index.
  int AddSerie(std::unique_ptr<TGraphSerie> serie);
  // Takes ownership of a series placed at `index`, 0 to SeriesCount().
  void InsertSerie(int index, std::unique_ptr<TGraphSerie> serie);
  void DeleteSerie(int index);
  // Hands the series back to the caller, who owns it from then on.
  std::unique_ptr<TGraphSerie> RemoveSerie(int index);
  void ClearSeries();
  TGraphSerie& GetSerie(int index) const;
  int SeriesCount() const { return int(m_series.size()); }
  // The free texts, drawn above the series.
  TAnnotationList& Annotations() const { return *m_annotations; }

  // The series' text forms, separated by one empty line; `text` is left as
  // passed in when there are no series.
  void GetSeriesText(QString& text) const { GetSeriesText(text, model::TProgress()); }
  // As above, telling `progress` how far it has got; it may stop with
  // model::TCancelled, leaving `text` part written.
  void GetSeriesText(QString& text, const model::TProgress& progress) const;

  // Device pixels per unit of the plane (the triangle's side) that ZoomAt
  // never exceeds: deeper, world coordinates of the far vertices outgrow
  // what single precision and the rasteriser carry, and endless zooming in
  // would reach infinity.
  static constexpr double kMaxZoom = 1e7;

  void FitToRect(TGraphics& g, const QRectF& deviceRect);
  // Multiplies the zoom by factor, keeping the plane point under `device`
  // in place; the zoom stays between FitZoom and kMaxZoom.
  void ZoomAt(TGraphics& g, const QPointF& device, double factor);
  void Rotate(bool clockwise);
  void Mirror();
  bool FindSerieAt(TGraphics& g, int x, int y, TSerieHit& hit);
  void PointAt(TGraphics& g, int x, int y, TGraphPointInfo& info);

  void Draw(TGraphics& g, const TProjection& projection) override;
  // The same, telling `progress` how far it has got between series and
  // every block of items of a large series (see DrawWithProgress); it may
  // stop the drawing with model::TCancelled.
  void Draw(TGraphics& g, const TProjection& projection, const model::TProgress& progress);
  TDoubleRect GetBounds(TGraphics& g, const TProjection& projection) override;
  QRectF GetWorldBounds(TGraphics& g, const TProjection& projection) override;
  QRect GetPixelRect(TGraphics& g, const TProjection& projection) override;
  QRectF GetPixelBounds(TGraphics& g, const TProjection& projection) override;

  void LoadFromXML(pugi::xml_node node) override;
  void SetDefaults() override;
  void SaveToXML(pugi::xml_node node) const override;
  // The same, with the series' items registered in `streamed` when given.
  void SaveToXML(pugi::xml_node node, model::TStreamedChildren* streamed) const;
  // The same, with the series' items taken from `preread` where it holds them.
  void LoadFromXML(pugi::xml_node node, model::TPrereadEntries* preread);

  // Raised when series are added, removed or cleared.
  std::function<void(TGraph*)> OnSeriesChange;

 private:
  void DoSeriesChange();
  void ElementChanged();
  void LoadAxes(pugi::xml_node axes);
  void LoadSeries(pugi::xml_node series, model::TPrereadEntries* preread);
  void RestoreAxePositions();
  // One part of `progress` per series, in order, sized by its items.
  std::vector<model::TProgress> SeriesShares(const model::TProgress& progress) const;

  std::array<std::unique_ptr<TGraphAxe>, 3> m_axes;
  std::vector<std::unique_ptr<TGraphSerie>> m_series;
  std::unique_ptr<TProjection> m_projection;
  std::unique_ptr<TAnnotationList> m_annotations;
  double m_fitZoom = 0.0;
};

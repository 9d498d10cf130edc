#pragma once

#include <QImage>
#include <QString>
#include <memory>

#include "model/graph_element.h"
#include "model/graph_font.h"
#include "model/hit_box.h"
#include "model/line_style.h"
#include "model/point_style.h"
#include "model/preread_entries.h"
#include "model/progress.h"
#include "model/xml_document.h"

// One data set of a diagram: the base of the points, lines and surface series.
// A series draws itself with the projection it is given and asks nothing of
// the graph that owns it. A change of either style is a change of the series.
class TGraphSerie : public TGraphDrawable {
 public:
  TGraphSerie();

  TLineStyle& LineStyle() const { return *m_lineStyle; }
  TPointStyle& PointStyle() const { return *m_pointStyle; }

  const QString& Name() const { return m_name; }
  void SetName(const QString& name);
  bool Visible() const { return m_visible; }
  void SetVisible(bool visible);
  // Stored only; no notification.
  bool Removeable() const { return m_removeable; }
  void SetRemoveable(bool removeable) { m_removeable = removeable; }
  const QString& Tag() const { return m_tag; }
  void SetTag(const QString& tag) { m_tag = tag; }
  // Sampling step: only items whose index is a multiple are drawn. Never below
  // 1. Raises no notification: callers batch the change on the series.
  int32_t Frequency() const { return m_frequency; }
  void SetFrequency(int32_t frequency);
  // The name drawn inside the series' shape (see serie_label.h); hidden by default.
  bool NameVisible() const { return m_nameVisible; }
  void SetNameVisible(bool visible);
  TGraphFont& NameFont() const { return *m_nameFont; }

  void Refresh();
  void StyleChanged();

  // The class name written in documents.
  virtual const char* ClassName() const = 0;
  // The index of the last item within `tolerance` of `point` in each
  // component (bounds included), or -1. On a hit `found` receives the
  // matching point.
  virtual int HitTest(const TTernaryPoint& point, TTernaryPoint& found, double tolerance) const = 0;
  // The items drawn: a series' share of the time the graph takes to draw.
  virtual int ItemCount() const { return 0; }
  // Draws as Draw does, telling `progress` how far it has got every block of
  // items of a large series; it may stop the drawing with model::TCancelled.
  // A series that draws in one piece reports nothing.
  virtual void DrawWithProgress(TGraphics& g, const TProjection& projection, const model::TProgress& /*progress*/) {
    Draw(g, projection);
  }
  // Replaces `text` with the series' text form: its name, then its items.
  void GetText(QString& text) const { GetText(text, model::TProgress()); }
  // As above, telling `progress` how far it has got every block of items; it
  // may stop with model::TCancelled, leaving `text` part written.
  virtual void GetText(QString& text, const model::TProgress& progress) const;
  // Paints a legend picture over the bitmap's content: the marker in the left
  // square of side height, a line sample to its right.
  virtual void DrawSample(QImage& bitmap);

  void LoadFromXML(pugi::xml_node node) override;
  void SetDefaults() override;
  void SaveToXML(pugi::xml_node node) const override;
  // Every property but the items, as SaveToXML writes them; loading such a
  // fragment keeps the items (an undo step records a style change this way).
  virtual void SaveStyleToXML(pugi::xml_node node) const { TGraphSerie::SaveToXML(node); }
  // Everything, as the series' SaveToXML writes it, with the entries of its
  // lists registered in `streamed` when it is given.
  virtual void SaveWithItems(pugi::xml_node node, model::TStreamedChildren* /*streamed*/) const { SaveToXML(node); }
  // Everything, as LoadFromXML reads it, with the items taken from
  // `preread` where it holds them.
  virtual void LoadWithItems(pugi::xml_node node, model::TPrereadEntries* /*preread*/) { LoadFromXML(node); }

 protected:
  // True when the series has items to show and something to show them with.
  bool IsDrawable(int itemCount) const;
  class TBoundsBuilder;
  // Appends one tab-separated line of numbers to a text form.
  static void AppendTextLine(QString& text, const double* values, int count);
  // Tells `progress` how far the text form has got, once every block of items.
  static void ReportTextProgress(const model::TProgress& progress, int item, int itemCount);

  // The line sample of a legend picture, right of the marker's square.
  virtual void DrawSampleLine(TGraphics& g, int width, int height) = 0;

 private:
  // Both draw with the style changed for the picture only: the style's update
  // is closed silently and its drawing objects are restored.
  void DrawSampleMarker(TGraphics& g, int height);
  void DrawSampleLineWithLimitedWidth(TGraphics& g, int width, int height);

  std::unique_ptr<TLineStyle> m_lineStyle;
  std::unique_ptr<TPointStyle> m_pointStyle;
  bool m_visible = true;
  QString m_name;
  bool m_removeable = false;
  QString m_tag;
  int32_t m_frequency = 1;
  bool m_nameVisible = false;
  std::unique_ptr<TGraphFont> m_nameFont;
};

// Accumulates plane positions; the result spans them, widened by the half
// marker extent (or half a unit when markers are hidden) in world units.
class TGraphSerie::TBoundsBuilder {
 public:
  TBoundsBuilder(const TGraphSerie& serie, const TProjection& projection);
  void Add(const TTernaryPoint& point);
  TDoubleRect Result() const;

 private:
  const TProjection& m_projection;
  TDoublePoint m_halfExtent;
  TDoubleRect m_span;
  bool m_empty = true;
};

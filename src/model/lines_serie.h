#pragma once

#include <memory>

#include "model/graph_serie.h"
#include "model/ternary_lists.h"

// Independent straight segments, each given by a couple of ternary points and
// drawn with a marker at both ends.
class TLinesSerie : public TGraphSerie {
 public:
  TLinesSerie();

  // Edits of the couples are not reported by the list: callers batch them on
  // the series.
  TTernaryCoupleList& Items() const { return *m_items; }

  const char* ClassName() const override { return "TLinesSerie"; }
  // Tests P1, then P2 of each couple from the last to the first; `found`
  // receives the matching end.
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
  void SaveWithItems(pugi::xml_node node, model::TStreamedChildren* streamed) const override;
  void LoadWithItems(pugi::xml_node node, model::TPrereadEntries* preread) override;

 protected:
  void DrawSampleLine(TGraphics& g, int width, int height) override;

 private:
  std::unique_ptr<TTernaryCoupleList> m_items;
};

#include "model/lines_serie.h"

#include <QPainter>
#include <vector>

#include "model/embedded_part.h"

TLinesSerie::TLinesSerie() : m_items(std::make_unique<TTernaryCoupleList>()) { TLinesSerie::SetDefaults(); }

int TLinesSerie::HitTest(const TTernaryPoint& point, TTernaryPoint& found, double tolerance) const {
  const TTernaryCouple* items = m_items->Data();
  const THitBox box(point, tolerance);
  for (int i = m_items->Count() - 1; i >= 0; --i) {
    for (const TTernaryPoint* end : {&items[i].P1, &items[i].P2}) {
      if (!box.Contains(*end)) continue;
      found = *end;
      return i;
    }
  }
  return -1;
}

void TLinesSerie::GetText(QString& text, const model::TProgress& progress) const {
  TGraphSerie::GetText(text, progress);
  const TTernaryCouple* items = m_items->Data();
  for (int i = 0; i < m_items->Count(); ++i) {
    ReportTextProgress(progress, i, m_items->Count());
    const TTernaryCouple& c = items[i];
    const double values[] = {c.P1.A, c.P1.B, c.P1.C, c.P2.A, c.P2.B, c.P2.C};
    AppendTextLine(text, values, 6);
  }
}

void TLinesSerie::DrawSampleLine(TGraphics& g, int w, int h) {
  const double y = h / 2.0;
  const int a = w - h - 4;
  if (a <= 3) {
    LineStyle().DrawSegment(g, QPointF(h + 2, y), QPointF(w - 2, y), 1, 0);
    return;
  }
  // Two segments with the middle third left empty, in the first and the last
  // gradient colour.
  const float third = float(a) / 3.0f;
  const float left = float(h + 2);
  LineStyle().DrawSegment(g, QPointF(left, y), QPointF(left + third, y), 3, 0);
  LineStyle().DrawSegment(g, QPointF(left + 2 * third, y), QPointF(left + 3 * third, y), 3, 2);
}

void TLinesSerie::Draw(TGraphics& g, const TProjection& projection) { DrawWithProgress(g, projection, {}); }

void TLinesSerie::DrawWithProgress(TGraphics& g, const TProjection& projection, const model::TProgress& progress) {
  // Segments are drawn one by one: a report every block of them costs
  // nothing next to them.
  constexpr int kSegmentsPerReport = 1 << 14;
  constexpr double kSegmentsShare = 0.5;
  const int count = m_items->Count();
  if (!IsDrawable(count)) return;
  // Both ends of each drawn couple, first then second: markers follow this order.
  const int step = Frequency();
  std::vector<QPointF> ends;
  ends.reserve(2 * size_t((count - 1) / step + 1));
  const TTernaryCouple* items = m_items->Data();
  for (int64_t i = 0; i < count; i += step) {
    ends.push_back(projection.TernaryToWorld(items[i].P1, true));
    ends.push_back(projection.TernaryToWorld(items[i].P2, true));
  }
  const int k = int(ends.size() / 2);
  if (LineStyle().Visible())
    for (int j = 0; j < k; ++j) {
      LineStyle().DrawSegment(g, ends[2 * size_t(j)], ends[2 * size_t(j) + 1], k, j);
      if ((j + 1) % kSegmentsPerReport == 0) progress.Report(kSegmentsShare * (j + 1) / k);
    }
  PointStyle().DrawMarkers(g, ends.data(), int(ends.size()), progress.Part(kSegmentsShare, 1));
}

TDoubleRect TLinesSerie::GetBounds(TGraphics&, const TProjection& projection) {
  if (!IsDrawable(m_items->Count())) return {};
  TBoundsBuilder bounds(*this, projection);
  const TTernaryCouple* items = m_items->Data();
  for (int i = 0; i < m_items->Count(); ++i) {
    bounds.Add(items[i].P1);
    bounds.Add(items[i].P2);
  }
  return bounds.Result();
}

void TLinesSerie::LoadFromXML(pugi::xml_node node) { LoadWithItems(node, nullptr); }

void TLinesSerie::LoadWithItems(pugi::xml_node node, model::TPrereadEntries* preread) {
  TUpdateScope scope(*this);
  TGraphSerie::LoadFromXML(node);
  if (const pugi::xml_node items = model::FirstChildElement(node, "Items")) m_items->LoadFromXML(items, preread);
}

void TLinesSerie::SetDefaults() {
  TUpdateScope scope(*this);
  TGraphSerie::SetDefaults();
  if (m_items) m_items->Clear();
}

void TLinesSerie::SaveToXML(pugi::xml_node node) const { SaveWithItems(node, nullptr); }

void TLinesSerie::SaveWithItems(pugi::xml_node node, model::TStreamedChildren* streamed) const {
  TGraphSerie::SaveToXML(node);
  m_items->SaveToXML(model::AppendElement(node, "Items"), streamed);
}

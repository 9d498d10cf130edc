#include "app/undo_steps.h"

#include <QAction>
#include <cassert>
#include <pugixml.hpp>
#include <sstream>
#include <utility>

#include "app/data_import_run.h"
#include "control/control_label.h"
#include "control/graph_control.h"
#include "model/annotation_list.h"
#include "model/graph.h"
#include "model/graph_axe.h"
#include "model/lines_serie.h"
#include "model/points_serie.h"

namespace {

// "Supprimer la série" for the command "Supprimer la série", and
// "Modifier la série" for "Modifier la série...".
QString StepName(const QAction& origin) {
  QString name = origin.text();
  name.remove(QLatin1Char('&'));
  while (name.endsWith(QLatin1Char('.')) || name.endsWith(QChar(0x2026))) name.chop(1);
  return name.trimmed();
}

int IndexOf(const TGraph& graph, const TGraphSerie* serie) {
  for (int i = 0; i < graph.SeriesCount(); ++i)
    if (&graph.GetSerie(i) == serie) return i;
  return -1;
}

// Takes a series out of the graph into `held`; `index` becomes where it was.
void TakeOut(TGraph& graph, const TGraphSerie* serie, int& index, std::unique_ptr<TGraphSerie>& held) {
  const int found = IndexOf(graph, serie);
  if (found < 0) return;
  index = found;
  held = graph.RemoveSerie(found);
}

// Puts a held series back at `index` (or last, when fewer series remain).
void PutBack(TGraph& graph, int index, std::unique_ptr<TGraphSerie>& held) {
  if (held) graph.InsertSerie(std::min(index, graph.SeriesCount()), std::move(held));
}

}  // namespace

TDiagramStep::TDiagramStep(TGraphControl& control, const QAction& origin) : m_control(control), m_origin(origin) {
  setText(StepName(origin));
  // No context object: a QUndoCommand is none. The destructor disconnects.
  m_renaming = QObject::connect(&origin, &QAction::changed, [this] { setText(StepName(m_origin)); });
}

TDiagramStep::~TDiagramStep() { QObject::disconnect(m_renaming); }

void TDiagramStep::undo() {
  TControlUpdateScope scope(m_control);
  Undo();
}

void TDiagramStep::redo() {
  if (std::exchange(m_skipNextRedo, false)) return;
  TControlUpdateScope scope(m_control);
  Redo();
}

TAddSerieStep::TAddSerieStep(TGraphControl& control, const QAction& origin, TGraphSerie& added)
    : TDiagramStep(control, origin), m_serie(&added), m_index(IndexOf(control.Graph(), &added)) {}

TAddSerieStep::~TAddSerieStep() = default;

void TAddSerieStep::Undo() { TakeOut(Control().Graph(), m_serie, m_index, m_removed); }

void TAddSerieStep::Redo() { PutBack(Control().Graph(), m_index, m_removed); }

TAddSeriesStep::TAddSeriesStep(TGraphControl& control, const QAction& origin, const std::vector<TGraphSerie*>& added,
                               std::optional<std::array<QString, 3>> titlesBefore)
    : TDiagramStep(control, origin), m_otherTitles(std::move(titlesBefore)) {
  m_added.reserve(added.size());
  for (TGraphSerie* serie : added) m_added.push_back({serie, IndexOf(control.Graph(), serie), nullptr});
}

TAddSeriesStep::~TAddSeriesStep() = default;

// Taken out last first and put back first first, so that each goes back to
// the index it had.
void TAddSeriesStep::Undo() {
  for (auto added = m_added.rbegin(); added != m_added.rend(); ++added)
    TakeOut(Control().Graph(), added->Serie, added->Index, added->Removed);
  ExchangeTitles();
}

void TAddSeriesStep::Redo() {
  for (TAdded& added : m_added) PutBack(Control().Graph(), added.Index, added.Removed);
  ExchangeTitles();
}

void TAddSeriesStep::ExchangeTitles() {
  if (!m_otherTitles) return;
  const std::array<QString, 3> shown = app::AxisTitles(Control().Graph());
  app::SetAxisTitles(Control().Graph(), *m_otherTitles);
  m_otherTitles = shown;
}

TDeleteSerieStep::TDeleteSerieStep(TGraphControl& control, const QAction& origin, int index,
                                   std::unique_ptr<TGraphSerie> deleted)
    : TDiagramStep(control, origin), m_index(index), m_serie(deleted.get()), m_removed(std::move(deleted)) {}

TDeleteSerieStep::~TDeleteSerieStep() = default;

void TDeleteSerieStep::Undo() { PutBack(Control().Graph(), m_index, m_removed); }

void TDeleteSerieStep::Redo() { TakeOut(Control().Graph(), m_serie, m_index, m_removed); }

TSerieValuesStep::TSerieValuesStep(TGraphControl& control, const QAction& origin, TGraphSerie& serie,
                                   QString nameBefore, std::vector<TTernaryPoint> pointsBefore,
                                   std::vector<TTernaryCouple> couplesBefore, std::vector<double> valuesBefore)
    : TDiagramStep(control, origin),
      m_serie(serie),
      m_otherName(std::move(nameBefore)),
      m_otherPoints(std::move(pointsBefore)),
      m_otherCouples(std::move(couplesBefore)),
      m_otherValues(std::move(valuesBefore)) {}

void TSerieValuesStep::CopyValues(const TGraphSerie& serie, std::vector<TTernaryPoint>& points,
                                  std::vector<TTernaryCouple>& couples, std::vector<double>& values) {
  if (const auto* lines = dynamic_cast<const TLinesSerie*>(&serie)) {
    const TTernaryCoupleList& items = lines->Items();
    couples.assign(items.Data(), items.Data() + items.Count());
  } else if (const auto* pointsSerie = dynamic_cast<const TPointsSerie*>(&serie)) {
    const TTernaryPointList& items = pointsSerie->Items();
    points.assign(items.Data(), items.Data() + items.Count());
    if (items.HasValues()) values.assign(items.Values(), items.Values() + items.Count());
  }
}

void TSerieValuesStep::Exchange() {
  TUpdateScope scope(m_serie);
  const QString name = m_serie.Name();
  m_serie.SetName(m_otherName);
  m_otherName = name;
  if (auto* lines = dynamic_cast<TLinesSerie*>(&m_serie))
    lines->Items().SwapItems(m_otherCouples);
  else if (auto* points = dynamic_cast<TPointsSerie*>(&m_serie))
    points->Items().SwapItems(m_otherPoints, m_otherValues);
}

namespace {

template <typename Save>
std::string Fragment(const Save& save) {
  pugi::xml_document document;
  save(document.append_child("Part"));
  std::ostringstream text;
  document.save(text, "", pugi::format_raw);
  return text.str();
}

void LoadFragment(TGraphElement& element, const std::string& text) {
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
  // Fragment wrote the text: it always parses.
  assert(parsed);
  if (parsed) element.LoadFromXML(document.first_child());
}

// Puts the series in `order`, which holds the graph's own series.
void Reorder(TGraph& graph, const std::vector<TGraphSerie*>& order) {
  for (int target = 0; target < int(order.size()) && target < graph.SeriesCount(); ++target) {
    const int current = IndexOf(graph, order[size_t(target)]);
    if (current > target) graph.InsertSerie(target, graph.RemoveSerie(current));
  }
}

}  // namespace

TPropertiesStep::TSnapshot TPropertiesStep::Take(const TGraphControl& control) {
  TSnapshot snapshot;
  auto add = [&snapshot](TGraphElement& element, std::string fragment) {
    snapshot.Parts.emplace_back(&element, std::move(fragment));
  };
  for (TControlLabel* label : {&control.MainHeader(), &control.MainFooter()})
    add(*label, Fragment([label](pugi::xml_node node) { label->SaveToXML(node); }));
  add(control.Legend(), Fragment([&control](pugi::xml_node node) { control.Legend().SaveToXML(node); }));
  const TGraph& graph = control.Graph();
  add(graph.Annotations(), Fragment([&graph](pugi::xml_node node) { graph.Annotations().SaveToXML(node); }));
  for (int p = 0; p < 3; ++p)
    add(graph.GetAxe(p), Fragment([&graph, p](pugi::xml_node node) { graph.GetAxe(p).SaveToXML(node); }));
  for (int i = 0; i < graph.SeriesCount(); ++i) {
    TGraphSerie& serie = graph.GetSerie(i);
    add(serie, Fragment([&serie](pugi::xml_node node) { serie.SaveStyleToXML(node); }));
    snapshot.Order.push_back(&serie);
  }
  return snapshot;
}

TPropertiesStep::TPropertiesStep(TGraphControl& control, const QAction& origin, TSnapshot before, TSnapshot after)
    : TDiagramStep(control, origin), m_before(std::move(before)), m_after(std::move(after)) {
  // Keep the parts that differ; a reorder lists the series in another order.
  TSnapshot changedBefore, changedAfter;
  for (auto& part : m_before.Parts) {
    for (auto& later : m_after.Parts) {
      if (later.first != part.first || later.second == part.second) continue;
      changedBefore.Parts.push_back(std::move(part));
      changedAfter.Parts.push_back(std::move(later));
      break;
    }
  }
  m_before.Parts = std::move(changedBefore.Parts);
  m_after.Parts = std::move(changedAfter.Parts);
}

size_t TPropertiesStep::HeldBytes() const {
  size_t bytes = 0;
  for (const TSnapshot* snapshot : {&m_before, &m_after}) {
    bytes += snapshot->Order.capacity() * sizeof(TGraphSerie*);
    for (const auto& part : snapshot->Parts) bytes += sizeof(part) + part.second.capacity();
  }
  return bytes;
}

void TPropertiesStep::Restore(const TSnapshot& snapshot) {
  Reorder(Control().Graph(), snapshot.Order);
  for (const auto& [element, fragment] : snapshot.Parts) LoadFragment(*element, fragment);
}

TBackgroundColorStep::TBackgroundColorStep(TGraphControl& control, const QAction& origin, uint32_t before,
                                           uint32_t after)
    : TDiagramStep(control, origin), m_before(before), m_after(after) {}

void TBackgroundColorStep::Undo() { Control().SetColor(m_before); }

void TBackgroundColorStep::Redo() { Control().SetColor(m_after); }

TTurnStep::TTurnStep(TGraphControl& control, const QAction& origin, TTurn turn)
    : TDiagramStep(control, origin), m_turn(turn) {}

void TTurnStep::Apply(TGraphControl& control, TTurn turn) {
  switch (turn) {
    case TTurn::Mirror:
      control.Graph().Mirror();
      break;
    case TTurn::RotateRight:
      control.Graph().Rotate(true);
      break;
    case TTurn::RotateLeft:
      control.Graph().Rotate(false);
      break;
  }
}

void TTurnStep::Undo() {
  // A mirror is its own inverse; the rotations are each other's.
  switch (m_turn) {
    case TTurn::Mirror:
      return Apply(Control(), TTurn::Mirror);
    case TTurn::RotateRight:
      return Apply(Control(), TTurn::RotateLeft);
    case TTurn::RotateLeft:
      return Apply(Control(), TTurn::RotateRight);
  }
}

void TTurnStep::Redo() { Apply(Control(), m_turn); }

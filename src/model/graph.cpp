#include "model/graph.h"

#include <cmath>
#include <cstring>

#include "geometry/device_conversions.h"
#include "model/annotation_drawing.h"
#include "model/graph_axe.h"
#include "model/graph_serie.h"
#include "model/serie_factory.h"
#include "model/serie_label.h"
#include "model/ternary_lists.h"
#include "model/value_encoding.h"
#include "model/xml_document.h"

namespace {

// Titles of the axes by position: with A at the bottom-left vertex, each side
// carries the title of the vertex it starts from, going counter-clockwise.
const char* const kDefaultAxeLabels[3] = {"C", "B", "A"};

// FitToRect repeats because the axes' labels have fixed pixel sizes; the
// loop converges in a few passes, and the bound keeps a diagram whose bounds
// never settle from hanging the program.
constexpr int kMaxFitPasses = 100;

TAxePosition NextPosition(int position, bool clockwise) {
  return TAxePosition(clockwise ? (position + 1) % 3 : (position + 2) % 3);
}

}  // namespace

TGraph::TGraph() {
  for (int p = 0; p < 3; ++p) {
    auto axe = std::make_unique<TGraphAxe>();
    axe->SetPosition(TAxePosition(p));
    axe->TextLabel().SetText(QString::fromLatin1(kDefaultAxeLabels[p]));
    axe->OnChange = [this](TGraphElement*) { ElementChanged(); };
    m_axes[size_t(p)] = std::move(axe);
  }
  m_projection = std::make_unique<TProjection>();
  m_projection->OnChange = [this](TProjection*) { ElementChanged(); };
  m_annotations = std::make_unique<TAnnotationList>();
  m_annotations->OnChange = [this](TGraphElement*) { ElementChanged(); };
}

// The series go without notifications: an owner being torn down must not be
// called back from here.
TGraph::~TGraph() {
  m_projection->OnChange = nullptr;
  m_annotations->OnChange = nullptr;
  m_series.clear();
}

void TGraph::ElementChanged() {
  BeginUpdate();
  EndUpdate(false);
}

void TGraph::DoSeriesChange() {
  if (OnSeriesChange) OnSeriesChange(this);
}

int TGraph::AddSerie(std::unique_ptr<TGraphSerie> serie) {
  TUpdateScope scope(*this);
  serie->OnChange = [this](TGraphElement*) { ElementChanged(); };
  m_series.push_back(std::move(serie));
  DoSeriesChange();
  return int(m_series.size()) - 1;
}

void TGraph::InsertSerie(int index, std::unique_ptr<TGraphSerie> serie) {
  if (index < 0 || index > SeriesCount()) throw TListError("List index out of bounds (" + std::to_string(index) + ")");
  TUpdateScope scope(*this);
  serie->OnChange = [this](TGraphElement*) { ElementChanged(); };
  m_series.insert(m_series.begin() + index, std::move(serie));
  DoSeriesChange();
}

TGraphSerie& TGraph::GetSerie(int index) const {
  if (index < 0 || index >= SeriesCount()) throw TListError("List index out of bounds (" + std::to_string(index) + ")");
  return *m_series[size_t(index)];
}

void TGraph::DeleteSerie(int index) {
  TUpdateScope scope(*this);
  GetSerie(index);  // checks the index before anything is freed
  m_series.erase(m_series.begin() + index);
  DoSeriesChange();
}

std::unique_ptr<TGraphSerie> TGraph::RemoveSerie(int index) {
  TUpdateScope scope(*this);
  GetSerie(index);
  std::unique_ptr<TGraphSerie> serie = std::move(m_series[size_t(index)]);
  serie->OnChange = nullptr;  // no longer ours to hear about
  m_series.erase(m_series.begin() + index);
  DoSeriesChange();
  return serie;
}

void TGraph::ClearSeries() {
  TUpdateScope scope(*this);
  for (auto& serie : m_series) serie.reset();
  m_series.clear();
  DoSeriesChange();
}

std::vector<model::TProgress> TGraph::SeriesShares(const model::TProgress& progress) const {
  // Each series takes the share of the time its items take; one more item
  // each stands for its fixed cost.
  double total = 0;
  for (const auto& serie : m_series) total += 1.0 + serie->ItemCount();
  std::vector<model::TProgress> shares;
  double done = 0;
  for (const auto& serie : m_series) {
    const double share = 1.0 + serie->ItemCount();
    shares.push_back(progress.Part(done / total, (done + share) / total));
    done += share;
  }
  return shares;
}

void TGraph::GetSeriesText(QString& text, const model::TProgress& progress) const {
  const std::vector<model::TProgress> shares = SeriesShares(progress);
  for (int i = 0; i < SeriesCount(); ++i) {
    QString serieText;
    m_series[size_t(i)]->GetText(serieText, shares[size_t(i)]);
    shares[size_t(i)].Report(1);
    if (i == 0)
      text = serieText;
    else
      text += QStringLiteral("\r\n\r\n") + serieText;
  }
}

void TGraph::Draw(TGraphics& g, const TProjection& projection) { Draw(g, projection, model::TProgress()); }

void TGraph::Draw(TGraphics& g, const TProjection& projection, const model::TProgress& progress) {
  for (auto& axe : m_axes) axe->Draw(g, projection);
  const std::vector<model::TProgress> shares = SeriesShares(progress);
  for (size_t i = 0; i < m_series.size(); ++i) {
    m_series[i]->DrawWithProgress(g, projection, shares[i]);
    shares[i].Report(1);
  }
  // Texts go above every series, so that no field covers another's name.
  for (auto& serie : m_series) model::DrawSerieName(g, projection, *serie);
  model::DrawAnnotations(g, projection, *m_annotations);
}

TDoubleRect TGraph::GetBounds(TGraphics& g, const TProjection& projection) {
  TDoubleRect bounds = m_axes[0]->GetBounds(g, projection);
  for (size_t p = 1; p < 3; ++p) bounds = geometry::UnionDoubleRect(bounds, m_axes[p]->GetBounds(g, projection));
  return bounds;
}

QRectF TGraph::GetWorldBounds(TGraphics& g, const TProjection& projection) {
  QRectF bounds = m_axes[0]->GetWorldBounds(g, projection);
  for (size_t p = 1; p < 3; ++p) bounds = geometry::UnionRectF(bounds, m_axes[p]->GetWorldBounds(g, projection));
  return bounds;
}

QRect TGraph::GetPixelRect(TGraphics& g, const TProjection& projection) {
  QRect bounds = m_axes[0]->GetPixelRect(g, projection);
  for (size_t p = 1; p < 3; ++p) bounds = geometry::UnionRect(bounds, m_axes[p]->GetPixelRect(g, projection));
  for (auto& serie : m_series) bounds = geometry::UnionRect(bounds, serie->GetPixelRect(g, projection));
  return bounds;
}

QRectF TGraph::GetPixelBounds(TGraphics& g, const TProjection& projection) {
  QRectF bounds = m_axes[0]->GetPixelBounds(g, projection);
  for (size_t p = 1; p < 3; ++p) bounds = geometry::UnionRectF(bounds, m_axes[p]->GetPixelBounds(g, projection));
  for (auto& serie : m_series) bounds = geometry::UnionRectF(bounds, serie->GetPixelBounds(g, projection));
  return bounds;
}

void TGraph::FitToRect(TGraphics& g, const QRectF& r) {
  if (!(r.width() > 0) || !(r.height() > 0)) return;
  const double targetRatio = r.width() / r.height();
  TUpdateScope scope(*this);
  TProjection& projection = *m_projection;
  projection.SetOrigin({0.0, 0.0});
  projection.SetZoom(r.width() > r.height() ? r.height() : r.width());
  double lastZoom = 0.0;
  for (int pass = 0; pass < kMaxFitPasses && std::abs(projection.Zoom() - lastZoom) > 1.0; ++pass) {
    projection.SetOrigin({0.0, 0.0});
    const TDoubleRect b = GetBounds(g, projection);
    const double w = b.Right - b.Left;
    const double h = b.Top - b.Bottom;
    if (!(w > 0) || !(h > 0) || !std::isfinite(w) || !std::isfinite(h)) break;
    lastZoom = projection.Zoom();
    if (w / h > targetRatio)
      projection.SetZoom(1.0 / w * r.width());
    else
      projection.SetZoom(1.0 / h * r.height());
    const QRectF d = geometry::PlaneRectToDeviceRectF(g, projection, b);
    const double dx = (r.x() - d.x()) + (r.width() - d.width()) / 2;
    const double dy = (d.y() - r.y()) - (r.height() - d.height()) / 2;
    projection.SetOrigin(geometry::DeviceVectorToPlane(g, projection, QPointF(dx, dy)));
    m_fitZoom = projection.Zoom();
  }
}

void TGraph::ZoomAt(TGraphics& g, const QPointF& device, double factor) {
  double zoom = m_projection->Zoom() * factor;
  if (!(zoom <= kMaxZoom)) zoom = kMaxZoom;  // also NaN
  if (zoom < m_fitZoom) zoom = m_fitZoom;
  TUpdateScope scope(*this);
  const TDoublePoint before = geometry::DeviceToPlane(g, *m_projection, device);
  m_projection->SetZoom(zoom);
  const TDoublePoint after = geometry::DeviceToPlane(g, *m_projection, device);
  m_projection->SetOrigin(
      geometry::AddDoublePoints(m_projection->Origin(), {after.X - before.X, -(after.Y - before.Y)}));
}

void TGraph::Rotate(bool clockwise) {
  TUpdateScope scope(*this);
  std::array<std::unique_ptr<TGraphAxe>, 3> moved;
  for (auto& axe : m_axes) {
    const TAxePosition next = NextPosition(axe->Position(), clockwise);
    axe->SetPosition(next);
    moved[size_t(next)] = std::move(axe);
  }
  m_axes = std::move(moved);
  m_projection->Rotate(clockwise);
}

void TGraph::Mirror() {
  TUpdateScope scope(*this);
  std::swap(m_axes[0], m_axes[1]);
  m_axes[0]->SetPosition(apLeft);
  m_axes[1]->SetPosition(apRight);
  m_projection->Mirror();
}

bool TGraph::FindSerieAt(TGraphics& g, int x, int y, TSerieHit& hit) {
  const TTernaryPoint point = geometry::DeviceToTernary(g, *m_projection, QPointF(x, y));
  for (int i = SeriesCount() - 1; i >= 0; --i) {
    TGraphSerie& serie = *m_series[size_t(i)];
    const float half = float(serie.PointStyle().Size()) / 2.0f;
    const TDoublePoint tolerance = geometry::DeviceVectorToPlane(g, *m_projection, QPointF(half, half));
    TTernaryPoint found;
    const int index = serie.HitTest(point, found, tolerance.X);
    if (index != -1) {
      hit = {&serie, index, found};
      return true;
    }
  }
  hit.Index = -1;
  return false;
}

void TGraph::PointAt(TGraphics& g, int x, int y, TGraphPointInfo& info) {
  TSerieHit hit;
  if (FindSerieAt(g, x, y, hit)) {
    info = {hit.Item, 2};
  } else {
    info = {geometry::DeviceToTernary(g, *m_projection, QPointF(x, y)), 1};
  }
}

void TGraph::SaveToXML(pugi::xml_node node) const { SaveToXML(node, nullptr); }

void TGraph::SaveToXML(pugi::xml_node node, model::TStreamedChildren* streamed) const {
  pugi::xml_node axes = model::AppendElement(node, "Axes");
  for (int p = 0; p < 3; ++p) {
    pugi::xml_node axe = model::AppendElement(axes, "Axe");
    axe.append_attribute("Position").set_value(std::to_string(p).c_str());
    m_axes[size_t(p)]->SaveToXML(axe);
  }
  pugi::xml_node series = model::AppendElement(node, "Series");
  for (const auto& serie : m_series) {
    pugi::xml_node element = model::AppendElement(series, "Serie");
    element.append_attribute("Type").set_value(serie->ClassName());
    serie->SaveWithItems(element, streamed);
  }
  // Only a graph with free texts writes the element: older documents save unchanged.
  if (m_annotations->Count() > 0) m_annotations->SaveToXML(model::AppendElement(node, "Annotations"));
}

void TGraph::LoadFromXML(pugi::xml_node node) { LoadFromXML(node, nullptr); }

void TGraph::LoadFromXML(pugi::xml_node node, model::TPrereadEntries* preread) {
  TUpdateScope scope(*this);
  ClearSeries();
  if (const pugi::xml_node axes = model::FirstChildElement(node, "Axes")) LoadAxes(axes);
  if (const pugi::xml_node series = model::FirstChildElement(node, "Series")) LoadSeries(series, preread);
  m_annotations->Clear();
  if (const pugi::xml_node annotations = model::FirstChildElement(node, "Annotations"))
    m_annotations->LoadFromXML(annotations);
}

void TGraph::LoadAxes(pugi::xml_node axes) {
  for (pugi::xml_node axe = axes.first_child(); axe; axe = axe.next_sibling()) {
    if (axe.type() != pugi::node_element || std::strcmp(axe.name(), "Axe") != 0) continue;
    const auto position = model::ParseInteger(axe.attribute("Position").value());
    if (!position || *position < 0 || *position > 2) continue;
    try {
      m_axes[size_t(*position)]->LoadFromXML(axe);
    } catch (const std::exception&) {
      // A bad entry is skipped; the other axes still load.
    }
  }
  RestoreAxePositions();
}

// A document may give an axis, its ticks and its grid lines positions that
// disagree with the slot they were read into; left so, ticks would draw on
// the wrong side and a rotation could put two axes in one slot.
void TGraph::RestoreAxePositions() {
  for (int p = 0; p < 3; ++p) {
    TGraphAxe& axe = *m_axes[size_t(p)];
    if (axe.Position() != p) axe.SetPosition(TAxePosition(p));
    axe.Ticks().SetPosition(TAxePosition(p));
    axe.GridLines().SetPosition(TAxePosition(p));
  }
}

void TGraph::LoadSeries(pugi::xml_node series, model::TPrereadEntries* preread) {
  for (pugi::xml_node element = series.first_child(); element; element = element.next_sibling()) {
    if (element.type() != pugi::node_element || std::strcmp(element.name(), "Serie") != 0) continue;
    try {
      std::unique_ptr<TGraphSerie> serie = model::CreateSerie(element.attribute("Type").value());
      if (!serie) continue;
      serie->LoadWithItems(element, preread);
      AddSerie(std::move(serie));
    } catch (const std::exception&) {
      // A series that cannot be created or read is left out.
    }
  }
}

void TGraph::SetDefaults() {
  TUpdateScope scope(*this);
  for (int p = 0; p < 3; ++p) {
    TGraphAxe& axe = *m_axes[size_t(p)];
    axe.SetDefaults();
    axe.SetPosition(TAxePosition(p));
    axe.TextLabel().SetText(QString::fromLatin1(kDefaultAxeLabels[p]));
  }
  m_projection->Reset();
  ClearSeries();
  m_annotations->Clear();
}

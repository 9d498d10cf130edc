#include "model/grid_lines.h"

#include "model/axe_geometry.h"

TGridLines::TGridLines() { SetDefaults(); }

std::vector<TTernaryCouple> TGridLines::Lines() const {
  const model::TAxeSide& side = model::AxeSide(Position());
  const double step = Step();
  const TTernaryPoint sideStep = model::ScaleTernaryPoint(side.SideStep, step);
  const TTernaryPoint secondStep = model::ScaleTernaryPoint(side.SecondStep, step);
  const int32_t count = DrawnCount() - 2;
  std::vector<TTernaryCouple> lines;
  if (count <= 0) return lines;
  lines.reserve(size_t(count));
  TTernaryPoint p = geometry::AddTernaryPoints(side.Start, sideStep);
  TTernaryPoint q = geometry::AddTernaryPoints(side.Start, secondStep);
  for (int32_t i = 0; i < count; ++i) {
    lines.push_back({p, q});
    p = geometry::AddTernaryPoints(p, sideStep);
    q = geometry::AddTernaryPoints(q, secondStep);
  }
  return lines;
}

void TGridLines::Draw(TGraphics& g, const TProjection& projection) {
  if (!Visible()) return;
  const QPen pen = Style().CreatePen();
  for (const TTernaryCouple& line : Lines())
    g.DrawLine(pen, projection.TernaryToWorld(line.P1, false), projection.TernaryToWorld(line.P2, false));
}

TDoubleRect TGridLines::GetBounds(TGraphics&, const TProjection& projection) {
  const TDoublePoint start = projection.TernaryToPlane(model::AxeSide(Position()).Start, false);
  TDoubleRect bounds{start.X, start.Y, start.X, start.Y};
  bool first = true;
  for (const TTernaryCouple& line : Lines()) {
    const TDoublePoint p = projection.TernaryToPlane(line.P1, false);
    const TDoublePoint q = projection.TernaryToPlane(line.P2, false);
    const TDoubleRect span = model::PlaneSpan({p, q});
    bounds = first ? span : geometry::UnionDoubleRect(bounds, span);
    first = false;
  }
  return bounds;
}

void TGridLines::SetDefaults() {
  TUpdateScope scope(*this);
  TAxeElement::SetDefaults();
  Style().SetColor(0xFF808080);
}

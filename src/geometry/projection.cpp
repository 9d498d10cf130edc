#include "geometry/projection.h"

namespace {

struct UpdateScope {
  explicit UpdateScope(TProjection& p) : projection(p) { projection.BeginUpdate(); }
  ~UpdateScope() { projection.EndUpdate(); }
  TProjection& projection;
};

// Shared by the conversions of one point and of many, so that both round
// alike.
inline void EquilateralToPlane(double t1, double t2, TDoublePoint& p) {
  p.X = t1 + 0.5 * t2;
  p.Y = t2 * TProjection::kHeightFactor;
}

inline void RightAngledToPlane(double t1, double t2, TDoublePoint& p) {
  p.X = t1;
  p.Y = t2;
}

inline void ShiftedPlaneToWorld(const TDoublePoint& p, TDoublePoint origin, double zoom, QPointF& w) {
  w = geometry::MakePointF((p.X + origin.X) * zoom, (1.0 - p.Y + origin.Y) * zoom);
}

double TTernaryPoint::*ComponentOf(int index) {
  return index == 0 ? &TTernaryPoint::A : (index == 1 ? &TTernaryPoint::B : &TTernaryPoint::C);
}

}  // namespace

TProjection::TProjection() { Reset(); }

void TProjection::TernaryToPlane(const TTernaryPoint& t, bool applyOrder, TDoublePoint& p) const {
  const double t1 = t[applyOrder ? m_axisOrder[1] : 1];
  const double t2 = t[applyOrder ? m_axisOrder[2] : 2];
  if (m_mode == kEquilateral)
    EquilateralToPlane(t1, t2, p);
  else if (m_mode == kRightAngled)
    RightAngledToPlane(t1, t2, p);
}

void TProjection::PlaneToWorld(const TDoublePoint& p, QPointF& w) const { ShiftedPlaneToWorld(p, m_origin, m_zoom, w); }

void TProjection::PlaneToWorldUnshifted(const TDoublePoint& p, QPointF& w) const {
  w = geometry::MakePointF(p.X * m_zoom, (1.0 - p.Y) * m_zoom);
}

void TProjection::TernaryToWorld(const TTernaryPoint& t, bool applyOrder, QPointF& w) const {
  TDoublePoint p;
  TernaryToPlane(t, applyOrder, p);
  PlaneToWorld(p, w);
}

void TProjection::TernaryToWorld(const TTernaryPoint* t, size_t count, size_t step, bool applyOrder, QPointF* w) const {
  // A million points per repaint: the order and the mode are looked up once.
  double TTernaryPoint::*const first = ComponentOf(applyOrder ? m_axisOrder[1] : 1);
  double TTernaryPoint::*const second = ComponentOf(applyOrder ? m_axisOrder[2] : 2);
  auto convert = [&](auto toPlane) {
    for (size_t i = 0; i < count; ++i) {
      const TTernaryPoint& point = t[i * step];
      TDoublePoint p;
      toPlane(point.*first, point.*second, p);
      ShiftedPlaneToWorld(p, m_origin, m_zoom, w[i]);
    }
  };
  if (m_mode == kEquilateral)
    convert(EquilateralToPlane);
  else if (m_mode == kRightAngled)
    convert(RightAngledToPlane);
  else
    convert([](double, double, TDoublePoint&) {});
}

void TProjection::WorldToPlane(const QPointF& w, TDoublePoint& p) const {
  p.X = w.x() / m_zoom - m_origin.X;
  p.Y = 1.0 - (w.y() / m_zoom - m_origin.Y);
}

void TProjection::WorldToPlaneVector(const QPointF& w, TDoublePoint& p) const {
  p.X = w.x() / m_zoom;
  p.Y = -(w.y() / m_zoom);
}

void TProjection::PlaneToTernary(const TDoublePoint& p, bool applyOrder, TTernaryPoint& t) const {
  const int o0 = applyOrder ? m_axisOrder[0] : 0;
  const int o1 = applyOrder ? m_axisOrder[1] : 1;
  const int o2 = applyOrder ? m_axisOrder[2] : 2;
  if (m_mode == kEquilateral) {
    t[o1] = p.X - p.Y / kSqrt3;
    t[o2] = p.Y * kTwoOverSqrt3;
    t[o0] = 1.0 - (t[o1] + t[o2]);
  } else if (m_mode == kRightAngled) {
    t[o2] = p.Y;
    t[o1] = p.X;
    t[o0] = 1.0 - (p.X + p.Y);
  }
}

void TProjection::WorldToTernary(const QPointF& w, bool applyOrder, TTernaryPoint& t) const {
  TDoublePoint p;
  WorldToPlane(w, p);
  PlaneToTernary(p, applyOrder, t);
}

void TProjection::WorldVectorToTernary(const QPointF& w, bool applyOrder, TTernaryPoint& t) const {
  TDoublePoint p;
  WorldToPlaneVector(w, p);
  PlaneToTernary(p, applyOrder, t);
}

void TProjection::Reset() {
  UpdateScope scope(*this);
  m_zoom = 1.0;
  m_axisOrder = {0, 1, 2};
  m_origin = {0.0, 0.0};
  m_mode = kEquilateral;
}

TDoublePoint TProjection::TernaryToPlane(const TTernaryPoint& t, bool applyOrder) const {
  TDoublePoint p;
  TernaryToPlane(t, applyOrder, p);
  return p;
}

QPointF TProjection::PlaneToWorld(const TDoublePoint& p) const {
  QPointF w;
  PlaneToWorld(p, w);
  return w;
}

QPointF TProjection::TernaryToWorld(const TTernaryPoint& t, bool applyOrder) const {
  QPointF w;
  TernaryToWorld(t, applyOrder, w);
  return w;
}

TDoublePoint TProjection::WorldToPlane(const QPointF& w) const {
  TDoublePoint p;
  WorldToPlane(w, p);
  return p;
}

TDoublePoint TProjection::WorldToPlaneVector(const QPointF& w) const {
  TDoublePoint p;
  WorldToPlaneVector(w, p);
  return p;
}

TTernaryPoint TProjection::PlaneToTernary(const TDoublePoint& p, bool applyOrder) const {
  TTernaryPoint t;
  PlaneToTernary(p, applyOrder, t);
  return t;
}

TTernaryPoint TProjection::WorldToTernary(const QPointF& w, bool applyOrder) const {
  TTernaryPoint t;
  WorldToTernary(w, applyOrder, t);
  return t;
}

void TProjection::EndUpdate() {
  if (m_updateCount <= 0) return;
  if (--m_updateCount == 0) Changed();
}

void TProjection::Changed() {
  if (OnChange) OnChange(this);
}

void TProjection::Rotate(bool clockwise) {
  UpdateScope scope(*this);
  for (auto& index : m_axisOrder) index = clockwise ? (index + 1) % 3 : (index + 2) % 3;
}

void TProjection::Mirror() {
  UpdateScope scope(*this);
  std::swap(m_axisOrder[1], m_axisOrder[2]);
}

void TProjection::SetMode(uint8_t mode) {
  if (mode == m_mode) return;
  UpdateScope scope(*this);
  m_mode = mode;
}

void TProjection::SetOrigin(TDoublePoint origin) {
  if (origin.X == m_origin.X && origin.Y == m_origin.Y) return;
  UpdateScope scope(*this);
  m_origin = origin;
}

void TProjection::SetZoom(double zoom) {
  if (zoom == m_zoom) return;
  if (!(zoom > 0.0)) throw TInvalidZoomError();
  UpdateScope scope(*this);
  m_zoom = zoom;
}

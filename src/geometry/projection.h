#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>

#include "geometry/ternary_types.h"

// Raised by TProjection::SetZoom for a zoom that is not positive.
class TInvalidZoomError : public std::runtime_error {
 public:
  TInvalidZoomError() : std::runtime_error("Invalid zoom factor value (<= 0)") {}
};

// Converts between ternary coordinates, the plane (triangle of side 1, Y up)
// and world coordinates (Y down), and holds one diagram's view state: zoom
// (world units per plane unit), origin (pan, in plane units), triangle mode and
// the axis order that rotation and mirroring change.
class TProjection {
 public:
  enum : uint8_t { kEquilateral = 0, kRightAngled = 1 };

  // The forward height factor is this 11-digit decimal, not sqrt(3)/2; the way
  // back uses full-precision constants, so a round trip is exact only to ~5e-12.
  static constexpr double kHeightFactor = 0.86602540378;
  static constexpr double kSqrt3 = 1.7320508075688772935;
  static constexpr double kTwoOverSqrt3 = 1.1547005383792515290;

  TProjection();
  virtual ~TProjection() = default;

  // ApplyOrder true places the components by AxisOrder; false uses the fixed
  // order (A bottom-left, B bottom-right, C top) whatever the rotation.
  virtual void TernaryToPlane(const TTernaryPoint& t, bool applyOrder, TDoublePoint& p) const;
  virtual void PlaneToWorld(const TDoublePoint& p, QPointF& w) const;
  virtual void PlaneToWorldUnshifted(const TDoublePoint& p, QPointF& w) const;
  virtual void TernaryToWorld(const TTernaryPoint& t, bool applyOrder, QPointF& w) const;
  // TernaryToWorld of t[0], t[step], ... t[(count - 1) * step] into w[0 .. count).
  virtual void TernaryToWorld(const TTernaryPoint* t, size_t count, size_t step, bool applyOrder, QPointF* w) const;
  virtual void WorldToPlane(const QPointF& w, TDoublePoint& p) const;
  // Converts a displacement: ignores the origin and flips the sign of Y.
  virtual void WorldToPlaneVector(const QPointF& w, TDoublePoint& p) const;
  virtual void PlaneToTernary(const TDoublePoint& p, bool applyOrder, TTernaryPoint& t) const;
  virtual void WorldToTernary(const QPointF& w, bool applyOrder, TTernaryPoint& t) const;
  virtual void WorldVectorToTernary(const QPointF& w, bool applyOrder, TTernaryPoint& t) const;
  virtual void Reset();

  // Value-returning forms of the conversions above, for callers' convenience.
  TDoublePoint TernaryToPlane(const TTernaryPoint& t, bool applyOrder) const;
  QPointF PlaneToWorld(const TDoublePoint& p) const;
  QPointF TernaryToWorld(const TTernaryPoint& t, bool applyOrder) const;
  TDoublePoint WorldToPlane(const QPointF& w) const;
  TDoublePoint WorldToPlaneVector(const QPointF& w) const;
  TTernaryPoint PlaneToTernary(const TDoublePoint& p, bool applyOrder) const;
  TTernaryPoint WorldToTernary(const QPointF& w, bool applyOrder) const;

  void BeginUpdate() { ++m_updateCount; }
  void EndUpdate();
  void Changed();

  int AxisIndex(int slot) const { return m_axisOrder[slot]; }
  const std::array<int32_t, 3>& AxisOrder() const { return m_axisOrder; }
  void Rotate(bool clockwise);
  void Mirror();

  uint8_t Mode() const { return m_mode; }
  void SetMode(uint8_t mode);
  TDoublePoint Origin() const { return m_origin; }
  void SetOrigin(TDoublePoint origin);
  double Zoom() const { return m_zoom; }
  void SetZoom(double zoom);

  std::function<void(TProjection*)> OnChange;

 private:
  int32_t m_updateCount = 0;
  std::array<int32_t, 3> m_axisOrder{0, 1, 2};
  TDoublePoint m_origin;
  double m_zoom = 1.0;
  uint8_t m_mode = kEquilateral;
};

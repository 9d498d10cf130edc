#include "geometry/ternary_types.h"

#include <algorithm>

namespace geometry {

namespace {

template <typename T>
struct Span {
  T low;
  T high;
};

template <typename T>
Span<T> SpanOf(T start, T extent) {
  return {std::min(start, start + extent), std::max(start, start + extent)};
}

template <typename T>
Span<T> Cover(Span<T> a, Span<T> b) {
  return {std::min(a.low, b.low), std::max(a.high, b.high)};
}

}  // namespace

QRectF UnionRectF(const QRectF& r, const QRectF& s) {
  const auto x = Cover(SpanOf(r.x(), r.width()), SpanOf(s.x(), s.width()));
  const auto y = Cover(SpanOf(r.y(), r.height()), SpanOf(s.y(), s.height()));
  return QRectF(x.low, y.low, x.high - x.low, y.high - y.low);
}

QRect UnionRect(const QRect& r, const QRect& s) {
  const auto x = Cover(SpanOf(r.x(), r.width()), SpanOf(s.x(), s.width()));
  const auto y = Cover(SpanOf(r.y(), r.height()), SpanOf(s.y(), s.height()));
  return QRect(x.low, y.low, x.high - x.low, y.high - y.low);
}

TDoubleRect UnionDoubleRect(const TDoubleRect& r, const TDoubleRect& s) {
  return {std::min({r.Left, r.Right, s.Left, s.Right}), std::max({r.Top, r.Bottom, s.Top, s.Bottom}),
          std::max({r.Left, r.Right, s.Left, s.Right}), std::min({r.Top, r.Bottom, s.Top, s.Bottom})};
}

TDoubleRect InflateDoubleRect(const TDoubleRect& r, double dx, double dy) {
  return {r.Left - dx, r.Top + dy, r.Right + dx, r.Bottom - dy};
}

}  // namespace geometry

#include "geometry/raster_fast_paths.h"

#include "geometry/convex_hull.h"

#include <QPaintEngine>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>
#include <new>
#include <thread>
#include <utility>
#include <vector>

namespace geometry {

namespace {

// Coordinates beyond this are far off any image: skipped rather than
// overflowing integer conversions.
constexpr double kFarAway = 1e8;

bool IsNear(double x, double y) { return std::abs(x) < kFarAway && std::abs(y) < kFarAway; }

// Source-over of a non-premultiplied ARGB colour on an opaque or
// premultiplied pixel.
uint32_t Blend(uint32_t colour, uint32_t destination) {
  const uint32_t alpha = colour >> 24;
  if (alpha == 0xFF) return colour;
  const uint32_t inverse = 255 - alpha;
  auto channel = [&](int shift) {
    const uint32_t s = (colour >> shift) & 0xFF, d = (destination >> shift) & 0xFF;
    return ((s * alpha + d * inverse + 127) / 255) << shift;
  };
  const uint32_t a = alpha + (((destination >> 24) * inverse + 127) / 255);
  return (a << 24) | channel(16) | channel(8) | channel(0);
}

// Source-over of a premultiplied pixel, two channels at a time.
uint32_t BlendPremultiplied(uint32_t source, uint32_t destination) {
  const uint32_t inverse = 255 - (source >> 24);
  uint32_t rb = (destination & 0x00FF00FF) * inverse;
  uint32_t ag = ((destination >> 8) & 0x00FF00FF) * inverse;
  rb = ((rb + ((rb >> 8) & 0x00FF00FF) + 0x00800080) >> 8) & 0x00FF00FF;
  ag = (ag + ((ag >> 8) & 0x00FF00FF) + 0x00800080) & 0xFF00FF00;
  return source + (rb | ag);
}

// Moves the ends of a segment onto the rectangle [left, right] x [top,
// bottom] (Cohen-Sutherland); false when the segment misses it. A moved end
// is computed from the other end, so that an end lying very far away does
// not cost the precision of the part that is seen.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double left, double top, double right, double bottom) {
  enum : int { kLeft = 1, kRight = 2, kTop = 4, kBottom = 8 };
  auto code = [&](double x, double y) {
    return (x < left ? kLeft : x > right ? kRight : 0) | (y < top ? kTop : y > bottom ? kBottom : 0);
  };
  for (int pass = 0; pass < 4; ++pass) {
    const int c0 = code(x0, y0), c1 = code(x1, y1);
    if ((c0 | c1) == 0) return true;
    if (c0 & c1) return false;
    // The end outside is moved along the line from the other end.
    const bool first = c0 != 0;
    double& x = first ? x0 : x1;
    double& y = first ? y0 : y1;
    const double bx = first ? x1 : x0, by = first ? y1 : y0;
    const int c = first ? c0 : c1;
    if (c & (kLeft | kRight)) {
      const double edge = c & kLeft ? left : right;
      y = by + (edge - bx) / (x - bx) * (y - by);
      x = edge;
    } else {
      const double edge = c & kTop ? top : bottom;
      x = bx + (edge - by) / (y - by) * (x - bx);
      y = edge;
    }
  }
  return code(x0, y0) == 0 && code(x1, y1) == 0;
}

constexpr double kFixedOne = 4294967296.0;  // 32.32 fixed point across the major axis

// std::floor and std::ceil are library calls without SSE4.1; these are exact
// in the range of the integer type.
template <class TInteger>
TInteger FastFloor(double v) {
  const auto truncated = TInteger(v);
  return truncated - TInteger(v < double(truncated));
}

int FastCeil(double v) { return -FastFloor<int>(-v); }

// The pixels of one segment as QPainter's thin lines cover them: along the
// major axis, the pixels whose centres lie in [start, end); across it, the
// pixel holding the line at that centre. Pixel i of the walk, for i in
// [first, last], lies across the axis at (across + (i - first) * step) >> 32,
// and is drawn only when that is within [acrossLow, acrossHigh].
struct TSegmentWalk {
  bool xMajor = true;
  int first = 0;
  int last = -1;
  int64_t across = 0;
  int64_t step = 0;
  int acrossLow = 0;
  int acrossHigh = -1;
  size_t majorStep = 1;  // in pixels
  size_t minorStep = 1;
};

// The ends lie within a few pixels of the target's bounds (see ClipSegment);
// false when no pixel centre lies along the segment.
bool SegmentWalkOf(const TRasterTarget& target, double x0, double y0, double x1, double y1, TSegmentWalk& walk) {
  const QRect& b = target.bounds;
  const bool xMajor = std::abs(x1 - x0) >= std::abs(y1 - y0);
  const double from = xMajor ? x0 : y0, to = xMajor ? x1 : y1;
  const double across0 = xMajor ? y0 : x0, across1 = xMajor ? y1 : x1;
  if (from == to) return false;
  const double slope = (across1 - across0) / (to - from);
  const int low = xMajor ? b.left() : b.top(), high = xMajor ? b.right() : b.bottom();
  // First and last pixel whose centre i + 0.5 lies in the half-open span.
  int first, last;
  if (to > from) {
    first = FastCeil(from - 0.5);
    last = FastCeil(to - 0.5) - 1;
  } else {
    first = FastFloor<int>(to - 0.5) + 1;
    last = FastFloor<int>(from - 0.5);
  }
  first = std::max(first, low);
  last = std::min(last, high);
  if (first > last) return false;
  walk.xMajor = xMajor;
  walk.first = first;
  walk.last = last;
  walk.acrossLow = xMajor ? b.top() : b.left();
  walk.acrossHigh = xMajor ? b.bottom() : b.right();
  walk.majorStep = xMajor ? 1 : size_t(target.stride);
  walk.minorStep = xMajor ? size_t(target.stride) : 1;
  // Fixed point keeps the loop free of a floating-point dependency chain.
  walk.across = FastFloor<int64_t>((across0 + (first + 0.5 - from) * slope) * kFixedOne);
  walk.step = int64_t(slope * kFixedOne + (slope < 0 ? -0.5 : 0.5));
  return true;
}

// Calls plot(offset) with the offset in pixels of every pixel of a walk.
template <class TPlot>
void WalkSegment(const TSegmentWalk& walk, TPlot plot) {
  const auto span = unsigned(walk.acrossHigh - walk.acrossLow);
  int64_t across = walk.across;
  for (int i = walk.first; i <= walk.last; ++i, across += walk.step) {
    const int j = int(across >> 32);
    if (unsigned(j - walk.acrossLow) > span) continue;
    plot(size_t(i) * walk.majorStep + size_t(j) * walk.minorStep);
  }
}

// A convex polygon whose surroundings, to kMargin pixels, lie in complete
// tiles. A segment with both ends inside lies inside too, and so do the
// pixels its walk chooses, each within a pixel of the line: it has nothing
// left to draw. Dense data fills a convex area, which this finds in one
// test per point where a walk would take several steps per segment. Beyond
// the grid nothing is drawn: the core may reach kBeyond pixels past it, as
// far as segments are cut, so that segments across a complete view pass.
class TCompleteCore {
 public:
  static constexpr int kMaxEdges = 16;
  static constexpr double kMargin = 2.0;
  static constexpr int kBeyond = 8;

  // Whether (x, y) lies inside, in pixels from the grid's top left corner;
  // false for NaN.
  bool Contains(double x, double y) const {
    const double row = y + kBeyond;
    if (!(row >= 0 && row < double(m_rowLeft.size()))) return false;
    return x >= m_rowLeft[size_t(row)] && x <= m_rowRight[size_t(row)];
  }

  // The hull of the centres of tiles surrounded by complete ones, kept if it
  // passes the check, else that of tiles deeper inside. `reach(column, row)`
  // and `complete(column, row)` describe the grid of `columns` x `rows` tiles
  // of `tile` pixels.
  template <class TReach, class TComplete>
  void Rebuild(int columns, int rows, int tile, TReach reach, TComplete complete) {
    m_rowLeft.clear();
    m_rowRight.clear();
    // Drawing goes on without a core when memory is short; it may run on a
    // thread of its own, where nothing may throw.
    try {
      Build(columns, rows, tile, reach, complete);
    } catch (const std::bad_alloc&) {
      m_rowLeft.clear();
      m_rowRight.clear();
    }
  }

 private:
  using TPoint = THullPoint;

  template <class TReach, class TComplete>
  void Build(int columns, int rows, int tile, TReach reach, TComplete complete) {
    // From the tiles nearest the edge of the complete ones, their hull drawn
    // a little inwards, to hulls of tiles ever deeper inside.
    struct TTry {
      int depth;
      double inwards;
    };
    constexpr int kDepths[] = {1, 2, 3, 5, 8};
    constexpr int kDepthCount = int(std::size(kDepths));
    // The first and last tile of each row at least as deep as each depth,
    // from one pass over the grid.
    std::vector<int> firsts(size_t(rows) * kDepthCount, -1), lasts(size_t(rows) * kDepthCount, -1);
    for (int row = 0; row < rows; ++row)
      for (int column = 0; column < columns; ++column) {
        const int tileReach = reach(column, row);
        for (int d = 0; d < kDepthCount && tileReach >= kDepths[d]; ++d) {
          int& first = firsts[size_t(row) * kDepthCount + size_t(d)];
          if (first < 0) first = column;
          lasts[size_t(row) * kDepthCount + size_t(d)] = column;
        }
      }
    for (const TTry attempt : {TTry{1, 5}, TTry{1, 8}, TTry{2, 0}, TTry{3, 0}, TTry{5, 0}, TTry{8, 0}}) {
      const auto d = size_t(std::find(std::begin(kDepths), std::end(kDepths), attempt.depth) - std::begin(kDepths));
      std::vector<TPoint> centres;
      for (int row = 0; row < rows; ++row) {
        const int first = firsts[size_t(row) * kDepthCount + d], last = lasts[size_t(row) * kDepthCount + d];
        if (first < 0) continue;
        // Tiles along the grid's edge stand for the complete nothing beyond.
        auto at = [&](int index, int count) {
          return index == 0 ? -kBeyond : index == count - 1 ? count * tile + kBeyond : (index + 0.5) * tile;
        };
        centres.push_back({at(first, columns), at(row, rows)});
        if (last != first) centres.push_back({at(last, columns), at(row, rows)});
      }
      const std::vector<TPoint> polygon = Inwards(FewCorners(ConvexHull(std::move(centres))), attempt.inwards);
      if (polygon.size() < 3) continue;
      if (LiesInCompleteTiles(polygon, columns, rows, tile, complete)) {
        SetRows(polygon, -kBeyond, rows * tile + kBeyond);
        return;
      }
    }
  }

  // The polygon with each edge moved `distance` inwards: the corners where
  // the moved edges meet. Whatever it gives is checked before it is used.
  static std::vector<TPoint> Inwards(const std::vector<TPoint>& polygon, double distance) {
    if (distance == 0 || polygon.size() < 3) return polygon;
    const size_t n = polygon.size();
    TPoint centre{0, 0};
    for (const TPoint& p : polygon) centre.x += p.x / double(n), centre.y += p.y / double(n);
    // Edge k: a * x + b * y = c, (a, b) of unit length towards the inside.
    std::vector<double> a(n), b(n), c(n);
    for (size_t k = 0; k < n; ++k) {
      const TPoint& u = polygon[k];
      const TPoint& v = polygon[(k + 1) % n];
      const double length = std::hypot(v.x - u.x, v.y - u.y);
      a[k] = (u.y - v.y) / length;
      b[k] = (v.x - u.x) / length;
      if (a[k] * (centre.x - u.x) + b[k] * (centre.y - u.y) < 0) a[k] = -a[k], b[k] = -b[k];
      c[k] = a[k] * u.x + b[k] * u.y + distance;
    }
    std::vector<TPoint> moved;
    for (size_t k = 0; k < n; ++k) {
      const size_t previous = (k + n - 1) % n;
      const double determinant = a[previous] * b[k] - a[k] * b[previous];
      if (std::abs(determinant) < 1e-9) continue;
      moved.push_back({(c[previous] * b[k] - c[k] * b[previous]) / determinant,
                       (a[previous] * c[k] - a[k] * c[previous]) / determinant});
    }
    return moved;
  }

  // The corners farthest in kMaxEdges directions, in their order: a convex
  // polygon within the hull.
  static std::vector<TPoint> FewCorners(const std::vector<TPoint>& hull) {
    if (hull.size() <= size_t(kMaxEdges)) return hull;
    std::vector<char> kept(hull.size(), 0);
    for (int k = 0; k < kMaxEdges; ++k) {
      const double angle = 2 * 3.14159265358979323846 * k / kMaxEdges;
      const double dx = std::cos(angle), dy = std::sin(angle);
      size_t best = 0;
      for (size_t i = 1; i < hull.size(); ++i)
        if (hull[i].x * dx + hull[i].y * dy > hull[best].x * dx + hull[best].y * dy) best = i;
      kept[best] = 1;
    }
    std::vector<TPoint> corners;
    for (size_t i = 0; i < hull.size(); ++i)
      if (kept[i]) corners.push_back(hull[i]);
    return corners;
  }

  // Whether every tile within kMargin of the polygon is complete, row of
  // tiles by row: the polygon's extent across the row, widened by the
  // margin, gives the tiles to look at. Tiles beyond the grid hold nothing
  // to draw.
  template <class TComplete>
  static bool LiesInCompleteTiles(const std::vector<TPoint>& polygon, int columns, int rows, int tile,
                                  TComplete complete) {
    double top = polygon[0].y, bottom = polygon[0].y;
    for (const TPoint& p : polygon) top = std::min(top, p.y), bottom = std::max(bottom, p.y);
    const int firstRow = std::max(FastFloor<int>((top - kMargin) / tile), 0);
    const int lastRow = std::min(FastFloor<int>((bottom + kMargin) / tile), rows - 1);
    for (int row = firstRow; row <= lastRow; ++row) {
      const double low = row * tile - kMargin, high = (row + 1) * tile + kMargin;
      double left = std::numeric_limits<double>::infinity(), right = -left;
      for (size_t i = 0; i < polygon.size(); ++i) {
        const TPoint& u = polygon[i];
        const TPoint& v = polygon[(i + 1) % polygon.size()];
        if (std::max(u.y, v.y) < low || std::min(u.y, v.y) > high) continue;
        double t0 = 0, t1 = 1;
        if (u.y != v.y) {
          const double a = (low - u.y) / (v.y - u.y), b = (high - u.y) / (v.y - u.y);
          t0 = std::max(0.0, std::min(a, b));
          t1 = std::min(1.0, std::max(a, b));
        }
        for (const double t : {t0, t1}) {
          const double x = u.x + t * (v.x - u.x);
          left = std::min(left, x);
          right = std::max(right, x);
        }
      }
      if (left > right) continue;
      const int firstColumn = std::max(FastFloor<int>((left - kMargin) / tile), 0);
      const int lastColumn = std::min(FastFloor<int>((right + kMargin) / tile), columns - 1);
      for (int column = firstColumn; column <= lastColumn; ++column)
        if (!complete(column, row)) return false;
    }
    return true;
  }

  // Along each row of pixels, the part inside the polygon from the row's top
  // to its bottom: the left side of a convex polygon is farthest right at
  // one of the two, and its right side farthest left.
  void SetRows(const std::vector<TPoint>& polygon, int firstRow, int endRow) {
    m_rowLeft.resize(size_t(endRow - firstRow));
    m_rowRight.resize(size_t(endRow - firstRow));
    std::pair<double, double> top = ExtentAt(polygon, firstRow);
    for (int row = firstRow; row < endRow; ++row) {
      const std::pair<double, double> bottom = ExtentAt(polygon, row + 1);
      m_rowLeft[size_t(row - firstRow)] = std::max(top.first, bottom.first);
      m_rowRight[size_t(row - firstRow)] = std::min(top.second, bottom.second);
      top = bottom;
    }
  }

  std::vector<double> m_rowLeft;  // per row of pixels from -kBeyond; empty without a core
  std::vector<double> m_rowRight;
};

// The pixels a call has written so far, for drawing in reverse order: a
// pixel written once keeps its colour, as the later segment or stamp would
// have painted over the earlier ones. Walks pass over written pixels by the
// 8 x 8 tile: each tile counts its written pixels and knows its reach, the
// Chebyshev distance in tiles to the nearest tile not complete, so that
// (reach - 1) rings of complete tiles surround it. The grid starts at the
// bounds' top left corner and is padded to whole tiles; padding counts as
// written, so that tiles along the right and bottom edges can complete.
class TWrittenPixels {
 public:
  static constexpr int kTileShift = 3;
  static constexpr int kTile = 1 << kTileShift;
  static constexpr int kTileArea = kTile * kTile;
  static constexpr int kFar = 255;  // reach of tiles with no incomplete tile near
  static constexpr size_t kWorkPerRefreshedTile = 8;

  // Throws std::bad_alloc when the grid does not fit in memory. A core is
  // kept for walks of long segments.
  TWrittenPixels(const QRect& bounds, bool withCore)
      : m_withCore(withCore),
        m_left(bounds.left()),
        m_top(bounds.top()),
        m_width(RoundUpToTile(bounds.width())),
        m_columns(m_width >> kTileShift),
        m_rows(RoundUpToTile(bounds.height()) >> kTileShift) {
    const int height = m_rows << kTileShift;
    m_pixels.assign(size_t(m_width) * size_t(height) + 8, 0);  // AnyFreeOf reads past the last pixel
    m_counts.assign(size_t(m_columns) * size_t(m_rows), 0);
    m_reach.assign((size_t(m_columns) + 2) * (size_t(m_rows) + 2), uint8_t(kFar));
    for (int y = 0; y < height; ++y)
      for (int x = y < bounds.height() ? bounds.width() : 0; x < m_width; ++x) Claim(x, y);
    RefreshReach();
  }

  int Left() const { return m_left; }
  int Top() const { return m_top; }
  const TCompleteCore& Core() const { return m_core; }

  // Coordinates from here on are relative to the bounds' top left corner.
  // 0 when the tile of pixel (x, y) is not complete.
  // The reaches as of the last refresh, for loops that look up many of them
  // between writes: a copy of where they lie keeps them out of memory.
  struct TReaches {
    const uint8_t* cells;  // of the grid's first tile
    size_t stride;
    int At(int x, int y) const { return cells[size_t(y >> kTileShift) * stride + size_t(x >> kTileShift)]; }
  };
  TReaches Reaches() const { return {m_reach.data() + size_t(m_columns) + 3, size_t(m_columns) + 2}; }
  int ReachAt(int x, int y) const { return Reaches().At(x, y); }
  bool TileIsComplete(int x, int y) const { return m_counts[TileIndex(x, y)] == kTileArea; }
  // Nothing drawn before can show any more.
  bool IsFull() const { return m_complete == m_counts.size(); }

  // Marks a pixel written; false when it already was, or lies out of reach.
  bool Claim(int x, int y) {
    ++m_workSinceRefresh;
    return Mark(x, y, kDrawn);
  }

  // Marks as out of reach the pixels of each row y outside the columns
  // [first, last] = reach(y), beyond which the call draws nothing. Tiles
  // along the edge of its reach can then complete, a walk passes through
  // them at once, and the call ends once it has drawn all it can.
  template <class TReach>
  void ClaimOutside(TReach reach) {
    std::vector<uint8_t> completeBefore(m_counts.size());
    for (size_t tile = 0; tile < m_counts.size(); ++tile) completeBefore[tile] = m_counts[tile] == kTileArea;
    for (int y = 0; y < (m_rows << kTileShift); ++y) {
      const auto [keepFirst, keepLast] = reach(y);
      const int first = int(std::clamp(keepFirst, 0.0, double(m_width)));
      const int last = int(std::clamp(keepLast, -1.0, double(m_width - 1)));
      for (int x = 0; x < std::min(first, m_width); ++x) Mark(x, y, kOutOfReach);
      for (int x = std::max(last + 1, first); x < m_width; ++x) Mark(x, y, kOutOfReach);
    }
    // Tiles wholly out of reach lie beyond what the core may hold.
    m_outside.assign(m_counts.size(), 0);
    for (size_t tile = 0; tile < m_counts.size(); ++tile)
      m_outside[tile] = m_counts[tile] == kTileArea && !completeBefore[tile];
    RefreshReach();
  }

  // Hands each pixel that `earlier` drew and this did not to take(x, y), and
  // holds it as drawn.
  template <class TTake>
  void TakeFrom(const TWrittenPixels& earlier, TTake take) {
    for (int row = 0; row < m_rows; ++row)
      for (int column = 0; column < m_columns; ++column) {
        if (earlier.m_counts[size_t(row) * size_t(m_columns) + size_t(column)] == 0) continue;
        for (int y = row * kTile; y < (row + 1) * kTile; ++y)
          for (int x = column * kTile; x < (column + 1) * kTile; ++x) {
            const size_t at = size_t(y) * size_t(m_width) + size_t(x);
            if (earlier.m_pixels[at] != kDrawn || m_pixels[at] == kDrawn) continue;
            if (m_pixels[at] == kFree) Mark(x, y, kDrawn);
            m_pixels[at] = kDrawn;
            take(x, y);
          }
      }
  }

  // Undoes ClaimOutside: what lies out of reach of one call is free for the
  // next one beneath it.
  void ForgetOutOfReach() {
    if (m_outside.empty()) return;
    for (int y = 0; y < (m_rows << kTileShift); ++y) {
      uint8_t* const row = m_pixels.data() + size_t(y) * size_t(m_width);
      for (int x = 0; x < m_width; ++x) {
        if (row[x] != kOutOfReach) continue;
        row[x] = kFree;
        if (m_counts[TileIndex(x, y)]-- == kTileArea) --m_complete;
      }
    }
    m_outside.clear();
    RefreshReach();
  }

  // Whether the walks of later calls use a core.
  void UseCore(bool withCore) {
    if (withCore == m_withCore) return;
    m_withCore = withCore;
    RefreshReach();
  }

  bool IsFree(int x, int y) const { return m_pixels[size_t(y) * size_t(m_width) + size_t(x)] == kFree; }

  // Whether one of pixels (x, y) to (x + 7, y) is free where `wanted` has a
  // byte of 0xFF (byte i for pixel x + i, in memory order). Counts as the
  // work of claiming them, which the refreshes of the reach keep pace with.
  bool AnyFreeOf(int x, int y, uint64_t wanted) {
    m_workSinceRefresh += 8;
    uint64_t states;
    std::memcpy(&states, m_pixels.data() + size_t(y) * size_t(m_width) + size_t(x), 8);
    const uint64_t v = states | ~wanted;  // a zero byte is a free pixel wanted
    return ((v - 0x0101010101010101u) & ~v & 0x8080808080808080u) != 0;
  }

  // Whether a segment from (x0, y0) to (x1, y1), in the grid's coordinates,
  // may have a pixel left to draw. Once only a few tiles are incomplete,
  // which the core seldom avoids when they lie along its edges, false when
  // it passes clear of them all; NaN never passes clear.
  bool MayDraw(double x0, double y0, double x1, double y1) const {
    if (!m_fewListed) return true;
    const double minX = std::min(x0, x1), maxX = std::max(x0, x1);
    const double minY = std::min(y0, y1), maxY = std::max(y0, y1);
    const double nx = y0 - y1, ny = x1 - x0;  // normal of the line
    for (const TTileBox& box : m_few) {
      if (m_counts[box.index] == kTileArea) continue;
      if (maxX < box.left || minX > box.right || maxY < box.top || minY > box.bottom) continue;
      const double halfWidth = (box.right - box.left) / 2, halfHeight = (box.bottom - box.top) / 2;
      const double distance = nx * (box.left + halfWidth - x0) + ny * (box.top + halfHeight - y0);
      if (!(std::abs(distance) > std::abs(nx) * halfWidth + std::abs(ny) * halfHeight)) return true;
    }
    return false;
  }

  // The reach only grows as tiles complete: an old one is still true, only
  // shorter. It is brought up to date once the pixel by pixel work since the
  // last time would have paid for it many times over.
  void RefreshReachWhenWorthIt() {
    if (m_completedSinceRefresh > 0 && m_workSinceRefresh >= kWorkPerRefreshedTile * m_counts.size()) RefreshReach();
  }

 private:
  // What m_pixels holds for each pixel. Padding counts as drawn, so that no
  // part takes it from another.
  enum : uint8_t { kFree, kDrawn, kOutOfReach };
  // A walk chooses pixels that hold a point of its segment: one clear of a
  // tile's box widened by this draws nothing in the tile.
  static constexpr double kFewMargin = 1.0;
  static constexpr size_t kFewTiles = 16;

  struct TTileBox {
    size_t index;
    double left, top, right, bottom;
  };

  bool Mark(int x, int y, uint8_t state) {
    uint8_t& pixel = m_pixels[size_t(y) * size_t(m_width) + size_t(x)];
    if (pixel != kFree) return false;
    pixel = state;
    if (++m_counts[TileIndex(x, y)] == kTileArea) {
      ++m_completedSinceRefresh, ++m_complete;
      if (m_complete + kFewTiles == m_counts.size()) ListFewIncomplete();
    }
    return true;
  }

  // The boxes of the incomplete tiles, once there are at most kFewTiles;
  // tiles completed since stay listed and are passed over.
  void ListFewIncomplete() {
    m_few.clear();
    m_fewListed = m_complete + kFewTiles >= m_counts.size();
    if (!m_fewListed) return;
    for (size_t index = 0; index < m_counts.size(); ++index) {
      if (m_counts[index] == kTileArea) continue;
      const double left = double(index % size_t(m_columns) * kTile), top = double(index / size_t(m_columns) * kTile);
      m_few.push_back(
          {index, left - kFewMargin, top - kFewMargin, left + kTile + kFewMargin, top + kTile + kFewMargin});
    }
  }

  static int RoundUpToTile(int length) { return (std::max(length, 1) + kTile - 1) / kTile * kTile; }

  size_t TileIndex(int x, int y) const { return size_t(y >> kTileShift) * size_t(m_columns) + size_t(x >> kTileShift); }

  // Two passes of the 3 x 3 chamfer give the exact Chebyshev distance. The
  // border around the grid holds nothing to draw: as good as complete.
  void RefreshReach() {
    const ptrdiff_t stride = ptrdiff_t(m_columns) + 2;
    uint8_t* const reach = m_reach.data();
    for (int row = 0; row < m_rows; ++row) {
      const uint8_t* counts = m_counts.data() + size_t(row) * size_t(m_columns);
      uint8_t* cell = reach + (row + 1) * stride + 1;
      for (int column = 0; column < m_columns; ++column, ++cell) {
        const int nearest = std::min({cell[-1], cell[-1 - stride], cell[-stride], cell[1 - stride]});
        *cell = counts[column] == kTileArea ? uint8_t(std::min(kFar, nearest + 1)) : 0;
      }
    }
    for (int row = m_rows - 1; row >= 0; --row) {
      uint8_t* cell = reach + (row + 1) * stride + m_columns;
      for (int column = m_columns - 1; column >= 0; --column, --cell) {
        const int nearest = std::min({cell[1], cell[1 + stride], cell[stride], cell[stride - 1]});
        *cell = uint8_t(std::min<int>(*cell, nearest + 1));
      }
    }
    m_completedSinceRefresh = 0;
    m_workSinceRefresh = 0;
    ListFewIncomplete();
    if (m_withCore)
      m_core.Rebuild(
          m_columns, m_rows, kTile,
          [&](int column, int row) {
            const size_t tile = size_t(row) * size_t(m_columns) + size_t(column);
            return m_outside.empty() || !m_outside[tile] ? reach[(row + 1) * stride + column + 1] : 0;
          },
          [&](int column, int row) { return m_counts[size_t(row) * size_t(m_columns) + size_t(column)] == kTileArea; });
  }

  bool m_withCore;
  TCompleteCore m_core;
  int m_left;
  int m_top;
  int m_width;  // in pixels
  int m_columns;
  int m_rows;
  std::vector<uint8_t> m_pixels;   // one state per pixel
  std::vector<uint8_t> m_counts;   // written pixels per tile
  std::vector<uint8_t> m_outside;  // per tile: 1 when out of reach from the start
  std::vector<uint8_t> m_reach;    // per tile as of the last refresh, with a border of kFar
  size_t m_completedSinceRefresh = 0;
  size_t m_workSinceRefresh = 0;
  size_t m_complete = 0;  // tiles
  bool m_fewListed = false;
  std::vector<TTileBox> m_few;  // incomplete tiles, when m_fewListed
};

// The pixels of WalkSegment that `written` does not hold yet, which it then
// holds. From a pixel in a tile of reach r, the walk stays among complete
// tiles for as long as it stays within r - 1 tiles of it; across the axis it
// moves by at most one pixel a step, as the major axis is the longer one.
template <bool kXMajor, class TPlot>
void WalkSegmentOnce(const TSegmentWalk& walk, TWrittenPixels& written, TPlot plot) {
  constexpr int kTile = TWrittenPixels::kTile;
  const int majorOrigin = kXMajor ? written.Left() : written.Top();
  const int minorOrigin = kXMajor ? written.Top() : written.Left();
  const auto span = unsigned(walk.acrossHigh - walk.acrossLow);
  const int64_t step = walk.step;
  int64_t across = walk.across;
  for (int i = walk.first; i <= walk.last;) {
    const int j = int(across >> 32);
    const int major = i - majorOrigin;
    if (unsigned(j - walk.acrossLow) <= span) {
      const int minor = j - minorOrigin;
      int reach = kXMajor ? written.ReachAt(major, minor) : written.ReachAt(minor, major);
      // A tile completed since the last refresh still counts as complete.
      if (reach == 0 && (kXMajor ? written.TileIsComplete(major, minor) : written.TileIsComplete(minor, major)))
        reach = 1;
      if (reach > 0) {
        // Along the axis to the far side of the square; across it, to where
        // the walk is by then, which is at most as far.
        const int rings = (reach - 1) * kTile;
        int further = rings + (kTile - 1 - (major & (kTile - 1)));
        const int jEnd = std::clamp(int((across + int64_t(further) * step) >> 32), walk.acrossLow, walk.acrossHigh);
        const int tileLow = (minor & -kTile) - rings, tileHigh = (minor & -kTile) + kTile - 1 + rings;
        const int minorEnd = jEnd - minorOrigin;
        if (minorEnd < tileLow || minorEnd > tileHigh) {
          // Within one tile along the axis the walk crosses at most into the
          // next tile across it: when that one is complete too, so is the run.
          const int endReach = kXMajor ? written.ReachAt(major, minorEnd) : written.ReachAt(minorEnd, major);
          if (reach > 1 || endReach == 0)
            further = rings + (step >= 0 ? kTile - 1 - (minor & (kTile - 1)) : minor & (kTile - 1));
        }
        i += further + 1;
        across += int64_t(further + 1) * step;
        continue;
      }
    }
    // An incomplete tile, or the edge of the bounds: pixel by pixel to the
    // end of the tile along the axis.
    const int tileEnd = std::min(walk.last, i + (kTile - 1 - (major & (kTile - 1))));
    for (; i <= tileEnd; ++i, across += step) {
      const int jj = int(across >> 32);
      if (unsigned(jj - walk.acrossLow) > span) continue;
      const bool claimed =
          kXMajor ? written.Claim(i - majorOrigin, jj - minorOrigin) : written.Claim(jj - minorOrigin, i - majorOrigin);
      if (claimed) plot(size_t(i) * walk.majorStep + size_t(jj) * walk.minorStep);
    }
  }
}

// Drawing in reverse order pays for its grid of written pixels when a call
// draws far more pixels than its bounds hold. Below these counts, or on
// bounds much larger than the work, the calls draw in order.
constexpr int kReverseMinimumSegments = 1024;
constexpr int kReverseMinimumStamps = 1024;
// Points left to sort for the outline of a polyline; beyond this the outline
// costs more than it saves.
constexpr size_t kMostOutlineCandidates = 65536;
// Keeps the reach of a call's outline clear of rounding.
constexpr double kOutlineMargin = 1.0 / 64;
constexpr int64_t kReverseAreaPerItem = 64;

bool WorthDrawingInReverse(const QRect& bounds, int items, int minimum) {
  return items >= minimum && int64_t(bounds.width()) * bounds.height() <= kReverseAreaPerItem * items;
}

// Where a part of a call draws: the target's pixels, or a buffer holding
// the rows of the bounds, from the bounds' first pixel to their last.
struct TSurface {
  uint32_t* pixels;
  size_t firstOffset;  // the target's offset of pixels[0]

  uint32_t& operator[](size_t offset) const { return pixels[offset - firstOffset]; }
};

// Calls of a million items are cut into parts of consecutive items, one per
// core. Each part draws last first on its own, the last part on the target
// and the others into buffers; then, from the latest part to the earliest,
// a part's pixel is taken where no later part drew. That is the pixel of the
// last item on it, whatever the number of parts and the order they finish.
constexpr int kItemsPerPart = 32768;
constexpr int kMaxParts = 4;

int PartsFor(int items) {
  const int cores = int(std::min(std::thread::hardware_concurrency(), unsigned(kMaxParts)));
  return std::clamp(std::min(cores, items / kItemsPerPart), 1, kMaxParts);
}

// Calls drawPart(begin, end, written, surface) for each part [begin, end) of
// the items, on threads of their own but the last. Given a cover, every part
// starts from it and it ends holding what they drew too. False, drawing
// nothing, when memory is short even for one part; never with a cover.
template <class TDrawPart>
bool DrawLastFirst(const TRasterTarget& target, int items, bool withCore, TWrittenPixels* cover, TDrawPart drawPart) {
  const QRect& b = target.bounds;
  const auto stride = size_t(target.stride);
  const size_t firstOffset = size_t(b.top()) * stride + size_t(b.left());
  const size_t bufferSize = size_t(b.height() - 1) * stride + size_t(b.width());
  int parts = PartsFor(items);
  if (cover) cover->ForgetOutOfReach();
  std::optional<TWrittenPixels> own;  // the last part's, without a cover
  std::vector<TWrittenPixels> earlier;
  std::vector<std::unique_ptr<uint32_t[]>> buffers;  // left as they are: only written pixels are read
  try {
    if (!cover) own.emplace(b, withCore);
    earlier.reserve(size_t(parts - 1));
    buffers.reserve(size_t(parts - 1));
    for (int part = 0; part + 1 < parts; ++part) {
      earlier.push_back(cover ? *cover : TWrittenPixels(b, withCore));
      buffers.emplace_back(new uint32_t[bufferSize]);
    }
  } catch (const std::bad_alloc&) {
    if (!cover && !own) return false;
    parts = 1;
    earlier.clear();
    buffers.clear();
  }
  // The last part draws on the target, from the cover itself when there is one.
  TWrittenPixels& last = cover ? *cover : *own;
  for (TWrittenPixels& part : earlier) part.UseCore(withCore);
  last.UseCore(withCore);
  auto run = [&](int part) {
    const int begin = int(int64_t(items) * part / parts), end = int(int64_t(items) * (part + 1) / parts);
    if (part + 1 == parts)
      drawPart(begin, end, last, TSurface{target.pixels, 0});
    else
      drawPart(begin, end, earlier[size_t(part)], TSurface{buffers[size_t(part)].get(), firstOffset});
  };
  {
    std::vector<std::jthread> threads;
    for (int part = 0; part + 1 < parts; ++part) {
      try {
        if (threads.capacity() == 0) threads.reserve(size_t(parts));
        threads.emplace_back(run, part);
      } catch (const std::exception&) {  // no thread to be had: this one draws the part
        run(part);
      }
    }
    run(parts - 1);
  }
  for (int part = parts - 2; part >= 0; --part) {
    const uint32_t* buffer = buffers[size_t(part)].get();
    last.TakeFrom(earlier[size_t(part)], [&](int x, int y) {
      const size_t offset = size_t(y) * stride + size_t(x);
      target.pixels[firstOffset + offset] = buffer[offset];
    });
  }
  return true;
}

void DrawPoint(const TRasterTarget& target, uint32_t colour, double x, double y, const TWrittenPixels* covered) {
  if (!IsNear(x, y)) return;
  const int px = int(std::floor(x)), py = int(std::floor(y));
  if (!target.bounds.contains(px, py)) return;
  if (covered && !covered->IsFree(px - target.bounds.left(), py - target.bounds.top())) return;
  uint32_t& pixel = target.pixels[size_t(py) * size_t(target.stride) + size_t(px)];
  pixel = Blend(colour, pixel);
}

// Markers are a few pixels wide: a call to memmove would cost more than the
// copy. Copies of a fixed size are inlined.
void CopyPixels(uint32_t* to, const uint32_t* from, int count) {
  for (; count >= 2; count -= 2, to += 2, from += 2) std::memcpy(to, from, 8);
  if (count > 0) *to = *from;
}

}  // namespace

struct TRasterCover::TState {
  QRect bounds;
  TWrittenPixels written;
  std::vector<QPointF> outline;
};

TRasterCover::TRasterCover(const QRect& bounds) : m_state(new TState{bounds, TWrittenPixels(bounds, false), {}}) {}

TRasterCover::~TRasterCover() = default;

void TRasterCover::SetOutline(std::vector<QPointF> outline) { m_state->outline = std::move(outline); }

namespace {

// The pixels a call must leave as they are; none without a cover for its bounds.
TWrittenPixels* CoveredPixels(TRasterCover* cover, const TRasterTarget& target) {
  return cover && cover->State().bounds == target.bounds ? &cover->State().written : nullptr;
}

}  // namespace

std::optional<TRasterTarget> RasterTargetOf(QPainter& painter) {
  QPaintDevice* device = painter.device();
  if (!device || device->devType() != QInternal::Image) return std::nullopt;
  if (!painter.paintEngine() || painter.paintEngine()->type() != QPaintEngine::Raster) return std::nullopt;
  auto* image = static_cast<QImage*>(device);
  if (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied)
    return std::nullopt;
  const QTransform transform = painter.combinedTransform();
  if (transform.type() > QTransform::TxTranslate) return std::nullopt;
  if (painter.opacity() != 1.0 || painter.compositionMode() != QPainter::CompositionMode_SourceOver)
    return std::nullopt;
  QRect bounds = image->rect();
  if (painter.hasClipping()) {
    const QRegion clip = painter.clipRegion();
    if (clip.rectCount() > 1) return std::nullopt;
    bounds &= transform.mapRect(clip.boundingRect());
  }
  return TRasterTarget{reinterpret_cast<uint32_t*>(image->bits()), int(image->bytesPerLine() / 4), bounds,
                       transform.dx(), transform.dy()};
}

void StampOnRaster(const TRasterTarget& target, const QImage& stamp, const QPoint& hotSpot, const QPointF* points,
                   int count, TRasterCover* cover) {
  if (target.bounds.isEmpty() || stamp.isNull()) return;
  TWrittenPixels* const covered = CoveredPixels(cover, target);
  const QImage source = stamp.format() == QImage::Format_ARGB32_Premultiplied
                            ? stamp
                            : stamp.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int stampWidth = source.width();
  const int stampHeight = source.height();
  const auto* stampPixels = reinterpret_cast<const uint32_t*>(source.constBits());
  const int stampStride = int(source.bytesPerLine() / 4);
  const QRect& b = target.bounds;
  // Rows of the stamp without transparency are copied rather than blended.
  std::vector<char> rowIsOpaque(size_t(stampHeight), 0);
  bool opaqueOrClear = true;  // no pixel blends: each is copied or left out
  for (int row = 0; row < stampHeight; ++row) {
    const uint32_t* line = stampPixels + size_t(row) * size_t(stampStride);
    rowIsOpaque[size_t(row)] = std::all_of(line, line + stampWidth, [](uint32_t p) { return (p >> 24) == 0xFF; });
    opaqueOrClear &=
        std::all_of(line, line + stampWidth, [](uint32_t p) { return (p >> 24) == 0xFF || (p >> 24) == 0; });
  }
  // The stamp's pixels on the target: the rectangle [x0, x1) x [y0, y1) of
  // the target holds the stamp's pixel (x - left, y - top).
  struct TPlacement {
    int left, top, x0, x1, y0, y1;
  };
  auto placementOf = [&](const QPointF& point, TPlacement& p) {
    const double x = point.x() + target.dx;
    const double y = point.y() + target.dy;
    if (!IsNear(x, y)) return false;  // also skips NaN
    p.left = FastFloor<int>(x + 0.5) - hotSpot.x();
    p.top = FastFloor<int>(y + 0.5) - hotSpot.y();
    p.x0 = std::max(p.left, b.left());
    p.x1 = std::min(p.left + stampWidth, b.right() + 1);
    p.y0 = std::max(p.top, b.top());
    p.y1 = std::min(p.top + stampHeight, b.bottom() + 1);
    return p.x0 < p.x1 && p.y0 < p.y1;
  };

  // The last stamp on a pixel is the one seen there.
  constexpr int kTile = TWrittenPixels::kTile;
  // Tiles beyond the first one that a stamp may cover, either way.
  const int stampTiles = (std::max(stampWidth, stampHeight) + kTile - 1) / kTile;
  // Most stamps drawn meet pixels already written: a row of up to 8 pixels
  // is looked up at once, with bytes of 0xFF where the stamp paints.
  const bool narrow = stampWidth <= 8;
  std::vector<uint8_t> paints(size_t(stampHeight) * 16, 0);
  for (int row = 0; narrow && row < stampHeight; ++row)
    for (int col = 0; col < stampWidth; ++col)
      paints[size_t(row) * 16 + size_t(col)] =
          (stampPixels[size_t(row) * size_t(stampStride) + size_t(col)] >> 24) ? 0xFF : 0;
  static constexpr uint8_t kFirstBytes[16] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  auto drawPart = [&](int begin, int end, TWrittenPixels& written, TSurface surface) {
    auto tilesAreComplete = [&](int x0, int x1, int y0, int y1) {
      for (int ty = y0 & -kTile; ty < y1; ty += kTile)
        for (int tx = x0 & -kTile; tx < x1; tx += kTile)
          if (!written.TileIsComplete(tx, ty)) return false;
      return true;
    };
    // Most stamps lie wholly off the bounds, as a zoom leaves them, or
    // wholly inside, among complete tiles: one look at the reach of their
    // first tile passes over those. Both from the rounding of placementOf,
    // without its clamps: floor(x) - hotSpot.x() is the stamp's first
    // column. NaN lies off the bounds.
    const double offLeft = b.left() + hotSpot.x() - stampWidth + 1, offTop = b.top() + hotSpot.y() - stampHeight + 1;
    const double offRight = b.right() + hotSpot.x() + 1, offBottom = b.bottom() + hotSpot.y() + 1;
    const double insideLeft = std::max(b.left() + hotSpot.x(), 0), insideTop = std::max(b.top() + hotSpot.y(), 0);
    const double insideRight = b.right() + 2 - stampWidth + hotSpot.x();
    const double insideBottom = b.bottom() + 2 - stampHeight + hotSpot.y();
    const int toGridX = hotSpot.x() + b.left(), toGridY = hotSpot.y() + b.top();
    // The last point before `from` whose stamp the quick looks leave; below
    // `begin` when none. Nothing is written meanwhile.
    auto nextToLookAt = [&, dx = target.dx, dy = target.dy](int from) {
      const TWrittenPixels::TReaches reaches = written.Reaches();
      for (int i = from - 1; i >= begin; --i) {
        const double x = points[i].x() + dx + 0.5, y = points[i].y() + dy + 0.5;
        if (!(x >= offLeft && x < offRight && y >= offTop && y < offBottom)) continue;
        if (x >= insideLeft && x < insideRight && y >= insideTop && y < insideBottom &&
            reaches.At(int(x) - toGridX, int(y) - toGridY) > stampTiles)
          continue;
        return i;
      }
      return begin - 1;
    };
    for (int i = nextToLookAt(end); i >= begin && !written.IsFull(); i = nextToLookAt(i)) {
      written.RefreshReachWhenWorthIt();
      TPlacement p;
      if (!placementOf(points[i], p)) continue;
      const int x0 = p.x0 - b.left(), x1 = p.x1 - b.left(), y0 = p.y0 - b.top(), y1 = p.y1 - b.top();
      if (written.ReachAt(x0, y0) > stampTiles || tilesAreComplete(x0, x1, y0, y1)) continue;
      for (int row = p.y0; row < p.y1; ++row) {
        if (narrow) {
          uint64_t wanted, first;
          std::memcpy(&wanted, &paints[size_t(row - p.top) * 16 + size_t(p.x0 - p.left)], 8);
          std::memcpy(&first, kFirstBytes + 8 - (p.x1 - p.x0), 8);  // the row's pixels within the bounds
          if (!written.AnyFreeOf(x0, row - b.top(), wanted & first)) continue;
        }
        const uint32_t* src = stampPixels + size_t(row - p.top) * size_t(stampStride) + size_t(p.x0 - p.left);
        uint32_t* dst = &surface[size_t(row) * size_t(target.stride) + size_t(p.x0)];
        for (int col = 0; col < p.x1 - p.x0; ++col)
          if ((src[col] >> 24) != 0 && written.Claim(p.x0 + col - b.left(), row - b.top())) dst[col] = src[col];
      }
    }
  };
  if (opaqueOrClear && (covered || WorthDrawingInReverse(b, count, kReverseMinimumStamps)) &&
      DrawLastFirst(target, count, false, covered, drawPart))
    return;

  for (int i = 0; i < count; ++i) {
    TPlacement p;
    if (!placementOf(points[i], p)) continue;
    const int left = p.left, top = p.top, x0 = p.x0, x1 = p.x1;
    for (int row = p.y0; row < p.y1; ++row) {
      uint32_t* dst = target.pixels + size_t(row) * size_t(target.stride);
      const uint32_t* src = stampPixels + size_t(row - top) * size_t(stampStride) - left;
      if (covered) {  // translucent stamps beneath a cover: only on its free pixels
        for (int col = x0; col < x1; ++col)
          if ((src[col] >> 24) != 0 && covered->IsFree(col - b.left(), row - b.top()))
            dst[col] = BlendPremultiplied(src[col], dst[col]);
        continue;
      }
      if (rowIsOpaque[size_t(row - top)]) {
        CopyPixels(dst + x0, src + x0, x1 - x0);
        continue;
      }
      for (int col = x0; col < x1; ++col) {
        const uint32_t s = src[col];
        const uint32_t alpha = s >> 24;
        if (alpha == 0xFF)
          dst[col] = s;
        else if (alpha != 0)
          dst[col] = BlendPremultiplied(s, dst[col]);
      }
    }
  }
}

void DrawPolylineOnRaster(const TRasterTarget& target, uint32_t colour, const QPointF* points, int count,
                          const uint32_t* segmentColours, TRasterCover* cover) {
  if (target.bounds.isEmpty()) return;
  TWrittenPixels* const covered = CoveredPixels(cover, target);
  const int segments = std::max(count - 1, 0);
  auto colourOf = [&](int i) { return segmentColours ? segmentColours[i] : colour; };
  // Segments are cut to the bounds with a margin, so that the pixels chosen
  // at the edges are those of the whole segment.
  const QRect& b = target.bounds;
  constexpr double kMargin = 2.0;
  const double left = b.left() - kMargin, top = b.top() - kMargin;
  const double right = b.right() + 1 + kMargin, bottom = b.bottom() + 1 + kMargin;
  // False when the segment has no pixel to draw; the part cut to the bounds
  // may lie in `core`.
  auto walkOf = [&](int i, TSegmentWalk& walk, const TCompleteCore* core) {
    double x0 = points[i].x() + target.dx, y0 = points[i].y() + target.dy;
    double x1 = points[i + 1].x() + target.dx, y1 = points[i + 1].y() + target.dy;
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1)) return false;
    const double fromX = x0, fromY = y0, toX = x1, toY = y1;
    if (!ClipSegment(x0, y0, x1, y1, left, top, right, bottom)) return false;
    const bool cut = x0 != fromX || y0 != fromY || x1 != toX || y1 != toY;
    if (cut && core && core->Contains(x0 - b.left(), y0 - b.top()) && core->Contains(x1 - b.left(), y1 - b.top()))
      return false;
    return SegmentWalkOf(target, x0, y0, x1, y1, walk);
  };
  uint32_t* const pixels = target.pixels;

  // Opaque segments hide what they cross: drawn from the last, each pixel is
  // written once, by the last segment on it. A translucent one blends with
  // the segments before it, so such a call draws in order.
  auto drawPart = [&](int begin, int end, TWrittenPixels& written, TSurface surface) {
    const double toGridX = target.dx - b.left(), toGridY = target.dy - b.top();
    // Beneath a cover, what is left free is mostly out of the polyline's
    // reach; once the rest is drawn, the call is done.
    if (covered) {
      // Along x a walk chooses pixels whose vertical centre line holds a
      // point of its segment, along y those whose horizontal one does.
      const std::vector<QPointF>& known = cover->State().outline;
      const std::vector<THullPoint> outline =
          known.empty() ? ConvexHullOf(points + begin, end - begin + 1, toGridX, toGridY, kMostOutlineCandidates)
                        : ConvexHullOf(known.data(), int(known.size()), toGridX, toGridY, kMostOutlineCandidates);
      if (outline.size() >= 3)
        written.ClaimOutside([&](int y) {
          const auto [left, right] = ExtentOver(outline, y, y + 1);
          const auto [centreLeft, centreRight] = ExtentOver(outline, y + 0.5, y + 0.5);
          double first = std::ceil(left - kOutlineMargin - 0.5), last = std::floor(right + kOutlineMargin - 0.5);
          if (centreLeft <= centreRight) {
            first = std::min(first, std::floor(centreLeft - kOutlineMargin));
            last = std::max(last, std::floor(centreRight + kOutlineMargin));
          }
          return std::pair(first, last);
        });
    }
    auto inCore = [&](const QPointF& p) { return written.Core().Contains(p.x() + toGridX, p.y() + toGridY); };
    bool endInCore = inCore(points[end]);
    for (int i = end - 1; i >= begin && !written.IsFull(); --i) {
      written.RefreshReachWhenWorthIt();
      const bool startInCore = inCore(points[i]);
      const bool hidden =
          (startInCore && endInCore) || !written.MayDraw(points[i].x() + toGridX, points[i].y() + toGridY,
                                                         points[i + 1].x() + toGridX, points[i + 1].y() + toGridY);
      endInCore = startInCore;
      const uint32_t c = colourOf(i);
      TSegmentWalk walk;
      if (hidden || (c >> 24) == 0 || !walkOf(i, walk, &written.Core())) continue;
      auto plot = [&](size_t offset) { surface[offset] = c; };
      if (walk.xMajor)
        WalkSegmentOnce<true>(walk, written, plot);
      else
        WalkSegmentOnce<false>(walk, written, plot);
    }
  };
  if (segments > 0 && (covered || WorthDrawingInReverse(b, segments, kReverseMinimumSegments))) {
    bool opaqueOrClear = true;
    if (segmentColours) {
      for (int i = 0; opaqueOrClear && i < segments; ++i)
        opaqueOrClear = (segmentColours[i] >> 24) == 0xFF || (segmentColours[i] >> 24) == 0;
    } else {
      opaqueOrClear = (colour >> 24) == 0xFF || (colour >> 24) == 0;
    }
    if (opaqueOrClear && DrawLastFirst(target, segments, true, covered, drawPart)) return;
  }

  // Translucent segments beneath a cover blend only where it left pixels free.
  auto isFree = [&](size_t offset) {
    const auto x = int(offset % size_t(target.stride)), y = int(offset / size_t(target.stride));
    return covered->IsFree(x - b.left(), y - b.top());
  };
  for (int i = 0; i < segments; ++i) {
    const uint32_t c = colourOf(i);
    TSegmentWalk walk;
    if ((c >> 24) == 0 || !walkOf(i, walk, nullptr)) continue;
    if (covered)
      WalkSegment(walk, [&](size_t offset) {
        if (isFree(offset)) pixels[offset] = Blend(c, pixels[offset]);
      });
    else if ((c >> 24) == 0xFF)
      WalkSegment(walk, [&](size_t offset) { pixels[offset] = c; });
    else
      WalkSegment(walk, [&](size_t offset) { pixels[offset] = Blend(c, pixels[offset]); });
  }
  if (count == 1) DrawPoint(target, colour, points[0].x() + target.dx, points[0].y() + target.dy, covered);
}

}  // namespace geometry

#pragma once

// The convex core of the written pixels: where a segment has nothing left to
// draw (internal to the raster fast paths).

#include "geometry/convex_hull.h"
#include "geometry/raster_rounding.h"
#include "geometry/raster_segment_walk.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <limits>
#include <new>
#include <utility>
#include <vector>

namespace geometry::raster {

// A convex polygon whose surroundings, to kMargin pixels, lie in complete
// tiles. A segment with both ends inside lies inside too, and so do the
// pixels its walk chooses, each within kLineReach of the line: it has nothing
// left to draw. Dense data fills a convex area, which this finds in one
// test per point where a walk would take several steps per segment. Beyond
// the grid nothing is drawn: the core may reach kBeyond pixels past it, as
// far as segments are cut, so that segments across a complete view pass.
class TCompleteCore {
 public:
  // Each corner costs every rebuild a pass over the hull; sixteen lose little
  // of a round hull's area.
  static constexpr int kMaxEdges = 16;
  // A walk's pixels lie within kLineReach of the segment; one more keeps the
  // test clear of rounding.
  static constexpr double kMargin = kLineReach + 1;
  // Past the padding of the grid, which is less than a tile, and past the
  // margin segments are cut with.
  static constexpr int kBeyond = 8;
  static_assert(kBeyond >= kClipMargin, "cut ends on a complete view must lie inside the core");

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

  // From the tiles nearest the edge of the complete ones, their hull drawn a
  // little inwards, to hulls of tiles ever deeper inside: the first tries
  // keep the most area, the later ones pass the check more often.
  struct TTry {
    int depth;       // the reach of the tiles whose centres span the hull
    double inwards;  // in pixels
  };
  static constexpr int kDepths[] = {1, 2, 3, 5, 8};
  static constexpr TTry kTries[] = {{1, 5}, {1, 8}, {2, 0}, {3, 0}, {5, 0}, {8, 0}};
  static constexpr int kDepthCount = int(std::size(kDepths));

  // The first and last tile of each row at least as deep as each depth.
  struct TDepthRows {
    std::vector<int> firsts, lasts;  // [row * kDepthCount + depth index], -1 where none
  };

  template <class TReach>
  static TDepthRows DepthRowsOf(int columns, int rows, TReach reach) {
    TDepthRows result{std::vector<int>(size_t(rows) * kDepthCount, -1),
                      std::vector<int>(size_t(rows) * kDepthCount, -1)};
    for (int row = 0; row < rows; ++row)
      for (int column = 0; column < columns; ++column) {
        const int tileReach = reach(column, row);
        for (int d = 0; d < kDepthCount && tileReach >= kDepths[d]; ++d) {
          int& first = result.firsts[size_t(row) * kDepthCount + size_t(d)];
          if (first < 0) first = column;
          result.lasts[size_t(row) * kDepthCount + size_t(d)] = column;
        }
      }
    return result;
  }

  template <class TReach, class TComplete>
  void Build(int columns, int rows, int tile, TReach reach, TComplete complete) {
    const TDepthRows depthRows = DepthRowsOf(columns, rows, reach);
    for (const TTry attempt : kTries) {
      const auto d = size_t(std::find(std::begin(kDepths), std::end(kDepths), attempt.depth) - std::begin(kDepths));
      const std::vector<TPoint> polygon =
          Inwards(FewCorners(ConvexHull(TileCentres(depthRows, d, columns, rows, tile))), attempt.inwards);
      if (polygon.size() < 3) continue;
      if (LiesInCompleteTiles(polygon, columns, rows, tile, complete)) {
        SetRows(polygon, -kBeyond, rows * tile + kBeyond);
        return;
      }
    }
  }

  // The centres of the first and last tile of each row at depth index d.
  static std::vector<TPoint> TileCentres(const TDepthRows& depthRows, size_t d, int columns, int rows, int tile);
  // The polygon with each edge moved `distance` inwards: the corners where
  // the moved edges meet. Whatever it gives is checked before it is used.
  static std::vector<TPoint> Inwards(const std::vector<TPoint>& polygon, double distance);
  // The corners farthest in kMaxEdges directions, in their order: a convex
  // polygon within the hull.
  static std::vector<TPoint> FewCorners(const std::vector<TPoint>& hull);
  // The columns of tiles within kMargin of the polygon along row `row`;
  // empty (first > last) where the polygon does not come near it.
  static std::pair<int, int> ColumnsNear(const std::vector<TPoint>& polygon, int row, int columns, int tile);

  // Whether every tile within kMargin of the polygon is complete, row of
  // tiles by row. Tiles beyond the grid hold nothing to draw.
  template <class TComplete>
  static bool LiesInCompleteTiles(const std::vector<TPoint>& polygon, int columns, int rows, int tile,
                                  TComplete complete) {
    double top = polygon[0].y, bottom = polygon[0].y;
    for (const TPoint& p : polygon) top = std::min(top, p.y), bottom = std::max(bottom, p.y);
    const int firstRow = std::max(FastFloor<int>((top - kMargin) / tile), 0);
    const int lastRow = std::min(FastFloor<int>((bottom + kMargin) / tile), rows - 1);
    for (int row = firstRow; row <= lastRow; ++row) {
      const auto [firstColumn, lastColumn] = ColumnsNear(polygon, row, columns, tile);
      for (int column = firstColumn; column <= lastColumn; ++column)
        if (!complete(column, row)) return false;
    }
    return true;
  }

  // Along each row of pixels, the part inside the polygon.
  void SetRows(const std::vector<TPoint>& polygon, int firstRow, int endRow);

  std::vector<double> m_rowLeft;  // per row of pixels from -kBeyond; empty without a core
  std::vector<double> m_rowRight;
};

}  // namespace geometry::raster

#pragma once

// A call of stamps, drawn last first or in order (internal to the raster fast paths).

#include "geometry/raster_fast_paths.h"
#include "geometry/raster_parts.h"
#include "geometry/raster_rounding.h"
#include "geometry/raster_stamp_tables.h"
#include "geometry/raster_written_pixels.h"

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <new>
#include <span>
#include <utility>
#include <vector>

namespace geometry::raster {

// The pass of a call of stamps: the stamps, premultiplied, with the hot spot
// of the phase nearest each point on its pixel. Steps 3 to 5 of the overview
// in raster_fast_paths.cpp, for stamps.
class TStampPass {
 public:
  // The i-th stamp lies at points[order[i]], or points[i] when `order` is
  // null, and is taken from sets[setOf[i]], or sets[0] when `setOf` is
  // null; the sets share their size, hot spot and phases.
  TStampPass(const TRasterTarget& target, std::span<const TStamps* const> sets, const uint16_t* setOf,
             const int32_t* order, const QPointF* points, int count);

  // The stamps' opaque pixels hide what is beneath them, and any others are
  // left out or are the smoothed edges of opaque shapes.
  bool OpaqueOrClear() const { return m_opaqueOrClear; }
  // 4. Stamps [begin, end), the last first: the last opaque pixel on a pixel
  // is the one seen there.
  void DrawPart(int begin, int end, TWrittenPixels& written, TSurface surface) const;
  // Then the translucent edges, in order, on the pixels no opaque one took.
  void Finish(TWrittenPixels& written) const;
  // 5. All stamps in order, beneath `covered` only on its free pixels.
  void DrawInOrder(int count, const TWrittenPixels* covered) const;

 private:
  // The stamp's pixels on the target: the rectangle [x0, x1) x [y0, y1) of
  // the target holds the stamp's pixel (x - left, y - top).
  struct TPlacement {
    int left, top, x0, x1, y0, y1;
    int phase;
  };
  using TPhase = TStampTables::TPhase;
  using TTileBits = TWrittenPixels::TTileBits;
  // Where the rounding of PlacementOf, without its clamps, puts a stamp
  // wholly off the bounds, or wholly inside: floor(x) - hotSpot.x() is its
  // first column. In device pixels plus `round`.
  struct TQuickLook {
    double dx, dy;  // world to device
    double round;   // half a phase
    double offLeft, offTop, offRight, offBottom;
    double insideLeft, insideTop, insideRight, insideBottom;
    int toGridX, toGridY;   // a point's pixel less these: its stamp's first pixel on the grid
    int gridLeft, gridTop;  // the grid's first pixel on the target
    bool square;            // the stamp fits a tile
    // Of the phases in all the sets, in a tile's layout: where any set is
    // opaque, and where any is translucent.
    const TTileBits* paints;
    const TTileBits* blends;
  };

  // The call's i-th point, wherever the call's order puts it.
  const QPointF& PointOf(int i) const { return m_points[m_order ? m_order[i] : i]; }
  // Starts reading the call's i-th point, for a loop in an order of its own
  // that needs it a few steps later.
  void PrefetchPointOf(int i) const {
    if (m_order && i < m_count) __builtin_prefetch(&m_points[m_order[i]]);
  }
  // The call's points from `first` on: its own points, or a block of them
  // gathered in the call's order.
  struct TPointsFrom {
    const QPointF* points;
    int first;
    const QPointF& operator[](int i) const { return points[i - first]; }
  };
  // Inline, also in its callers' loops: it runs for every stamp the quick
  // looks leave, and for every stamp as the edges are finished. `point` is
  // the call's i-th.
  [[gnu::always_inline]] bool PlacementOf(int i, const QPointF& point, TPlacement& p) const {
    const QRect& b = m_target.bounds;
    const double x = point.x() + m_target.dx;
    const double y = point.y() + m_target.dy;
    if (!IsNear(x, y)) return false;  // also skips NaN
    // In phases: the pixel is the phase's index shifted right.
    const int qx = FastFloor<int>(x * m_phases + 0.5), qy = FastFloor<int>(y * m_phases + 0.5);
    p.left = (qx >> m_phaseShift) - m_hotSpot.x();
    p.top = (qy >> m_phaseShift) - m_hotSpot.y();
    p.phase = (qy & (m_phases - 1)) * m_phases + (qx & (m_phases - 1)) + (m_setOf ? m_setOf[i] * m_phasesPerSet : 0);
    p.x0 = std::max(p.left, b.left());
    p.x1 = std::min(p.left + m_width, b.right() + 1);
    p.y0 = std::max(p.top, b.top());
    p.y1 = std::min(p.top + m_height, b.bottom() + 1);
    return p.x0 < p.x1 && p.y0 < p.y1;
  }
  void ReadQuickLookTables();
  // A stamp DrawPart looked at, by where it lies, so that Finish reads no
  // point: in a call in an order of its own it lies anywhere in memory.
  struct TLooked {
    int left, top;
    int phase;
  };
  // What the quick looks make of a stamp.
  enum TSeen : int {
    kPassedOver,  // wholly off the bounds, among complete tiles, or on written pixels
    kToPlace,     // to be placed, and drawn when it has free pixels
    kLooked,      // placed, some pixel of the phase free in some set
  };
  // The stamp at `point`: wholly off the bounds, or inside them among tiles
  // complete as of `reaches`, it is passed over; small, a look at its square
  // of `squares` tells whether its phase's opaque pixels or edges are free
  // in some set, `at` where it lies, in its phase of the first set, and
  // `square` the written pixels of its square.
  [[gnu::always_inline]] TSeen QuickLook(const QPointF& point, const TQuickLook& look, TWrittenPixels::TReaches reaches,
                                         TWrittenPixels::TSquares squares, TLooked& at, TTileBits& square) const {
    const double x = point.x() + look.dx + look.round, y = point.y() + look.dy + look.round;
    if (!(x >= look.offLeft && x < look.offRight && y >= look.offTop && y < look.offBottom)) return kPassedOver;
    if (!(x >= look.insideLeft && x < look.insideRight && y >= look.insideTop && y < look.insideBottom))
      return kToPlace;
    const int left = int(x) - look.toGridX, top = int(y) - look.toGridY;
    if (reaches.At(left, top) > m_tiles) return kPassedOver;
    if (!look.square) return kToPlace;
    // Stamps in bands thinner than a tile are mostly hidden under later ones
    // of their band, among tiles that are not complete, and most of the rest
    // show only their edges: the written pixels of the stamp's square, with
    // the phase's pixels, tell. The phase is PlacementOf's, x and y being
    // positive here.
    const int phase = (int(y * m_phases) & (m_phases - 1)) * m_phases + (int(x * m_phases) & (m_phases - 1));
    square = squares.At(left, top);
    if (((look.paints[phase] | look.blends[phase]) & ~square) == 0) return kPassedOver;
    at = {left + look.gridLeft, top + look.gridTop, phase};
    return kLooked;
  }
  int NextToLookAt(int from, int begin, TPointsFrom points, const TWrittenPixels& written, TSeen& seen, TLooked& at,
                   TTileBits& square) const;
  // The stamps of the part from `begin` that DrawPart looked at, the last first.
  struct TLookedAt {
    int begin;
    std::vector<TLooked, TScratchAllocator<TLooked>> stamps;  // [0, count) listed, the rest room for more
    size_t count;
  };
  // Makes room for more stamps; false when memory is short.
  static bool GrowLookedAt(TLookedAt& looked) {
    try {
      looked.stamps.resize(std::max<size_t>(2 * looked.stamps.size(), 4096));
      return true;
    } catch (const std::bad_alloc&) {
      return false;
    }
  }
  void DrawRun(int begin, int end, TPointsFrom points, TWrittenPixels& written, TSurface surface, TLookedAt& looked,
               bool& listed) const;
  // push_back without throwing; false when memory is short.
  template <class TItem, class TList>
  static bool ListLookedAt(TList& list, TItem&& item) {
    try {
      list.push_back(std::forward<TItem>(item));
      return true;
    } catch (const std::bad_alloc&) {
      return false;
    }
  }
  // The placement of a stamp with its first pixel at (left, top).
  TPlacement PlacementAt(int left, int top, int phase) const {
    const QRect& b = m_target.bounds;
    return {left,
            top,
            std::max(left, b.left()),
            std::min(left + m_width, b.right() + 1),
            std::max(top, b.top()),
            std::min(top + m_height, b.bottom() + 1),
            phase};
  }
  // Blends the edges of the stamp on the pixels still free.
  void FinishStamp(const TPlacement& p, const TWrittenPixels& written) const;
  void KeepShowingEdges(TLookedAt& looked, TWrittenPixels& written) const;
  bool AnyEdgeFree(const TPlacement& p, const TWrittenPixels& written) const;
  template <class TVisit>
  bool EachFreeEdge(const TPlacement& p, const TWrittenPixels& written, TVisit visit) const;
  bool TilesAreComplete(const TWrittenPixels& written, int x0, int x1, int y0, int y1) const;
  bool DrawOnce(const TPlacement& p, TWrittenPixels& written, TSurface surface) const;
  void ClaimRows(const TPlacement& p, uint64_t rows, TWrittenPixels& written, TSurface surface) const;
  void ClaimSquare(const TPlacement& p, TTileBits free, TWrittenPixels& written, TSurface surface) const;
  // Whether the stamp lies wholly within the bounds.
  bool IsWithin(const TPlacement& p) const {
    return p.x0 == p.left && p.y0 == p.top && p.x1 == p.left + m_width && p.y1 == p.top + m_height;
  }
  // What the rows of a narrow stamp find free: a bit per row with opaque
  // pixels free, and the looks at its edges, not zero when one is free.
  struct TFreeRows {
    uint64_t paints;
    TLook blends;
  };
  TFreeRows LookAtRows(const TPlacement& p, const TWrittenPixels& written) const;
  void ClaimRow(const TPlacement& p, const TPhase& phase, int row, TWrittenPixels& written, TSurface surface) const;
  void BlendRows(const TPlacement& p, const TWrittenPixels* covered) const;

  const TRasterTarget& m_target;
  QPoint m_hotSpot;
  const QPointF* m_points;
  const int32_t* m_order;
  const uint16_t* m_setOf;
  int m_count;
  int m_phases;                                               // along each axis: 1 or TStamps::kPhases
  int m_phaseShift;                                           // log2(m_phases)
  int m_phasesPerSet;                                         // m_phases squared
  std::vector<std::shared_ptr<const TStampTables>> m_tables;  // of each set
  std::vector<TPhase> m_phase;                                // set after set
  bool m_hasEdges = false;
  std::vector<TTileBits> m_anyPaints, m_anyBlends;  // of TQuickLook
  int m_width, m_height;
  int m_stride;  // in pixels
  bool m_opaqueOrClear = true;
  int m_tiles;  // tiles beyond the first one that a stamp may cover, either way
  bool m_narrow;
  TQuickLook m_look;
  // Filled by the parts as they end, for Finish; when a list was short of
  // memory, Finish looks at all stamps.
  mutable std::mutex m_lookedAtMutex;
  mutable std::vector<TLookedAt> m_lookedAt;
  mutable bool m_lookedAtAll = true;
};

}  // namespace geometry::raster

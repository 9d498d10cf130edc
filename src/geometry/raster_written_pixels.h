#pragma once

// The written pixels of a call drawn last first, and the walk of a segment
// that passes over them (internal to the raster fast paths). Header-only but
// for the rare refreshes: the walks and stamps inline the lookups, which a
// call would cost more than they do.

#include "geometry/raster_complete_core.h"
#include "geometry/raster_scratch.h"
#include "geometry/raster_segment_walk.h"

#include <QRect>
#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

namespace geometry::raster {

// A look reads the states of this many neighbouring pixels of a row at once,
// as one 64-bit word: a stamp's row is at most this wide to be looked at so.
constexpr int kLookWidth = 8;
using TLook = uint64_t;
static_assert(sizeof(TLook) == kLookWidth, "one state byte per pixel of a look");

// A look with bytes of 0xFF for its first n pixels, in memory order, and
// zeros for the rest; 0 < n <= kLookWidth.
inline TLook FirstPixelsOfLook(int n) {
  static constexpr std::array<uint8_t, 2 * kLookWidth> kBytes = [] {
    std::array<uint8_t, 2 * kLookWidth> bytes{};
    for (int i = 0; i < kLookWidth; ++i) bytes[size_t(i)] = 0xFF;
    return bytes;
  }();
  assert(n > 0 && n <= kLookWidth);
  TLook look;
  std::memcpy(&look, kBytes.data() + kLookWidth - n, kLookWidth);
  return look;
}

// The pixels a call has written so far, for drawing in reverse order: a
// pixel written once keeps its colour, as the later segment or stamp would
// have painted over the earlier ones. Walks pass over written pixels by the
// kTile x kTile tile: each tile holds its written pixels as the bits of a
// word, and knows its reach, the Chebyshev distance in tiles to the nearest
// tile not complete, so that (reach - 1) rings of complete tiles surround
// it. The grid starts at the bounds' top left corner and is padded to whole
// tiles; padding counts as written, so that tiles along the right and bottom
// edges can complete.
class TWrittenPixels {
 public:
  // Small tiles complete early in dense data; large ones let a reach of one
  // pass over more pixels. Eight pixels a side balance the two.
  static constexpr int kTileShift = 3;
  static constexpr int kTile = 1 << kTileShift;
  // A tile's pixels not free, bit BitOf(x, y) for pixel (x, y): a row of
  // the tile is a byte.
  using TTileBits = uint64_t;
  static_assert(kTile * kTile == 64 && kTile == 8, "a tile's pixels are the bits of a word, a row a byte");
  static TTileBits BitOf(int x, int y) { return TTileBits(1) << ((y & (kTile - 1)) * kTile + (x & (kTile - 1))); }
  static constexpr TTileBits kCompleteTile = ~TTileBits(0);
  static constexpr TTileBits kEachRow = kCompleteTile / 0xFF;  // bit 0 of each row
  // Times kEachRow's bits, gathers bit 0 of row j as bit 56 + j.
  static constexpr TTileBits kRowBitsToByte = 0x0102040810204080;
  using TReach = uint8_t;
  // The reach of tiles with no incomplete tile near: the largest a byte holds.
  static constexpr int kFar = std::numeric_limits<TReach>::max();
  // A refresh takes a few steps per tile; waiting for this many steps of
  // pixel work per tile keeps refreshes a small share of a call's work.
  static constexpr size_t kWorkPerRefreshedTile = 8;

  // Throws std::bad_alloc when the grid does not fit in memory. A core is
  // kept for walks of long segments.
  TWrittenPixels(const QRect& bounds, bool withCore);

  int Left() const { return m_left; }
  int Top() const { return m_top; }
  const TCompleteCore& Core() const { return m_core; }

  // Coordinates from here on are relative to the bounds' top left corner.
  // The reaches as of the last refresh, for loops that look up many of them
  // between writes: a copy of where they lie keeps them out of memory. 0
  // when the tile of pixel (x, y) is not complete.
  struct TReaches {
    const TReach* cells;  // of the grid's first tile
    size_t stride;
    int At(int x, int y) const { return cells[size_t(y >> kTileShift) * stride + size_t(x >> kTileShift)]; }
  };
  TReaches Reaches() const { return {m_reach.data() + size_t(m_columns) + 3, size_t(m_columns) + 2}; }
  int ReachAt(int x, int y) const { return Reaches().At(x, y); }
  bool TileIsComplete(int x, int y) const { return m_tiles[TileIndex(x, y)] == kCompleteTile; }
  // Nothing drawn before can show any more.
  bool IsFull() const { return m_complete == TileCount(); }

  // Marks a pixel written; false when it already was, or lies out of reach.
  bool Claim(int x, int y) {
    ++m_workSinceRefresh;
    return Mark(x, y, kDrawn);
  }

  // Counts looks at pixels that claimed nothing as work.
  void Worked(size_t pixels = 1) { m_workSinceRefresh += pixels; }

  // Marks as out of reach the pixels of each row y outside the columns
  // [first, last] = reach(y), beyond which the call draws nothing. Tiles
  // along the edge of its reach can then complete, a walk passes through
  // them at once, and the call ends once it has drawn all it can.
  template <class TRowReach>
  void ClaimOutside(TRowReach reach) {
    std::vector<uint8_t> completeBefore(TileCount());
    for (size_t tile = 0; tile < TileCount(); ++tile) completeBefore[tile] = m_tiles[tile] == kCompleteTile;
    for (int y = 0; y < (m_rows << kTileShift); ++y) {
      const auto [keepFirst, keepLast] = reach(y);
      const int first = int(std::clamp(keepFirst, 0.0, double(m_width)));
      const int last = int(std::clamp(keepLast, -1.0, double(m_width - 1)));
      for (int x = 0; x < std::min(first, m_width); ++x) Mark(x, y, kOutOfReach);
      for (int x = std::max(last + 1, first); x < m_width; ++x) Mark(x, y, kOutOfReach);
    }
    MarkTilesOutside(completeBefore);
  }

  // Hands each pixel that `earlier` drew and this did not to take(x, y), and
  // holds it as drawn.
  template <class TTake>
  void TakeFrom(const TWrittenPixels& earlier, TTake take) {
    for (int row = 0; row < m_rows; ++row)
      for (int column = 0; column < m_columns; ++column) {
        if (earlier.m_tiles[size_t(row) * size_t(m_columns) + size_t(column)] == 0) continue;
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
  void ForgetOutOfReach();

  // Whether the walks of later calls use a core.
  void UseCore(bool withCore);

  bool IsFree(int x, int y) const { return m_pixels[size_t(y) * size_t(m_width) + size_t(x)] == kFree; }

  // Whether one of pixels (x, y) to (x + kLookWidth - 1, y) is free where
  // `wanted` has a byte of 0xFF (byte i for pixel x + i, in memory order).
  // Counts as the work of claiming them, which the refreshes of the reach
  // keep pace with.
  bool AnyFreeOf(int x, int y, TLook wanted) {
    m_workSinceRefresh += kLookWidth;
    return AnyFreeIn(States().LookAt(x, y), wanted);
  }
  // The pixels' states as they are, for loops that look at many of them
  // between writes: a copy of where they lie keeps it out of memory. The
  // loops count their looks as work (Worked).
  struct TStates {
    const uint8_t* pixels;
    size_t width;
    // The states of pixels (x, y) to (x + kLookWidth - 1, y), for AnyFreeIn.
    TLook LookAt(int x, int y) const {
      TLook states;
      std::memcpy(&states, pixels + size_t(y) * width + size_t(x), kLookWidth);
      return states;
    }
  };
  TStates States() const { return {m_pixels.data(), size_t(m_width)}; }
  // The tiles' bits, for looks at squares of pixels that straddle up to
  // four tiles: a copy of where they lie keeps them out of memory.
  struct TSquares {
    const TTileBits* tiles;
    size_t stride;  // tiles per row
    // The pixels not free of the kTile x kTile square from (x, y), in a
    // tile's layout: bit kTile * j + i for pixel (x + i, y + j). The bits of
    // pixels beyond the grid mean nothing.
    TTileBits At(int x, int y) const {
      const TTileBits* tile = tiles + size_t(y >> kTileShift) * stride + size_t(x >> kTileShift);
      const int down = (y & (kTile - 1)) * kTile, across = x & (kTile - 1);
      // The square's rows in the column of tiles of x and in the next, each
      // from a tile and the one below it (shifted in two steps: 64 bits at
      // once are no shift).
      const TTileBits left = (tile[0] >> down) | ((tile[stride] << 1) << (63 - down));
      const TTileBits right = (tile[1] >> down) | ((tile[stride + 1] << 1) << (63 - down));
      const TTileBits fromLeft = kEachRow * (0xFFu >> across);  // the square's columns in the left tiles
      return ((left >> across) & fromLeft) | ((right << (kTile - across)) & ~fromLeft);
    }
  };
  TSquares Squares() const { return {m_tiles.data(), size_t(m_columns)}; }
  // Bit j set when row j of a square's `bits` has one set.
  static uint64_t RowsOf(TTileBits bits) {
    bits |= bits >> 4, bits |= bits >> 2, bits |= bits >> 1;  // each row's bit 0: any of its bits
    return ((bits & kEachRow) * kRowBitsToByte) >> (64 - kTile);
  }

  // Whether one of the pixels of a look's `states` is free where `wanted`
  // has a byte of 0xFF.
  static bool AnyFreeIn(TLook states, TLook wanted) { return FreeIn(states, wanted) != 0; }
  // Likewise, not zero when one is free: the results of several looks OR
  // together without a branch.
  static TLook FreeIn(TLook states, TLook wanted) {
    constexpr TLook kLowBits = ~TLook(0) / 0xFF;  // 0x01 in every byte
    constexpr TLook kHighBits = kLowBits << 7;    // 0x80 in every byte
    static_assert(kFree == 0, "a zero byte is a free pixel");
    const TLook v = states | ~wanted;  // a zero byte is a free pixel wanted
    return (v - kLowBits) & ~v & kHighBits;
  }

  // Whether one of the pixels of columns [x0, x1] and rows [y0, y1] is
  // free, a look at a time.
  bool AnyFreeIn(int x0, int x1, int y0, int y1) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; x += kLookWidth)
        if (AnyFreeOf(x, y, FirstPixelsOfLook(std::min(kLookWidth, x1 - x + 1)))) return true;
    return false;
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
      if (m_tiles[box.index] == kCompleteTile) continue;
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
  // `fewestCompleted`: the tiles that must have completed since, for calls
  // whose items complete tiles a few at a time, such as markers in bands.
  void RefreshReachWhenWorthIt(size_t fewestCompleted = 1) {
    if (m_completedSinceRefresh >= fewestCompleted && m_workSinceRefresh >= kWorkPerRefreshedTile * TileCount())
      RefreshReach();
  }
  size_t TileCount() const { return size_t(m_columns) * size_t(m_rows); }
  // Brings the reach up to date whenever a tile completed since the last
  // time, before a walk over all of a call's items.
  void RefreshReachIfStale() {
    if (m_completedSinceRefresh > 0) RefreshReach();
  }

 private:
  // What m_pixels holds for each pixel. Padding counts as drawn, so that no
  // part takes it from another.
  enum : uint8_t { kFree, kDrawn, kOutOfReach };
  // A walk draws pixels within kLineReach of its segment: one clear of a
  // tile's box widened by this draws nothing in the tile.
  static constexpr double kFewMargin = kLineReach;
  // Every segment is tested against the listed boxes: a few cost less than
  // the walks they save, many would not.
  static constexpr size_t kFewTiles = 16;

  struct TTileBox {
    size_t index;
    double left, top, right, bottom;
  };

  bool Mark(int x, int y, uint8_t state) {
    uint8_t& pixel = m_pixels[size_t(y) * size_t(m_width) + size_t(x)];
    if (pixel != kFree) return false;
    pixel = state;
    TTileBits& tile = m_tiles[TileIndex(x, y)];
    assert((tile & BitOf(x, y)) == 0 && "a free pixel's bit is clear");
    if ((tile |= BitOf(x, y)) == kCompleteTile) {
      ++m_completedSinceRefresh, ++m_complete;
      if (m_complete + kFewTiles == TileCount()) ListFewIncomplete();
    }
    return true;
  }

  void MarkTilesOutside(const std::vector<uint8_t>& completeBefore);
  void ListFewIncomplete();
  void RefreshReach();

  static int RoundUpToTile(int length) { return (std::max(length, 1) + kTile - 1) / kTile * kTile; }

  size_t TileIndex(int x, int y) const { return size_t(y >> kTileShift) * size_t(m_columns) + size_t(x >> kTileShift); }

  bool m_withCore;
  TCompleteCore m_core;
  int m_left;
  int m_top;
  int m_width;  // in pixels
  int m_columns;
  int m_rows;
  std::vector<uint8_t, TScratchAllocator<uint8_t>> m_pixels;  // one state per pixel, and a look's worth of padding
  std::vector<TTileBits> m_tiles;  // row after row, and a row and a tile of padding for TSquares
  std::vector<uint8_t> m_outside;  // per tile: 1 when out of reach from the start
  std::vector<TReach> m_reach;     // per tile as of the last refresh, with a border of kFar
  size_t m_completedSinceRefresh = 0;
  size_t m_workSinceRefresh = 0;
  size_t m_complete = 0;  // tiles
  bool m_fewListed = false;
  std::vector<TTileBox> m_few;  // incomplete tiles, when m_fewListed
};

// The pixels of WalkSegment that `written` does not hold yet: visit(offset,
// x, y, coverage) with the pixel's offset and its place on the grid. The
// visitor claims the pixels it finishes. From a pixel in a tile of reach r,
// the walk's centre stays among complete tiles for as long as it stays
// within r - 1 tiles of it; the band about it reaches kLineReach pixels
// further, less than a tile, so one ring of the reach is kept for it.
template <bool kXMajor, class TVisit>
void WalkSegmentOnce(const TSegmentWalk& walk, TWrittenPixels& written, TVisit visit) {
  constexpr int kTile = TWrittenPixels::kTile;
  static_assert(kLineReach < kTile, "the band of a line reaches at most one tile beyond its centre");
  const int majorOrigin = kXMajor ? written.Left() : written.Top();
  const int minorOrigin = kXMajor ? written.Top() : written.Left();
  const auto span = unsigned(walk.acrossHigh - walk.acrossLow);
  const int64_t step = walk.step;
  int64_t across = walk.across;
  for (int i = walk.first; i <= walk.last;) {
    const int j = int(across >> kFixedShift);
    const int major = i - majorOrigin;
    if (unsigned(j - walk.acrossLow) <= span) {
      const int minor = j - minorOrigin;
      const int reach = (kXMajor ? written.ReachAt(major, minor) : written.ReachAt(minor, major)) - 1;
      if (reach > 0) {
        // Along the axis to the far side of the square; across it, no
        // further than the square's side the walk heads for.
        const int rings = (reach - 1) * kTile;
        int further = rings + (kTile - 1 - (major & (kTile - 1)));
        const int jEnd =
            std::clamp(int((across + int64_t(further) * step) >> kFixedShift), walk.acrossLow, walk.acrossHigh);
        const int tileLow = (minor & -kTile) - rings, tileHigh = (minor & -kTile) + kTile - 1 + rings;
        const int minorEnd = jEnd - minorOrigin;
        if (minorEnd < tileLow || minorEnd > tileHigh)
          further = rings + (step >= 0 ? kTile - 1 - (minor & (kTile - 1)) : minor & (kTile - 1));
        i += further + 1;
        across += int64_t(further + 1) * step;
        continue;
      }
    }
    // An incomplete tile, or the edge of the bounds: pixel by pixel to the
    // end of the tile along the axis, unless the pixels the band may cover
    // on the way are written already, as along the edges of dense data.
    const int tileEnd = std::min(walk.last, i + (kTile - 1 - (major & (kTile - 1))));
    const int64_t acrossEnd = across + int64_t(tileEnd - i) * step;
    const int bandLow = std::max(int((std::min(across, acrossEnd) - walk.half) >> kFixedShift), walk.acrossLow);
    const int bandHigh = std::min(int((std::max(across, acrossEnd) + walk.half) >> kFixedShift), walk.acrossHigh);
    const int majorEnd = tileEnd - majorOrigin, minorLow = bandLow - minorOrigin, minorHigh = bandHigh - minorOrigin;
    if (bandLow > bandHigh || !(kXMajor ? written.AnyFreeIn(major, majorEnd, minorLow, minorHigh)
                                        : written.AnyFreeIn(minorLow, minorHigh, major, majorEnd))) {
      across = acrossEnd + step;
      i = tileEnd + 1;
      continue;
    }
    for (; i <= tileEnd; ++i, across += step)
      VisitBand(walk, across, [&](int jj, uint32_t coverage) {
        const int x = kXMajor ? i - majorOrigin : jj - minorOrigin, y = kXMajor ? jj - minorOrigin : i - majorOrigin;
        written.Worked();
        if (written.IsFree(x, y)) visit(size_t(i) * walk.majorStep + size_t(jj) * walk.minorStep, x, y, coverage);
      });
  }
}

}  // namespace geometry::raster

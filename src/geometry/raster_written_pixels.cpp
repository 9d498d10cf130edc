#include "geometry/raster_written_pixels.h"

#include <utility>

namespace geometry::raster {

TWrittenPixels::TWrittenPixels(const QRect& bounds, bool withCore)
    : m_withCore(withCore),
      m_left(bounds.left()),
      m_top(bounds.top()),
      m_width(RoundUpToTile(bounds.width())),
      m_columns(m_width >> kTileShift),
      m_rows(RoundUpToTile(bounds.height()) >> kTileShift) {
  const int height = m_rows << kTileShift;
  m_pixels.assign(size_t(m_width) * size_t(height) + kLookWidth, kFree);  // a look may read past the last pixel
  m_tiles.assign(TileCount() + size_t(m_columns) + 1, 0);
  m_reach.assign((size_t(m_columns) + 2) * (size_t(m_rows) + 2), TReach(kFar));
  for (int y = 0; y < height; ++y)
    for (int x = y < bounds.height() ? bounds.width() : 0; x < m_width; ++x) Claim(x, y);
  RefreshReach();
}

// Tiles that ClaimOutside completed lie wholly out of reach, beyond what the
// core may hold.
void TWrittenPixels::MarkTilesOutside(const std::vector<uint8_t>& completeBefore) {
  m_outside.assign(TileCount(), 0);
  for (size_t tile = 0; tile < TileCount(); ++tile)
    m_outside[tile] = m_tiles[tile] == kCompleteTile && !completeBefore[tile];
  RefreshReach();
}

void TWrittenPixels::ForgetOutOfReach() {
  if (m_outside.empty()) return;
  for (int y = 0; y < (m_rows << kTileShift); ++y) {
    uint8_t* const row = m_pixels.data() + size_t(y) * size_t(m_width);
    for (int x = 0; x < m_width; ++x) {
      if (row[x] != kOutOfReach) continue;
      row[x] = kFree;
      TTileBits& tile = m_tiles[TileIndex(x, y)];
      if (std::exchange(tile, tile & ~BitOf(x, y)) == kCompleteTile) --m_complete;
    }
  }
  m_outside.clear();
  RefreshReach();
}

void TWrittenPixels::UseCore(bool withCore) {
  if (withCore == m_withCore) return;
  m_withCore = withCore;
  RefreshReach();
}

// The boxes of the incomplete tiles, once there are at most kFewTiles; tiles
// completed since stay listed and are passed over.
void TWrittenPixels::ListFewIncomplete() {
  m_few.clear();
  m_fewListed = m_complete + kFewTiles >= TileCount();
  if (!m_fewListed) return;
  for (size_t index = 0; index < TileCount(); ++index) {
    if (m_tiles[index] == kCompleteTile) continue;
    const double left = double(index % size_t(m_columns) * kTile), top = double(index / size_t(m_columns) * kTile);
    m_few.push_back({index, left - kFewMargin, top - kFewMargin, left + kTile + kFewMargin, top + kTile + kFewMargin});
  }
}

// Two passes of the 3 x 3 chamfer give the exact Chebyshev distance. The
// border around the grid holds nothing to draw: as good as complete.
void TWrittenPixels::RefreshReach() {
  const ptrdiff_t stride = ptrdiff_t(m_columns) + 2;
  TReach* const reach = m_reach.data();
  for (int row = 0; row < m_rows; ++row) {
    const TTileBits* tiles = m_tiles.data() + size_t(row) * size_t(m_columns);
    TReach* cell = reach + (row + 1) * stride + 1;
    for (int column = 0; column < m_columns; ++column, ++cell) {
      const int nearest = std::min({cell[-1], cell[-1 - stride], cell[-stride], cell[1 - stride]});
      *cell = tiles[column] == kCompleteTile ? TReach(std::min(kFar, nearest + 1)) : 0;
    }
  }
  for (int row = m_rows - 1; row >= 0; --row) {
    TReach* cell = reach + (row + 1) * stride + m_columns;
    for (int column = m_columns - 1; column >= 0; --column, --cell) {
      const int nearest = std::min({cell[1], cell[1 + stride], cell[stride], cell[stride - 1]});
      *cell = TReach(std::min<int>(*cell, nearest + 1));
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
        [&](int column, int row) { return m_tiles[size_t(row) * size_t(m_columns) + size_t(column)] == kCompleteTile; });
}

}  // namespace geometry::raster

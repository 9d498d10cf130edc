#include "geometry/raster_written_pixels.h"

#include <gtest/gtest.h>

#include <QRect>
#include <random>

using geometry::raster::TWrittenPixels;

namespace {

// A square read at once holds the same pixels as one read pixel by pixel,
// wherever it starts among the tiles, up to the grid's last row and column;
// bounds of whole tiles and of a tile and a bit pad differently.
TEST(RasterWrittenPixels, ASquareHoldsThePixelsNotFreeFromItsCorner) {
  constexpr int kTile = TWrittenPixels::kTile;
  for (const QRect bounds : {QRect(5, 7, 21, 19), QRect(0, 0, 24, 16)}) {
    TWrittenPixels written(bounds, false);
    std::mt19937 random(3);
    for (int y = 0; y < bounds.height(); ++y)
      for (int x = 0; x < bounds.width(); ++x)
        if (random() % 5 < 2) written.Claim(x, y);
    const int gridWidth = (bounds.width() + kTile - 1) / kTile * kTile;
    const int gridHeight = (bounds.height() + kTile - 1) / kTile * kTile;
    for (int y = 0; y < gridHeight; ++y)
      for (int x = 0; x < gridWidth; ++x) {
        const TWrittenPixels::TTileBits square = written.Squares().At(x, y);
        for (int j = 0; j < kTile && y + j < gridHeight; ++j) {
          bool rowHasOne = false;
          for (int i = 0; i < kTile && x + i < gridWidth; ++i) {
            const bool notFree = (square & TWrittenPixels::BitOf(i, j)) != 0;
            ASSERT_EQ(notFree, !written.IsFree(x + i, y + j)) << bounds.width() << " " << x << "," << y << " +" << i
                                                               << "," << j;
            rowHasOne = rowHasOne || notFree;
          }
          if (x + kTile <= gridWidth) {
            ASSERT_EQ((TWrittenPixels::RowsOf(square) >> j) & 1, uint64_t(rowHasOne)) << x << "," << y << " row " << j;
          }
        }
      }
  }
}

}  // namespace

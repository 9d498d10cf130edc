#include "geometry/raster_scratch.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

using geometry::raster::TScratch;

namespace {

// A repaint takes blocks of the sizes the last one gave back: it gets those
// very blocks, whose pages are mapped already.
TEST(RasterScratch, ABlockGivenBackIsTakenAgainForItsSize) {
  constexpr size_t kBytes = 3 * TScratch::kSmallest + 16;
  void* const first = TScratch::Take(kBytes);
  TScratch::Give(first, kBytes);
  void* const larger = TScratch::Take(kBytes + 1);
  EXPECT_NE(larger, first) << "only a block of the same size is taken again";
  void* const again = TScratch::Take(kBytes);
  EXPECT_EQ(again, first);
  TScratch::Give(again, kBytes);
  TScratch::Give(larger, kBytes + 1);
}

// No more than kMostKept bytes wait for a call that may never come: the
// oldest blocks go first.
TEST(RasterScratch, KeepsAtMostItsLimitTheLatestFirst) {
  constexpr size_t kBytes = TScratch::kMostKept / 4;
  std::vector<void*> blocks;
  for (int i = 0; i < 6; ++i) blocks.push_back(TScratch::Take(kBytes));
  for (void* block : blocks) TScratch::Give(block, kBytes);
  std::vector<void*> again;
  for (int i = 0; i < 4; ++i) again.push_back(TScratch::Take(kBytes));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(again[size_t(i)], blocks[size_t(5 - i)]) << i;
  for (void* block : again) TScratch::Give(block, kBytes);
}

}  // namespace

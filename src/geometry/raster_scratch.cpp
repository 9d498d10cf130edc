#include "geometry/raster_scratch.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace geometry::raster {

namespace {

struct TBlock {
  void* memory;
  size_t bytes;
};

// The blocks kept, the latest last.
struct TKept {
  std::mutex mutex;
  std::vector<TBlock> blocks;
  size_t bytes = 0;
};

// Never destroyed: a call may give its blocks back as the program ends.
TKept& Kept() {
  static TKept* const kept = new TKept;
  return *kept;
}

}  // namespace

void* TScratch::Take(size_t bytes) {
  if (bytes >= kSmallest) {
    TKept& kept = Kept();
    const std::lock_guard lock(kept.mutex);
    const auto same = std::find_if(kept.blocks.rbegin(), kept.blocks.rend(),
                                   [&](const TBlock& block) { return block.bytes == bytes; });
    if (same != kept.blocks.rend()) {
      void* const memory = same->memory;
      kept.bytes -= bytes;
      kept.blocks.erase(std::next(same).base());
      return memory;
    }
  }
  return ::operator new(bytes);
}

void TScratch::Give(void* block, size_t bytes) noexcept {
  if (!block) return;
  if (bytes < kSmallest || bytes > kMostKept) return ::operator delete(block);
  TKept& kept = Kept();
  const std::lock_guard lock(kept.mutex);
  try {
    kept.blocks.push_back({block, bytes});
  } catch (const std::bad_alloc&) {
    return ::operator delete(block);
  }
  kept.bytes += bytes;
  // The oldest go first.
  size_t dropped = 0;
  while (kept.bytes > kMostKept) kept.bytes -= kept.blocks[dropped++].bytes;
  for (size_t i = 0; i < dropped; ++i) ::operator delete(kept.blocks[i].memory);
  kept.blocks.erase(kept.blocks.begin(), kept.blocks.begin() + ptrdiff_t(dropped));
}

}  // namespace geometry::raster

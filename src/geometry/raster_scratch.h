#pragma once

// Memory kept from one call of the raster fast paths to the next (internal
// to them).

#include <cstddef>
#include <memory>
#include <new>

namespace geometry::raster {

// A repaint draws the same calls again and again, each taking buffers and
// grids of megabytes for a few milliseconds. Fresh from the system, their
// pages fault on first touch, which costs more than the drawing on some
// machines; blocks given back here are kept for the next call that asks
// for the same size. Safe from any thread.
class TScratch {
 public:
  // Blocks smaller than this come from the heap's own free lists anyway.
  static constexpr size_t kSmallest = size_t(64) << 10;
  // Kept in all, at most: the blocks of one million-point repaint, and not
  // those of a poster-sized export.
  static constexpr size_t kMostKept = size_t(64) << 20;

  // Throws std::bad_alloc.
  static void* Take(size_t bytes);
  // `bytes` as taken.
  static void Give(void* block, size_t bytes) noexcept;
};

// For containers of the fast paths' large buffers.
template <class T>
struct TScratchAllocator {
  using value_type = T;
  TScratchAllocator() = default;
  template <class U>
  TScratchAllocator(const TScratchAllocator<U>&) {}
  T* allocate(size_t n) {
    if (n > size_t(-1) / sizeof(T)) throw std::bad_array_new_length();
    return static_cast<T*>(TScratch::Take(n * sizeof(T)));
  }
  void deallocate(T* block, size_t n) noexcept { TScratch::Give(block, n * sizeof(T)); }
  template <class U>
  bool operator==(const TScratchAllocator<U>&) const {
    return true;
  }
};

// An array of `count` items left as they are, given back when it goes.
template <class T>
struct TScratchArray {
  struct TGive {
    size_t count;
    void operator()(T* items) const noexcept { TScratch::Give(items, count * sizeof(T)); }
  };
  using TPointer = std::unique_ptr<T[], TGive>;
  static TPointer Take(size_t count) { return TPointer(TScratchAllocator<T>().allocate(count), TGive{count}); }
};

}  // namespace geometry::raster

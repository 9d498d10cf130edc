#include "model/memory_advice.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace model {

namespace {

// Advises the whole pages of `page` bytes inside data[0, size) only: the
// advice applies to pages, and the memory around the buffer is not ours.
[[maybe_unused]] void AdviseWholePages(void* data, size_t size, uintptr_t page, int advice) {
#if defined(__linux__)
  const auto begin = (reinterpret_cast<uintptr_t>(data) + page - 1) & ~(page - 1);
  const auto end = (reinterpret_cast<uintptr_t>(data) + size) & ~(page - 1);
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, advice);
#else
  (void)data, (void)size, (void)page, (void)advice;
#endif
}

}  // namespace

void AdviseLargeBuffer(void* data, size_t size) {
#if defined(MADV_HUGEPAGE)
  constexpr uintptr_t kHugePage = uintptr_t(2) << 20;
  if (size >= 4 * kHugePage) AdviseWholePages(data, size, kHugePage, MADV_HUGEPAGE);
#else
  (void)data, (void)size;
#endif
}

void ReleaseBufferFront(void* data, size_t size) {
#if defined(MADV_DONTNEED)
  AdviseWholePages(data, size, uintptr_t(sysconf(_SC_PAGESIZE)), MADV_DONTNEED);
#else
  (void)data, (void)size;
#endif
}

}  // namespace model

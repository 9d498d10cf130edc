#pragma once

// Drawing a call last first, in parts on threads of their own (internal to
// the raster fast paths).

#include "geometry/raster_fast_paths.h"
#include "geometry/raster_scratch.h"
#include "geometry/raster_written_pixels.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace geometry::raster {

// Drawing last first pays for its grid of written pixels when a call draws
// far more pixels than its bounds hold. Below these counts, or on bounds
// much larger than the work, the calls draw in order.
constexpr int kReverseMinimumSegments = 1024;
constexpr int kReverseMinimumStamps = 1024;
// The grid costs a byte per pixel of the bounds, cleared and passed over:
// more pixels per item than this cost more than the overdraw saves.
constexpr int64_t kReverseAreaPerItem = 64;

inline bool WorthDrawingInReverse(const QRect& bounds, int items, int minimum) {
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
class TParts {
 public:
  // A part pays for a thread, a buffer and a grid the size of the bounds:
  // it needs this many items to earn them.
  static constexpr int kItemsPerPart = 32768;
  // Every part adds a buffer and a grid to merge, over memory the cores
  // share: more parts than this cost more than they save.
  static constexpr int kMaxParts = 4;

  // Given a cover, every part starts from it and it ends holding what they
  // drew too. Nothing is allocated yet.
  TParts(const TRasterTarget& target, int items, TWrittenPixels* cover, bool onePart);

  // Allocates the parts, fewer when memory is short; false when there is not
  // even enough for one, which never happens with a cover.
  bool Prepare(bool withCore);

  int Count() const { return m_count; }
  // The items [begin, end) of a part.
  std::pair<int, int> ItemsOf(int part) const {
    return {int(int64_t(m_items) * part / m_count), int(int64_t(m_items) * (part + 1) / m_count)};
  }
  TWrittenPixels& WrittenOf(int part) { return part + 1 == m_count ? *m_last : m_earlier[size_t(part)]; }
  TSurface SurfaceOf(int part) const {
    return part + 1 == m_count ? TSurface{m_target.pixels, 0} : TSurface{m_buffers[size_t(part)].get(), m_firstOffset};
  }

  // Takes the earlier parts' pixels where no later part drew.
  void Merge();

 private:
  const TRasterTarget& m_target;
  int m_items;
  int m_count;
  TWrittenPixels* m_cover;
  size_t m_firstOffset;                 // the target's offset of the bounds' first pixel
  std::optional<TWrittenPixels> m_own;  // the last part's, without a cover
  TWrittenPixels* m_last = nullptr;     // the last part's: the cover itself when there is one
  std::vector<TWrittenPixels> m_earlier;
  std::vector<TScratchArray<uint32_t>::TPointer> m_buffers;  // left as they are: only written pixels are read
};

// How a call is drawn last first.
struct TLastFirst {
  bool withCore = false;  // for long segments
  bool onePart = false;   // for passes whose pixels blend: only written pixels merge
};

// Calls pass.DrawPart(begin, end, written, surface) for each part [begin,
// end) of the items, on threads of their own but the last, then
// pass.Finish(written) with all that the parts wrote. False, drawing
// nothing, when memory is short even for one part; never with a cover.
template <class TPass>
bool DrawLastFirst(const TRasterTarget& target, int items, TLastFirst how, TWrittenPixels* cover, const TPass& pass) {
  const bool withCore = how.withCore;
  TParts parts(target, items, cover, how.onePart);
  if (!parts.Prepare(withCore)) return false;
  auto run = [&](int part) {
    const auto [begin, end] = parts.ItemsOf(part);
    pass.DrawPart(begin, end, parts.WrittenOf(part), parts.SurfaceOf(part));
  };
  {
    std::vector<std::jthread> threads;
    for (int part = 0; part + 1 < parts.Count(); ++part) {
      try {
        if (threads.capacity() == 0) threads.reserve(size_t(parts.Count()));
        threads.emplace_back(run, part);
      } catch (const std::exception&) {  // no thread to be had: this one draws the part
        run(part);
      }
    }
    run(parts.Count() - 1);
  }
  parts.Merge();
  pass.Finish(parts.WrittenOf(parts.Count() - 1));
  return true;
}

}  // namespace geometry::raster

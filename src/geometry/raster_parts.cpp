#include "geometry/raster_parts.h"

#include <algorithm>
#include <new>

namespace geometry::raster {

namespace {

int PartsFor(int items) {
  const int cores = int(std::min(std::thread::hardware_concurrency(), unsigned(TParts::kMaxParts)));
  return std::clamp(std::min(cores, items / TParts::kItemsPerPart), 1, TParts::kMaxParts);
}

}  // namespace

TParts::TParts(const TRasterTarget& target, int items, TWrittenPixels* cover, bool onePart)
    : m_target(target),
      m_items(items),
      m_count(onePart ? 1 : PartsFor(items)),
      m_cover(cover),
      m_firstOffset(size_t(target.bounds.top()) * size_t(target.stride) + size_t(target.bounds.left())) {}

bool TParts::Prepare(bool withCore) {
  const QRect& b = m_target.bounds;
  const size_t bufferSize = size_t(b.height() - 1) * size_t(m_target.stride) + size_t(b.width());
  if (m_cover) m_cover->ForgetOutOfReach();
  try {
    if (!m_cover) m_own.emplace(b, withCore);
    m_earlier.reserve(size_t(m_count - 1));
    m_buffers.reserve(size_t(m_count - 1));
    for (int part = 0; part + 1 < m_count; ++part) {
      m_earlier.push_back(m_cover ? *m_cover : TWrittenPixels(b, withCore));
      m_buffers.push_back(TScratchArray<uint32_t>::Take(bufferSize));
    }
  } catch (const std::bad_alloc&) {
    if (!m_cover && !m_own) return false;
    m_count = 1;
    m_earlier.clear();
    m_buffers.clear();
  }
  m_last = m_cover ? m_cover : &*m_own;
  for (TWrittenPixels& part : m_earlier) part.UseCore(withCore);
  m_last->UseCore(withCore);
  return true;
}

void TParts::Merge() {
  const auto stride = size_t(m_target.stride);
  for (int part = m_count - 2; part >= 0; --part) {
    const uint32_t* buffer = m_buffers[size_t(part)].get();
    m_last->TakeFrom(m_earlier[size_t(part)], [&](int x, int y) {
      const size_t offset = size_t(y) * stride + size_t(x);
      m_target.pixels[m_firstOffset + offset] = buffer[offset];
    });
  }
}

}  // namespace geometry::raster

#include "geometry/raster_stamp_tables.h"

#include "geometry/raster_blend.h"

#include <algorithm>
#include <cassert>

namespace geometry {

void TStamps::Prepare() { tables = images.empty() ? nullptr : std::make_shared<const raster::TStampTables>(*this); }

namespace raster {

TStampTables::TStampTables(const TStamps& stamps) {
  assert(!stamps.images.empty() && "a set has a stamp per phase");
  const int width = stamps.images.front().width(), height = stamps.images.front().height();
  const bool narrow = IsNarrow(width, height);
  for (const QImage& image : stamps.images) {
    assert(image.size() == QSize(width, height) && "the stamps of a set are of one size");
    m_sources.push_back(image.format() == QImage::Format_ARGB32_Premultiplied
                            ? image
                            : image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
  }
  m_stride = int(m_sources.front().bytesPerLine() / 4);
  const size_t count = m_sources.size(), rows = size_t(height), looks = narrow ? rows * kPaintsStride : 0;
  m_rowIsOpaque.assign(count * rows, 0);
  m_paints.assign(count * looks, 0);
  m_blends.assign(count * looks, 0);
  std::vector<size_t> edgesEnd;
  std::vector<std::pair<TWrittenPixels::TTileBits, TWrittenPixels::TTileBits>> squares(count, {0, 0});
  for (size_t index = 0; index < count; ++index) {
    const auto* const pixels = reinterpret_cast<const uint32_t*>(m_sources[index].constBits());
    for (int row = 0; row < height; ++row) {
      const uint32_t* line = pixels + size_t(row) * size_t(m_stride);
      m_rowIsOpaque[index * rows + size_t(row)] =
          std::all_of(line, line + width, [](uint32_t p) { return (p >> 24) == 0xFF; });
      for (int col = 0; col < width; ++col) {
        const bool opaque = (line[col] >> 24) == 0xFF, edge = !IsOpaqueOrClear(line[col]);
        if (narrow) {
          const size_t at = index * looks + size_t(row) * kPaintsStride + size_t(col);
          m_paints[at] = opaque ? 0xFF : 0;
          m_blends[at] = edge ? 0xFF : 0;
        }
        if (FitsATile(width, height)) {
          if (opaque) squares[index].first |= TWrittenPixels::BitOf(col, row);
          if (edge) squares[index].second |= TWrittenPixels::BitOf(col, row);
        }
        if (edge) m_edges.emplace_back(col, row);
      }
    }
    edgesEnd.push_back(m_edges.size());
  }
  // The arrays are whole: the phases may point into them.
  for (size_t index = 0; index < count; ++index) {
    const size_t firstEdge = index == 0 ? 0 : edgesEnd[index - 1];
    m_phases.push_back({reinterpret_cast<const uint32_t*>(m_sources[index].constBits()),
                        m_rowIsOpaque.data() + index * rows,
                        m_paints.data() + index * looks,
                        m_blends.data() + index * looks,
                        {m_edges.data() + firstEdge, edgesEnd[index] - firstEdge},
                        squares[index].first,
                        squares[index].second});
  }
}

}  // namespace raster
}  // namespace geometry

#include "geometry/raster_stamp_pass.h"

#include "geometry/raster_blend.h"
#include "geometry/raster_rounding.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstring>
#include <new>

namespace geometry::raster {

namespace {

static_assert((TStamps::kPhases & (TStamps::kPhases - 1)) == 0, "phases are a power of two");
constexpr int kPhaseShift = std::countr_zero(unsigned(TStamps::kPhases));
// Stamps drawn in bands of one colour after another complete a few tiles
// at a time, each refresh of the reach passing over all of them: a refresh
// waits until one tile in this many has completed since the last. Stamps in random order
// complete tiles by the hundred.
constexpr size_t kTilesPerRefresh = 32;
// A call in an order of its own takes its points a block at a time, the
// reads of a block going on together and asked for kGatherAhead points
// ahead, and reads ahead of the points it looks at one by one.
constexpr int kGatherBlock = 2048;
constexpr int kGatherAhead = 64;
constexpr int kReadAhead = 16;

}  // namespace

TStampPass::TStampPass(const TRasterTarget& target, std::span<const TStamps* const> sets, const uint16_t* setOf,
                       const int32_t* order, const QPointF* points, int count)
    : m_target(target),
      m_hotSpot(sets.front()->hotSpot),
      m_points(points),
      m_order(order),
      m_setOf(setOf),
      m_count(count),
      m_phases(sets.front()->Phases()),
      m_phaseShift(m_phases == 1 ? 0 : kPhaseShift),
      m_phasesPerSet(m_phases * m_phases),
      m_width(sets.front()->images.front().width()),
      m_height(sets.front()->images.front().height()),
      m_stride(0),
      m_tiles((std::max(m_width, m_height) + TWrittenPixels::kTile - 1) / TWrittenPixels::kTile),
      m_narrow(TStampTables::IsNarrow(m_width, m_height)) {
  bool solid = true;
  m_phase.reserve(sets.size() * sets.front()->images.size());
  for (const TStamps* stamps : sets) {
    assert(stamps->SharesPlacementWith(*sets.front()) && "the sets of a pass are placed alike");
    solid &= stamps->solid;
    const std::shared_ptr<const TStampTables>& tables =
        m_tables.emplace_back(stamps->tables ? stamps->tables : std::make_shared<const TStampTables>(*stamps));
    assert(tables->Phases().size() == stamps->images.size() && "the tables were made of the stamps as they are");
    m_phase.insert(m_phase.end(), tables->Phases().begin(), tables->Phases().end());
    m_hasEdges = m_hasEdges || tables->HasEdges();
    m_stride = tables->Stride();
    assert(m_stride == m_tables.front()->Stride() && "the stamps of the sets are of one size");
  }
  m_opaqueOrClear = !m_hasEdges || solid;
  const QRect& b = target.bounds;
  const int x = m_hotSpot.x(), y = m_hotSpot.y();
  m_look = {.dx = target.dx,
            .dy = target.dy,
            .round = 0.5 / m_phases,
            .offLeft = double(b.left() + x - m_width + 1),
            .offTop = double(b.top() + y - m_height + 1),
            .offRight = double(b.right() + x + 1),
            .offBottom = double(b.bottom() + y + 1),
            .insideLeft = double(std::max(b.left() + x, 0)),
            .insideTop = double(std::max(b.top() + y, 0)),
            .insideRight = double(b.right() + 2 - m_width + x),
            .insideBottom = double(b.bottom() + 2 - m_height + y),
            .toGridX = x + b.left(),
            .toGridY = y + b.top(),
            .gridLeft = b.left(),
            .gridTop = b.top(),
            .square = TStampTables::FitsATile(m_width, m_height),
            .paints = nullptr,
            .blends = nullptr};
  ReadQuickLookTables();
}

// The quick looks' tables: a phase of one set stands for all, with the
// opaque and translucent pixels of any.
void TStampPass::ReadQuickLookTables() {
  m_anyPaints.assign(size_t(m_phasesPerSet), 0);
  m_anyBlends.assign(size_t(m_phasesPerSet), 0);
  for (size_t index = 0; index < m_phase.size(); ++index) {
    m_anyPaints[index % size_t(m_phasesPerSet)] |= m_phase[index].paintSquare;
    m_anyBlends[index % size_t(m_phasesPerSet)] |= m_phase[index].blendSquare;
  }
  m_look.paints = m_anyPaints.data();
  m_look.blends = m_anyBlends.data();
}

// The last point before `from` whose stamp the quick looks leave, with what
// they saw of it; below `begin` when none. Most stamps lie wholly off the
// bounds, as a zoom leaves them, or wholly inside among complete tiles: one
// look at the reach of their first tile passes over those. NaN lies off the
// bounds. Nothing is written meanwhile, which keeps the bounds and reaches
// in registers.
int TStampPass::NextToLookAt(int from, int begin, TPointsFrom points, const TWrittenPixels& written, TSeen& seen,
                             TLooked& at, TTileBits& square) const {
  const TQuickLook look = m_look;
  const TWrittenPixels::TReaches reaches = written.Reaches();
  const TWrittenPixels::TSquares squares = written.Squares();
  for (int i = from - 1; i >= begin; --i)
    if ((seen = QuickLook(points[i], look, reaches, squares, at, square)) != kPassedOver) return i;
  return begin - 1;
}

bool TStampPass::TilesAreComplete(const TWrittenPixels& written, int x0, int x1, int y0, int y1) const {
  constexpr int kTile = TWrittenPixels::kTile;
  for (int ty = y0 & -kTile; ty < y1; ty += kTile)
    for (int tx = x0 & -kTile; tx < x1; tx += kTile)
      if (!written.TileIsComplete(tx, ty)) return false;
  return true;
}

void TStampPass::DrawPart(int begin, int end, TWrittenPixels& written, TSurface surface) const {
  TLookedAt looked{begin, {}, 0};
  bool listed = true;
  if (!m_order) {
    DrawRun(begin, end, {m_points, 0}, written, surface, looked, listed);
  } else {
    std::array<QPointF, kGatherBlock> block;
    for (int blockEnd = end; blockEnd > begin && !written.IsFull();) {
      const int blockBegin = std::max(begin, blockEnd - kGatherBlock);
      for (int i = blockBegin; i < blockEnd; ++i) {
        if (i + kGatherAhead < blockEnd) __builtin_prefetch(&m_points[m_order[i + kGatherAhead]]);
        block[size_t(i - blockBegin)] = m_points[m_order[i]];
      }
      DrawRun(blockBegin, blockEnd, {block.data(), blockBegin}, written, surface, looked, listed);
      blockEnd = blockBegin;
    }
  }
  if (listed) KeepShowingEdges(looked, written);
  // Parts run on threads of their own, where nothing may throw.
  const std::lock_guard lock(m_lookedAtMutex);
  if (listed) listed = ListLookedAt(m_lookedAt, std::move(looked));
  m_lookedAtAll = m_lookedAtAll && listed;
}

// The stamps [begin, end) of a part, the last first, listing in `looked`
// those with pixels left to show while `listed` holds.
void TStampPass::DrawRun(int begin, int end, TPointsFrom points, TWrittenPixels& written, TSurface surface,
                         TLookedAt& looked, bool& listed) const {
  const QRect& b = m_target.bounds;
  const size_t tilesPerRefresh = std::max<size_t>(written.TileCount() / kTilesPerRefresh, 1);
  TSeen seen = kToPlace;
  TLooked at{};
  TTileBits square = 0;
  for (int i = NextToLookAt(end, begin, points, written, seen, at, square); i >= begin && !written.IsFull();
       i = NextToLookAt(i, begin, points, written, seen, at, square)) {
    written.RefreshReachWhenWorthIt(tilesPerRefresh);
    TPlacement p;
    if (seen == kLooked) {  // placed by the quick looks, which looked at its reach too
      p = PlacementAt(at.left, at.top, at.phase + (m_setOf ? m_setOf[i] * m_phasesPerSet : 0));
    } else {
      if (!PlacementOf(i, points[i], p)) continue;
      const int x0 = p.x0 - b.left(), x1 = p.x1 - b.left(), y0 = p.y0 - b.top(), y1 = p.y1 - b.top();
      if (written.ReachAt(x0, y0) > m_tiles || (!m_narrow && TilesAreComplete(written, x0, x1, y0, y1))) continue;
    }
    // Listed without a branch: about half the stamps of bands show.
    if (looked.count == looked.stamps.size()) listed = listed && GrowLookedAt(looked);
    bool shows = true;
    if (seen == kToPlace)
      shows = DrawOnce(p, written, surface);
    else
      ClaimSquare(p, m_phase[size_t(p.phase)].paintSquare & ~square, written, surface);
    if (!listed) continue;
    looked.stamps[looked.count] = {p.left, p.top, p.phase};
    looked.count += shows;
  }
}

// The stamp's opaque pixels that no later stamp wrote, row by row; a narrow
// row that has none is passed over on one look. Whether the stamp had a
// free pixel left, opaque or on its edges: one without has nothing to
// show when the edges are finished, as written pixels stay as they are.
// Stamps drawn in bands of one colour after another meet the band's edge
// again and again: the quick looks pass over those wholly hidden under
// later ones of their band, and most of the rest show only their edges.
bool TStampPass::DrawOnce(const TPlacement& p, TWrittenPixels& written, TSurface surface) const {
  const TPhase& phase = m_phase[size_t(p.phase)];
  if (!m_narrow) {
    for (int row = p.y0; row < p.y1; ++row) ClaimRow(p, phase, row, written, surface);
    return true;
  }
  const TFreeRows free = LookAtRows(p, written);
  ClaimRows(p, free.paints, written, surface);
  return (free.paints | free.blends) != 0;
}

// The opaque pixels still free on the rows of a narrow stamp whose bits are
// set in `rows`, the first row of the stamp within the bounds being bit 0.
void TStampPass::ClaimRows(const TPlacement& p, uint64_t rows, TWrittenPixels& written, TSurface surface) const {
  const TPhase& phase = m_phase[size_t(p.phase)];
  written.Worked(size_t(p.y1 - p.y0) * kLookWidth);
  for (; rows != 0; rows &= rows - 1) ClaimRow(p, phase, p.y0 + std::countr_zero(rows), written, surface);
}

// The pixels of `free`, opaque pixels of a stamp within the bounds that are
// free, in the layout of TWrittenPixels::TSquares.
void TStampPass::ClaimSquare(const TPlacement& p, TTileBits free, TWrittenPixels& written, TSurface surface) const {
  constexpr int kTile = TWrittenPixels::kTile;
  assert(IsWithin(p) && "the square lies within the bounds");
  const QRect& b = m_target.bounds;
  const TPhase& phase = m_phase[size_t(p.phase)];
  written.Worked(size_t(m_height) * kLookWidth);
  for (; free != 0; free &= free - 1) {
    const int bit = std::countr_zero(free), row = bit / kTile, column = bit % kTile;
    [[maybe_unused]] const bool claimed = written.Claim(p.left + column - b.left(), p.top + row - b.top());
    assert(claimed && "the square's free pixels are free");
    surface[size_t(p.top + row) * size_t(m_target.stride) + size_t(p.left + column)] =
        phase.pixels[size_t(row) * size_t(m_stride) + size_t(column)];
  }
}

// Without a branch per row: whether a stamp is hidden, shows its edges only
// or claims pixels has no pattern.
TStampPass::TFreeRows TStampPass::LookAtRows(const TPlacement& p, const TWrittenPixels& written) const {
  assert(m_narrow && "a row of the stamp is a look");
  const QRect& b = m_target.bounds;
  const TPhase& phase = m_phase[size_t(p.phase)];
  if (m_look.square && IsWithin(p)) {
    const TTileBits square = written.Squares().At(p.left - b.left(), p.top - b.top());
    return {TWrittenPixels::RowsOf(phase.paintSquare & ~square), phase.blendSquare & ~square};
  }
  const TWrittenPixels::TStates states = written.States();
  const TLook columns = FirstPixelsOfLook(p.x1 - p.x0);  // only the pixels within the bounds
  const size_t first = size_t(p.y0 - p.top) * kPaintsStride + size_t(p.x0 - p.left);
  const uint8_t* paintsRow = phase.paints + first;
  const uint8_t* blendsRow = phase.blends + first;
  TFreeRows free{0, 0};
  for (int row = 0; row < p.y1 - p.y0; ++row, paintsRow += kPaintsStride, blendsRow += kPaintsStride) {
    TLook paints, blends;
    std::memcpy(&paints, paintsRow, kLookWidth);
    std::memcpy(&blends, blendsRow, kLookWidth);
    const TLook look = states.LookAt(p.x0 - b.left(), p.y0 + row - b.top());
    free.blends |= TWrittenPixels::FreeIn(look, blends & columns);
    free.paints |= uint64_t(TWrittenPixels::FreeIn(look, paints & columns) != 0) << row;
  }
  return free;
}

void TStampPass::ClaimRow(const TPlacement& p, const TPhase& phase, int row, TWrittenPixels& written,
                          TSurface surface) const {
  const QRect& b = m_target.bounds;
  const uint32_t* src = phase.pixels + size_t(row - p.top) * size_t(m_stride) + size_t(p.x0 - p.left);
  uint32_t* dst = &surface[size_t(row) * size_t(m_target.stride) + size_t(p.x0)];
  for (int col = 0; col < p.x1 - p.x0; ++col)
    if ((src[col] >> 24) == 0xFF && written.Claim(p.x0 + col - b.left(), row - b.top())) dst[col] = src[col];
}

void TStampPass::DrawInOrder(int count, const TWrittenPixels* covered) const {
  for (int i = 0; i < count; ++i) {
    PrefetchPointOf(i + kReadAhead);
    TPlacement p;
    if (PlacementOf(i, PointOf(i), p)) BlendRows(p, covered);
  }
}

// Edges of stamps in complete tiles have nothing left to show; rough
// stamps have none. The stamps the parts passed over lie among tiles that
// are complete now: only those they looked at are looked at again, in order.
void TStampPass::Finish(TWrittenPixels& written) const {
  if (!m_hasEdges) return;
  // The last stamps drawn may have completed many tiles.
  written.RefreshReachIfStale();
  const TWrittenPixels::TReaches reaches = written.Reaches();
  if (!m_lookedAtAll) {
    const TQuickLook look = m_look;
    for (int i = 0; i < m_count; ++i) {
      PrefetchPointOf(i + kReadAhead);
      TPlacement p;
      TLooked at;
      TTileBits square;
      if (QuickLook(PointOf(i), look, reaches, written.Squares(), at, square) != kPassedOver &&
          PlacementOf(i, PointOf(i), p))
        FinishStamp(p, written);
    }
    return;
  }
  std::sort(m_lookedAt.begin(), m_lookedAt.end(),
            [](const TLookedAt& a, const TLookedAt& b) { return a.begin < b.begin; });
  for (const TLookedAt& part : m_lookedAt)
    for (auto stamp = part.stamps.rend() - ptrdiff_t(part.count); stamp != part.stamps.rend(); ++stamp)
      FinishStamp(PlacementAt(stamp->left, stamp->top, stamp->phase), written);
}

void TStampPass::FinishStamp(const TPlacement& p, const TWrittenPixels& written) const {
  const TPhase& phase = m_phase[size_t(p.phase)];
  EachFreeEdge(p, written, [&](int x, int y, const QPoint& edge) {
    uint32_t& pixel = m_target.pixels[size_t(y) * size_t(m_target.stride) + size_t(x)];
    pixel = BlendPremultiplied(phase.pixels[size_t(edge.y()) * size_t(m_stride) + size_t(edge.x())], pixel);
    return true;
  });
}

// The pixels a part wrote stay written once the parts merge: a stamp whose
// edges lie on them has nothing left to show. Dropped on the part's own
// thread, they leave Finish only the stamps along what is still free.
void TStampPass::KeepShowingEdges(TLookedAt& looked, TWrittenPixels& written) const {
  written.RefreshReachIfStale();
  const auto listed = looked.stamps.begin();
  const auto kept = std::remove_if(listed, listed + ptrdiff_t(looked.count), [&](const TLooked& stamp) {
    return !AnyEdgeFree(PlacementAt(stamp.left, stamp.top, stamp.phase), written);
  });
  looked.count = size_t(kept - listed);
}

// Whether an edge pixel of the stamp lies on a free pixel: a look per row
// of a narrow stamp.
bool TStampPass::AnyEdgeFree(const TPlacement& p, const TWrittenPixels& written) const {
  const QRect& b = m_target.bounds;
  if (!m_narrow) return !EachFreeEdge(p, written, [](int, int, const QPoint&) { return false; });
  return written.ReachAt(p.x0 - b.left(), p.y0 - b.top()) <= m_tiles && LookAtRows(p, written).blends != 0;
}

// visit(x, y, edge) for each edge pixel of the stamp on a free pixel (x, y)
// of the target, until it returns false; whether it did.
template <class TVisit>
bool TStampPass::EachFreeEdge(const TPlacement& p, const TWrittenPixels& written, TVisit visit) const {
  const QRect& b = m_target.bounds;
  if (written.ReachAt(p.x0 - b.left(), p.y0 - b.top()) > m_tiles) return true;
  for (const QPoint& edge : m_phase[size_t(p.phase)].edges) {
    const int x = p.left + edge.x(), y = p.top + edge.y();
    if (x < p.x0 || x >= p.x1 || y < p.y0 || y >= p.y1 || !written.IsFree(x - b.left(), y - b.top())) continue;
    if (!visit(x, y, edge)) return false;
  }
  return true;
}

void TStampPass::BlendRows(const TPlacement& p, const TWrittenPixels* covered) const {
  const QRect& b = m_target.bounds;
  const TPhase& phase = m_phase[size_t(p.phase)];
  const int left = p.left, top = p.top, x0 = p.x0, x1 = p.x1;
  for (int row = p.y0; row < p.y1; ++row) {
    uint32_t* dst = m_target.pixels + size_t(row) * size_t(m_target.stride);
    const uint32_t* src = phase.pixels + size_t(row - top) * size_t(m_stride) - left;
    if (covered) {  // translucent stamps beneath a cover: only on its free pixels
      for (int col = x0; col < x1; ++col)
        if ((src[col] >> 24) != 0 && covered->IsFree(col - b.left(), row - b.top()))
          dst[col] = BlendPremultiplied(src[col], dst[col]);
      continue;
    }
    if (phase.rowIsOpaque[size_t(row - top)]) {
      CopyPixels(dst + x0, src + x0, x1 - x0);
      continue;
    }
    for (int col = x0; col < x1; ++col) {
      const uint32_t s = src[col];
      const uint32_t alpha = s >> 24;
      if (alpha == 0xFF)
        dst[col] = s;
      else if (alpha != 0)
        dst[col] = BlendPremultiplied(s, dst[col]);
    }
  }
}

}  // namespace geometry::raster

#pragma once

// What a call of stamps reads of each phase of a set, made once per set
// (internal to the raster fast paths).

#include "geometry/raster_fast_paths.h"
#include "geometry/raster_written_pixels.h"

#include <QImage>
#include <QPoint>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace geometry::raster {

// A narrow stamp's rows with pixels to claim are a bit each of a word.
constexpr int kMaxNarrowHeight = 64;
// A look may start at any column of a narrow stamp's row.
constexpr size_t kPaintsStride = 2 * kLookWidth;

// The tables of the phases of a set of stamps. A call of markers coloured
// by value has a set per colour, thousands of phases in all: a set's tables
// are made with it and kept for every call that draws it.
class TStampTables {
 public:
  // One phase's stamp.
  struct TPhase {
    const uint32_t* pixels;   // premultiplied, rows of the tables' Stride()
    const char* rowIsOpaque;  // copied rather than blended
    // Most stamps drawn meet pixels already written: a row no wider than a
    // look is looked up at once, with bytes of 0xFF where the stamp is opaque.
    const uint8_t* paints;          // rows of kPaintsStride, for narrow stamps
    const uint8_t* blends;          // likewise, where the stamp is translucent
    std::span<const QPoint> edges;  // the translucent pixels
    // A stamp no larger than a tile is looked up at once, its opaque and
    // translucent pixels in the layout of TWrittenPixels::TSquares.
    TWrittenPixels::TTileBits paintSquare, blendSquare;
  };

  // The images of `stamps`, which are of one size.
  explicit TStampTables(const TStamps& stamps);
  TStampTables(const TStampTables&) = delete;
  TStampTables& operator=(const TStampTables&) = delete;

  // No wider than a look and at most kMaxNarrowHeight high.
  static bool IsNarrow(int width, int height) { return width <= kLookWidth && height <= kMaxNarrowHeight; }
  static bool FitsATile(int width, int height) {
    return width <= TWrittenPixels::kTile && height <= TWrittenPixels::kTile;
  }

  std::span<const TPhase> Phases() const { return m_phases; }
  int Stride() const { return m_stride; }  // in pixels
  bool HasEdges() const { return !m_edges.empty(); }

 private:
  std::vector<QImage> m_sources;  // premultiplied
  std::vector<TPhase> m_phases;
  int m_stride = 0;
  std::vector<char> m_rowIsOpaque;
  std::vector<uint8_t> m_paints, m_blends;
  std::vector<QPoint> m_edges;
};

}  // namespace geometry::raster

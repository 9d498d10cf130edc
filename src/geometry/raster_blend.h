#pragma once

// The pixel arithmetic of the raster fast paths (internal to
// raster_fast_paths.cpp): colours are 32-bit ARGB, pixels opaque or
// premultiplied.

#include <cstdint>
#include <cstring>

namespace geometry::raster {

// Source-over of a non-premultiplied ARGB colour on an opaque or
// premultiplied pixel.
inline uint32_t Blend(uint32_t colour, uint32_t destination) {
  const uint32_t alpha = colour >> 24;
  if (alpha == 0xFF) return colour;
  const uint32_t inverse = 255 - alpha;
  auto channel = [&](int shift) {
    const uint32_t s = (colour >> shift) & 0xFF, d = (destination >> shift) & 0xFF;
    return ((s * alpha + d * inverse + 127) / 255) << shift;
  };
  const uint32_t a = alpha + (((destination >> 24) * inverse + 127) / 255);
  return (a << 24) | channel(16) | channel(8) | channel(0);
}

// Source-over of a premultiplied pixel, two channels at a time.
inline uint32_t BlendPremultiplied(uint32_t source, uint32_t destination) {
  const uint32_t inverse = 255 - (source >> 24);
  uint32_t rb = (destination & 0x00FF00FF) * inverse;
  uint32_t ag = ((destination >> 8) & 0x00FF00FF) * inverse;
  rb = ((rb + ((rb >> 8) & 0x00FF00FF) + 0x00800080) >> 8) & 0x00FF00FF;
  ag = (ag + ((ag >> 8) & 0x00FF00FF) + 0x00800080) & 0xFF00FF00;
  return source + (rb | ag);
}

// Whether a colour or premultiplied pixel is drawn by copying it, or left out:
// either way it needs no blending.
inline bool IsOpaqueOrClear(uint32_t colour) { return (colour >> 24) == 0xFF || (colour >> 24) == 0; }

// Markers are a few pixels wide: a call to memmove would cost more than the
// copy. Copies of a fixed size are inlined.
inline void CopyPixels(uint32_t* to, const uint32_t* from, int count) {
  for (; count >= 2; count -= 2, to += 2, from += 2) std::memcpy(to, from, 8);
  if (count > 0) *to = *from;
}

}  // namespace geometry::raster

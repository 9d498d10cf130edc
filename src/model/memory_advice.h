#pragma once

#include <cstddef>

namespace model {

// Tells the system that a freshly allocated buffer of many megabytes is about
// to be filled from start to end: on Linux its pages are then mapped as huge
// pages where the system allows it, which saves most of the page faults of
// the first touch (a quarter of the time of writing or reading a document of
// a million points). Harmless anywhere else and for small buffers.
void AdviseLargeBuffer(void* data, size_t size);
// Gives the whole pages of data[0, size) back to the system; what they held
// reads as zeros afterwards. Does nothing where the system cannot.
void ReleaseBufferFront(void* data, size_t size);

}  // namespace model

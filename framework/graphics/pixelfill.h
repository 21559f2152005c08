#pragma once
// Runs of one 32-bit pixel value: the store loop under every solid fill of the
// canvas and the text backgrounds.

#include <cstddef>
#include <cstdint>

namespace orv {

// Writes Pixel into P[0] .. P[Count - 1], at least eight of them.
void FillPixelRun(uint32_t* P, size_t Count, uint32_t Pixel);

// Writes Pixel into P[0] .. P[Count - 1]. Short runs (a grid line crossing a
// row) are stored in place, without a call.
inline void FillPixels(uint32_t* P, size_t Count, uint32_t Pixel) {
  if (Count >= 8) {
    FillPixelRun(P, Count, Pixel);
    return;
  }
  for (size_t I = 0; I < Count; ++I) P[I] = Pixel;
}

}  // namespace orv

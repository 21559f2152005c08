#pragma once
// Runs of one 32-bit pixel value: the store loop under every solid fill of the
// canvas and the text backgrounds.

#include <cstddef>
#include <cstdint>

namespace orv {

// Writes Pixel into P[0] .. P[Count - 1].
void FillPixels(uint32_t* P, size_t Count, uint32_t Pixel);

}  // namespace orv

#pragma once
// PNG files through libpng's memory-to-memory interface, which reports every
// error by its result (no long jumps through our frames).
//
// The pixel store is opaque, so an alpha channel is dropped on reading: a
// pixel keeps its colour whatever its opacity (fully transparent pixels show
// whatever colour the file stores for them). 16-bit samples are taken as
// sRGB-coded values and reduced to 8 bits; a gAMA chunk is honoured.

#include <cstdint>
#include <span>
#include <vector>

#include "framework/graphics/imagecodec.h"

namespace orv {

// True when Data begins with the eight-byte PNG signature.
bool IsPngData(std::span<const uint8_t> Data);

// Width and height from the IHDR chunk; raises EInvalidGraphic when there is none.
void ReadPngSize(std::span<const uint8_t> Data, int64_t& Width, int64_t& Height);

// Decodes a whole PNG file. Format tells the source's depth: pf1bit for 1-bit
// images, pf4bit for 2- and 4-bit ones, pf8bit for other palette and gray
// images, pf32bit when the file has an alpha channel, pf24bit otherwise.
TDecodedImage DecodePng(std::span<const uint8_t> Data);

// pf1bit, pf4bit and pf8bit write a palette image (1, 2, 4 or 8 bits per
// pixel) when the colours fit (pf1bit thresholds to black and white when
// they do not), pf32bit writes RGBA with every pixel opaque, the rest RGB.
// Raises EInvalidGraphic for an empty image, which PNG cannot hold. Fast
// trades file size for speed (quick compression, as for snapshots); the
// pixels read back are the same either way.
std::vector<uint8_t> EncodePng(const uint32_t* Pixels, int Width, int Height, TPixelFormat Format,
                               bool Fast = false);

}  // namespace orv

#pragma once
// BMP files: reading 1, 4 and 8 bits with palettes, 16 bits (5-5-5 or bit
// masks), 24 and 32 bits, bottom-up and top-down, with the 12-byte core
// header, the 40-byte info header and its 52/56-byte, V4 and V5 extensions.
// Run-length compressed, JPEG- or PNG-in-BMP files are refused.

#include <cstdint>
#include <span>
#include <vector>

#include "framework/graphics/imagecodec.h"

namespace orv {

// True when Data begins like a BMP file ("BM").
bool IsBmpData(std::span<const uint8_t> Data);

// Width and height from the header (height as a positive number); raises
// EInvalidGraphic when the header itself is cut short or unknown.
void ReadBmpSize(std::span<const uint8_t> Data, int64_t& Width, int64_t& Height);

// Decodes a whole BMP file. Every size, offset and count is checked against
// Data before use; a malformed file raises EInvalidGraphic.
TDecodedImage DecodeBmp(std::span<const uint8_t> Data);

// A bottom-up BMP file with a 40-byte info header. Format chooses the depth:
// pf1bit writes two colours (more are thresholded to black and white),
// pf4bit and pf8bit write a palette when the colours fit it and 24 bits
// otherwise (nothing is lost), pf15bit, pf16bit and pf24bit write 24 bits,
// pf32bit and the rest 32 bits with the fourth byte zero. An empty image
// (no pixels) is written as a valid 0 x 0 file.
std::vector<uint8_t> EncodeBmp(const uint32_t* Pixels, int Width, int Height, TPixelFormat Format);

}  // namespace orv

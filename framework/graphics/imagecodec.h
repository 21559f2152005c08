#pragma once
// Shared pieces of the image file readers and writers: the decoded form of an
// image, the exception a malformed file raises, the size limits every reader
// enforces before it allocates, and the palette search the writers use.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/rtl/exceptions.h"

namespace orv {

// A file that is not an image this library reads, or one that is damaged.
ORV_DECLARE_EXCEPTION(EInvalidGraphic, Exception);

// Readers refuse larger images before allocating anything, so a forged header
// cannot make them ask for gigabytes.
inline constexpr int64_t kMaxImageSide = 32768;
inline constexpr int64_t kMaxImageBytes = int64_t{512} << 20;  // of the 32-bit store

// An image read from a file: pixels 0x00RRGGBB, rows top to bottom.
struct TDecodedImage {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;
  TPixelFormat Format = pf32bit;
  // Bytes of the input the image occupies, from its first byte; data after
  // that belongs to whoever wrote the stream.
  size_t Consumed = 0;
};

// Raises EInvalidGraphic unless Width x Height is a size the readers accept
// (both positive, within kMaxImageSide and kMaxImageBytes).
void CheckImageSize(int64_t Width, int64_t Height, const char* Kind);

// The distinct colours of Pixels when there are at most MaxColors of them,
// darkest first (ties by value), so that black and white images get the
// conventional 0 = black, 1 = white palette. Empty optional when there are more.
std::optional<std::vector<uint32_t>> FindPalette(std::span<const uint32_t> Pixels, size_t MaxColors);

// Two colours only: pixels at least half bright become white, the rest black
// (the rule TBitmap::SetPixelFormat(pf1bit) applies).
uint32_t ThresholdToBlackWhite(uint32_t Pixel);

// Width and height as a file's header states them, without decoding the
// pixels; false when Data starts with neither a BMP nor a PNG header.
bool ProbeImageSize(std::span<const uint8_t> Data, int64_t& Width, int64_t& Height);

}  // namespace orv

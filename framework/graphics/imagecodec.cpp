// Size limits, palette search and header probing shared by the image codecs.

#include "framework/graphics/imagecodec.h"

#include <algorithm>
#include <string>

#include "framework/graphics/bmpcodec.h"
#include "framework/graphics/pngcodec.h"

namespace orv {

void CheckImageSize(int64_t Width, int64_t Height, const char* Kind) {
  if (Width <= 0 || Height <= 0)
    throw EInvalidGraphic(std::string(Kind) + " image has no pixels (" + std::to_string(Width) + " x " +
                          std::to_string(Height) + ")");
  if (Width > kMaxImageSide || Height > kMaxImageSide || Width * Height * 4 > kMaxImageBytes)
    throw EInvalidGraphic(std::string(Kind) + " image is too large (" + std::to_string(Width) + " x " +
                          std::to_string(Height) + ")");
}

namespace {
unsigned Brightness(uint32_t P) { return ((P >> 16) & 0xFF) + ((P >> 8) & 0xFF) + (P & 0xFF); }
}  // namespace

std::optional<std::vector<uint32_t>> FindPalette(std::span<const uint32_t> Pixels, size_t MaxColors) {
  std::vector<uint32_t> Colors;
  // Runs of one colour are common in artwork; checking the last colour first
  // keeps the search cheap for them.
  uint32_t Last = 0;
  bool HaveLast = false;
  for (uint32_t P : Pixels) {
    P &= 0xFFFFFF;
    if (HaveLast && P == Last) continue;
    Last = P;
    HaveLast = true;
    if (std::find(Colors.begin(), Colors.end(), P) != Colors.end()) continue;
    if (Colors.size() == MaxColors) return std::nullopt;
    Colors.push_back(P);
  }
  std::sort(Colors.begin(), Colors.end(), [](uint32_t A, uint32_t B) {
    const unsigned LA = Brightness(A), LB = Brightness(B);
    return LA != LB ? LA < LB : A < B;
  });
  return Colors;
}

uint32_t ThresholdToBlackWhite(uint32_t Pixel) { return Brightness(Pixel) >= 384 ? 0xFFFFFFu : 0u; }

bool ProbeImageSize(std::span<const uint8_t> Data, int64_t& Width, int64_t& Height) {
  if (IsBmpData(Data)) {
    ReadBmpSize(Data, Width, Height);
    return true;
  }
  if (IsPngData(Data)) {
    ReadPngSize(Data, Width, Height);
    return true;
  }
  return false;
}

}  // namespace orv

#pragma once
// Helpers of the raster tests: a white bitmap with its canvas, and pixel
// counting / picture dumps for readable failures.

#include <memory>
#include <string>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"

namespace orv::testing {

inline constexpr TColor kWhite = 0xFFFFFF;
inline constexpr TColor kBlack = 0x000000;
inline constexpr TColor kRed = 0x0000FF;
inline constexpr TColor kBlue = 0xFF0000;
inline constexpr TColor kGreen = 0x00FF00;

struct TSheet {
  explicit TSheet(int W, int H) : Bmp(std::make_unique<TBitmap>(W, H)) {}
  TCanvas* C() { return Bmp->Canvas(); }
  TColor At(int X, int Y) { return Bmp->Canvas()->Pixels(X, Y); }
  int Count(TColor Color) {
    int N = 0;
    for (int Y = 0; Y < Bmp->Height(); ++Y)
      for (int X = 0; X < Bmp->Width(); ++X) N += At(X, Y) == Color ? 1 : 0;
    return N;
  }
  // One character per pixel: '.' white, '#' black, 'o' anything else.
  std::string Dump() {
    std::string S;
    for (int Y = 0; Y < Bmp->Height(); ++Y) {
      for (int X = 0; X < Bmp->Width(); ++X) {
        const TColor P = At(X, Y);
        S += P == kWhite ? '.' : P == kBlack ? '#' : 'o';
      }
      S += '\n';
    }
    return S;
  }
  std::unique_ptr<TBitmap> Bmp;
};

}  // namespace orv::testing

#pragma once
// The arithmetic of the progress bar, apart from any drawing: colour
// interpolation, where the bar ends, which table colour a bar column takes,
// and the value text.

#include <cstdint>

#include "framework/rtl/types.h"

namespace orv {

// How the colour table maps onto the bar:
//   cgmCover    the table spans the whole usable length, the bar uncovers it;
//   cgmStretch  the whole table is squeezed into the current bar;
//   cgmMove     the bar's end always shows the last colour, the table moves
//               with it.
enum TColorMapping : uint8_t { cgmCover, cgmStretch, cgmMove };

inline constexpr int kBarColorCount = 1024;

// Each channel of A and B (0x00BBGGRR) at fraction X (clamped to 0..1):
// Trunc((B - A) * X + A); the top byte of the result is 0.
TColor InterpolateColor(TColor A, TColor B, double X);

// Length in pixels of the bar for Value in Min..Max over Usable pixels:
// Round(Usable * (Value - Min) / (Max - Min)), halves to even. A value past
// Max gives a longer bar, one below Min a negative length. An empty range
// (Max = Min) or a value that is not a number gives 0; lengths are kept
// within -Limit..Limit so any value has a drawable result.
int BarLength(double Value, double Min, double Max, int Usable, int Limit);

// Table index (0..1023) of bar pixel Pos (0 = the bar's start) for a bar of
// Len pixels over Usable pixels.
int BarColorIndex(TColorMapping Mode, int Pos, int Len, int Usable);

// The indices BarColorIndex gives for pixels 0, 1, 2, ... of one bar, one
// per call of Next, walked without a division per pixel.
class TBarColorWalk {
 public:
  TBarColorWalk(TColorMapping Mode, int Len, int Usable);
  int Next() {
    if (FFixed) return FOffset;
    long long Index = FQuot;
    if (2 * FRem > FSpan || (2 * FRem == FSpan && (FQuot & 1) != 0)) ++Index;
    FQuot += FStepQuot;
    FRem += FStepRem;
    if (FRem >= FSpan) {
      FRem -= FSpan;
      ++FQuot;
    }
    Index += FOffset;
    return Index < 0 ? 0 : Index > kBarColorCount - 1 ? kBarColorCount - 1 : static_cast<int>(Index);
  }

 private:
  long long FQuot = 0;  // 1023 * Pos div Span
  long long FRem = 0;   // 1023 * Pos mod Span
  long long FStepQuot = 0, FStepRem = 0, FSpan = 1;
  int FOffset = 0;      // added to the rounded quotient
  bool FFixed = false;  // no span: every pixel takes FOffset
};

// The value text for DecPlaces: 0..10 fixed point with that many decimals;
// -1 exponent notation with a two-digit exponent ("1.235E+02"; every
// character "*" when the exponent needs more); -2 exponent notation with a
// four-digit exponent ("1.235E+0002"). The point is the decimal separator.
String ProgBarValueText(double Value, int DecPlaces);

}  // namespace orv

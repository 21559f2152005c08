#include "gradfl/gradfl_bands.h"

#include <climits>

namespace orv {

int GradMulDiv(int A, int B, int C) {
  if (C == 0) return 0;
  long long Num = static_cast<long long>(A) * B;
  long long Den = C;
  if (Den < 0) {
    Num = -Num;
    Den = -Den;
  }
  // Floor division, then decide the rounding on the remainder alone so that
  // exact halves can go to the even neighbour.
  long long Q = Num / Den;
  long long R = Num % Den;
  if (R < 0) {
    Q -= 1;
    R += Den;
  }
  const long long Twice = 2 * R;
  if (Twice > Den || (Twice == Den && (Q % 2 != 0))) Q += 1;
  if (Q > INT_MAX) return INT_MAX;
  if (Q < INT_MIN) return INT_MIN;
  return static_cast<int>(Q);
}

TRect GradBandRect(TGradType GradType, int W, int H, int NrColors, int Band) {
  const int N = NrColors < 1 ? 1 : NrColors;
  if (GradBandsStacked(GradType))
    return TRect{0, GradMulDiv(Band, H, N), W, GradMulDiv(Band + 1, H, N)};
  return TRect{GradMulDiv(Band, W, N), 0, GradMulDiv(Band + 1, W, N), H};
}

namespace {

// One channel of a band: C0 plus the share Step / Steps of the distance to C1.
int Channel(int C0, int C1, int Step, int Steps) { return C0 + GradMulDiv(Step, C1 - C0, Steps); }

TColor Blend(TColor First, TColor Last, int Step, int Steps) {
  const int R = Channel(First & 0xFF, Last & 0xFF, Step, Steps);
  const int G = Channel((First >> 8) & 0xFF, (Last >> 8) & 0xFF, Step, Steps);
  const int B = Channel((First >> 16) & 0xFF, (Last >> 16) & 0xFF, Step, Steps);
  return static_cast<TColor>(R) | (static_cast<TColor>(G) << 8) | (static_cast<TColor>(B) << 16);
}

}  // namespace

TColor GradBandColor(TGradType GradType, TColor First, TColor Last, int NrColors, int Band) {
  First &= 0xFFFFFF;
  Last &= 0xFFFFFF;
  if (NrColors < 2) return First;
  if (GradType == gtHoriz || GradType == gtVert) return Blend(First, Last, Band, NrColors);
  const int Half = NrColors / 2;
  // The bands after the middle one mirror the bands before it, counted from
  // the far edge.
  const int Step = Band > Half ? NrColors - Band - 1 : Band;
  return Blend(First, Last, Step, Half);
}

}  // namespace orv

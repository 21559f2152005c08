// TCanvas block transfers: BitBlt, StretchBlt (nearest sample, AND/OR of the
// dropped pixels, or area average), CopyRect, Draw and StretchDraw.

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/graphics/canvas.h"
#include "framework/graphics/canvas_pixelops.h"

namespace orv {

using namespace pixelops;

namespace {

// Marks a destination pixel that receives nothing (its source lies outside
// the source bitmap, or is transparent). Real pixels never set the top byte.
constexpr uint32_t kSkip = 0xFF000000;

// Source index of each destination index for nearest sampling: the source
// pixel under the destination pixel's centre.
std::vector<int> NearestMap(int DstLen, int SrcStart, int SrcLen, bool Flip) {
  std::vector<int> Map(static_cast<size_t>(DstLen));
  for (int I = 0; I < DstLen; ++I) {
    int S = static_cast<int>(((2LL * I + 1) * SrcLen) / (2LL * DstLen));
    if (Flip) S = SrcLen - 1 - S;
    Map[static_cast<size_t>(I)] = SrcStart + S;
  }
  return Map;
}

// Source index range [first, last] under each destination pixel, for the
// AND/OR stretch modes.
std::vector<std::pair<int, int>> RangeMap(int DstLen, int SrcStart, int SrcLen, bool Flip) {
  std::vector<std::pair<int, int>> Map(static_cast<size_t>(DstLen));
  for (int I = 0; I < DstLen; ++I) {
    int Lo = static_cast<int>((static_cast<long long>(I) * SrcLen) / DstLen);
    int Hi = static_cast<int>(((static_cast<long long>(I) + 1) * SrcLen + DstLen - 1) / DstLen) - 1;
    Hi = std::max(Lo, Hi);
    if (Flip) {
      const int L2 = SrcLen - 1 - Hi, H2 = SrcLen - 1 - Lo;
      Lo = L2;
      Hi = H2;
    }
    Map[static_cast<size_t>(I)] = {SrcStart + Lo, SrcStart + Hi};
  }
  return Map;
}

// Area weights: destination pixel i covers source [i*SrcLen/DstLen,
// (i+1)*SrcLen/DstLen); each overlapped source pixel counts by the length
// of the overlap.
struct TWeights {
  std::vector<int> First;          // per destination index: first source index
  std::vector<size_t> Offset;      // per destination index: start in Weights (one extra at the end)
  std::vector<double> Weights;
};

TWeights AreaWeights(int DstLen, int SrcStart, int SrcLen, bool Flip) {
  TWeights R;
  R.First.resize(static_cast<size_t>(DstLen));
  R.Offset.resize(static_cast<size_t>(DstLen) + 1);
  const double Scale = static_cast<double>(SrcLen) / DstLen;
  for (int I = 0; I < DstLen; ++I) {
    const int Pos = Flip ? DstLen - 1 - I : I;
    const double A = Pos * Scale, B = (Pos + 1) * Scale;
    const int J0 = static_cast<int>(std::floor(A));
    const int J1 = std::min(static_cast<int>(std::ceil(B)) - 1, SrcLen - 1);
    R.First[static_cast<size_t>(I)] = SrcStart + J0;
    R.Offset[static_cast<size_t>(I)] = R.Weights.size();
    for (int J = J0; J <= J1; ++J) {
      const double Overlap = std::min(B, J + 1.0) - std::max(A, static_cast<double>(J));
      R.Weights.push_back(std::max(Overlap, 0.0) / Scale);
    }
  }
  R.Offset[static_cast<size_t>(DstLen)] = R.Weights.size();
  return R;
}

// The area weights in 16-bit fixed point, each destination pixel's weights
// summing to exactly 65536 (the largest one absorbs the rounding).
std::vector<uint32_t> FixedWeights(const TWeights& W) {
  std::vector<uint32_t> F(W.Weights.size());
  for (size_t I = 0; I + 1 < W.Offset.size(); ++I) {
    uint32_t Sum = 0;
    size_t Largest = W.Offset[I];
    for (size_t K = W.Offset[I]; K < W.Offset[I + 1]; ++K) {
      F[K] = static_cast<uint32_t>(std::lround(W.Weights[K] * 65536.0));
      Sum += F[K];
      if (F[K] > F[Largest]) Largest = K;
    }
    if (W.Offset[I] < W.Offset[I + 1]) F[Largest] = F[Largest] + 65536u - Sum;
  }
  return F;
}

}  // namespace

void TCanvas::BlitPixels(int X, int Y, int W, int H, const TBitmap* Src, int SX, int SY, int SW, int SH,
                         uint32_t Rop, int StretchMode, bool Transparent, uint32_t TransparentPixel) {
  if (FTarget == nullptr) return;
  const uint8_t Code = RopIndex(Rop);
  const bool UsesSource = RopUsesSource(Code);
  if (UsesSource && (Src == nullptr || Src->Empty())) return;
  // Negative extents mirror; normalise both rectangles.
  bool FlipX = false, FlipY = false;
  if (W < 0) {
    X += W;
    W = -W;
    FlipX = !FlipX;
  }
  if (H < 0) {
    Y += H;
    H = -H;
    FlipY = !FlipY;
  }
  if (SW < 0) {
    SX += SW;
    SW = -SW;
    FlipX = !FlipX;
  }
  if (SH < 0) {
    SY += SH;
    SH = -SH;
    FlipY = !FlipY;
  }
  if (W == 0 || H == 0 || (UsesSource && (SW == 0 || SH == 0))) return;

  const TRect C = DeviceClip();
  const int DX0 = std::max(X + FOrigin.X, C.Left), DX1 = std::min(X + FOrigin.X + W, C.Right);
  const int DY0 = std::max(Y + FOrigin.Y, C.Top), DY1 = std::min(Y + FOrigin.Y + H, C.Bottom);
  if (DX0 >= DX1 || DY0 >= DY1) return;
  const int VisW = DX1 - DX0;
  const int FirstCol = DX0 - (X + FOrigin.X);

  // A source sharing the destination's pixels is read from a copy.
  TBitmap Copy;
  if (UsesSource && Src == FTarget) {
    Copy.Assign(const_cast<TBitmap*>(Src));
    Src = &Copy;
  }
  const uint32_t Pattern = BrushPixel();
  std::vector<uint32_t> Row(static_cast<size_t>(VisW), kSkip);

  const bool SameSize = W == SW && H == SH;
  int Mode = StretchMode;
  if (SameSize || Transparent) Mode = COLORONCOLOR;
  // Enlarging needs no dropping of pixels: nearest sample in both AND/OR modes.
  if ((Mode == BLACKONWHITE || Mode == WHITEONBLACK) && W >= SW && H >= SH) Mode = COLORONCOLOR;

  const int SrcW = UsesSource ? Src->Width() : 0, SrcH = UsesSource ? Src->Height() : 0;
  auto Sample = [&](int SXi, int SYi) -> uint32_t {
    if (SXi < 0 || SYi < 0 || SXi >= SrcW || SYi >= SrcH) return kSkip;
    return Src->ScanLine(SYi)[SXi];
  };

  std::vector<int> MapX, MapY;
  std::vector<std::pair<int, int>> RangeX, RangeY;
  TWeights WX, WY;
  std::vector<double> Horizontal;  // halftone: per source row, 4 values (b, g, r, coverage) per column
  if (UsesSource) {
    if (Mode == HALFTONE) {
      WX = AreaWeights(W, SX, SW, FlipX);
      WY = AreaWeights(H, SY, SH, FlipY);
    } else if (Mode == BLACKONWHITE || Mode == WHITEONBLACK) {
      RangeX = RangeMap(W, SX, SW, FlipX);
      RangeY = RangeMap(H, SY, SH, FlipY);
    } else {
      MapX = NearestMap(W, SX, SW, FlipX);
      MapY = NearestMap(H, SY, SH, FlipY);
    }
  }

  // Area average with the whole source rectangle inside the bitmap: integer
  // weights, rows first (per source column), then columns.
  const bool FastHalftone = UsesSource && Mode == HALFTONE && SX >= 0 && SY >= 0 && SX + SW <= SrcW &&
                            SY + SH <= SrcH;
  std::vector<uint32_t> FX, FY, ColSums;
  if (FastHalftone) {
    FX = FixedWeights(WX);
    FY = FixedWeights(WY);
    ColSums.resize(static_cast<size_t>(SW) * 3);
  }

  for (int TY = DY0; TY < DY1; ++TY) {
    const int I = TY - (Y + FOrigin.Y);
    if (FastHalftone) {
      std::fill(ColSums.begin(), ColSums.end(), 0u);
      const size_t R0 = WY.Offset[static_cast<size_t>(I)], R1 = WY.Offset[static_cast<size_t>(I) + 1];
      for (size_t RI = R0; RI < R1; ++RI) {
        const uint32_t Wt = FY[RI];
        if (Wt == 0) continue;
        const uint32_t* SrcRow = Src->ScanLine(WY.First[static_cast<size_t>(I)] + static_cast<int>(RI - R0)) + SX;
        uint32_t* Acc = ColSums.data();
        for (int K = 0; K < SW; ++K, Acc += 3) {
          const uint32_t P = SrcRow[K];
          Acc[0] += Wt * (P & 0xFF);
          Acc[1] += Wt * ((P >> 8) & 0xFF);
          Acc[2] += Wt * ((P >> 16) & 0xFF);
        }
      }
      for (int J = 0; J < VisW; ++J) {
        const size_t Col = static_cast<size_t>(FirstCol + J);
        const size_t C0 = WX.Offset[Col], C1 = WX.Offset[Col + 1];
        uint64_t B = 0, G = 0, R = 0;
        const uint32_t* Acc = ColSums.data() + static_cast<size_t>(WX.First[Col] - SX) * 3;
        for (size_t CI = C0; CI < C1; ++CI, Acc += 3) {
          const uint64_t Wt = FX[CI];
          B += Wt * Acc[0];
          G += Wt * Acc[1];
          R += Wt * Acc[2];
        }
        constexpr uint64_t Half = uint64_t{1} << 31;
        Row[static_cast<size_t>(J)] = static_cast<uint32_t>(std::min<uint64_t>((B + Half) >> 32, 255)) |
                                      static_cast<uint32_t>(std::min<uint64_t>((G + Half) >> 32, 255)) << 8 |
                                      static_cast<uint32_t>(std::min<uint64_t>((R + Half) >> 32, 255)) << 16;
      }
    } else if (UsesSource) {
      if (Mode == HALFTONE) {
        // Average the covered source area: rows weighted by WY, columns by WX.
        Horizontal.assign(static_cast<size_t>(VisW) * 4, 0.0);
        const size_t R0 = WY.Offset[static_cast<size_t>(I)], R1 = WY.Offset[static_cast<size_t>(I) + 1];
        for (size_t RI = R0; RI < R1; ++RI) {
          const int SYi = WY.First[static_cast<size_t>(I)] + static_cast<int>(RI - R0);
          const double WYv = WY.Weights[RI];
          if (SYi < 0 || SYi >= SrcH || WYv <= 0) continue;
          const uint32_t* SrcRow = Src->ScanLine(SYi);
          for (int J = 0; J < VisW; ++J) {
            const size_t Col = static_cast<size_t>(FirstCol + J);
            double* Acc = &Horizontal[static_cast<size_t>(J) * 4];
            const size_t C0 = WX.Offset[Col], C1 = WX.Offset[Col + 1];
            for (size_t CI = C0; CI < C1; ++CI) {
              const int SXi = WX.First[Col] + static_cast<int>(CI - C0);
              if (SXi < 0 || SXi >= SrcW) continue;
              const double Wt = WX.Weights[CI] * WYv;
              const uint32_t P = SrcRow[SXi];
              Acc[0] += Wt * (P & 0xFF);
              Acc[1] += Wt * ((P >> 8) & 0xFF);
              Acc[2] += Wt * ((P >> 16) & 0xFF);
              Acc[3] += Wt;
            }
          }
        }
        for (int J = 0; J < VisW; ++J) {
          const double* Acc = &Horizontal[static_cast<size_t>(J) * 4];
          if (Acc[3] <= 1e-12) {
            Row[static_cast<size_t>(J)] = kSkip;
            continue;
          }
          auto Channel = [&](double V) {
            return static_cast<uint32_t>(std::clamp(std::floor(V / Acc[3] + 0.5), 0.0, 255.0));
          };
          Row[static_cast<size_t>(J)] = Channel(Acc[0]) | (Channel(Acc[1]) << 8) | (Channel(Acc[2]) << 16);
        }
      } else if (Mode == BLACKONWHITE || Mode == WHITEONBLACK) {
        const bool And = Mode == BLACKONWHITE;
        const auto [Y0, Y1] = RangeY[static_cast<size_t>(I)];
        for (int J = 0; J < VisW; ++J) {
          const auto [X0, X1] = RangeX[static_cast<size_t>(FirstCol + J)];
          uint32_t Acc = And ? kRgbMask : 0;
          bool Any = false;
          for (int SYi = Y0; SYi <= Y1; ++SYi)
            for (int SXi = X0; SXi <= X1; ++SXi) {
              const uint32_t P = Sample(SXi, SYi);
              if (P == kSkip) continue;
              Acc = And ? (Acc & P) : (Acc | P);
              Any = true;
            }
          Row[static_cast<size_t>(J)] = Any ? Acc : kSkip;
        }
      } else {
        const int SYi = MapY[static_cast<size_t>(I)];
        for (int J = 0; J < VisW; ++J) {
          uint32_t P = Sample(MapX[static_cast<size_t>(FirstCol + J)], SYi);
          if (Transparent && P == TransparentPixel) P = kSkip;
          Row[static_cast<size_t>(J)] = P;
        }
      }
    } else {
      std::fill(Row.begin(), Row.end(), 0u);
    }

    uint32_t* Dst = FTarget->ScanLine(TY) + DX0;
    if (Code == 0xCC) {
      for (int J = 0; J < VisW; ++J)
        if (Row[static_cast<size_t>(J)] != kSkip) Dst[J] = Row[static_cast<size_t>(J)];
    } else {
      for (int J = 0; J < VisW; ++J)
        if (Row[static_cast<size_t>(J)] != kSkip) Dst[J] = Rop3(Code, Pattern, Row[static_cast<size_t>(J)], Dst[J]);
    }
  }
}

void TCanvas::Blit(int X, int Y, int W, int H, TCanvas* Src, int SX, int SY, int SW, int SH, uint32_t Rop) {
  const TBitmap* Bmp = nullptr;
  if (Src != nullptr && Src->FTarget != nullptr) {
    Bmp = Src->FTarget;
    SX += Src->FOrigin.X;
    SY += Src->FOrigin.Y;
  }
  BlitPixels(X, Y, W, H, Bmp, SX, SY, SW, SH, Rop, FStretchBltMode, false, 0);
}

bool BitBlt(TCanvas* Dest, int X, int Y, int W, int H, TCanvas* Src, int SX, int SY, uint32_t Rop) {
  if (Dest == nullptr) return false;
  if (RopUsesSource(RopIndex(Rop)) && (Src == nullptr || Src->Target() == nullptr)) return false;
  Dest->Blit(X, Y, W, H, Src, SX, SY, W, H, Rop);
  return true;
}

bool StretchBlt(TCanvas* Dest, int X, int Y, int W, int H, TCanvas* Src, int SX, int SY, int SW, int SH,
                uint32_t Rop) {
  if (Dest == nullptr) return false;
  if (RopUsesSource(RopIndex(Rop)) && (Src == nullptr || Src->Target() == nullptr)) return false;
  Dest->Blit(X, Y, W, H, Src, SX, SY, SW, SH, Rop);
  return true;
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect) {
  if (Source == nullptr) return;
  Blit(Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Source, SourceRect.Left, SourceRect.Top,
       SourceRect.Width(), SourceRect.Height(), FCopyMode);
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (Graphic == nullptr || Graphic->Empty()) return;
  Graphic->Draw(this, TRect{X, Y, X + Graphic->Width(), Y + Graphic->Height()});
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
  if (Graphic == nullptr || Graphic->Empty()) return;
  Graphic->Draw(this, Rect);
}

}  // namespace orv

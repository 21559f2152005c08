// TCanvas block transfers: BitBlt, StretchBlt (nearest sample, AND/OR of the
// dropped pixels, or area average), CopyRect, Draw and StretchDraw.
//
// Every transfer runs in three steps. Clip: both rectangles are normalised
// (a negative extent mirrors) and the destination is cut to the clip, in
// 64-bit arithmetic so that no coordinate can overflow. Sample: each visible
// destination row gets its source pixels, either straight from the source
// row (same size, no mirroring) or through a sampler for the stretch mode.
// Combine: the row is combined with the destination under the raster
// operation, with a plain loop per common operation.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/graphics/canvas.h"
#include "framework/graphics/canvas_pixelops.h"
#include "framework/graphics/canvas_stretch.h"

namespace orv {

using namespace pixelops;

namespace {

// Marks a destination pixel that receives nothing (its source lies outside
// the source bitmap, or is transparent). Real pixels never set the top byte.
constexpr uint32_t kSkip = 0xFF000000;

// --- Clip ----------------------------------------------------------------------

// A transfer after normalising: destination and source rectangles with
// positive extents, mirroring flags, and the visible destination rows and
// columns in target coordinates.
struct TBlitPlan {
  int64_t X = 0, Y = 0, W = 0, H = 0;  // destination, target coordinates
  int64_t SX = 0, SY = 0, SW = 0, SH = 0;
  bool FlipX = false, FlipY = false;
  int VX0 = 0, VY0 = 0, VX1 = 0, VY1 = 0;  // visible destination, end-exclusive
};

bool PlanBlit(TBlitPlan& P, const TRect& Clip, bool UsesSource) {
  if (P.W < 0) {
    P.X += P.W;
    P.W = -P.W;
    P.FlipX = !P.FlipX;
  }
  if (P.H < 0) {
    P.Y += P.H;
    P.H = -P.H;
    P.FlipY = !P.FlipY;
  }
  if (P.SW < 0) {
    P.SX += P.SW;
    P.SW = -P.SW;
    P.FlipX = !P.FlipX;
  }
  if (P.SH < 0) {
    P.SY += P.SH;
    P.SH = -P.SH;
    P.FlipY = !P.FlipY;
  }
  if (P.W == 0 || P.H == 0 || (UsesSource && (P.SW == 0 || P.SH == 0))) return false;
  const int64_t X0 = std::max<int64_t>(P.X, Clip.Left), X1 = std::min<int64_t>(P.X + P.W, Clip.Right);
  const int64_t Y0 = std::max<int64_t>(P.Y, Clip.Top), Y1 = std::min<int64_t>(P.Y + P.H, Clip.Bottom);
  if (X0 >= X1 || Y0 >= Y1) return false;
  P.VX0 = static_cast<int>(X0);
  P.VX1 = static_cast<int>(X1);
  P.VY0 = static_cast<int>(Y0);
  P.VY1 = static_cast<int>(Y1);
  return true;
}

// --- Sample --------------------------------------------------------------------

// Source index of each visible destination index for nearest sampling: the
// source pixel under the destination pixel's centre.
std::vector<int> NearestMap(int64_t DstLen, int64_t SrcStart, int64_t SrcLen, bool Flip, int64_t First, int Count) {
  std::vector<int> Map(static_cast<size_t>(Count));
  for (int K = 0; K < Count; ++K) {
    const int64_t I = First + K;
    int64_t S = ((2 * I + 1) * SrcLen) / (2 * DstLen);
    if (Flip) S = SrcLen - 1 - S;
    Map[static_cast<size_t>(K)] = static_cast<int>(std::clamp<int64_t>(SrcStart + S, -1, INT32_MAX));
  }
  return Map;
}

// Source index range [first, last] under each visible destination index, for
// the AND/OR stretch modes.
std::vector<std::pair<int, int>> RangeMap(int64_t DstLen, int64_t SrcStart, int64_t SrcLen, bool Flip,
                                          int64_t First, int Count) {
  std::vector<std::pair<int, int>> Map(static_cast<size_t>(Count));
  for (int K = 0; K < Count; ++K) {
    const int64_t I = First + K;
    int64_t Lo = (I * SrcLen) / DstLen;
    int64_t Hi = std::max(Lo, ((I + 1) * SrcLen + DstLen - 1) / DstLen - 1);
    if (Flip) {
      const int64_t L2 = SrcLen - 1 - Hi, H2 = SrcLen - 1 - Lo;
      Lo = L2;
      Hi = H2;
    }
    auto Clamp = [](int64_t V) { return static_cast<int>(std::clamp<int64_t>(V, -1, INT32_MAX)); };
    Map[static_cast<size_t>(K)] = {Clamp(SrcStart + Lo), Clamp(SrcStart + Hi)};
  }
  return Map;
}

// Area average where part of the source rectangle lies outside the bitmap:
// only the covered pixels that exist count, weighted by their overlap.
class TClippedAverager {
 public:
  TClippedAverager(const TBitmap* Src, const TBlitPlan& P, int64_t FirstCol, int VisW, int64_t FirstRow, int VisH)
      : FSrc(Src),
        FVisW(VisW),
        FX(Weights(P.W, P.SX, P.SW, P.FlipX, FirstCol, VisW)),
        FY(Weights(P.H, P.SY, P.SH, P.FlipY, FirstRow, VisH)),
        FAcc(static_cast<size_t>(VisW) * 4) {}

  // Visible row K into Out[0 .. VisW-1].
  void Row(int K, uint32_t* Out) {
    std::fill(FAcc.begin(), FAcc.end(), 0.0);
    const int SrcW = FSrc->Width(), SrcH = FSrc->Height();
    const TTaps& R = FY[static_cast<size_t>(K)];
    for (size_t RI = 0; RI < R.W.size(); ++RI) {
      const int64_t SYi = R.First + static_cast<int64_t>(RI);
      if (SYi < 0 || SYi >= SrcH || R.W[RI] <= 0) continue;
      const uint32_t* Line = FSrc->ScanLine(static_cast<int>(SYi));
      for (int J = 0; J < FVisW; ++J) {
        const TTaps& C = FX[static_cast<size_t>(J)];
        double* Acc = &FAcc[static_cast<size_t>(J) * 4];
        for (size_t CI = 0; CI < C.W.size(); ++CI) {
          const int64_t SXi = C.First + static_cast<int64_t>(CI);
          if (SXi < 0 || SXi >= SrcW) continue;
          const double Wt = C.W[CI] * R.W[RI];
          const uint32_t Px = Line[SXi];
          Acc[0] += Wt * (Px & 0xFF);
          Acc[1] += Wt * ((Px >> 8) & 0xFF);
          Acc[2] += Wt * ((Px >> 16) & 0xFF);
          Acc[3] += Wt;
        }
      }
    }
    for (int J = 0; J < FVisW; ++J) {
      const double* Acc = &FAcc[static_cast<size_t>(J) * 4];
      if (Acc[3] <= 1e-12) {
        Out[J] = kSkip;
        continue;
      }
      auto Channel = [&](double V) {
        return static_cast<uint32_t>(std::clamp(std::floor(V / Acc[3] + 0.5), 0.0, 255.0));
      };
      Out[J] = Channel(Acc[0]) | (Channel(Acc[1]) << 8) | (Channel(Acc[2]) << 16);
    }
  }

 private:
  struct TTaps {
    int64_t First = 0;
    std::vector<double> W;
  };
  // Destination pixel i covers source [i*SrcLen/DstLen, (i+1)*SrcLen/DstLen);
  // each overlapped source pixel counts by the length of the overlap.
  static std::vector<TTaps> Weights(int64_t DstLen, int64_t SrcStart, int64_t SrcLen, bool Flip, int64_t First,
                                    int Count) {
    std::vector<TTaps> T(static_cast<size_t>(Count));
    const double Scale = static_cast<double>(SrcLen) / static_cast<double>(DstLen);
    for (int K = 0; K < Count; ++K) {
      const int64_t I = First + K;
      const int64_t Pos = Flip ? DstLen - 1 - I : I;
      const double A = static_cast<double>(Pos) * Scale, B = static_cast<double>(Pos + 1) * Scale;
      const auto J0 = static_cast<int64_t>(std::floor(A));
      const int64_t J1 = std::min(static_cast<int64_t>(std::ceil(B)) - 1, SrcLen - 1);
      TTaps& E = T[static_cast<size_t>(K)];
      E.First = SrcStart + J0;
      for (int64_t J = J0; J <= J1; ++J) {
        const double Overlap = std::min(B, J + 1.0) - std::max(A, static_cast<double>(J));
        E.W.push_back(std::max(Overlap, 0.0) / Scale);
      }
    }
    return T;
  }

  const TBitmap* FSrc;
  int FVisW;
  std::vector<TTaps> FX, FY;
  std::vector<double> FAcc;
};

// --- Combine -------------------------------------------------------------------

template <typename Op>
inline void ApplyRow(uint32_t* D, const uint32_t* S, int N, Op F) {
  for (int J = 0; J < N; ++J) D[J] = F(S[J], D[J]);
}

// D[0..N-1] = Rop(P, S, D), S never aliasing D.
void CombineRow(uint8_t Code, uint32_t P, const uint32_t* S, uint32_t* D, int N) {
  switch (Code) {
    case 0xCC: std::memcpy(D, S, static_cast<size_t>(N) * sizeof(uint32_t)); return;
    case 0x88: ApplyRow(D, S, N, [](uint32_t s, uint32_t d) { return s & d; }); return;
    case 0xEE: ApplyRow(D, S, N, [](uint32_t s, uint32_t d) { return s | d; }); return;
    case 0x66: ApplyRow(D, S, N, [](uint32_t s, uint32_t d) { return s ^ d; }); return;
    case 0x33: ApplyRow(D, S, N, [](uint32_t s, uint32_t) { return ~s & kRgbMask; }); return;
    case 0x44: ApplyRow(D, S, N, [](uint32_t s, uint32_t d) { return s & ~d & kRgbMask; }); return;
    case 0xBB: ApplyRow(D, S, N, [](uint32_t s, uint32_t d) { return (~s | d) & kRgbMask; }); return;
    case 0x11: ApplyRow(D, S, N, [](uint32_t s, uint32_t d) { return ~(s | d) & kRgbMask; }); return;
    case 0xC0: ApplyRow(D, S, N, [P](uint32_t s, uint32_t) { return P & s; }); return;
    default: ApplyRow(D, S, N, [Code, P](uint32_t s, uint32_t d) { return Rop3(Code, P, s, d); }); return;
  }
}

// As CombineRow, leaving the pixels whose source is kSkip untouched.
void CombineRowSkipping(uint8_t Code, uint32_t P, const uint32_t* S, uint32_t* D, int N) {
  if (Code == 0xCC) {
    for (int J = 0; J < N; ++J)
      if (S[J] != kSkip) D[J] = S[J];
    return;
  }
  for (int J = 0; J < N; ++J)
    if (S[J] != kSkip) D[J] = Rop3(Code, P, S[J], D[J]);
}

// Operations without a source: constants, the pattern and inversions.
void CombineRowNoSource(uint8_t Code, uint32_t P, uint32_t* D, int N) {
  switch (Code) {
    case 0x00: std::fill_n(D, N, 0u); return;
    case 0xFF: std::fill_n(D, N, kRgbMask); return;
    case 0xF0: std::fill_n(D, N, P); return;
    case 0x55:
      for (int J = 0; J < N; ++J) D[J] = ~D[J] & kRgbMask;
      return;
    case 0x5A:
      for (int J = 0; J < N; ++J) D[J] ^= P;
      return;
    default:
      for (int J = 0; J < N; ++J) D[J] = Rop3(Code, P, 0, D[J]);
      return;
  }
}

}  // namespace

void TCanvas::BlitPixels(int X, int Y, int W, int H, const TBitmap* Src, int64_t SX, int64_t SY, int SW, int SH,
                         uint32_t Rop, int StretchMode, bool Transparent, uint32_t TransparentPixel) {
  if (FTarget == nullptr) return;
  const uint8_t Code = RopIndex(Rop);
  const bool UsesSource = RopUsesSource(Code);
  if (UsesSource && (Src == nullptr || Src->Empty())) return;

  TBlitPlan P;
  P.X = int64_t{X} + FOrigin.X;
  P.Y = int64_t{Y} + FOrigin.Y;
  P.W = W;
  P.H = H;
  P.SX = SX;
  P.SY = SY;
  P.SW = SW;
  P.SH = SH;
  if (!PlanBlit(P, DeviceClip(), UsesSource)) return;
  const uint32_t Pattern = BrushPixel();

  if (!UsesSource) {
    for (int TY = P.VY0; TY < P.VY1; ++TY)
      CombineRowNoSource(Code, Pattern, FTarget->ScanLine(TY) + P.VX0, P.VX1 - P.VX0);
    return;
  }

  const int SrcW = Src->Width(), SrcH = Src->Height();
  const bool SameSize = P.W == P.SW && P.H == P.SH;

  // Same size, no mirroring, no transparency: every destination pixel has
  // one source pixel, and those outside the source bitmap receive nothing,
  // so the visible area is cut to the source and rows are combined straight
  // from the source rows.
  if (SameSize && !P.FlipX && !P.FlipY && !Transparent) {
    const int64_t DX = P.SX - P.X, DY = P.SY - P.Y;  // source = destination + (DX, DY)
    const int64_t X0l = std::max<int64_t>(P.VX0, -DX), X1l = std::min<int64_t>(P.VX1, SrcW - DX);
    const int64_t Y0l = std::max<int64_t>(P.VY0, -DY), Y1l = std::min<int64_t>(P.VY1, SrcH - DY);
    if (X0l >= X1l || Y0l >= Y1l) return;
    // Inside the visible rectangle now, so they fit an int.
    const auto X0 = static_cast<int>(X0l), X1 = static_cast<int>(X1l);
    const auto Y0 = static_cast<int>(Y0l), Y1 = static_cast<int>(Y1l);
    const int N = X1 - X0;
    const int SCol = static_cast<int>(X0 + DX);
    if (Src != FTarget) {
      for (int TY = Y0; TY < Y1; ++TY)
        CombineRow(Code, Pattern, Src->ScanLine(static_cast<int>(TY + DY)) + SCol, FTarget->ScanLine(TY) + X0, N);
      return;
    }
    // Within one bitmap: rows run away from the rows they overwrite, each
    // source row is taken through a buffer before its destination changes.
    std::vector<uint32_t> Buffer(static_cast<size_t>(N));
    const bool Up = DY < 0;  // destination below its source: bottom row first
    for (int K = 0; K < Y1 - Y0; ++K) {
      const int TY = Up ? Y1 - 1 - K : Y0 + K;
      std::memcpy(Buffer.data(), Src->ScanLine(static_cast<int>(TY + DY)) + SCol, static_cast<size_t>(N) * 4);
      CombineRow(Code, Pattern, Buffer.data(), FTarget->ScanLine(TY) + X0, N);
    }
    return;
  }

  // Stretching, mirroring or transparency: a sampler fills a row buffer.
  // A source sharing the destination's pixels is read from a copy.
  TBitmap Copy;
  if (Src == FTarget) {
    Copy.Assign(const_cast<TBitmap*>(Src));
    Src = &Copy;
  }
  int Mode = StretchMode;
  if (SameSize || Transparent) Mode = COLORONCOLOR;
  // Enlarging needs no dropping of pixels: nearest sample in both AND/OR modes.
  if ((Mode == BLACKONWHITE || Mode == WHITEONBLACK) && P.W >= P.SW && P.H >= P.SH) Mode = COLORONCOLOR;

  const int VisW = P.VX1 - P.VX0;
  const int64_t FirstCol = P.VX0 - P.X;
  const int64_t FirstRow = P.VY0 - P.Y;
  const int VisH = P.VY1 - P.VY0;
  std::vector<uint32_t> Row(static_cast<size_t>(VisW), kSkip);
  auto Sample = [&](int SXi, int SYi) -> uint32_t {
    if (SXi < 0 || SYi < 0 || SXi >= SrcW || SYi >= SrcH) return kSkip;
    return Src->ScanLine(SYi)[SXi];
  };

  std::vector<int> MapX, MapY;
  std::vector<std::pair<int, int>> RangeX, RangeY;
  std::unique_ptr<stretch::TAreaAverager> Average;
  std::unique_ptr<TClippedAverager> ClippedAverage;
  if (Mode == HALFTONE) {
    if (P.SX >= 0 && P.SY >= 0 && P.SX + P.SW <= SrcW && P.SY + P.SH <= SrcH)
      Average = std::make_unique<stretch::TAreaAverager>(
          Src, static_cast<int>(P.SX), static_cast<int>(P.SY), static_cast<int>(P.SW), static_cast<int>(P.SH),
          P.W, P.H, P.FlipX, P.FlipY, FirstCol, VisW, FirstRow, VisH);
    else
      ClippedAverage = std::make_unique<TClippedAverager>(Src, P, FirstCol, VisW, FirstRow, VisH);
  } else if (Mode == BLACKONWHITE || Mode == WHITEONBLACK) {
    RangeX = RangeMap(P.W, P.SX, P.SW, P.FlipX, FirstCol, VisW);
    RangeY = RangeMap(P.H, P.SY, P.SH, P.FlipY, FirstRow, VisH);
  } else {
    MapX = NearestMap(P.W, P.SX, P.SW, P.FlipX, FirstCol, VisW);
    MapY = NearestMap(P.H, P.SY, P.SH, P.FlipY, FirstRow, VisH);
  }

  for (int K = 0; K < VisH; ++K) {
    if (Average) {
      Average->Row(K, Row.data());
    } else if (ClippedAverage) {
      ClippedAverage->Row(K, Row.data());
    } else if (Mode == BLACKONWHITE || Mode == WHITEONBLACK) {
      const bool And = Mode == BLACKONWHITE;
      const auto [Y0, Y1] = RangeY[static_cast<size_t>(K)];
      for (int J = 0; J < VisW; ++J) {
        const auto [X0, X1] = RangeX[static_cast<size_t>(J)];
        uint32_t Acc = And ? kRgbMask : 0;
        bool Any = false;
        for (int SYi = std::max(Y0, 0); SYi <= std::min(Y1, SrcH - 1); ++SYi)
          for (int SXi = std::max(X0, 0); SXi <= std::min(X1, SrcW - 1); ++SXi) {
            const uint32_t Px = Src->ScanLine(SYi)[SXi];
            Acc = And ? (Acc & Px) : (Acc | Px);
            Any = true;
          }
        Row[static_cast<size_t>(J)] = Any ? Acc : kSkip;
      }
    } else {
      const int SYi = MapY[static_cast<size_t>(K)];
      for (int J = 0; J < VisW; ++J) {
        uint32_t Px = Sample(MapX[static_cast<size_t>(J)], SYi);
        if (Transparent && Px == TransparentPixel) Px = kSkip;
        Row[static_cast<size_t>(J)] = Px;
      }
    }
    CombineRowSkipping(Code, Pattern, Row.data(), FTarget->ScanLine(P.VY0 + K) + P.VX0, VisW);
  }
}

void TCanvas::Blit(int X, int Y, int W, int H, TCanvas* Src, int SX, int SY, int SW, int SH, uint32_t Rop) {
  const TBitmap* Bmp = nullptr;
  int64_t SX0 = SX, SY0 = SY;
  if (Src != nullptr && Src->FTarget != nullptr) {
    Bmp = Src->FTarget;
    SX0 += Src->FOrigin.X;
    SY0 += Src->FOrigin.Y;
  }
  BlitPixels(X, Y, W, H, Bmp, SX0, SY0, SW, SH, Rop, FStretchBltMode, false, 0);
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

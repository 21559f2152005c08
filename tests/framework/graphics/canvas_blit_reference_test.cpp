// Block transfers against plain per-pixel references on random input: the
// same-size copy in every raster operation (views, clips, sources partly
// outside their bitmap, a bitmap copied onto itself, far-away coordinates),
// and the area-average reduction against the straightforward weighted sum.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"

namespace orv {
namespace {

// Truth table evaluated bit by bit: bit (p*4 + s*2 + d) of Code is the result.
uint32_t TruthTable(uint8_t Code, uint32_t P, uint32_t S, uint32_t D) {
  uint32_t R = 0;
  for (int Bit = 0; Bit < 24; ++Bit) {
    const unsigned Index = ((P >> Bit) & 1) << 2 | ((S >> Bit) & 1) << 1 | ((D >> Bit) & 1);
    R |= static_cast<uint32_t>((Code >> Index) & 1) << Bit;
  }
  return R;
}

void Randomize(TBitmap& B, std::mt19937& Rng) {
  for (int I = 0; I < B.Width() * B.Height(); ++I) B.Bits()[I] = Rng() & 0xFFFFFF;
}

int Pick(std::mt19937& Rng, int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Rng); }

// A coordinate near the target, or now and then one near the ends of int.
int Coordinate(std::mt19937& Rng) {
  switch (Pick(Rng, 0, 19)) {
    case 0: return INT_MIN + Pick(Rng, 0, 40);
    case 1: return INT_MAX - Pick(Rng, 0, 40);
    default: return Pick(Rng, -12, 40);
  }
}

int Extent(std::mt19937& Rng) {
  switch (Pick(Rng, 0, 19)) {
    case 0: return INT_MAX - Pick(Rng, 0, 40);
    case 1: return -Pick(Rng, 1, 30);
    default: return Pick(Rng, 0, 36);
  }
}

TEST(CanvasBlitReference, SameSizeCopiesMatchThePerPixelRule) {
  const uint32_t Rops[] = {SRCCOPY,   SRCAND,   SRCPAINT, SRCINVERT, SRCERASE, NOTSRCCOPY, NOTSRCERASE,
                           MERGECOPY, MERGEPAINT, PATCOPY, PATPAINT, PATINVERT, DSTINVERT, BLACKNESS,
                           WHITENESS, 0x00B80000, 0x00E20000, 0x00720000};
  std::mt19937 Rng(20261210);
  for (int Round = 0; Round < 3000; ++Round) {
    TBitmap Target(Pick(Rng, 1, 32), Pick(Rng, 1, 32));
    Randomize(Target, Rng);
    TBitmap Other(Pick(Rng, 1, 32), Pick(Rng, 1, 32));
    Randomize(Other, Rng);
    const bool Self = Pick(Rng, 0, 2) == 0;  // overlapping copy within one bitmap

    TCanvas View(&Target);
    const TPoint Origin{Pick(Rng, -8, 8), Pick(Rng, -8, 8)};
    View.SetView(Origin, TRect{Pick(Rng, -4, 10), Pick(Rng, -4, 10), Pick(Rng, 5, 40), Pick(Rng, 5, 40)});
    if (Pick(Rng, 0, 1)) View.SetClipRect(TRect{Pick(Rng, -10, 20), Pick(Rng, -10, 20), Pick(Rng, 0, 40), Pick(Rng, 0, 40)});
    const TColor Brush = Rng() & 0xFFFFFF;
    View.Brush()->SetColor(Brush);
    const uint32_t Rop = Rops[Pick(Rng, 0, static_cast<int>(std::size(Rops)) - 1)];
    const int X = Coordinate(Rng), Y = Coordinate(Rng), W = Extent(Rng), H = Extent(Rng);
    const int SX = Coordinate(Rng), SY = Coordinate(Rng);

    // The reference: every target pixel inside the clip and the destination
    // rectangle takes its source pixel, when that lies inside the source.
    const std::vector<uint32_t> Before(Target.Bits(), Target.Bits() + Target.Width() * Target.Height());
    const TBitmap& Source = Self ? Target : Other;
    const uint32_t* SourceBits = Self ? Before.data() : Other.Bits();
    const TRect Clip = View.DeviceClip();
    int64_t X0 = int64_t{X} + Origin.X, Y0 = int64_t{Y} + Origin.Y, W0 = W, H0 = H, SX0 = SX, SY0 = SY;
    if (Self) {
      SX0 += Origin.X;
      SY0 += Origin.Y;
    }
    if (W0 < 0) {
      X0 += W0;
      SX0 += W0;
      W0 = -W0;
    }
    if (H0 < 0) {
      Y0 += H0;
      SY0 += H0;
      H0 = -H0;
    }
    std::vector<uint32_t> Want = Before;
    const uint8_t Code = static_cast<uint8_t>(Rop >> 16);
    const bool UsesSource = ((Code >> 2) & 0x33) != (Code & 0x33);
    for (int TY = Clip.Top; TY < Clip.Bottom; ++TY)
      for (int TX = Clip.Left; TX < Clip.Right; ++TX) {
        const int64_t DX = TX - X0, DY = TY - Y0;
        if (DX < 0 || DY < 0 || DX >= W0 || DY >= H0) continue;
        uint32_t S = 0;
        if (UsesSource) {
          const int64_t SXi = SX0 + DX, SYi = SY0 + DY;
          if (SXi < 0 || SYi < 0 || SXi >= Source.Width() || SYi >= Source.Height()) continue;
          S = SourceBits[SYi * Source.Width() + SXi];
        }
        uint32_t& D = Want[static_cast<size_t>(TY * Target.Width() + TX)];
        D = TruthTable(Code, ColorToPixel(Brush), S, D);
      }

    ASSERT_TRUE(BitBlt(&View, X, Y, W, H, Self ? &View : Other.Canvas(), SX, SY, Rop));
    for (int I = 0; I < Target.Width() * Target.Height(); ++I)
      ASSERT_EQ(Target.Bits()[I], Want[static_cast<size_t>(I)])
          << "round " << Round << " rop " << std::hex << Rop << std::dec << " pixel " << I % Target.Width() << ","
          << I / Target.Width() << " blit " << X << "," << Y << " " << W << "x" << H << " from " << SX << "," << SY
          << (Self ? " self" : "");
  }
}

// The area average as a plain weighted sum: destination pixel i covers source
// [i * SrcLen / DstLen, (i + 1) * SrcLen / DstLen); each source pixel counts
// by its overlap, in 16-bit fixed point summing to 65536, the largest weight
// absorbing the rounding; the channel is the 32-bit-scaled sum rounded.
struct TRefTaps {
  int First;
  std::vector<uint32_t> W;
};

std::vector<TRefTaps> RefWeights(int DstLen, int SrcLen, bool Flip) {
  std::vector<TRefTaps> R(static_cast<size_t>(DstLen));
  const double Scale = static_cast<double>(SrcLen) / DstLen;
  for (int I = 0; I < DstLen; ++I) {
    const int Pos = Flip ? DstLen - 1 - I : I;
    const double A = Pos * Scale, B = (Pos + 1) * Scale;
    const int J0 = static_cast<int>(std::floor(A));
    const int J1 = std::min(static_cast<int>(std::ceil(B)) - 1, SrcLen - 1);
    TRefTaps& T = R[static_cast<size_t>(I)];
    T.First = J0;
    uint32_t Sum = 0;
    size_t Largest = 0;
    for (int J = J0; J <= J1; ++J) {
      const double Overlap = std::max(std::min(B, J + 1.0) - std::max(A, static_cast<double>(J)), 0.0);
      T.W.push_back(static_cast<uint32_t>(std::lround(Overlap / Scale * 65536.0)));
      Sum += T.W.back();
      if (T.W.back() > T.W[Largest]) Largest = T.W.size() - 1;
    }
    T.W[Largest] += 65536u - Sum;
  }
  return R;
}

TEST(CanvasBlitReference, AreaAverageMatchesTheWeightedSumWithinOneLevel) {
  std::mt19937 Rng(77);
  for (int Round = 0; Round < 300; ++Round) {
    const int SW = Pick(Rng, 1, 90), SH = Pick(Rng, 1, 90);
    const int W = Pick(Rng, 1, SW + 8), H = Pick(Rng, 1, SH + 8);  // mostly shrinking, some enlarging
    const bool FlipX = Pick(Rng, 0, 3) == 0, FlipY = Pick(Rng, 0, 3) == 0;
    TBitmap Src(SW + 4, SH + 4);
    Randomize(Src, Rng);
    TBitmap Dst(W, H);
    SetStretchBltMode(Dst.Canvas(), HALFTONE);
    // The source block sits at (2, 3); a mirrored side starts at its far edge.
    ASSERT_TRUE(StretchBlt(Dst.Canvas(), FlipX ? W : 0, FlipY ? H : 0, FlipX ? -W : W, FlipY ? -H : H, Src.Canvas(),
                           2, 3, SW, SH, SRCCOPY));
    const auto WX = RefWeights(W, SW, FlipX), WY = RefWeights(H, SH, FlipY);
    for (int I = 0; I < H; ++I)
      for (int J = 0; J < W; ++J) {
        uint64_t Sum[3] = {0, 0, 0};
        const TRefTaps &Tx = WX[static_cast<size_t>(J)], &Ty = WY[static_cast<size_t>(I)];
        for (size_t R = 0; R < Ty.W.size(); ++R)
          for (size_t C = 0; C < Tx.W.size(); ++C) {
            const uint32_t P = Src.ScanLine(3 + Ty.First + static_cast<int>(R))[2 + Tx.First + static_cast<int>(C)];
            for (int Ch = 0; Ch < 3; ++Ch) Sum[Ch] += uint64_t{Ty.W[R]} * Tx.W[C] * ((P >> (8 * Ch)) & 0xFF);
          }
        const uint32_t Got = Dst.ScanLine(I)[J];
        for (int Ch = 0; Ch < 3; ++Ch) {
          const int Want = static_cast<int>(std::min<uint64_t>((Sum[Ch] + (uint64_t{1} << 31)) >> 32, 255));
          const int Have = static_cast<int>((Got >> (8 * Ch)) & 0xFF);
          ASSERT_LE(std::abs(Want - Have), 1) << SW << "x" << SH << " -> " << W << "x" << H << " at " << J << ","
                                              << I << " channel " << Ch;
        }
      }
  }
}

TEST(CanvasBlitReference, ClippedAreaAverageShowsTheSamePixelsAsTheWholeOne) {
  // Only the columns and rows the clip shows are worked out; they must be the
  // ones of the unclipped reduction, and nothing outside the clip changes.
  std::mt19937 Rng(78);
  for (int Round = 0; Round < 200; ++Round) {
    const int SW = Pick(Rng, 1, 90), SH = Pick(Rng, 1, 90);
    const int W = Pick(Rng, 1, SW + 8), H = Pick(Rng, 1, SH + 8);
    TBitmap Src(SW, SH);
    Randomize(Src, Rng);
    TBitmap Whole(W, H), Part(W, H);
    const TRect Clip{Pick(Rng, -2, W), Pick(Rng, -2, H), Pick(Rng, 0, W + 2), Pick(Rng, 0, H + 2)};
    Part.Canvas()->SetClipRect(Clip);
    for (TBitmap* D : {&Whole, &Part}) {
      SetStretchBltMode(D->Canvas(), HALFTONE);
      StretchBlt(D->Canvas(), 0, 0, W, H, Src.Canvas(), 0, 0, SW, SH, SRCCOPY);
    }
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X)
        ASSERT_EQ(Part.ScanLine(Y)[X], Clip.Contains(TPoint{X, Y}) ? Whole.ScanLine(Y)[X] : 0xFFFFFFu)
            << SW << "x" << SH << " -> " << W << "x" << H << " at " << X << "," << Y;
  }
}

}  // namespace
}  // namespace orv

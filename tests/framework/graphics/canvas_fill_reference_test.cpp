// Filled shapes against plain per-pixel references on random input: polygon
// fills in both fill rules, and block fills of every length and alignment.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "tests/framework/graphics/raster_helpers.h"

namespace orv::testing {
namespace {

int Pick(std::mt19937& Rng, int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Rng); }

// Whether the centre of pixel (PX, PY) is inside the polygon (with
// AtCorners its top-left corner): every edge that crosses the row of centres
// at y = PY + 1/2 (of corners at y = PY) is counted when the point lies at
// or right of the crossing. Worked out per pixel, with no state carried from
// row to row or pixel to pixel.
bool Inside(const std::vector<TPoint>& P, int64_t PX, int64_t PY, bool Winding, bool AtCorners = false) {
  int Wind = 0, Crossings = 0;
  for (size_t I = 0; I < P.size(); ++I) {
    TPoint A = P[I], B = P[(I + 1) % P.size()];
    int Dir = 1;
    if (A.Y > B.Y) {
      std::swap(A, B);
      Dir = -1;
    }
    if (!(A.Y <= PY && PY < B.Y)) continue;
    // Centre x + 1/2 >= crossing  <=>  2*(PX - A.X)*DY + DY >= (2*(PY - A.Y) + 1)*DX;
    // corner x >= crossing  <=>  (PX - A.X)*DY >= (PY - A.Y)*DX.
    const int64_t DY = int64_t{B.Y} - A.Y, DX = int64_t{B.X} - A.X;
    const bool Right = AtCorners ? (PX - A.X) * DY >= (PY - A.Y) * DX
                                 : 2 * (PX - A.X) * DY + DY >= (2 * (PY - A.Y) + 1) * DX;
    if (Right) {
      Wind += Dir;
      ++Crossings;
    }
  }
  return Winding ? Wind != 0 : Crossings % 2 == 1;
}

TEST(CanvasFillReference, PolygonsMatchThePerPixelCentreRule) {
  std::mt19937 Rng(77);
  for (int Round = 0; Round < 600; ++Round) {
    const int W = Pick(Rng, 1, 48), H = Pick(Rng, 1, 48);
    std::vector<TPoint> P(static_cast<size_t>(Pick(Rng, 3, 9)));
    // Vertices mostly on the sheet, some off it; thin slivers and long
    // edges sloping both ways included.
    for (TPoint& V : P) V = TPoint{Pick(Rng, -20, W + 20), Pick(Rng, -20, H + 20)};
    if (Round % 5 == 0) P[1].X = P[0].X + Pick(Rng, -1, 1);
    const bool Winding = Round % 2 == 1;
    const TPoint Origin{Pick(Rng, -5, 5), Pick(Rng, -5, 5)};
    TSheet S(W, H);
    S.C()->SetView(Origin, TRect{0, 0, W, H});
    S.C()->Pen()->SetStyle(psClear);
    S.C()->Brush()->SetColor(kRed);
    SetPolyFillMode(S.C(), Winding ? WINDING : ALTERNATE);
    S.C()->Polygon(P);
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) {
        const bool In = Inside(P, X - Origin.X, Y - Origin.Y, Winding);
        ASSERT_EQ(S.Bmp->ScanLine(Y)[X] == 0xFF0000u, In)
            << "round " << Round << " at " << X << "," << Y << "\n"
            << S.Dump();
      }
  }
}

TEST(CanvasFillReference, ThinOutlinesEncloseTheirFillWithoutGapsOrOverhang) {
  // The outline alone is drawn as a closed polyline on a second sheet; with
  // the brush, every other pixel is the brush exactly where the corner
  // sample is inside. A diagonal of white inside a right-hand edge sloping
  // down to the left, or brush outside a left-hand one, fails here.
  std::mt19937 Rng(78);
  for (int Round = 0; Round < 400; ++Round) {
    const int W = Pick(Rng, 4, 40), H = Pick(Rng, 4, 40);
    std::vector<TPoint> P(static_cast<size_t>(Pick(Rng, 3, 7)));
    for (TPoint& V : P) V = TPoint{Pick(Rng, -8, W + 8), Pick(Rng, -8, H + 8)};
    const bool Winding = Round % 2 == 1;
    TSheet Shape(W, H), Outline(W, H);
    Shape.C()->Brush()->SetColor(kRed);
    SetPolyFillMode(Shape.C(), Winding ? WINDING : ALTERNATE);
    Shape.C()->Polygon(P);
    std::vector<TPoint> Closed = P;
    Closed.push_back(P[0]);
    Outline.C()->Polyline(Closed);
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) {
        const TColor Want = Outline.At(X, Y) == kBlack ? kBlack : Inside(P, X, Y, Winding, true) ? kRed : kWhite;
        ASSERT_EQ(Shape.At(X, Y), Want) << "round " << Round << " at " << X << "," << Y << "\n" << Shape.Dump();
      }
  }
}

TEST(CanvasFillReference, BlockFillsWriteExactlyTheirPixels) {
  // Lengths around the vector widths and the long-run threshold, at every
  // alignment; the pixels next to the block stay untouched.
  const int W = 4200;
  TSheet S(W, 3);
  S.C()->Pen()->SetStyle(psClear);
  for (int Len : {1, 2, 7, 8, 9, 15, 16, 17, 23, 24, 31, 33, 64, 100, 4095, 4096, 4100}) {
    for (int Start = 0; Start < 9; ++Start) {
      S.C()->Brush()->SetColor(kWhite);
      S.C()->FillRect(TRect{0, 0, W, 3});
      S.C()->Brush()->SetColor(kRed);
      S.C()->FillRect(TRect{Start, 1, Start + Len, 2});
      const uint32_t* Row = S.Bmp->ScanLine(1);
      int Red = 0;
      for (int X = 0; X < W; ++X) Red += Row[X] == 0xFF0000u ? 1 : 0;
      ASSERT_EQ(Red, Len) << Len << " at " << Start;
      ASSERT_EQ(Row[Start], 0xFF0000u);
      ASSERT_EQ(Row[Start + Len - 1], 0xFF0000u);
      ASSERT_EQ(S.Bmp->ScanLine(0)[Start], 0xFFFFFFu);
      ASSERT_EQ(S.Bmp->ScanLine(2)[Start + Len - 1], 0xFFFFFFu);
    }
  }
}

}  // namespace
}  // namespace orv::testing

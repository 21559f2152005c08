// Lines: end point excluded, the tie rule of the minor step, mirror symmetry
// across octants, dashes, wide pens, polylines.

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "tests/framework/graphics/raster_helpers.h"

namespace orv::testing {
namespace {

using TPixels = std::set<std::pair<int, int>>;

// Pixels of a line from (32, 32) by (DX, DY), relative to the start.
TPixels LinePixels(int DX, int DY) {
  TSheet S(65, 65);
  S.C()->MoveTo(32, 32);
  S.C()->LineTo(32 + DX, 32 + DY);
  TPixels P;
  for (int Y = 0; Y < 65; ++Y)
    for (int X = 0; X < 65; ++X)
      if (S.At(X, Y) == kBlack) P.insert({X - 32, Y - 32});
  return P;
}

TEST(CanvasLine, EndPointIsExcludedAndPenPosMoves) {
  TSheet S(10, 3);
  S.C()->MoveTo(1, 1);
  S.C()->LineTo(6, 1);
  EXPECT_EQ(S.At(1, 1), kBlack);
  EXPECT_EQ(S.At(5, 1), kBlack);
  EXPECT_EQ(S.At(6, 1), kWhite);
  EXPECT_EQ(S.C()->PenPos(), Point(6, 1));
  // A zero-length line draws nothing.
  S.C()->LineTo(6, 1);
  EXPECT_EQ(S.At(6, 1), kWhite);
  EXPECT_EQ(S.Count(kBlack), 5);
}

TEST(CanvasLine, OnePixelPerMajorStepAndHalfwayTiesStayNearTheStart) {
  const TPixels P = LinePixels(4, 2);  // exact halves at x = 1 and x = 3
  const TPixels Want{{0, 0}, {1, 0}, {2, 1}, {3, 1}};
  EXPECT_EQ(P, Want);
  const TPixels Steep = LinePixels(1, 6);
  EXPECT_EQ(Steep.size(), 6u);
  EXPECT_TRUE(Steep.count({0, 2}) && Steep.count({0, 3}) && Steep.count({1, 3}) == 0 && Steep.count({1, 4}));
  EXPECT_EQ(LinePixels(5, 5).size(), 5u);
  EXPECT_TRUE(LinePixels(5, 5).count({4, 4}));
}

TEST(CanvasLine, MirrorsExactlyInAllEightOctants) {
  const std::vector<std::pair<int, int>> Deltas{{7, 3}, {9, 2}, {5, 5}, {3, 8}, {12, 5}, {6, 4}, {1, 9}, {20, 7}};
  for (const auto& [DX, DY] : Deltas) {
    const TPixels Base = LinePixels(DX, DY);
    for (int SX : {-1, 1})
      for (int SY : {-1, 1})
        for (bool Swap : {false, true}) {
          TPixels Want;
          for (const auto& [X, Y] : Base) Want.insert(Swap ? std::pair{SY * Y, SX * X} : std::pair{SX * X, SY * Y});
          const TPixels Got = Swap ? LinePixels(SY * DY, SX * DX) : LinePixels(SX * DX, SY * DY);
          EXPECT_EQ(Got, Want) << DX << "," << DY << " signs " << SX << SY << " swap " << Swap;
        }
  }
}

TEST(CanvasLine, DashedPenRepeatsItsPatternAndFillsGapsWithSolidBrush) {
  TSheet S(40, 2);
  S.C()->Pen()->SetStyle(psDot);
  S.C()->Brush()->SetColor(kRed);
  S.C()->MoveTo(0, 0);
  S.C()->LineTo(12, 0);
  const TColor Want[12] = {kBlack, kBlack, kBlack, kRed, kRed, kRed, kBlack, kBlack, kBlack, kRed, kRed, kRed};
  for (int X = 0; X < 12; ++X) EXPECT_EQ(S.At(X, 0), Want[X]) << X;
  // The pattern runs on across LineTo; the gaps stay untouched with a clear brush.
  S.C()->Brush()->SetStyle(bsClear);
  S.C()->MoveTo(0, 1);
  S.C()->LineTo(2, 1);
  S.C()->LineTo(7, 1);
  EXPECT_EQ(S.At(2, 1), kBlack);
  EXPECT_EQ(S.At(3, 1), kWhite);
  EXPECT_EQ(S.At(6, 1), kBlack);
  S.C()->Pen()->SetStyle(psDash);
  S.C()->MoveTo(0, 1);
  S.C()->LineTo(40, 1);
  EXPECT_EQ(S.At(17, 1), kBlack);
  EXPECT_EQ(S.At(18, 1), kWhite);
  EXPECT_EQ(S.At(24, 1), kBlack);
}

TEST(CanvasLine, WidePenCoversWidthRowsWithRoundCaps) {
  for (int W : {2, 3, 4, 5}) {
    TSheet S(30, 30);
    S.C()->Pen()->SetWidth(W);
    S.C()->MoveTo(8, 15);
    S.C()->LineTo(20, 15);
    int Rows = 0;
    for (int Y = 0; Y < 30; ++Y) Rows += S.At(14, Y) == kBlack ? 1 : 0;
    EXPECT_EQ(Rows, W) << W;
    // Round caps reach W/2 beyond both ends on the line's row.
    EXPECT_EQ(S.At(8 - (W / 2), W % 2 ? 15 : 15 - 1 + (W % 2)), kBlack) << W;
    EXPECT_EQ(S.At(20 + W / 2 + 1, 15), kWhite) << W;
  }
}

TEST(CanvasLine, ThinPolylineDrawsSharedVerticesOnceUnderXor) {
  TSheet S(20, 20);
  S.C()->Pen()->SetMode(pmXor);
  S.C()->Pen()->SetColor(kWhite);
  const TPoint Pts[] = {{2, 2}, {15, 2}, {15, 15}, {2, 15}};
  S.C()->Polyline(Pts);
  EXPECT_EQ(S.At(15, 2), kBlack);  // a vertex is drawn exactly once, not cancelled
  EXPECT_EQ(S.At(15, 15), kBlack);
  EXPECT_EQ(S.At(2, 15), kWhite);  // the last point is excluded
  EXPECT_EQ(S.Count(kBlack), 13 + 13 + 13);
}

TEST(CanvasLine, WidePolylineCombinesOverlappingJoinsOnce) {
  TSheet S(30, 30);
  S.C()->Pen()->SetMode(pmXor);
  S.C()->Pen()->SetColor(kWhite);
  S.C()->Pen()->SetWidth(5);
  const TPoint Pts[] = {{5, 5}, {24, 5}, {24, 24}};
  S.C()->Polyline(Pts);
  EXPECT_EQ(S.At(24, 5), kBlack);  // the join, covered by both segments
  EXPECT_EQ(S.At(23, 6), kBlack);
}

}  // namespace
}  // namespace orv::testing

// Polygons (coverage, fill rules, edge ownership), ellipses and their parts.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/framework/graphics/raster_helpers.h"

namespace orv::testing {
namespace {

TEST(CanvasPolygon, SquareCoversInteriorOfPixelCentres) {
  TSheet S(12, 12);
  S.C()->Pen()->SetStyle(psClear);
  S.C()->Brush()->SetColor(kRed);
  const TPoint Sq[] = {{2, 2}, {8, 2}, {8, 7}, {2, 7}};
  S.C()->Polygon(Sq);
  EXPECT_EQ(S.Count(kRed), 6 * 5);
  EXPECT_EQ(S.At(2, 2), kRed);
  EXPECT_EQ(S.At(7, 6), kRed);
  EXPECT_EQ(S.At(8, 6), kWhite);
  EXPECT_EQ(S.At(7, 7), kWhite);
}

TEST(CanvasPolygon, RandomTrianglesTilingASquareCoverEveryPixelOnce) {
  // A grid of random points split into triangles; drawn with xor, a pixel
  // covered twice would flip back, a gap would stay white.
  std::mt19937 Rng(1234);
  for (int Round = 0; Round < 20; ++Round) {
    const int N = 4, Cell = 16, Size = N * Cell;
    TPoint G[N + 1][N + 1];
    for (int I = 0; I <= N; ++I)
      for (int J = 0; J <= N; ++J) {
        const bool Border = I == 0 || J == 0 || I == N || J == N;
        const int JX = Border ? 0 : static_cast<int>(Rng() % 11) - 5;
        const int JY = Border ? 0 : static_cast<int>(Rng() % 11) - 5;
        G[I][J] = TPoint{J * Cell + JX, I * Cell + JY};
      }
    TSheet S(Size, Size);
    S.C()->Pen()->SetStyle(psClear);
    S.C()->Pen()->SetMode(pmXor);
    S.C()->Brush()->SetColor(kWhite);
    for (int I = 0; I < N; ++I)
      for (int J = 0; J < N; ++J) {
        const bool Flip = Rng() % 2;
        const TPoint A = G[I][J], B = G[I][J + 1], C = G[I + 1][J + 1], D = G[I + 1][J];
        const TPoint T1[] = {A, B, Flip ? D : C};
        const TPoint T2[] = {Flip ? B : A, C, D};
        S.C()->Polygon(T1);
        S.C()->Polygon(T2);
      }
    ASSERT_EQ(S.Count(kBlack), Size * Size) << "round " << Round << "\n" << S.Dump();
  }
}

TEST(CanvasPolygon, AlternateLeavesTheCentreOfAStarWindingFillsIt) {
  const TPoint Star[] = {{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
  TSheet A(40, 40);
  A.C()->Pen()->SetStyle(psClear);
  A.C()->Brush()->SetColor(kRed);
  A.C()->Polygon(Star);
  EXPECT_EQ(A.At(20, 20), kWhite);
  EXPECT_EQ(A.At(20, 8), kRed);
  TSheet W(40, 40);
  W.C()->Pen()->SetStyle(psClear);
  W.C()->Brush()->SetColor(kRed);
  EXPECT_EQ(SetPolyFillMode(W.C(), WINDING), ALTERNATE);
  W.C()->Polygon(Star);
  EXPECT_EQ(W.At(20, 20), kRed);
}

TEST(CanvasPolygon, OutlineIsTheClosedPolylineInThePen) {
  TSheet S(12, 12);
  S.C()->Brush()->SetColor(kRed);
  const TPoint Tri[] = {{1, 1}, {10, 1}, {1, 10}};
  S.C()->Polygon(Tri);
  EXPECT_EQ(S.At(1, 1), kBlack);
  EXPECT_EQ(S.At(10, 1), kBlack);
  EXPECT_EQ(S.At(1, 10), kBlack);
  EXPECT_EQ(S.At(3, 3), kRed);
  EXPECT_EQ(S.At(10, 10), kWhite);
}

bool SymmetricBothAxes(TSheet& S, int X1, int Y1, int X2, int Y2) {
  for (int Y = Y1; Y < Y2; ++Y)
    for (int X = X1; X < X2; ++X) {
      const TColor P = S.At(X, Y);
      if (P != S.At(X1 + X2 - 1 - X, Y) || P != S.At(X, Y1 + Y2 - 1 - Y)) return false;
    }
  return true;
}

TEST(CanvasEllipse, SymmetricAndTouchesEveryEdgeOfItsBox) {
  for (const TRect& R : {Rect(3, 3, 20, 14), Rect(2, 5, 30, 9), Rect(4, 4, 5, 25), Rect(1, 1, 27, 27),
                         Rect(6, 2, 11, 30)}) {
    TSheet S(32, 32);
    S.C()->Brush()->SetColor(kRed);
    S.C()->Ellipse(R);
    EXPECT_TRUE(SymmetricBothAxes(S, R.Left, R.Top, R.Right, R.Bottom)) << S.Dump();
    bool Top = false, Bottom = false, Left = false, Right = false;
    for (int X = R.Left; X < R.Right; ++X) {
      Top |= S.At(X, R.Top) == kBlack;
      Bottom |= S.At(X, R.Bottom - 1) == kBlack;
      EXPECT_EQ(S.At(X, R.Bottom), kWhite);
    }
    for (int Y = R.Top; Y < R.Bottom; ++Y) {
      Left |= S.At(R.Left, Y) == kBlack;
      Right |= S.At(R.Right - 1, Y) == kBlack;
      EXPECT_EQ(S.At(R.Right, Y), kWhite);
    }
    EXPECT_TRUE(Top && Bottom && Left && Right) << S.Dump();
  }
}

TEST(CanvasEllipse, OutlineIsOnePixelBorderAroundTheBrush) {
  TSheet S(24, 24);
  S.C()->Brush()->SetColor(kRed);
  S.C()->Ellipse(2, 2, 22, 22);
  EXPECT_EQ(S.At(12, 12), kRed);
  EXPECT_EQ(S.At(2, 12), kBlack);
  EXPECT_EQ(S.At(3, 12), kRed);
  EXPECT_EQ(S.At(2, 2), kWhite);
  // Every red pixel has four non-white neighbours: no brush leaks to the edge.
  for (int Y = 1; Y < 23; ++Y)
    for (int X = 1; X < 23; ++X)
      if (S.At(X, Y) == kRed) {
        ASSERT_NE(S.At(X - 1, Y), kWhite);
        ASSERT_NE(S.At(X + 1, Y), kWhite);
        ASSERT_NE(S.At(X, Y - 1), kWhite);
        ASSERT_NE(S.At(X, Y + 1), kWhite);
      }
  // The same box with a clear pen is covered entirely by the brush.
  TSheet F(24, 24);
  F.C()->Pen()->SetStyle(psClear);
  F.C()->Brush()->SetColor(kRed);
  F.C()->Ellipse(2, 2, 22, 22);
  EXPECT_EQ(F.Count(kRed), S.Count(kRed) + S.Count(kBlack));
}

TEST(CanvasEllipse, WidePenRingIsSymmetric) {
  TSheet S(40, 40);
  S.C()->Pen()->SetWidth(4);
  S.C()->Brush()->SetColor(kRed);
  S.C()->Ellipse(6, 6, 34, 30);
  // Centre row of the widened box (rows 4..30): the ring spans x = 4..7.
  EXPECT_EQ(S.At(20, 17), kRed);
  EXPECT_EQ(S.At(6, 17), kBlack);
  EXPECT_EQ(S.At(4, 17), kBlack);  // two pixels outward (even width: extra one outward)
  EXPECT_EQ(S.At(3, 17), kWhite);
  EXPECT_EQ(S.At(7, 17), kBlack);
  EXPECT_EQ(S.At(8, 17), kRed);
  EXPECT_TRUE(SymmetricBothAxes(S, 4, 4, 35, 31)) << S.Dump();
}

TEST(CanvasPie, QuarterPieCoversOneQuadrantCounterClockwise) {
  TSheet S(41, 41);
  S.C()->Brush()->SetColor(kRed);
  // From the radial to the right (east) counter-clockwise to the one upwards.
  S.C()->Pie(0, 0, 41, 41, 40, 20, 20, 0);
  EXPECT_EQ(S.At(30, 10), kRed);   // north-east quadrant
  EXPECT_EQ(S.At(10, 10), kWhite);
  EXPECT_EQ(S.At(10, 30), kWhite);
  EXPECT_EQ(S.At(30, 30), kWhite);
  EXPECT_EQ(S.At(20, 20), kBlack);  // the tip lies on the outline
  EXPECT_EQ(S.At(40, 20), kBlack);  // start point of the arc
  EXPECT_EQ(S.At(20, 0), kBlack);   // end point of the arc
  EXPECT_EQ(S.At(30, 20), kBlack);  // along the start radial
  EXPECT_EQ(S.At(20, 10), kBlack);  // along the end radial
  // Swapping the radials takes the other three quadrants.
  TSheet O(41, 41);
  O.C()->Brush()->SetColor(kRed);
  O.C()->Pie(0, 0, 41, 41, 20, 0, 40, 20);
  EXPECT_EQ(O.At(30, 10), kWhite);
  EXPECT_EQ(O.At(10, 10), kRed);
  EXPECT_EQ(O.At(10, 30), kRed);
  EXPECT_EQ(O.At(30, 30), kRed);
}

TEST(CanvasArc, DrawsOnlyTheOutlineBetweenTheRadials) {
  TSheet S(41, 41);
  S.C()->Brush()->SetColor(kRed);
  S.C()->Arc(0, 0, 41, 41, 0, 20, 40, 20);  // west, counter-clockwise through south to east
  EXPECT_EQ(S.Count(kRed), 0);
  EXPECT_EQ(S.At(20, 40), kBlack);
  EXPECT_EQ(S.At(20, 0), kWhite);
  EXPECT_EQ(S.At(0, 20), kBlack);
  EXPECT_EQ(S.At(40, 20), kBlack);
  // Equal radials draw the whole ellipse.
  TSheet F(41, 41);
  F.C()->Arc(0, 0, 41, 41, 40, 20, 40, 20);
  EXPECT_EQ(F.At(20, 0), kBlack);
  EXPECT_EQ(F.At(20, 40), kBlack);
}

TEST(CanvasChord, FillsTheSegmentCutByTheChord) {
  TSheet S(41, 41);
  S.C()->Brush()->SetColor(kRed);
  S.C()->Chord(0, 0, 41, 41, 40, 20, 0, 20);  // upper half
  EXPECT_EQ(S.At(20, 10), kRed);
  EXPECT_EQ(S.At(20, 30), kWhite);
  EXPECT_EQ(S.At(20, 20), kBlack);  // on the chord
}

TEST(CanvasRoundRect, CornersAreCutAndSidesStraight) {
  TSheet S(30, 30);
  S.C()->Brush()->SetColor(kRed);
  S.C()->RoundRect(2, 2, 28, 28, 10, 10);
  EXPECT_EQ(S.At(2, 2), kWhite);
  EXPECT_EQ(S.At(15, 2), kBlack);
  EXPECT_EQ(S.At(2, 15), kBlack);
  EXPECT_EQ(S.At(27, 15), kBlack);
  EXPECT_EQ(S.At(15, 28), kWhite);
  EXPECT_EQ(S.At(15, 15), kRed);
  EXPECT_TRUE(SymmetricBothAxes(S, 2, 2, 28, 28));
}

}  // namespace
}  // namespace orv::testing

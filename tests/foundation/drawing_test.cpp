// Bevel frames (inclusive corners, ring colours), the 52 marker symbols and
// outline rectangles.

#include "foundation/drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "framework/graphics/bitmap.h"

namespace orv {
namespace {

constexpr TColor kHi = 0xFFFFFF, kLight = 0xC0C0C0, kShadow = 0x808080, kDark = 0x000000, kBack = 0x00FF00;

struct TFrameSheet {
  TFrameSheet() : Bmp(10, 8) {
    Bmp.Canvas()->Brush()->SetColor(kBack);
    Bmp.Canvas()->FillRect(Rect(0, 0, 10, 8));
  }
  TColor At(int X, int Y) { return Bmp.Canvas()->Pixels(X, Y); }
  void Draw(TFrameStyle S) { DrawFrame(Bmp.Canvas(), S, 0, 0, 9, 7, kHi, kLight, kShadow, kDark, 0x0000FF); }
  TBitmap Bmp;
};

TEST(DrawFrame, RightAndBottomAreInclusiveOuterPixels) {
  TFrameSheet S;
  S.Draw(fsSimple);
  for (int X = 0; X < 10; ++X) {
    EXPECT_EQ(S.At(X, 0), kDark);
    EXPECT_EQ(S.At(X, 7), kDark);
  }
  for (int Y = 0; Y < 8; ++Y) {
    EXPECT_EQ(S.At(0, Y), kDark);
    EXPECT_EQ(S.At(9, Y), kDark);
  }
  EXPECT_EQ(S.At(1, 1), kBack);
  EXPECT_EQ(S.At(5, 4), kBack);
}

TEST(DrawFrame, NoneChangesNothing) {
  TFrameSheet S;
  S.Draw(fsNone);
  for (int Y = 0; Y < 8; ++Y)
    for (int X = 0; X < 10; ++X) ASSERT_EQ(S.At(X, Y), kBack);
}

TEST(DrawFrame, LoweredAndRaisedPutShadowAndHighlightOnOppositeSides) {
  TFrameSheet L;
  L.Draw(fsLowered);
  EXPECT_EQ(L.At(0, 0), kShadow);
  EXPECT_EQ(L.At(5, 0), kShadow);
  EXPECT_EQ(L.At(0, 4), kShadow);
  EXPECT_EQ(L.At(9, 0), kHi);  // top-right corner belongs to the right side
  EXPECT_EQ(L.At(0, 7), kHi);  // bottom-left corner belongs to the bottom
  EXPECT_EQ(L.At(9, 7), kHi);
  EXPECT_EQ(L.At(1, 1), kBack);
  TFrameSheet R;
  R.Draw(fsRaised);
  EXPECT_EQ(R.At(0, 0), kHi);
  EXPECT_EQ(R.At(5, 7), kShadow);
  EXPECT_EQ(R.At(9, 4), kShadow);
  EXPECT_EQ(R.At(1, 1), kBack);
}

TEST(DrawFrame, EmbossedIsARidgeAndEngravedAGroove) {
  TFrameSheet E;
  E.Draw(fsEmbossed);
  EXPECT_EQ(E.At(3, 0), kHi);
  EXPECT_EQ(E.At(3, 1), kShadow);
  EXPECT_EQ(E.At(3, 7), kShadow);
  EXPECT_EQ(E.At(3, 6), kHi);
  EXPECT_EQ(E.At(0, 3), kHi);
  EXPECT_EQ(E.At(1, 3), kShadow);
  EXPECT_EQ(E.At(2, 3), kBack);
  TFrameSheet G;
  G.Draw(fsEngraved);
  EXPECT_EQ(G.At(3, 0), kShadow);
  EXPECT_EQ(G.At(3, 1), kHi);
  EXPECT_EQ(G.At(9, 3), kHi);
  EXPECT_EQ(G.At(8, 3), kShadow);
  EXPECT_EQ(G.At(2, 2), kBack);
}

TEST(DrawFrame, TinyBoxesAndNullCanvasAreSafe) {
  TBitmap B(3, 3);
  DrawFrame(B.Canvas(), fsEngraved, 1, 1, 1, 1);
  EXPECT_EQ(B.Canvas()->Pixels(1, 1), kHi);  // a single pixel: the bottom-right colour of the inner ring
  DrawFrame(B.Canvas(), fsEmbossed, 2, 2, 0, 0);  // reversed: nothing
  DrawFrame(nullptr, fsSimple, 0, 0, 5, 5);
}

// The symbol's pixels as text, relative to its centre.
std::string MarkPicture(int Mark, TColor Pen = kDark) {
  TBitmap B(21, 21);
  B.Canvas()->Pen()->SetColor(Pen);
  DrawMarkOnCanvas(B.Canvas(), Mark, 10, 10);
  std::string S;
  for (int Y = 0; Y < 21; ++Y)
    for (int X = 0; X < 21; ++X) S += B.Canvas()->Pixels(X, Y) == Pen ? '#' : '.';
  return S;
}

TEST(DrawMarkOnCanvas, FiftyTwoDistinctSymbolsCentredOnThePoint) {
  std::set<std::string> Seen;
  for (int M = 0; M < kMarkCount; ++M) {
    const std::string P = MarkPicture(M);
    EXPECT_NE(P.find('#'), std::string::npos) << M;
    EXPECT_TRUE(Seen.insert(P).second) << "symbol " << M << " repeats another";
    // Centred: the bounding box of the symbol is symmetric around (10, 10).
    int MinX = 99, MaxX = -1, MinY = 99, MaxY = -1;
    for (int I = 0; I < 21 * 21; ++I)
      if (P[static_cast<size_t>(I)] == '#') {
        MinX = std::min(MinX, I % 21);
        MaxX = std::max(MaxX, I % 21);
        MinY = std::min(MinY, I / 21);
        MaxY = std::max(MaxY, I / 21);
      }
    EXPECT_EQ(MinX + MaxX, 20) << M;
    EXPECT_EQ(MinY + MaxY, 20) << M;
  }
}

TEST(DrawMarkOnCanvas, UsesThePenColourAndLeavesTheBrush) {
  TBitmap B(21, 21);
  TCanvas* C = B.Canvas();
  C->Pen()->SetColor(0x0000FF);
  C->Brush()->SetColor(0x00FF00);
  C->Brush()->SetStyle(bsClear);
  DrawMarkOnCanvas(C, 12, 10, 10);  // a filled circle
  EXPECT_EQ(C->Pixels(10, 10), 0x0000FFu);
  EXPECT_EQ(C->Brush()->Style(), bsClear);
  EXPECT_EQ(C->Brush()->Color(), 0x00FF00u);
  DrawMarkOnCanvas(C, 2, 10, 10);  // an open circle keeps its inside
  TBitmap O(21, 21);
  O.Canvas()->Pen()->SetColor(0x0000FF);
  DrawMarkOnCanvas(O.Canvas(), 2, 10, 10);
  EXPECT_EQ(O.Canvas()->Pixels(10, 10), 0xFFFFFFu);
  EXPECT_EQ(O.Canvas()->Pixels(13, 10), 0x0000FFu);
}

TEST(DrawMarkOnCanvas, OutOfRangeDrawsNothing) {
  EXPECT_EQ(MarkPicture(-1).find('#'), std::string::npos);
  EXPECT_EQ(MarkPicture(kMarkCount).find('#'), std::string::npos);
}

TEST(DrawRectangle, OutlineIncludesBothCorners) {
  TBitmap B(10, 10);
  TCanvas* C = B.Canvas();
  C->Brush()->SetColor(0x00FF00);
  C->MoveTo(7, 7);
  DrawRectangle(C, 2, 3, 6, 8);
  EXPECT_EQ(C->Pixels(2, 3), 0u);
  EXPECT_EQ(C->Pixels(6, 8), 0u);
  EXPECT_EQ(C->Pixels(6, 3), 0u);
  EXPECT_EQ(C->Pixels(2, 8), 0u);
  EXPECT_EQ(C->Pixels(4, 5), 0xFFFFFFu);  // outline only
  EXPECT_EQ(C->Pixels(7, 8), 0xFFFFFFu);
  EXPECT_EQ(C->PenPos(), Point(7, 7));
  DrawRectangle(C, 8, 1, 8, 1);
  EXPECT_EQ(C->Pixels(8, 1), 0u);
}

}  // namespace
}  // namespace orv

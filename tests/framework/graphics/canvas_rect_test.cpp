// Rectangles, fills and frames: extents with the right/bottom edge excluded,
// pen versus brush, clear brush, wide pens.

#include <gtest/gtest.h>

#include "tests/framework/graphics/raster_helpers.h"

namespace orv::testing {
namespace {

TEST(CanvasRectangle, CoversX1ToX2MinusOneWithOutlineInPenAndInsideInBrush) {
  TSheet S(12, 10);
  S.C()->Pen()->SetColor(kBlack);
  S.C()->Brush()->SetColor(kRed);
  S.C()->Rectangle(2, 3, 8, 7);
  for (int Y = 0; Y < 10; ++Y)
    for (int X = 0; X < 12; ++X) {
      const bool In = X >= 2 && X <= 7 && Y >= 3 && Y <= 6;
      const bool Edge = In && (X == 2 || X == 7 || Y == 3 || Y == 6);
      const TColor Want = !In ? kWhite : Edge ? kBlack : kRed;
      ASSERT_EQ(S.At(X, Y), Want) << X << "," << Y << "\n" << S.Dump();
    }
}

TEST(CanvasRectangle, ReversedCornersAndDegenerateSizes) {
  TSheet S(10, 10);
  S.C()->Rectangle(7, 6, 2, 1);  // corners swapped: same pixels as (2, 1, 7, 6)
  EXPECT_EQ(S.At(2, 1), kBlack);
  EXPECT_EQ(S.At(6, 5), kBlack);
  EXPECT_EQ(S.At(7, 6), kWhite);
  TSheet E(10, 10);
  E.C()->Rectangle(3, 3, 3, 8);  // zero width: nothing
  E.C()->Rectangle(3, 3, 8, 3);
  EXPECT_EQ(E.Count(kWhite), 100);
  E.C()->Rectangle(4, 4, 5, 5);  // one pixel
  EXPECT_EQ(E.Count(kBlack), 1);
  EXPECT_EQ(E.At(4, 4), kBlack);
}

TEST(CanvasRectangle, ClearBrushLeavesInsideAndClearPenFillsAll) {
  TSheet S(10, 10);
  S.C()->Brush()->SetColor(kBlue);
  S.C()->FillRect(Rect(0, 0, 10, 10));
  S.C()->Brush()->SetStyle(bsClear);
  S.C()->Rectangle(1, 1, 9, 9);
  EXPECT_EQ(S.At(1, 1), kBlack);
  EXPECT_EQ(S.At(5, 5), kBlue);
  EXPECT_EQ(S.At(8, 8), kBlack);
  // Setting a colour makes the brush solid again.
  S.C()->Brush()->SetColor(kGreen);
  EXPECT_EQ(S.C()->Brush()->Style(), bsSolid);
  S.C()->Pen()->SetStyle(psClear);
  S.C()->Rectangle(2, 2, 6, 6);
  EXPECT_EQ(S.At(2, 2), kGreen);
  EXPECT_EQ(S.At(5, 5), kGreen);
  EXPECT_EQ(S.At(6, 6), kBlue);
}

TEST(CanvasRectangle, FillRectAndFrameRectUseOnlyTheBrush) {
  TSheet S(10, 10);
  S.C()->Pen()->SetColor(kRed);
  S.C()->Brush()->SetColor(kBlue);
  S.C()->FillRect(Rect(1, 1, 4, 4));
  EXPECT_EQ(S.Count(kBlue), 9);
  EXPECT_EQ(S.At(4, 4), kWhite);
  S.C()->Brush()->SetColor(kGreen);
  S.C()->FrameRect(Rect(5, 5, 9, 9));
  EXPECT_EQ(S.Count(kGreen), 12);
  EXPECT_EQ(S.At(6, 6), kWhite);
  EXPECT_EQ(S.At(8, 8), kGreen);
  EXPECT_EQ(S.Count(kRed), 0);
}

TEST(CanvasRectangle, WidePenIsCentredOnTheOutlineOrInsideFrame) {
  TSheet S(20, 20);
  S.C()->Pen()->SetWidth(3);
  S.C()->Brush()->SetColor(kRed);
  S.C()->Rectangle(5, 5, 15, 15);
  // Band of three around the one-pixel outline at 5 and 14.
  EXPECT_EQ(S.At(4, 10), kBlack);
  EXPECT_EQ(S.At(6, 10), kBlack);
  EXPECT_EQ(S.At(7, 10), kRed);
  EXPECT_EQ(S.At(15, 10), kBlack);
  EXPECT_EQ(S.At(16, 10), kWhite);
  EXPECT_EQ(S.At(3, 10), kWhite);
  TSheet I(20, 20);
  I.C()->Pen()->SetWidth(3);
  I.C()->Pen()->SetStyle(psInsideFrame);
  I.C()->Rectangle(5, 5, 15, 15);
  EXPECT_EQ(I.At(4, 10), kWhite);
  EXPECT_EQ(I.At(5, 10), kBlack);
  EXPECT_EQ(I.At(7, 10), kBlack);
  EXPECT_EQ(I.At(8, 10), kWhite);
  EXPECT_EQ(I.At(14, 14), kBlack);
  EXPECT_EQ(I.At(15, 15), kWhite);
}

TEST(CanvasPenMode, NotInvertsAndTwiceRestores) {
  TSheet S(12, 12);
  S.C()->Brush()->SetColor(0x123456);
  S.C()->FillRect(Rect(0, 0, 12, 12));
  S.C()->Pen()->SetColor(kRed);
  S.C()->Brush()->SetStyle(bsClear);
  S.C()->Pen()->SetMode(pmNot);
  S.C()->Rectangle(2, 2, 10, 10);
  EXPECT_EQ(S.At(2, 2), 0xEDCBA9u);
  EXPECT_EQ(S.At(5, 5), 0x123456u);
  S.C()->Rectangle(2, 2, 10, 10);
  S.C()->MoveTo(0, 0);
  S.C()->LineTo(11, 11);
  S.C()->MoveTo(0, 0);
  S.C()->LineTo(11, 11);
  EXPECT_EQ(S.Count(0x123456), 144);
}

TEST(CanvasPenMode, XorAndMaskCombineWithTheDestination) {
  TSheet S(4, 1);
  S.C()->Pen()->SetColor(0x0F0F0F);
  S.C()->Pen()->SetMode(pmXor);
  S.C()->MoveTo(0, 0);
  S.C()->LineTo(1, 0);
  EXPECT_EQ(S.At(0, 0), 0xF0F0F0u);
  S.C()->Pen()->SetMode(pmMask);
  S.C()->MoveTo(1, 0);
  S.C()->LineTo(2, 0);
  EXPECT_EQ(S.At(1, 0), 0x0F0F0Fu);
  S.C()->Pen()->SetMode(pmNop);
  S.C()->MoveTo(2, 0);
  S.C()->LineTo(3, 0);
  EXPECT_EQ(S.At(2, 0), kWhite);
}

TEST(CanvasFocusRect, DrawnTwiceLeavesThePicture) {
  TSheet S(10, 8);
  S.C()->DrawFocusRect(Rect(1, 1, 9, 7));
  EXPECT_EQ(S.At(1, 1), kBlack);
  EXPECT_EQ(S.At(2, 1), kWhite);
  EXPECT_EQ(S.At(3, 1), kBlack);
  EXPECT_EQ(S.At(4, 4), kWhite);
  S.C()->DrawFocusRect(Rect(1, 1, 9, 7));
  EXPECT_EQ(S.Count(kWhite), 80);
}

}  // namespace
}  // namespace orv::testing

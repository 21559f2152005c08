// Block transfers: copy modes on known pixel pairs, stretch modes (nearest,
// area average), mirroring, Draw with transparency, overlapping copies.

#include <gtest/gtest.h>

#include "tests/framework/graphics/raster_helpers.h"

namespace orv::testing {
namespace {

TEST(CanvasCopyMode, CombinesSourceAndDestinationBitwise) {
  const TColor Src = 0x0F0F33, Dst = 0x3355FF;
  struct TCase {
    TCopyMode Mode;
    TColor Want;
  } Cases[] = {{cmSrcCopy, Src},
               {cmSrcAnd, Src & Dst},
               {cmSrcPaint, Src | Dst},
               {cmSrcInvert, Src ^ Dst},
               {cmDstInvert, ~Dst & 0xFFFFFF},
               {cmNotSrcCopy, ~Src & 0xFFFFFF},
               {cmMergePaint, (~Src | Dst) & 0xFFFFFF},
               {cmSrcErase, Src & ~Dst & 0xFFFFFF},
               {cmBlackness, 0},
               {cmWhiteness, 0xFFFFFF}};
  TSheet From(2, 2);
  From.C()->Brush()->SetColor(Src);
  From.C()->FillRect(Rect(0, 0, 2, 2));
  for (const TCase& Case : Cases) {
    TSheet To(4, 4);
    To.C()->Brush()->SetColor(Dst);
    To.C()->FillRect(Rect(0, 0, 4, 4));
    To.C()->SetCopyMode(Case.Mode);
    To.C()->CopyRect(Rect(1, 1, 3, 3), From.C(), Rect(0, 0, 2, 2));
    EXPECT_EQ(To.At(1, 1), Case.Want) << std::hex << Case.Mode;
    EXPECT_EQ(To.At(2, 2), Case.Want) << std::hex << Case.Mode;
    EXPECT_EQ(To.At(0, 0), Dst);
    EXPECT_EQ(To.At(3, 3), Dst);
  }
}

TEST(CanvasStretch, HalftoneAveragesTheCoveredArea) {
  TSheet Src(4, 4);
  // 2 x 2 blocks: black, white / red (0,0,255 in TColor terms), blue.
  const TColor Block[2][2] = {{0x000000, 0xFFFFFF}, {0x0000FF, 0xFF0000}};
  for (int Y = 0; Y < 4; ++Y)
    for (int X = 0; X < 4; ++X) Src.C()->SetPixels(X, Y, Block[Y / 2][X / 2]);
  TSheet Dst(2, 2);
  EXPECT_EQ(SetStretchBltMode(Dst.C(), HALFTONE), BLACKONWHITE);
  ASSERT_TRUE(StretchBlt(Dst.C(), 0, 0, 2, 2, Src.C(), 0, 0, 4, 4, SRCCOPY));
  EXPECT_EQ(Dst.At(0, 0), 0x000000u);
  EXPECT_EQ(Dst.At(1, 0), 0xFFFFFFu);
  EXPECT_EQ(Dst.At(0, 1), 0x0000FFu);
  EXPECT_EQ(Dst.At(1, 1), 0xFF0000u);
  // The four pixels of a 2 x 2 checker average to one grey.
  TSheet Small(2, 2);
  Small.C()->SetPixels(0, 0, 0x000000);
  Small.C()->SetPixels(1, 1, 0x000000);
  Small.C()->SetPixels(1, 0, 0xC8C8C8);
  Small.C()->SetPixels(0, 1, 0xC8C8C8);
  TSheet One(1, 1);
  SetStretchBltMode(One.C(), HALFTONE);
  StretchBlt(One.C(), 0, 0, 1, 1, Small.C(), 0, 0, 2, 2, SRCCOPY);
  EXPECT_EQ(One.At(0, 0), 0x646464u);
  // A 3 -> 2 reduction weights the shared middle pixel by half.
  TSheet Row(3, 1);
  Row.C()->SetPixels(0, 0, 0x000000);
  Row.C()->SetPixels(1, 0, 0x000064);
  Row.C()->SetPixels(2, 0, 0x0000C8);
  TSheet Two(2, 1);
  SetStretchBltMode(Two.C(), HALFTONE);
  StretchBlt(Two.C(), 0, 0, 2, 1, Row.C(), 0, 0, 3, 1, SRCCOPY);
  EXPECT_EQ(Two.At(0, 0), 0x000021u);  // (0 * 1 + 100 * 0.5) / 1.5 = 33.3
  EXPECT_EQ(Two.At(1, 0), 0x0000A7u);  // (100 * 0.5 + 200) / 1.5 = 166.7
}

TEST(CanvasStretch, ColorOnColorTakesTheNearestSampleAndMirrorsOnNegativeWidth) {
  TSheet Src(4, 1);
  for (int X = 0; X < 4; ++X) Src.C()->SetPixels(X, 0, static_cast<TColor>(X * 0x10));
  TSheet Dst(8, 2);
  SetStretchBltMode(Dst.C(), COLORONCOLOR);
  StretchBlt(Dst.C(), 0, 0, 8, 1, Src.C(), 0, 0, 4, 1, SRCCOPY);
  for (int X = 0; X < 8; ++X) EXPECT_EQ(Dst.At(X, 0), static_cast<TColor>((X / 2) * 0x10)) << X;
  // The source rectangle runs from corner x = 4 back to x = 0.
  StretchBlt(Dst.C(), 0, 1, 4, 1, Src.C(), 4, 0, -4, 1, SRCCOPY);
  for (int X = 0; X < 4; ++X) EXPECT_EQ(Dst.At(X, 1), static_cast<TColor>((3 - X) * 0x10)) << X;
  SetStretchBltMode(Dst.C(), COLORONCOLOR);
  StretchBlt(Dst.C(), 4, 1, 2, 1, Src.C(), 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(Dst.At(4, 1), 0x10u);
  EXPECT_EQ(Dst.At(5, 1), 0x30u);
}

TEST(CanvasStretch, BlackOnWhiteKeepsDarkDetailWhenShrinking) {
  TSheet Src(4, 4);
  Src.C()->SetPixels(1, 1, 0x000000);
  TSheet Dst(1, 1);  // default mode: AND of the dropped pixels
  StretchBlt(Dst.C(), 0, 0, 1, 1, Src.C(), 0, 0, 4, 4, SRCCOPY);
  EXPECT_EQ(Dst.At(0, 0), 0x000000u);
  SetStretchBltMode(Dst.C(), WHITEONBLACK);
  StretchBlt(Dst.C(), 0, 0, 1, 1, Src.C(), 0, 0, 4, 4, SRCCOPY);
  EXPECT_EQ(Dst.At(0, 0), 0xFFFFFFu);
}

TEST(CanvasBlit, SourceOutsideItsBitmapLeavesTheDestinationAlone) {
  TSheet Src(2, 2);
  Src.C()->Brush()->SetColor(kRed);
  Src.C()->FillRect(Rect(0, 0, 2, 2));
  TSheet Dst(4, 4);
  ASSERT_TRUE(BitBlt(Dst.C(), 0, 0, 4, 4, Src.C(), -1, -1, SRCCOPY));
  EXPECT_EQ(Dst.At(0, 0), kWhite);
  EXPECT_EQ(Dst.At(1, 1), kRed);
  EXPECT_EQ(Dst.At(2, 2), kRed);
  EXPECT_EQ(Dst.At(3, 3), kWhite);
  EXPECT_FALSE(BitBlt(nullptr, 0, 0, 1, 1, Src.C(), 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(Dst.C(), 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(Dst.C(), 0, 0, 1, 1, nullptr, 0, 0, DSTINVERT));
  EXPECT_EQ(Dst.At(0, 0), kBlack);
}

TEST(CanvasBlit, OverlappingCopyWithinOneBitmapReadsTheOriginalPixels) {
  TSheet S(6, 1);
  for (int X = 0; X < 6; ++X) S.C()->SetPixels(X, 0, static_cast<TColor>(X + 1));
  S.C()->CopyRect(Rect(1, 0, 6, 1), S.C(), Rect(0, 0, 5, 1));
  for (int X = 1; X < 6; ++X) EXPECT_EQ(S.At(X, 0), static_cast<TColor>(X)) << X;
}

TEST(CanvasDraw, HonoursCopyModeAndTransparentColour) {
  TBitmap Img(3, 3);
  Img.Canvas()->Brush()->SetColor(0x00FF00);
  Img.Canvas()->FillRect(Rect(0, 0, 3, 3));
  Img.Canvas()->SetPixels(1, 1, 0xEBBEEB);
  TSheet S(6, 6);
  S.C()->Brush()->SetColor(0x0000FF);
  S.C()->FillRect(Rect(0, 0, 6, 6));
  S.C()->SetCopyMode(cmSrcPaint);
  S.C()->Draw(1, 1, &Img);
  EXPECT_EQ(S.At(1, 1), 0x00FFFFu);
  S.C()->SetCopyMode(cmSrcCopy);
  Img.SetTransparentColor(0xEBBEEB);
  Img.SetTransparent(true);
  S.C()->FillRect(Rect(0, 0, 6, 6));
  S.C()->Draw(2, 2, &Img);
  EXPECT_EQ(S.At(2, 2), 0x00FF00u);
  EXPECT_EQ(S.At(3, 3), 0x0000FFu);  // the transparent pixel
  S.C()->FillRect(Rect(0, 0, 6, 6));
  S.C()->StretchDraw(Rect(0, 0, 6, 6), &Img);
  EXPECT_EQ(S.At(0, 0), 0x00FF00u);
  EXPECT_EQ(S.At(2, 2), 0x0000FFu);
  EXPECT_EQ(S.At(3, 3), 0x0000FFu);
}

}  // namespace
}  // namespace orv::testing

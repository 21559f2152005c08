// Pixels of the gradient painter: bands, grid lines and frame on a bitmap.

#include <gtest/gtest.h>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"
#include "gradfl/gradfl_draw.h"

namespace orv {
namespace {

TColor At(TBitmap& B, int X, int Y) { return B.Canvas()->Pixels(X, Y); }

TEST(GradPaintTest, DefaultLookPaintsSixteenStackedBands) {
  TBitmap B(121, 121);
  PaintGradient(B.Canvas(), 121, 121, TGradLook{});
  EXPECT_EQ(At(B, 0, 0), 0x000080u);
  EXPECT_EQ(At(B, 120, 7), 0x000080u);
  EXPECT_NE(At(B, 60, 8), 0x000080u);
  EXPECT_EQ(At(B, 0, 120), 0x00EFF7u);
  EXPECT_EQ(At(B, 120, 113), 0x00EFF7u);
  EXPECT_NE(At(B, 120, 112), 0x00EFF7u);
  // Row 60 starts band 8 (60.5 rounds to even), row 59 is still band 7.
  EXPECT_EQ(At(B, 30, 60), 0x0080C0u);
  EXPECT_NE(At(B, 30, 59), 0x0080C0u);
}

TEST(GradPaintTest, EveryPixelOfABandHasTheBandColour) {
  for (TGradType T : {gtHoriz, gtVert, gtMidBandHoriz, gtMidBandVert})
    for (int N : {1, 4, 5, 16, 255}) {
      TBitmap B(37, 23);
      TGradLook Look;
      Look.GradType = T;
      Look.NrColors = N;
      Look.ColorFirst = 0x204060;
      Look.ColorLast = 0xE0C0A0;
      PaintGradient(B.Canvas(), 37, 23, Look);
      for (int Band = 0; Band < N; ++Band) {
        const TRect R = GradBandRect(T, 37, 23, N, Band);
        const TColor Want = GradBandColor(T, 0x204060, 0xE0C0A0, N, Band);
        for (int Y = R.Top; Y < R.Bottom; ++Y)
          for (int X = R.Left; X < R.Right; ++X)
            ASSERT_EQ(At(B, X, Y), Want) << "type " << int(T) << " N " << N << " at " << X << "," << Y;
      }
    }
}

TEST(GradPaintTest, MidBandVerticalWithFourBands) {
  TBitmap B(40, 10);
  TGradLook Look;
  Look.GradType = gtMidBandVert;
  Look.NrColors = 4;
  Look.ColorFirst = 0x000000;
  Look.ColorLast = 0xFFFFFF;
  PaintGradient(B.Canvas(), 40, 10, Look);
  EXPECT_EQ(At(B, 0, 5), 0x000000u);
  EXPECT_EQ(At(B, 9, 5), 0x000000u);
  EXPECT_EQ(At(B, 10, 5), 0x808080u);
  EXPECT_EQ(At(B, 20, 9), 0xFFFFFFu);
  EXPECT_EQ(At(B, 29, 0), 0xFFFFFFu);
  EXPECT_EQ(At(B, 30, 0), 0x000000u);
  EXPECT_EQ(At(B, 39, 9), 0x000000u);
}

TEST(GradPaintTest, SystemColoursAreResolvedBeforeBlending) {
  TBitmap B(10, 10);
  TGradLook Look;
  Look.NrColors = 1;
  Look.ColorFirst = clBtnFace;
  PaintGradient(B.Canvas(), 10, 10, Look);
  EXPECT_EQ(At(B, 5, 5), ColorToRGB(clBtnFace));
}

TEST(GradPaintTest, GridLinesLieOnePitchApartInTheGridColour) {
  const TColor Grid = 0x00FF00;
  for (TGridMode M : {gmNone, gmHoriz, gmVert, gmBoth}) {
    TBitmap B(35, 25);
    TGradLook Look;
    Look.NrColors = 1;
    Look.ColorFirst = 0x000000;
    Look.GridMode = M;
    Look.GridColor = Grid;
    PaintGradient(B.Canvas(), 35, 25, Look);
    const bool Rows = M == gmHoriz || M == gmBoth;
    const bool Cols = M == gmVert || M == gmBoth;
    for (int Y = 0; Y < 25; ++Y)
      for (int X = 0; X < 35; ++X) {
        const bool OnRow = Rows && Y > 0 && Y % kGradGridPitch == 0;
        const bool OnCol = Cols && X > 0 && X % kGradGridPitch == 0;
        ASSERT_EQ(At(B, X, Y), (OnRow || OnCol) ? Grid : 0u) << "mode " << int(M) << " at " << X << "," << Y;
      }
  }
}

TEST(GradPaintTest, FrameCoversTheOutermostPixelsAboveTheGrid) {
  TBitmap B(30, 30);
  TGradLook Look;
  Look.NrColors = 1;
  Look.ColorFirst = 0x123456;
  Look.GridMode = gmBoth;
  Look.GridColor = 0x00FF00;
  Look.FrameStyle = fsLowered;
  PaintGradient(B.Canvas(), 30, 30, Look);
  EXPECT_EQ(At(B, 0, 0), 0x808080u);    // shadow top-left
  EXPECT_EQ(At(B, 10, 0), 0x808080u);   // over a grid column
  EXPECT_EQ(At(B, 0, 20), 0x808080u);   // over a grid row
  EXPECT_EQ(At(B, 29, 29), 0xFFFFFFu);  // highlight bottom-right
  EXPECT_EQ(At(B, 29, 10), 0xFFFFFFu);
  EXPECT_EQ(At(B, 1, 1), 0x123456u);
  EXPECT_EQ(At(B, 10, 5), 0x00FF00u);

  Look.FrameStyle = fsSimple;
  PaintGradient(B.Canvas(), 30, 30, Look);
  EXPECT_EQ(At(B, 29, 0), 0x000000u);
  EXPECT_EQ(At(B, 15, 29), 0x000000u);
}

TEST(GradPaintTest, LeavesTheCanvasToolsAndIgnoresDegenerateInput) {
  TBitmap B(8, 8);
  B.Canvas()->Brush()->SetColor(0x654321);
  PaintGradient(B.Canvas(), 8, 8, TGradLook{});
  EXPECT_EQ(B.Canvas()->Brush()->Color(), 0x654321u);
  EXPECT_EQ(B.Canvas()->SaveDepth(), 0);

  TBitmap W(4, 4);  // white
  PaintGradient(W.Canvas(), 0, 4, TGradLook{});
  PaintGradient(W.Canvas(), 4, -1, TGradLook{});
  PaintGradient(nullptr, 4, 4, TGradLook{});
  EXPECT_EQ(At(W, 0, 0), 0xFFFFFFu);
  // More bands than rows: the rows still get a band colour each, no gaps.
  TGradLook Many;
  Many.NrColors = 255;
  Many.ColorFirst = 0x000000;
  Many.ColorLast = 0x0000FF;
  PaintGradient(W.Canvas(), 4, 4, Many);
  for (int Y = 0; Y < 4; ++Y) EXPECT_EQ(At(W, 2, Y) >> 8, 0u) << Y;
  EXPECT_GT(At(W, 2, 3) & 0xFF, At(W, 2, 0) & 0xFF);
}

TEST(GradPaintTest, SideBySideBandsMatchUnderAClipAndAnyCopyMode) {
  TGradLook Look;
  Look.GradType = gtMidBandVert;
  Look.NrColors = 9;
  Look.GridMode = gmBoth;
  Look.GridColor = 0x00FF00;
  Look.FrameStyle = fsSimple;
  TBitmap Whole(47, 33);
  Whole.Canvas()->SetCopyMode(cmSrcInvert);
  PaintGradient(Whole.Canvas(), 47, 33, Look);
  EXPECT_EQ(Whole.Canvas()->CopyMode(), cmSrcInvert);

  // The same picture drawn through a clip that hides the first rows and
  // columns: the visible part is identical, the hidden part untouched.
  TBitmap Clipped(47, 33);
  Clipped.Canvas()->SetClipRect(TRect{3, 6, 47, 33});
  PaintGradient(Clipped.Canvas(), 47, 33, Look);
  Clipped.Canvas()->ResetClipRect();
  for (int Y = 0; Y < 33; ++Y)
    for (int X = 0; X < 47; ++X) {
      const bool Hidden = X < 3 || Y < 6;
      ASSERT_EQ(At(Clipped, X, Y), Hidden ? 0xFFFFFFu : At(Whole, X, Y)) << X << "," << Y;
    }
  // Spot checks of the unclipped picture.
  EXPECT_EQ(At(Whole, 0, 0), 0x000000u);   // frame
  EXPECT_EQ(At(Whole, 10, 17), 0x00FF00u);  // grid column
  EXPECT_EQ(At(Whole, 13, 20), 0x00FF00u);  // grid row
  EXPECT_EQ(At(Whole, 23, 31), GradBandColor(gtMidBandVert, 0x000080, 0x00FFFF, 9, 4));
}

TEST(GradPaintTest, StackedBandsWithGridMatchUnderAClip) {
  TGradLook Look;
  Look.GradType = gtHoriz;
  Look.NrColors = 11;
  Look.GridMode = gmVert;
  Look.GridColor = 0x0000FF;
  TBitmap Whole(52, 41);
  PaintGradient(Whole.Canvas(), 52, 41, Look);
  TBitmap Clipped(52, 41);
  Clipped.Canvas()->SetClipRect(TRect{0, 0, 51, 41});
  PaintGradient(Clipped.Canvas(), 52, 41, Look);
  Clipped.Canvas()->ResetClipRect();
  for (int Y = 0; Y < 41; ++Y) {
    for (int X = 0; X < 51; ++X) ASSERT_EQ(At(Clipped, X, Y), At(Whole, X, Y)) << X << "," << Y;
    ASSERT_EQ(At(Clipped, 51, Y), 0xFFFFFFu) << Y;
    ASSERT_EQ(At(Whole, 30, Y), 0x0000FFu) << Y;  // grid column
  }
  for (int Band = 0; Band < 11; ++Band) {
    const TRect R = GradBandRect(gtHoriz, 52, 41, 11, Band);
    EXPECT_EQ(At(Whole, 5, R.Top), GradBandColor(gtHoriz, 0x000080, 0x00FFFF, 11, Band)) << Band;
    EXPECT_EQ(At(Whole, 45, R.Bottom - 1), GradBandColor(gtHoriz, 0x000080, 0x00FFFF, 11, Band)) << Band;
  }
}

TEST(GradPaintTest, PaintsAtTheOriginOfAnOffsetView) {
  TBitmap Target(30, 30);
  TCanvas View(&Target);
  View.SetView(TPoint{7, 4}, TRect{7, 4, 27, 24});
  TGradLook Look;
  Look.GradType = gtVert;
  Look.NrColors = 2;
  Look.ColorFirst = 0x000000;
  Look.ColorLast = 0x0000FF;
  PaintGradient(&View, 20, 20, Look);
  EXPECT_EQ(At(Target, 6, 4), 0xFFFFFFu);
  EXPECT_EQ(At(Target, 7, 4), 0x000000u);
  EXPECT_EQ(At(Target, 16, 23), 0x000000u);
  EXPECT_EQ(At(Target, 17, 23), 0x000080u);  // 0xFF / 2 = 127.5 -> 128
  EXPECT_EQ(At(Target, 26, 10), 0x000080u);
  EXPECT_EQ(At(Target, 27, 10), 0xFFFFFFu);
  EXPECT_EQ(At(Target, 10, 24), 0xFFFFFFu);
}

TEST(GradPaintTest, CopyPictureLandsAtTheOffsetWithinTheClip) {
  TBitmap Picture(6, 4);
  for (int Y = 0; Y < 4; ++Y)
    for (int X = 0; X < 6; ++X) Picture.Canvas()->SetPixels(X, Y, static_cast<TColor>(Y * 16 + X));
  TBitmap Target(20, 20);
  TCanvas View(&Target);
  View.SetView(TPoint{3, 2}, TRect{0, 0, 20, 20});
  View.SetClipRect(TRect{0, 0, 8, 5});  // target 3..10 x 2..6
  CopyPicture(&View, 4, 1, &Picture);   // target 7..12 x 3..6
  for (int Y = 0; Y < 20; ++Y)
    for (int X = 0; X < 20; ++X) {
      const bool Inside = X >= 7 && X < 11 && Y >= 3 && Y < 7;
      const TColor Want = Inside ? static_cast<TColor>((Y - 3) * 16 + (X - 7)) : 0xFFFFFFu;
      ASSERT_EQ(At(Target, X, Y), Want) << X << "," << Y;
    }
  CopyPicture(&View, 100, 100, &Picture);  // entirely outside: nothing
  CopyPicture(&View, -4, -3, &Picture);    // from the picture's middle
  EXPECT_EQ(At(Target, 3, 2), 0x000034u);
  CopyPicture(nullptr, 0, 0, &Picture);
  CopyPicture(&View, 0, 0, nullptr);
}

}  // namespace
}  // namespace orv

// Clip rectangles, origin-offset views, pixels outside, saved states, flood
// fill and the bitmap store.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/framework/graphics/raster_helpers.h"

namespace orv::testing {
namespace {

// Every primitive, drawn over the whole sheet.
const std::vector<std::function<void(TCanvas*)>>& AllPrimitives() {
  static const std::vector<std::function<void(TCanvas*)>> List{
      [](TCanvas* C) { C->Rectangle(-5, -5, 40, 40); },
      [](TCanvas* C) { C->FillRect(Rect(-5, -5, 40, 40)); },
      [](TCanvas* C) { C->FrameRect(Rect(5, 5, 15, 15)); },
      [](TCanvas* C) {
        C->MoveTo(-3, 0);
        C->LineTo(35, 31);
      },
      [](TCanvas* C) {
        const TPoint P[] = {{-10, -10}, {40, 0}, {15, 40}};
        C->Polygon(P);
      },
      [](TCanvas* C) { C->Ellipse(-4, -4, 34, 34); },
      [](TCanvas* C) { C->Pie(-4, -4, 34, 34, 30, 0, 0, 0); },
      [](TCanvas* C) { C->RoundRect(-2, -2, 32, 32, 9, 9); },
      [](TCanvas* C) {
        C->Pen()->SetWidth(7);
        C->MoveTo(0, 15);
        C->LineTo(30, 15);
      },
      [](TCanvas* C) {
        for (int Y = 0; Y < 30; ++Y)
          for (int X = 0; X < 30; ++X) C->SetPixels(X, Y, 0x000000);
      },
      [](TCanvas* C) { C->FloodFill(12, 12, 0xFFFFFF, fsSurface); },
      [](TCanvas* C) {
        TBitmap B(40, 40);
        B.Canvas()->Brush()->SetColor(0);
        B.Canvas()->FillRect(Rect(0, 0, 40, 40));
        C->Draw(-5, -5, &B);
      },
  };
  return List;
}

TEST(CanvasClip, EveryPrimitiveStaysInsideTheClipRectangle) {
  for (size_t I = 0; I < AllPrimitives().size(); ++I) {
    TSheet S(30, 30);
    S.C()->Brush()->SetColor(kBlack);
    S.C()->SetClipRect(Rect(10, 10, 20, 20));
    AllPrimitives()[I](S.C());
    int Inside = 0;
    for (int Y = 0; Y < 30; ++Y)
      for (int X = 0; X < 30; ++X) {
        const bool In = X >= 10 && X < 20 && Y >= 10 && Y < 20;
        const TColor P = S.Bmp->Canvas()->Pixels(X, Y);  // same canvas: clipped reads
        if (!In) {
          ASSERT_EQ(P, CLR_INVALID);
          ASSERT_EQ(S.Bmp->ScanLine(Y)[X], 0x00FFFFFFu) << "primitive " << I << " at " << X << "," << Y;
        } else {
          Inside += P != kWhite ? 1 : 0;
        }
      }
    EXPECT_GT(Inside, 0) << "primitive " << I;
  }
}

TEST(CanvasClip, SetClipRectOnlyNarrowsTheBaseClip) {
  TBitmap Surface(40, 40);
  TCanvas View(&Surface);
  View.SetView(Point(10, 10), Rect(10, 10, 30, 30));
  EXPECT_EQ(View.ClipRect(), Rect(0, 0, 20, 20));
  View.SetClipRect(Rect(-100, -100, 100, 5));
  EXPECT_EQ(View.ClipRect(), Rect(0, 0, 20, 5));
  View.ResetClipRect();
  EXPECT_EQ(View.ClipRect(), Rect(0, 0, 20, 20));
}

TEST(CanvasView, OriginOffsetsEveryOperationAndPixelsOutsideReadInvalid) {
  TBitmap Surface(40, 40);
  TCanvas View(&Surface);
  View.SetView(Point(10, 5), Rect(10, 5, 30, 25));
  View.Brush()->SetColor(kRed);
  View.Rectangle(0, 0, 4, 3);
  EXPECT_EQ(Surface.Canvas()->Pixels(10, 5), kBlack);
  EXPECT_EQ(Surface.Canvas()->Pixels(11, 6), kRed);
  EXPECT_EQ(Surface.Canvas()->Pixels(14, 8), kWhite);
  EXPECT_EQ(View.Pixels(1, 1), kRed);
  EXPECT_EQ(View.Pixels(-1, 0), CLR_INVALID);
  EXPECT_EQ(View.Pixels(20, 0), CLR_INVALID);
  View.SetPixels(-1, 0, kBlack);  // ignored
  EXPECT_EQ(Surface.Canvas()->Pixels(9, 5), kWhite);
  // Copying between the view and its own surface goes through the origin.
  View.CopyRect(Rect(5, 5, 9, 8), &View, Rect(0, 0, 4, 3));
  EXPECT_EQ(Surface.Canvas()->Pixels(15, 10), kBlack);
  EXPECT_EQ(Surface.Canvas()->Pixels(16, 11), kRed);
}

TEST(CanvasState, SaveAndRestoreBringBackToolsClipAndModes) {
  TSheet S(20, 20);
  TCanvas* C = S.C();
  C->Pen()->SetColor(kRed);
  {
    TCanvasStateSaver Saver(C);
    C->Pen()->SetColor(kBlue);
    C->Pen()->SetWidth(3);
    C->Brush()->SetStyle(bsClear);
    C->SetCopyMode(cmSrcAnd);
    C->SetClipRect(Rect(0, 0, 5, 5));
    C->MoveTo(7, 7);
    EXPECT_EQ(C->SaveDepth(), 1);
  }
  EXPECT_EQ(C->SaveDepth(), 0);
  EXPECT_EQ(C->Pen()->Color(), kRed);
  EXPECT_EQ(C->Pen()->Width(), 1);
  EXPECT_EQ(C->Brush()->Style(), bsSolid);
  EXPECT_EQ(C->CopyMode(), cmSrcCopy);
  EXPECT_EQ(C->ClipRect(), Rect(0, 0, 20, 20));
  EXPECT_EQ(C->PenPos(), Point(0, 0));
  C->Restore();  // nothing saved: no effect
  EXPECT_EQ(C->Pen()->Color(), kRed);
}

TEST(CanvasFloodFill, SurfaceFillsTheConnectedAreaOfThatColour) {
  TSheet S(10, 10);
  S.C()->Rectangle(2, 2, 8, 8);
  S.C()->Brush()->SetColor(kRed);
  S.C()->FloodFill(4, 4, kWhite, fsSurface);
  EXPECT_EQ(S.Count(kRed), 16);
  EXPECT_EQ(S.At(0, 0), kWhite);
  // Filling with the surface's own colour ends.
  S.C()->Brush()->SetColor(kRed);
  S.C()->FloodFill(4, 4, kRed, fsSurface);
  EXPECT_EQ(S.Count(kRed), 16);
  // A seed of another colour fills nothing.
  S.C()->Brush()->SetColor(kBlue);
  S.C()->FloodFill(2, 2, kWhite, fsSurface);
  EXPECT_EQ(S.Count(kBlue), 0);
}

TEST(CanvasFloodFill, BorderFillsUpToTheBorderColourAcrossOtherColours) {
  TSheet S(12, 12);
  S.C()->Brush()->SetStyle(bsClear);
  S.C()->Rectangle(1, 1, 11, 11);
  S.C()->SetPixels(5, 5, kGreen);
  S.C()->Brush()->SetColor(kRed);
  S.C()->FloodFill(3, 3, kBlack, fsBorder);
  EXPECT_EQ(S.At(5, 5), kRed);  // the green pixel is inside the border
  EXPECT_EQ(S.Count(kRed), 64);
  EXPECT_EQ(S.At(0, 0), kWhite);
}

TEST(CanvasFloodFill, FourConnectedSoDiagonalGapsDoNotLeak) {
  TSheet S(9, 9);
  // A diagonal wall from (0, 8) to (8, 0): only corners touch across it.
  for (int I = 0; I < 9; ++I) S.C()->SetPixels(I, 8 - I, kBlack);
  S.C()->Brush()->SetColor(kRed);
  S.C()->FloodFill(0, 0, kWhite, fsSurface);
  EXPECT_EQ(S.Count(kRed), 36);
  EXPECT_EQ(S.At(8, 8), kWhite);
  // A big open area fills without deep recursion.
  TSheet Big(1500, 1500);
  Big.C()->Brush()->SetColor(kBlue);
  Big.C()->FloodFill(700, 700, kWhite, fsSurface);
  EXPECT_EQ(Big.At(0, 1499), kBlue);
}

TEST(Bitmap, ResizeKeepsPixelsFillsWhiteAndScanLineChecksRows) {
  TBitmap B(3, 2);
  EXPECT_EQ(B.ScanLine(0)[0], 0x00FFFFFFu);
  B.Canvas()->SetPixels(2, 1, 0x0000FF);  // red
  EXPECT_EQ(B.ScanLine(1)[2], 0x00FF0000u);  // stored as 0x00RRGGBB
  B.SetSize(5, 4);
  EXPECT_EQ(B.Canvas()->Pixels(2, 1), 0x0000FFu);
  EXPECT_EQ(B.Canvas()->Pixels(4, 3), 0xFFFFFFu);
  EXPECT_EQ(B.ScanLine(4), nullptr);
  EXPECT_EQ(B.ScanLine(-1), nullptr);
  B.SetWidth(-3);
  EXPECT_EQ(B.Width(), 0);
  EXPECT_TRUE(B.Empty());
  EXPECT_EQ(B.Canvas()->Pixels(0, 0), CLR_INVALID);
  B.Canvas()->Rectangle(0, 0, 5, 5);  // drawing on an empty bitmap is harmless
}

TEST(Bitmap, AssignCopiesAndChangeEventsFire) {
  TBitmap A(2, 2);
  A.Canvas()->SetPixels(1, 1, 0x123456);
  A.SetPixelFormat(pf24bit);
  int Changes = 0;
  TBitmap B;
  B.SetOnChange([&](TObject*) { ++Changes; });
  B.Assign(&A);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(B.Width(), 2);
  EXPECT_EQ(B.PixelFormat(), pf24bit);
  EXPECT_EQ(B.Canvas()->Pixels(1, 1), 0x123456u);
  A.Canvas()->SetPixels(1, 1, 0);  // independent copies
  EXPECT_EQ(B.Canvas()->Pixels(1, 1), 0x123456u);
  B.SetSize(2, 2);
  EXPECT_EQ(Changes, 1);  // same size: no change
  B.SetPixelFormat(pf1bit);
  EXPECT_EQ(B.Canvas()->Pixels(1, 1), 0x000000u);
  EXPECT_EQ(B.Canvas()->Pixels(0, 0), 0xFFFFFFu);
  EXPECT_EQ(Changes, 2);
  B.Assign(nullptr);
  EXPECT_TRUE(B.Empty());
}

TEST(PenAndBrush, SettersFireOnChangeOnlyForRealChanges) {
  TPen P;
  int N = 0;
  P.SetOnChange([&](TObject*) { ++N; });
  P.SetColor(0);
  P.SetWidth(0);  // taken as 1, unchanged
  EXPECT_EQ(N, 0);
  P.SetWidth(2);
  P.SetStyle(psDot);
  P.SetMode(pmNot);
  EXPECT_EQ(N, 3);
  TBrush B;
  B.SetStyle(bsClear);
  B.SetColor(0xFFFFFF);
  EXPECT_EQ(B.Style(), bsSolid);
}

}  // namespace
}  // namespace orv::testing

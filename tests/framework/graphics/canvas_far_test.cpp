// Shapes that lie mostly outside the canvas or reach the ends of int draw
// exactly their visible part: the same pixels as the whole shape drawn on a
// sheet large enough to hold it, and no overflow on the way.

#include <gtest/gtest.h>

#include <climits>

#include "tests/framework/graphics/raster_helpers.h"

namespace orv::testing {
namespace {

// Pixels of Window (of Whole's coordinates) from Whole against Part, which
// shows that window through its view origin.
void ExpectSameWindow(TSheet& Whole, TSheet& Part, TPoint WindowOrigin) {
  for (int Y = 0; Y < Part.Bmp->Height(); ++Y)
    for (int X = 0; X < Part.Bmp->Width(); ++X)
      ASSERT_EQ(Part.Bmp->ScanLine(Y)[X], Whole.Bmp->ScanLine(Y + WindowOrigin.Y)[X + WindowOrigin.X])
          << "at " << X + WindowOrigin.X << "," << Y + WindowOrigin.Y;
}

TEST(CanvasFarShapes, FarLinesDrawTheSamePixelsAsTheirNearCopies) {
  // Both lines run through (0, 0) with slope 1/3 and start on a multiple of
  // the dash period, so every visible pixel and dash must agree.
  const int K = 1 << 28;
  for (TPenStyle Style : {psSolid, psDash, psDot}) {
    TSheet Near(100, 100), Far(100, 100);
    for (TSheet* S : {&Near, &Far}) {
      S->C()->SetView(TPoint{20, 40}, TRect{0, 0, 100, 100});
      S->C()->Pen()->SetStyle(Style);
      S->C()->Brush()->SetStyle(bsClear);
    }
    Near.C()->MoveTo(-288, -96);
    Near.C()->LineTo(288, 96);
    Far.C()->MoveTo(-3 * K, -K);
    Far.C()->LineTo(3 * K, K);
    EXPECT_GT(Far.Count(kBlack), 20) << Style;
    ExpectSameWindow(Near, Far, TPoint{0, 0});
    // Steep, reversed, and from one end of int to the other.
    Near.C()->MoveTo(96, 288);
    Near.C()->LineTo(-96, -288);
    Far.C()->MoveTo(K, 3 * K);
    Far.C()->LineTo(-K, -3 * K);
    ExpectSameWindow(Near, Far, TPoint{0, 0});
  }
  TSheet Ends(10, 10);
  Ends.C()->MoveTo(INT_MIN, INT_MIN);
  Ends.C()->LineTo(INT_MAX, INT_MAX);
  Ends.C()->MoveTo(INT_MAX, INT_MIN);
  Ends.C()->LineTo(INT_MIN, INT_MAX);
  EXPECT_EQ(Ends.At(3, 3), kBlack);
  EXPECT_EQ(Ends.At(0, 0), kBlack);
}

TEST(CanvasFarShapes, ClippedEllipsesAndRoundRectsKeepTheirBorders) {
  TSheet Whole(400, 300);
  auto Draw = [](TCanvas* C) {
    C->Pen()->SetColor(kBlack);
    C->Brush()->SetColor(kRed);
    C->Ellipse(10, 10, 390, 290);
    C->Brush()->SetColor(kBlue);
    C->RoundRect(60, 70, 300, 250, 80, 60);
    C->Brush()->SetStyle(bsClear);
    C->Ellipse(100, 20, 380, 120);
  };
  Draw(Whole.C());
  // Windows cutting through the borders, corners and middles of the shapes.
  for (const TPoint O : {TPoint{0, 0}, TPoint{5, 8}, TPoint{130, 60}, TPoint{330, 240}, TPoint{200, 9}}) {
    TSheet Part(61, 47);
    Part.C()->SetView(TPoint{-O.X, -O.Y}, TRect{0, 0, 61, 47});
    Draw(Part.C());
    ExpectSameWindow(Whole, Part, O);
  }
  // A shape a million pixels across: its inside covers the sheet.
  TSheet Huge(100, 100);
  Huge.C()->Brush()->SetColor(kGreen);
  Huge.C()->Ellipse(-500000, -500000, 500000, 500000);
  EXPECT_EQ(Huge.Count(kGreen), 100 * 100);
  Huge.C()->Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  Huge.C()->RoundRect(INT_MIN, -5, INT_MAX, 5, INT_MAX, 7);
}

}  // namespace
}  // namespace orv::testing

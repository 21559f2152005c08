// Shapes that lie mostly outside the canvas or reach the ends of int draw
// exactly their visible part: the same pixels as the whole shape drawn on a
// sheet large enough to hold it, and no overflow on the way.

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>

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

TEST(CanvasFarShapes, ClippedArcsPiesChordsAndWidePensMatchTheWholeShape) {
  // Random parts of ellipses with pens one to seven pixels wide, seen
  // through small windows cutting their borders, radials and pens.
  std::mt19937 Rng(5);
  auto Pick = [&](int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Rng); };
  for (int Round = 0; Round < 60; ++Round) {
    const int X1 = Pick(-10, 40), Y1 = Pick(-10, 40), X2 = Pick(20, 100), Y2 = Pick(20, 100);
    const int X3 = Pick(-20, 110), Y3 = Pick(-20, 110), X4 = Pick(-20, 110), Y4 = Pick(-20, 110);
    const int Kind = Round % 5, Width = Pick(1, 7);
    const bool Inside = Pick(0, 3) == 0, Brush = Pick(0, 3) != 0;
    auto Draw = [&](TCanvas* C) {
      C->Pen()->SetWidth(Width);
      if (Inside) C->Pen()->SetStyle(psInsideFrame);
      C->Brush()->SetColor(kRed);
      if (!Brush) C->Brush()->SetStyle(bsClear);
      switch (Kind) {
        case 0: C->Arc(X1, Y1, X2, Y2, X3, Y3, X4, Y4); break;
        case 1: C->Pie(X1, Y1, X2, Y2, X3, Y3, X4, Y4); break;
        case 2: C->Chord(X1, Y1, X2, Y2, X3, Y3, X4, Y4); break;
        case 3: C->Ellipse(X1, Y1, X2, Y2); break;
        default: C->RoundRect(X1, Y1, X2, Y2, X3, Y3); break;
      }
    };
    TSheet Whole(120, 120);
    Draw(Whole.C());
    const TPoint O{Pick(0, 100), Pick(0, 100)};
    TSheet Part(Pick(1, 20), Pick(1, 20));
    Part.C()->SetView(TPoint{-O.X, -O.Y}, TRect{0, 0, Part.Bmp->Width(), Part.Bmp->Height()});
    Draw(Part.C());
    ExpectSameWindow(Whole, Part, O);
  }
  // Parts of shapes reaching the ends of int: the sheet sits deep inside
  // the ellipse, and the pie is its upper half.
  TSheet Far(100, 100);
  Far.C()->Pen()->SetWidth(5);
  Far.C()->Brush()->SetColor(kGreen);
  Far.C()->Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(Far.Count(kGreen), 100 * 100);
  Far.C()->Brush()->SetColor(kRed);
  const int K = 1000000000;
  Far.C()->Pie(50 - K, 50 - K, 50 + K, 50 + K, 50 + K, 50, 50 - K, 50);
  EXPECT_EQ(Far.At(40, 20), kRed);
  EXPECT_EQ(Far.At(60, 80), kGreen);
  Far.C()->Arc(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, 0, INT_MIN, 0);
  Far.C()->MoveTo(INT_MIN, INT_MIN);
  Far.C()->LineTo(INT_MAX, INT_MAX);
  EXPECT_EQ(Far.At(70, 70), kBlack);
}

}  // namespace
}  // namespace orv::testing

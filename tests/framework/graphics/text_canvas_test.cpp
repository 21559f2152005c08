#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <set>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"
#include "framework/graphics/textengine.h"

namespace orv {
namespace {

constexpr uint32_t White = ColorToPixel(clWhite);
constexpr uint32_t Black = ColorToPixel(clBlack);
constexpr uint32_t Yellow = ColorToPixel(clYellow);
constexpr uint32_t Blue = ColorToPixel(clBlue);

struct TSheet {
  std::unique_ptr<TBitmap> Bmp;
  TCanvas* C;
  TSheet(int W, int H) : Bmp(std::make_unique<TBitmap>(W, H)), C(Bmp->Canvas()) {
    C->Font()->SetQuality(fqNonAntialiased);  // two-level pixels keep the checks exact
    C->Font()->SetColor(clBlack);
  }
  uint32_t At(int X, int Y) const { return Bmp->ScanLine(Y)[X]; }
  int W() const { return Bmp->Width(); }
  int H() const { return Bmp->Height(); }
  std::vector<uint32_t> Pixels() const { return std::vector<uint32_t>(Bmp->Bits(), Bmp->Bits() + W() * H()); }
  void Fill(uint32_t P) { std::fill(Bmp->Bits(), Bmp->Bits() + W() * H(), P); }
  // Bounding box of the pixels that differ from P.
  TRect BoxNot(uint32_t P) const {
    TRect B{W(), H(), 0, 0};
    for (int Y = 0; Y < H(); ++Y)
      for (int X = 0; X < W(); ++X)
        if (At(X, Y) != P) B = TRect{std::min(B.Left, X), std::min(B.Top, Y), std::max(B.Right, X + 1), std::max(B.Bottom, Y + 1)};
    return B.IsEmpty() ? TRect{} : B;
  }
  std::set<uint32_t> ColoursIn(const TRect& R) const {
    std::set<uint32_t> S;
    for (int Y = R.Top; Y < R.Bottom; ++Y)
      for (int X = R.Left; X < R.Right; ++X) S.insert(At(X, Y));
    return S;
  }
};

TEST(TextCanvasMeasure, ExtentIsAdvanceSumByLineHeight) {
  TSheet S(10, 10);
  const String Sample = u"(8g]}\u00DC\u00C4\u00A7";
  const int H = S.C->TextHeight(u"Ag");
  EXPECT_EQ(S.C->TextHeight(Sample), H);
  EXPECT_EQ(S.C->TextHeight(u""), H);
  EXPECT_EQ(S.C->TextWidth(u""), 0);
  EXPECT_EQ(S.C->TextExtent(Sample), (TSize{S.C->TextWidth(Sample), H}));
  EXPECT_EQ(S.C->TextWidth(u"ab") + S.C->TextWidth(u"cd"), S.C->TextWidth(u"abcd"));

  // The default font is 9 pt: a 12-pixel em in a taller cell.
  EXPECT_GE(H, 12);
  EXPECT_LE(H, 16);
  // Measures do not depend on the angle or the quality.
  const int W = S.C->TextWidth(Sample);
  S.C->Font()->SetOrientation(900);
  EXPECT_EQ(S.C->TextExtent(Sample), (TSize{W, H}));
  S.C->Font()->SetSize(18);
  EXPECT_GT(S.C->TextWidth(Sample), W);
  EXPECT_GT(S.C->TextHeight(Sample), H);
}

TEST(TextCanvasOut, OpaqueBrushFillsTheCellTransparentKeepsTheBackground) {
  const String Text = u"Opaque 42";
  TSheet S(160, 40);
  S.C->Brush()->SetColor(clYellow);
  S.C->TextOut(10, 6, Text);
  const TRect Cell{10, 6, 10 + S.C->TextWidth(Text), 6 + S.C->TextHeight(Text)};
  EXPECT_EQ(S.BoxNot(White), Cell);
  EXPECT_EQ(S.ColoursIn(Cell), (std::set<uint32_t>{Yellow, Black}));
  EXPECT_EQ(S.C->PenPos(), Point(Cell.Right, 6));

  TSheet T(160, 40);
  T.Fill(Blue);
  T.C->Brush()->SetStyle(bsClear);
  T.C->TextOut(10, 6, Text);
  const TRect Ink = T.BoxNot(Blue);
  EXPECT_GE(Ink.Left, Cell.Left);
  EXPECT_GE(Ink.Top, Cell.Top);
  EXPECT_LE(Ink.Right, Cell.Right);
  EXPECT_LE(Ink.Bottom, Cell.Bottom);
  EXPECT_EQ(T.ColoursIn(Cell), (std::set<uint32_t>{Blue, Black}));
  // Same glyph pixels in both modes.
  for (int Y = Cell.Top; Y < Cell.Bottom; ++Y)
    for (int X = Cell.Left; X < Cell.Right; ++X) EXPECT_EQ(S.At(X, Y) == Black, T.At(X, Y) == Black);
}

TEST(TextCanvasOut, FontColourAndStylesApply) {
  TSheet S(200, 40);
  S.C->Brush()->SetStyle(bsClear);
  S.C->Font()->SetColor(clWindowText);  // a system colour, resolved to black
  S.C->TextOut(2, 2, u"M");
  EXPECT_TRUE(S.ColoursIn(TRect{0, 0, 200, 40}).count(Black));

  TSheet U(200, 40);
  U.C->Brush()->SetStyle(bsClear);
  U.C->Font()->SetColor(clBlue);
  U.C->Font()->SetStyle(TFontStyles{fsUnderline});
  U.C->TextOut(5, 5, u"   ");  // blanks: only the line is drawn
  const TRect Line = U.BoxNot(White);
  EXPECT_EQ(Line.Left, 5);
  EXPECT_EQ(Line.Right, 5 + U.C->TextWidth(u"   "));
  EXPECT_GT(Line.Top, 5 + U.C->TextHeight(u"   ") / 2);  // below the middle of the cell
  EXPECT_EQ(U.ColoursIn(Line), std::set<uint32_t>{Blue});

  TSheet K(200, 40);
  K.C->Brush()->SetStyle(bsClear);
  K.C->Font()->SetStyle(TFontStyles{fsStrikeOut});
  K.C->TextOut(5, 5, u"   ");
  const TRect Strike = K.BoxNot(White);
  EXPECT_EQ(Strike.Right - Strike.Left, K.C->TextWidth(u"   "));
  EXPECT_LT(Strike.Top, Line.Top);
}

TEST(TextCanvasRect, DrawsOnlyInsideTheRectangle) {
  const String Text = u"Clipped text that is far too long";
  const TRect R{20, 8, 70, 20};
  TSheet S(120, 40);
  S.C->Brush()->SetColor(clYellow);
  S.C->TextRect(R, 12, 5, Text);  // starts left of and above the rectangle
  EXPECT_EQ(S.BoxNot(White), R);  // an opaque brush fills all of it
  EXPECT_EQ(S.ColoursIn(R), (std::set<uint32_t>{Yellow, Black}));
  EXPECT_EQ(S.C->PenPos(), Point(0, 0));  // TextRect does not move the pen

  // The visible part equals the same text drawn unclipped.
  TSheet Full(120, 40);
  Full.C->Brush()->SetColor(clYellow);
  Full.C->TextOut(12, 5, Text);
  for (int Y = R.Top; Y < R.Bottom; ++Y)
    for (int X = R.Left; X < R.Right; ++X)
      if (Full.At(X, Y) == Black) {
        EXPECT_EQ(S.At(X, Y), Black) << X << "," << Y;
      }

  TSheet T(120, 40);
  T.Fill(Blue);
  T.C->Brush()->SetStyle(bsClear);
  T.C->TextRect(R, 12, 5, Text);
  const TRect Ink = T.BoxNot(Blue);
  EXPECT_FALSE(Ink.IsEmpty());
  EXPECT_GE(Ink.Left, R.Left);
  EXPECT_GE(Ink.Top, R.Top);
  EXPECT_LE(Ink.Right, R.Right);
  EXPECT_LE(Ink.Bottom, R.Bottom);

  // Empty or inverted rectangles draw nothing.
  TSheet E(60, 30);
  E.C->Brush()->SetColor(clYellow);
  E.C->TextRect(TRect{30, 10, 10, 20}, 0, 0, u"none");
  E.C->TextRect(TRect{10, 10, 10, 20}, 0, 0, u"none");
  EXPECT_EQ(E.BoxNot(White), TRect{});
}

TEST(TextCanvasOut, FollowsTheCanvasViewAndClip) {
  TSheet S(100, 60);
  S.C->Brush()->SetColor(clYellow);
  S.C->SetView(Point(30, 20), TRect{30, 20, 60, 35});
  S.C->TextOut(0, 0, u"WWWWWWWWWW");
  EXPECT_EQ(S.BoxNot(White), (TRect{30, 20, 60, 20 + std::min(15, S.C->TextHeight(u"W"))}));

  TSheet T(100, 60);
  T.C->Brush()->SetColor(clYellow);
  T.C->SetClipRect(TRect{0, 0, 25, 60});
  T.C->TextOut(10, 10, u"WWWWWWWWWW");
  EXPECT_EQ(T.BoxNot(White).Right, 25);

  // Coordinates at the ends of the int range draw nothing and do not wrap.
  TSheet X(40, 40);
  X.C->Brush()->SetColor(clYellow);
  X.C->TextOut(INT_MAX - 3, INT_MIN + 2, u"far away");
  EXPECT_EQ(X.C->PenPos(), Point(INT_MAX, INT_MIN + 2));
  X.C->TextRect(TRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, INT_MIN, INT_MAX, u"everywhere");
  X.C->SetView(Point(INT_MAX - 10, 5), TRect{0, 0, 40, 40});
  X.C->TextOut(100, 0, u"wrapped?");
  X.C->Font()->SetOrientation(450);
  X.C->TextOut(INT_MAX, INT_MAX, u"rotated far away");
  EXPECT_EQ(X.BoxNot(Yellow), TRect{});  // only the full-rectangle fill shows

  // No target: nothing to draw on, the pen still moves.
  TCanvas Loose;
  Loose.TextOut(3, 4, u"abc");
  Loose.TextRect(TRect{0, 0, 10, 10}, 0, 0, u"abc");
  EXPECT_EQ(Loose.PenPos(), Point(3 + Loose.TextWidth(u"abc"), 4));
}

TEST(TextCanvasRotated, SidewaysTextFillsTheTurnedCell) {
  const String Text = u"Vertical";
  TSheet S(80, 120);
  S.C->Brush()->SetColor(clYellow);
  S.C->Font()->SetOrientation(900);
  const int W = S.C->TextWidth(Text), H = S.C->TextHeight(Text);
  S.C->TextOut(20, 100, Text);
  // Turned a quarter counter-clockwise about (20, 100): the cell now runs up.
  const TRect Cell{20, 100 - W, 20 + H, 100};
  EXPECT_EQ(S.BoxNot(White), Cell);
  EXPECT_EQ(S.ColoursIn(Cell), (std::set<uint32_t>{Yellow, Black}));
  EXPECT_EQ(S.C->PenPos(), Point(20 + W, 100));  // along X, as the host moves it

  // Escapement and orientation together (as rotated fonts are made) give the same picture.
  TSheet T(80, 120);
  T.C->Brush()->SetColor(clYellow);
  T.C->Font()->SetEscapement(900);
  T.C->Font()->SetOrientation(900);
  T.C->TextOut(20, 100, Text);
  EXPECT_EQ(T.Pixels(), S.Pixels());

  // A whole turn more is the same angle.
  TSheet Q(80, 120);
  Q.C->Brush()->SetColor(clYellow);
  Q.C->Font()->SetOrientation(4500);
  Q.C->TextOut(20, 100, Text);
  EXPECT_EQ(Q.Pixels(), S.Pixels());
}

}  // namespace
}  // namespace orv

// TSevenSeg: digits painted from the cache, property rules, cache upkeep,
// frame and Assign.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/forms/form.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/exceptions.h"
#include "sevenseg/sevenseg.h"
#include "tests/sevenseg/segment_points.h"

namespace orv {
namespace {

using namespace sevenseg_testing;

constexpr TColor kBack = 0x333333;
constexpr TColor kRed = 0x0000FF;

// The control rendered through its own Paint onto a white sheet of its size.
struct TShot {
  std::unique_ptr<TBitmap> Bmp;
  TColor At(int X, int Y) const { return Bmp->Canvas()->Pixels(X, Y); }
};

TShot Render(TSevenSeg* S) {
  TShot Shot{std::make_unique<TBitmap>(S->Width(), S->Height())};
  S->PaintTo(Shot.Bmp->Canvas(), 0, 0);
  // PaintTo leaves the control's canvas aimed at the sheet; asking for the
  // canvas aims it back at the form before the sheet goes away.
  S->Canvas();
  return Shot;
}

// Where master point P of digit position D (1-based) lands on the control.
TPoint OnControl(const TSevenSeg* S, int D, TPoint P) {
  const int CW = (S->Width() - 2 * S->Margin()) / S->NumDigits() - S->InterDigDist();
  const int CH = S->Height() - 2 * S->Margin();
  const int X = (D - 1) * (CW + S->InterDigDist()) + S->Margin();
  return TPoint{X + P.X * CW / kSevenSegMasterWidth, S->Margin() + P.Y * CH / kSevenSegMasterHeight};
}

// Lit parts of digit position D: segment numbers 1..7 and "." for the dot.
std::string Lit(const TShot& Shot, const TSevenSeg* S, int D, TColor Text = kRed, TColor Back = kBack) {
  std::string R;
  for (int I = 0; I < 7; ++I) {
    const TPoint P = OnControl(S, D, kSegSeed[I]);
    const TColor C = Shot.At(P.X, P.Y);
    if (C == Text) R += static_cast<char>('1' + I);
    else if (C != Back) R += '?';
  }
  const TPoint P = OnControl(S, D, kDotSeed);
  const TColor C = Shot.At(P.X, P.Y);
  if (C == Text) R += '.';
  else if (C != Back) R += '?';
  return R;
}

TEST(SevenSegDisplay, DefaultsShowFourEightsWithTheirDots) {
  TSevenSeg S(nullptr);
  EXPECT_EQ(S.Width(), 216);
  EXPECT_EQ(S.Height(), 76);
  EXPECT_EQ(S.Caption(), u"8.8.8.8.");
  EXPECT_EQ(S.NumDigits(), 4);
  EXPECT_EQ(S.Margin(), 8);
  EXPECT_EQ(S.InterDigDist(), 2);
  EXPECT_EQ(S.ColorText(), kRed);
  EXPECT_EQ(S.ColorBackGnd(), kBack);
  EXPECT_EQ(S.FrameStyle(), fsLowered);
  EXPECT_EQ(S.ColorScheme(), csFixed);

  const TShot Shot = Render(&S);
  for (int D = 1; D <= 4; ++D) EXPECT_EQ(Lit(Shot, &S, D), "1234567.") << "position " << D;
  // Cells are 48 wide, 2 apart: the gap and the margins stay background.
  EXPECT_EQ(Shot.At(8 + 48, 38), kBack);
  EXPECT_EQ(Shot.At(8 + 48 + 1, 38), kBack);
  EXPECT_EQ(Shot.At(3, 38), kBack);
  EXPECT_EQ(Shot.At(100, 3), kBack);
  // Lowered frame on the outermost pixels: shadow top and left, highlight bottom and right.
  EXPECT_EQ(Shot.At(100, 0), clGray);
  EXPECT_EQ(Shot.At(0, 40), clGray);
  EXPECT_EQ(Shot.At(100, 75), clWhite);
  EXPECT_EQ(Shot.At(215, 40), clWhite);
  EXPECT_EQ(Shot.At(100, 1), kBack);
}

TEST(SevenSegDisplay, CaptionsFillPositionsFromTheLeft) {
  TSevenSeg S(nullptr);

  S.SetCaption(u"12:30");  // four positions: the 0 is dropped
  TShot Shot = Render(&S);
  EXPECT_EQ(Lit(Shot, &S, 1), "36");
  EXPECT_EQ(Lit(Shot, &S, 2), "13457");
  EXPECT_EQ(Lit(Shot, &S, 4), "13467");
  for (const TPoint& Seed : kColonSeeds) {
    const TPoint P = OnControl(&S, 3, Seed);
    EXPECT_EQ(Shot.At(P.X, P.Y), kRed);
  }
  EXPECT_EQ(Lit(Shot, &S, 3), "") << "the colon lights no segment";

  S.SetNumDigits(5);
  Shot = Render(&S);
  EXPECT_EQ(Lit(Shot, &S, 5), "123567") << "with a fifth position the 0 shows";

  S.SetNumDigits(4);
  S.SetCaption(u".5");
  Shot = Render(&S);
  EXPECT_EQ(Lit(Shot, &S, 1), ".") << "an empty digit with its dot";
  EXPECT_EQ(Lit(Shot, &S, 2), "12467");
  EXPECT_EQ(Lit(Shot, &S, 3), "");
  EXPECT_EQ(Lit(Shot, &S, 4), "");

  S.SetCaption(u"aXf,");  // lower case shows upper case; unknown characters stay empty
  Shot = Render(&S);
  EXPECT_EQ(Lit(Shot, &S, 1), "123456");
  EXPECT_EQ(Lit(Shot, &S, 2), "");
  EXPECT_EQ(Lit(Shot, &S, 3), "1245.");

  S.SetCaption(u"-8..9");  // a second mark is a position of its own
  Shot = Render(&S);
  EXPECT_EQ(Lit(Shot, &S, 1), "4");
  EXPECT_EQ(Lit(Shot, &S, 2), "1234567.");
  EXPECT_EQ(Lit(Shot, &S, 3), ".");
  EXPECT_EQ(Lit(Shot, &S, 4), "123467");

  S.SetCaption(u"");
  Shot = Render(&S);
  for (int D = 1; D <= 4; ++D) EXPECT_EQ(Lit(Shot, &S, D), "");
}

TEST(SevenSegDisplay, ColoursOfSegmentsAndBackground) {
  TSevenSeg S(nullptr);
  S.SetColorText(clWhite);
  S.SetColorBackGnd(clNavy);
  TShot Shot = Render(&S);
  EXPECT_EQ(Lit(Shot, &S, 1, 0xFEFEFE, clNavy), "1234567.") << "white segments stay visible";
  EXPECT_EQ(Shot.At(100, 3), clNavy);

  S.SetColorBackGnd(clWhite);
  S.SetColorText(clBlack);
  Shot = Render(&S);
  EXPECT_EQ(Lit(Shot, &S, 2, clBlack, clWhite), "1234567.");
}

TEST(SevenSegProperties, SettersKeepValuesInRange) {
  TSevenSeg S(nullptr);
  S.SetNumDigits(0);
  S.SetNumDigits(33);
  S.SetNumDigits(-2);
  EXPECT_EQ(S.NumDigits(), 4);
  S.SetNumDigits(32);
  EXPECT_EQ(S.NumDigits(), 32);
  S.SetNumDigits(1);
  EXPECT_EQ(S.NumDigits(), 1);

  S.SetMargin(100);  // height 76
  EXPECT_EQ(S.Margin(), 37);
  S.SetMargin(-5);
  EXPECT_EQ(S.Margin(), 0);
  S.SetMargin(12);
  EXPECT_EQ(S.Margin(), 12);

  S.SetInterDigDist(256);
  EXPECT_EQ(S.InterDigDist(), 255);
  S.SetInterDigDist(1000);
  EXPECT_EQ(S.InterDigDist(), 255);
  S.SetInterDigDist(-1);
  EXPECT_EQ(S.InterDigDist(), 0);

  EXPECT_EQ(S.ColGrayLine(), 0x808080u);
  S.SetColorScheme(csSystem);
  EXPECT_EQ(S.ColGrayLine(), clBtnShadow);
  EXPECT_EQ(S.ColWhiteLine(), clBtnHighlight);
  S.SetColorScheme(csFixed);
  EXPECT_EQ(S.ColGrayLine(), 0x808080u);
  EXPECT_EQ(S.ColWhiteLine(), 0xFFFFFFu);
}

TEST(SevenSegProperties, FrameStylesUseFixedColours) {
  TSevenSeg S(nullptr);
  S.SetColorScheme(csSystem);  // does not change the frame's colours
  S.SetFrameStyle(fsRaised);
  TShot Shot = Render(&S);
  EXPECT_EQ(Shot.At(100, 0), clWhite);
  EXPECT_EQ(Shot.At(100, 75), clGray);
  S.SetFrameStyle(fsNone);
  Shot = Render(&S);
  EXPECT_EQ(Shot.At(100, 0), kBack);
  EXPECT_EQ(Shot.At(0, 0), kBack);
  S.SetFrameStyle(fsSimple);
  Shot = Render(&S);
  EXPECT_EQ(Shot.At(100, 75), clBlack);
}

TEST(SevenSegCache, RebuiltOnlyWhenItsContentChanges) {
  TSevenSeg S(nullptr);
  int Builds = S.CacheBuildCount();
  EXPECT_EQ(Builds, 1);
  EXPECT_EQ(S.GlyphCache()->Width(), 21 * 48);
  EXPECT_EQ(S.GlyphCache()->Height(), 60);

  auto ExpectBuilds = [&](int More, const char* What) {
    Builds += More;
    EXPECT_EQ(S.CacheBuildCount(), Builds) << What;
  };
  S.SetCaption(u"1234");
  Render(&S);
  Render(&S);
  ExpectBuilds(0, "caption and painting");
  S.SetFrameStyle(fsRaised);
  S.SetColorScheme(csSystem);
  ExpectBuilds(0, "frame");
  S.SetColorText(kRed);
  S.SetColorBackGnd(kBack);
  S.SetNumDigits(4);
  S.SetNumDigits(40);
  S.SetMargin(8);
  S.SetInterDigDist(2);
  ExpectBuilds(0, "unchanged values");
  S.SetColorText(clLime);
  ExpectBuilds(1, "text colour");
  S.SetColorBackGnd(clBlack);
  ExpectBuilds(1, "background");
  S.SetNumDigits(6);
  ExpectBuilds(1, "digits");
  S.SetMargin(4);
  ExpectBuilds(1, "margin");
  S.SetInterDigDist(5);
  ExpectBuilds(1, "distance");
  S.SetBounds(10, 20, 216, 76);
  ExpectBuilds(0, "moving");
  S.SetBounds(10, 20, 300, 90);
  ExpectBuilds(1, "resizing");
  EXPECT_EQ(S.GlyphCache()->Height(), 90 - 8);
  Render(&S);
  ExpectBuilds(0, "painting at the size the cache was built for");
}

// An application handler on OnResize replaces the control's own; the glyphs
// must still come out right at the new size.
TEST(SevenSegCache, ForeignResizeHandlerStillPaintsCorrectDigits) {
  TSevenSeg S(nullptr);
  int Resizes = 0;
  S.SetOnResize([&](TObject*) { ++Resizes; });
  S.SetBounds(0, 0, 400, 120);
  EXPECT_EQ(Resizes, 1);
  EXPECT_EQ(S.CacheBuildCount(), 1) << "the own handler is gone";
  S.SetCaption(u"8.1");
  const TShot Shot = Render(&S);
  EXPECT_EQ(S.CacheBuildCount(), 2) << "painting noticed the stale cache";
  EXPECT_EQ(Lit(Shot, &S, 1), "1234567.");
  EXPECT_EQ(Lit(Shot, &S, 2), "36");
}

TEST(SevenSegCache, LoadingBuildsOnceAtTheEnd) {
  TSevenSeg S(nullptr);
  S.BeginLoading();
  S.SetColorText(clYellow);
  S.SetColorBackGnd(clBlack);
  S.SetNumDigits(3);
  S.SetBounds(0, 0, 180, 70);
  EXPECT_EQ(S.CacheBuildCount(), 1);
  S.Loaded();
  EXPECT_EQ(S.CacheBuildCount(), 2);
  const TShot Shot = Render(&S);
  EXPECT_EQ(Lit(Shot, &S, 1, clYellow, clBlack), "1234567.");
}

TEST(SevenSegCache, CellsTooSmallForGlyphsPaintBackgroundAndFrame) {
  TSevenSeg S(nullptr);
  S.SetInterDigDist(200);  // cells of negative width
  TShot Shot = Render(&S);
  EXPECT_TRUE(S.GlyphCache()->Empty());
  EXPECT_EQ(Shot.At(30, 30), kBack);
  EXPECT_EQ(Shot.At(100, 0), clGray);
  S.SetInterDigDist(2);
  S.SetBounds(0, 0, 3, 3);
  Shot = Render(&S);
  EXPECT_EQ(Shot.At(1, 1), kBack);
  S.SetBounds(0, 0, 0, 0);
  Render(&S);
}

TEST(SevenSegControl, AssignCopiesValuesAndBuildsItsOwnCache) {
  TSevenSeg A(nullptr), B(nullptr);
  A.SetColorText(clLime);
  A.SetColorBackGnd(clBlack);
  A.SetNumDigits(3);
  A.SetCaption(u"-1.5");
  A.SetFrameStyle(fsEngraved);
  A.SetColorScheme(csSystem);
  A.SetMargin(5);
  A.SetInterDigDist(7);
  const int Before = B.CacheBuildCount();
  B.Assign(&A);
  EXPECT_EQ(B.ColorText(), clLime);
  EXPECT_EQ(B.ColorBackGnd(), clBlack);
  EXPECT_EQ(B.NumDigits(), 3);
  EXPECT_EQ(B.Caption(), u"-1.5");
  EXPECT_EQ(B.FrameStyle(), fsEngraved);
  EXPECT_EQ(B.ColorScheme(), csSystem);
  EXPECT_EQ(B.ColGrayLine(), clBtnShadow);
  EXPECT_EQ(B.Margin(), 5);
  EXPECT_EQ(B.InterDigDist(), 7);
  EXPECT_EQ(B.CacheBuildCount(), Before + 1);
  EXPECT_NE(B.GlyphCache(), A.GlyphCache());
  const TShot Shot = Render(&B);
  EXPECT_EQ(Lit(Shot, &B, 2, clLime, clBlack), "36.");

  TBitmap NotADisplay;
  EXPECT_THROW(B.Assign(&NotADisplay), EConvertError);
}

TEST(SevenSegControl, PaintsOnItsFormOnlyWhenVisible) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 300, 120);
  auto* S = new TSevenSeg(&Form);
  S->SetParent(&Form);
  S->SetBounds(20, 10, 216, 76);
  Form.Show();
  auto SurfaceAt = [&](TPoint P) { return PixelToColor(Form.Surface()->ScanLine(P.Y + 10)[P.X + 20]); };
  const TPoint Top1 = OnControl(S, 1, kSegSeed[0]);
  EXPECT_EQ(SurfaceAt(Top1), kRed);
  S->SetCaption(u"1");  // repaints at once
  EXPECT_EQ(SurfaceAt(Top1), kBack);

  TSevenSeg Hidden(nullptr);
  Hidden.SetVisible(false);
  TShot Shot = Render(&Hidden);
  EXPECT_EQ(Shot.At(30, 30), clWhite) << "an invisible control draws nothing";
  Hidden.SetDesigning(true);
  Shot = Render(&Hidden);
  EXPECT_EQ(Shot.At(30, 30), kBack) << "but the designer shows it";
}

}  // namespace
}  // namespace orv

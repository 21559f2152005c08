// The gradient fill control: defaults, property rules, repaint requests,
// pixels through PaintTo, OnPaint and Assign.

#include <gtest/gtest.h>

#include <memory>

#include "framework/forms/form.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/rtl/exceptions.h"
#include "gradfl/gradfl.h"

namespace orv {
namespace {

// Counts repaint requests instead of marking a form region dirty.
class TCountingGradFill : public TGradFill {
 public:
  using TGradFill::TGradFill;
  void Invalidate() override {
    ++Invalidations;
    TGradFill::Invalidate();
  }
  int Invalidations = 0;
};

// Renders G into a fresh bitmap of its size.
std::unique_ptr<TBitmap> Render(TGradFill& G) {
  auto B = std::make_unique<TBitmap>(G.Width(), G.Height());
  G.PaintTo(B->Canvas(), 0, 0);
  return B;
}

TEST(GradFillTest, StartsWithTheDocumentedDefaults) {
  TGradFill G(nullptr);
  EXPECT_EQ(G.Width(), 121);
  EXPECT_EQ(G.Height(), 121);
  EXPECT_EQ(G.NrColors(), 16);
  EXPECT_EQ(G.FillType(), gtHoriz);
  EXPECT_EQ(G.ColorFirst(), 0x000080u);
  EXPECT_EQ(G.ColorLast(), 0x00FFFFu);
  EXPECT_FALSE(G.ColorFlipped());
  EXPECT_EQ(G.FrameStyle(), fsNone);
  EXPECT_EQ(G.GridMode(), gmNone);
  EXPECT_EQ(G.GridColor(), 0x800000u);
  EXPECT_FALSE(G.OnPaint());
}

TEST(GradFillTest, DefaultPictureRunsFromMaroonToOneStepShortOfYellow) {
  TGradFill G(nullptr);
  auto B = Render(G);
  EXPECT_EQ(B->Canvas()->Pixels(0, 0), 0x000080u);
  EXPECT_EQ(B->Canvas()->Pixels(120, 7), 0x000080u);
  EXPECT_EQ(B->Canvas()->Pixels(60, 120), 0x00EFF7u);
  EXPECT_EQ(B->Canvas()->Pixels(0, 113), 0x00EFF7u);
  for (int Y = 0; Y < 121; ++Y) ASSERT_NE(B->Canvas()->Pixels(50, Y), 0x00FFFFu) << Y;
}

TEST(GradFillTest, PaintToPlacesThePictureAtTheOffsetOnly) {
  TGradFill G(nullptr);
  G.SetBounds(0, 0, 20, 10);
  G.SetNrColors(1);
  TBitmap B(40, 30);  // white
  G.PaintTo(B.Canvas(), 5, 7);
  EXPECT_EQ(B.Canvas()->Pixels(5, 7), 0x000080u);
  EXPECT_EQ(B.Canvas()->Pixels(24, 16), 0x000080u);
  EXPECT_EQ(B.Canvas()->Pixels(4, 7), 0xFFFFFFu);
  EXPECT_EQ(B.Canvas()->Pixels(25, 16), 0xFFFFFFu);
  EXPECT_EQ(B.Canvas()->Pixels(5, 17), 0xFFFFFFu);
}

TEST(GradFillTest, BandCountIsKeptWithinOneTo255) {
  TGradFill G(nullptr);
  G.SetNrColors(0);
  EXPECT_EQ(G.NrColors(), 1);
  G.SetNrColors(-40);
  EXPECT_EQ(G.NrColors(), 1);
  G.SetNrColors(256);
  EXPECT_EQ(G.NrColors(), 255);
  G.SetNrColors(255);
  EXPECT_EQ(G.NrColors(), 255);
  G.SetNrColors(2);
  EXPECT_EQ(G.NrColors(), 2);
}

TEST(GradFillTest, OneBandFillsEverythingWithTheFirstColourInEveryType) {
  for (TGradType T : {gtHoriz, gtVert, gtMidBandHoriz, gtMidBandVert}) {
    TGradFill G(nullptr);
    G.SetBounds(0, 0, 13, 9);
    G.SetFillType(T);
    G.SetNrColors(1);
    G.SetColorFirst(0x336699);
    auto B = Render(G);
    for (int Y = 0; Y < 9; ++Y)
      for (int X = 0; X < 13; ++X) ASSERT_EQ(B->Canvas()->Pixels(X, Y), 0x336699u) << int(T) << " " << X << "," << Y;
  }
}

TEST(GradFillTest, FlippingSwapsTheColoursInUseAndRemembersTheSetOrder) {
  TGradFill G(nullptr);
  G.SetColorFlipped(true);
  EXPECT_TRUE(G.ColorFlipped());
  EXPECT_EQ(G.ColorFirst(), 0x00FFFFu);
  EXPECT_EQ(G.ColorLast(), 0x000080u);
  // One destination for every render: the control's canvas may still refer
  // to the last bitmap it was painted into.
  TBitmap Dest(G.Width(), G.Height());
  G.PaintTo(Dest.Canvas(), 0, 0);
  EXPECT_EQ(Dest.Canvas()->Pixels(0, 0), 0x00FFFFu);

  // Set while flipped: shown first now, remembered as the set last colour.
  G.SetColorFirst(0x00FF00);
  EXPECT_EQ(G.ColorFirst(), 0x00FF00u);
  G.PaintTo(Dest.Canvas(), 0, 0);
  EXPECT_EQ(Dest.Canvas()->Pixels(0, 0), 0x00FF00u);
  G.SetColorLast(0x0000FF);
  G.SetColorFlipped(false);
  EXPECT_EQ(G.ColorFirst(), 0x0000FFu);
  EXPECT_EQ(G.ColorLast(), 0x00FF00u);

  // On and off again restores the first order.
  G.SetColorFlipped(true);
  G.SetColorFlipped(false);
  EXPECT_EQ(G.ColorFirst(), 0x0000FFu);
  EXPECT_EQ(G.ColorLast(), 0x00FF00u);
}

TEST(GradFillTest, EveryChangingSetterAsksForARepaintAndRepeatsDoNot) {
  TCountingGradFill G(nullptr);
  auto ExpectOne = [&](auto Change, const char* What) {
    const int Before = G.Invalidations;
    Change();
    EXPECT_EQ(G.Invalidations, Before + 1) << What;
    Change();  // the same value again
    EXPECT_EQ(G.Invalidations, Before + 1) << What << " repeated";
  };
  ExpectOne([&] { G.SetNrColors(8); }, "NrColors");
  ExpectOne([&] { G.SetFillType(gtMidBandVert); }, "FillType");
  ExpectOne([&] { G.SetColorFirst(0x112233); }, "ColorFirst");
  ExpectOne([&] { G.SetColorLast(0x445566); }, "ColorLast");
  ExpectOne([&] { G.SetColorFlipped(true); }, "ColorFlipped");
  ExpectOne([&] { G.SetFrameStyle(fsEngraved); }, "FrameStyle");
  ExpectOne([&] { G.SetGridMode(gmBoth); }, "GridMode");
  ExpectOne([&] { G.SetGridColor(0x0000FF); }, "GridColor");
  // A value clamped to the current one changes nothing.
  G.SetNrColors(255);
  const int Before = G.Invalidations;
  G.SetNrColors(1000);
  EXPECT_EQ(G.Invalidations, Before);
}

TEST(GradFillTest, OnPaintFiresOnceAfterThePictureIsCopied) {
  TGradFill G(nullptr);
  G.SetBounds(0, 0, 30, 20);
  TBitmap B(30, 20);
  int Calls = 0;
  TObject* Sender = nullptr;
  TColor SeenAtOrigin = 0;
  G.SetOnPaint([&](TObject* S) {
    ++Calls;
    Sender = S;
    SeenAtOrigin = B.Canvas()->Pixels(0, 0);
  });
  G.PaintTo(B.Canvas(), 0, 0);
  EXPECT_EQ(Calls, 1);
  EXPECT_EQ(Sender, &G);
  EXPECT_EQ(SeenAtOrigin, 0x000080u);
}

TEST(GradFillTest, FrameAndGridShowThroughPaintTo) {
  TGradFill G(nullptr);
  G.SetBounds(0, 0, 40, 40);
  G.SetNrColors(1);
  G.SetColorFirst(0x000000);
  G.SetFrameStyle(fsRaised);
  G.SetGridMode(gmVert);
  G.SetGridColor(0x00FF00);
  auto B = Render(G);
  EXPECT_EQ(B->Canvas()->Pixels(0, 0), 0xFFFFFFu);    // highlight top-left
  EXPECT_EQ(B->Canvas()->Pixels(20, 0), 0xFFFFFFu);   // frame over a grid column
  EXPECT_EQ(B->Canvas()->Pixels(39, 39), 0x808080u);  // shadow bottom-right
  EXPECT_EQ(B->Canvas()->Pixels(10, 20), 0x00FF00u);
  EXPECT_EQ(B->Canvas()->Pixels(20, 20), 0x00FF00u);
  EXPECT_EQ(B->Canvas()->Pixels(15, 20), 0x000000u);
  EXPECT_EQ(B->Canvas()->Pixels(15, 10), 0x000000u);  // no rows in gmVert
}

TEST(GradFillTest, DrawGradientSizesOrCreatesTheBitmap) {
  TGradFill G(nullptr);
  G.SetBounds(0, 0, 50, 20);
  G.SetFillType(gtVert);
  TBitmap* Bmp = nullptr;
  G.DrawGradient(Bmp);
  std::unique_ptr<TBitmap> Owned(Bmp);
  ASSERT_NE(Bmp, nullptr);
  EXPECT_EQ(Bmp->Width(), 50);
  EXPECT_EQ(Bmp->Height(), 20);
  EXPECT_EQ(Bmp->Canvas()->Pixels(0, 19), 0x000080u);
  EXPECT_EQ(Bmp->Canvas()->Pixels(49, 0), 0x00EFF7u);

  TBitmap Wrong(3, 300);
  TBitmap* P = &Wrong;
  G.DrawGradient(P);
  EXPECT_EQ(P, &Wrong);
  EXPECT_EQ(Wrong.Width(), 50);
  EXPECT_EQ(Wrong.Height(), 20);
  EXPECT_EQ(Wrong.Canvas()->Pixels(49, 19), 0x00EFF7u);
}

TEST(GradFillTest, AssignCopiesTheGradientAndRefusesOtherClasses) {
  TGradFill A(nullptr);
  A.SetNrColors(7);
  A.SetFillType(gtMidBandHoriz);
  A.SetColorFirst(0x010203);
  A.SetColorLast(0x040506);
  A.SetColorFlipped(true);
  A.SetFrameStyle(fsEmbossed);
  A.SetGridMode(gmHoriz);
  A.SetGridColor(0x0A0B0C);
  int Fired = 0;
  A.SetOnPaint([&](TObject*) { ++Fired; });

  TCountingGradFill B(nullptr);
  B.Assign(&A);
  EXPECT_EQ(B.NrColors(), 7);
  EXPECT_EQ(B.FillType(), gtMidBandHoriz);
  EXPECT_TRUE(B.ColorFlipped());
  EXPECT_EQ(B.ColorFirst(), 0x040506u);
  EXPECT_EQ(B.ColorLast(), 0x010203u);
  EXPECT_EQ(B.FrameStyle(), fsEmbossed);
  EXPECT_EQ(B.GridMode(), gmHoriz);
  EXPECT_EQ(B.GridColor(), 0x0A0B0Cu);
  EXPECT_GE(B.Invalidations, 1);
  // The set order travels too: unflipping restores A's set colours.
  B.SetColorFlipped(false);
  EXPECT_EQ(B.ColorFirst(), 0x010203u);
  EXPECT_EQ(B.ColorLast(), 0x040506u);
  TBitmap Dest(B.Width(), B.Height());
  B.PaintTo(Dest.Canvas(), 0, 0);
  EXPECT_EQ(Fired, 1);

  TBitmap NotAGradient;
  EXPECT_THROW(B.Assign(&NotAGradient), EConvertError);
  EXPECT_EQ(B.NrColors(), 7);
}

TColor SurfaceAt(TForm& Form, int X, int Y) { return PixelToColor(Form.Surface()->ScanLine(Y)[X]); }

TEST(GradFillOnFormTest, ChangesReachTheFormSurfaceOnTheNextPaintPass) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 100, 80);
  Form.SetColor(0x808080);
  auto* G = new TGradFill(&Form);
  G->SetParent(&Form);
  G->SetBounds(10, 20, 40, 30);
  G->SetNrColors(1);
  Form.Show();
  EXPECT_EQ(SurfaceAt(Form, 10, 20), 0x000080u);
  EXPECT_EQ(SurfaceAt(Form, 49, 49), 0x000080u);
  EXPECT_EQ(SurfaceAt(Form, 50, 49), 0x808080u);
  EXPECT_EQ(SurfaceAt(Form, 9, 20), 0x808080u);

  int Paints = 0;
  G->SetOnPaint([&](TObject*) { ++Paints; });
  G->SetColorFirst(0x00FF00);
  Form.PaintPending();
  EXPECT_EQ(SurfaceAt(Form, 30, 35), 0x00FF00u);
  EXPECT_EQ(Paints, 1);

  G->SetFrameStyle(fsSimple);
  Form.PaintPending();
  EXPECT_EQ(SurfaceAt(Form, 10, 20), 0x000000u);
  EXPECT_EQ(SurfaceAt(Form, 49, 49), 0x000000u);
  EXPECT_EQ(SurfaceAt(Form, 30, 35), 0x00FF00u);
}

TEST(GradFillOnFormTest, ControlReachingPastTheFormIsClippedToIt) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 60, 50);
  Form.SetColor(0x808080);
  auto* G = new TGradFill(&Form);
  G->SetParent(&Form);
  G->SetBounds(-15, 30, 100, 40);
  G->SetFillType(gtVert);
  G->SetNrColors(4);
  G->SetColorFirst(0x000000);
  G->SetColorLast(0x0000FF);
  Form.Show();
  EXPECT_EQ(SurfaceAt(Form, 0, 29), 0x808080u);
  EXPECT_EQ(SurfaceAt(Form, 0, 30), 0x000000u);   // column 15 of the control: band 0
  EXPECT_EQ(SurfaceAt(Form, 10, 40), 0x000040u);  // column 25: band 1, 0xFF / 4 = 63.75 -> 64
  EXPECT_EQ(SurfaceAt(Form, 35, 45), 0x000080u);  // column 50: band 2
  EXPECT_EQ(SurfaceAt(Form, 59, 49), 0x000080u);
}

}  // namespace
}  // namespace orv

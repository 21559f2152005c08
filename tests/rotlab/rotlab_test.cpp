// The rotated label: anchor rules, text placement at any angle, disabled
// look, frame and Assign.

#include <gtest/gtest.h>

#include <memory>

#include "framework/forms/form.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/colors.h"
#include "rotlab/rotlab.h"

namespace orv {
namespace {

constexpr TColor kPaper = 0xFFFFFF;

// Paints L on paper of its size.
std::unique_ptr<TBitmap> Render(TRotLab& L, TColor Paper = kPaper) {
  auto B = std::make_unique<TBitmap>(L.Width(), L.Height());
  B->Canvas()->Brush()->SetColor(Paper);
  B->Canvas()->FillRect(TRect{0, 0, L.Width(), L.Height()});
  L.PaintTo(B->Canvas(), 0, 0);
  return B;
}

// Bounding box of the pixels of colour Ink, frame excluded.
TRect InkBox(TBitmap& B, TColor Ink) {
  TRect Box{B.Width(), B.Height(), -1, -1};
  for (int Y = 2; Y < B.Height() - 2; ++Y)
    for (int X = 2; X < B.Width() - 2; ++X)
      if (B.Canvas()->Pixels(X, Y) == Ink) {
        Box = TRect{std::min(Box.Left, X), std::min(Box.Top, Y), std::max(Box.Right, X + 1), std::max(Box.Bottom, Y + 1)};
      }
  return Box;
}

bool SamePixels(TBitmap& A, TBitmap& B) {
  if (A.Width() != B.Width() || A.Height() != B.Height()) return false;
  for (int Y = 0; Y < A.Height(); ++Y)
    for (int X = 0; X < A.Width(); ++X)
      if (A.Canvas()->Pixels(X, Y) != B.Canvas()->Pixels(X, Y)) return false;
  return true;
}

struct RotLab : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TRotLab* Make() {
    auto* L = new TRotLab(Form.get());
    L->SetParent(Form.get());
    L->SetCaption(u"Rotated text");
    L->Font()->SetQuality(fqNonAntialiased);
    L->SetAntiAlias(false);
    L->Font()->SetColor(clBlack);
    return L;
  }
};

TEST_F(RotLab, AnchorFollowsTheCentreWhileAutoCenterIsOn) {
  TRotLab* L = Make();
  EXPECT_EQ(L->Width(), 200);
  EXPECT_EQ(L->TextAngle(), 0);
  EXPECT_TRUE(L->AutoCenter());
  EXPECT_EQ(L->Alignment(), taCenter);
  L->SetBounds(0, 0, 151, 91);
  EXPECT_EQ(L->PosX(), 75);
  EXPECT_EQ(L->PosY(), 45);
  L->SetPosX(3);  // discarded while centring
  EXPECT_EQ(L->PosX(), 75);

  L->SetAutoCenter(false);
  L->SetPosX(3);
  L->SetPosY(7);
  L->SetBounds(0, 0, 300, 300);  // the anchor stays put
  EXPECT_EQ(L->PosX(), 3);
  EXPECT_EQ(L->PosY(), 7);
  L->SetAutoCenter(true);
  EXPECT_EQ(L->PosX(), 150);
}

TEST_F(RotLab, TextIsPlacedAroundTheAnchorAtAnyAngle) {
  TRotLab* L = Make();
  const auto Flat = Render(*L);
  const TRect F = InkBox(*Flat, clBlack);
  EXPECT_GT(F.Right - F.Left, 2 * (F.Bottom - F.Top));  // wide
  EXPECT_NEAR((F.Left + F.Right) / 2, 100, 3);           // centred on the anchor
  EXPECT_NEAR((F.Top + F.Bottom) / 2, 100, 4);

  L->SetTextAngle(90);
  const auto Up = Render(*L);
  const TRect U = InkBox(*Up, clBlack);
  EXPECT_GT(U.Bottom - U.Top, 2 * (U.Right - U.Left));  // tall: written upwards
  EXPECT_NEAR((U.Top + U.Bottom) / 2, 100, 3);
  EXPECT_NEAR((U.Left + U.Right) / 2, 100, 4);
  L->SetTextAngle(450);
  EXPECT_TRUE(SamePixels(*Render(*L), *Up));

  // Left-justified at 0 degrees: the text starts at the anchor.
  L->SetTextAngle(0);
  L->SetAlignment(taLeftJustify);
  EXPECT_NEAR(InkBox(*Render(*L), clBlack).Left, 100, 2);
  L->SetAlignment(taRightJustify);
  EXPECT_NEAR(InkBox(*Render(*L), clBlack).Right, 100, 2);
}

TEST_F(RotLab, DisabledTextHasALightCopyOffsetByOnePixel) {
  TRotLab* L = Make();
  L->SetEnabled(false);
  const auto B = Render(*L, 0x204060);
  const TRect Dark = InkBox(*B, ColorToRGB(clBtnShadow));
  const TRect Light = InkBox(*B, ColorToRGB(clBtnHighlight));
  ASSERT_LT(Dark.Left, Dark.Right);
  // The light copy sticks out one pixel right and below the dark text.
  EXPECT_EQ(Light.Right, Dark.Right + 1);
  EXPECT_EQ(Light.Bottom, Dark.Bottom + 1);
}

TEST_F(RotLab, FrameAndOpaqueBackground) {
  TRotLab* L = Make();
  L->SetBounds(0, 0, 60, 40);
  L->SetCaption(u"");
  L->SetTransparent(false);
  L->SetColor(0x00C0FF);
  const auto B = Render(*L);
  EXPECT_EQ(B->Canvas()->Pixels(0, 0), 0x808080u);    // lowered: top-left in gray
  EXPECT_EQ(B->Canvas()->Pixels(59, 39), 0xFFFFFFu);  // bottom-right in white
  EXPECT_EQ(B->Canvas()->Pixels(30, 20), 0x00C0FFu);
}

TEST_F(RotLab, AssignCopiesTheTextGeometry) {
  TRotLab* A = Make();
  TRotLab* B = Make();
  A->SetAutoCenter(false);
  A->SetPosX(12);
  A->SetTextAngle(33);
  A->SetFrameStyle(fsRaised);
  A->SetAntiAlias(true);
  B->Assign(A);
  EXPECT_FALSE(B->AutoCenter());
  EXPECT_EQ(B->PosX(), 12);
  EXPECT_EQ(B->TextAngle(), 33);
  EXPECT_EQ(B->FrameStyle(), fsRaised);
  EXPECT_TRUE(B->AntiAlias());
}

}  // namespace
}  // namespace orv

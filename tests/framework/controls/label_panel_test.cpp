#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/edit.h"
#include "framework/controls/label.h"
#include "framework/controls/panel.h"
#include "framework/graphics/colors.h"
#include "test_helpers.h"

namespace orv {
namespace {

TColor Rgb(TColor C) { return ColorToRGB(C) & 0x00FFFFFF; }

struct LabelFixture : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TLabel* Label = nullptr;
  void SetUp() override {
    Form->SetBounds(0, 0, 300, 200);
    Label = new TLabel(Form.get());
    Label->SetParent(Form.get());
    Label->SetBounds(10, 10, 50, 20);
  }
};

TEST_F(LabelFixture, AutoSizeFitsTheTextAndKeepsTheRightEdgeWhenRightAligned) {
  Label->SetCaption(u"Short");
  const int Short = Label->Width();
  Label->SetCaption(u"A much longer caption");
  EXPECT_GT(Label->Width(), Short);
  EXPECT_GT(Label->Height(), 5);
  const int OneLine = Label->Height();
  Label->SetCaption(u"two\nlines");
  EXPECT_EQ(Label->Height(), 2 * OneLine);
  Label->SetCaption(u"wide caption here");
  Label->SetAlignment(taRightJustify);
  const int Right = Label->Left() + Label->Width();
  Label->SetCaption(u"x");
  EXPECT_EQ(Label->Left() + Label->Width(), Right);
  Label->SetAutoSize(false);
  Label->SetCaption(u"a caption far too long to keep the size");
  EXPECT_EQ(Label->Left() + Label->Width(), Right);
}

TEST_F(LabelFixture, AmpersandsMarkAcceleratorsUnlessSwitchedOff) {
  Label->SetCaption(u"&File && Edit");
  EXPECT_EQ(Label->DisplayText(), u"File & Edit");
  Label->SetShowAccelChar(false);
  EXPECT_EQ(Label->DisplayText(), u"&File && Edit");
}

TEST_F(LabelFixture, WordWrapBreaksAtBlanksAndGrowsDownwards) {
  Label->SetAutoSize(false);
  Label->SetWidth(60);
  Label->SetWordWrap(true);
  Label->SetCaption(u"one two three four five six");
  const auto Lines = Label->Lines();
  ASSERT_GT(Lines.size(), 1u);
  String Joined;
  for (const String& L : Lines) Joined += (Joined.empty() ? u"" : u" ") + L;
  EXPECT_EQ(Joined, u"one two three four five six");
  Label->SetAutoSize(true);
  EXPECT_EQ(Label->Width(), 60);
  Label->SetCaption(u"unbreakablewordthatiswide");
  EXPECT_EQ(Label->Lines().size(), 1u);
}

TEST_F(LabelFixture, FocusControlIsForgottenWhenItGoes) {
  auto* Edit = new TEdit(Form.get());
  Edit->SetParent(Form.get());
  Label->SetFocusControl(Edit);
  EXPECT_EQ(Label->FocusControl(), Edit);
  delete Edit;
  EXPECT_EQ(Label->FocusControl(), nullptr);
}

TEST_F(LabelFixture, PaintsBackgroundUnlessTransparentAndEngravesWhenDisabled) {
  Label->SetColor(clYellow);
  Label->SetCaption(u"Wm");
  Label->Font()->SetQuality(fqNonAntialiased);
  Label->Font()->SetColor(clBlack);
  TBitmap Bmp(Label->Width() + 2, Label->Height() + 2);
  Label->PaintTo(Bmp.Canvas(), 0, 0);
  EXPECT_EQ(Bmp.Canvas()->Pixels(Label->Width() - 1, 0), clYellow);
  Label->SetTransparent(true);
  TBitmap Clear(Label->Width() + 2, Label->Height() + 2);
  Label->PaintTo(Clear.Canvas(), 0, 0);
  EXPECT_EQ(Clear.Canvas()->Pixels(Label->Width() - 1, 0), clWhite);
  Label->SetEnabled(false);
  Label->PaintTo(Clear.Canvas(), 0, 0);
  int Gray = 0;
  int Black = 0;
  for (int Y = 0; Y < Clear.Height(); ++Y) {
    for (int X = 0; X < Clear.Width(); ++X) {
      Gray += Clear.Canvas()->Pixels(X, Y) == 0x808080;
      Black += Clear.Canvas()->Pixels(X, Y) == clBlack;
    }
  }
  EXPECT_GT(Gray, 10);
  EXPECT_EQ(Black, 0);
}

TEST(Panel, BevelsFrameTheFaceAndNarrowTheClientArea) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 300, 200);
  auto* P = new TPanel(&Form);
  P->SetParent(&Form);
  P->SetBounds(0, 0, 100, 60);
  auto* Child = new TPanel(&Form);
  Child->SetParent(P);
  Child->SetAlign(alClient);
  EXPECT_EQ(Child->BoundsRect(), (TRect{1, 1, 99, 59}));
  P->SetBevelInner(bvLowered);
  P->SetBevelWidth(2);
  P->SetBorderWidth(3);
  EXPECT_EQ(Child->BoundsRect(), (TRect{7, 7, 93, 53}));
  Child->SetVisible(false);

  TBitmap Bmp(100, 60);
  P->PaintTo(Bmp.Canvas(), 0, 0);
  auto At = [&](int X, int Y) { return Bmp.Canvas()->Pixels(X, Y); };
  // Raised outer bevel two pixels wide, then the border, then a lowered one.
  EXPECT_EQ(At(0, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(At(1, 1), Rgb(clBtnHighlight));
  EXPECT_EQ(At(99, 59), Rgb(clBtnShadow));
  EXPECT_EQ(At(3, 30), Rgb(clBtnFace));
  EXPECT_EQ(At(5, 30), Rgb(clBtnShadow));
  EXPECT_EQ(At(94, 30), Rgb(clBtnHighlight));
  EXPECT_EQ(At(50, 10), Rgb(clBtnFace));
}

}  // namespace
}  // namespace orv

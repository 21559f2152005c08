#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/input.h"
#include "framework/controls/speedbutton.h"
#include "framework/controls/sim.h"
#include "framework/graphics/colors.h"
#include "test_helpers.h"

namespace orv {
namespace {

TColor Rgb(TColor C) { return ColorToRGB(C) & 0x00FFFFFF; }

// Logs the overridable handlers the way a descendant sees them.
class TLoggingButton : public TSpeedButton {
 public:
  using TSpeedButton::TSpeedButton;
  std::vector<std::string> Log;

 protected:
  void MouseDown(TMouseButton B, TShiftState S, int X, int Y) override {
    TSpeedButton::MouseDown(B, S, X, Y);
    Log.push_back("down");
  }
  void MouseUp(TMouseButton B, TShiftState S, int X, int Y) override {
    TSpeedButton::MouseUp(B, S, X, Y);
    Log.push_back("up");
  }

 public:
  void Click() override {
    Log.push_back("click");
    TSpeedButton::Click();
  }
};

struct ButtonFixture : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TLoggingButton* A = nullptr;
  TSpeedButton* B = nullptr;
  int Clicks = 0;
  void SetUp() override {
    Form->SetBounds(0, 0, 200, 100);
    A = new TLoggingButton(Form.get());
    A->SetParent(Form.get());
    A->SetBounds(10, 10, 40, 24);
    A->SetOnClick([this](TObject*) { ++Clicks; });
    B = new TSpeedButton(Form.get());
    B->SetParent(Form.get());
    B->SetBounds(60, 10, 40, 24);
    Form->Show();
    input::SetHover(nullptr);
  }
  void TearDown() override { input::SetHover(nullptr); }
};

TEST_F(ButtonFixture, ClickFiresOnReleaseInsideAfterTheStateIsUp) {
  TButtonState AtClick = bsDown;
  A->SetOnClick([&](TObject*) { AtClick = A->State(); });
  sim::Click(A, 5, 5);
  EXPECT_EQ(A->Log, (std::vector<std::string>{"down", "click", "up"}));
  EXPECT_EQ(AtClick, bsUp);
  EXPECT_EQ(A->State(), bsUp);
  EXPECT_FALSE(A->Down());  // no group: never stays down
}

TEST_F(ButtonFixture, PressedLookFollowsThePointerAndReleaseOutsideIsNoClick) {
  sim::MouseDown(A, mbLeft, {}, 5, 5);
  EXPECT_EQ(A->State(), bsDown);
  sim::MouseMove(A, {ssLeft}, 80, 5);
  EXPECT_EQ(A->State(), bsUp);
  sim::MouseMove(A, {ssLeft}, 6, 6);
  EXPECT_EQ(A->State(), bsDown);
  sim::MouseMove(A, {ssLeft}, -3, 6);
  sim::MouseUp(A, mbLeft, {}, -3, 6);
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(A->State(), bsUp);
}

TEST_F(ButtonFixture, OtherButtonsAndDisabledButtonsDoNotPress) {
  sim::Click(A, 5, 5);
  sim::MouseDown(A, mbRight, {}, 5, 5);
  EXPECT_EQ(A->State(), bsUp);
  sim::MouseUp(A, mbRight, {}, 5, 5);
  EXPECT_EQ(Clicks, 1);
  A->SetEnabled(false);
  EXPECT_EQ(A->State(), bsDisabled);
  sim::Click(A, 5, 5);
  EXPECT_EQ(Clicks, 1);
  A->SetEnabled(true);
  EXPECT_EQ(A->State(), bsUp);
}

TEST_F(ButtonFixture, GroupActsAsRadioButtons) {
  A->SetGroupIndex(1);
  B->SetGroupIndex(1);
  sim::Click(A, 5, 5);
  EXPECT_TRUE(A->Down());
  EXPECT_EQ(A->State(), bsExclusive);
  sim::Click(B, 5, 5);
  EXPECT_TRUE(B->Down());
  EXPECT_FALSE(A->Down());
  EXPECT_EQ(A->State(), bsUp);
  // The last button down cannot be released by a click ...
  sim::Click(B, 5, 5);
  EXPECT_TRUE(B->Down());
  EXPECT_EQ(B->State(), bsExclusive);
  B->SetDown(false);
  EXPECT_TRUE(B->Down());
  // ... unless all may be up; the setting spreads through the group.
  A->SetAllowAllUp(true);
  EXPECT_TRUE(B->AllowAllUp());
  sim::Click(B, 5, 5);
  EXPECT_FALSE(B->Down());
  EXPECT_EQ(B->State(), bsUp);
}

TEST_F(ButtonFixture, DownOutsideAGroupIsRefusedAndGroupsAreSeparate) {
  A->SetDown(true);
  EXPECT_FALSE(A->Down());
  A->SetGroupIndex(1);
  B->SetGroupIndex(2);
  A->SetDown(true);
  B->SetDown(true);
  EXPECT_TRUE(A->Down());
  EXPECT_TRUE(B->Down());
  A->SetGroupIndex(0);
  EXPECT_FALSE(A->Down());
}

TEST_F(ButtonFixture, MouseEnterAndLeaveAreTracked) {
  sim::MouseEnter(A);
  EXPECT_TRUE(A->MouseInControl());
  sim::MouseLeave(A);
  EXPECT_FALSE(A->MouseInControl());
}

// --- Painting ------------------------------------------------------------------------

struct ButtonPaint : ButtonFixture {
  TBitmap Bmp{40, 24};
  TColor At(int X, int Y) { return Bmp.Canvas()->Pixels(X, Y); }
  void Render(TControl* C) { C->PaintTo(Bmp.Canvas(), 0, 0); }
  // Pixels of colour C inside the two-pixel frame.
  int Count(TColor C) {
    int N = 0;
    for (int Y = 2; Y < Bmp.Height() - 2; ++Y) {
      for (int X = 2; X < Bmp.Width() - 2; ++X) N += At(X, Y) == C;
    }
    return N;
  }
};

TEST_F(ButtonPaint, RaisedUpAndSunkenWhileHeld) {
  Render(A);
  EXPECT_EQ(At(0, 0), Rgb(cl3DLight));
  EXPECT_EQ(At(39, 23), Rgb(cl3DDkShadow));
  EXPECT_EQ(At(1, 1), Rgb(clBtnHighlight));
  EXPECT_EQ(At(20, 3), Rgb(clBtnFace));
  sim::MouseDown(A, mbLeft, {}, 5, 5);
  Render(A);
  EXPECT_EQ(At(0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(At(39, 23), Rgb(clBtnHighlight));
  sim::MouseUp(A, mbLeft, {}, 5, 5);
}

TEST_F(ButtonPaint, FlatShowsItsBorderOnlyUnderThePointer) {
  A->SetFlat(true);
  Render(A);
  EXPECT_EQ(At(0, 0), Rgb(clBtnFace));
  EXPECT_EQ(At(39, 23), Rgb(clBtnFace));
  sim::MouseEnter(A);
  Render(A);
  EXPECT_EQ(At(0, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(At(39, 23), Rgb(clBtnShadow));
}

TEST_F(ButtonPaint, DisabledCaptionIsEngraved) {
  A->SetCaption(u"Wm");
  A->Font()->SetQuality(fqNonAntialiased);
  A->Font()->SetColor(clBlack);
  Render(A);
  EXPECT_GT(Count(clBlack), 10);
  EXPECT_EQ(Count(0x808080), 0);
  A->SetEnabled(false);
  Render(A);
  EXPECT_EQ(Count(clBlack), 0);
  EXPECT_GT(Count(0x808080), 10);
  // The white copy lies one pixel right and down of the gray one: the gray
  // pixel at the bottom-right end of every run has white below-right of it.
  int Engraved = 0;
  for (int Y = 2; Y < 21; ++Y) {
    for (int X = 2; X < 37; ++X) {
      if (At(X, Y) == 0x808080 && At(X + 1, Y + 1) == clWhite) ++Engraved;
    }
  }
  EXPECT_GT(Engraved, 3);
}

TEST_F(ButtonPaint, GlyphSkipsItsTransparentColourAndUsesTheStateCell) {
  // Two 8x8 cells: up (a blue square on red) and disabled (green on red).
  TBitmap G(16, 8);
  G.Canvas()->Brush()->SetColor(clRed);
  G.Canvas()->FillRect(TRect{0, 0, 16, 8});
  G.Canvas()->Brush()->SetColor(clBlue);
  G.Canvas()->FillRect(TRect{2, 2, 6, 6});
  G.Canvas()->Brush()->SetColor(clLime);
  G.Canvas()->FillRect(TRect{10, 2, 14, 6});
  A->SetGlyph(&G);
  EXPECT_EQ(A->NumGlyphs(), 2);
  Render(A);
  EXPECT_EQ(Count(clRed), 0);
  EXPECT_EQ(Count(clBlue), 16);
  EXPECT_EQ(Count(clLime), 0);
  A->SetEnabled(false);
  Render(A);
  EXPECT_EQ(Count(clBlue), 0);
  EXPECT_EQ(Count(clLime), 16);
}

TEST_F(ButtonPaint, GlyphLeftOfCaptionAndPressedContentShifts) {
  TBitmap G(8, 8);
  G.Canvas()->Brush()->SetColor(clRed);
  G.Canvas()->FillRect(TRect{0, 0, 8, 8});
  G.Canvas()->Brush()->SetColor(clBlue);
  G.Canvas()->FillRect(TRect{0, 0, 8, 7});
  A->SetGlyph(&G);
  A->SetMargin(3);
  Render(A);
  // Glyph at the margin, centred vertically: (24 - 8 + 1) / 2 = 8.
  EXPECT_EQ(At(3, 8), clBlue);
  EXPECT_NE(At(2, 8), clBlue);
  EXPECT_NE(At(3, 7), clBlue);
  sim::MouseDown(A, mbLeft, {}, 5, 5);
  Render(A);
  EXPECT_EQ(At(4, 9), clBlue);
  EXPECT_NE(At(3, 8), clBlue);
  sim::MouseUp(A, mbLeft, {}, 5, 5);
}

}  // namespace
}  // namespace orv

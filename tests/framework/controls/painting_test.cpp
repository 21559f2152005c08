#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/application.h"
#include "framework/graphics/colors.h"
#include "test_helpers.h"

namespace orv {
namespace {

using testing::SurfacePixel;
using testing::TBox;
using testing::TPanelBox;

constexpr TColor Red = 0x0000FF;
constexpr TColor Green = 0x00FF00;
constexpr TColor Blue = 0xFF0000;
constexpr TColor Gray = 0x808080;

struct PaintFixture : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  void SetUp() override {
    Form->SetBounds(0, 0, 100, 80);
    Form->SetColor(Gray);
  }
};

TEST_F(PaintFixture, PaintPassFillsTheBackgroundThenChildrenBackToFront) {
  auto* Back = new TBox(Form.get());
  Back->SetParent(Form.get());
  Back->SetBounds(10, 10, 30, 30);
  Back->SetColor(Red);
  auto* Front = new TBox(Form.get());
  Front->SetParent(Form.get());
  Front->SetBounds(20, 20, 30, 30);
  Front->SetColor(Green);
  Form->Show();
  EXPECT_EQ(SurfacePixel(Form.get(), 5, 5), Gray);
  EXPECT_EQ(SurfacePixel(Form.get(), 15, 15), Red);
  EXPECT_EQ(SurfacePixel(Form.get(), 25, 25), Green);  // overlap: the later one wins
  EXPECT_EQ(SurfacePixel(Form.get(), 49, 49), Green);
  EXPECT_EQ(SurfacePixel(Form.get(), 50, 50), Gray);  // right/bottom exclusive

  Back->BringToFront();
  Form->PaintPending();
  EXPECT_EQ(SurfacePixel(Form.get(), 25, 25), Red);
}

TEST_F(PaintFixture, ChildNeverPaintsOutsideItselfOrItsParent) {
  auto* Panel = new TPanelBox(Form.get());
  Panel->SetParent(Form.get());
  Panel->SetBounds(10, 10, 40, 40);
  Panel->SetColor(Blue);
  // A child that paints far beyond its own rectangle and beyond the panel.
  struct TGreedy : TGraphicControl {
    using TGraphicControl::TGraphicControl;
    void Paint() override {
      Canvas()->Brush()->SetColor(Red);
      Canvas()->FillRect(TRect{-100, -100, 500, 500});
    }
  };
  auto* Child = new TGreedy(Form.get());
  Child->SetParent(Panel);
  Child->SetBounds(30, 30, 50, 50);  // reaches past the panel's right and bottom
  Form->Show();
  EXPECT_EQ(SurfacePixel(Form.get(), 39, 39), Blue);   // panel, outside the child
  EXPECT_EQ(SurfacePixel(Form.get(), 40, 40), Red);    // the child's first pixel
  EXPECT_EQ(SurfacePixel(Form.get(), 49, 49), Red);    // the panel's last pixel
  EXPECT_EQ(SurfacePixel(Form.get(), 50, 50), Gray);   // outside the panel
  EXPECT_EQ(SurfacePixel(Form.get(), 60, 45), Gray);
  EXPECT_EQ(SurfacePixel(Form.get(), 5, 5), Gray);

  // Painting directly (as property setters do) keeps the same clip.
  Form->Surface()->Canvas()->Brush()->SetColor(Gray);
  Form->Surface()->Canvas()->FillRect(TRect{0, 0, 100, 80});
  Child->Paint();
  EXPECT_EQ(SurfacePixel(Form.get(), 45, 45), Red);
  EXPECT_EQ(SurfacePixel(Form.get(), 39, 45), Gray);
  EXPECT_EQ(SurfacePixel(Form.get(), 55, 45), Gray);
}

TEST_F(PaintFixture, InvalidateAndUpdateRepaintOnlyDirtyAreas) {
  auto* A = new TBox(Form.get());
  A->SetParent(Form.get());
  A->SetBounds(0, 0, 20, 20);
  A->SetColor(Red);
  auto* B = new TBox(Form.get());
  B->SetParent(Form.get());
  B->SetBounds(50, 50, 20, 20);
  B->SetColor(Green);
  Form->Show();
  const int APaints = A->PaintCount;
  const int BPaints = B->PaintCount;
  ASSERT_GT(APaints, 0);

  // Scribble on both; only the invalidated one gets repainted.
  Form->Surface()->Canvas()->Brush()->SetColor(Blue);
  Form->Surface()->Canvas()->FillRect(TRect{0, 0, 100, 80});
  A->Invalidate();
  EXPECT_EQ(A->PaintCount, APaints);  // nothing painted before the paint pass
  A->Update();
  EXPECT_EQ(A->PaintCount, APaints + 1);
  EXPECT_EQ(B->PaintCount, BPaints);
  EXPECT_EQ(SurfacePixel(Form.get(), 10, 10), Red);
  EXPECT_EQ(SurfacePixel(Form.get(), 30, 30), Blue);  // form background outside the dirty area untouched
  EXPECT_EQ(SurfacePixel(Form.get(), 60, 60), Blue);
  EXPECT_TRUE(Form->DirtyRects().empty());

  // Hidden controls neither paint nor leave their pixels behind.
  B->Hide();
  Form->PaintPending();
  EXPECT_EQ(SurfacePixel(Form.get(), 60, 60), Gray);
  EXPECT_EQ(B->PaintCount, BPaints);
}

TEST_F(PaintFixture, PaintToRendersTheTreeAtAnOffset) {
  auto* Panel = new TPanelBox(Form.get());
  Panel->SetParent(Form.get());
  Panel->SetBounds(30, 30, 20, 20);
  Panel->SetColor(Blue);
  auto* Child = new TBox(Form.get());
  Child->SetParent(Panel);
  Child->SetBounds(5, 5, 5, 5);
  Child->SetColor(Red);

  TBitmap Off(40, 40);
  Panel->PaintTo(Off.Canvas(), 10, 8);
  auto Px = [&](int X, int Y) { return PixelToColor(Off.ScanLine(Y)[X]); };
  EXPECT_EQ(Px(9, 8), 0xFFFFFFu);  // left of the panel: untouched white
  EXPECT_EQ(Px(10, 8), Blue);
  EXPECT_EQ(Px(29, 27), Blue);
  EXPECT_EQ(Px(30, 28), 0xFFFFFFu);
  EXPECT_EQ(Px(15, 13), Red);  // child at 10+5, 8+5
  EXPECT_EQ(Px(19, 17), Red);
  EXPECT_EQ(Px(20, 18), Blue);
  // The form surface was not drawn on, and the control's own canvas points
  // back at the form afterwards.
  Form->Show();
  Child->SetColor(Green);
  Child->Repaint();
  EXPECT_EQ(SurfacePixel(Form.get(), 36, 36), Green);
  EXPECT_EQ(Px(16, 14), Red);
}

TEST(PaintWithoutForm, ControlsOffAnyFormPaintNothingAndDoNotCrash) {
  TBox Box(nullptr);
  Box.SetBounds(0, 0, 10, 10);
  Box.Invalidate();
  Box.Update();
  Box.Canvas()->FillRect(TRect{0, 0, 10, 10});
  TBitmap Off(10, 10);
  Box.SetColor(Red);
  Box.PaintTo(Off.Canvas(), 0, 0);
  EXPECT_EQ(PixelToColor(Off.ScanLine(5)[5]), Red);
}

TEST(PaintWithoutForm, PaintingIntoShortLivedBitmapsOneAfterAnother) {
  // The control's canvas must not keep pointing at a bitmap that is gone.
  TBox Box(nullptr);
  Box.SetBounds(0, 0, 10, 10);
  for (TColor Color : {Red, Green, Blue}) {
    Box.SetColor(Color);
    auto Off = std::make_unique<TBitmap>(10, 10);
    Box.PaintTo(Off->Canvas(), 0, 0);
    EXPECT_EQ(PixelToColor(Off->ScanLine(5)[5]), Color);
  }
}

}  // namespace
}  // namespace orv

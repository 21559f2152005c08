// TThumbnails: layout and scroll position, the image-request protocol and
// what each answer draws, hit testing, selection and focus tracking.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"
#include "thumbnails/thumbnails.h"

namespace orv {
namespace {

// A form with a thumbnail sheet of 290 x 400: two columns (pitch 136), cells
// 134 pixels square, the first row at y = 12.
struct ThumbsTest : ::testing::Test {
  std::unique_ptr<TForm> Form;
  TThumbnails* T = nullptr;
  std::vector<int> Requested;
  TImageRequestProcessing Answer = irpShowEmpty;
  int Mark = -1;
  TBitmap* Picture = nullptr;

  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 400, 500);
    T = new TThumbnails(Form.get());
    T->SetParent(Form.get());
    T->SetBounds(0, 0, 290, 400);
    T->SetOnImageRequest([this](TObject*, int Id, TImageRequestProcessing& How, int& MarkIt, TBitmap*& Img) {
      Requested.push_back(Id);
      How = Answer;
      MarkIt = Mark;
      if (Picture != nullptr) Img = Picture;
    });
  }
  std::unique_ptr<TBitmap> Render() {
    Requested.clear();
    auto Shot = std::make_unique<TBitmap>(T->Width(), T->Height());
    T->PaintTo(Shot->Canvas(), 0, 0);
    T->Canvas();  // aim the canvas back at the form before the sheet goes
    return Shot;
  }
};

TColor At(const std::unique_ptr<TBitmap>& B, int X, int Y) { return B->Canvas()->Pixels(X, Y); }

TEST_F(ThumbsTest, ColumnsFollowTheWidth) {
  TThumbnails Loose(nullptr);
  EXPECT_EQ(Loose.NumSlidesHoriz(), 2);
  EXPECT_EQ(Loose.NumSlidesVert(), 0);
  T->SetWidth(260);
  Render();
  EXPECT_EQ(T->NumSlidesHoriz(), 1);
  EXPECT_EQ(T->NumSlidesVert(), 3);
  T->SetWidth(290);
  Render();
  EXPECT_EQ(T->NumSlidesHoriz(), 2);
}

TEST_F(ThumbsTest, FirstThumbIdxMovesTheRowToTheTop) {
  Render();
  T->SetFirstThumbIdx(6);
  EXPECT_DOUBLE_EQ(T->FirstThumbIdx(), 5.5);
  int X = 0, Y = 0;
  T->CalcSlidePos(5, X, Y);
  EXPECT_EQ(X, 10);
  EXPECT_EQ(Y, 2 - 68 + 10);
  T->CalcSlidePos(8, X, Y);
  EXPECT_EQ(X, 146);
  EXPECT_EQ(Y, 136 + 2 - 68 + 10);
  EXPECT_EQ(T->CalcSlideIndex(50, 100), 7);
  T->SetFirstThumbIdx(-3);
  EXPECT_DOUBLE_EQ(T->FirstThumbIdx(), 1.0);
  T->SetFirstThumbIdx(1000);
  EXPECT_DOUBLE_EQ(T->FirstThumbIdx(), 99.5);
}

TEST_F(ThumbsTest, OnlySlidesInViewAreRequestedColumnByColumn) {
  int First = 0, Last = 0;
  T->SetOnFirstImageRequest([&](TObject*) { ++First; });
  T->SetOnLastImageRequest([&](TObject*) { ++Last; });
  Render();
  EXPECT_EQ(Requested, (std::vector<int>{1, 3, 5, 2, 4, 6}));
  EXPECT_EQ(First, 1);
  EXPECT_EQ(Last, 1);
  T->SetMax(100000);
  T->SetFirstThumbIdx(50000);
  Render();
  EXPECT_EQ(Requested, (std::vector<int>{49999, 50001, 50003, 50000, 50002, 50004}));
  T->SetMax(3);
  Render();
  EXPECT_EQ(Requested, (std::vector<int>{3})) << "slides past Max are skipped";
}

TEST_F(ThumbsTest, EmptyAnswerDrawsANumberedPlaceholder) {
  auto Shot = Render();
  EXPECT_EQ(At(Shot, 13, 25), 0xC0C0C0) << "cover";
  EXPECT_EQ(At(Shot, 17, 39), 0x000000) << "placeholder outline";
  EXPECT_EQ(At(Shot, 20, 45), 0xFFFFFF) << "placeholder";
  int Dark = 0;
  for (int Y = 70; Y < 90; ++Y)
    for (int X = 60; X < 95; ++X) Dark += At(Shot, X, Y) != 0xFFFFFF;
  EXPECT_GT(Dark, 5) << "the slide number";
  // Raised cell frame: highlight top-left, dark... shadow bottom-right.
  EXPECT_EQ(At(Shot, 40, 12), 0xFFFFFF);
  EXPECT_EQ(At(Shot, 40, 146), 0x808080);
  // Lowered control frame on (0, 0)..(W - 2, H - 2).
  EXPECT_EQ(At(Shot, 100, 0), 0x808080);
  EXPECT_EQ(At(Shot, 100, 398), 0xFFFFFF);

  Answer = irpShowNothing;
  Shot = Render();
  EXPECT_EQ(At(Shot, 13, 25), ColorToRGB(clBtnFace));
  Answer = irpShowFrameOnly;
  Mark = 0;
  T->SetColorMark(0x0000FF);
  Shot = Render();
  EXPECT_EQ(At(Shot, 20, 45), 0xC0C0C0) << "nothing inside";
  EXPECT_EQ(At(Shot, 20, 24), 0x0000FF) << "mark 0, a dot at (x + 10, y + 12)";
}

TEST_F(ThumbsTest, PicturesKeepTheirAspectAndStayTheOwners) {
  TBitmap Wide(200, 100);
  Wide.Canvas()->Brush()->SetColor(0x0000FF);
  Wide.Canvas()->FillRect(TRect{0, 0, 200, 100});
  Picture = &Wide;  // the handler's own bitmap: it must survive the paint
  Answer = irpShowSlide;
  auto Shot = Render();
  // 120 x 60, centred vertically: (17, 49)..(136, 108), a lowered frame around it.
  EXPECT_EQ(At(Shot, 17, 49), 0x0000FF);
  EXPECT_EQ(At(Shot, 136, 108), 0x0000FF);
  EXPECT_EQ(At(Shot, 60, 48), 0x808080);
  EXPECT_EQ(At(Shot, 60, 109), 0xFFFFFF);
  EXPECT_EQ(At(Shot, 60, 111), 0xC0C0C0);
  EXPECT_EQ(Wide.Width(), 200);

  TBitmap Tall(50, 100);
  Tall.Canvas()->Brush()->SetColor(0x00FF00);
  Tall.Canvas()->FillRect(TRect{0, 0, 50, 100});
  Picture = &Tall;
  T->SetAntiAlias(true);
  Shot = Render();
  // 60 x 120, centred horizontally: (47, 19)..(106, 138).
  EXPECT_EQ(At(Shot, 47, 19), 0x00FF00);
  EXPECT_EQ(At(Shot, 106, 138), 0x00FF00);
  EXPECT_EQ(At(Shot, 45, 60), 0xC0C0C0);

  // The buffer the control hands out may be filled by the handler too.
  Picture = nullptr;
  T->SetOnImageRequest([](TObject*, int, TImageRequestProcessing& How, int&, TBitmap*& Img) {
    How = irpShowSlide;
    Img->SetSize(10, 10);
    Img->Canvas()->Brush()->SetColor(0xFF0000);
    Img->Canvas()->FillRect(TRect{0, 0, 10, 10});
  });
  Shot = Render();
  EXPECT_EQ(At(Shot, 70, 70), 0xFF0000);
}

TEST_F(ThumbsTest, ClicksSelectAndReportSlides) {
  std::vector<int> Clicked;
  T->SetOnImageClick([&](TObject*, int, int, int Id) { Clicked.push_back(Id); });
  Render();
  sim::Click(T, 50, 160);  // column 1, row 2
  EXPECT_TRUE(T->SlideSelected(3));
  EXPECT_EQ(T->FirstSelectedSlide(), 3);
  EXPECT_EQ(T->NumSlidesSelected(), 1);
  auto Shot = Render();
  EXPECT_EQ(At(Shot, 13, 160), 0x800000) << "selected fill";
  sim::Click(T, 200, 160);
  EXPECT_FALSE(T->SlideSelected(3));
  EXPECT_TRUE(T->SlideSelected(4));
  sim::Click(T, 145, 50);  // the gap between the columns
  EXPECT_EQ(T->NumSlidesSelected(), 0);
  EXPECT_EQ(T->FirstSelectedSlide(), 0);
  EXPECT_EQ(Clicked, (std::vector<int>{3, 4, 0}));

  T->SetSlideSelectMode(ssmDisabled);
  sim::Click(T, 50, 50);
  EXPECT_EQ(T->NumSlidesSelected(), 0);

  T->SetSlideSelectMode(ssmMultiple);
  sim::Click(T, 50, 50);                                    // 1 alone
  sim::MouseDown(T, mbLeft, TShiftState{ssCtrl}, 200, 50);  // Ctrl: 2 added
  sim::MouseUp(T, mbLeft, TShiftState{ssCtrl}, 200, 50);
  sim::MouseDown(T, mbLeft, TShiftState{ssShift}, 200, 300);  // Shift: 2..6
  sim::MouseUp(T, mbLeft, TShiftState{ssShift}, 200, 300);
  EXPECT_EQ(T->NumSlidesSelected(), 6);
  sim::MouseDown(T, mbLeft, TShiftState{ssCtrl}, 50, 50);  // Ctrl again: 1 off
  sim::MouseUp(T, mbLeft, TShiftState{ssCtrl}, 50, 50);
  EXPECT_EQ(T->FirstSelectedSlide(), 2);
  sim::Click(T, 50, 160);
  EXPECT_EQ(T->NumSlidesSelected(), 1);
  T->SetSlideSelectMode(ssmSingle);
  EXPECT_EQ(T->NumSlidesSelected(), 0) << "a new mode starts without selection";

  int Dbl = -1;
  T->SetOnImageDblClick([&](TObject*, int, int, int Id) { Dbl = Id; });
  sim::DblClick(T, 200, 300);
  EXPECT_EQ(Dbl, 6);
}

TEST_F(ThumbsTest, FocusFollowsTheMouse) {
  int Changes = 0;
  T->SetOnFocusChange([&](TObject*) { ++Changes; });
  Form->Repaint();
  sim::MouseMove(T, TShiftState{}, 50, 50);
  EXPECT_EQ(T->FocusedSlide(), 1);
  sim::MouseMove(T, TShiftState{}, 60, 60);
  EXPECT_EQ(Changes, 1);
  sim::MouseMove(T, TShiftState{}, 145, 60);
  EXPECT_EQ(T->FocusedSlide(), 0);
  EXPECT_EQ(Changes, 2);
  T->SetFocusLinewidth(0);
  sim::MouseMove(T, TShiftState{}, 50, 50);
  EXPECT_EQ(T->FocusedSlide(), 0);
  T->SetFocusLinewidth(25);
  EXPECT_EQ(T->FocusLinewidth(), 10);
}

TEST(ThumbsLimits, SizesAndRangesAreClamped) {
  TThumbnails T(nullptr);
  T.SetSlideSize(10);
  EXPECT_EQ(T.SlideSize(), 50);
  T.SetSlideSize(1000);
  EXPECT_EQ(T.SlideSize(), 260);
  T.SetSlideDistance(-5);
  EXPECT_EQ(T.SlideDistance(), 0);
  T.SetSlideMargin(500);
  EXPECT_EQ(T.SlideMargin(), 100);
  T.SetMax(0);
  EXPECT_EQ(T.Max(), 1);
  T.SetMin(-4);
  EXPECT_EQ(T.Min(), 1);
  // A selection bit per slide, for the whole range.
  T.SetMax(300);
  T.SetSlideSelected(300, true);
  T.SetSlideSelected(301, true);
  EXPECT_TRUE(T.SlideSelected(300));
  EXPECT_FALSE(T.SlideSelected(301));
  EXPECT_EQ(T.NumSlidesSelected(), 1);
  T.SetMin(400);  // above Max: an empty sheet
  EXPECT_EQ(T.NumSlidesSelected(), 0);
  T.SetFirstThumbIdx(10);
  EXPECT_DOUBLE_EQ(T.FirstThumbIdx(), 400.0);
}

TEST(ThumbsAssign, CopiesLayoutButNotSelectionOrMark) {
  TThumbnails A(nullptr), B(nullptr);
  A.SetMax(40);
  A.SetSlideSize(80);
  A.SetColorMark(0x00FF00);
  A.SetSlideSelected(3, true);
  A.SetSlideSelectMode(ssmMultiple);
  B.Assign(&A);
  EXPECT_EQ(B.Max(), 40);
  EXPECT_EQ(B.SlideSize(), 80);
  EXPECT_EQ(B.ColorMark(), 0x000000);
  EXPECT_EQ(B.SlideSelectMode(), ssmSingle);
  EXPECT_EQ(B.NumSlidesSelected(), 0);
  B.SetSlideSelected(40, true);
  EXPECT_TRUE(B.SlideSelected(40));
}

}  // namespace
}  // namespace orv

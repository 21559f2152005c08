// TMarkSel: defaults and setter limits, grid placement with hidden symbols,
// visibility accessors at any index, painting of the selection, the
// highlight under the pointer, and selection by click and double click.

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"
#include "marksel/marksel.h"

namespace orv {
namespace {

// A form with one selector at (0, 0), default size; paints are counted.
struct MarkSelTest : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TMarkSel* Sel = nullptr;
  int Paints = 0;

  void SetUp() override {
    Form->SetBounds(0, 0, 300, 200);
    Sel = new TMarkSel(Form.get());
    Sel->SetParent(Form.get());
    Sel->SetOnPaint([this](TObject*) { ++Paints; });
  }
  std::unique_ptr<TBitmap> Render() {
    auto Bmp = std::make_unique<TBitmap>(Sel->Width(), Sel->Height());
    Sel->PaintTo(Bmp->Canvas(), 0, 0);
    Sel->Canvas();
    return Bmp;
  }
  // The form surface, where the highlight is drawn.
  TColor Surface(int X, int Y) { return Sel->Canvas()->Pixels(X, Y); }
};

TEST_F(MarkSelTest, DefaultsAndSetterLimits) {
  EXPECT_EQ(Sel->Width(), 236);
  EXPECT_EQ(Sel->Height(), 178);
  EXPECT_EQ(Sel->NrOfColumns(), 8);
  EXPECT_EQ(Sel->NrOfRows(), 6);
  EXPECT_EQ(Sel->Selected(), -1);
  EXPECT_TRUE(Sel->ShowZeroAsCross());
  EXPECT_EQ(Sel->ColorSelFG(), 0x800000u);
  EXPECT_EQ(Sel->ColorBackGnd(), clBtnFace);
  EXPECT_EQ(Sel->FrameStyle(), fsEngraved);
  EXPECT_EQ(Sel->HighLighted(), 0);
  for (int V : {0, 52, -3}) {
    Sel->SetNrOfColumns(V);
    Sel->SetNrOfRows(V);
  }
  EXPECT_EQ(Sel->NrOfColumns(), 8);
  EXPECT_EQ(Sel->NrOfRows(), 6);
  Sel->SetSelected(52);
  EXPECT_EQ(Sel->Selected(), -1);
  Sel->SetSelected(51);
  EXPECT_EQ(Sel->Selected(), 51);
  Sel->SetSelected(-1);
  EXPECT_EQ(Sel->Selected(), -1);
}

// Cells are (236 - 4) div 8 = 29 wide and (178 - 4) div 6 = 29 high.
TEST_F(MarkSelTest, VisibleSymbolsFillTheGridRowByRow) {
  Render();
  EXPECT_EQ(Sel->MarkCoord(0), (TPoint{14, 14}));
  EXPECT_EQ(Sel->MarkCoord(9), (TPoint{14 + 29, 14 + 29}));
  EXPECT_EQ(Sel->MarkCoord(51), (TPoint{14 + 3 * 29, 14 + 6 * 29}));  // below the bottom edge
  Sel->SetVis(3, false);
  EXPECT_EQ(Sel->MarkCoord(4), (TPoint{14 + 3 * 29, 14}));
  Sel->HideAllMarks();
  EXPECT_TRUE(Sel->GetVis(0));
  EXPECT_FALSE(Sel->GetVis(1));
  EXPECT_EQ(Sel->MarkCoord(0), (TPoint{14, 14}));
  Sel->ShowAllMarks();
  EXPECT_TRUE(Sel->GetVis(51));
}

TEST_F(MarkSelTest, VisibilityIgnoresIndicesOutOfRange) {
  Render();
  const int Before = Paints;
  for (int I : {0, -1, 52, INT_MIN, INT_MAX}) Sel->SetVis(I, false);
  EXPECT_EQ(Paints, Before);
  for (int I : {0, -1, 52, INT_MIN, INT_MAX}) EXPECT_TRUE(Sel->GetVis(I)) << I;
  Sel->HideAllMarks();
  EXPECT_TRUE(Sel->GetVis(INT_MAX));  // reads symbol 0
  EXPECT_EQ(Sel->MarkCoord(INT_MIN), (TPoint{0, 0}));
}

TEST_F(MarkSelTest, SelectedCellAndSymbolsInTheirColours) {
  Sel->SetSelected(9);  // cell (x + 3 - 14, y + 3 - 14) .. (x + 3 + 14, y + 3 + 14) at (43, 43)
  auto Shot = Render();
  EXPECT_EQ(Shot->Canvas()->Pixels(33, 40), 0xFFFFFFu);          // selected cell inside
  EXPECT_EQ(Shot->Canvas()->Pixels(32, 40), 0x800000u);          // its outline
  EXPECT_EQ(Shot->Canvas()->Pixels(45, 45), 0x800000u);          // symbol 9, a plus, at (x + 2, y + 2)
  EXPECT_EQ(Shot->Canvas()->Pixels(14 + 29 * 2 + 2, 14 + 29 + 2), 0x000000u);  // symbol 10 in the mark colour
  EXPECT_EQ(Shot->Canvas()->Pixels(80, 20), ColorToRGB(clBtnFace));
  // The cross of symbol 0 from (4, 4) towards (30, 30).
  EXPECT_EQ(Shot->Canvas()->Pixels(10, 10), 0x000000u);
  Sel->SetEnabled(false);
  Shot = Render();
  EXPECT_EQ(Shot->Canvas()->Pixels(10, 10), 0x808080u);
  EXPECT_EQ(Shot->Canvas()->Pixels(33, 40), 0xDEDEDEu);
  EXPECT_EQ(Shot->Canvas()->Pixels(80, 20), 0xC0C0C0u);
}

TEST_F(MarkSelTest, PointerHighlightsTheNearestVisibleSymbol) {
  Render();
  sim::MouseMove(Sel, TShiftState{}, 14 + 29 + 10, 14 + 3);  // nearer to symbol 1 than 2
  EXPECT_EQ(Sel->HighLighted(), 1);
  // Highlight cell (x + 4 - 14, y + 4 - 14) .. (x + 2 + 14, y + 2 + 14): red.
  EXPECT_EQ(Surface(14 + 29 - 10 + 1, 14 - 10 + 1), 0x0000FFu);
  Sel->SetVis(1, false);
  Render();
  sim::MouseMove(Sel, TShiftState{}, 14 + 29 + 10, 14 + 3);
  EXPECT_EQ(Sel->HighLighted(), 2);
  // Equal distance to symbols 2 and 3 (now in cells 1 and 2): the lower wins.
  sim::MouseMove(Sel, TShiftState{}, 14 + 29 + 14, 14);
  EXPECT_EQ(Sel->HighLighted(), 2);
  sim::MouseMove(Sel, TShiftState{}, 14 + 29 + 15, 14);
  EXPECT_EQ(Sel->HighLighted(), 3);
  // The cell left behind is restored.
  EXPECT_EQ(Surface(14 + 29 - 10 + 1, 14 - 10 + 1), ColorToRGB(clBtnFace));
}

TEST_F(MarkSelTest, ClicksSelectAndReport) {
  Render();
  std::vector<TPoint> Where;
  std::vector<int> Clicks, Doubles;
  Sel->SetOnMarkClick([&](TObject* Sender, int X, int Y, int Mark) {
    EXPECT_EQ(Sender, Sel);
    Where.push_back(TPoint{X, Y});
    Clicks.push_back(Mark);
  });
  Sel->SetOnMarkDblClick([&](TObject*, int, int, int Mark) { Doubles.push_back(Mark); });
  sim::Click(Sel, 14 + 2 * 29, 170);
  EXPECT_EQ(Sel->Selected(), 42);
  // Symbol 50 lies below the bottom edge, yet is the nearest here.
  sim::Click(Sel, 14 + 2 * 29, 177);
  EXPECT_EQ(Sel->Selected(), 50);
  EXPECT_EQ(Clicks, (std::vector<int>{42, 50}));
  EXPECT_EQ(Where[1], (TPoint{14 + 2 * 29, 177}));
  EXPECT_EQ(Sel->HighLighted(), 50);
  Clicks.clear();
  sim::DblClick(Sel, 14, 14);
  EXPECT_EQ(Sel->Selected(), 0);
  EXPECT_EQ(Doubles, (std::vector<int>{0}));
  EXPECT_FALSE(Clicks.empty());
  // Other buttons select nothing.
  sim::MouseDown(Sel, mbRight, TShiftState{}, 100, 100);
  sim::MouseUp(Sel, mbRight, TShiftState{}, 100, 100);
  EXPECT_EQ(Sel->Selected(), 0);
}

}  // namespace
}  // namespace orv

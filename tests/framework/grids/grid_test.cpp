// The grid family on its own: geometry, painting only what is in view,
// keyboard and mouse navigation, column sizing, scroll bars and the
// in-place editors.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <utility>

#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "framework/grids/grids.h"
#include "framework/grids/inplaceedit.h"

namespace orv {
namespace {

// 10 columns of 50 px, 1000 rows of 20 px, one fixed row and column, on a
// 300 x 200 grid; each painted cell is filled with a colour made of its
// coordinates and logged.
struct GridTest : ::testing::Test {
  std::unique_ptr<TForm> Form;
  TDrawGrid* G = nullptr;
  std::vector<std::pair<int, int>> Painted;
  std::map<std::pair<int, int>, TGridDrawState> States;
  std::map<std::pair<int, int>, String> Texts;

  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 400, 300);
    G = new TDrawGrid(Form.get());
    G->SetParent(Form.get());
    G->SetBounds(10, 10, 300, 200);
    G->SetColCount(10);
    G->SetRowCount(1000);
    G->SetDefaultColWidth(50);
    G->SetDefaultRowHeight(20);
    G->SetOnDrawCell([this](TObject*, int C, int R, const TRect& Rect, TGridDrawState S) {
      Painted.emplace_back(C, R);
      States[{C, R}] = S;
      G->Canvas()->Brush()->SetColor(static_cast<TColor>(C * 0x10 + (R % 200) * 0x100));
      G->Canvas()->FillRect(Rect);
    });
    G->SetOnGetEditText([this](TObject*, int C, int R, String& V) { V = Texts[{C, R}]; });
    G->SetOnSetEditText([this](TObject*, int C, int R, const String& V) { Texts[{C, R}] = V; });
    Form->Show();
  }
  void Paint() {
    Painted.clear();
    Pixels.SetSize(300, 200);
    G->PaintTo(Pixels.Canvas(), 0, 0);
  }
  TColor At(int X, int Y) { return Pixels.Canvas()->Pixels(X, Y); }
  TBitmap Pixels;
  TGridDrawState St(int C, int R) { return States[std::make_pair(C, R)]; }
};

TEST_F(GridTest, CellGeometryFollowsFixedAreaAndScrolling) {
  EXPECT_EQ(G->CellRect(0, 0), (TRect{0, 0, 50, 20}));
  EXPECT_EQ(G->CellRect(2, 3), (TRect{102, 63, 152, 83}));
  EXPECT_EQ(G->MouseCoord(102, 63), (TGridCoord{2, 3}));
  EXPECT_EQ(G->MouseCoord(101, 62), (TGridCoord{1, 2}));  // the grid lines belong to the cell before
  G->SetTopRow(10);
  G->SetLeftCol(3);
  EXPECT_EQ(G->CellRect(3, 10), (TRect{51, 21, 101, 41}));
  EXPECT_TRUE(G->CellRect(1, 10).IsEmpty());  // scrolled out
  EXPECT_EQ(G->MouseCoord(60, 25), (TGridCoord{3, 10}));
  EXPECT_EQ(G->MouseCoord(20, 25), (TGridCoord{0, 10}));
  // Hidden columns take no room; the vertical scroll bar narrows the cells.
  G->SetColWidths(4, -1);
  EXPECT_EQ(G->MouseCoord(102, 25), (TGridCoord{5, 10}));
  EXPECT_EQ(G->ClientRect(), (TRect{0, 0, 300 - TCustomGrid::ScrollBarSize, 200 - TCustomGrid::ScrollBarSize}));
  EXPECT_EQ(G->MouseCoord(290, 25).X, -1);
  // The view never scrolls past the last full page.
  G->SetTopRow(5000);
  EXPECT_EQ(G->TopRow(), 1000 - G->VisibleRowCount());
  EXPECT_EQ(G->VisibleRowCount(), (200 - 16 - 21) / 21);
}

TEST_F(GridTest, PaintsOnlyTheCellsInViewWithTheirState) {
  G->SetTopRow(500);
  Paint();
  // 6 columns (5 whole, one cut) by 9 rows (8 whole + 1 cut, plus the fixed row).
  const std::set<std::pair<int, int>> Seen(Painted.begin(), Painted.end());
  EXPECT_EQ(Seen.size(), Painted.size());
  EXPECT_EQ(Painted.size(), 6u * 9u);
  EXPECT_TRUE(Seen.count({0, 0}) && Seen.count({5, 507}));
  EXPECT_FALSE(Seen.count({1, 1}) || Seen.count({6, 500}) || Seen.count({1, 508}));
  EXPECT_TRUE(St(0, 500).Contains(gdFixed));
  EXPECT_FALSE(St(2, 500).Contains(gdFixed));
  // What the handler drew lands in the cell; the grid line right of it stays.
  const TRect R = G->CellRect(2, 501);
  EXPECT_EQ(At(R.Left, R.Top), static_cast<TColor>(2 * 0x10 + (501 % 200) * 0x100));
  EXPECT_EQ(At(R.Right, R.Top), clSilver);
  EXPECT_EQ(At(50, 5), clBlack);  // fixed line

  G->SetRow(502);
  G->SetCol(3);
  Paint();
  EXPECT_TRUE(St(3, 502).Contains(gdFocused));
  EXPECT_FALSE(St(3, 502).Contains(gdSelected));
  G->SetOptions(G->Options() + TGridOptions{goRowSelect});
  Paint();
  EXPECT_TRUE(St(1, 502).Contains(gdSelected));
  EXPECT_TRUE(St(3, 502).Contains(gdSelected));
  EXPECT_FALSE(St(1, 503).Contains(gdSelected));
}

// A paint leaves nothing of what the surface held before: cells, lines and
// the grid's colour cover the client area, whichever lines and drawing are
// switched off and whatever columns are hidden or empty.
TEST_F(GridTest, PaintCoversTheWholeClientArea) {
  G->SetOnDrawCell(nullptr);
  G->SetColCount(5);
  G->SetRowCount(6);
  G->SetColWidths(2, -1);
  G->SetColWidths(3, 0);
  G->SetColor(clYellow);
  const TGridOptions All = G->Options();
  struct TCase {
    TGridOptions Options;
    bool DefaultDrawing;
    int LineWidth;
  } Cases[] = {{All, true, 1},
               {All - TGridOptions{goVertLine}, true, 1},
               {All - TGridOptions{goFixedHorzLine}, true, 2},
               {All, false, 1},
               {All, true, 0}};
  for (const TCase& Case : Cases) {
    G->SetOptions(Case.Options);
    G->SetDefaultDrawing(Case.DefaultDrawing);
    G->SetGridLineWidth(Case.LineWidth);
    Pixels.SetSize(300, 200);
    Pixels.Canvas()->Brush()->SetColor(clFuchsia);
    Pixels.Canvas()->FillRect(TRect{0, 0, 300, 200});
    G->PaintTo(Pixels.Canvas(), 0, 0);
    const int Span = 50 + Case.LineWidth;
    int Stale = 0;
    for (int Y = 0; Y < 200; ++Y)
      for (int X = 0; X < 300; ++X) Stale += At(X, Y) == clFuchsia;
    EXPECT_EQ(Stale, 0) << Case.LineWidth;
    // Four columns take room (one of them none but its line), six rows.
    EXPECT_EQ(At(3 * Span + Case.LineWidth, 10), clYellow);
    EXPECT_EQ(At(10, 6 * (20 + Case.LineWidth)), clYellow);
    if (Case.LineWidth > 0) {
      EXPECT_EQ(At(3 * Span + Case.LineWidth - 1, 10), clBlack);
    }
    if (!Case.DefaultDrawing) {
      EXPECT_EQ(At(Span + 10, 30), clYellow);
    }
    if (!Case.Options.Contains(goVertLine)) {
      EXPECT_EQ(At(2 * Span - 1, 30), clYellow);
    }
  }
}

TEST_F(GridTest, KeysMoveTheCurrentCellAndAskSelectCell) {
  EXPECT_EQ(G->Selection(), (TGridRect{1, 1, 1, 1}));
  sim::KeyDown(G, VK_DOWN, {});
  sim::KeyDown(G, VK_RIGHT, {});
  EXPECT_EQ(std::make_pair(G->Col(), G->Row()), std::make_pair(2, 2));
  sim::KeyDown(G, VK_DOWN, {ssShift});
  sim::KeyDown(G, VK_RIGHT, {ssShift});
  EXPECT_EQ(G->Selection(), (TGridRect{2, 2, 3, 3}));
  sim::KeyDown(G, VK_NEXT, {});
  EXPECT_EQ(G->Row(), 3 + G->VisibleRowCount());
  EXPECT_EQ(G->Selection(), (TGridRect{3, G->Row(), 3, G->Row()}));
  sim::KeyDown(G, VK_END, {ssCtrl});
  EXPECT_EQ(std::make_pair(G->Col(), G->Row()), std::make_pair(9, 999));
  EXPECT_EQ(G->TopRow(), 1000 - G->VisibleRowCount());
  sim::KeyDown(G, VK_HOME, {});
  EXPECT_EQ(G->Col(), 1);
  // Tab walks the row only with goTabs, wrapping to the next row.
  sim::KeyDown(G, VK_UP, {});
  G->SetCol(9);
  G->SetOptions(G->Options() + TGridOptions{goTabs});
  sim::KeyDown(G, VK_TAB, {});
  EXPECT_EQ(std::make_pair(G->Col(), G->Row()), std::make_pair(1, 999));
  // A handler may refuse a cell.
  G->SetOnSelectCell([](TObject*, int C, int, bool& Can) { Can = C != 2; });
  sim::KeyDown(G, VK_RIGHT, {});
  EXPECT_EQ(G->Col(), 1);
}

TEST_F(GridTest, MouseSelectsCellsAndDraggingAHeaderBorderSizesTheColumn) {
  sim::Click(G, 110, 70);
  EXPECT_EQ(std::make_pair(G->Col(), G->Row()), std::make_pair(2, 3));
  sim::MouseDown(G, mbLeft, {ssShift}, 170, 110);
  sim::MouseUp(G, mbLeft, {ssShift}, 170, 110);
  EXPECT_EQ(G->Selection(), (TGridRect{2, 3, 3, 5}));
  // Drag select.
  sim::MouseDown(G, mbLeft, {}, 60, 30);
  sim::MouseMove(G, {ssLeft}, 110, 70);
  sim::MouseUp(G, mbLeft, {}, 110, 70);
  EXPECT_EQ(G->Selection(), (TGridRect{1, 1, 2, 3}));
  // Without goColSizing the header border is just a header.
  sim::MouseDown(G, mbLeft, {}, 100, 10);
  sim::MouseMove(G, {ssLeft}, 130, 10);
  sim::MouseUp(G, mbLeft, {}, 130, 10);
  EXPECT_EQ(G->ColWidths(1), 50);
  int Changes = 0;
  G->SetOnColWidthsChanged([&](TObject*) { ++Changes; });
  G->SetOptions(G->Options() + TGridOptions{goColSizing});
  sim::MouseDown(G, mbLeft, {}, 100, 10);
  sim::MouseMove(G, {ssLeft}, 130, 10);
  sim::MouseUp(G, mbLeft, {}, 130, 10);
  EXPECT_EQ(G->ColWidths(1), 80);
  EXPECT_GT(Changes, 0);
  EXPECT_EQ(G->CellRect(2, 1).Left, 132);
}

TEST_F(GridTest, ScrollBarsScrollByLineAndPage) {
  int Moves = 0;
  G->SetOnTopLeftChanged([&](TObject*) { ++Moves; });
  const int Bar = 300 - TCustomGrid::ScrollBarSize + 5;
  sim::Click(G, Bar, 200 - 16 - 5);  // down arrow
  EXPECT_EQ(G->TopRow(), 2);
  sim::Click(G, Bar, 150);  // track below the thumb
  EXPECT_EQ(G->TopRow(), 2 + G->VisibleRowCount());
  sim::Click(G, Bar, 5);  // up arrow
  EXPECT_EQ(G->TopRow(), 1 + G->VisibleRowCount());
  EXPECT_EQ(Moves, 3);
  sim::Click(G, 250, 200 - 5);  // horizontal track right of the thumb
  EXPECT_GT(G->LeftCol(), 1);
}

TEST_F(GridTest, InplaceEditorLoadsStoresAndCancels) {
  Texts[{2, 2}] = u"abc";
  G->SetCol(2);
  G->SetRow(2);
  sim::KeyPress(G, u'\r');
  EXPECT_FALSE(G->EditorMode());  // not without goEditing
  G->SetOptions(G->Options() + TGridOptions{goEditing});
  sim::KeyDown(G, VK_F2, {});
  ASSERT_TRUE(G->EditorMode());
  TInplaceEdit* E = G->InplaceEditor();
  EXPECT_EQ(E->Text(), u"abc");
  EXPECT_EQ(E->BoundsRect(), G->CellRect(2, 2));
  sim::TypeText(E, u"xy");
  EXPECT_EQ((Texts[{2, 2}]), u"xy");
  sim::KeyDown(E, VK_ESCAPE, {});
  EXPECT_FALSE(G->EditorMode());
  EXPECT_EQ((Texts[{2, 2}]), u"abc");
  // Typing on the grid opens the editor with the character; Down leaves the cell.
  sim::KeyPress(G, u'7');
  EXPECT_TRUE(G->EditorMode());
  EXPECT_EQ((Texts[{2, 2}]), u"7");
  sim::KeyDown(E, VK_DOWN, {});
  EXPECT_FALSE(G->EditorMode());
  EXPECT_EQ(G->Row(), 3);
  EXPECT_EQ((Texts[{2, 2}]), u"7");
}

// A grid whose column 1 picks from a list.
class TPickGrid : public TDrawGrid {
 public:
  using TDrawGrid::TDrawGrid;

 protected:
  TInplaceEdit* CreateEditor() override { return new TInplaceEditList(this); }
  TEditStyle GetEditStyle(int ACol, int) override { return ACol == 1 ? esPickList : esSimple; }
  void GetPickListItems(int, int, std::vector<String>& Items) override { Items = {u"red", u"green", u"blue"}; }
};

TEST(PickListGrid, DropsDownAndTakesTheChosenItem) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 300, 300);
  auto* G = new TPickGrid(&Form);
  G->SetParent(&Form);
  G->SetBounds(0, 0, 280, 280);
  G->SetOptions(G->Options() + TGridOptions{goEditing});
  String Stored;
  G->SetOnSetEditText([&](TObject*, int, int, const String& V) { Stored = V; });
  Form.Show();
  G->ShowEditor();
  auto* E = dynamic_cast<TInplaceEditList*>(G->InplaceEditor());
  ASSERT_NE(E, nullptr);
  EXPECT_EQ(E->EditStyle(), esPickList);
  sim::KeyDown(E, VK_DOWN, {ssAlt});
  ASSERT_TRUE(E->ListVisible());
  sim::KeyDown(E, VK_DOWN, {});
  sim::KeyDown(E, VK_DOWN, {});
  sim::KeyDown(E, VK_RETURN, {});
  EXPECT_FALSE(E->ListVisible());
  EXPECT_EQ(Stored, u"green");
  // A click on the button opens it again; a click on an item takes it.
  sim::Click(E, E->Width() - 4, 4);
  ASSERT_TRUE(E->ListVisible());
  G->HideEditor();
  G->SetCol(2);
  G->ShowEditor();
  EXPECT_EQ(E->EditStyle(), esSimple);
}

}  // namespace
}  // namespace orv

// The report list view: setup and column handling, drawing rules checked at
// pixel positions, and interaction driven as a user would (clicks on cell
// positions, modifiers, header clicks, keys, in-place typing).

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "framework/grids/inplaceedit.h"
#include "replist/replistview.h"

namespace orv {
namespace {

// A shown form with a 400 x 300 view of 3 columns and 8 rows; cell (c, r)
// holds "c<c>r<r>".
struct ViewTest : ::testing::Test {
  std::unique_ptr<TForm> Form;
  TReportListView* V = nullptr;
  TBitmap Shot;
  int SelectedChanges = 0;

  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 420, 320);
    V = new TReportListView(Form.get());
    V->SetParent(Form.get());
    V->SetBounds(0, 0, 400, 300);
    V->SetNrOfColumns(3);
    V->SetNrOfRows(8);
    V->SetSuppressPaint(true);
    for (int c = 1; c <= 3; ++c) {
      for (int r = 1; r <= 8; ++r) {
        // Built by appending: g++ 12 warns falsely (-Wrestrict) on the chained + form here.
        String Text = u"c";
        Text += IntToStr(c);
        Text += u"r";
        Text += IntToStr(r);
        V->SetElem(c, r, Text);
      }
    }
    V->SetSuppressPaint(false);
    V->SetOnSelectedChange([this](TObject*) { ++SelectedChanges; });
    Form->Show();
  }
  static String IntToStr(int I) {
    std::string S = std::to_string(I);
    return String(S.begin(), S.end());
  }
  // Grid cell rectangle of data column position k (1-based) and data row r.
  TRect Cell(int k, int r) const { return V->CellRect(k - 1, r + V->CountHeadRows() - 1); }
  void ClickRow(int r, TShiftState Shift = {}) {
    const TRect R = Cell(2, r);
    sim::MouseDown(V, mbLeft, Shift, R.Left + 30, R.Top + 5);
    sim::MouseUp(V, mbLeft, Shift, R.Left + 30, R.Top + 5);
  }
  void Paint() {
    Shot.SetSize(400, 300);
    V->PaintTo(Shot.Canvas(), 0, 0);
  }
  TColor At(int X, int Y) { return Shot.Canvas()->Pixels(X, Y); }
  std::vector<int> SelectedRows() const {
    std::vector<int> Rows;
    for (int r = 1; r <= V->NrOfRows(); ++r) {
      if (V->RowSelected(r)) Rows.push_back(r);
    }
    return Rows;
  }
};

using Rows = std::vector<int>;

// --- Setup -----------------------------------------------------------------------------------

TEST(ReportListViewSetup, StartsWithFiveNamedColumnsFourRowsAndOneHeader) {
  TReportListView V(nullptr);
  EXPECT_EQ(V.NrOfColumns(), 5);
  EXPECT_EQ(V.NrOfRows(), 4);
  EXPECT_EQ(V.Header(1), u"C-1");
  EXPECT_EQ(V.Header(5), u"C-5");
  EXPECT_EQ(V.CountHeadRows(), 1);
  EXPECT_EQ(V.RowCount(), 5);
  EXPECT_EQ(V.FixedRows(), 1);
  EXPECT_EQ(V.FixedCols(), 0);
  EXPECT_EQ(V.RowHeights(0), 20);
  EXPECT_EQ(V.TopRow(), 1);
  EXPECT_TRUE(V.Options().Contains(goRowSelect));
  EXPECT_TRUE(V.SuppressPaint());  // until it sits on a window
  V.SetCommonHeaderHeight(5);
  EXPECT_EQ(V.CommonHeaderHeight(), 8);
  V.SetColumnHeadersHeight(200);
  EXPECT_EQ(V.ColumnHeadersHeight(), 127);
  EXPECT_EQ(V.RowHeights(0), 127);
}

TEST_F(ViewTest, HeadersShapeTheGridRows) {
  V->SetCommonHeaderVisible(true);
  EXPECT_EQ(V->CountHeadRows(), 2);
  EXPECT_EQ(V->RowCount(), 10);
  EXPECT_EQ(V->MouseCell(Cell(2, 1).Left + 2, 5), (TGridCoord{2, -2}));
  EXPECT_EQ(V->MouseCell(Cell(2, 1).Left + 2, 25), (TGridCoord{2, -1}));
  EXPECT_EQ(V->MouseCell(Cell(2, 3).Left + 2, Cell(2, 3).Top + 2), (TGridCoord{2, 3}));
  // Both headers stay at their heights even when fewer than two rows remain.
  V->SetColumnHeadersHeight(30);
  V->SetNrOfRows(1);
  EXPECT_EQ(V->RowHeights(0), 20);
  EXPECT_EQ(V->RowHeights(1), 30);
  V->SetNrOfRows(0);
  EXPECT_EQ(V->RowCount(), 3);  // one blank row below the headers
  V->SetTopRow(5);
  EXPECT_EQ(V->TopRow(), 1);
}

TEST_F(ViewTest, ColumnOrderAndWidthsAddressTheShowingColumn) {
  const std::vector<int> Wrong{1, 2};
  EXPECT_FALSE(V->SetColumnOrder(Wrong));
  EXPECT_EQ(V->ColumnOrder(1), 1);
  const std::vector<int> Swapped{3, 1, 2};
  EXPECT_TRUE(V->SetColumnOrder(Swapped));
  EXPECT_EQ(V->ColumnOrder(1), 3);
  EXPECT_EQ(V->ColumnOrder(4), 0);
  const std::vector<int> Bad{3, 9, 2};
  EXPECT_FALSE(V->SetColumnOrder(Bad));
  EXPECT_EQ(V->ColumnOrder(2), 1);  // the invalid entry left its position alone
  // Data column 3 is shown in grid column 0: its width is read and written there.
  V->SetColWidths(3, 90);
  EXPECT_EQ(V->TCustomGrid::ColWidths(0), 90);
  EXPECT_EQ(V->ColWidths(3), 90);
  EXPECT_EQ(V->ColWidths(0), 0);
  // Cells follow the order.
  std::vector<int> Drawn;
  V->SetOnBeforeRenderCell([&](TObject*, int C, int R, TColor&, TColor&, TColor&, TFontStyles&, String&) {
    if (R == 1) Drawn.push_back(C);
  });
  Paint();
  EXPECT_EQ(Drawn, (std::vector<int>{3, 1, 2}));
}

TEST_F(ViewTest, InsertRemoveAndSizeColumns) {
  V->SetColumnAlignment(2, taRightJustify);
  V->SetColumnEditable(2, true);
  EXPECT_EQ(V->InsertColumn(0), 0);
  EXPECT_EQ(V->NrOfColumns(), 3);
  EXPECT_EQ(V->InsertColumn(8), 4);
  EXPECT_EQ(V->NrOfColumns(), 4);
  EXPECT_EQ(V->ColCount(), 4);
  EXPECT_EQ(V->InsertColumn(1), 1);
  EXPECT_EQ(V->Elem(2, 1), u"c1r1");
  EXPECT_EQ(V->ColumnAlignment(3), taRightJustify);  // settings moved with their column
  EXPECT_TRUE(V->ColumnEditable(3));
  EXPECT_EQ(V->ColumnAlignment(1), taLeftJustify);
  V->RemoveColumn(1);
  EXPECT_EQ(V->ColumnAlignment(2), taRightJustify);
  EXPECT_EQ(V->ColCount(), 4);
  // Fixed first column: the grid keeps one column per data column.
  V->SetFixedFirstColumn(true);
  V->InsertColumn(2);
  EXPECT_EQ(V->ColCount(), V->NrOfColumns());

  V->AutoColWidth(1, false, -100);
  EXPECT_EQ(V->ColWidths(1), 4);
  V->SetColWidths(2, 500);
  V->ExpandColWidth(3, 0);
  EXPECT_EQ(V->ColWidths(3), 16);
  // Check boxes take 16 pixels whether they are boxes or radio buttons.
  V->SetColumnCheckMode(2, cmBox);
  V->SetAllCheckmarksOfCol(2, false);
  const int Box = V->DetermineMaxColWidth(2, false);
  V->SetColumnCheckMode(2, cmRadio);
  V->SetAllCheckmarksOfCol(2, false);
  EXPECT_EQ(V->DetermineMaxColWidth(2, false), Box);
  EXPECT_EQ(V->DetermineMaxColWidth(9, false), 10);
}

TEST_F(ViewTest, RowsInsertRemoveAndClearSortState) {
  V->Sort(1, -1, false);
  EXPECT_EQ(V->LastSortColumn(), 1);
  EXPECT_EQ(V->InsertRow(2), 2);
  EXPECT_EQ(V->NrOfRows(), 9);
  EXPECT_EQ(V->RowCount(), 10);
  EXPECT_EQ(V->LastSortColumn(), -1);
  V->Sort(1, -1, false);
  EXPECT_EQ(V->InsertRow(50), 10);  // appending keeps the order shown
  EXPECT_EQ(V->Elem(1, 1), u"c1r8");
  EXPECT_EQ(V->LastSortColumn(), -1);
  EXPECT_EQ(V->InsertRow(0), 0);
  V->RemoveEmptyRows();
  EXPECT_EQ(V->NrOfRows(), 8);
  V->RemoveRow(1);
  EXPECT_EQ(V->RowCount(), 8);
  EXPECT_EQ(V->AddRow(), 8);
}

TEST_F(ViewTest, AssignCopiesStorePresentationAndHandlersButNotHeights) {
  V->SetColumnHeadersHeight(33);
  V->SetColorText(0x123456);
  V->SetColumnIsPwd(2, true);
  V->SetEmptyMessage(u"none");
  TReportListView Copy(nullptr);
  Copy.Assign(V);
  EXPECT_EQ(Copy.NrOfColumns(), 3);
  EXPECT_EQ(Copy.NrOfRows(), 8);
  EXPECT_EQ(Copy.Elem(3, 8), u"c3r8");
  EXPECT_EQ(Copy.ColorText(), 0x123456u);
  EXPECT_TRUE(Copy.ColumnIsPwd(2));
  EXPECT_EQ(Copy.ColumnHeadersHeight(), 20);
  EXPECT_EQ(Copy.EmptyMessage(), u"");
  EXPECT_TRUE(static_cast<bool>(Copy.OnSelectedChange()));
  EXPECT_EQ(Copy.RowCount(), 9);
}

// --- Drawing -----------------------------------------------------------------------------------

TEST_F(ViewTest, RowsAreStripedByPattern) {
  struct Case {
    int Pattern;
    std::vector<bool> Shaded;  // rows 1..6
  };
  for (const Case& C : {Case{1, {true, false, true, false, true, false}}, Case{2, {true, true, false, false, true, true}},
                        Case{0, {false, false, false, false, false, false}}}) {
    V->SetRowColPattern(C.Pattern);
    Paint();
    for (int r = 1; r <= 6; ++r) {
      const TRect R = Cell(1, r);
      EXPECT_EQ(At(R.Right - 2, R.Bottom - 2), C.Shaded[static_cast<size_t>(r - 1)] ? 0xF0EFE8u : 0xFFFFFFu)
          << "pattern " << C.Pattern << " row " << r;
    }
  }
}

TEST_F(ViewTest, StateColoursAndTheRenderHookDecide) {
  V->SetRowSelected(2, true);
  V->SetRowEnabled(3, false);
  V->SetHighLightRow(4);
  V->SetColumnSelected(3, true);
  V->SetColorSelectedCol(0x00AA00);
  V->SetColorSelectedBoth(0x0000AA);
  Paint();
  const auto Bg = [&](int k, int r) { return At(Cell(k, r).Right - 2, Cell(k, r).Bottom - 2); };
  EXPECT_EQ(Bg(1, 2), 0x94BAEDu);
  EXPECT_EQ(Bg(3, 2), 0x0000AAu);
  EXPECT_EQ(Bg(3, 1), 0x00AA00u);
  EXPECT_EQ(Bg(1, 3), 0xF0F0F0u);
  EXPECT_EQ(Bg(3, 3), 0xF0F0F0u);  // disabled wins over the column selection
  EXPECT_EQ(Bg(3, 4), 0xCC9966u);  // highlight wins over it
  // The hook sees masked text and may recolour; a disabled view greys all text.
  V->SetColumnIsPwd(1, true);
  V->SetEnabled(false);
  String Seen;
  TColor SeenFont = 0;
  V->SetOnBeforeRenderCell([&](TObject*, int C, int R, TColor&, TColor& Brush, TColor& Font, TFontStyles&, String& T) {
    if (C == 1 && R == 1) {
      Seen = T;
      SeenFont = Font;
      Brush = 0x445566;
    }
  });
  Paint();
  EXPECT_EQ(Seen, u"******");
  EXPECT_EQ(SeenFont, clInactiveCaption);
  EXPECT_EQ(Bg(1, 1), 0x445566u);
}

TEST_F(ViewTest, LongTextIsCutWithAnEllipsisByAlignment) {
  // The cut text must draw exactly as the expected short text does.
  V->SetRowColPattern(0);
  V->SetElem(1, 1, u"abcdefghijklmnopqrstuvwxyz0123456789");
  V->SetColWidths(1, 80);
  const auto Render = [&](const String& Text, TAlignment A) {
    V->SetColumnAlignment(1, A);
    V->SetElem(1, 2, Text);
    Paint();
  };
  for (const TAlignment A : {taLeftJustify, taRightJustify}) {
    Render(u"x", A);
    const TRect Long = Cell(1, 1);
    const TRect Mine = Cell(1, 2);
    TCanvas* C = Shot.Canvas();
    C->Font()->Assign(V->Font());
    const String Full = V->Elem(1, 1);
    const int W = C->TextWidth(Full.substr(1));
    const long long k = std::max<long long>(1, static_cast<long long>(std::nearbyint(static_cast<double>(Full.size()) * (80 - 9) / W - 4)));
    const String Expected = A == taLeftJustify ? Full.substr(0, static_cast<size_t>(k)) + u"..."
                                               : Full.substr(0, 1) + u"..." + Full.substr(Full.size() - static_cast<size_t>(k));
    Render(Expected, A);
    int Differences = 0;
    for (int Y = 2; Y < Long.Height() - 1; ++Y) {
      for (int X = 0; X < Long.Width(); ++X) {
        Differences += At(Long.Left + X, Long.Top + Y) != At(Mine.Left + X, Mine.Top + Y);
      }
    }
    EXPECT_EQ(Differences, 0) << "alignment " << int(A);
  }
}

TEST_F(ViewTest, CheckBoxesAndRadioButtonsDrawAtTheirPixels) {
  V->SetColumnCheckMode(1, cmBox);
  V->SetColumnCheckMode(2, cmRadio);
  V->SetElemChecked(1, 1, true);
  V->SetElemChecked(2, 2, true);
  V->SetColorText(0x0000C0);
  Paint();
  const TRect B = Cell(1, 1);
  EXPECT_EQ(At(B.Left + 4, B.Top + 4), 0x808080u);   // box outline (clBtnShadow)
  EXPECT_EQ(At(B.Left + 7, B.Top + 9), 0x0000C0u);   // tick, first stroke
  EXPECT_EQ(At(B.Left + 11, B.Top + 8), 0x0000C0u);  // tick, second stroke
  const TRect Unchecked = Cell(1, 2);
  EXPECT_NE(At(Unchecked.Left + 7, Unchecked.Top + 9), 0x0000C0u);
  const TRect Dot = Cell(2, 2);
  EXPECT_EQ(At(Dot.Left + 9, Dot.Top + 9), 0x0000C0u);
  EXPECT_EQ(At(Dot.Left + 9, Dot.Top + 4), 0x808080u);  // top of the circle
  // Read-only marks: no outline, the tick stays. No box for a bare mark
  // when empty boxes are hidden.
  V->SetCheckMarksReadOnly(true);
  Paint();
  EXPECT_NE(At(B.Left + 4, B.Top + 4), 0x808080u);
  EXPECT_EQ(At(B.Left + 7, B.Top + 9), 0x0000C0u);
  V->SetCheckMarksReadOnly(false);
  V->SetElem(1, 3, u"");
  V->SetShowEmptyCheckBoxes(false);
  Paint();
  EXPECT_NE(At(Cell(1, 3).Left + 4, Cell(1, 3).Top + 4), 0x808080u);
}

TEST_F(ViewTest, EmptyListShowsTheMessageAndTheIndicatorMarksRowEdges) {
  V->SetInterRowIndicatorPos(9);  // under the last of 8 rows
  Paint();
  const int y = 21 + 8 * 25;
  EXPECT_EQ(At(200, y), 0x0000FFu);
  EXPECT_EQ(At(200, y - 1), 0x0000FFu);
  EXPECT_EQ(At(200, y + 1), 0x0000FFu);
  V->SetInterRowIndicatorPos(10);
  Paint();
  EXPECT_NE(At(200, y), 0x0000FFu);

  V->SetNrOfRows(0);
  V->SetEmptyMessage(u"No data|yet");
  V->SetColorEmptyMsg(0x00C000);
  Paint();
  // Two lines centred in the blank area below the header.
  std::vector<int> LinesWithText;
  for (int Y = 21; Y < 300; ++Y) {
    for (int X = 0; X < 400; ++X) {
      if (At(X, Y) == 0x00C000u) {
        LinesWithText.push_back(Y);
        break;
      }
    }
  }
  ASSERT_FALSE(LinesWithText.empty());
  const int lh = Shot.Canvas()->TextHeight(u"No data|yet");
  EXPECT_GT(LinesWithText.back() - LinesWithText.front(), lh / 2);
  EXPECT_LT(LinesWithText.front(), 21 + (300 - 21) / 2);
  EXPECT_GT(LinesWithText.front(), 21 + (300 - 21 - 2 * lh) / 2 - 2 * lh);
}

// --- Interaction ---------------------------------------------------------------------------------

TEST_F(ViewTest, RowSelectionModes) {
  ClickRow(3);
  ClickRow(5);
  EXPECT_EQ(SelectedRows(), (Rows{5}));
  V->SetRowSelectMode(2);
  EXPECT_EQ(SelectedRows(), (Rows{5}));
  ClickRow(2);
  ClickRow(4, {ssCtrl});
  V->SetRowEnabled(6, false);
  ClickRow(6, {ssShift});
  EXPECT_EQ(SelectedRows(), (Rows{2, 4, 5, 6}));
  EXPECT_FALSE(V->RowEnabled(6));  // the range copies the selected bit only
  EXPECT_TRUE(V->RowEnabled(5));
  V->SetUseCtrlForMultiSel(false);
  ClickRow(7);
  ClickRow(7);
  EXPECT_EQ(SelectedRows(), (Rows{2, 4, 5, 6}));
  // Releasing below the rows clears everything in mode 2 only.
  sim::MouseUp(V, mbLeft, {}, 50, 290);
  EXPECT_TRUE(SelectedRows().empty());
  V->SetRowSelectMode(1);
  ClickRow(2);
  sim::MouseUp(V, mbLeft, {}, 50, 290);
  EXPECT_EQ(SelectedRows(), (Rows{2}));
  const int Before = SelectedChanges;
  V->SetRowSelectMode(0);
  EXPECT_TRUE(SelectedRows().empty());
  EXPECT_EQ(SelectedChanges, Before + 1);
  ClickRow(3);
  EXPECT_TRUE(SelectedRows().empty());
}

TEST_F(ViewTest, ClickingCheckBoxesFiresEventsAndRespectsLocks) {
  V->SetColumnCheckMode(1, cmBox);
  V->SetColumnCheckMode(3, cmRadio);
  std::vector<std::pair<bool, bool>> Log;  // (before state, after state)
  bool Veto = false;
  V->SetOnBeforeCheckedChange([&](TObject*, bool& State, int C, int R) {
    EXPECT_EQ(C, 1);
    EXPECT_EQ(R, 2);
    Log.push_back({State, false});
    if (Veto) State = !State;
  });
  V->SetOnCheckedChange([&](TObject*, bool& State, int, int) { Log.back().second = State; });
  const auto ClickBox = [&](int k, int r, int Dx = 10) {
    const TRect R = Cell(k, r);
    sim::Click(V, R.Left + Dx, R.Top + 8);
  };
  ClickBox(1, 2);
  EXPECT_TRUE(V->ElemChecked(1, 2));
  EXPECT_EQ(Log, (std::vector<std::pair<bool, bool>>{{true, false}}));
  ClickBox(1, 2, 30);  // beyond the box
  EXPECT_TRUE(V->ElemChecked(1, 2));
  Veto = true;
  ClickBox(1, 2);
  EXPECT_TRUE(V->ElemChecked(1, 2));
  V->SetRowEnabled(2, false);
  Veto = false;
  ClickBox(1, 2);
  EXPECT_TRUE(V->ElemChecked(1, 2));
  V->SetRowEnabled(2, true);
  V->SetCheckMarksReadOnly(true);
  ClickBox(1, 2);
  EXPECT_TRUE(V->ElemChecked(1, 2));
  V->SetCheckMarksReadOnly(false);
  EXPECT_EQ(Log.size(), 2u);
  // Radio: a click on a checked cell keeps it, another one moves the mark.
  V->SetOnBeforeCheckedChange(nullptr);
  V->SetOnCheckedChange(nullptr);
  ClickBox(3, 4);
  ClickBox(3, 4);
  EXPECT_TRUE(V->ElemChecked(3, 4));
  ClickBox(3, 6);
  EXPECT_FALSE(V->ElemChecked(3, 4));
  EXPECT_TRUE(V->ElemChecked(3, 6));
  EXPECT_EQ(V->CountCheckedElemsInCol(3), 1);
  V->SetRowEnabled(6, false);
  EXPECT_EQ(V->CountCheckedElemsInCol(3), 0);
}

TEST_F(ViewTest, HeaderClicksSortAndKeepTheCurrentRow) {
  V->SetElem(2, 3, u"zzz");
  ClickRow(3);
  const TRect H = V->CellRect(1, 0);
  sim::Click(V, H.Right - 3, 10);  // near the border: no sort
  EXPECT_EQ(V->LastSortColumn(), -1);
  sim::Click(V, H.Left + 20, 10);
  EXPECT_EQ(V->LastSortColumn(), 2);
  EXPECT_FALSE(V->LastSortOrder());
  EXPECT_EQ(V->Elem(2, 1), u"zzz");
  EXPECT_EQ(V->Selection().Top, 1);  // the clicked row moved to the top and stays current
  sim::Click(V, H.Left + 20, 10);
  EXPECT_TRUE(V->LastSortOrder());
  EXPECT_EQ(V->Elem(2, 8), u"zzz");
  EXPECT_EQ(V->Selection().Top, 8);
  V->SetSortEnabled(false);
  sim::Click(V, V->CellRect(0, 0).Left + 20, 10);
  EXPECT_EQ(V->LastSortColumn(), 2);
}

TEST_F(ViewTest, DoubleClickOnAHeaderBorderSizesTheColumnLeftOfIt) {
  int DblClicks = 0;
  V->SetOnDblClick([&](TObject*) { ++DblClicks; });
  V->SetElem(1, 4, u"a much longer text than the others");
  const TRect H = V->CellRect(0, 0);
  sim::MouseMove(V, {}, H.Right - 2, 10);
  sim::DblClick(V, H.Right - 2, 10);
  EXPECT_EQ(V->ColWidths(1), V->DetermineMaxColWidth(1, true));
  EXPECT_GT(V->ColWidths(1), 64);
  sim::MouseMove(V, {}, H.Left + 30, 10);
  sim::DblClick(V, H.Left + 30, 10);  // inside the header: nothing, and no OnDblClick
  EXPECT_EQ(DblClicks, 0);
  sim::MouseMove(V, {}, 30, Cell(1, 2).Top + 5);
  sim::DblClick(V, 30, Cell(1, 2).Top + 5);
  EXPECT_EQ(DblClicks, 1);
}

TEST_F(ViewTest, CursorKeysCollapseTheSelectionAndAutoAdvanceMovesDown) {
  std::vector<uint16_t> Keys;
  V->SetOnCursorKeyAction([&](TObject*, uint16_t Key) { Keys.push_back(Key); });
  V->SetRowSelectMode(2);
  ClickRow(2);
  ClickRow(5, {ssShift});
  EXPECT_EQ(SelectedRows(), (Rows{2, 3, 4, 5}));
  sim::KeyDown(V, VK_DOWN, {});
  EXPECT_EQ(SelectedRows(), (Rows{6}));
  sim::KeyDown(V, VK_HOME, {});
  EXPECT_EQ(SelectedRows(), (Rows{1}));
  EXPECT_EQ(Keys, (std::vector<uint16_t>{VK_DOWN, VK_HOME}));
  sim::KeyPress(V, u'\r');
  EXPECT_EQ(V->Selection().Top, 1);
  V->SetAutoAdvance(true);
  sim::KeyPress(V, u'\r');
  EXPECT_EQ(V->Selection().Top, 2);
  EXPECT_EQ(SelectedRows(), (Rows{2}));
}

TEST_F(ViewTest, InplaceEditingKeepsCheckMarksAndSkipsDisabledRows) {
  V->SetColumnCheckMode(1, cmBox);
  V->SetElemChecked(1, 3, true);
  V->SetColumnEditable(1, true);
  std::vector<int> EditedRows;
  V->SetOnSetEditText([&](TObject*, int, int R, const String&) { EditedRows.push_back(R); });
  const TRect R = Cell(1, 3);
  sim::Click(V, R.Left + 40, R.Top + 5);
  sim::KeyPress(V, u'\r');
  ASSERT_TRUE(V->EditorMode());
  EXPECT_EQ(V->InplaceEditor()->Text(), u"c1r3");
  sim::TypeText(V->InplaceEditor(), u"new");
  sim::KeyPress(V->InplaceEditor(), u'\r');
  EXPECT_FALSE(V->EditorMode());
  EXPECT_EQ(V->Elem(1, 3), u"new");
  EXPECT_TRUE(V->ElemChecked(1, 3));
  EXPECT_FALSE(EditedRows.empty());
  EXPECT_EQ(EditedRows.back(), 3);
  // Not in a disabled row, nor in a column that is not editable.
  V->SetRowEnabled(4, false);
  sim::Click(V, Cell(1, 4).Left + 40, Cell(1, 4).Top + 5);
  sim::KeyPress(V, u'\r');
  EXPECT_FALSE(V->EditorMode());
  sim::Click(V, Cell(2, 5).Left + 40, Cell(2, 5).Top + 5);
  sim::KeyPress(V, u'\r');
  EXPECT_FALSE(V->EditorMode());
}

TEST_F(ViewTest, WheelOnlyReachesTheHandlers) {
  const int Top = V->Selection().Top;
  sim::MouseWheel(V, {}, -120, 50, 50);
  EXPECT_EQ(V->Selection().Top, Top);
  int Downs = 0;
  V->SetOnMouseWheelDown([&](TObject*, TShiftState, TPoint, bool& Handled) {
    ++Downs;
    Handled = true;
  });
  sim::MouseWheel(V, {}, -120, 50, 50);
  EXPECT_EQ(Downs, 1);
}

}  // namespace
}  // namespace orv

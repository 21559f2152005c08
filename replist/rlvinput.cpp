// TReportListView: selection, enabling and check marks through methods, the
// mouse (cell clicks, check toggling, header sorting, header border double
// clicks), cursor keys, AutoAdvance and in-place editing.

#include <algorithm>

#include "framework/controls/screen.h"
#include "replist/replistview.h"

namespace orv {

namespace {

// Flag edits are no cell changes: they neither fire OnChange nor repaint
// row by row.
class TQuietFlags {
 public:
  explicit TQuietFlags(TStringArray* A) : FArray(A), FSaved(A->NotifyChanges()) { A->SetNotifyChanges(false); }
  ~TQuietFlags() { FArray->SetNotifyChanges(FSaved); }
  TQuietFlags(const TQuietFlags&) = delete;
  TQuietFlags& operator=(const TQuietFlags&) = delete;

 private:
  TStringArray* FArray;
  bool FSaved;
};

// Suppresses painting and repaints once at the end (unless it was suppressed before).
class TBulk {
 public:
  TBulk(TReportListView* V) : FView(V), FSaved(V->SuppressPaint()) { V->SetSuppressPaint(true); }
  ~TBulk() { FView->SetSuppressPaint(FSaved); }
  TBulk(const TBulk&) = delete;
  TBulk& operator=(const TBulk&) = delete;

 private:
  TReportListView* FView;
  bool FSaved;
};

constexpr Char kMark = u'X';
constexpr Char kNoMark = u' ';

}  // namespace

// --- Flags -------------------------------------------------------------------------------------

void TReportListView::SetRowFlag(int r, uint8_t Bit, bool On) {
  if (r < 1 || r > NrOfRows()) return;
  TQuietFlags Quiet(Cells());
  const uint8_t A = Cells()->RowAttrib(r);
  Cells()->SetRowAttrib(r, On ? static_cast<uint8_t>(A | Bit) : static_cast<uint8_t>(A & ~Bit));
}

void TReportListView::SetAllRowFlags(uint8_t Bit, bool On) {
  TQuietFlags Quiet(Cells());
  for (int r = 1; r <= NrOfRows(); ++r) {
    const uint8_t A = Cells()->RowAttrib(r);
    Cells()->SetRowAttrib(r, On ? static_cast<uint8_t>(A | Bit) : static_cast<uint8_t>(A & ~Bit));
  }
}

void TReportListView::SetColFlag(int c, bool On) {
  if (!ValidColumn(c)) return;
  TQuietFlags Quiet(Cells());
  const uint8_t A = Cells()->ColAttrib(c);
  Cells()->SetColAttrib(c, On ? static_cast<uint8_t>(A | ColAttrSelected) : static_cast<uint8_t>(A & ~ColAttrSelected));
}

bool TReportListView::RowSelected(int r) const {
  return r >= 1 && r <= NrOfRows() && (Cells()->RowAttrib(r) & RowAttrSelected) != 0;
}

void TReportListView::SetRowSelected(int r, bool V) {
  if (r < 1 || r > NrOfRows()) return;
  SetRowFlag(r, RowAttrSelected, V);
  ChangedSelection();
  RepaintView();
}

bool TReportListView::RowEnabled(int r) const {
  return r >= 1 && r <= NrOfRows() && (Cells()->RowAttrib(r) & RowAttrDisabled) == 0;
}

void TReportListView::SetRowEnabled(int r, bool V) {
  if (r < 1 || r > NrOfRows()) return;
  SetRowFlag(r, RowAttrDisabled, !V);
  ChangedSelection();
  RepaintView();
}

bool TReportListView::ColumnSelected(int c) const {
  return ValidColumn(c) && (Cells()->ColAttrib(c) & ColAttrSelected) != 0;
}

void TReportListView::SetColumnSelected(int c, bool V) {
  if (!ValidColumn(c)) return;
  SetColFlag(c, V);
  ChangedSelection();
  RepaintView();
}

void TReportListView::SelectRow(int RowNr) {
  {
    TBulk Bulk(this);
    SetAllRowFlags(RowAttrSelected, false);
    SetRowFlag(RowNr, RowAttrSelected, true);
  }
  ChangedSelection();
}

void TReportListView::SelectAllRows() {
  { TBulk Bulk(this); SetAllRowFlags(RowAttrSelected, true); }
  ChangedSelection();
}

void TReportListView::DeselectAllRows() {
  { TBulk Bulk(this); SetAllRowFlags(RowAttrSelected, false); }
  ChangedSelection();
}

void TReportListView::EnableAllRows() {
  { TBulk Bulk(this); SetAllRowFlags(RowAttrDisabled, false); }
  ChangedSelection();
}

void TReportListView::DisableAllRows() {
  { TBulk Bulk(this); SetAllRowFlags(RowAttrDisabled, true); }
  ChangedSelection();
}

void TReportListView::SelectColumn(int ColNr) {
  {
    TBulk Bulk(this);
    for (int c = 1; c <= NrOfColumns(); ++c) SetColFlag(c, c == ColNr);
  }
  ChangedSelection();
}

void TReportListView::SelectAllColumns() {
  {
    TBulk Bulk(this);
    for (int c = 1; c <= NrOfColumns(); ++c) SetColFlag(c, true);
  }
  ChangedSelection();
}

void TReportListView::DeselectAllColumns() {
  {
    TBulk Bulk(this);
    for (int c = 1; c <= NrOfColumns(); ++c) SetColFlag(c, false);
  }
  ChangedSelection();
}

int TReportListView::NumSelectedRows() const {
  int N = 0;
  for (int r = 1; r <= NrOfRows(); ++r) N += (Cells()->RowAttrib(r) & RowAttrSelected) != 0;
  return N;
}

int TReportListView::NumEnabledRows() const {
  int N = 0;
  for (int r = 1; r <= NrOfRows(); ++r) N += (Cells()->RowAttrib(r) & RowAttrDisabled) == 0;
  return N;
}

int TReportListView::NumSelectedColumns() const {
  int N = 0;
  for (int c = 1; c <= NrOfColumns(); ++c) N += ColumnSelected(c);
  return N;
}

int TReportListView::FirstSelectedRow() const {
  for (int r = 1; r <= NrOfRows(); ++r) {
    if (RowSelected(r)) return RowEnabled(r) ? r : 0;
  }
  return 0;
}

int TReportListView::FirstSelectedColumn() const {
  for (int c = 1; c <= NrOfColumns(); ++c) {
    if (ColumnSelected(c)) return c;
  }
  return 0;
}

void TReportListView::SetRowSelectMode(int V) {
  FRowSelectMode = V;
  if (V == 2) return;
  {
    TBulk Bulk(this);
    SetAllRowFlags(RowAttrSelected, false);
    if (V == 0) {
      const int n = NrOfColumns() + 1;
      const int m = NrOfRows() + 1;
      SetSelection(TGridRect{n, m, n, m});
    }
  }
  ChangedSelection();
}

void TReportListView::CenterScrollAndSelect(int Row) {
  TBulk Bulk(this);
  SelectRow(Row);
  const int v = VisibleRowCount();
  const int m = NrOfShownRows();
  SetTopRow(std::max(Row > m - v / 2 ? m - v + 1 : Row - v / 2, 1));
  const int g = Row + CountHeadRows() - 1;
  SetSelection(TGridRect{1, g, ColCount() - 1, g});
}

TGridCoord TReportListView::MouseCell(int X, int Y) const {
  const TGridCoord P = MouseCoord(X, Y);
  const int h = CountHeadRows();
  TGridCoord Result{P.X >= 0 ? P.X + 1 : 0, 0};
  if (P.Y < 0) return Result;
  if (P.Y == 0 && FComHdVis) {
    Result.Y = -2;
  } else if (P.Y == h - 1 && FColHdVis) {
    Result.Y = -1;
  } else {
    Result.Y = P.Y - h + 1;
  }
  return Result;
}

// --- Check marks -----------------------------------------------------------------------------------

void TReportListView::SetAllCheckmarksOfCol(int Column, bool Checked) { SetAllCheckmarksOfCol(Column, Checked, false); }

void TReportListView::SetAllCheckmarksOfCol(int Column, bool Checked, bool AffectEnabledRowsOnly) {
  const TCheckMode Mode = ColumnCheckMode(Column);
  if (Mode == cmNone || (Mode != cmBox && Checked)) return;
  TBulk Bulk(this);
  FRLData->SetColumnCheckmarks(Column, Checked, AffectEnabledRowsOnly);
}

void TReportListView::InvertAllCheckmarksOfCol(int Column) { InvertAllCheckmarksOfCol(Column, false); }

void TReportListView::InvertAllCheckmarksOfCol(int Column, bool AffectEnabledRowsOnly) {
  if (ColumnCheckMode(Column) != cmBox) return;
  TBulk Bulk(this);
  if (!AffectEnabledRowsOnly) {
    FRLData->InvertAllCheckmarksOfCol(Column);
    return;
  }
  Cells()->BeginUpdate();
  for (int r = 1; r <= NrOfRows(); ++r) {
    if (RowEnabled(r)) FRLData->SetElemChecked(Column, r, !FRLData->ElemChecked(Column, r));
  }
  Cells()->EndUpdate();
}

int TReportListView::CountCheckedElemsInCol(int Column) const {
  if (ColumnCheckMode(Column) == cmNone) return 0;
  int N = 0;
  for (int r = 1; r <= NrOfRows(); ++r) N += RowEnabled(r) && FRLData->ElemChecked(Column, r);
  return N;
}

// --- Mouse ---------------------------------------------------------------------------------------------

int TReportListView::CellsRight() const {
  const TRect R = CellRect(ColCount() - 1, FixedRows() > 0 ? 0 : TCustomGrid::TopRow());
  return R.IsEmpty() ? ClientWidth() : R.Right + GridLineWidth();
}

int TReportListView::CellsBottom() const {
  const TRect R = CellRect(TCustomGrid::LeftCol(), RowCount() - 1);
  return R.IsEmpty() ? ClientHeight() : R.Bottom + GridLineWidth();
}

void TReportListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // A press is where the pointer last was, even without a move before it.
  FLastMousePosX = X;
  FLastMousePosY = Y;
  TCustomDrawGrid::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || X <= 0 || Y <= 0 || X >= ClientWidth() || Y >= ClientHeight()) return;
  const TGridCoord P = MouseCoord(X, Y);
  if (P.X < 0 || P.Y < 0) return;
  const int h = CountHeadRows();
  const int d = DataColumnAt(P.X);
  const TRect Cell = CellRect(P.X, P.Y);

  if (FColHdVis && P.Y == h - 1) {
    // Header click; presses near a border belong to column sizing.
    if (!FSortEnabled || X - Cell.Left <= 4 || Cell.Right - X <= 4 || d == 0) return;
    const TCursor SavedCursor = Screen ? Screen->Cursor() : crDefault;
    if (Screen) Screen->SetCursor(crHourGlass);
    const int Current = Selection().Top - h + 1;
    const int Unsorted = Cells()->UnsortedPosition(Current);
    FRLData->SetSortToggle(!FRLData->SortToggle());
    Sort(d, FRLData->SortColumnSec(), FRLData->SortToggle());
    if (Unsorted > 0) {
      for (int r = 1; r <= NrOfRows(); ++r) {
        if (Cells()->UnsortedPosition(r) == Unsorted) {
          const TGridRect S = Selection();
          SetSelection(TGridRect{S.Left, r + h - 1, S.Right, r + h - 1});
          break;
        }
      }
    }
    if (Screen) Screen->SetCursor(SavedCursor);
    return;
  }

  TBulk Bulk(this);
  const int r = P.Y - h + 1;
  const bool RowValid = r >= 1 && r <= NrOfShownRows();
  const bool Disabled = RowValid && !RowEnabled(r);
  TGridOptions Opts = Options();
  if (ColumnEditable(d) && !Disabled) {
    Opts.Include(goEditing);
  } else {
    Opts.Exclude(goEditing);
  }
  SetOptions(Opts);

  const TCheckMode Mode = ColumnCheckMode(d);
  if (RowValid && Mode != cmNone && X - Cell.Left < 18 && !FROCheckMarks && !Disabled &&
      (Cells()->ElemLength(d, r) > 1 || FShowEmptyCBx)) {
    bool State = !FRLData->ElemChecked(d, r);
    if (FOnBefChkStChange) FOnBefChkStChange(this, State, d, r);
    String Stored = Cells()->Elem(d, r);
    if (Mode == cmRadio) {
      FRLData->SetColumnCheckmarks(d, false, false);
      Stored = Cells()->Elem(d, r);
      if (Stored.empty()) Stored = String(1, kMark);
      Stored[0] = kMark;
    } else if (Stored.empty()) {
      Stored = String(1, State ? kMark : kNoMark);
    } else {
      Stored[0] = State ? kMark : kNoMark;
    }
    Cells()->SetElem(d, r, Stored);
    if (FOnChkStChange) {
      bool Old = !State;
      FOnChkStChange(this, Old, d, r);
    }
  }

  const int Current = Selection().Top - h + 1;
  switch (FRowSelectMode) {
    case 1:
      SetAllRowFlags(RowAttrSelected, false);
      SetRowFlag(Current, RowAttrSelected, true);
      ChangedSelection();
      break;
    case 2:
      if (Shift.Contains(ssShift)) {
        // The range takes the anchor's selected state; enabling stays as it is.
        const bool On = RowSelected(FSelectAnchor);
        for (int i = std::min(FSelectAnchor, Current); i <= std::max(FSelectAnchor, Current); ++i) {
          SetRowFlag(i, RowAttrSelected, On);
        }
      } else {
        FSelectAnchor = Current;
        if (Shift.Contains(ssCtrl) || !FCtrlForMultiSel) {
          SetRowFlag(Current, RowAttrSelected, !RowSelected(Current));
        } else {
          SetAllRowFlags(RowAttrSelected, false);
          SetRowFlag(Current, RowAttrSelected, true);
        }
      }
      ChangedSelection();
      break;
    default: break;
  }
}

void TReportListView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomDrawGrid::MouseUp(Button, Shift, X, Y);
  if (FRowSelectMode != 2) return;
  if (X >= CellsRight() || (Button == mbLeft && Y >= CellsBottom())) {
    { TBulk Bulk(this); SetAllRowFlags(RowAttrSelected, false); }
    ChangedSelection();
  }
}

void TReportListView::MouseMove(TShiftState Shift, int X, int Y) {
  FLastMousePosX = X;
  FLastMousePosY = Y;
  TCustomDrawGrid::MouseMove(Shift, X, Y);
}

void TReportListView::DblClick() {
  const int X = FLastMousePosX;
  const int Y = FLastMousePosY;
  const TGridCoord P = MouseCoord(X, Y);
  if (FColHdVis && P.Y >= 0 && P.Y == CountHeadRows() - 1 && P.X >= 0) {
    const TRect Cell = CellRect(P.X, P.Y);
    if (X - Cell.Left < 5 || Cell.Right - X <= 4) {
      int p = X >= (Cell.Left + Cell.Right) / 2 ? P.X + 1 : P.X;
      while (p > 1 && TCustomGrid::ColWidths(p - 1) < 1) --p;
      if (p > 0) AutoColWidth(ColumnOrder(p), true, 0);
    }
    return;  // never a double click of the application on the header row
  }
  TCustomDrawGrid::DblClick();
}

bool TReportListView::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  return TControl::DoMouseWheelDown(Shift, MousePos);
}

bool TReportListView::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  return TControl::DoMouseWheelUp(Shift, MousePos);
}

// --- Keys ----------------------------------------------------------------------------------------------------

void TReportListView::HandleCursorKey(uint16_t Key) {
  {
    TBulk Bulk(this);
    SetAllRowFlags(RowAttrSelected, false);
    SetRowFlag(Selection().Top - CountHeadRows() + 1, RowAttrSelected, true);
  }
  CursorKeyAction(Key);
  ChangedSelection();
}

void TReportListView::KeyDown(uint16_t& Key, TShiftState Shift) {
  const uint16_t Pressed = Key;
  TCustomDrawGrid::KeyDown(Key, Shift);
  if (Pressed >= VK_PRIOR && Pressed <= VK_DOWN) HandleCursorKey(Pressed);
}

void TReportListView::KeyPress(Char& Key) {
  TCustomDrawGrid::KeyPress(Key);
  if (FAutoAdvance && (Key == u'\r' || Key == 0)) {
    uint16_t Down = VK_DOWN;
    KeyDown(Down, TShiftState{});
  }
}

// --- Editing -----------------------------------------------------------------------------------------------------

bool TReportListView::SelectCell(int ACol, int ARow) {
  TGridOptions Opts = Options();
  if (ARow != 0 && ColumnEditable(DataColumnAt(ACol))) {
    Opts.Include(goEditing);
  } else {
    Opts.Exclude(goEditing);
  }
  SetOptions(Opts);
  return TCustomDrawGrid::SelectCell(ACol, ARow);
}

String TReportListView::GetEditText(int ACol, int ARow) {
  const int d = DataColumnAt(ACol);
  const int r = ARow - CountHeadRows() + 1;
  String Value = d > 0 ? Cells()->Elem(d, r) : String();
  if (ColumnCheckMode(d) != cmNone && !Value.empty()) Value.erase(0, 1);
  if (FOnGetEditText) FOnGetEditText(this, ACol, r, Value);
  return Value;
}

void TReportListView::SetEditText(int ACol, int ARow, const String& Value) {
  const int d = DataColumnAt(ACol);
  const int r = ARow - CountHeadRows() + 1;
  if (d > 0 && r >= 1 && r <= NrOfRows()) {
    String Stored = Value;
    if (ColumnCheckMode(d) != cmNone) {
      const String Old = Cells()->Elem(d, r);
      Stored = String(1, Old.empty() || Old[0] == kNoMark ? kNoMark : kMark) + Value;
    }
    if (Stored.size() > static_cast<size_t>(TStringArray::MaxCellLength)) Stored.resize(TStringArray::MaxCellLength);
    Cells()->SetElem(d, r, Stored);
  }
  if (FOnSetEditText) FOnSetEditText(this, ACol, r, Value);
}

}  // namespace orv

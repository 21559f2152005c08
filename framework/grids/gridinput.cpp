// TCustomGrid: the scroll bars it draws, the mouse (selection, column and
// row sizing, scroll bars), the keyboard and the in-place editor's life;
// TCustomDrawGrid's events.

#include <algorithm>

#include "framework/grids/grids.h"
#include "framework/grids/inplaceedit.h"

namespace orv {

// --- Scroll bars ---------------------------------------------------------------------------

// Where the parts of one scroll bar lie and how its thumb maps to the view.
struct TCustomGrid::TScrollGeometry {
  bool Shown = false;
  bool Vertical = true;
  TRect Bar, Back, Forth, Thumb;
  int TrackStart = 0;
  int TrackLen = 0;
  int ThumbLen = 0;
  int First = 0;   // first position (FixedRows / FixedCols)
  int Range = 0;   // positions after the first
  int Pos = 0;     // current position - First

  TScrollGeometry(const TCustomGrid& G, bool Vert) : Vertical(Vert) {
    Shown = Vert ? G.ShowsVertBar() : G.ShowsHorzBar();
    if (!Shown) return;
    const TRect CR = G.ClientRect();
    const int S = ScrollBarSize;
    Bar = Vert ? TRect{CR.Right, 0, CR.Right + S, CR.Bottom} : TRect{0, CR.Bottom, CR.Right, CR.Bottom + S};
    const int Length = Vert ? Bar.Height() : Bar.Width();
    const int Btn = std::min(S, Length / 2);
    Back = Vert ? TRect{Bar.Left, Bar.Top, Bar.Right, Bar.Top + Btn} : TRect{Bar.Left, Bar.Top, Bar.Left + Btn, Bar.Bottom};
    Forth = Vert ? TRect{Bar.Left, Bar.Bottom - Btn, Bar.Right, Bar.Bottom}
                 : TRect{Bar.Right - Btn, Bar.Top, Bar.Right, Bar.Bottom};
    TrackStart = (Vert ? Bar.Top : Bar.Left) + Btn;
    TrackLen = std::max(Length - 2 * Btn, 0);
    First = Vert ? G.FFixedRows : G.FFixedCols;
    const int Last = Vert ? G.MaxTopRow() : G.MaxLeftCol();
    Range = std::max(Last - First, 0);
    Pos = std::clamp((Vert ? G.FTopLeft.Y : G.FTopLeft.X) - First, 0, Range);
    const long long Total = (Vert ? G.FRowCount - G.FFixedRows : G.FColCount - G.FFixedCols);
    const long long Visible = Vert ? G.VisibleRowCount() : G.VisibleColCount();
    ThumbLen = Total > 0 ? static_cast<int>(std::min<long long>(TrackLen, TrackLen * Visible / Total)) : TrackLen;
    ThumbLen = std::min(std::max(ThumbLen, 8), TrackLen);
    const int Free = TrackLen - ThumbLen;
    const int Offset = Range > 0 ? static_cast<int>(static_cast<long long>(Free) * Pos / Range) : 0;
    const int T0 = TrackStart + Offset;
    Thumb = Vert ? TRect{Bar.Left, T0, Bar.Right, T0 + ThumbLen} : TRect{T0, Bar.Top, T0 + ThumbLen, Bar.Bottom};
  }

  // The position whose thumb starts at track coordinate Start.
  int PositionAt(int Start) const {
    const int Free = TrackLen - ThumbLen;
    if (Free <= 0 || Range <= 0) return First;
    const long long Off = std::clamp(Start - TrackStart, 0, Free);
    return First + static_cast<int>((Off * Range + Free / 2) / Free);
  }
};

namespace {

void RaisedBox(TCanvas* C, const TRect& R) {
  C->Brush()->SetColor(clBtnFace);
  C->FillRect(R);
  C->Brush()->SetColor(clBtnHighlight);
  C->FillRect(TRect{R.Left, R.Top, R.Right - 1, R.Top + 1});
  C->FillRect(TRect{R.Left, R.Top, R.Left + 1, R.Bottom - 1});
  C->Brush()->SetColor(clBtnShadow);
  C->FillRect(TRect{R.Left, R.Bottom - 1, R.Right, R.Bottom});
  C->FillRect(TRect{R.Right - 1, R.Top, R.Right, R.Bottom});
}

// A small filled triangle pointing up, down, left or right in the middle of R.
void Arrow(TCanvas* C, const TRect& R, int Dir) {
  const int Cx = (R.Left + R.Right) / 2;
  const int Cy = (R.Top + R.Bottom) / 2;
  C->Brush()->SetColor(clBlack);
  for (int I = 0; I < 4; ++I) {
    switch (Dir) {
      case 0: C->FillRect(TRect{Cx - I, Cy - 2 + I, Cx + I + 1, Cy - 1 + I}); break;  // up
      case 1: C->FillRect(TRect{Cx - I, Cy + 1 - I, Cx + I + 1, Cy + 2 - I}); break;  // down
      case 2: C->FillRect(TRect{Cx - 2 + I, Cy - I, Cx - 1 + I, Cy + I + 1}); break;  // left
      default: C->FillRect(TRect{Cx + 1 - I, Cy - I, Cx + 2 - I, Cy + I + 1}); break;  // right
    }
  }
}

}  // namespace

void TCustomGrid::PaintScrollBar(bool Vertical) {
  const TScrollGeometry G(*this, Vertical);
  if (!G.Shown) return;
  TCanvas* C = Canvas();
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(clBtnHighlight);
  C->FillRect(G.Bar);
  RaisedBox(C, G.Back);
  RaisedBox(C, G.Forth);
  Arrow(C, G.Back, Vertical ? 0 : 2);
  Arrow(C, G.Forth, Vertical ? 1 : 3);
  if (G.TrackLen > 0) RaisedBox(C, G.Thumb);
}

void TCustomGrid::PaintScrollBars() {
  PaintScrollBar(true);
  PaintScrollBar(false);
  if (ShowsVertBar() && ShowsHorzBar()) {
    const TRect CR = ClientRect();
    Canvas()->Brush()->SetColor(clBtnFace);
    Canvas()->FillRect(TRect{CR.Right, CR.Bottom, Width(), Height()});
  }
}

bool TCustomGrid::ScrollBarMouseDown(int X, int Y) {
  for (const bool Vert : {true, false}) {
    const TScrollGeometry G(*this, Vert);
    const TPoint P{X, Y};
    if (!G.Shown || !G.Bar.Contains(P)) continue;
    const int Page = Vert ? VisibleRowCount() : VisibleColCount();
    const auto Scroll = [&](int Delta) {
      if (Vert) {
        MoveTopLeft(FTopLeft.X, FTopLeft.Y + Delta);
      } else {
        MoveTopLeft(FTopLeft.X + Delta, FTopLeft.Y);
      }
    };
    if (G.Back.Contains(P)) {
      Scroll(-1);
    } else if (G.Forth.Contains(P)) {
      Scroll(1);
    } else if (G.Thumb.Contains(P)) {
      FState = Vert ? gsVThumb : gsHThumb;
      FThumbGrab = Vert ? Y - G.Thumb.Top : X - G.Thumb.Left;
    } else {
      Scroll((Vert ? Y < G.Thumb.Top : X < G.Thumb.Left) ? -Page : Page);
    }
    return true;
  }
  return false;
}

void TCustomGrid::ScrollBarDrag(int X, int Y) {
  const bool Vert = FState == gsVThumb;
  const TScrollGeometry G(*this, Vert);
  if (!G.Shown) return;
  const int P = G.PositionAt((Vert ? Y : X) - FThumbGrab);
  if (Vert) {
    MoveTopLeft(FTopLeft.X, P);
  } else {
    MoveTopLeft(P, FTopLeft.Y);
  }
}

// --- Mouse -----------------------------------------------------------------------------------

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus() && !Focused() && !(FInplaceEdit && FInplaceEdit->Focused())) SetFocus();
  if (Button == mbLeft && !ScrollBarMouseDown(X, Y)) {
    const int SizeCol = FOptions.Contains(goColSizing) && Y < FixedRowsHeight() ? ColumnBorderAt(X) : -1;
    const int SizeRow = FOptions.Contains(goRowSizing) && X < FixedColsWidth() ? RowBorderAt(Y) : -1;
    if (SizeCol >= 0) {
      FState = gsColSizing;
      FSizingIndex = SizeCol;
      FSizingStart = X;
      FSizingOrigin = ColWidths(SizeCol);
    } else if (SizeRow >= 0) {
      FState = gsRowSizing;
      FSizingIndex = SizeRow;
      FSizingStart = Y;
      FSizingOrigin = RowHeights(SizeRow);
    } else {
      const TGridCoord Cell = MouseCoord(X, Y);
      if (Cell.X >= FFixedCols && Cell.Y >= FFixedRows) {
        const bool Again = Cell == FCurrent;
        if (Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect)) {
          FocusCell(Cell.X, Cell.Y, false);
        } else {
          FocusCell(Cell.X, Cell.Y, true);
        }
        if (FOptions.Contains(goRangeSelect)) FState = gsSelecting;
        // A second press on the current cell opens the editor.
        if (Again && FOptions.Contains(goEditing) && !FEditorShowing && !Shift.Contains(ssDouble)) ShowEditor();
      }
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  switch (FState) {
    case gsSelecting: {
      const TGridCoord Cell = MouseCoord(X, Y);
      if (Cell.X >= FFixedCols && Cell.Y >= FFixedRows && !(Cell == FCurrent)) FocusCell(Cell.X, Cell.Y, false);
      break;
    }
    case gsColSizing:
      SetColWidths(FSizingIndex, std::max(FSizingOrigin + X - FSizingStart, 1));
      break;
    case gsRowSizing:
      SetRowHeights(FSizingIndex, std::max(FSizingOrigin + Y - FSizingStart, 1));
      break;
    case gsVThumb:
    case gsHThumb:
      if (FOptions.Contains(goThumbTracking)) ScrollBarDrag(X, Y);
      break;
    default: {
      const bool OverCol = FOptions.Contains(goColSizing) && Y < FixedRowsHeight() && ColumnBorderAt(X) >= 0;
      const bool OverRow = FOptions.Contains(goRowSizing) && X < FixedColsWidth() && RowBorderAt(Y) >= 0;
      SetCursor(OverCol ? crHSplit : OverRow ? crVSplit : crDefault);
    }
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TGridState Was = FState;
  FState = gsNormal;
  if (Was == gsVThumb || Was == gsHThumb) {
    FState = Was;
    ScrollBarDrag(X, Y);
    FState = gsNormal;
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
  FocusCell(FCurrent.X, FCurrent.Y + 1, true);
  return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
  FocusCell(FCurrent.X, FCurrent.Y - 1, true);
  return true;
}

// --- Keys ----------------------------------------------------------------------------------------

void TCustomGrid::WndProc(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (FOptions.Contains(goTabs) ? DLGC_WANTTAB : 0);
    return;
  }
  // A character typed on an editable grid opens the editor with it.
  const Char Ch = static_cast<Char>(Message.WParam);
  if (Message.Msg == WM_CHAR && !FEditorShowing && (Ch == 8 || Ch >= 32) && CanEditShow()) {
    ShowEditor();
    if (FEditorShowing) {
      FInplaceEdit->SelectAll();
      FInplaceEdit->Perform(WM_CHAR, Ch);
      Message.Result = 1;
      return;
    }
  }
  TCustomControl::WndProc(Message);
}

void TCustomGrid::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  const bool Ctrl = Shift.Contains(ssCtrl);
  const bool Extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
  const bool RowSel = FOptions.Contains(goRowSelect);
  const int Page = VisibleRowCount();
  TGridCoord To = FCurrent;
  switch (Key) {
    case VK_UP: --To.Y; break;
    case VK_DOWN: ++To.Y; break;
    case VK_LEFT:
      if (RowSel) {
        MoveTopLeft(FTopLeft.X - 1, FTopLeft.Y);
        Key = 0;
        return;
      }
      --To.X;
      break;
    case VK_RIGHT:
      if (RowSel) {
        MoveTopLeft(FTopLeft.X + 1, FTopLeft.Y);
        Key = 0;
        return;
      }
      ++To.X;
      break;
    case VK_PRIOR:
      To.Y -= Page;
      MoveTopLeft(FTopLeft.X, FTopLeft.Y - Page);
      break;
    case VK_NEXT:
      To.Y += Page;
      MoveTopLeft(FTopLeft.X, FTopLeft.Y + Page);
      break;
    case VK_HOME:
      if (Ctrl || RowSel) To.Y = FFixedRows;
      if (!RowSel) To.X = FFixedCols;
      break;
    case VK_END:
      if (Ctrl || RowSel) To.Y = FRowCount - 1;
      if (!RowSel) To.X = FColCount - 1;
      break;
    case VK_TAB:
      if (!FOptions.Contains(goTabs)) return;
      if (Shift.Contains(ssShift)) {
        if (--To.X < FFixedCols) To = TGridCoord{FColCount - 1, To.Y - 1};
      } else if (++To.X >= FColCount) {
        To = TGridCoord{FFixedCols, To.Y + 1};
      }
      if (To.Y < FFixedRows || To.Y >= FRowCount) return;
      FocusCell(To.X, To.Y, true);
      Key = 0;
      return;
    case VK_F2:
      if (FOptions.Contains(goEditing)) SetEditorMode(true);
      Key = 0;
      return;
    default: return;
  }
  FocusCell(To.X, To.Y, !Extend || Key == VK_TAB);
  Key = 0;
}

void TCustomGrid::KeyPress(Char& Key) {
  TCustomControl::KeyPress(Key);
  // Enter opens and closes the editor (it stays open with goAlwaysShowEditor).
  if (Key == u'\r' && !FOptions.Contains(goAlwaysShowEditor)) {
    if (FEditorShowing) {
      HideEditor();
    } else {
      ShowEditor();
    }
    Key = 0;
  }
}

// --- In-place editor -------------------------------------------------------------------------------

bool TCustomGrid::CanEditShow() const {
  return FOptions.Contains(goEditing) && FCurrent.X >= FFixedCols && FCurrent.Y >= FFixedRows &&
         FCurrent.X < FColCount && FCurrent.Y < FRowCount;
}

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

String TCustomGrid::GetEditText(int ACol, int ARow) {
  (void)ACol;
  (void)ARow;
  return String();
}

void TCustomGrid::SetEditText(int ACol, int ARow, const String& Value) {
  (void)ACol;
  (void)ARow;
  (void)Value;
}

TEditStyle TCustomGrid::GetEditStyle(int ACol, int ARow) {
  (void)ACol;
  (void)ARow;
  return esSimple;
}

bool TCustomGrid::EditorMode() const { return FEditorShowing; }

void TCustomGrid::SetEditorMode(bool Value) {
  if (Value) {
    ShowEditor();
  } else {
    HideEditor();
  }
}

void TCustomGrid::ShowEditor() {
  if (!CanEditShow()) return;
  if (CellRect(FCurrent.X, FCurrent.Y).IsEmpty()) FocusCell(FCurrent.X, FCurrent.Y, false);
  if (!FInplaceEdit) {
    FInplaceEdit = CreateEditor();
    FInplaceEdit->FGrid = this;
    FInplaceEdit->SetParent(this);
  }
  FInplaceEdit->UpdateContents();
  FEditorOriginal = FInplaceEdit->Text();
  FEditorShowing = true;
  FInplaceEdit->Move(CellRect(FCurrent.X, FCurrent.Y));
  if (FInplaceEdit->CanFocus()) FInplaceEdit->SetFocus();
  FInplaceEdit->SelectAll();
}

void TCustomGrid::HideEditor() {
  if (!FEditorShowing) return;
  FEditorShowing = false;
  const bool HadFocus = FInplaceEdit->Focused();
  FInplaceEdit->Hide();
  if (HadFocus && CanFocus()) SetFocus();
  Invalidate();
}

void TCustomGrid::InvalidateEditor() { HideEditor(); }

void TCustomGrid::UpdateText() {
  if (FEditorShowing && FInplaceEdit) SetEditText(FCurrent.X, FCurrent.Y, FInplaceEdit->Text());
}

void TCustomGrid::UpdateEdit() {
  if (!FInplaceEdit || !FEditorShowing) return;
  const TRect R = CellRect(FCurrent.X, FCurrent.Y);
  if (R.IsEmpty()) {
    FInplaceEdit->Hide();
  } else {
    FInplaceEdit->Move(R);
  }
}

// --- TCustomDrawGrid -----------------------------------------------------------------------------

TCustomDrawGrid::TCustomDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

void TCustomDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (FOnDrawCell) FOnDrawCell(this, ACol, ARow, ARect, AState);
  if (DefaultDrawing() && AState.Contains(gdFocused) && !Options().Contains(goRowSelect)) {
    Canvas()->DrawFocusRect(ARect);
  }
}

bool TCustomDrawGrid::SelectCell(int ACol, int ARow) {
  bool CanSelect = true;
  if (FOnSelectCell) FOnSelectCell(this, ACol, ARow, CanSelect);
  return CanSelect;
}

void TCustomDrawGrid::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  if (FOnTopLeftChanged) FOnTopLeftChanged(this);
}

void TCustomDrawGrid::ColWidthsChanged() {
  TCustomGrid::ColWidthsChanged();
  if (FOnColWidthsChanged) FOnColWidthsChanged(this);
}

String TCustomDrawGrid::GetEditText(int ACol, int ARow) {
  String Value;
  if (FOnGetEditText) FOnGetEditText(this, ACol, ARow, Value);
  return Value;
}

void TCustomDrawGrid::SetEditText(int ACol, int ARow, const String& Value) {
  if (FOnSetEditText) FOnSetEditText(this, ACol, ARow, Value);
}

}  // namespace orv

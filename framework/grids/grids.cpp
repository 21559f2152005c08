// TCustomGrid: shape, geometry, scrolling, selection and painting. Mouse,
// keys and the editor's life are in gridinput.cpp.

#include "framework/grids/grids.h"

#include <algorithm>

#include "framework/grids/inplaceedit.h"

namespace orv {

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  FOptions = TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  FColWidths.assign(static_cast<size_t>(FColCount), FDefaultColWidth);
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
  SetColor(clWindow);
  SetParentColor(false);
  SetTabStop(true);
  SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() = default;

// --- Shape ---------------------------------------------------------------------------

void TCustomGrid::SetColCount(int Value) {
  Value = std::max(Value, 1);
  if (Value == FColCount) return;
  if (FFixedCols >= Value) FFixedCols = Value - 1;
  FColCount = Value;
  FColWidths.resize(static_cast<size_t>(Value), FDefaultColWidth);
  AfterResize();
}

void TCustomGrid::SetRowCount(int Value) {
  Value = std::max(Value, 1);
  if (Value == FRowCount) return;
  if (FFixedRows >= Value) FFixedRows = Value - 1;
  FRowCount = Value;
  FRowHeights.erase(FRowHeights.lower_bound(Value), FRowHeights.end());
  AfterResize();
}

void TCustomGrid::SetFixedCols(int Value) {
  if (Value < 0 || Value >= FColCount) throw EInvalidGridOperation(u"Fixed column count must be less than column count");
  if (Value == FFixedCols) return;
  FFixedCols = Value;
  AfterResize();
}

void TCustomGrid::SetFixedRows(int Value) {
  if (Value < 0 || Value >= FRowCount) throw EInvalidGridOperation(u"Fixed row count must be less than row count");
  if (Value == FFixedRows) return;
  FFixedRows = Value;
  AfterResize();
}

// The current cell, the anchor and the view stay inside the scrolled area
// after the shape changed.
void TCustomGrid::AfterResize() {
  const auto ClampCoord = [this](TGridCoord& P) {
    P.X = std::clamp(P.X, FFixedCols, FColCount - 1);
    P.Y = std::clamp(P.Y, FFixedRows, FRowCount - 1);
  };
  ClampCoord(FCurrent);
  ClampCoord(FAnchor);
  ClampView();
  if (FEditorShowing) UpdateEdit();
  Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int Value) {
  if (Value == FDefaultColWidth) return;
  FDefaultColWidth = Value;
  std::fill(FColWidths.begin(), FColWidths.end(), Value);
  ColWidthsChanged();
  AfterResize();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  if (Value == FDefaultRowHeight) return;
  FDefaultRowHeight = Value;
  FRowHeights.clear();
  RowHeightsChanged();
  AfterResize();
}

int TCustomGrid::ColWidths(int ACol) const {
  if (ACol < 0 || ACol >= FColCount) return 0;
  return FColWidths[static_cast<size_t>(ACol)];
}

void TCustomGrid::SetColWidths(int ACol, int Value) {
  if (ACol < 0 || ACol >= FColCount) return;
  int& W = FColWidths[static_cast<size_t>(ACol)];
  if (W == Value) return;
  W = Value;
  ColWidthsChanged();
  AfterResize();
}

int TCustomGrid::RowHeights(int ARow) const {
  if (ARow < 0 || ARow >= FRowCount) return 0;
  const auto It = FRowHeights.find(ARow);
  return It == FRowHeights.end() ? FDefaultRowHeight : It->second;
}

void TCustomGrid::SetRowHeights(int ARow, int Value) {
  if (ARow < 0 || ARow >= FRowCount || RowHeights(ARow) == Value) return;
  if (Value == FDefaultRowHeight) {
    FRowHeights.erase(ARow);
  } else {
    FRowHeights[ARow] = Value;
  }
  RowHeightsChanged();
  AfterResize();
}

void TCustomGrid::SetGridLineWidth(int Value) {
  Value = std::max(Value, 0);
  if (Value == FGridLineWidth) return;
  FGridLineWidth = Value;
  AfterResize();
}

void TCustomGrid::SetOptions(const TGridOptions& Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  if (!FOptions.Contains(goEditing) && FEditorShowing) HideEditor();
  if (FOptions.Contains(goAlwaysShowEditor) && !FEditorShowing) ShowEditor();
  Invalidate();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
  if (Value == FDefaultDrawing) return;
  FDefaultDrawing = Value;
  Invalidate();
}

void TCustomGrid::SetFixedColor(TColor Value) {
  if (Value == FFixedColor) return;
  FFixedColor = Value;
  Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  AfterResize();
}

// --- Geometry -------------------------------------------------------------------------

namespace {
// Space a column (row) of size S takes with its line; hidden (negative) ones take none.
int Span(int S, int Line) { return S < 0 ? 0 : S + Line; }
// The index after I in screen order: the fixed ones, then First onwards.
int NextShown(int I, int Fixed, int First) { return I + 1 == Fixed ? std::max(First, Fixed) : I + 1; }
// The first index in screen order.
int FirstShown(int Fixed, int First) { return Fixed > 0 ? 0 : First; }
}  // namespace

int TCustomGrid::FixedColsWidth() const {
  int W = 0;
  for (int C = 0; C < FFixedCols; ++C) W += Span(ColWidths(C), FGridLineWidth);
  return W;
}

int TCustomGrid::FixedRowsHeight() const {
  int H = 0;
  for (int R = 0; R < FFixedRows; ++R) H += Span(RowHeights(R), FGridLineWidth);
  return H;
}

bool TCustomGrid::ShowsHorzBar() const {
  if (FScrollBars != TScrollStyle::ssHorizontal && FScrollBars != TScrollStyle::ssBoth) return false;
  // Widths only add up, so the walk stops at the first column past the room:
  // asked on every client-area query, it costs the visible columns, not all.
  int W = 0;
  for (int C = 0; C < FColCount; ++C) {
    W += Span(ColWidths(C), FGridLineWidth);
    if (W > Width()) return true;
  }
  if (FScrollBars == TScrollStyle::ssHorizontal || W <= Width() - ScrollBarSize) return false;
  // The vertical bar, when it shows, narrows the room; it shows when the rows
  // do not fit the height left beside a horizontal bar.
  long long H = static_cast<long long>(FRowCount) * Span(FDefaultRowHeight, FGridLineWidth);
  for (const auto& [R, RH] : FRowHeights) H += Span(RH, FGridLineWidth) - Span(FDefaultRowHeight, FGridLineWidth);
  return H > Height();
}

bool TCustomGrid::ShowsVertBar() const {
  if (FScrollBars != TScrollStyle::ssVertical && FScrollBars != TScrollStyle::ssBoth) return false;
  long long H = static_cast<long long>(FRowCount) * Span(FDefaultRowHeight, FGridLineWidth);
  for (const auto& [R, RH] : FRowHeights) H += Span(RH, FGridLineWidth) - Span(FDefaultRowHeight, FGridLineWidth);
  const int Room = Height() - (ShowsHorzBar() ? ScrollBarSize : 0);
  return H > Room;
}

TRect TCustomGrid::ClientRect() const {
  return TRect{0, 0, std::max(Width() - (ShowsVertBar() ? ScrollBarSize : 0), 0),
               std::max(Height() - (ShowsHorzBar() ? ScrollBarSize : 0), 0)};
}

int TCustomGrid::ColumnLeft(int ACol) const {
  if (ACol < 0 || ACol >= FColCount) return -1;
  int X = 0;
  if (ACol < FFixedCols) {
    for (int C = 0; C < ACol; ++C) X += Span(ColWidths(C), FGridLineWidth);
    return X;
  }
  if (ACol < FTopLeft.X) return -1;
  X = FixedColsWidth();
  for (int C = FTopLeft.X; C < ACol; ++C) X += Span(ColWidths(C), FGridLineWidth);
  return X;
}

int TCustomGrid::RowTop(int ARow) const {
  if (ARow < 0 || ARow >= FRowCount) return -1;
  int Y = 0;
  if (ARow < FFixedRows) {
    for (int R = 0; R < ARow; ++R) Y += Span(RowHeights(R), FGridLineWidth);
    return Y;
  }
  if (ARow < FTopLeft.Y) return -1;
  Y = FixedRowsHeight();
  // Rows far below the view need not be walked one by one.
  const int Limit = Height();
  for (int R = FTopLeft.Y; R < ARow; ++R) {
    Y += Span(RowHeights(R), FGridLineWidth);
    if (Y > Limit) return Y;
  }
  return Y;
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
  const int X = ColumnLeft(ACol);
  const int Y = RowTop(ARow);
  const TRect CR = ClientRect();
  if (X < 0 || Y < 0 || X >= CR.Right || Y >= CR.Bottom) return TRect{};
  const int W = ColWidths(ACol);
  const int H = RowHeights(ARow);
  if (W < 0 || H < 0) return TRect{};
  return TRect{X, Y, X + W, Y + H};
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
  const TGridCoord P = MouseCoord(X, Y);
  ACol = P.X;
  ARow = P.Y;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const {
  TGridCoord Result{-1, -1};
  const TRect CR = ClientRect();
  if (X < 0 || Y < 0 || X >= CR.Right || Y >= CR.Bottom) return Result;
  const auto Find = [](int Pos, int Fixed, int First, int Count, auto&& Size, int Line) {
    int Edge = 0;
    for (int I = FirstShown(Fixed, First); I < Count; I = NextShown(I, Fixed, First)) {
      Edge += Span(Size(I), Line);
      if (Pos < Edge) return I;
    }
    return -1;
  };
  Result.X = Find(X, FFixedCols, FTopLeft.X, FColCount, [this](int C) { return ColWidths(C); }, FGridLineWidth);
  Result.Y = Find(Y, FFixedRows, FTopLeft.Y, FRowCount, [this](int R) { return RowHeights(R); }, FGridLineWidth);
  return Result;
}

int TCustomGrid::VisibleRowCount() const {
  const int Room = ClientRect().Bottom - FixedRowsHeight();
  int Y = 0;
  int N = 0;
  for (int R = FTopLeft.Y; R < FRowCount; ++R) {
    Y += Span(RowHeights(R), FGridLineWidth);
    if (Y > Room) break;
    ++N;
  }
  return std::max(N, 1);
}

int TCustomGrid::VisibleColCount() const {
  const int Room = ClientRect().Right - FixedColsWidth();
  int X = 0;
  int N = 0;
  for (int C = FTopLeft.X; C < FColCount; ++C) {
    X += Span(ColWidths(C), FGridLineWidth);
    if (X > Room) break;
    ++N;
  }
  return std::max(N, 1);
}

int TCustomGrid::MaxTopRow() const {
  const int Room = ClientRect().Bottom - FixedRowsHeight();
  int Y = 0;
  int R = FRowCount - 1;
  for (; R >= FFixedRows; --R) {
    Y += Span(RowHeights(R), FGridLineWidth);
    if (Y > Room) break;
  }
  return std::clamp(R + 1, FFixedRows, FRowCount - 1);
}

int TCustomGrid::MaxLeftCol() const {
  const int Room = ClientRect().Right - FixedColsWidth();
  int X = 0;
  int C = FColCount - 1;
  for (; C >= FFixedCols; --C) {
    X += Span(ColWidths(C), FGridLineWidth);
    if (X > Room) break;
  }
  return std::clamp(C + 1, FFixedCols, FColCount - 1);
}

int TCustomGrid::ColumnBorderAt(int X) const {
  if (X < 0) return -1;
  int Edge = 0;
  for (int C = FirstShown(FFixedCols, FTopLeft.X); C < FColCount; C = NextShown(C, FFixedCols, FTopLeft.X)) {
    Edge += Span(ColWidths(C), FGridLineWidth);
    if (std::abs(X - (Edge - 1)) <= 2 && ColWidths(C) >= 0) return C;
    if (Edge > X + 3) break;
  }
  return -1;
}

int TCustomGrid::RowBorderAt(int Y) const {
  if (Y < 0) return -1;
  int Edge = 0;
  for (int R = FirstShown(FFixedRows, FTopLeft.Y); R < FRowCount; R = NextShown(R, FFixedRows, FTopLeft.Y)) {
    Edge += Span(RowHeights(R), FGridLineWidth);
    if (std::abs(Y - (Edge - 1)) <= 2) return R;
    if (Edge > Y + 3) break;
  }
  return -1;
}

// --- Position and selection ---------------------------------------------------------

void TCustomGrid::SetCol(int Value) {
  if (Value != FCurrent.X) FocusCell(Value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(int Value) {
  if (Value != FCurrent.Y) FocusCell(FCurrent.X, Value, true);
}

TGridRect TCustomGrid::Selection() const {
  TGridRect R{std::min(FAnchor.X, FCurrent.X), std::min(FAnchor.Y, FCurrent.Y), std::max(FAnchor.X, FCurrent.X),
              std::max(FAnchor.Y, FCurrent.Y)};
  if (FOptions.Contains(goRowSelect)) {
    R.Left = FFixedCols;
    R.Right = FColCount - 1;
  }
  return R;
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
  FAnchor = TGridCoord{Value.Left, Value.Top};
  FCurrent = TGridCoord{Value.Right, Value.Bottom};
  if (FCurrent.X >= FFixedCols && FCurrent.X < FColCount && FCurrent.Y >= FFixedRows && FCurrent.Y < FRowCount) {
    // Bring the current cell into view.
    int L = FTopLeft.X;
    int T = FTopLeft.Y;
    if (FCurrent.Y < T) T = FCurrent.Y;
    if (FCurrent.X < L) L = FCurrent.X;
    MoveTopLeft(L, T);
    if (FCurrent.Y >= FTopLeft.Y + VisibleRowCount()) MoveTopLeft(FTopLeft.X, FCurrent.Y - VisibleRowCount() + 1);
    if (!FOptions.Contains(goRowSelect) && FCurrent.X >= FTopLeft.X + VisibleColCount()) {
      MoveTopLeft(FCurrent.X - VisibleColCount() + 1, FTopLeft.Y);
    }
  }
  Invalidate();
}

void TCustomGrid::SetTopRow(int Value) { MoveTopLeft(FTopLeft.X, Value); }

void TCustomGrid::SetLeftCol(int Value) { MoveTopLeft(Value, FTopLeft.Y); }

void TCustomGrid::MoveTopLeft(int ALeft, int ATop) {
  ALeft = std::clamp(ALeft, FFixedCols, std::max(MaxLeftCol(), FFixedCols));
  ATop = std::clamp(ATop, FFixedRows, std::max(MaxTopRow(), FFixedRows));
  if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
  FTopLeft = TGridCoord{ALeft, ATop};
  if (FEditorShowing) UpdateEdit();
  Invalidate();
  TopLeftChanged();
}

void TCustomGrid::ClampView() {
  const TGridCoord Old = FTopLeft;
  FTopLeft.X = std::clamp(FTopLeft.X, FFixedCols, std::max(MaxLeftCol(), FFixedCols));
  FTopLeft.Y = std::clamp(FTopLeft.Y, FFixedRows, std::max(MaxTopRow(), FFixedRows));
  if (!(Old == FTopLeft)) TopLeftChanged();
}

void TCustomGrid::Resize() {
  TCustomControl::Resize();
  ClampView();
}

bool TCustomGrid::SelectCell(int ACol, int ARow) {
  (void)ACol;
  (void)ARow;
  return true;
}

void TCustomGrid::TopLeftChanged() {}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) {
  ACol = std::clamp(ACol, FFixedCols, FColCount - 1);
  ARow = std::clamp(ARow, FFixedRows, FRowCount - 1);
  if (ACol < FFixedCols || ARow < FFixedRows) return;  // nothing but fixed cells
  const bool Moves = ACol != FCurrent.X || ARow != FCurrent.Y;
  if (Moves && !SelectCell(ACol, ARow)) return;
  if (Moves && FEditorShowing) HideEditor();
  FCurrent = TGridCoord{ACol, ARow};
  if (MoveAnchor || !FOptions.Contains(goRangeSelect)) FAnchor = FCurrent;
  // Scroll the current cell into view.
  int L = FTopLeft.X;
  int T = FTopLeft.Y;
  if (ARow < T) T = ARow;
  if (ACol < L) L = ACol;
  MoveTopLeft(L, T);
  if (ARow >= FTopLeft.Y + VisibleRowCount()) MoveTopLeft(FTopLeft.X, ARow - VisibleRowCount() + 1);
  if (!FOptions.Contains(goRowSelect) && ACol >= FTopLeft.X + VisibleColCount()) {
    MoveTopLeft(ACol - VisibleColCount() + 1, FTopLeft.Y);
  }
  Invalidate();
  if (Moves && FOptions.Contains(goAlwaysShowEditor)) ShowEditor();
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
  (void)ACol;
  (void)ARow;
  Invalidate();
}

void TCustomGrid::InvalidateRow(int ARow) {
  (void)ARow;
  Invalidate();
}

void TCustomGrid::InvalidateCol(int ACol) {
  (void)ACol;
  Invalidate();
}

// --- Painting ----------------------------------------------------------------------------

void TCustomGrid::Paint() {
  TCanvas* C = Canvas();
  TCanvasStateSaver Saver(C);
  const TRect CR = ClientRect();
  C->SetClipRect(CR);
  C->Pen()->SetMode(pmCopy);
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetWidth(1);
  C->Brush()->SetStyle(bsSolid);

  // The columns and rows in view with their left (top) edges; each slot and
  // the line after it follow the one before without a gap, up to the end
  // position returned.
  struct TSlot {
    int Index;
    int Pos;
    int Size;
  };
  std::vector<TSlot> Cols;
  std::vector<TSlot> Rows;
  const auto Collect = [](std::vector<TSlot>& Out, int Fixed, int First, int Count, int Limit, auto&& Size, int Line) {
    int Pos = 0;
    for (int I = 0; I < Fixed && Pos < Limit; ++I) {
      const int S = Size(I);
      if (S >= 0) Out.push_back(TSlot{I, Pos, S});
      Pos += Span(S, Line);
    }
    for (int I = std::max(First, Fixed); I < Count && Pos < Limit; ++I) {
      const int S = Size(I);
      if (S >= 0) Out.push_back(TSlot{I, Pos, S});
      Pos += Span(S, Line);
    }
    return Pos;
  };
  const int ColsEnd =
      Collect(Cols, FFixedCols, FTopLeft.X, FColCount, CR.Right, [this](int I) { return ColWidths(I); }, FGridLineWidth);
  const int RowsEnd =
      Collect(Rows, FFixedRows, FTopLeft.Y, FRowCount, CR.Bottom, [this](int I) { return RowHeights(I); }, FGridLineWidth);

  // The background shows where no cell reaches. When every cell is filled
  // and every line drawn, cells and lines cover the area up to the ends
  // exactly, and only the strips right of and below it need the colour.
  C->Brush()->SetColor(Color());
  const bool AllLines = FGridLineWidth == 0 || (FOptions.Contains(goFixedVertLine) && FOptions.Contains(goVertLine) &&
                                                FOptions.Contains(goFixedHorzLine) && FOptions.Contains(goHorzLine));
  if (FDefaultDrawing && AllLines) {
    C->FillRect(TRect{ColsEnd, 0, CR.Right, CR.Bottom});
    C->FillRect(TRect{0, RowsEnd, std::min(ColsEnd, CR.Right), CR.Bottom});
  } else {
    C->FillRect(CR);
  }

  const TGridRect Sel = Selection();
  const bool FocusSelected = FOptions.Contains(goDrawFocusSelected) || FOptions.Contains(goRowSelect);
  // Grid lines first, in the gaps to the right of and below each cell.
  if (FGridLineWidth > 0) {
    for (const TSlot& R : Rows) {
      for (const TSlot& Cl : Cols) {
        const bool Fixed = Cl.Index < FFixedCols || R.Index < FFixedRows;
        const bool Vert = FOptions.Contains(Fixed ? goFixedVertLine : goVertLine);
        const bool Horz = FOptions.Contains(Fixed ? goFixedHorzLine : goHorzLine);
        if (!Vert && !Horz) continue;
        C->Brush()->SetColor(Fixed ? clBlack : clSilver);
        if (Vert) C->FillRect(TRect{Cl.Pos + Cl.Size, R.Pos, Cl.Pos + Cl.Size + FGridLineWidth, R.Pos + R.Size + FGridLineWidth});
        if (Horz) C->FillRect(TRect{Cl.Pos, R.Pos + R.Size, Cl.Pos + Cl.Size + FGridLineWidth, R.Pos + R.Size + FGridLineWidth});
      }
    }
  }
  for (const TSlot& R : Rows) {
    for (const TSlot& Cl : Cols) {
      const TRect Cell{Cl.Pos, R.Pos, Cl.Pos + Cl.Size, R.Pos + R.Size};
      TGridDrawState State;
      const bool Fixed = Cl.Index < FFixedCols || R.Index < FFixedRows;
      if (Fixed) {
        State.Include(gdFixed);
      } else {
        const bool Focus = Cl.Index == FCurrent.X && R.Index == FCurrent.Y;
        if (Focus) State.Include(gdFocused);
        if (Cl.Index >= Sel.Left && Cl.Index <= Sel.Right && R.Index >= Sel.Top && R.Index <= Sel.Bottom &&
            (!Focus || FocusSelected)) {
          State.Include(gdSelected);
        }
      }
      if (FDefaultDrawing) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(State.Contains(gdFixed) ? FFixedColor : State.Contains(gdSelected) ? clHighlight : Color());
        C->Font()->Assign(Font());
        if (State.Contains(gdSelected)) C->Font()->SetColor(clHighlightText);
        if (!CellFillsItself(Cl.Index, R.Index)) C->FillRect(Cell);
      }
      TCanvasStateSaver CellSaver(C);
      DrawCell(Cl.Index, R.Index, Cell, State);
    }
  }
  C->ResetClipRect();
  PaintScrollBars();
  // A direct paint covers the editor on the surface; draw it again on top.
  if (FEditorShowing && FInplaceEdit && FInplaceEdit->Visible()) {
    FInplaceEdit->PaintTo(C, FInplaceEdit->Left(), FInplaceEdit->Top());
  }
}

}  // namespace orv

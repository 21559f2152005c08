// TNTabEd: painting of data cells, header cells and the comment cell.

#include <algorithm>

#include "framework/graphics/colors.h"
#include "framework/rtl/sysutils.h"
#include "ntabed/ntabed.h"

namespace orv {

namespace {
constexpr TColor kCommentBrush = 0x808000;
constexpr TColor kCommentFont = 0xFFFFFF;
}  // namespace

void TNTabEd::Paint() {
  if (Suppressed()) return;
  TCustomGrid::Paint();
  if (FOptimizeRowHeight) {
    const int H = AutoRowHeight(-1, 2);
    if (H != DefaultRowHeight()) SetDefaultRowHeight(H);
  }
}

void TNTabEd::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  (void)AState;
  if (ACol > FColOffset && ARow > FRowOffset) {
    const int C = ACol - FColOffset;
    const int R = ARow - FRowOffset;
    // An empty table keeps one blank column and row in the grid.
    if (C > NrOfColumns() || R > NrOfRows()) {
      Canvas()->Brush()->SetColor(Color());
      Canvas()->FillRect(ARect);
      return;
    }
    DrawDataCell(C, R, ARect);
  } else {
    DrawFixedCell(ACol, ARow, ARect);
  }
}

// A data cell's text background covers the whole cell (so does the blank
// cell of an empty table); header cells leave a frame to the grid's fill.
bool TNTabEd::CellFillsItself(int ACol, int ARow) const { return ACol > FColOffset && ARow > FRowOffset; }

void TNTabEd::DrawDataCell(int C, int R, const TRect& Rect) {
  TCanvas* Cv = Canvas();
  String Text = CellText(C, R);
  const uint8_t State = CellState(C, R);
  const TGridRect Sel = Selection();
  const int GC = C + FColOffset;
  const int GR = R + FRowOffset;
  const bool Selected = GC >= Sel.Left && GC <= Sel.Right && GR >= Sel.Top && GR <= Sel.Bottom;
  TFontStyles Styles = Font()->Style();
  TColor Ink;
  const uint8_t Marks = State & (dtsMarkA | dtsMarkB);
  if (Marks != 0) {
    Ink = Marks == dtsMarkA ? FColorMarkedA : Marks == dtsMarkB ? FColorMarkedB : FColorMarkedBoth;
    if (FBoldMarks) Styles.Include(fsBold);
  } else {
    Ink = Selected ? FColorRangeSelFG : FColorNormal;
  }
  TColor Back = Selected ? FColorRangeSelBG : Color();
  if (FOnBeforeRenderCell) FOnBeforeRenderCell(this, C, R, Text, Ink, Back, Styles);
  Cv->Brush()->SetStyle(bsSolid);
  Cv->Brush()->SetColor(Back);
  Cv->Font()->SetStyle(Styles);
  Cv->Font()->SetColor(Ink);
  Cv->TextRect(Rect, Rect.Left + 2, Rect.Top + 1, Text);
}

void TNTabEd::DrawFixedCell(int ACol, int ARow, TRect Rect) {
  TCanvas* Cv = Canvas();
  if (ACol == 0 && ARow == 0) {
    Cv->Brush()->SetStyle(bsSolid);
    Cv->Font()->SetStyle(TFontStyles{});
    if (FCommentEdActive) {
      Cv->Brush()->SetColor(kCommentBrush);
      Cv->Font()->SetColor(kCommentFont);
      Cv->TextRect(Rect, Rect.Left + 3, Rect.Top + 2, u"Comment:");
      return;
    }
    Cv->Brush()->SetColor(clWindow);
    Cv->Font()->SetColor(FColorNormal);
    if (FShowCellCursor) {
      const TGridCoord P = CurrentDataCell();
      Cv->TextRect(Rect, Rect.Left + 3, Rect.Top + 2, IntToStr(P.X) + u":" + IntToStr(P.Y));
    } else {
      Cv->FillRect(Rect);
    }
    return;
  }
  Rect = TRect{Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1};
  const TGridRect Sel = Selection();
  const bool DataCol = ACol > FColOffset;  // in the name or attribute row
  const bool DataRow = ARow > FRowOffset;  // in the name or attribute column
  String Text;
  bool RowNameCell = false;
  if (DataCol) {
    const int C = ACol - FColOffset;
    Text = ARow == 0 ? ColName(C) : IntToStr(ColAttrib(C));
  } else if (DataRow) {
    const int R = ARow - FRowOffset;
    RowNameCell = ACol == 0;
    Text = ACol == 0 ? RowName(R) : IntToStr(RowAttrib(R));
  } else if (ARow == 0) {
    Text = u"Attrib";  // name row over the attribute column
  } else if (ACol == 0) {
    Text = u"Attribute";  // attribute row, name column
  } else {
    return;  // where the attribute column and row cross
  }
  TFontStyles Styles = Font()->Style();
  TColor Ink = FColorNormal;
  if ((DataCol && ACol == Sel.Left) || (DataRow && ARow == Sel.Top)) {
    Ink = FColorSelected;
    if (FBoldSelHeads) Styles.Include(fsBold);
  }
  if (DataCol || DataRow) Rect.Right -= 2;
  Cv->Brush()->SetStyle(bsSolid);
  Cv->Brush()->SetColor(FixedColor());
  Cv->Font()->SetColor(Ink);
  Cv->Font()->SetStyle(Styles);
  Cv->TextRect(Rect, Rect.Left + 2, RowNameCell ? Rect.Top : Rect.Top + 1, Text);
  Cv->Font()->SetStyle(Font()->Style());
}

// Cell (0, 0) drawn at once, outside a paint pass, after keys and clicks.
void TNTabEd::DrawCellCursor() {
  if (!FShowCellCursor || Suppressed() || FCommentEdActive) return;
  const TRect R = CellRect(0, 0);
  if (R.IsEmpty()) return;
  TCanvas* Cv = Canvas();
  TCanvasStateSaver Saver(Cv);
  Cv->Font()->Assign(Font());
  Cv->Font()->SetColor(FColorNormal);
  Cv->Font()->SetStyle(TFontStyles{});
  Cv->Brush()->SetStyle(bsSolid);
  Cv->Brush()->SetColor(clWindow);
  const TGridCoord P = CurrentDataCell();
  Cv->TextRect(R, R.Left + 3, R.Top + 2, IntToStr(P.X) + u":" + IntToStr(P.Y));
}

TGridCoord TNTabEd::CurrentDataCell() const {
  const TGridRect Sel = Selection();
  return TGridCoord{Sel.Left - FColOffset, Sel.Top - FRowOffset};
}

}  // namespace orv

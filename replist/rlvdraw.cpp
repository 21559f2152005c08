// TReportListView: drawing of data cells (text, truncation, masking,
// striping, state colours, check boxes and radio buttons), of the common
// and column headers (multi-line names, sort arrow, raised frames), of the
// empty-list message and of the inter-row indicator.

#include <algorithm>
#include <array>

#include "framework/rtl/rtlmath.h"
#include "replist/replistview.h"

namespace orv {

namespace {

constexpr Char kPasswordMask[] = u"******";

// Splits Text at Sep into lines (an empty text is one empty line).
std::vector<String> SplitLines(const String& Text, Char Sep) {
  std::vector<String> Lines;
  size_t Start = 0;
  for (;;) {
    const size_t At = Text.find(Sep, Start);
    Lines.push_back(Text.substr(Start, At == String::npos ? String::npos : At - Start));
    if (At == String::npos) break;
    Start = At + 1;
  }
  return Lines;
}

void Line(TCanvas* C, int X1, int Y1, int X2, int Y2) {
  C->MoveTo(X1, Y1);
  C->LineTo(X2, Y2);
}

}  // namespace

void TReportListView::DrawRaisedFrame(const TRect& R) {
  TCanvas* C = Canvas();
  C->Pen()->SetWidth(1);
  C->Pen()->SetColor(clWhite);
  C->MoveTo(R.Left, R.Bottom - 1);
  C->LineTo(R.Left, R.Top);
  C->LineTo(R.Right, R.Top);
  C->Pen()->SetColor(clGray);
  C->MoveTo(R.Left + 1, R.Bottom - 1);
  C->LineTo(R.Right - 1, R.Bottom - 1);
  C->LineTo(R.Right - 1, R.Top);
}

void TReportListView::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (AState.Contains(gdFixed) && ARow < CountHeadRows()) {
    DrawHeaderCell(ACol, ARow, ARect);
  } else {
    DrawDataCell(ACol, ARow, ARect);
  }
}

void TReportListView::DrawDataCell(int ACol, int ARow, const TRect& ARect) {
  TCanvas* C = Canvas();
  const int h = CountHeadRows();
  TRect R = ARect;
  if (!Options().Contains(goVertLine)) ++R.Right;
  if (!Options().Contains(goHorzLine)) ++R.Bottom;
  TRect T{R.Left + 4, R.Top + 2, R.Right - 6, R.Bottom};

  C->Font()->Assign(Font());
  const int d = DataColumnAt(ACol);
  const int r = ARow - h + 1;
  const bool RowValid = r >= 1 && r <= NrOfShownRows();
  String Text = RowValid && d > 0 ? Cells()->Elem(d, r) : String();
  if (ColumnIsPwd(d)) Text = kPasswordMask;

  TColor FontColor = FColorNormal;
  TColor Bkgd = FRowColPattern > 0 && ((ARow - h) / FRowColPattern) % 2 == 0 ? FRColorShaded : FRColorNormal;
  TFontStyles Styles = Font()->Style();
  const uint8_t RowAttr = RowValid ? Cells()->RowAttrib(r) : 0;
  const bool Disabled = (RowAttr & RowAttrDisabled) != 0;
  if (FEnabled) {
    const bool RowSel = (RowAttr & RowAttrSelected) != 0;
    const bool ColSel = d > 0 && (Cells()->ColAttrib(d) & ColAttrSelected) != 0;
    if (Disabled) {
      Bkgd = FDisabledBkgdColor;
      FontColor = FDisabledTextColor;
    } else {
      if (ColSel && RowSel) {
        Bkgd = FSelBothColor;
        FontColor = FSelBothTextColor;
      } else if (ColSel) {
        Bkgd = FSelColColor;
        FontColor = FSelColTextColor;
      } else if (RowSel) {
        Bkgd = FSelRowColor;
        FontColor = FSelRowTextColor;
      }
      if ((RowValid && r == FHiLgtRow) || (d > 0 && d == FHiLgtColumn)) {
        Bkgd = FHiLgtColor;
        FontColor = FHiLgtTextColor;
        if (FHiLgtBold) Styles.Include(fsBold);
      }
    }
  }
  if (ACol < FixedCols()) Bkgd = FColHdColor;
  if (!FEnabled) FontColor = clInactiveCaption;
  TColor PenColor = Bkgd;
  TColor BrushColor = Bkgd;
  if (FOnBefRenderCell) FOnBefRenderCell(this, d, r, PenColor, BrushColor, FontColor, Styles, Text);
  C->Font()->SetStyle(Styles);
  C->Font()->SetColor(FontColor);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(BrushColor);

  const TCheckMode Mode = ColumnCheckMode(d);
  const bool CheckCol = Mode != cmNone;
  const int CellWidth = TCustomGrid::ColWidths(ACol);
  // Truncation to the column: measured without the first character, which
  // is the check mark in check columns.
  {
    const String Rest = Text.empty() ? String() : Text.substr(1);
    const int W = C->TextWidth(Rest);
    const int Room = CellWidth - 9 - (CheckCol ? 16 : 0);
    if (W > Room && W > 0) {
      const long double Exact = static_cast<long double>(Text.size()) * Room / W - 4;
      const size_t k = static_cast<size_t>(std::max<long long>(Round(Exact), 1));
      if (ColumnAlignment(d) == taRightJustify) {
        Text = Text.substr(0, 1) + u"..." + Text.substr(Text.size() - std::min(k, Text.size()));
      } else {
        Text = Text.substr(0, k) + u"...";
      }
    }
  }

  C->Pen()->SetColor(BrushColor);
  C->Pen()->SetWidth(1);
  C->Pen()->SetStyle(psSolid);
  C->Rectangle(R);
  C->Pen()->SetColor(PenColor);

  const bool Italic = Styles.Contains(fsItalic);
  const auto DrawText = [&](const String& S, const TRect& Box) {
    const int W = C->TextWidth(S) + (Italic ? 2 : 0);
    int X = Box.Left;
    switch (ColumnAlignment(d)) {
      case taRightJustify: X = Box.Right - W; break;
      case taCenter: X = (Box.Left + Box.Right) / 2 - W / 2; break;
      default: break;
    }
    // The cell is already filled in the brush colour: the text needs no box of its own.
    C->Brush()->SetStyle(bsClear);
    C->TextRect(Box, X, Box.Top - 1, S);
    C->Brush()->SetStyle(bsSolid);
  };

  if (!CheckCol) {
    DrawText(Text, T);
  } else if (Text.size() > 1 || FShowEmptyCBx) {
    T.Left += 16;
    const bool Checked = !Text.empty() && Text[0] != u' ';
    DrawText(Text.empty() ? Text : Text.substr(1), T);
    if (!FROCheckMarks) {
      C->Pen()->SetColor(!FEnabled ? clInactiveCaption : Disabled ? PenColor : clBtnShadow);
      if (Mode == cmRadio) {
        C->Ellipse(R.Left + 4, R.Top + 4, R.Left + 15, R.Top + 15);
      } else {
        C->Rectangle(R.Left + 4, R.Top + 4, R.Left + 15, R.Top + 15);
      }
    }
    C->Pen()->SetColor(FEnabled ? FontColor : clInactiveCaption);
    if (Checked) {
      const int x = R.Left;
      const int y = R.Top;
      if (Mode == cmRadio) {
        Line(C, x + 8, y + 7, x + 11, y + 7);
        for (int i = 0; i < 3; ++i) Line(C, x + 7, y + 8 + i, x + 12, y + 8 + i);
        Line(C, x + 8, y + 11, x + 11, y + 11);
      } else {
        for (int i = 0; i < 3; ++i) Line(C, x + 6, y + 8 + i, x + 9, y + 11 + i);
        for (int i = 0; i < 3; ++i) Line(C, x + 8, y + 10 + i, x + 13, y + 5 + i);
      }
    }
  }
  if (ACol < FixedCols()) DrawRaisedFrame(R);
  TCustomDrawGrid::DrawCell(ACol, ARow, T, TGridDrawState{});
}

void TReportListView::DrawHeaderCell(int ACol, int ARow, const TRect& ARect) {
  TCanvas* C = Canvas();
  TRect R = ARect;
  if (!Options().Contains(goVertLine)) ++R.Right;
  if (!Options().Contains(goHorzLine)) ++R.Bottom;
  const TRect T{R.Left + 4, R.Top + 2, R.Right - 6, R.Bottom};
  C->Font()->Assign(Font());
  C->Brush()->SetStyle(bsSolid);
  C->Pen()->SetWidth(1);
  const bool Italic = Font()->Style().Contains(fsItalic);
  const int d = DataColumnAt(ACol);

  if (ARow == 0 && FComHdVis) {
    // The band runs to the right edge of the last column in view.
    int E = FixedColsWidth();
    for (int k = TCustomGrid::LeftCol(); k < NrOfColumns(); ++k) {
      const TRect Cell = CellRect(k, 0);
      if (Cell.IsEmpty()) break;
      E = Cell.Right;
    }
    const TRect Band{0, R.Top, E, R.Bottom};
    C->Font()->SetColor(FComHdTxtColor);
    C->Brush()->SetColor(FComHdColor);
    C->FillRect(Band);
    const String& Header = CommonHeader();
    const int lh = C->TextHeight(Header);
    const auto Lines = SplitLines(Header, u'\n');
    for (size_t i = 0; i < Lines.size(); ++i) {
      const int W = C->TextWidth(Lines[i]);
      TRect Clip = Band;
      if (i > 0) {
        Clip.Top = std::min(T.Top + static_cast<int>(i) * lh, R.Bottom);
        Clip.Bottom = std::min(T.Top + static_cast<int>(i + 1) * lh, R.Bottom);
      }
      const int X = FHeaderAlignment == taLeftJustify ? 4 : FHeaderAlignment == taRightJustify ? E - W - 6 : E / 2 - W / 2;
      C->TextRect(Clip, X, T.Top + static_cast<int>(i) * lh, Lines[i]);
    }
    DrawRaisedFrame(Band);
    C->Pen()->SetColor(clGray);
    Line(C, E - 1, R.Bottom - 1, E - 1, R.Top);
    C->Pen()->SetColor(clBlack);
    Line(C, E, R.Bottom - 1, E, R.Top - 1);
  } else if (FColHdVis) {
    C->Brush()->SetColor(FColHdColor);
    C->Font()->SetColor(FColHdTxtColor);
    C->Pen()->SetColor(FColHdColor);
    C->Rectangle(R);
    const String Name = d > 0 ? Header(d) : String();
    const bool SortCol = d > 0 && d == LastSortColumn();
    const int a = SortCol ? 13 : 0;
    const int lh = C->TextHeight(Name);
    const int CellWidth = TCustomGrid::ColWidths(ACol);
    const int Room = CellWidth - a - 9;
    const TAlignment Align = ColumnAlignment(d);
    int p = 0;
    const auto Lines = SplitLines(Name, u'\n');
    for (size_t i = 0; i < Lines.size(); ++i) {
      String S = Lines[i];
      int W = C->TextWidth(S);
      if (W > Room) {
        const long double Exact = W > 0 ? static_cast<long double>(S.size()) * Room / W - 3 : 1;
        const size_t k = static_cast<size_t>(std::max<long long>(Round(Exact), 1));
        S = S.substr(0, k) + u"...";
        W = C->TextWidth(S);
      }
      if (Italic) W += 2;
      const int X = Align == taRightJustify ? T.Right - W : Align == taCenter ? (T.Left + T.Right) / 2 - W / 2 : T.Left;
      TRect Clip = T;
      if (i > 0) {
        Clip.Top = std::min(T.Top + static_cast<int>(i) * lh, R.Bottom);
        Clip.Bottom = std::min(T.Top + static_cast<int>(i + 1) * lh, R.Bottom);
      }
      C->TextRect(Clip, X, T.Top + static_cast<int>(i) * lh, S);
      if (i == 0) {
        p = Align == taLeftJustify    ? W + 10
            : Align == taRightJustify ? T.Right - T.Left - W - 12
                                      : (T.Right - T.Left) / 2 + W / 2 + 10;
      }
    }
    if (SortCol) {
      p = std::min(p, CellWidth - 12);
      const int X = T.Left + p;
      const int Y = T.Top + lh / 2;
      if (LastSortOrder()) {
        C->Pen()->SetColor(clGray);
        Line(C, X - 4, Y + 3, X, Y - 3);
        C->Pen()->SetColor(clWhite);
        C->LineTo(X + 4, Y + 3);
        C->LineTo(X - 4, Y + 3);
      } else {
        C->Pen()->SetColor(clWhite);
        Line(C, X + 4, Y - 3, X, Y + 3);
        C->Pen()->SetColor(clGray);
        C->LineTo(X - 4, Y - 3);
        C->LineTo(X + 4, Y - 3);
      }
    }
    DrawRaisedFrame(R);
  }
  TCustomDrawGrid::DrawCell(ACol, ARow, T, TGridDrawState{gdFixed});
}

void TReportListView::Paint() {
  if (FSuppressPaint) return;
  TCustomDrawGrid::Paint();
  TCanvas* C = Canvas();
  TCanvasStateSaver Saver(C);
  const int h = CountHeadRows();
  const int HeadHeight = FixedRowsHeight();
  const TRect CR = ClientRect();
  if (NrOfShownRows() == 0) {
    // The blank row of an empty (or wholly filtered) list gives way to the message.
    C->Pen()->SetColor(Color());
    C->Pen()->SetWidth(1);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->Rectangle(0, HeadHeight, CR.Right, CR.Bottom);
    if (!FEmptyMsg.empty()) {
      C->Font()->Assign(Font());
      C->Font()->SetColor(FColorEmptyMsg);
      C->Brush()->SetStyle(bsClear);
      const int lh = C->TextHeight(FEmptyMsg);
      const auto Lines = SplitLines(FEmptyMsg, u'|');
      const int y1 = HeadHeight - static_cast<int>(Lines.size()) * lh;
      for (size_t i = 0; i < Lines.size(); ++i) {
        C->TextOut((CR.Right - C->TextWidth(Lines[i])) / 2,
                   y1 + (CR.Bottom - y1) / 2 + static_cast<int>(i) * lh - 2, Lines[i]);
      }
    }
  }
  const int P = FInterRowIndi;
  const int GridTop = TCustomGrid::TopRow();
  if (P != 0 && P >= GridTop - h + 1 && P <= NrOfShownRows() + 1) {
    const int y = (h + P - GridTop - 1) * (DefaultRowHeight() + 1) + HeadHeight;
    C->Pen()->SetColor(FInterRowColor);
    C->Pen()->SetWidth(FInterRowWidth);
    Line(C, 0, y, CR.Right, y);
  }
}

}  // namespace orv

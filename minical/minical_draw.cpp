// TMiniCal: cell texts and painting, the size rule and the mouse.

#include <algorithm>

#include "foundation/colorfuncs.h"
#include "foundation/language.h"
#include "framework/controls/messages.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/dateutils.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/sysutils.h"
#include "minical/minical.h"

namespace orv {

namespace {

int MonthLength(int Y, int M) {
  return DaysInAMonth(static_cast<uint16_t>(std::clamp(Y, 0, 9999)), static_cast<uint16_t>(M));
}

}  // namespace

bool TMiniCal::CellDate(int ACol, int ARow, int& Y, int& M, int& D) const {
  Y = Year();
  M = Month();
  D = CellDayNumber(ACol, ARow);
  const int Days = MonthLength(Y, M);
  if (D < 1) {
    if (M == 1) {
      M = 12;
      --Y;
    } else {
      --M;
    }
    D += MonthLength(Y, M);
    return false;
  }
  if (D > Days) {
    D -= Days;
    if (M == 12) {
      M = 1;
      ++Y;
    } else {
      ++M;
    }
    return false;
  }
  return true;
}

String TMiniCal::CellText(int ACol, int ARow) const {
  if (ACol < 0 || ACol > 7 || ARow < 0 || ARow > 7) return {};
  if (ARow == 0) {
    switch (ACol) {
      case 1: return u"<<";
      case 2: return u"<";
      case 6: return u">";
      case 7: return u">>";
      case 5: {
        const TLanguage L = CaptionLanguage();
        String Name = (FShowMonthShort ? MonthShort(L, Month()) : MonthLong(L, Month())) + u" ";
        Name.resize(std::min<size_t>(Name.size(), FShowMonthShort ? 5 : 11));
        return Name + IntToStr(Year());
      }
      default: return {};
    }
  }
  if (ARow == 1) {
    if (ACol == 0) return u"#";
    return WeekDayShort(CaptionLanguage(), (FFirstDayOfWeek + ACol - 1) % 7);
  }
  if (ACol == 0) {
    const TDateTime First = EncodeDate(static_cast<uint16_t>(Year()), static_cast<uint16_t>(Month()), 1);
    return IntToStr(WeekOfTheYear(First + 7 * (ARow - 2)));
  }
  int Y, M, D;
  CellDate(ACol, ARow, Y, M, D);
  return IntToStr(D);
}

// --- Painting ----------------------------------------------------------------------------

// Opaque text centred in R and clipped to it. The background goes in as one
// rectangle fill, the text over it without a brush: the same pixels as an
// opaque TextRect, for less work.
void TMiniCal::DrawCentered(TCanvas* C, const TRect& R, const String& Text) const {
  C->Brush()->SetStyle(bsSolid);
  C->FillRect(R);
  const TSize Ext = C->TextExtent(Text);
  C->Brush()->SetStyle(bsClear);
  C->TextRect(R, R.Left + (R.Width() - Ext.cx) / 2, R.Top + (R.Height() - Ext.cy) / 2, Text);
  C->Brush()->SetStyle(bsSolid);
}

// The frame's lines are all one pixel wide and axis-parallel; each goes in
// as a one-pixel rectangle with the pixels LineTo would set (the start point
// in, the end point out).
void TMiniCal::DrawButtonFrame(TCanvas* C, const TRect& R) const {
  const auto Line = [C](int X1, int Y1, int X2, int Y2) {
    if (Y1 == Y2) {
      C->FillRect(X2 > X1 ? TRect{X1, Y1, X2, Y1 + 1} : TRect{X2 + 1, Y1, X1 + 1, Y1 + 1});
    } else {
      C->FillRect(Y2 > Y1 ? TRect{X1, Y1, X1 + 1, Y2} : TRect{X1, Y2 + 1, X1 + 1, Y1 + 1});
    }
  };
  const auto Line3 = [&Line, C](TColor Color, int X1, int Y1, int X2, int Y2, int X3, int Y3) {
    C->Brush()->SetColor(Color);
    Line(X1, Y1, X2, Y2);
    Line(X2, Y2, X3, Y3);
  };
  Line3(0xFFFFFF, R.Left, R.Bottom - 1, R.Left, R.Top, R.Right, R.Top);
  Line3(0x686868, R.Left, R.Bottom, R.Right, R.Bottom, R.Right, R.Top);
  Line3(0x9CA0A5, R.Left + 1, R.Bottom - 1, R.Right - 1, R.Bottom - 1, R.Right - 1, R.Top);
  Line3(0xE6E2E2, R.Left + 1, R.Bottom - 2, R.Left + 1, R.Top + 1, R.Right - 1, R.Top + 1);
}

void TMiniCal::Paint() {
  uint16_t TY, TM, TD;
  DecodeDate(orv::Date(), TY, TM, TD);
  FTodayYear = TY;
  FTodayMonth = TM;
  FTodayDay = TD;
  Canvas()->Font()->Assign(Font());
  TCustomDrawGrid::Paint();
}

// The grid paints row by row, left to right, without clipping a cell to
// itself: the title drawn in (5, 0) covers (3, 0) and (4, 0), and "#" in
// (0, 1) covers (0, 0).
void TMiniCal::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  (void)AState;
  TCanvas* C = Canvas();
  C->Font()->SetColor(clBlack);
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetWidth(1);
  C->Pen()->SetMode(pmCopy);
  TRect R = ARect;
  const bool Button = (ARow == 0 && ACol != 0 && ACol != 3 && ACol != 4) || (ARow == 1 && ACol == 0);
  if (Button) {
    if (ACol == 5) R.Left = R.Left - 2 * (R.Right - R.Left) - 2;
    if (ACol == 0) R.Top -= RowHeights(0) + 1;
    C->Brush()->SetColor(clBtnFace);
    DrawCentered(C, R, CellText(ACol, ARow));
    if (FCtl3D) DrawButtonFrame(C, R);
    return;
  }
  if (ARow == 0) return;  // covered by the title and "#"
  if (ARow == 1) {
    C->Brush()->SetColor(FColorDayIdBg);
    C->Font()->SetColor(FColorDayIdFg);
    DrawCentered(C, R, CellText(ACol, ARow));
    return;
  }
  if (ACol == 0) {
    C->Brush()->SetColor(FColorWeekNoBg);
    C->Font()->SetColor(FColorWeekNoFg);
    DrawCentered(C, R, CellText(ACol, ARow));
    return;
  }

  int Y, M, D;
  const bool InMonth = CellDate(ACol, ARow, Y, M, D);
  if (!InMonth) C->Font()->SetColor(FColorInactiveMonth);
  C->Brush()->SetColor(FDayColors[static_cast<size_t>((ACol + FFirstDayOfWeek - 1) % 7)]);
  bool Holiday = false;
  if (InMonth) {
    C->Font()->SetColor(FColorActiveMonth);
    String Caption;
    Holiday = FIndicateHolidays && CheckHoliday(Y, M, D, Caption);
    if (Holiday) {
      C->Brush()->SetColor(FColorHolidayBg);
      C->Font()->SetColor(FColorHolidayFg);
    }
    if (D == Day()) {
      C->Font()->SetColor(FColorSelectedFg);
      C->Brush()->SetColor(Holiday ? MeanColor(FColorSelectedBg, FColorHolidayBg) : FColorSelectedBg);
    }
  }
  DrawCentered(C, R, IntToStr(D));
  if (FMarkToday && InMonth && Y == FTodayYear && M == FTodayMonth && D == FTodayDay) {
    C->Pen()->SetColor(FColorToday);
    C->Brush()->SetStyle(bsClear);
    C->Ellipse(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
  }
}

// --- Size ------------------------------------------------------------------------------

void TMiniCal::WndProc(TMessage& Message) {
  // The calendar sizes its cells itself; the grid's own resize handling
  // (which would scroll) is left out.
  if (Message.Msg == WM_SIZE) {
    ApplySizeRule(Width(), Height());
    return;
  }
  TCustomDrawGrid::WndProc(Message);
}

void TMiniCal::ApplySizeRule(int W, int H) {
  const int G = GridLineWidth();
  const int ColW = (W - 7 * G) / 8;
  const int RowH = (H - 7 * G) / 8;
  const int F = FCtl3D ? 2 : 5;
  SetDefaultColWidth(ColW);
  SetDefaultRowHeight(RowH);
  SetRowHeights(0, H + F - 7 * (RowH + G + 1));
  SetColWidths(0, W + F - 7 * (ColW + G + 1));
}

int TMiniCal::GridWidth() const {
  int W = 0;
  for (int C = 0; C < ColCount(); ++C) W += std::max(ColWidths(C), 0) + GridLineWidth();
  return W;
}

int TMiniCal::GridHeight() const {
  int H = 0;
  for (int R = 0; R < RowCount(); ++R) H += std::max(RowHeights(R), 0) + GridLineWidth();
  return H;
}

// --- Mouse ------------------------------------------------------------------------------

void TMiniCal::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomDrawGrid::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || X <= 0 || X >= GridWidth() || Y <= 0 || Y >= GridHeight()) return;
  int ACol, ARow;
  MouseToCell(X, Y, ACol, ARow);
  if (ACol < 0 || ARow < 0) return;
  if (ARow >= 2 && ACol >= 1) {
    int CY = Year();
    int CM = Month();
    int N = CellDayNumber(ACol, ARow);
    if (FAutoSwitch) {
      if (N <= 0) {
        if (CM == 1) {
          CM = 12;
          --CY;
          N += 31;
        } else {
          --CM;
          N += MonthLength(CY, CM);
        }
      } else if (N > MonthLength(CY, CM)) {
        N -= MonthLength(CY, CM);
        if (CM == 12) {
          CM = 1;
          ++CY;
        } else {
          ++CM;
        }
      }
    }
    // A click next to the first or last month of the calendar selects nothing.
    if (CY >= 1 && CY <= 9999 && N >= 1 && N <= MonthLength(CY, CM)) {
      SetDateParts(CY, CM, N);
    } else {
      UpdateCal();
    }
    return;
  }
  if (ARow == 0 || (ARow == 1 && ACol == 0)) {
    // Stepping past 0001 or 9999 leaves the date as it is.
    try {
      switch (ACol) {
        case 0: SetDate(Now()); break;
        case 1: PrevYear(); break;
        case 2: PrevMonth(); break;
        case 6: NextMonth(); break;
        case 7: NextYear(); break;
        default: break;
      }
    } catch (const EConvertError&) {
    }
  }
}

}  // namespace orv

// TMiniCal: Easter and ISO weeks against independent computations over
// centuries, the holiday list, the cell layout, date stepping, setters and
// OnChange, the size rule, mouse navigation and the colours of the cells.

#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/rtl/dateutils.h"
#include "framework/rtl/unicode.h"
#include "minical/minical.h"

namespace orv {
namespace {

std::string U8(const String& S) { return ToUtf8(S); }

// Easter by the Meeus/Jones/Butcher rule, a computation independent of
// the one under test.
void EasterMJB(int Y, int& Day, int& Month) {
  const int A = Y % 19, B = Y / 100, C = Y % 100, D = B / 4, E = B % 4;
  const int F = (B + 8) / 25, G = (B - F + 1) / 3;
  const int H = (19 * A + B - D - G + 15) % 30;
  const int I = C / 4, K = C % 4;
  const int L = (32 + 2 * E + 2 * I - H - K) % 7;
  const int M = (A + 11 * H + 22 * L) / 451;
  Month = (H + L - 7 * M + 114) / 31;
  Day = (H + L - 7 * M + 114) % 31 + 1;
}

// Julian day number of a Gregorian date and back (Fliegel and Van Flandern).
long JulianDay(int Y, int M, int D) {
  const long A = (14 - M) / 12, YY = Y + 4800 - A, MM = M + 12 * A - 3;
  return D + (153 * MM + 2) / 5 + 365 * YY + YY / 4 - YY / 100 + YY / 400 - 32045;
}
int YearOfJulianDay(long J) {
  const long A = J + 32044, B = (4 * A + 3) / 146097, C = A - 146097 * B / 4;
  const long D = (4 * C + 3) / 1461, E = C - 1461 * D / 4, M = (5 * E + 2) / 153;
  return static_cast<int>(100 * B + D - 4800 + M / 10);
}
// ISO week: the week of the Thursday in the same Monday-based week.
int IsoWeek(long J) {
  const long Thursday = J - J % 7 + 3;  // J % 7 == 0 on Mondays
  return static_cast<int>((Thursday - JulianDay(YearOfJulianDay(Thursday), 1, 1)) / 7 + 1);
}

struct MiniCalTest : ::testing::Test {
  std::unique_ptr<TForm> Form;
  TMiniCal* Cal = nullptr;
  int Changes = 0;
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 400, 300);
    Cal = new TMiniCal(Form.get());
    Cal->SetParent(Form.get());
    Cal->SetDate(EncodeDate(2025, 1, 15));
    Cal->SetOnChange([this](TObject*) { ++Changes; });
  }
  void Expect(int Y, int M, int D) const {
    EXPECT_EQ(Cal->Year(), Y);
    EXPECT_EQ(Cal->Month(), M);
    EXPECT_EQ(Cal->Day(), D);
  }
  TPoint CellCentre(int C, int R) const {
    const TRect Rc = Cal->CellRect(C, R);
    return TPoint{(Rc.Left + Rc.Right) / 2, (Rc.Top + Rc.Bottom) / 2};
  }
  void ClickCell(int C, int R) const {
    const TPoint P = CellCentre(C, R);
    sim::Click(Cal, P.X, P.Y);
  }
  std::unique_ptr<TBitmap> Shot() const {
    auto B = std::make_unique<TBitmap>(Cal->Width(), Cal->Height());
    Cal->PaintTo(B->Canvas(), 0, 0);
    return B;
  }
};

TEST(MiniCalRules, EasterMatchesAnIndependentRuleAndKnownDates) {
  for (int Y = 1583; Y <= 4099; ++Y) {
    int D, M, RD, RM;
    CalcEasterSunday(Y, D, M);
    EasterMJB(Y, RD, RM);
    ASSERT_EQ(M * 100 + D, RM * 100 + RD) << Y;
  }
  const struct { int Y, M, D; } Known[] = {{2024, 3, 31}, {2025, 4, 20}, {2285, 3, 22}, {2038, 4, 25}};
  for (const auto& K : Known) {
    int D, M;
    CalcEasterSunday(K.Y, D, M);
    EXPECT_EQ(M * 100 + D, K.M * 100 + K.D) << K.Y;
  }
}

TEST_F(MiniCalTest, MovableFeastsFollowEaster) {
  const struct { int M, D; const char* Caption; } Feasts[] = {
      {3, 31, "Easter Day"}, {4, 1, "Easter Monday"}, {5, 9, "Ascension Day"},
      {5, 19, "Pentecost"},  {5, 20, "Whit Monday"},  {5, 30, "Corpus Christi"}};
  String Caption = u"x";
  for (const auto& F : Feasts) {
    EXPECT_TRUE(Cal->CheckHoliday(2024, F.M, F.D, Caption)) << F.Caption;
    EXPECT_EQ(U8(Caption), F.Caption);
  }
  EXPECT_FALSE(Cal->CheckHoliday(2024, 5, 10, Caption));
  EXPECT_TRUE(Caption.empty());
  Cal->SetShowMovableHolidays(false);
  EXPECT_FALSE(Cal->CheckHoliday(2024, 3, 31, Caption));
  Cal->SetLanguage(lgFrench);
  Cal->SetShowMovableHolidays(true);
  EXPECT_TRUE(Cal->CheckHoliday(2024, 5, 19, Caption));
  EXPECT_EQ(U8(Caption), "Dimanche de Pentec\u00F4te");
}

TEST_F(MiniCalTest, WeekColumnShowsIsoWeeksOverCenturies) {
  for (int Y = 1583; Y <= 4099; Y += 1) {
    for (int M = 1; M <= 12; ++M) {
      Cal->SetDate(EncodeDate(static_cast<uint16_t>(Y), static_cast<uint16_t>(M), 1));
      for (int R = 2; R <= 7; ++R) {
        const long J = JulianDay(Y, M, 1) + 7 * (R - 2);
        ASSERT_EQ(U8(Cal->CellText(0, R)), std::to_string(IsoWeek(J))) << Y << "-" << M << " row " << R;
      }
    }
  }
}

TEST_F(MiniCalTest, HolidayList) {
  EXPECT_EQ(Cal->NumHolidays(), 8);
  String Caption;
  EXPECT_TRUE(Cal->CheckHoliday(2030, 12, 25, Caption));
  EXPECT_EQ(U8(Caption), "Christmas Day");
  Cal->AddHoliday(3, 7, 2025, u"Once");
  Cal->AddRepeatHoliday(4, 7, u"Yearly");
  EXPECT_TRUE(Cal->CheckHoliday(2025, 7, 3, Caption));
  EXPECT_FALSE(Cal->CheckHoliday(2026, 7, 3, Caption));
  EXPECT_TRUE(Cal->CheckHoliday(2026, 7, 4, Caption));
  EXPECT_EQ(U8(Caption), "Yearly");

  int D = 0, M = 0, Y = 0;
  bool Repeat = false;
  String Desc;
  ASSERT_TRUE(Cal->RetrieveHoliday(9, D, M, Y, Repeat, Desc));
  EXPECT_EQ((std::array{D, M, Y}), (std::array{3, 7, 2025}));
  EXPECT_FALSE(Repeat);
  ASSERT_TRUE(Cal->RetrieveHoliday(10, D, M, Y, Repeat, Desc));
  EXPECT_EQ(Y, -99999);
  EXPECT_TRUE(Repeat);
  EXPECT_FALSE(Cal->RetrieveHoliday(11, D, M, Y, Repeat, Desc));
  EXPECT_FALSE(Cal->RetrieveHoliday(0, D, M, Y, Repeat, Desc));
  EXPECT_EQ(D, 4);  // outputs untouched

  // A new language brings back exactly the defaults, in that language.
  Cal->SetLanguage(lgGerman);
  EXPECT_EQ(Cal->NumHolidays(), 8);
  EXPECT_FALSE(Cal->CheckHoliday(2026, 7, 4, Caption));
  EXPECT_TRUE(Cal->CheckHoliday(2026, 1, 6, Caption));
  EXPECT_EQ(U8(Caption), "Hl. Drei K\u00F6nige");
  Cal->SetLanguage(lgSpanish);
  EXPECT_EQ(U8(Cal->CellText(5, 0)).substr(0, 4), "Ene ");
  Cal->ClearHolidayList();
  EXPECT_EQ(Cal->NumHolidays(), 0);
  EXPECT_FALSE(Cal->CheckHoliday(2026, 12, 25, Caption));
}

TEST_F(MiniCalTest, CellLayout) {
  // June 2025 begins on a Sunday: last column with Monday first, first with Sunday first.
  Cal->SetDate(EncodeDate(2025, 6, 10));
  EXPECT_EQ(U8(Cal->CellText(7, 2)), "1");
  EXPECT_EQ(U8(Cal->CellText(1, 2)), "26");  // 26 May
  EXPECT_EQ(U8(Cal->CellText(1, 1)), "Mon");
  Cal->SetFirstDayOfWeek(dwSun);
  EXPECT_EQ(U8(Cal->CellText(1, 1)), "Sun");
  EXPECT_EQ(U8(Cal->CellText(1, 2)), "1");
  EXPECT_EQ(Cal->CellDayNumber(1, 2), 1);
  // 10 June is then in (3, 3); the grid's current cell follows the selection.
  EXPECT_EQ(Cal->Col(), 3);
  EXPECT_EQ(Cal->Row(), 3);

  // March 2026 (31 days) begins on a Sunday, column 7 with Monday first:
  // the 31st is in row 7, column 2, followed by 1 April.
  Cal->SetFirstDayOfWeek(dwMon);
  Cal->SetDate(EncodeDate(2026, 3, 31));
  EXPECT_EQ(U8(Cal->CellText(7, 2)), "1");
  EXPECT_EQ(U8(Cal->CellText(2, 7)), "31");
  EXPECT_EQ(U8(Cal->CellText(3, 7)), "1");
  EXPECT_EQ(Cal->Col(), 2);
  EXPECT_EQ(Cal->Row(), 7);

  EXPECT_EQ(U8(Cal->CellText(5, 0)), "Mar 2026");
  Cal->SetShowMonthShort(false);
  EXPECT_EQ(U8(Cal->CellText(5, 0)), "March 2026");
  EXPECT_EQ(U8(Cal->CellText(0, 1)), "#");
}

TEST_F(MiniCalTest, DateStepping) {
  Cal->SetDate(EncodeDate(2025, 1, 31));
  Cal->NextMonth();
  Expect(2025, 2, 28);
  Cal->SetDate(EncodeDate(2024, 1, 31));
  Cal->NextMonth();
  Expect(2024, 2, 29);
  Cal->NextYear();
  Expect(2025, 2, 28);
  Cal->SetDate(EncodeDate(2025, 3, 31));
  Cal->PrevMonth();
  Expect(2025, 2, 28);
  Cal->SetDate(EncodeDate(2025, 12, 31));
  Cal->NextMonth();
  Expect(2026, 1, 31);
  Cal->PrevMonth();
  Cal->PrevYear();
  Expect(2024, 12, 31);
  Cal->SetDate(EncodeDate(2024, 2, 3));
  Cal->LastDayOfMonth();
  Expect(2024, 2, 29);
}

TEST_F(MiniCalTest, PartSettersAndOnChange) {
  Cal->SetDay(31);
  Expect(2025, 1, 31);
  EXPECT_EQ(Changes, 1);
  Cal->SetMonth(13);
  Cal->SetDay(32);
  Cal->SetYear(-1);
  Expect(2025, 1, 31);
  EXPECT_EQ(Changes, 1);
  // Accepted parts that make no date raise and keep the date.
  EXPECT_THROW(Cal->SetMonth(2), EConvertError);
  EXPECT_THROW(Cal->SetDay(0), EConvertError);
  EXPECT_THROW(Cal->SetDate(1e12), EConvertError);
  Expect(2025, 1, 31);
  EXPECT_EQ(Changes, 1);

  EXPECT_EQ(Cal->DayColors(dwSat), 0xBBDDEEu);
  EXPECT_EQ(Cal->DayColors(dwSun), 0xCCEEFFu);
  EXPECT_EQ(Changes, 1);  // reading fires nothing
  Cal->SetDayColors(dwMon, 0x123456);
  EXPECT_EQ(Cal->DayColors(dwMon), 0x123456u);
  EXPECT_EQ(Changes, 2);
  Cal->SetFirstDayOfWeek(dwMon);  // unchanged
  EXPECT_EQ(Changes, 2);
  Cal->SetFirstDayOfWeek(dwWed);
  EXPECT_EQ(Changes, 3);
}

TEST_F(MiniCalTest, SizeRuleFillsTheControl) {
  EXPECT_EQ(Cal->Width(), 300);
  EXPECT_EQ(Cal->Height(), 180);
  Cal->SetBounds(0, 0, 400, 250);
  EXPECT_EQ(Cal->DefaultColWidth(), 49);
  EXPECT_EQ(Cal->DefaultRowHeight(), 30);
  EXPECT_EQ(Cal->ColWidths(0), 45);
  EXPECT_EQ(Cal->RowHeights(0), 28);
  EXPECT_EQ(Cal->ColWidths(1), 49);
  Cal->SetCtl3D(false);
  EXPECT_EQ(Cal->ColWidths(0), 48);
  EXPECT_EQ(Cal->RowHeights(0), 31);
  EXPECT_EQ(Cal->TopRow(), 2);
  EXPECT_EQ(Cal->LeftCol(), 1);
}

TEST_F(MiniCalTest, MouseSelectsDaysAndNavigates) {
  // January 2025: 1 Jan in column 3; (1, 2) is 30 December 2024, (7, 6) is 2 February.
  Cal->SetAutoSwitch(false);
  ClickCell(7, 6);
  Expect(2025, 1, 15);
  EXPECT_EQ(Changes, 0);
  EXPECT_EQ(Cal->Col(), 3);  // back on the selected day
  EXPECT_EQ(Cal->Row(), 4);
  ClickCell(5, 3);
  Expect(2025, 1, 10);
  EXPECT_EQ(Changes, 1);
  Cal->SetAutoSwitch(true);
  ClickCell(1, 2);
  Expect(2024, 12, 30);
  // December 2024: 1 Dec in column 7, (6, 7) is 4 January 2025.
  ClickCell(6, 7);
  Expect(2025, 1, 4);
  ClickCell(6, 0);
  Expect(2025, 2, 4);
  ClickCell(7, 0);
  Expect(2026, 2, 4);
  ClickCell(2, 0);
  ClickCell(1, 0);
  Expect(2025, 1, 4);
  ClickCell(4, 0);  // the title does nothing
  Expect(2025, 1, 4);
  sim::MouseDown(Cal, mbRight, TShiftState{}, CellCentre(5, 3).X, CellCentre(5, 3).Y);
  Expect(2025, 1, 4);
  const TPoint Hash = CellCentre(0, 1);
  sim::Click(Cal, Hash.X, 2);  // the "#" button reaches over (0, 0)
  EXPECT_EQ(DateOf(Cal->Date()), orv::Date());
}

TEST_F(MiniCalTest, CellColoursAndTodayCircle) {
  Cal->AddRepeatHoliday(20, 1, u"Local feast");
  const auto Brush = [this](const std::unique_ptr<TBitmap>& B, int C, int R) {
    const TRect Rc = Cal->CellRect(C, R);
    return B->Canvas()->Pixels(Rc.Left + 1, Rc.Bottom - 2);
  };
  Cal->SetMarkToday(false);
  auto B = Shot();
  // January 2025, Monday first: 15 Jan selected in (3, 4), 20 Jan a holiday in (1, 5).
  EXPECT_EQ(Brush(B, 3, 4), 0xD0A040u);
  EXPECT_EQ(Brush(B, 1, 5), 0x9BD8F1u);
  EXPECT_EQ(Brush(B, 6, 4), 0xBBDDEEu);  // Saturday 18
  EXPECT_EQ(Brush(B, 2, 4), 0xF8F8F8u);  // Tuesday 14
  EXPECT_EQ(Brush(B, 0, 4), 0xC0C0C0u);  // week number
  EXPECT_EQ(U8(Cal->Hint()), "");
  Cal->SetDate(EncodeDate(2025, 1, 20));
  EXPECT_EQ(U8(Cal->Hint()), "Local feast");
  B = Shot();
  EXPECT_EQ(Brush(B, 1, 5), 0xB5BC98u);  // mean of the selection and holiday colours
  Cal->SetIndicateHolidays(false);
  B = Shot();
  EXPECT_EQ(Brush(B, 1, 5), 0xD0A040u);
  EXPECT_EQ(U8(Cal->Hint()), "");

  // Button frame of "<<" (Ctl3D): white left edge, light inner edge.
  const TRect Btn = Cal->CellRect(1, 0);
  EXPECT_EQ(B->Canvas()->Pixels(Btn.Left, Btn.Top + 3), 0xFFFFFFu);
  EXPECT_EQ(B->Canvas()->Pixels(Btn.Left + 1, Btn.Top + 3), 0xE6E2E2u);
  EXPECT_EQ(B->Canvas()->Pixels(Btn.Right - 1, Btn.Top + 3), 0x9CA0A5u);

  Cal->SetMarkToday(true);
  Cal->SetDate(Now());
  const TRect Today = Cal->CellRect(Cal->Col(), Cal->Row());  // the current cell is the selected day
  B = Shot();
  EXPECT_EQ(B->Canvas()->Pixels((Today.Left + Today.Right) / 2, Today.Top + 2), 0x0000FFu);
}

}  // namespace
}  // namespace orv

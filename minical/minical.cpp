// TMiniCal: date, properties, the holiday list and Easter. Painting, the
// size rule and the mouse are in minical_draw.cpp.

#include "minical/minical.h"

#include <cmath>

#include "framework/rtl/dateutils.h"
#include "framework/rtl/exceptions.h"

namespace orv {

namespace {

struct TDefaultHoliday {
  int Day;
  int Month;
  std::array<const Char*, 4> Caption;  // English, German, French, Spanish
};

constexpr std::array<TDefaultHoliday, 8> kDefaultHolidays{{
    {25, 12, {u"Christmas Day", u"Weihnachten", u"No\u00EBl", u"Navidad"}},
    {26, 12, {u"Boxing Day", u"Stephanitag", u"Jour de boxe", u"D\u00EDa de San Esteban"}},
    {1, 1, {u"New Year's Day", u"Neujahrstag", u"Nouvel An Jour", u"D\u00EDa de A\u00F1o Nuevo"}},
    {6, 1, {u"Epiphany", u"Hl. Drei K\u00F6nige", u"\u00C9piphanie", u"Epifan\u00EDa"}},
    {15, 8, {u"Assumption of Mary", u"Maria Himmelfahrt", u"Assomption", u"Asunci\u00F3n"}},
    {1, 11, {u"All Saints", u"Allerheiligen", u"La Toussaint", u"D\u00EDa de Todos los Santos"}},
    {8, 12, {u"Immaculate Conception", u"Maria Empf\u00E4ngnis", u"Immacul\u00E9e Conception",
             u"Inmaculada Concepci\u00F3n"}},
    {1, 5, {u"Labor Day", u"Tag der Arbeit", u"F\u00EAte du Travail", u"D\u00EDa del Trabajo"}},
}};

struct TMovableFeast {
  int Offset;  // days after Easter Sunday
  std::array<const Char*, 4> Caption;
};

constexpr std::array<TMovableFeast, 6> kMovableFeasts{{
    {0, {u"Easter Day", u"Ostersonntag", u"Le jour de P\u00E2ques", u"Domingo de Resurrecci\u00F3n"}},
    {1, {u"Easter Monday", u"Ostermontag", u"Lundi de P\u00E2ques", u"Lunes de Pascua"}},
    {39, {u"Ascension Day", u"Christi Himmelfahrt", u"Ascension du Christ", u"Ascensi\u00F3n de Cristo"}},
    {49, {u"Pentecost", u"Pfingstsonntag", u"Dimanche de Pentec\u00F4te", u"Domingo de Pentecost\u00E9s"}},
    {50, {u"Whit Monday", u"Pfingstmontag", u"Lundi de Pentec\u00F4te", u"Lunes de Pentecost\u00E9s"}},
    {60, {u"Corpus Christi", u"Fronleichnam", u"Corpus Christi", u"Corpus Cristi"}},
}};

// Day number counted from 1 March (1 March = 1) for March to June.
int DayFromMarch1(int Month, int Day) {
  constexpr int kStart[] = {0, 31, 61, 92};  // days before 1 March, 1 April, 1 May, 1 June
  return kStart[Month - 3] + Day;
}

}  // namespace

void CalcEasterSunday(int Year, int& Day, int& Month) {
  const int K = Year / 100;
  const int B = (3 * K + 3) / 4;
  const int A = Year % 19;
  const int D = (19 * A + 15 + B - (8 * K + 13) / 25) % 30;
  int E = 21 + D - (D + A / 11) / 29;
  E = E + 7 - (E - 7 + (Year + Year / 4 + 2 - B) % 7) % 7;
  // E counts days from the end of February.
  Month = 3;
  Day = E;
  if (E >= 32) {
    Month = 4;
    Day = E - 31;
  }
}

// --- Construction --------------------------------------------------------------------

TMiniCal::TMiniCal(TComponent* AOwner) : TCustomDrawGrid(AOwner) {
  SetColCount(8);
  SetRowCount(8);
  SetFixedCols(1);
  SetFixedRows(2);
  SetScrollBars(ssNone);
  SetGridLineWidth(1);
  SetDefaultDrawing(false);
  TGridOptions Opts = Options();
  Opts.Exclude(goRangeSelect);
  Opts.Include(goDrawFocusSelected);
  SetOptions(Opts);
  FDate = Now();
  LoadDefaultHolidays();
  SetBounds(Left(), Top(), 300, 180);
  UpdateCal();
}

TMiniCal::~TMiniCal() = default;

void TMiniCal::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TMiniCal*>(Source);
  if (Other == nullptr) {
    TCustomDrawGrid::Assign(Source);
    return;
  }
  FDate = Other->FDate;
  FAutoSwitch = Other->FAutoSwitch;
  FColorActiveMonth = Other->FColorActiveMonth;
  FColorInactiveMonth = Other->FColorInactiveMonth;
  FColorWeekNoBg = Other->FColorWeekNoBg;
  FColorWeekNoFg = Other->FColorWeekNoFg;
  FColorDayIdBg = Other->FColorDayIdBg;
  FColorDayIdFg = Other->FColorDayIdFg;
  FColorSelectedBg = Other->FColorSelectedBg;
  FColorSelectedFg = Other->FColorSelectedFg;
  FColorHolidayBg = Other->FColorHolidayBg;
  FColorHolidayFg = Other->FColorHolidayFg;
  FColorToday = Other->FColorToday;
  FFirstDayOfWeek = Other->FFirstDayOfWeek;
  FIndicateHolidays = Other->FIndicateHolidays;
  FLanguage = Other->FLanguage;
  FMarkToday = Other->FMarkToday;
  FShowHolidayHint = Other->FShowHolidayHint;
  FShowMonthShort = Other->FShowMonthShort;
  FShowMovableHolidays = Other->FShowMovableHolidays;
  FDayColors = Other->FDayColors;
  FHolidays.Resize(3, Other->FHolidays.NrOfRows());
  for (int R = 1; R <= FHolidays.NrOfRows(); ++R) {
    for (int C = 1; C <= 3; ++C) FHolidays.SetVal(C, R, Other->FHolidays.GetVal(C, R));
  }
  FCaptions = Other->FCaptions;
  if (FCtl3D != Other->FCtl3D) {
    FCtl3D = Other->FCtl3D;
    ApplySizeRule(Width(), Height());
  }
  UpdateCal();
}

// --- Date ---------------------------------------------------------------------------

int TMiniCal::Day() const {
  uint16_t Y, M, D;
  DecodeDate(FDate, Y, M, D);
  return D;
}

int TMiniCal::Month() const {
  uint16_t Y, M, D;
  DecodeDate(FDate, Y, M, D);
  return M;
}

int TMiniCal::Year() const {
  uint16_t Y, M, D;
  DecodeDate(FDate, Y, M, D);
  return Y;
}

void TMiniCal::SetDate(TDateTime Value) {
  // Every cell is computed from the decoded date, so a value the calendar
  // cannot show is refused rather than stored.
  if (!std::isfinite(Value) || Value < MinDateTime || Value > MaxDateTime) {
    throw EConvertError(u"Invalid argument to date encode");
  }
  FDate = Value;
  UpdateCal();
  DoChange();
}

void TMiniCal::SetDateParts(int Y, int M, int D) {
  // EncodeDate checks the combination; out-of-range parts must not wrap in
  // the 16-bit arguments.
  if (Y < 1 || Y > 9999 || M < 1 || M > 12 || D < 1 || D > 31) {
    throw EConvertError(u"Invalid argument to date encode");
  }
  SetDate(EncodeDate(static_cast<uint16_t>(Y), static_cast<uint16_t>(M), static_cast<uint16_t>(D)));
}

void TMiniCal::SetDay(int Value) {
  if (Value < 0 || Value > DaysInAMonth(static_cast<uint16_t>(Year()), static_cast<uint16_t>(Month()))) return;
  SetDateParts(Year(), Month(), Value);
}

void TMiniCal::SetMonth(int Value) {
  if (Value < 0 || Value > 12) return;
  SetDateParts(Year(), Value, Day());
}

void TMiniCal::SetYear(int Value) {
  if (Value < 0) return;
  SetDateParts(Value, Month(), Day());
}

void TMiniCal::NextMonth() {
  const int D = Day();
  uint16_t Y, M, Dummy;
  DecodeDate(EncodeDate(static_cast<uint16_t>(Year()), static_cast<uint16_t>(Month()),
                        DaysInAMonth(static_cast<uint16_t>(Year()), static_cast<uint16_t>(Month()))) + 1,
             Y, M, Dummy);
  if (Y == 0) throw EConvertError(u"Invalid argument to date encode");
  SetDateParts(Y, M, std::min<int>(D, DaysInAMonth(Y, M)));
}

void TMiniCal::PrevMonth() {
  const int D = Day();
  uint16_t Y, M, Dummy;
  DecodeDate(EncodeDate(static_cast<uint16_t>(Year()), static_cast<uint16_t>(Month()), 1) - 1, Y, M, Dummy);
  if (Y == 0) throw EConvertError(u"Invalid argument to date encode");
  SetDateParts(Y, M, std::min<int>(D, DaysInAMonth(Y, M)));
}

void TMiniCal::NextYear() {
  if (Month() == 2 && Day() == 29) SetDay(28);
  SetYear(Year() + 1);
}

void TMiniCal::PrevYear() {
  if (Month() == 2 && Day() == 29) SetDay(28);
  SetYear(Year() - 1);
}

void TMiniCal::LastDayOfMonth() {
  SetDay(DaysInAMonth(static_cast<uint16_t>(Year()), static_cast<uint16_t>(Month())));
}

void TMiniCal::DoChange() {
  if (FOnChange) FOnChange(this);
}

// Where day 1 lies, where the selected day lies, and the holiday hint.
void TMiniCal::UpdateCal() {
  const int Y = Year();
  const int M = Month();
  const int IsoFirst = DayOfTheWeek(EncodeDate(static_cast<uint16_t>(Y), static_cast<uint16_t>(M), 1));
  int A = (IsoFirst - FFirstDayOfWeek + 7) % 7;
  if (A == 0) A = 7;
  FMonthOffset = 2 - A;
  const int K = Day() + A - 2;  // index of the selected day from cell (1, 2)
  FocusCell(K % 7 + 1, K / 7 + 2, false);
  if (FShowHolidayHint) {
    String Caption;
    const bool Holiday = FIndicateHolidays && CheckHoliday(Y, M, Day(), Caption);
    SetHint(Holiday ? Caption : String());
  }
  Invalidate();
}

// --- Holidays -------------------------------------------------------------------------

TLanguage TMiniCal::CaptionLanguage() const {
  return FLanguage >= lgEnglish && FLanguage <= lgSpanish ? FLanguage : lgEnglish;
}

void TMiniCal::LoadDefaultHolidays() {
  const size_t L = CaptionLanguage() - 1;
  FHolidays.Resize(3, 0);
  FHolidays.Resize(3, static_cast<int>(kDefaultHolidays.size()));
  FCaptions.clear();
  int Row = 1;
  for (const TDefaultHoliday& H : kDefaultHolidays) {
    FHolidays.SetVal(1, Row, H.Day);
    FHolidays.SetVal(2, Row, H.Month);
    FHolidays.SetVal(3, Row, RepeatHolidayYear);
    FCaptions.emplace_back(H.Caption[L]);
    ++Row;
  }
}

void TMiniCal::AddHoliday(int day, int mon, int year, const String& Caption) {
  const int Row = FHolidays.NrOfRows() + 1;
  FHolidays.Resize(3, Row);
  FHolidays.SetVal(1, Row, day);
  FHolidays.SetVal(2, Row, mon);
  FHolidays.SetVal(3, Row, year);
  FCaptions.push_back(Caption);
  UpdateCal();
}

void TMiniCal::AddRepeatHoliday(int day, int mon, const String& Caption) {
  AddHoliday(day, mon, RepeatHolidayYear, Caption);
}

void TMiniCal::ClearHolidayList() {
  FHolidays.Resize(3, 0);
  FCaptions.clear();
  UpdateCal();
}

bool TMiniCal::RetrieveHoliday(int HDIndex, int& Day, int& Month, int& Year, bool& IsRepeatHDay,
                               String& Description) const {
  if (HDIndex < 1 || HDIndex > NumHolidays()) return false;
  Day = FHolidays.GetVal(1, HDIndex);
  Month = FHolidays.GetVal(2, HDIndex);
  Year = FHolidays.GetVal(3, HDIndex);
  IsRepeatHDay = Year == RepeatHolidayYear;
  Description = FCaptions[static_cast<size_t>(HDIndex - 1)];
  return true;
}

bool TMiniCal::CheckHoliday(int Year, int Month, int Day, String& Caption) const {
  Caption.clear();
  for (int R = 1; R <= FHolidays.NrOfRows(); ++R) {
    const int HY = FHolidays.GetVal(3, R);
    if (FHolidays.GetVal(1, R) == Day && FHolidays.GetVal(2, R) == Month && (HY == RepeatHolidayYear || HY == Year)) {
      Caption = FCaptions[static_cast<size_t>(R - 1)];
      return true;
    }
  }
  if (!FShowMovableHolidays || Month < 3 || Month > 6) return false;
  int ED, EM;
  CalcEasterSunday(Year, ED, EM);
  const int Offset = DayFromMarch1(Month, Day) - DayFromMarch1(EM, ED);
  for (const TMovableFeast& F : kMovableFeasts) {
    if (F.Offset == Offset) {
      Caption = F.Caption[static_cast<size_t>(CaptionLanguage() - 1)];
      return true;
    }
  }
  return false;
}

// --- Appearance -----------------------------------------------------------------------

TColor TMiniCal::GetDayColors(TDayOfWeek Day) const {
  return Day <= dwSun ? FDayColors[Day] : 0;
}

void TMiniCal::SetDayColors(TDayOfWeek Day, TColor Value) {
  if (Day > dwSun) return;
  FDayColors[Day] = Value;
  UpdateCal();
  DoChange();
}

void TMiniCal::SetColorField(TColor& Field, TColor Value) {
  Field = Value;
  Invalidate();
}

void TMiniCal::SetCtl3D(bool Value) {
  if (Value == FCtl3D) return;
  FCtl3D = Value;
  ApplySizeRule(Width(), Height());
  Invalidate();
}

void TMiniCal::SetFirstDayOfWeek(TDayOfWeek Value) {
  if (Value == FFirstDayOfWeek || Value > dwSun) return;
  FFirstDayOfWeek = Value;
  UpdateCal();
  DoChange();
}

void TMiniCal::SetIndicateHolidays(bool Value) {
  FIndicateHolidays = Value;
  UpdateCal();
}

void TMiniCal::SetLanguage(TLanguage Value) {
  FLanguage = Value;
  LoadDefaultHolidays();
  UpdateCal();
}

void TMiniCal::SetMarkToday(bool Value) {
  FMarkToday = Value;
  Invalidate();
}

void TMiniCal::SetShowHolidayHint(bool Value) {
  FShowHolidayHint = Value;
  SetHint(String());
  if (Value) SetShowHint(true);
  UpdateCal();
}

void TMiniCal::SetShowMonthShort(bool Value) {
  FShowMonthShort = Value;
  Invalidate();
}

void TMiniCal::SetShowMovableHolidays(bool Value) {
  FShowMovableHolidays = Value;
  UpdateCal();
}

}  // namespace orv

#pragma once
// TMiniCal: a month calendar on an 8 x 8 draw grid. Row 0 holds the
// navigation buttons ("<<" "<" title ">" ">>"), row 1 the weekday names and
// rows 2..7 six weeks with their ISO week numbers in column 0; the "#" button
// at the top left jumps to today. Days are coloured by weekday, neighbouring
// month, holiday and selection, and today is circled. The holiday list keeps
// fixed and yearly holidays with captions; the movable feasts follow Easter.
//
// Day cell (c, r), c >= 1, r >= 2, shows day n = c + 7(r - 2) + MonthOffset() - 1
// of the selected month; n < 1 and n past the month's end are days of the
// previous and next month.

#include <array>
#include <cstdint>

#include "foundation/basetypes.h"
#include "foundation/matrix.h"
#include "framework/grids/grids.h"

namespace orv {

enum TDayOfWeek : uint8_t { dwMon, dwTue, dwWed, dwThu, dwFri, dwSat, dwSun };
using TDayColors = std::array<TColor, 7>;

// Year of a holiday that repeats every year.
inline constexpr int RepeatHolidayYear = -99999;

// Easter Sunday of the Gregorian calendar in Year (Gauss's rule with
// Lichtenberg's corrections): Month is 3 or 4.
void CalcEasterSunday(int Year, int& Day, int& Month);

class TMiniCal : public TCustomDrawGrid {
 public:
  // 300 x 180, today selected, English names and the eight default holidays.
  explicit TMiniCal(TComponent* AOwner);
  ~TMiniCal() override;

  // From another TMiniCal: date, flags, colours, day colours, first weekday,
  // language and the holiday list. Other sources go to the inherited Assign.
  void Assign(TPersistent* Source) override;

  // --- Date ---------------------------------------------------------------------
  TDateTime Date() const { return FDate; }
  // Stores, recomputes and fires OnChange. A value outside the calendar
  // (0001-01-01..9999-12-31, or not finite) raises EConvertError and changes
  // nothing.
  void SetDate(TDateTime Value);
  int Day() const;
  int Month() const;
  int Year() const;
  // Each replaces its part of the date (Day 0..days of the month, Month
  // 0..12, Year >= 0; other values are ignored) and encodes year, month and
  // day again; a combination that is no date raises EConvertError and keeps
  // the date.
  void SetDay(int Value);
  void SetMonth(int Value);
  void SetYear(int Value);

  // One month (year) on, keeping the day where the new month has it, else
  // its last day.
  void NextMonth();
  void PrevMonth();
  void NextYear();
  void PrevYear();
  void LastDayOfMonth();

  // --- Holidays -------------------------------------------------------------------
  int NumHolidays() const { return FHolidays.NrOfRows(); }
  // A holiday on one date only.
  void AddHoliday(int day, int mon, int year, const String& Caption);
  // A holiday on day.mon of every year.
  void AddRepeatHoliday(int day, int mon, const String& Caption);
  void ClearHolidayList();
  // Entry HDIndex (1..NumHolidays); false and the outputs untouched otherwise.
  bool RetrieveHoliday(int HDIndex, int& Day, int& Month, int& Year, bool& IsRepeatHDay, String& Description) const;
  // Whether the date is a holiday of the list (first match) or, with
  // ShowMovableHolidays, a feast that follows Easter; Caption names it
  // (cleared when it is none).
  bool CheckHoliday(int Year, int Month, int Day, String& Caption) const;

  // --- Appearance -------------------------------------------------------------------
  TColor DayColors(TDayOfWeek Day) const { return GetDayColors(Day); }
  // 0 for an ordinal outside TDayOfWeek.
  TColor GetDayColors(TDayOfWeek Day) const;
  // Writes outside TDayOfWeek are ignored.
  void SetDayColors(TDayOfWeek Day, TColor Value);

  bool AutoSwitch() const { return FAutoSwitch; }
  void SetAutoSwitch(bool Value) { FAutoSwitch = Value; }
  TColor ColorActiveMonth() const { return FColorActiveMonth; }
  void SetColorActiveMonth(TColor Value) { SetColorField(FColorActiveMonth, Value); }
  TColor ColorInactiveMonth() const { return FColorInactiveMonth; }
  void SetColorInactiveMonth(TColor Value) { SetColorField(FColorInactiveMonth, Value); }
  TColor ColorWeekNoBg() const { return FColorWeekNoBg; }
  void SetColorWeekNoBg(TColor Value) { SetColorField(FColorWeekNoBg, Value); }
  TColor ColorWeekNoFg() const { return FColorWeekNoFg; }
  void SetColorWeekNoFg(TColor Value) { SetColorField(FColorWeekNoFg, Value); }
  TColor ColorDayIdBg() const { return FColorDayIdBg; }
  void SetColorDayIdBg(TColor Value) { SetColorField(FColorDayIdBg, Value); }
  TColor ColorDayIdFg() const { return FColorDayIdFg; }
  void SetColorDayIdFg(TColor Value) { SetColorField(FColorDayIdFg, Value); }
  TColor ColorSelectedBg() const { return FColorSelectedBg; }
  void SetColorSelectedBg(TColor Value) { SetColorField(FColorSelectedBg, Value); }
  TColor ColorSelectedFg() const { return FColorSelectedFg; }
  void SetColorSelectedFg(TColor Value) { SetColorField(FColorSelectedFg, Value); }
  TColor ColorHolidayBg() const { return FColorHolidayBg; }
  void SetColorHolidayBg(TColor Value) { SetColorField(FColorHolidayBg, Value); }
  TColor ColorHolidayFg() const { return FColorHolidayFg; }
  void SetColorHolidayFg(TColor Value) { SetColorField(FColorHolidayFg, Value); }
  TColor ColorToday() const { return FColorToday; }
  void SetColorToday(TColor Value) { SetColorField(FColorToday, Value); }

  // Button frames; also part of the size rule.
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  TDayOfWeek FirstDayOfWeek() const { return FFirstDayOfWeek; }
  void SetFirstDayOfWeek(TDayOfWeek Value);
  bool IndicateHolidays() const { return FIndicateHolidays; }
  void SetIndicateHolidays(bool Value);
  // Replaces the holiday list by the default holidays in the new language.
  // Ordinals without captions of their own (lgNeutral and beyond lgSpanish)
  // use the English names and captions.
  TLanguage Language() const { return FLanguage; }
  void SetLanguage(TLanguage Value);
  bool MarkToday() const { return FMarkToday; }
  void SetMarkToday(bool Value);
  bool ShowHolidayHint() const { return FShowHolidayHint; }
  void SetShowHolidayHint(bool Value);
  bool ShowMonthShort() const { return FShowMonthShort; }
  void SetShowMonthShort(bool Value);
  bool ShowMovableHolidays() const { return FShowMovableHolidays; }
  void SetShowMovableHolidays(bool Value);

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

  // --- Layout queries -------------------------------------------------------------------
  // 2 - (column of day 1): added to the cell index it gives the day number.
  int MonthOffset() const { return FMonthOffset; }
  // Day number a day cell shows, before mapping into the neighbouring months
  // (< 1 or past the month's end there).
  int CellDayNumber(int ACol, int ARow) const { return ACol + 7 * (ARow - 2) + FMonthOffset - 1; }
  // The text cell (ACol, ARow) shows: title, button captions, weekday names,
  // week numbers and day numbers.
  String CellText(int ACol, int ARow) const;

  void WndProc(TMessage& Message) override;

 protected:
  // Sets up what every cell shares (font, today's date), then the grid paints.
  void Paint() override;
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  // After the grid's own handling: a left click on a day selects it (a day
  // of a neighbouring month only with AutoSwitch), the buttons of row 0 and
  // "#" navigate.
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  // Stores a colour and repaints.
  void SetColorField(TColor& Field, TColor Value);
  // Column of day 1, month offset, current cell, hint; invalidates.
  void UpdateCal();
  // Column and row sizes that make the 8 x 8 cells fill W x H.
  void ApplySizeRule(int W, int H);
  // Width (height) of all columns (rows) with their grid lines.
  int GridWidth() const;
  int GridHeight() const;
  void LoadDefaultHolidays();
  // Fires OnChange.
  void DoChange();
  // Date from year, month and day (the time of day is dropped).
  void SetDateParts(int Y, int M, int D);
  // The date a day cell shows; true when it lies in the shown month.
  bool CellDate(int ACol, int ARow, int& Y, int& M, int& D) const;
  void DrawButtonFrame(TCanvas* C, const TRect& R) const;
  void DrawCentered(TCanvas* C, const TRect& R, const String& Text) const;
  // The language whose captions are used.
  TLanguage CaptionLanguage() const;

  TDateTime FDate = 0;
  int FMonthOffset = 0;
  bool FAutoSwitch = true;
  TColor FColorActiveMonth = 0x000000;
  TColor FColorInactiveMonth = 0xC0C0C0;
  TColor FColorWeekNoBg = 0xC0C0C0;
  TColor FColorWeekNoFg = 0x000000;
  TColor FColorDayIdBg = 0xC0C0C0;
  TColor FColorDayIdFg = 0x000000;
  TColor FColorSelectedBg = 0xD0A040;
  TColor FColorSelectedFg = 0xFFFFFF;
  TColor FColorHolidayBg = 0x9BD8F1;
  TColor FColorHolidayFg = 0x0000C0;
  TColor FColorToday = 0x0000FF;
  bool FCtl3D = true;
  TDayOfWeek FFirstDayOfWeek = dwMon;
  bool FIndicateHolidays = true;
  TLanguage FLanguage = lgEnglish;
  bool FMarkToday = true;
  bool FShowHolidayHint = true;
  bool FShowMonthShort = true;
  bool FShowMovableHolidays = true;
  TDayColors FDayColors{0xF8F8F8, 0xF8F8F8, 0xF8F8F8, 0xF8F8F8, 0xF8F8F8, 0xBBDDEE, 0xCCEEFF};
  // Columns day, month, year (RepeatHolidayYear for yearly ones); one row per holiday.
  TIntMatrix FHolidays{nullptr, 3, 0};
  std::vector<String> FCaptions;
  TNotifyEvent FOnChange;
  // Today's date while a paint runs (read once per paint, not per cell).
  int FTodayYear = 0, FTodayMonth = 0, FTodayDay = 0;
};

}  // namespace orv

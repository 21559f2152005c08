#pragma once
// Calendar arithmetic, formatting and parsing of TDateTime values.
//
// A TDateTime counts days since 1899-12-30; the fraction is the time of day.
// For dates before that day the integer part counts days backwards while the
// fraction is still the (positive) time: -1.25 is 1899-12-29 06:00.
// Valid calendar dates run from 0001-01-01 to 9999-12-31.

#include <array>
#include <cstdint>
#include <string_view>

#include "sysutils.h"
#include "types.h"

namespace orv {

inline constexpr int HoursPerDay = 24;
inline constexpr int MinsPerHour = 60;
inline constexpr int SecsPerMin = 60;
inline constexpr int MSecsPerSec = 1000;
inline constexpr int MinsPerDay = HoursPerDay * MinsPerHour;
inline constexpr int SecsPerDay = MinsPerDay * SecsPerMin;
inline constexpr int MSecsPerDay = SecsPerDay * MSecsPerSec;
// Days from 0001-01-01 (day 1) to 1899-12-30 (day 0 of TDateTime).
inline constexpr int DateDelta = 693594;
inline constexpr TDateTime MinDateTime = -693593.0;                    // 0001-01-01 00:00
inline constexpr TDateTime MaxDateTime = 2958465.99999999;             // 9999-12-31 23:59:59.999

// Length of each month, indexed [IsLeapYear(Year)][Month] with Month 1..12
// (entry 0 is unused and holds 0).
inline constexpr uint16_t MonthDays[2][13] = {{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                              {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// Format settings plus the month and weekday names the date tokens print.
// Month M is at index M - 1; weekday names start with Sunday, so the name of
// DayOfWeek(D) is at index DayOfWeek(D) - 1.
struct TDateFormatSettings : TFormatSettings {
  TDateFormatSettings() = default;
  // Takes the separators and formats of Base and the English names.
  TDateFormatSettings(const TFormatSettings& Base) : TFormatSettings(Base) {}  // NOLINT: implicit on purpose

  std::array<String, 12> ShortMonthNames{u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                         u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  std::array<String, 12> LongMonthNames{u"January", u"February", u"March",     u"April",
                                        u"May",     u"June",     u"July",      u"August",
                                        u"September", u"October", u"November", u"December"};
  std::array<String, 7> ShortDayNames{u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  std::array<String, 7> LongDayNames{u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                     u"Thursday", u"Friday", u"Saturday"};
};

// --- Encoding and decoding ------------------------------------------------
bool IsLeapYear(uint16_t Year);
// 0 for a month outside 1..12.
uint16_t DaysInAMonth(uint16_t Year, uint16_t Month);
bool IsValidDate(uint16_t Year, uint16_t Month, uint16_t Day);
bool IsValidTime(uint16_t Hour, uint16_t Min, uint16_t Sec, uint16_t MSec);

// EConvertError "Invalid argument to date encode" outside 0001-01-01..9999-12-31.
TDateTime EncodeDate(uint16_t Year, uint16_t Month, uint16_t Day);
bool TryEncodeDate(uint16_t Year, uint16_t Month, uint16_t Day, TDateTime& Date);
// Hour 0..23, Min and Sec 0..59, MSec 0..999; EConvertError
// "Invalid argument to time encode" otherwise.
TDateTime EncodeTime(uint16_t Hour, uint16_t Min, uint16_t Sec, uint16_t MSec);
bool TryEncodeTime(uint16_t Hour, uint16_t Min, uint16_t Sec, uint16_t MSec, TDateTime& Time);
TDateTime EncodeDateTime(uint16_t Year, uint16_t Month, uint16_t Day, uint16_t Hour, uint16_t Min, uint16_t Sec,
                         uint16_t MSec);
// Joins a date and a time of day, keeping the rule for dates before 1899-12-30.
TDateTime ComposeDateTime(TDateTime Date, TDateTime Time);

// The value is first rounded to whole milliseconds. A value outside the valid
// range (or not finite) decodes to all zeros.
void DecodeDate(TDateTime Date, uint16_t& Year, uint16_t& Month, uint16_t& Day);
void DecodeTime(TDateTime Time, uint16_t& Hour, uint16_t& Min, uint16_t& Sec, uint16_t& MSec);
void DecodeDateTime(TDateTime Value, uint16_t& Year, uint16_t& Month, uint16_t& Day, uint16_t& Hour,
                    uint16_t& Min, uint16_t& Sec, uint16_t& MSec);

// The date part (midnight) and the time-of-day part of a value.
TDateTime DateOf(TDateTime Value);
TDateTime TimeOf(TDateTime Value);

// --- Calendar ---------------------------------------------------------------
// 1 = Sunday .. 7 = Saturday; 0 for an invalid value.
uint16_t DayOfWeek(TDateTime Date);
// ISO numbering: 1 = Monday .. 7 = Sunday; 0 for an invalid value.
uint16_t DayOfTheWeek(TDateTime Value);
// 1 for January 1st.
uint16_t DayOfTheYear(TDateTime Value);
// ISO 8601 week (1..53); the second form also returns the year the week belongs to.
uint16_t WeekOfTheYear(TDateTime Value);
uint16_t WeekOfTheYear(TDateTime Value, uint16_t& Year);

TDateTime StartOfTheMonth(TDateTime Value);
TDateTime EndOfTheMonth(TDateTime Value);  // last day, 23:59:59.999
TDateTime StartOfTheYear(TDateTime Value);
TDateTime EndOfTheYear(TDateTime Value);
// Moves by whole months, keeping the time; a day past the new month's end
// becomes its last day (Jan 31 + 1 month = Feb 28/29).
TDateTime IncMonth(TDateTime DateTime, int NumberOfMonths = 1);

// Local clock.
TDateTime Now();
TDateTime Date();
TDateTime Time();

// --- Text -------------------------------------------------------------------
// Format tokens (letters in either case): d dd (day), ddd dddd (short/long day
// name), ddddd (short date format), dddddd (long date format); m mm (month),
// mmm mmmm (month names); yy yyyy; h hh; n nn; s ss; z zzz; am/pm and a/p
// (12-hour clock, printed in the letter case of the token), ampm (the
// settings' AM/PM strings); c (short date, then the long time unless it is
// midnight); t tt (short/long time format); "/" and ":" print the settings'
// separators; text in double or single quotes is copied. An "m" following an
// "h" token prints minutes. An empty format means "c".
// Without names of its own (a plain TFormatSettings, or FormatSettings when
// none is given) the English month and day names are used.
String FormatDateTime(std::u16string_view Format, TDateTime DateTime);
String FormatDateTime(std::u16string_view Format, TDateTime DateTime, const TFormatSettings& Settings);
String FormatDateTime(std::u16string_view Format, TDateTime DateTime, const TDateFormatSettings& Settings);

String DateToStr(TDateTime Date);
String DateToStr(TDateTime Date, const TDateFormatSettings& Settings);
String TimeToStr(TDateTime Time);
String TimeToStr(TDateTime Time, const TDateFormatSettings& Settings);
String DateTimeToStr(TDateTime DateTime);
String DateTimeToStr(TDateTime DateTime, const TDateFormatSettings& Settings);

// Parses a short date: two or three numbers separated by the settings'
// DateSeparator, in the order of ShortDateFormat (day, month and year letters).
// A missing year means the current year; a year of one or two digits is put
// in the TwoDigitYearCenturyWindow window. EConvertError
// "'<S>' is not a valid date" when the text is not a valid date.
TDateTime StrToDate(std::u16string_view S);
TDateTime StrToDate(std::u16string_view S, const TFormatSettings& Settings);
bool TryStrToDate(std::u16string_view S, TDateTime& Value);
bool TryStrToDate(std::u16string_view S, TDateTime& Value, const TFormatSettings& Settings);

// The year a one- or two-digit year stands for when the current year is
// CurrentYear (exposed so the window rule can be checked for any year).
int ExpandTwoDigitYear(int TwoDigitYear, int CurrentYear, int Window);

}  // namespace orv

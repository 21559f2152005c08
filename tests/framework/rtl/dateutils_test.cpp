#include "framework/rtl/dateutils.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "framework/rtl/exceptions.h"

namespace orv {
namespace {

struct TYmd {
  int Y, M, D;
};

TYmd Decoded(TDateTime Value) {
  uint16_t Y, M, D;
  DecodeDate(Value, Y, M, D);
  return {Y, M, D};
}

TEST(DateEncoding, KnownDaysHaveKnownSerialNumbers) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(EncodeDate(1, 1, 1), MinDateTime);
  EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
  EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
}

TEST(DateEncoding, EveryDayRoundTripsAcrossTheWholeRange) {
  // Stepping day by day through ten thousand years checks leap rules and month tables together.
  int Y = 1, M = 1, D = 1;
  for (int Serial = static_cast<int>(MinDateTime); Serial <= 2958465; ++Serial) {
    const TYmd Got = Decoded(Serial);
    ASSERT_TRUE(Got.Y == Y && Got.M == M && Got.D == D) << "serial " << Serial;
    if (++D > DaysInAMonth(static_cast<uint16_t>(Y), static_cast<uint16_t>(M))) {
      D = 1;
      if (++M > 12) M = 1, ++Y;
    }
  }
  EXPECT_EQ(Y, 10000);
}

TEST(DateEncoding, LeapYearsFollowTheGregorianRule) {
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(2023));
  EXPECT_EQ(DaysInAMonth(1900, 2), 28);
  EXPECT_EQ(DaysInAMonth(2000, 2), 29);
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
  EXPECT_EQ(DaysInAMonth(2024, 13), 0);
  EXPECT_EQ(MonthDays[1][2], 29);
  EXPECT_EQ(MonthDays[0][12], 31);
  TDateTime Out = 0;
  EXPECT_TRUE(TryEncodeDate(2024, 2, 29, Out));
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, Out));
}

TEST(DateEncoding, InvalidPartsRaiseWithTheDocumentedText) {
  for (auto [Y, M, D] : {TYmd{0, 1, 1}, TYmd{10000, 1, 1}, TYmd{2023, 0, 1}, TYmd{2023, 13, 1}, TYmd{2023, 4, 31},
                         TYmd{2023, 2, 29}, TYmd{2023, 1, 0}}) {
    try {
      EncodeDate(static_cast<uint16_t>(Y), static_cast<uint16_t>(M), static_cast<uint16_t>(D));
      ADD_FAILURE() << Y << "-" << M << "-" << D << " was accepted";
    } catch (const EConvertError& E) {
      EXPECT_EQ(E.Message(), u"Invalid argument to date encode");
    }
  }
  try {
    EncodeTime(24, 0, 0, 0);
    ADD_FAILURE();
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), u"Invalid argument to time encode");
  }
  TDateTime Out = 0;
  EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0, Out));
  EXPECT_FALSE(TryEncodeTime(0, 0, 60, 0, Out));
  EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, Out));
}

TEST(TimeEncoding, MillisecondsRoundTripAndRoundingCarriesIntoTheNextDay) {
  for (int Ms = 0; Ms < MSecsPerDay; Ms += 7919) {
    const auto H = static_cast<uint16_t>(Ms / 3600000), N = static_cast<uint16_t>(Ms / 60000 % 60),
               S = static_cast<uint16_t>(Ms / 1000 % 60), Z = static_cast<uint16_t>(Ms % 1000);
    uint16_t H2, N2, S2, Z2;
    DecodeTime(EncodeTime(H, N, S, Z), H2, N2, S2, Z2);
    ASSERT_TRUE(H == H2 && N == N2 && S == S2 && Z == Z2) << Ms;
  }
  // Half a millisecond before midnight rounds to the next day's midnight.
  const TDateTime AlmostNext = EncodeDate(2024, 2, 28) + (MSecsPerDay - 0.4) / MSecsPerDay;
  const TYmd D = Decoded(AlmostNext);
  EXPECT_EQ(D.D, 29);
  uint16_t H, N, S, Z;
  DecodeTime(AlmostNext, H, N, S, Z);
  EXPECT_EQ(H + N + S + Z, 0);
}

TEST(DateEncoding, BeforeDayZeroTheFractionIsStillTheTimeOfDay) {
  const TDateTime V = EncodeDateTime(1899, 12, 29, 6, 0, 0, 0);
  EXPECT_DOUBLE_EQ(V, -1.25);
  const TYmd D = Decoded(V);
  EXPECT_EQ(D.Y, 1899);
  EXPECT_EQ(D.M, 12);
  EXPECT_EQ(D.D, 29);
  uint16_t H, N, S, Z;
  DecodeTime(V, H, N, S, Z);
  EXPECT_EQ(H, 6);
  EXPECT_DOUBLE_EQ(TimeOf(V), 0.25);
  EXPECT_DOUBLE_EQ(DateOf(V), -1.0);
}

TEST(DateEncoding, ValuesOutsideTheCalendarDecodeToZerosInsteadOfGarbage) {
  for (TDateTime V : {MinDateTime - 1.0, 3e6, 1e300, -1e300, std::nan(""), HUGE_VAL}) {
    const TYmd D = Decoded(V);
    EXPECT_EQ(D.Y + D.M + D.D, 0) << V;
    EXPECT_EQ(DayOfWeek(V), 0);
    EXPECT_EQ(WeekOfTheYear(V), 0);
  }
}

TEST(Calendar, WeekdaysCountFromSundayOrFromMonday) {
  const TDateTime Saturday = EncodeDate(1899, 12, 30);
  EXPECT_EQ(DayOfWeek(Saturday), 7);
  EXPECT_EQ(DayOfTheWeek(Saturday), 6);
  const TDateTime Sunday = EncodeDate(2024, 3, 3);
  EXPECT_EQ(DayOfWeek(Sunday), 1);
  EXPECT_EQ(DayOfTheWeek(Sunday), 7);
  EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);  // a Monday
  EXPECT_EQ(DayOfWeek(-1.75), 6);                // 1899-12-29 was a Friday
}

TEST(Calendar, IsoWeeksAtYearBoundaries) {
  uint16_t Year = 0;
  EXPECT_EQ(WeekOfTheYear(EncodeDate(2020, 12, 31), Year), 53);
  EXPECT_EQ(Year, 2020);
  EXPECT_EQ(WeekOfTheYear(EncodeDate(2021, 1, 3), Year), 53);
  EXPECT_EQ(Year, 2020);
  EXPECT_EQ(WeekOfTheYear(EncodeDate(2021, 1, 4), Year), 1);
  EXPECT_EQ(Year, 2021);
  EXPECT_EQ(WeekOfTheYear(EncodeDate(2024, 12, 30), Year), 1);
  EXPECT_EQ(Year, 2025);
  EXPECT_EQ(WeekOfTheYear(EncodeDate(2026, 1, 1), Year), 1);
  EXPECT_EQ(WeekOfTheYear(EncodeDate(2027, 1, 1), Year), 53);
  EXPECT_EQ(Year, 2026);
  EXPECT_EQ(WeekOfTheYear(EncodeDate(1, 1, 1), Year), 1);
  EXPECT_EQ(Year, 1);
}

TEST(Calendar, DayOfTheYearAndMonthBounds) {
  EXPECT_EQ(DayOfTheYear(EncodeDate(2024, 1, 1)), 1);
  EXPECT_EQ(DayOfTheYear(EncodeDate(2024, 12, 31)), 366);
  EXPECT_EQ(DayOfTheYear(EncodeDate(2023, 12, 31) + 0.9), 365);
  const TDateTime Mid = EncodeDateTime(2024, 2, 17, 13, 0, 0, 0);
  EXPECT_EQ(StartOfTheMonth(Mid), EncodeDate(2024, 2, 1));
  EXPECT_EQ(DateOf(EndOfTheMonth(Mid)), EncodeDate(2024, 2, 29));
  EXPECT_EQ(StartOfTheYear(Mid), EncodeDate(2024, 1, 1));
  uint16_t H, N, S, Z;
  DecodeTime(EndOfTheYear(Mid), H, N, S, Z);
  EXPECT_EQ(H * 10000000 + N * 100000 + S * 1000 + Z, 23 * 10000000 + 59 * 100000 + 59 * 1000 + 999);
}

TEST(Calendar, IncMonthClampsTheDayAndKeepsTheTime) {
  const TDateTime Jan31 = EncodeDateTime(2024, 1, 31, 10, 30, 0, 0);
  EXPECT_EQ(IncMonth(Jan31, 1), EncodeDateTime(2024, 2, 29, 10, 30, 0, 0));
  EXPECT_EQ(IncMonth(Jan31, 13), EncodeDateTime(2025, 2, 28, 10, 30, 0, 0));
  EXPECT_EQ(IncMonth(Jan31, -2), EncodeDateTime(2023, 11, 30, 10, 30, 0, 0));
  EXPECT_EQ(IncMonth(Jan31, -13), EncodeDateTime(2022, 12, 31, 10, 30, 0, 0));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 5, 15), 0), EncodeDate(2024, 5, 15));
  EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EConvertError);
  EXPECT_THROW(IncMonth(EncodeDate(1, 1, 1), -1), EConvertError);
}

TEST(Clock, NowIsTodayPlusTheTimeOfDay) {
  const TDateTime Before = Now();
  const TDateTime D = Date();
  const TDateTime T = Time();
  EXPECT_EQ(D, std::floor(D));
  EXPECT_GE(T, 0.0);
  EXPECT_LT(T, 1.0);
  EXPECT_GE(D + T + 1e-6, Before);
  EXPECT_LT(D + T - Before, 1.0 / 24);  // the clock moved less than an hour
}

// --- Formatting ----------------------------------------------------------------

class FormatDateTimeTest : public ::testing::Test {
 protected:
  TDateFormatSettings Settings;
  const TDateTime Morning = EncodeDateTime(2024, 3, 5, 7, 4, 9, 45);    // a Tuesday
  const TDateTime Evening = EncodeDateTime(2024, 11, 25, 19, 8, 0, 0);  // a Monday
  String F(std::u16string_view Format, TDateTime V) { return FormatDateTime(Format, V, Settings); }
};

TEST_F(FormatDateTimeTest, NumericTokensPadOnlyWhenDoubled) {
  EXPECT_EQ(F(u"d.m.yy", Morning), u"5.3.24");
  EXPECT_EQ(F(u"dd.mm.yyyy", Morning), u"05.03.2024");
  EXPECT_EQ(F(u"y", Morning), u"24");
  EXPECT_EQ(F(u"h:n:s", Morning), u"7:4:9");
  EXPECT_EQ(F(u"hh:nn:ss", Morning), u"07:04:09");
  EXPECT_EQ(F(u"z|zz|zzz|zzzz", Morning), u"45|45|045|045");
  EXPECT_EQ(F(u"yyyy", EncodeDate(33, 1, 1)), u"0033");
}

TEST_F(FormatDateTimeTest, NamesComeFromTheSettings) {
  EXPECT_EQ(F(u"ddd dddd mmm mmmm", Morning), u"Tue Tuesday Mar March");
  EXPECT_EQ(F(u"aaa aaaa", Evening), u"Mon Monday");
  Settings.LongMonthNames[10] = u"Novembre";
  Settings.ShortDayNames[1] = u"lun";
  EXPECT_EQ(F(u"ddd d mmmm", Evening), u"lun 25 Novembre");
}

TEST_F(FormatDateTimeTest, MAfterAnHourMeansMinutes) {
  EXPECT_EQ(F(u"hh:mm", Morning), u"07:04");
  EXPECT_EQ(F(u"h\"h\"m", Morning), u"7h4");  // quoted text does not break the link
  EXPECT_EQ(F(u"mm hh", Morning), u"03 07");
  EXPECT_EQ(F(u"hh dd mm", Morning), u"07 05 03");  // another token in between: a month again
}

TEST_F(FormatDateTimeTest, AmPmSwitchesToTwelveHoursAndKeepsTheLetterCase) {
  EXPECT_EQ(F(u"h:nn am/pm", Evening), u"7:08 pm");
  EXPECT_EQ(F(u"h:nn AM/PM", Morning), u"7:04 AM");
  EXPECT_EQ(F(u"hh a/p", Evening), u"07 p");
  EXPECT_EQ(F(u"hh A/P", Morning), u"07 A");
  EXPECT_EQ(F(u"h ampm", Evening), u"7 PM");
  EXPECT_EQ(F(u"h am/pm", EncodeTime(0, 30, 0, 0)), u"12 am");
  EXPECT_EQ(F(u"h am/pm", EncodeTime(12, 0, 0, 0)), u"12 pm");
  EXPECT_EQ(F(u"h", Evening), u"19");
  EXPECT_EQ(F(u"h \"am/pm\"", Evening), u"19 am/pm");  // quoted: not a token
}

TEST_F(FormatDateTimeTest, SeparatorsAndQuotedText) {
  Settings.DateSeparator = u'-';
  Settings.TimeSeparator = u'.';
  EXPECT_EQ(F(u"yyyy/mm/dd hh:nn", Morning), u"2024-03-05 07.04");
  EXPECT_EQ(F(u"'dd/mm' \"yyyy\" dd", Morning), u"dd/mm yyyy 05");
  EXPECT_EQ(F(u"'unclosed dd", Morning), u"unclosed dd");
  EXPECT_EQ(F(u"[x] #", Morning), u"[x] #");
}

TEST_F(FormatDateTimeTest, CompositeTokensUseTheSettingsFormats) {
  Settings.ShortDateFormat = u"dd/mm/yyyy";
  Settings.LongDateFormat = u"dddd, mmmm d, yyyy";
  Settings.ShortTimeFormat = u"hh:nn";
  Settings.LongTimeFormat = u"hh:nn:ss";
  EXPECT_EQ(F(u"ddddd", Morning), u"05/03/2024");
  EXPECT_EQ(F(u"dddddd", Morning), u"Tuesday, March 5, 2024");
  EXPECT_EQ(F(u"t", Morning), u"07:04");
  EXPECT_EQ(F(u"tt", Morning), u"07:04:09");
  EXPECT_EQ(F(u"c", Morning), u"05/03/2024 07:04:09");
  EXPECT_EQ(F(u"c", EncodeDate(2024, 3, 5)), u"05/03/2024");  // midnight: no time
  EXPECT_EQ(F(u"", Morning), u"05/03/2024 07:04:09");
  EXPECT_EQ(DateToStr(Morning, Settings), u"05/03/2024");
  EXPECT_EQ(TimeToStr(Morning, Settings), u"07:04:09");
}

TEST_F(FormatDateTimeTest, SelfReferringSettingsFormatsDoNotRecurseForever) {
  Settings.ShortDateFormat = u"c ddddd";
  Settings.LongTimeFormat = u"tt";
  const String Out = F(u"c", Morning);
  EXPECT_LT(Out.size(), 64u);
}

TEST(FormatDateTimeGlobal, PlainSettingsAndTheGlobalOnesUseEnglishNames) {
  const TDateTime V = EncodeDateTime(2024, 3, 5, 7, 4, 9, 0);
  TFormatSettings Plain;
  Plain.DateSeparator = u'.';
  EXPECT_EQ(FormatDateTime(u"dddd d/mmm/yyyy", V, Plain), u"Tuesday 5.Mar.2024");
  const TFormatSettings Saved = FormatSettings;
  FormatSettings.TimeSeparator = u'h';
  FormatSettings.ShortDateFormat = u"yyyy/mm/dd";
  EXPECT_EQ(FormatDateTime(u"hh:nn mmmm", V), u"07h04 March");
  EXPECT_EQ(DateToStr(V), u"2024/03/05");
  FormatSettings = Saved;
}

// --- Parsing -------------------------------------------------------------------

TEST(StrToDateTest, FollowsTheOrderOfTheShortDateFormat) {
  TFormatSettings S;
  S.DateSeparator = u'/';
  S.ShortDateFormat = u"dd/mm/yyyy";
  EXPECT_EQ(StrToDate(u"05/03/2024", S), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDate(u" 5 / 3 / 2024 ", S), EncodeDate(2024, 3, 5));
  S.ShortDateFormat = u"m/d/yyyy";
  EXPECT_EQ(StrToDate(u"3/5/2024", S), EncodeDate(2024, 3, 5));
  S.ShortDateFormat = u"yyyy-mm-dd";
  S.DateSeparator = u'-';
  EXPECT_EQ(StrToDate(u"2024-03-05", S), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDate(u"0024-03-05", S), EncodeDate(24, 3, 5));  // four digits: taken as written
}

TEST(StrToDateTest, WithoutAYearTheCurrentYearIsUsed) {
  TFormatSettings S;
  S.ShortDateFormat = u"dd/mm/yyyy";
  uint16_t Y, M, D;
  DecodeDate(Date(), Y, M, D);
  EXPECT_EQ(StrToDate(u"1/2", S), EncodeDate(Y, 2, 1));
}

TEST(StrToDateTest, TwoDigitYearsFallIntoTheCenturyWindow) {
  EXPECT_EQ(ExpandTwoDigitYear(75, 2026, 50), 2075);
  EXPECT_EQ(ExpandTwoDigitYear(76, 2026, 50), 1976);
  EXPECT_EQ(ExpandTwoDigitYear(0, 2026, 50), 2000);
  EXPECT_EQ(ExpandTwoDigitYear(99, 2026, 50), 1999);
  EXPECT_EQ(ExpandTwoDigitYear(99, 2026, 0), 2099);
  EXPECT_EQ(ExpandTwoDigitYear(5, 2026, 0), 2005);

  TFormatSettings S;
  S.ShortDateFormat = u"dd/mm/yy";
  S.TwoDigitYearCenturyWindow = 0;
  uint16_t Y, M, D;
  DecodeDate(Date(), Y, M, D);
  const TDateTime Parsed = StrToDate(u"01/01/07", S);
  EXPECT_EQ(Decoded(Parsed).Y, Y / 100 * 100 + 7);
}

TEST(StrToDateTest, RejectsMalformedTextWithTheDocumentedMessage) {
  TFormatSettings S;
  S.ShortDateFormat = u"dd/mm/yyyy";
  TDateTime Out = 123;
  for (std::u16string_view Bad : {u"", u"  ", u"31/02/2024", u"1/13/2024", u"00/01/2024", u"1/1/0000", u"1-1-2024",
                                  u"1/1/2024x", u"1//2024", u"/1/2024", u"1/1/99999", u"99999999999/1/1"}) {
    EXPECT_FALSE(TryStrToDate(Bad, Out, S)) << std::string(Bad.begin(), Bad.end());
  }
  EXPECT_EQ(Out, 123);
  try {
    StrToDate(u"30/02/2024", S);
    ADD_FAILURE();
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), u"'30/02/2024' is not a valid date");
  }
}

TEST(StrToDateTest, AHugeWindowCannotWrapTheYearIntoRange) {
  TFormatSettings S;
  S.ShortDateFormat = u"dd/mm/yy";
  S.TwoDigitYearCenturyWindow = 70000;  // would put the year far below 1
  TDateTime Out = 0;
  EXPECT_FALSE(TryStrToDate(u"01/01/24", Out, S));
  S.TwoDigitYearCenturyWindow = INT_MIN;  // must not overflow on the way
  EXPECT_FALSE(TryStrToDate(u"01/01/24", Out, S));
}

TEST(StrToDateTest, FormattedShortDatesParseBack) {
  TDateFormatSettings S;
  S.ShortDateFormat = u"dd/mm/yyyy";
  for (TDateTime V = EncodeDate(1, 1, 1); V < 2958465; V += 997.0) {
    ASSERT_EQ(StrToDate(DateToStr(V, S), S), V);
  }
}

}  // namespace
}  // namespace orv

#include "dateutils.h"

#include <chrono>
#include <climits>
#include <cmath>
#include <ctime>

#include "exceptions.h"

namespace orv {

namespace {

constexpr int kLastDay = DateDelta + 2958465;  // 9999-12-31 counted from 0001-01-01 as day 1

// A value split into whole days since 0001-01-01 (that day being 1) and
// milliseconds since midnight, after rounding to whole milliseconds.
struct TStamp {
  int Day = 0;
  int MSec = 0;
  bool Valid = false;
};

TStamp ToStamp(TDateTime Value) {
  TStamp S;
  // Reject before converting: a huge or non-finite double cannot be rounded to an integer safely.
  if (!std::isfinite(Value) || Value <= MinDateTime - 1.0 || Value >= MaxDateTime + 1.0) return S;
  const long long Ms = static_cast<long long>(std::nearbyint(Value * MSecsPerDay));
  const long long Days = Ms / MSecsPerDay;  // truncates: the integer part counts days either way of day 0
  S.Day = static_cast<int>(DateDelta + Days);
  S.MSec = static_cast<int>((Ms < 0 ? -Ms : Ms) % MSecsPerDay);
  S.Valid = S.Day >= 1 && S.Day <= kLastDay;
  return S;
}

int DayNumber(int Year, int Month, int Day) {
  const bool Leap = IsLeapYear(static_cast<uint16_t>(Year));
  for (int M = 1; M < Month; ++M) Day += MonthDays[Leap][M];
  const int I = Year - 1;
  return I * 365 + I / 4 - I / 100 + I / 400 + Day;
}

void DayToDate(int DayNum, int& Year, int& Month, int& Day) {
  constexpr int D1 = 365, D4 = D1 * 4 + 1, D100 = D4 * 25 - 1, D400 = D100 * 4 + 1;
  int T = DayNum - 1;
  int Y = 1 + T / D400 * 400;
  T %= D400;
  int I = T / D100;
  int D = T % D100;
  if (I == 4) {  // the last day of a 400-year cycle
    --I;
    D += D100;
  }
  Y += I * 100;
  Y += D / D4 * 4;
  D %= D4;
  I = D / D1;
  D %= D1;
  if (I == 4) {  // the last day of a 4-year cycle
    --I;
    D += D1;
  }
  Y += I;
  const bool Leap = IsLeapYear(static_cast<uint16_t>(Y));
  int M = 1;
  while (D >= MonthDays[Leap][M]) {
    D -= MonthDays[Leap][M];
    ++M;
  }
  Year = Y;
  Month = M;
  Day = D + 1;
}

TDateTime StampDate(int DayNum) { return static_cast<TDateTime>(DayNum - DateDelta); }

int CurrentYear() {
  uint16_t Y, M, D;
  DecodeDate(Date(), Y, M, D);
  return Y;
}

}  // namespace

bool IsLeapYear(uint16_t Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

uint16_t DaysInAMonth(uint16_t Year, uint16_t Month) {
  return Month >= 1 && Month <= 12 ? MonthDays[IsLeapYear(Year)][Month] : 0;
}

bool IsValidDate(uint16_t Year, uint16_t Month, uint16_t Day) {
  return Year >= 1 && Year <= 9999 && Month >= 1 && Month <= 12 && Day >= 1 && Day <= DaysInAMonth(Year, Month);
}

bool IsValidTime(uint16_t Hour, uint16_t Min, uint16_t Sec, uint16_t MSec) {
  return Hour < HoursPerDay && Min < MinsPerHour && Sec < SecsPerMin && MSec < MSecsPerSec;
}

bool TryEncodeDate(uint16_t Year, uint16_t Month, uint16_t Day, TDateTime& Date) {
  if (!IsValidDate(Year, Month, Day)) return false;
  Date = StampDate(DayNumber(Year, Month, Day));
  return true;
}

TDateTime EncodeDate(uint16_t Year, uint16_t Month, uint16_t Day) {
  TDateTime Result;
  if (!TryEncodeDate(Year, Month, Day, Result)) throw EConvertError(u"Invalid argument to date encode");
  return Result;
}

bool TryEncodeTime(uint16_t Hour, uint16_t Min, uint16_t Sec, uint16_t MSec, TDateTime& Time) {
  if (!IsValidTime(Hour, Min, Sec, MSec)) return false;
  const int Ms = ((Hour * MinsPerHour + Min) * SecsPerMin + Sec) * MSecsPerSec + MSec;
  Time = static_cast<TDateTime>(Ms) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(uint16_t Hour, uint16_t Min, uint16_t Sec, uint16_t MSec) {
  TDateTime Result;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, Result)) throw EConvertError(u"Invalid argument to time encode");
  return Result;
}

TDateTime ComposeDateTime(TDateTime Date, TDateTime Time) {
  return Date < 0 ? Date - std::fabs(Time) : Date + std::fabs(Time);
}

TDateTime EncodeDateTime(uint16_t Year, uint16_t Month, uint16_t Day, uint16_t Hour, uint16_t Min, uint16_t Sec,
                         uint16_t MSec) {
  return ComposeDateTime(EncodeDate(Year, Month, Day), EncodeTime(Hour, Min, Sec, MSec));
}

void DecodeDate(TDateTime Date, uint16_t& Year, uint16_t& Month, uint16_t& Day) {
  const TStamp S = ToStamp(Date);
  if (!S.Valid) {
    Year = Month = Day = 0;
    return;
  }
  int Y, M, D;
  DayToDate(S.Day, Y, M, D);
  Year = static_cast<uint16_t>(Y);
  Month = static_cast<uint16_t>(M);
  Day = static_cast<uint16_t>(D);
}

void DecodeTime(TDateTime Time, uint16_t& Hour, uint16_t& Min, uint16_t& Sec, uint16_t& MSec) {
  const TStamp S = ToStamp(Time);
  int Ms = S.Valid ? S.MSec : 0;
  MSec = static_cast<uint16_t>(Ms % MSecsPerSec);
  Ms /= MSecsPerSec;
  Sec = static_cast<uint16_t>(Ms % SecsPerMin);
  Ms /= SecsPerMin;
  Min = static_cast<uint16_t>(Ms % MinsPerHour);
  Hour = static_cast<uint16_t>(Ms / MinsPerHour);
}

void DecodeDateTime(TDateTime Value, uint16_t& Year, uint16_t& Month, uint16_t& Day, uint16_t& Hour,
                    uint16_t& Min, uint16_t& Sec, uint16_t& MSec) {
  DecodeDate(Value, Year, Month, Day);
  DecodeTime(Value, Hour, Min, Sec, MSec);
}

TDateTime DateOf(TDateTime Value) {
  const TStamp S = ToStamp(Value);
  return S.Valid ? StampDate(S.Day) : std::trunc(Value);
}

TDateTime TimeOf(TDateTime Value) {
  const TStamp S = ToStamp(Value);
  return S.Valid ? static_cast<TDateTime>(S.MSec) / MSecsPerDay : 0.0;
}

uint16_t DayOfWeek(TDateTime Date) {
  const TStamp S = ToStamp(Date);
  return static_cast<uint16_t>(S.Valid ? S.Day % 7 + 1 : 0);  // day 1 (0001-01-01) was a Monday
}

uint16_t DayOfTheWeek(TDateTime Value) {
  const int D = DayOfWeek(Value);
  return static_cast<uint16_t>(D == 0 ? 0 : (D + 5) % 7 + 1);
}

uint16_t DayOfTheYear(TDateTime Value) {
  const TStamp S = ToStamp(Value);
  if (!S.Valid) return 0;
  int Y, M, D;
  DayToDate(S.Day, Y, M, D);
  return static_cast<uint16_t>(S.Day - DayNumber(Y, 1, 1) + 1);
}

uint16_t WeekOfTheYear(TDateTime Value, uint16_t& Year) {
  const TStamp S = ToStamp(Value);
  if (!S.Valid) {
    Year = 0;
    return 0;
  }
  // An ISO week belongs to the year that holds its Thursday.
  const int IsoDay = (S.Day % 7 + 6) % 7 + 1;
  const int Thursday = S.Day - IsoDay + 4;
  int Y, M, D;
  DayToDate(Thursday, Y, M, D);
  Year = static_cast<uint16_t>(Y);
  return static_cast<uint16_t>((Thursday - DayNumber(Y, 1, 1)) / 7 + 1);
}

uint16_t WeekOfTheYear(TDateTime Value) {
  uint16_t Year;
  return WeekOfTheYear(Value, Year);
}

TDateTime StartOfTheMonth(TDateTime Value) {
  uint16_t Y, M, D;
  DecodeDate(Value, Y, M, D);
  return EncodeDate(Y, M, 1);
}

TDateTime EndOfTheMonth(TDateTime Value) {
  uint16_t Y, M, D;
  DecodeDate(Value, Y, M, D);
  return ComposeDateTime(EncodeDate(Y, M, DaysInAMonth(Y, M)), EncodeTime(23, 59, 59, 999));
}

TDateTime StartOfTheYear(TDateTime Value) {
  uint16_t Y, M, D;
  DecodeDate(Value, Y, M, D);
  return EncodeDate(Y, 1, 1);
}

TDateTime EndOfTheYear(TDateTime Value) {
  uint16_t Y, M, D;
  DecodeDate(Value, Y, M, D);
  return ComposeDateTime(EncodeDate(Y, 12, 31), EncodeTime(23, 59, 59, 999));
}

TDateTime IncMonth(TDateTime DateTime, int NumberOfMonths) {
  uint16_t Y, M, D;
  DecodeDate(DateTime, Y, M, D);
  if (Y == 0) throw EConvertError(u"Invalid argument to date encode");
  // Count in whole months from year 0 so that negative steps carry correctly.
  const long long Total = static_cast<long long>(Y) * 12 + (M - 1) + NumberOfMonths;
  const long long NewYear = Total >= 0 ? Total / 12 : -((-Total + 11) / 12);
  const int NewMonth = static_cast<int>(Total - NewYear * 12) + 1;
  if (NewYear < 1 || NewYear > 9999) throw EConvertError(u"Invalid argument to date encode");
  const auto Year = static_cast<uint16_t>(NewYear);
  const auto Month = static_cast<uint16_t>(NewMonth);
  const uint16_t Last = DaysInAMonth(Year, Month);
  return ComposeDateTime(EncodeDate(Year, Month, D > Last ? Last : D), TimeOf(DateTime));
}

TDateTime Now() {
  const auto Clock = std::chrono::system_clock::now();
  const std::time_t T = std::chrono::system_clock::to_time_t(Clock);
  std::tm Local{};
  localtime_r(&T, &Local);
  long long Ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock.time_since_epoch()).count() % 1000;
  if (Ms < 0) Ms += 1000;
  // A leap second (tm_sec 60) is shown as the last second of the minute.
  const int Sec = Local.tm_sec > 59 ? 59 : Local.tm_sec;
  return EncodeDateTime(static_cast<uint16_t>(Local.tm_year + 1900), static_cast<uint16_t>(Local.tm_mon + 1),
                        static_cast<uint16_t>(Local.tm_mday), static_cast<uint16_t>(Local.tm_hour),
                        static_cast<uint16_t>(Local.tm_min), static_cast<uint16_t>(Sec), static_cast<uint16_t>(Ms));
}

TDateTime Date() { return DateOf(Now()); }

TDateTime Time() { return TimeOf(Now()); }

// --- Formatting --------------------------------------------------------------

namespace {

class TDateFormatter {
 public:
  TDateFormatter(TDateTime Value, const TFormatSettings& Settings, const TDateFormatSettings& Names)
      : FSettings(Settings), FNames(Names) {
    DecodeDateTime(Value, FYear, FMonth, FDay, FHour, FMin, FSec, FMSec);
    FDayOfWeek = DayOfWeek(Value);
  }

  // Formats from the settings (ddddd, c, t, ...) expand one level deep, so a
  // settings format that names itself cannot recurse without end.
  void Append(std::u16string_view Format) {
    if (FLevel >= 2) return;
    ++FLevel;
    FLastToken = u' ';
    size_t I = 0;
    while (I < Format.size()) {
      const orv::Char Starter = Format[I];
      orv::Char Token = UpCase(Starter);
      if (Token >= u'A' && Token <= u'Z') {
        if (Token == u'M' && FLastToken == u'H') Token = u'N';
        FLastToken = Token;
      }
      const size_t Start = I;
      size_t Count = 1;
      auto TakeRun = [&] {
        while (Start + Count < Format.size() && Format[Start + Count] == Starter) ++Count;
        I = Start + Count;
      };
      switch (Token) {
        case u'Y':
          TakeRun();
          if (Count <= 2) {
            AppendNumber(FYear % 100, 2);
          } else {
            AppendNumber(FYear, 4);
          }
          break;
        case u'M':
          TakeRun();
          if (Count <= 2) {
            AppendNumber(FMonth, static_cast<int>(Count));
          } else {
            AppendMonthName(Count == 3 ? FNames.ShortMonthNames : FNames.LongMonthNames);
          }
          break;
        case u'D':
          TakeRun();
          if (Count <= 2) {
            AppendNumber(FDay, static_cast<int>(Count));
          } else if (Count <= 4) {
            AppendDayName(Count == 3 ? FNames.ShortDayNames : FNames.LongDayNames);
          } else if (Count == 5) {
            Append(FSettings.ShortDateFormat);
          } else {
            Append(FSettings.LongDateFormat);
          }
          break;
        case u'H':
          TakeRun();
          AppendHour(Format.substr(I), Count);
          break;
        case u'N':
          TakeRun();
          AppendNumber(FMin, Count > 2 ? 2 : static_cast<int>(Count));
          break;
        case u'S':
          TakeRun();
          AppendNumber(FSec, Count > 2 ? 2 : static_cast<int>(Count));
          break;
        case u'Z':
          TakeRun();
          AppendNumber(FMSec, Count > 3 ? 3 : static_cast<int>(Count));
          break;
        case u'T':
          TakeRun();
          Append(Count == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat);
          break;
        case u'C':
          TakeRun();
          Append(FSettings.ShortDateFormat);
          if (FHour != 0 || FMin != 0 || FSec != 0 || FMSec != 0) {
            FOut += u' ';
            Append(FSettings.LongTimeFormat);
          }
          break;
        case u'A':
          I = AppendAmPm(Format, Start);
          break;
        case u'/':
          if (FSettings.DateSeparator != 0) FOut += FSettings.DateSeparator;
          ++I;
          break;
        case u':':
          if (FSettings.TimeSeparator != 0) FOut += FSettings.TimeSeparator;
          ++I;
          break;
        case u'\'':
        case u'"': {
          const size_t Close = Format.find(Starter, Start + 1);
          const size_t End = Close == std::u16string_view::npos ? Format.size() : Close;
          FOut.append(Format.substr(Start + 1, End - Start - 1));
          I = Close == std::u16string_view::npos ? End : End + 1;
          break;
        }
        default:
          FOut += Starter;
          ++I;
          break;
      }
    }
    --FLevel;
  }

  String Result() { return std::move(FOut); }

 private:
  static bool StartsWithText(std::u16string_view S, size_t At, std::u16string_view Word) {
    return S.size() - At >= Word.size() && SameText(S.substr(At, Word.size()), Word);
  }

  void AppendNumber(int Value, int Digits) {
    const String Text = IntToStr(Value);
    if (static_cast<int>(Text.size()) < Digits) FOut.append(static_cast<size_t>(Digits) - Text.size(), u'0');
    FOut += Text;
  }

  void AppendMonthName(const std::array<String, 12>& Names) {
    if (FMonth >= 1 && FMonth <= 12) FOut += Names[FMonth - 1];
  }

  void AppendDayName(const std::array<String, 7>& Names) {
    if (FDayOfWeek >= 1 && FDayOfWeek <= 7) FOut += Names[static_cast<size_t>(FDayOfWeek - 1)];
  }

  // The hour is on the 12-hour clock when an am/pm token follows before the next hour token.
  void AppendHour(std::u16string_view Rest, size_t Count) {
    bool Quoted = false;
    for (size_t P = 0; P < Rest.size(); ++P) {
      const orv::Char C = Rest[P];
      if (C == u'\'' || C == u'"') {
        Quoted = !Quoted;
      } else if (!Quoted && (C == u'a' || C == u'A')) {
        if (StartsWithText(Rest, P, u"am/pm") || StartsWithText(Rest, P, u"a/p") || StartsWithText(Rest, P, u"ampm"))
          FUse12Hour = true;
        break;
      } else if (C == u'h' || C == u'H') {
        break;
      }
    }
    int H = FHour;
    if (FUse12Hour) {
      if (H == 0) {
        H = 12;
      } else if (H > 12) {
        H -= 12;
      }
    }
    AppendNumber(H, Count > 2 ? 2 : static_cast<int>(Count));
  }

  // Returns the index after what it consumed.
  size_t AppendAmPm(std::u16string_view Format, size_t At) {
    const bool Pm = FHour >= 12;
    if (StartsWithText(Format, At, u"am/pm")) {
      FOut.append(Format.substr(At + (Pm ? 3 : 0), 2));  // keeps the letter case of the format
      FUse12Hour = true;
      return At + 5;
    }
    if (StartsWithText(Format, At, u"a/p")) {
      FOut += Format[At + (Pm ? 2 : 0)];
      FUse12Hour = true;
      return At + 3;
    }
    if (StartsWithText(Format, At, u"ampm")) {
      FOut += Pm ? FSettings.TimePMString : FSettings.TimeAMString;
      FUse12Hour = true;
      return At + 4;
    }
    if (StartsWithText(Format, At, u"aaaa")) {
      AppendDayName(FNames.LongDayNames);
      return At + 4;
    }
    if (StartsWithText(Format, At, u"aaa")) {
      AppendDayName(FNames.ShortDayNames);
      return At + 3;
    }
    FOut += Format[At];
    return At + 1;
  }

  const TFormatSettings& FSettings;
  const TDateFormatSettings& FNames;
  uint16_t FYear = 0, FMonth = 0, FDay = 0, FHour = 0, FMin = 0, FSec = 0, FMSec = 0;
  int FDayOfWeek = 0;
  int FLevel = 0;
  orv::Char FLastToken = u' ';
  bool FUse12Hour = false;
  String FOut;
};

}  // namespace

namespace {

String Formatted(std::u16string_view Format, TDateTime DateTime, const TFormatSettings& Settings,
                 const TDateFormatSettings& Names) {
  TDateFormatter Formatter(DateTime, Settings, Names);
  Formatter.Append(Format.empty() ? std::u16string_view(u"c") : Format);
  return Formatter.Result();
}

const TDateFormatSettings& EnglishNames() {
  static const TDateFormatSettings Names;
  return Names;
}

}  // namespace

String FormatDateTime(std::u16string_view Format, TDateTime DateTime, const TDateFormatSettings& Settings) {
  return Formatted(Format, DateTime, Settings, Settings);
}

String FormatDateTime(std::u16string_view Format, TDateTime DateTime, const TFormatSettings& Settings) {
  return Formatted(Format, DateTime, Settings, EnglishNames());
}

String FormatDateTime(std::u16string_view Format, TDateTime DateTime) {
  return FormatDateTime(Format, DateTime, FormatSettings);
}

String DateToStr(TDateTime Date, const TDateFormatSettings& Settings) {
  return FormatDateTime(u"ddddd", Date, Settings);
}
String DateToStr(TDateTime Date) { return FormatDateTime(u"ddddd", Date); }

String TimeToStr(TDateTime Time, const TDateFormatSettings& Settings) { return FormatDateTime(u"tt", Time, Settings); }
String TimeToStr(TDateTime Time) { return FormatDateTime(u"tt", Time); }

String DateTimeToStr(TDateTime DateTime, const TDateFormatSettings& Settings) {
  return FormatDateTime(u"c", DateTime, Settings);
}
String DateTimeToStr(TDateTime DateTime) { return FormatDateTime(u"c", DateTime); }

// --- Parsing -----------------------------------------------------------------

int ExpandTwoDigitYear(int TwoDigitYear, int CurrentYear, int Window) {
  // In 64 bits: an extreme window must not overflow; such years are rejected later anyway.
  const long long Threshold = static_cast<long long>(CurrentYear) - Window;
  long long Year = Threshold / 100 * 100 + TwoDigitYear;
  if (Window > 0 && Year < Threshold) Year += 100;
  return Year < INT_MIN || Year > INT_MAX ? 0 : static_cast<int>(Year);
}

namespace {

enum TDateOrder : uint8_t { doMDY, doDMY, doYMD };

TDateOrder DateOrderOf(std::u16string_view Format) {
  for (const Char C : Format) {
    switch (UpCase(C)) {
      case u'D':
        return doDMY;
      case u'M':
        return doMDY;
      case u'Y':
        return doYMD;
      default:
        break;
    }
  }
  return doMDY;
}

class TDateScanner {
 public:
  explicit TDateScanner(std::u16string_view S) : FText(S) {}

  void SkipBlanks() {
    while (FPos < FText.size() && FText[FPos] == u' ') ++FPos;
  }
  bool Char(orv::Char C) {
    SkipBlanks();
    if (FPos < FText.size() && FText[FPos] == C) {
      ++FPos;
      return true;
    }
    return false;
  }
  // Up to four significant digits; further digits are left for the caller to reject.
  bool Number(int& Value, int& Digits) {
    SkipBlanks();
    Value = 0;
    Digits = 0;
    while (FPos < FText.size() && FText[FPos] >= u'0' && FText[FPos] <= u'9' && Value < 1000) {
      Value = Value * 10 + (FText[FPos] - u'0');
      ++FPos;
      ++Digits;
    }
    return Digits > 0;
  }
  bool AtEnd() const { return FPos >= FText.size(); }

 private:
  std::u16string_view FText;
  size_t FPos = 0;
};

}  // namespace

bool TryStrToDate(std::u16string_view S, TDateTime& Value, const TFormatSettings& Settings) {
  const TDateOrder Order = DateOrderOf(Settings.ShortDateFormat);
  const orv::Char Sep = Settings.DateSeparator;
  TDateScanner Scan(S);
  int N1, L1, N2, L2, N3, L3;
  if (!Scan.Number(N1, L1) || !Scan.Char(Sep) || !Scan.Number(N2, L2)) return false;
  int Y, M, D;
  if (Scan.Char(Sep)) {
    if (!Scan.Number(N3, L3)) return false;
    int YearDigits;
    switch (Order) {
      case doMDY:
        Y = N3, YearDigits = L3, M = N1, D = N2;
        break;
      case doDMY:
        Y = N3, YearDigits = L3, M = N2, D = N1;
        break;
      default:
        Y = N1, YearDigits = L1, M = N2, D = N3;
        break;
    }
    if (YearDigits <= 2) Y = ExpandTwoDigitYear(Y, CurrentYear(), Settings.TwoDigitYearCenturyWindow);
  } else {
    Y = CurrentYear();
    if (Order == doDMY) {
      D = N1, M = N2;
    } else {
      M = N1, D = N2;
    }
  }
  Scan.Char(Sep);  // a trailing separator is allowed
  Scan.SkipBlanks();
  if (!Scan.AtEnd()) return false;
  // Range-check as int first: a year outside 1..9999 must not wrap into the Word range.
  if (Y < 1 || Y > 9999 || M < 1 || M > 12 || D < 1 || D > 31) return false;
  return TryEncodeDate(static_cast<uint16_t>(Y), static_cast<uint16_t>(M), static_cast<uint16_t>(D), Value);
}

bool TryStrToDate(std::u16string_view S, TDateTime& Value) { return TryStrToDate(S, Value, FormatSettings); }

TDateTime StrToDate(std::u16string_view S, const TFormatSettings& Settings) {
  TDateTime Result;
  if (!TryStrToDate(S, Result, Settings)) throw EConvertError(u"'" + String(S) + u"' is not a valid date");
  return Result;
}

TDateTime StrToDate(std::u16string_view S) { return StrToDate(S, FormatSettings); }

}  // namespace orv

#include "framework/controls/dtpformat.h"

#include "framework/rtl/dateutils.h"

namespace orv {

namespace {

const char16_t* const kShortMonths[12] = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                          u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
const char16_t* const kLongMonths[12] = {u"January", u"February", u"March",     u"April",   u"May",      u"June",
                                         u"July",    u"August",   u"September", u"October", u"November", u"December"};
// Indexed by DayOfWeek - 1 (Sunday first).
const char16_t* const kShortDays[7] = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
const char16_t* const kLongDays[7] = {u"Sunday", u"Monday", u"Tuesday", u"Wednesday",
                                      u"Thursday", u"Friday", u"Saturday"};

String Digits(int Value, int MinWidth) {
  String S;
  unsigned V = static_cast<unsigned>(Value < 0 ? -Value : Value);
  do {
    S.insert(S.begin(), static_cast<Char>(u'0' + V % 10));
    V /= 10;
  } while (V != 0);
  while (static_cast<int>(S.size()) < MinWidth) S.insert(S.begin(), u'0');
  return S;
}

}  // namespace

bool IsPickerFieldLetter(Char C) {
  return C == u'y' || C == u'M' || C == u'd' || C == u'H' || C == u'h' || C == u'm' || C == u's' || C == u't';
}

std::vector<TPickerFormatToken> TokenizePickerFormat(std::u16string_view F) {
  std::vector<TPickerFormatToken> Tokens;
  size_t I = 0;
  while (I < F.size()) {
    TPickerFormatToken T;
    const Char C = F[I];
    if (C == u'\'') {
      ++I;
      while (I < F.size()) {
        if (F[I] == u'\'') {
          if (I + 1 < F.size() && F[I + 1] == u'\'') {
            T.Text += u'\'';
            I += 2;
            continue;
          }
          ++I;  // the closing quote
          break;
        }
        T.Text += F[I++];
      }
    } else if (IsPickerFieldLetter(C)) {
      T.Literal = false;
      T.Letter = C;
      while (I < F.size() && F[I] == C) {
        ++T.Count;
        ++I;
      }
    } else {
      while (I < F.size() && F[I] != u'\'' && !IsPickerFieldLetter(F[I])) T.Text += F[I++];
    }
    Tokens.push_back(std::move(T));
  }
  return Tokens;
}

String FormatPickerRun(const TPickerFormatToken& T, TDateTime Value) {
  if (T.Literal) return String();
  uint16_t Year, Month, Day, Hour, Min, Sec, MSec;
  DecodeDateTime(Value, Year, Month, Day, Hour, Min, Sec, MSec);
  const int MonthIx = Month >= 1 && Month <= 12 ? Month - 1 : 0;
  switch (T.Letter) {
    case u'y':
      if (T.Count == 1) return Digits(Year % 10, 1);
      if (T.Count == 2) return Digits(Year % 100, 2);
      return Digits(Year, 4);
    case u'M':
      if (T.Count >= 4) return kLongMonths[MonthIx];
      if (T.Count == 3) return kShortMonths[MonthIx];
      return Digits(Month, T.Count);
    case u'd': {
      if (T.Count <= 2) return Digits(Day, T.Count);
      const int W = DayOfWeek(Value);
      const int DayIx = W >= 1 ? W - 1 : 0;
      return T.Count == 3 ? kShortDays[DayIx] : kLongDays[DayIx];
    }
    case u'H':
      return Digits(Hour, T.Count >= 2 ? 2 : 1);
    case u'h':
      return Digits(Hour % 12 == 0 ? 12 : Hour % 12, T.Count >= 2 ? 2 : 1);
    case u'm':
      return Digits(Min, T.Count >= 2 ? 2 : 1);
    case u's':
      return Digits(Sec, T.Count >= 2 ? 2 : 1);
    case u't':
      if (T.Count == 1) return Hour < 12 ? u"A" : u"P";
      return Hour < 12 ? u"AM" : u"PM";
    default:
      return String();
  }
}

String FormatPickerDateTime(std::u16string_view Format, TDateTime Value) {
  String S;
  for (const TPickerFormatToken& T : TokenizePickerFormat(Format)) S += T.Literal ? T.Text : FormatPickerRun(T, Value);
  return S;
}

}  // namespace orv

#include "replist/datereader.h"

#include <climits>

#include "framework/controls/dtpformat.h"
#include "framework/rtl/dateutils.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/sysutils.h"

namespace orv {

namespace {

const char16_t* const kLongMonths[12] = {u"January", u"February", u"March",     u"April",   u"May",      u"June",
                                         u"July",    u"August",   u"September", u"October", u"November", u"December"};
const char16_t* const kShortMonths[12] = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                          u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
const char16_t* const kLongDays[7] = {u"Monday", u"Tuesday", u"Wednesday", u"Thursday",
                                      u"Friday", u"Saturday", u"Sunday"};
const char16_t* const kShortDays[7] = {u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat", u"Sun"};

// The text being read, consumed from the front.
class TScanText {
 public:
  explicit TScanText(std::u16string_view S) : FS(S) {}

  bool TakeLiteral(std::u16string_view L) {
    if (FS.substr(0, L.size()) != L) return false;
    FS.remove_prefix(L.size());
    return true;
  }
  // Exactly N characters (fewer at the end of the text) as a number.
  bool TakeFixed(size_t N, int& Value) {
    const std::u16string_view Piece = FS.substr(0, N);
    FS.remove_prefix(Piece.size());
    return TryStrToInt(Piece, Value);
  }
  // Blanks, an optional sign and decimal digits; 0 without digits.
  int TakeVariable() {
    size_t I = 0;
    while (I < FS.size() && FS[I] == u' ') ++I;
    bool Negative = false;
    if (I < FS.size() && (FS[I] == u'+' || FS[I] == u'-')) Negative = FS[I++] == u'-';
    long long V = 0;
    for (; I < FS.size() && FS[I] >= u'0' && FS[I] <= u'9'; ++I) V = std::min<long long>(V * 10 + (FS[I] - u'0'), INT_MAX);
    FS.remove_prefix(I);
    return static_cast<int>(Negative ? -V : V);
  }
  // The index of the name with which the text starts (letter case ignored), -1 when none does.
  template <size_t N>
  int TakeName(const char16_t* const (&Names)[N]) {
    for (size_t I = 0; I < N; ++I) {
      const std::u16string_view Name(Names[I]);
      if (FS.size() >= Name.size() && SameText(FS.substr(0, Name.size()), Name)) {
        FS.remove_prefix(Name.size());
        return static_cast<int>(I);
      }
    }
    return -1;
  }
  // The first N characters, letter case ignored, equal to a name of the list.
  template <size_t N>
  int TakeShortName(const char16_t* const (&Names)[N], size_t Chars) {
    const std::u16string_view Piece = FS.substr(0, Chars);
    FS.remove_prefix(Piece.size());
    for (size_t I = 0; I < N; ++I)
      if (SameText(Piece, Names[I])) return static_cast<int>(I);
    return -1;
  }
  std::u16string_view TakeChars(size_t N) {
    const std::u16string_view Piece = FS.substr(0, N);
    FS.remove_prefix(Piece.size());
    return Piece;
  }

 private:
  std::u16string_view FS;
};

bool InRange(int V, int Low, int High) { return V >= Low && V <= High; }

}  // namespace

int ScanDateTime(std::u16string_view S, std::u16string_view Format, TDateTime& Value) {
  Value = 0.0;
  int Year = 0, Month = 0, Day = 0, Hour = 0, Min = 0, Sec = 0;
  bool Hour12 = false, Morning = true;
  TScanText Text(S);
  for (const TPickerFormatToken& T : TokenizePickerFormat(Format)) {
    if (T.Literal) {
      if (!Text.TakeLiteral(T.Text)) return sdtLiteralMismatch;
      continue;
    }
    const int N = T.Count;
    bool Ok = true;
    switch (T.Letter) {
      case u'y':
        if (N == 4) {
          Ok = Text.TakeFixed(4, Year);
        } else if (N == 2) {
          int V = 0;
          Ok = Text.TakeFixed(2, V);
          uint16_t CurYear, M, D;
          DecodeDate(Now(), CurYear, M, D);
          const int Window = FormatSettings.TwoDigitYearCenturyWindow;
          const int Century = CurYear - Window;
          Year = Century / 100 * 100 + V;
          if (Window > 0 && Year < Century) Year += 100;
        } else {
          return sdtUnknownRun;
        }
        break;
      case u'M':
        if (N == 4) {
          const int I = Text.TakeName(kLongMonths);
          Ok = I >= 0;
          Month = I + 1;
        } else if (N == 3) {
          const int I = Text.TakeShortName(kShortMonths, 3);
          Ok = I >= 0;
          Month = I + 1;
        } else if (N == 2) {
          Ok = Text.TakeFixed(2, Month);
        } else if (N == 1) {
          Month = Text.TakeVariable();
        } else {
          return sdtUnknownRun;
        }
        break;
      case u'd':
        if (N == 4) {
          Ok = Text.TakeName(kLongDays) >= 0;
        } else if (N == 3) {
          Ok = Text.TakeName(kShortDays) >= 0;
        } else if (N == 2) {
          Ok = Text.TakeFixed(2, Day);
        } else if (N == 1) {
          Day = Text.TakeVariable();
        } else {
          return sdtUnknownRun;
        }
        break;
      case u'H':
      case u'h':
      case u'm':
      case u's': {
        int& Field = T.Letter == u'm' ? Min : T.Letter == u's' ? Sec : Hour;
        if (N == 2) {
          Ok = Text.TakeFixed(2, Field);
        } else if (N == 1) {
          Field = Text.TakeVariable();
        } else {
          return sdtUnknownRun;
        }
        if (T.Letter == u'h') Hour12 = true;
        break;
      }
      case u't':
        if (N > 2) return sdtUnknownRun;
        Morning = SameText(Text.TakeChars(static_cast<size_t>(N)), N == 1 ? u"a" : u"am");
        break;
      default:
        return sdtUnknownRun;
    }
    if (!Ok) return sdtBadField;
  }
  if (Hour12) {
    if (Morning && Hour == 12) {
      Hour = 0;
    } else if (!Morning && Hour != 12 && Hour <= 23) {
      Hour += 12;  // an hour past 23 is refused below as it is, without overflow
    }
  }
  // Checked here so that no value wraps round on its way into the encoders.
  if (!InRange(Hour, 0, 23) || !InRange(Min, 0, 59) || !InRange(Sec, 0, 59))
    throw EConvertError(u"Invalid argument to time encode");
  const TDateTime Time =
      EncodeTime(static_cast<uint16_t>(Hour), static_cast<uint16_t>(Min), static_cast<uint16_t>(Sec), 0);
  if (Year == 0 && Month == 0 && Day == 0) {
    Value = Time;
    return sdtOk;
  }
  if (!InRange(Year, 1, 9999) || !InRange(Month, 1, 12) || !InRange(Day, 1, 31))
    throw EConvertError(u"Invalid argument to date encode");
  Value = ComposeDateTime(EncodeDate(static_cast<uint16_t>(Year), static_cast<uint16_t>(Month), static_cast<uint16_t>(Day)), Time);
  return sdtOk;
}

}  // namespace orv

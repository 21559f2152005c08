// Number texts of the numeric label.

#include "numlab/numlab_text.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "framework/rtl/dateutils.h"
#include "framework/rtl/rtlmath.h"
#include "framework/rtl/sysutils.h"

namespace orv {

namespace {

// Magnitudes from here on have no 64-bit integer (2^63).
constexpr double kInt64Limit = 9223372036854775808.0;

bool FitsInt64(long double V) { return std::isfinite(V) && std::fabs(V) < kInt64Limit; }

// Digits of M in Radix (2..16), upper case, at least MinDigits of them.
String RadixDigits(unsigned long long M, unsigned Radix, int MinDigits) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  Char Buf[64];
  int N = 0;
  do {
    Buf[N++] = kDigits[M % Radix];
    M /= Radix;
  } while (M != 0);
  String S(static_cast<size_t>(std::max(0, MinDigits - N)), u'0');
  while (N > 0) S += Buf[--N];
  return S;
}

bool RadixText(double Value, unsigned Radix, int MinDigits, String& Text) {
  if (!FitsInt64(Value)) return false;
  const long long R = Round(Value);
  // Negating through unsigned keeps the lowest value well defined.
  const unsigned long long M = R < 0 ? 0ull - static_cast<unsigned long long>(R) : static_cast<unsigned long long>(R);
  Text.clear();
  if (R < 0) Text += u'-';
  Text += RadixDigits(M, Radix, MinDigits);
  return true;
}

// A minutes or seconds field from a count of 10^-Decimals units: two whole
// digits, then the locale's separator and Decimals digits.
String Units(unsigned long long Count, unsigned long long Scale, int Decimals) {
  String S = RadixDigits(Count / Scale, 10, 2);
  if (Decimals > 0) {
    S += FormatSettings.DecimalSeparator;
    S += RadixDigits(Count % Scale, 10, Decimals);
  }
  return S;
}

// Degrees split into Parts sexagesimal fields (1: degrees and minutes,
// 2: degrees, minutes and seconds), the last one with Decimals decimals.
// The value is rounded once, in the last field's unit, so a carry never
// leaves "60" in a field.
bool SexagesimalText(double Value, int Parts, int Decimals, String& Text) {
  const long double Scale = IntPower(10.0L, Decimals);
  const long double PerDegree = (Parts == 1 ? 60.0L : 3600.0L) * Scale;
  const long double Units0 = std::fabs(static_cast<long double>(Value)) * PerDegree;
  if (!FitsInt64(Units0)) return false;
  const auto Total = static_cast<unsigned long long>(Round(Units0));
  const auto UnitScale = static_cast<unsigned long long>(Scale);
  const auto DegUnits = static_cast<unsigned long long>(PerDegree);
  String S;
  if (Value < 0 && Total != 0) S += u'-';
  S += IntToStr(static_cast<long long>(Total / DegUnits)) + u"\u00B0";
  const unsigned long long Rest = Total % DegUnits;
  if (Parts == 1) {
    S += Units(Rest, UnitScale, Decimals) + u"'";
  } else {
    const unsigned long long MinUnits = 60 * UnitScale;
    S += RadixDigits(Rest / MinUnits, 10, 2) + u"'";
    S += Units(Rest % MinUnits, UnitScale, Decimals) + u"\"";
  }
  Text = S;
  return true;
}

// Engineering notation: mantissa 1 <= |m| < 1000 and an exponent that is a
// multiple of 3.
bool EngineeringText(double Value, int Decimals, String& Text) {
  if (!std::isfinite(Value)) return false;
  long double M = Value;
  int E = 0;
  if (Value != 0) {
    const int E10 = static_cast<int>(std::floor(std::log10(std::fabs(static_cast<long double>(Value)))));
    E = (E10 >= 0 ? E10 / 3 : -((2 - E10) / 3)) * 3;
    M = Value / IntPower(10.0L, E);
    // log10 may land one step off near powers of ten.
    if (std::fabs(M) >= 1000) {
      M /= 1000;
      E += 3;
    } else if (std::fabs(M) < 1) {
      M *= 1000;
      E -= 3;
    }
  }
  String Mant = Format(u"%.*f", {Decimals, M});
  // A mantissa just below 1000 can round up to it: "1000.00E+003" is
  // written "1.00E+006".
  const size_t Digits = (!Mant.empty() && Mant[0] == u'-') ? 1 : 0;
  if (Mant.compare(Digits, 4, u"1000") == 0) {
    M /= 1000;
    E += 3;
    Mant = Format(u"%.*f", {Decimals, M});
  }
  Text = Mant + (E < 0 ? u"E-" : u"E+") + Format(u"%.3d", {E < 0 ? -E : E});
  return true;
}

String StateEntry(double Value, const String& StateText) {
  if (StateText.find(u'|') == String::npos) return StateText;
  if (!FitsInt64(Value)) return String();
  long long Index = Round(Value);
  size_t Start = 0;
  while (Index > 0) {
    const size_t Bar = StateText.find(u'|', Start);
    if (Bar == String::npos) return String();
    Start = Bar + 1;
    --Index;
  }
  if (Index < 0) return String();
  const size_t End = StateText.find(u'|', Start);
  return StateText.substr(Start, End == String::npos ? String::npos : End - Start);
}

}  // namespace

bool NumLabValueText(TDisplay Type, double Value, int Precision, const String& DTFormat,
                     const String& StateText, String& Text) {
  Text.clear();
  const int P = std::max(0, std::min(Precision, 15));
  switch (Type) {
    case dtFloat:
      Text = Format(u"%*.*g", {1, P, Value});
      return true;
    case dtFixP:
      Text = Format(u"%*.*f", {1, P, Value});
      return true;
    case dtExp:
      Text = Format(u"%*.*e", {1, P, Value});
      return true;
    case dtInt:
      if (!FitsInt64(Value)) return false;
      Text = IntToStr(Round(Value));
      return true;
    case dtZeroInt:
      return RadixText(Value, 10, P, Text);
    case dtHex:
      return RadixText(Value, 16, P, Text);
    case dtBin:
      return RadixText(Value, 2, P, Text);
    case dtOct:
      return RadixText(Value, 8, P, Text);
    case dtDateTime:
      if (!(Value >= MinDateTime && Value <= MaxDateTime)) return false;  // years 1..9999
      try {
        Text = FormatDateTime(DTFormat, Value);
      } catch (const std::exception&) {
        Text.clear();
        return false;  // a date outside the calendar
      }
      return true;
    case dtState:
      Text = StateEntry(Value, StateText);
      return true;
    case dtDeg:
      if (!std::isfinite(Value)) return false;
      Text = Format(u"%*.*f", {1, P, Value}) + u"\u00B0";
      return true;
    case dtDegMin:
      return SexagesimalText(Value, 1, P, Text);
    case dtDegMinSec:
      return SexagesimalText(Value, 2, P, Text);
    case dtEEng:
      return EngineeringText(Value, P, Text);
    case dtEEngNoDP:
      return EngineeringText(Value, 0, Text);
  }
  return false;
}

}  // namespace orv

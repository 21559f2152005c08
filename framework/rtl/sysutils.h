#pragma once
// String handling and number <-> text conversion of the run-time library.
// Positions and indices are 1-based, as in the components' own text handling.

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "types.h"

namespace orv {

// Locale-dependent settings the conversions read (the process keeps one copy).
struct TFormatSettings {
  Char DecimalSeparator = u'.';
  Char ThousandSeparator = u',';
  Char DateSeparator = u'/';
  Char TimeSeparator = u':';
  String ShortDateFormat = u"dd/mm/yyyy";
  String LongDateFormat = u"dddd, mmmm d, yyyy";
  String ShortTimeFormat = u"hh:nn";
  String LongTimeFormat = u"hh:nn:ss";
  String TimeAMString = u"AM";
  String TimePMString = u"PM";
  // Two-digit years fall into the century window that ends this many years
  // after the current year; 0 means two-digit years are taken in the current century.
  int TwoDigitYearCenturyWindow = 50;
};
extern TFormatSettings FormatSettings;

// --- Text ---------------------------------------------------------------
// Letter case of ASCII and Latin-1 letters (U+00C0..U+00FE except the signs).
String UpperCase(std::u16string_view S);
String LowerCase(std::u16string_view S);
Char UpCase(Char C);
Char LoCase(Char C);
bool SameText(std::u16string_view A, std::u16string_view B);
int CompareText(std::u16string_view A, std::u16string_view B);  // <0, 0, >0, letter case ignored
// Trim removes leading and trailing characters up to and including blank (code <= 32).
String Trim(std::u16string_view S);
String TrimLeft(std::u16string_view S);
String TrimRight(std::u16string_view S);
// 1-based position of Sub in S at or after Offset; 0 when absent (or Sub empty).
int Pos(std::u16string_view Sub, std::u16string_view S);
int PosEx(std::u16string_view Sub, std::u16string_view S, int Offset = 1);
// Count characters from 1-based Index; out-of-range parts are clipped.
String Copy(std::u16string_view S, int Index, int Count);
String StringOfChar(Char C, int Count);

// --- Integers -----------------------------------------------------------
String IntToStr(long long Value);
String IntToHex(unsigned long long Value, int Digits);
// Accepts leading blanks (trailing ones are refused), a sign, then decimal
// digits, or "$", "0x" or "x" followed by hex digits. Decimal values must fit
// the range; hex digits are a bit pattern of the type's width ("$FFFFFFFF" is
// -1 for int). EConvertError "'<S>' is not a valid integer value" otherwise.
int StrToInt(std::u16string_view S);
bool TryStrToInt(std::u16string_view S, int& Value);
int StrToIntDef(std::u16string_view S, int Default);
long long StrToInt64(std::u16string_view S);
bool TryStrToInt64(std::u16string_view S, long long& Value);

// --- Floating point -----------------------------------------------------
// Decimal text with the given (or FormatSettings') decimal separator, optional
// surrounding blanks, sign and exponent; correctly rounded. Values beyond the
// double range are refused, values too small for it read as 0; "INF" and "NAN"
// are refused. EConvertError "'<S>' is not a valid floating point value" otherwise.
double StrToFloat(std::u16string_view S);
double StrToFloat(std::u16string_view S, const TFormatSettings& Settings);
bool TryStrToFloat(std::u16string_view S, double& Value);
bool TryStrToFloat(std::u16string_view S, double& Value, const TFormatSettings& Settings);

enum TFloatFormat : uint8_t { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
// Precision is the number of significant digits (1..18). ffGeneral: fixed
// notation with trailing zeros dropped while the integer part has at most
// Precision digits and the value is at least 0.00001, else "1.5E+20" with at
// least Digits (0..4) exponent digits. ffExponent: "-d.dddE+dd", Precision
// digits, an exponent sign always and at least Digits (0..4) exponent digits.
// ffFixed: Digits (0..18) decimals, no more than Precision significant digits,
// scientific as ffGeneral when the integer part is too long. ffNumber and
// ffCurrency: ffFixed with thousands separators. Digits are correctly rounded
// from the binary value, exact halves to even (as Round does); non-finite
// values read "NAN", "INF", "-INF".
String FloatToStrF(long double Value, TFloatFormat Format, int Precision, int Digits);
String FloatToStrF(long double Value, TFloatFormat Format, int Precision, int Digits,
                   const TFormatSettings& Settings);
String FloatToStr(long double Value);  // ffGeneral with 15 significant digits

// --- Format -------------------------------------------------------------
// One argument of Format: an integer, a real or a string.
class TVarRec {
 public:
  enum Kind : uint8_t { vtInteger, vtExtended, vtString };
  TVarRec(int V) : FKind(vtInteger), FInt(V) {}
  TVarRec(long V) : FKind(vtInteger), FInt(V) {}
  TVarRec(long long V) : FKind(vtInteger), FInt(V) {}
  TVarRec(unsigned V) : FKind(vtInteger), FInt(V) {}
  TVarRec(unsigned long V) : FKind(vtInteger), FInt(static_cast<long long>(V)) {}
  TVarRec(unsigned long long V) : FKind(vtInteger), FInt(static_cast<long long>(V)) {}
  TVarRec(double V) : FKind(vtExtended), FReal(V) {}
  TVarRec(long double V) : FKind(vtExtended), FReal(V) {}
  TVarRec(const String& V) : FKind(vtString), FStr(V) {}
  TVarRec(const Char* V) : FKind(vtString), FStr(V) {}
  TVarRec(std::u16string_view V) : FKind(vtString), FStr(V) {}

  Kind VType() const { return FKind; }
  long long AsInteger() const { return FInt; }
  long double AsExtended() const { return FReal; }
  std::u16string_view AsString() const { return FStr; }

 private:
  Kind FKind;
  long long FInt = 0;
  long double FReal = 0;
  std::u16string_view FStr;
};

// printf-like formatting: "%" [index ":"] ["-"] [width | "*"] ["." (precision | "*")]
// type, with the types (upper or lower case) d (precision = minimum digits),
// u, x (upper-case hex; precision = minimum digits), e (precision = significant
// digits, default 15, exponent "E+000"), f (decimals, default 2), g (general,
// default 15 digits), n and m (f with thousands separators), s (precision =
// maximum characters), and "%%". Width pads with blanks on the left, or on
// the right after "-"; "*" takes the next (integer) argument. Raises
// EConvertError "Format '<Fmt>' invalid or incompatible with argument" on a
// malformed directive, a missing argument, an argument of the wrong kind, or
// a width, precision or index over 100000.
String Format(std::u16string_view Fmt, std::initializer_list<TVarRec> Args);
String Format(std::u16string_view Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& Settings);

}  // namespace orv

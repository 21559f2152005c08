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
// Accepts optional blanks, a sign, then decimal digits, or "$"/"0x" followed by hex
// digits; the value must fit the 32-bit range. EConvertError
// "'<S>' is not a valid integer value" otherwise.
int StrToInt(std::u16string_view S);
bool TryStrToInt(std::u16string_view S, int& Value);
int StrToIntDef(std::u16string_view S, int Default);
long long StrToInt64(std::u16string_view S);
bool TryStrToInt64(std::u16string_view S, long long& Value);

// --- Floating point -----------------------------------------------------
// Decimal text with the given (or FormatSettings') decimal separator, optional
// surrounding blanks, sign and exponent; correctly rounded. EConvertError
// "'<S>' is not a valid floating point value" otherwise.
double StrToFloat(std::u16string_view S);
double StrToFloat(std::u16string_view S, const TFormatSettings& Settings);
bool TryStrToFloat(std::u16string_view S, double& Value);
bool TryStrToFloat(std::u16string_view S, double& Value, const TFormatSettings& Settings);

enum TFloatFormat : uint8_t { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
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

// The host's Format: "%" ["-"] [width | "*"] ["." (precision | "*")] type, with the
// types d u s f e g n x (upper or lower case) and "%%". EConvertError
// "Format '<Fmt>' invalid or incompatible with argument" on a mismatch.
String Format(std::u16string_view Fmt, std::initializer_list<TVarRec> Args);
String Format(std::u16string_view Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& Settings);

}  // namespace orv

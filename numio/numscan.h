#pragma once
// Reading numbers from UTF-16 text.
//
// Every scanner takes a 1-based position: on entry the first character to
// read, on return the first character not taken. A caller that wants the whole
// text to be a number starts at 1 and accepts the text only when the position
// afterwards equals the text's length plus 1. An entry position below 1 is
// taken as 1; one past the end of the text finds no number there and is
// returned unchanged (the value is then 0).

#include <cstdint>
#include <string_view>

#include "foundation/basetypes.h"

namespace orv {

// Separator modes taken by the decimal routines: which characters act as the
// decimal separator.
inline constexpr int kSepModePoint = 1;  // "." only
inline constexpr int kSepModeComma = 2;  // "," only
inline constexpr int kSepModeBoth = 3;   // "." or ","

// Mode for the scanners: dpsSystem gives the comma mode when the locale's
// decimal separator is ",", the point mode otherwise.
int ScanSepMode(TDecPSep DecPSep);
// Mode for the syntax checks: dpsSystem gives the point mode when the locale's
// decimal separator is ".", the comma mode otherwise.
int CheckSepMode(TDecPSep DecPSep);

// Decimal floating-point text: blanks, optional sign, digits with an optional
// separator, and (when ExpAllowed) "E" or "e" with optional sign and digits.
// The result is the correctly rounded value of all the characters taken,
// however many digits the mantissa or the exponent has, clamped to
// +-uc_MaxDouble; text that is not a number gives 0 with the position on the
// offending character. SepMode
// values other than 2 and 3 act as mode 1.
double ScanFloatNumber(std::u16string_view Text, bool ExpAllowed, int SepMode, int& Pos);

// Digit readers: leading blanks are skipped (except one in the last position),
// then digits of the radix are read until the first other character. Digits
// accumulate modulo 2^32 and the result is read as a signed 32-bit value, so
// "FFFFFFFF" in hexadecimal gives -1. ScanDecInteger also takes one "+" or "-"
// before the digits; ScanHexNumber passes over a "$" at position 1.
int ScanDecInteger(std::u16string_view Text, int& Pos);
int ScanHexNumber(std::u16string_view Text, int& Pos);
int ScanOctNumber(std::u16string_view Text, int& Pos);
int ScanBinNumber(std::u16string_view Text, int& Pos);

}  // namespace orv

#pragma once
// Writing numbers as text.

#include <cstdint>

#include "framework/rtl/types.h"

namespace orv {

// Limits that keep the text of FormatRealText bounded whatever the caller
// passes: widths beyond kMaxFormatWidth and decimal counts beyond
// kMaxFormatDecimals are taken as these values.
inline constexpr int kMaxFormatWidth = 1024;
inline constexpr int kMaxFormatDecimals = 400;

// Decimals >= 0: fixed notation with exactly that many decimals ("." as
// separator), "-" for negative values, blank-padded on the left to at least
// |Width| characters.
// Decimals == -2: exponent notation exactly |Width| long: blank or "-", one
// digit, ".", |Width|-7 digits, "E", exponent sign and two exponent digits;
// an exponent of three digits turns every character into "*".
// Other negative Decimals: the same with four exponent digits (|Width|-9
// digits after the ".").
// Exponent notation keeps at least one significant digit, so a width below
// the minimum gives a longer text.
// Negative Width: leading blanks become "0", with a "-" moved to the front
// ("  -1.5" becomes "-001.5").
// Digits are correctly rounded from the exact binary value, halves to even;
// infinities and NaN read "INF", "-INF" and "NAN" in fixed notation and fill
// the field with "*" in exponent notation.
String FormatRealText(int Width, int Decimals, long double Value);

// Exactly Count digits (clamped to 1..8, 1..11 and 1..32) of the low bits of
// Value, most significant first, zero-padded; hexadecimal digits upper-case.
String HexDigitsText(uint32_t Value, int Count);
String OctDigitsText(uint32_t Value, int Count);
String BinDigitsText(uint32_t Value, int Count);

}  // namespace orv

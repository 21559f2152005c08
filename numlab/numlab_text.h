#pragma once
// The number texts of the numeric label, one per display type, as pure
// functions so they can be checked without painting.

#include <cstdint>

#include "framework/rtl/types.h"

namespace orv {

// How the label shows its value.
//   dtFloat      general format, Precision significant digits
//   dtFixP       fixed point, Precision decimals
//   dtExp        "d.ddE+ddd", Precision significant digits
//   dtHex        the rounded value in upper-case hex, at least Precision
//                digits ("-" and the magnitude's digits when negative)
//   dtZeroInt    the rounded value with leading zeros to Precision digits
//   dtInt        the rounded value
//   dtDateTime   the value as a date-time, formatted by DTFormat
//   dtState      StateText; several states separated by "|" are picked by
//                the rounded value (0 = first), an index outside them shows
//                nothing
//   dtBin, dtOct as dtHex in base 2 and 8
//   dtDeg        decimal degrees, Precision decimals: "12.50°"
//   dtDegMin     whole degrees and decimal minutes: "12°05.50'"
//   dtDegMinSec  whole degrees and minutes, decimal seconds: "12°30'05.00""
//   dtEEng       engineering notation: a mantissa of 1 up to 1000 with
//                Precision decimals and an exponent that is a multiple of
//                3, "E", its sign and three digits: "12.35E+003"
//   dtEEngNoDP   the same with the mantissa rounded to a whole number: "12E+003"
enum TDisplay : uint8_t {
  dtFloat,
  dtFixP,
  dtExp,
  dtHex,
  dtZeroInt,
  dtInt,
  dtDateTime,
  dtState,
  dtBin,
  dtOct,
  dtDeg,
  dtDegMin,
  dtDegMinSec,
  dtEEng,
  dtEEngNoDP
};

// The text of Value in display type Type with the locale's decimal
// separator, before the label's separator and sign rules. Precision is
// 0..15. Returns false (and leaves Text empty) when the value has no text in
// that type: a non-finite value where a number is needed, an integer type
// beyond the 64-bit range, a date outside the calendar.
bool NumLabValueText(TDisplay Type, double Value, int Precision, const String& DTFormat,
                     const String& StateText, String& Text);

}  // namespace orv

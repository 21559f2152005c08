#pragma once
// Input formats of the numeric entry fields.

#include <cstdint>

namespace orv {

// itExp: decimal number with optional exponent; itFloat: decimal number without
// exponent; itFixPoint: decimal number with a fixed count of decimal places;
// itInt: signed decimal integer; itHex, itOct, itBin: digits of that radix;
// itDynamic: a leading "$" selects hexadecimal, "%" binary, "&" octal, anything
// else is read as itExp.
enum TInFormat : uint8_t { itExp, itFloat, itFixPoint, itInt, itHex, itOct, itBin, itDynamic };

}  // namespace orv

#pragma once
// Whether integer text fits 32 bits, and its saturated value. The integer
// formats of the numeric fields hold only numbers a 32-bit integer can carry;
// these helpers decide that from the digits alone, however long the text.

#include <cstdint>
#include <string_view>

namespace orv {

// Optional "+" or "-", then decimal digits: true when the number lies within
// -2147483648..2147483647. Text that is not of that form (a lone sign, the
// empty text, anything else) returns true: there is no number to overflow.
bool DecInt32Fits(std::u16string_view Text);

// Digits of radix 2, 8 or 16 (either case, no prefix): true when the number
// is at most 0xFFFFFFFF, so it reads back through the 32-bit digit readers
// unchanged. Leading zeros do not count.
bool RadixDigitsFit32(std::u16string_view Digits, int Radix);

// Optional sign and decimal digits read as a 32-bit integer that saturates:
// a number above the range gives 2147483647, one below it -2147483648.
// Reading stops at the first character that is not a digit.
int32_t ReadDecInt32Saturated(std::u16string_view Text);

}  // namespace orv

#pragma once
// Checks of partly typed number text: each tells whether the text can stand in
// a numeric field of that format while the user is still typing.

#include <string_view>

#include "foundation/basetypes.h"

namespace orv {

// Runs the scanner's state machine from position 1 and accepts the text when
// a number ends there; what follows the end of the number is not examined, so
// "12-" and "1E" pass, "1.2.3", "-" and the empty text do not. An exponent
// above 4200 fails.
bool CheckFloatSyntax(std::u16string_view Text, bool ExpAllowed, TDecPSep DecPSep);
// Optional sign, digits, optional separator, digits, nothing else; every
// prefix of such a text passes ("-", ".", "5."). The empty text fails.
bool CheckFixedSyntax(std::u16string_view Text, TDecPSep DecPSep);
// "+", "-" or a digit first (a single character must be a digit), digits after.
bool CheckIntSyntax(std::u16string_view Text);
// Non-empty and every character a digit of the radix (hex in either case, no "$").
bool CheckHexSyntax(std::u16string_view Text);
bool CheckOctSyntax(std::u16string_view Text);
bool CheckBinSyntax(std::u16string_view Text);

}  // namespace orv

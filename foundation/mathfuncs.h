#pragma once
// Small numeric helpers of the math support library.

#include <string_view>

namespace orv {

// True exactly when the run-time library's string-to-integer conversion
// (TryStrToInt) accepts Text.
bool IsValidDecInt(std::u16string_view Text);

// The largest integer not above X, as a double so that huge arguments cannot
// overflow (-3.5 gives -4, 3 gives 3). Infinities and NaN are returned as they are.
double IntNeg(double X);

}  // namespace orv

#include "foundation/mathfuncs.h"

#include <cmath>

#include "framework/rtl/sysutils.h"

namespace orv {

bool IsValidDecInt(std::u16string_view Text) {
  int Value = 0;
  return TryStrToInt(Text, Value);
}

double IntNeg(double X) { return std::floor(X); }

}  // namespace orv

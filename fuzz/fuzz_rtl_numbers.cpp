// Number text from outside: integer and real readers, and Format strings.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/sysutils.h"
#include "framework/rtl/unicode.h"

namespace {

void CheckNumbers(const orv::String& Text) {
  int I = 0;
  long long L = 0;
  if (orv::TryStrToInt(Text, I)) {
    // The 64-bit reader accepts it too, with the same low 32 bits (hex text is a bit pattern).
    if (!orv::TryStrToInt64(Text, L) || static_cast<int>(L) != I) std::abort();
    if (orv::StrToInt(orv::IntToStr(I)) != I) std::abort();
  }
  double D = 0;
  if (orv::TryStrToFloat(Text, D)) {
    if (!std::isfinite(D)) std::abort();
    // The 17-digit form reads back to the very same value.
    const orv::String Back = orv::FloatToStrF(D, orv::ffExponent, 17, 0);
    double Again = 0;
    if (!orv::TryStrToFloat(Back, Again) || Again != D) std::abort();
    orv::FloatToStrF(D, orv::ffGeneral, 15, 0);
    orv::FloatToStrF(D, orv::ffNumber, 18, 4);
  }
}

void CheckFormat(const orv::String& Fmt) {
  try {
    orv::Format(Fmt, {42, -7.25, orv::String(u"text"), 3, 1e300, -1LL});
  } catch (const orv::Exception&) {
    // A malformed or mismatched format is reported, never a crash.
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const orv::String Text = orv::FromUtf8(std::string_view(reinterpret_cast<const char*>(Data), Size));
  CheckNumbers(Text);
  CheckFormat(Text);
  return 0;
}

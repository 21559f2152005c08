#include "numio/int32text.h"

namespace orv {

namespace {

constexpr int64_t kInt32Max = 2147483647;
constexpr int64_t kInt32Min = -2147483648LL;
// Any magnitude above this is outside the range on either side; the
// accumulation stops growing there, so long texts cannot overflow it.
constexpr int64_t kCap = kInt32Max + 2;

int DigitValue(char16_t C) {
  if (C >= u'0' && C <= u'9') return C - u'0';
  if (C >= u'A' && C <= u'F') return C - u'A' + 10;
  if (C >= u'a' && C <= u'f') return C - u'a' + 10;
  return 99;
}

// Magnitude of the decimal digits from Index on, capped at kCap; Index ends
// on the first non-digit.
int64_t DecMagnitude(std::u16string_view Text, size_t& Index) {
  int64_t M = 0;
  for (; Index < Text.size() && Text[Index] >= u'0' && Text[Index] <= u'9'; ++Index) {
    M = M * 10 + (Text[Index] - u'0');
    if (M > kCap) M = kCap;
  }
  return M;
}

}  // namespace

bool DecInt32Fits(std::u16string_view Text) {
  size_t I = 0;
  bool Negative = false;
  if (I < Text.size() && (Text[I] == u'+' || Text[I] == u'-')) Negative = Text[I++] == u'-';
  const size_t Start = I;
  const int64_t M = DecMagnitude(Text, I);
  if (I == Start || I != Text.size()) return true;
  return Negative ? -M >= kInt32Min : M <= kInt32Max;
}

bool RadixDigitsFit32(std::u16string_view Digits, int Radix) {
  const int Bits = Radix == 16 ? 4 : Radix == 8 ? 3 : 1;
  size_t I = 0;
  while (I < Digits.size() && Digits[I] == u'0') ++I;
  if (I == Digits.size()) return true;
  const int Lead = DigitValue(Digits[I]);
  int LeadBits = 0;
  for (int V = Lead; V > 0; V >>= 1) ++LeadBits;
  const size_t Rest = Digits.size() - I - 1;
  return LeadBits + static_cast<int64_t>(Rest) * Bits <= 32;
}

int32_t ReadDecInt32Saturated(std::u16string_view Text) {
  size_t I = 0;
  bool Negative = false;
  if (I < Text.size() && (Text[I] == u'+' || Text[I] == u'-')) Negative = Text[I++] == u'-';
  const int64_t M = DecMagnitude(Text, I);
  if (Negative) return static_cast<int32_t>(-M < kInt32Min ? kInt32Min : -M);
  return static_cast<int32_t>(M > kInt32Max ? kInt32Max : M);
}

}  // namespace orv

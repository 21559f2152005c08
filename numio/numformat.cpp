#include "numio/numformat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace orv {

namespace {

// Characters of a formatted number: a stack buffer for the usual sizes, the
// heap only for very wide fields or huge extended values in fixed notation.
class TDigitBuffer {
 public:
  // Writes Value (not negative) in the given notation with Precision digits
  // after the point. Extended values that a double holds exactly take the
  // double path; the others are converted at full extended precision, so the
  // digits are always those of the exact binary value, correctly rounded.
  std::string_view Write(long double Value, std::chars_format Format, int Precision) {
    std::to_chars_result R = Convert(FLocal, FLocal + sizeof(FLocal), Value, Format, Precision);
    if (R.ec == std::errc()) return std::string_view(FLocal, static_cast<size_t>(R.ptr - FLocal));
    // Largest text: 4933 integer digits of the largest extended value plus the
    // point and the decimals.
    FHeap.resize(5000 + static_cast<size_t>(Precision));
    R = Convert(FHeap.data(), FHeap.data() + FHeap.size(), Value, Format, Precision);
    if (R.ec != std::errc()) return std::string_view();
    return std::string_view(FHeap.data(), static_cast<size_t>(R.ptr - FHeap.data()));
  }

 private:
  static std::to_chars_result Convert(char* First, char* Last, long double Value, std::chars_format Format,
                                      int Precision) {
    const double AsDouble = static_cast<double>(Value);
    if (static_cast<long double>(AsDouble) == Value) return std::to_chars(First, Last, AsDouble, Format, Precision);
    return std::to_chars(First, Last, Value, Format, Precision);
  }

  char FLocal[192];
  std::string FHeap;
};


String FixedText(int AbsWidth, int Decimals, long double Value) {
  std::string_view Body;
  TDigitBuffer Buffer;
  if (std::isnan(Value)) {
    Body = "NAN";
  } else if (std::isinf(Value)) {
    Body = Value < 0 ? "-INF" : "INF";
  } else {
    Body = Buffer.Write(std::fabs(Value), std::chars_format::fixed, Decimals);
  }
  const bool Minus = Value < 0 && !std::isinf(Value);
  const size_t Length = Body.size() + (Minus ? 1 : 0);
  const size_t Total = std::max(Length, static_cast<size_t>(AbsWidth));
  String Result(Total, u' ');
  auto Out = Result.begin() + static_cast<ptrdiff_t>(Total - Length);
  if (Minus) *Out++ = u'-';
  std::copy(Body.begin(), Body.end(), Out);
  return Result;
}

// Exponent notation: sign position, one digit, ".", further digits, "E",
// exponent sign, ExpDigits exponent digits; at least one significant digit.
String ExponentText(int AbsWidth, int ExpDigits, long double Value) {
  const int Significant = std::max(1, AbsWidth - 4 - ExpDigits);
  const size_t Length = static_cast<size_t>(Significant + 4 + ExpDigits);
  if (!std::isfinite(Value)) return String(Length, u'*');
  TDigitBuffer Buffer;
  // "d.ddde+XX" or, with one significant digit, "de+XX".
  const std::string_view Digits = Buffer.Write(std::fabs(Value), std::chars_format::scientific, Significant - 1);
  const size_t Mark = Digits.find('e');
  if (Mark == std::string_view::npos) return String(Length, u'*');
  int Exponent = 0;
  std::from_chars(Digits.data() + Mark + 2, Digits.data() + Digits.size(), Exponent);
  int Limit = 1;
  for (int I = 0; I < ExpDigits; ++I) Limit *= 10;
  if (Exponent >= Limit) return String(Length, u'*');

  String Result;
  Result.reserve(Length);
  Result.push_back(Value < 0 ? u'-' : u' ');
  Result.push_back(static_cast<Char>(Digits[0]));
  Result.push_back(u'.');
  for (size_t I = 2; I < Mark; ++I) Result.push_back(static_cast<Char>(Digits[I]));
  Result.push_back(u'E');
  Result.push_back(static_cast<Char>(Digits[Mark + 1]));
  for (int Unit = Limit / 10; Unit > 0; Unit /= 10) Result.push_back(static_cast<Char>(u'0' + Exponent / Unit % 10));
  return Result;
}

// Leading blanks become zeros; a "-" right after them changes places with the
// first of them, so the sign stays in front: "  -1.5" -> "-001.5".
void ZeroFill(String& Text) {
  size_t Blanks = 0;
  while (Blanks < Text.size() && Text[Blanks] == u' ') Text[Blanks++] = u'0';
  if (Blanks > 0 && Blanks < Text.size() && Text[Blanks] == u'-') {
    Text[Blanks] = u'0';
    Text[0] = u'-';
  }
}

String DigitsText(uint32_t Value, int Count, int MaxCount, unsigned BitsPerDigit) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  Count = std::clamp(Count, 1, MaxCount);
  String Result(static_cast<size_t>(Count), u'0');
  const uint32_t Mask = (1u << BitsPerDigit) - 1;
  for (auto It = Result.rbegin(); It != Result.rend(); ++It) {
    *It = kDigits[Value & Mask];
    Value >>= BitsPerDigit;
  }
  return Result;
}

}  // namespace

String FormatRealText(int Width, int Decimals, long double Value) {
  // Widened first: the magnitude of INT_MIN does not fit an int.
  const long long AbsWidth = std::min<long long>(std::llabs(static_cast<long long>(Width)), kMaxFormatWidth);
  String Result;
  if (Decimals >= 0) {
    Result = FixedText(static_cast<int>(AbsWidth), std::min(Decimals, kMaxFormatDecimals), Value);
  } else {
    Result = ExponentText(static_cast<int>(AbsWidth), Decimals == -2 ? 2 : 4, Value);
  }
  if (Width < 0) ZeroFill(Result);
  return Result;
}

String HexDigitsText(uint32_t Value, int Count) { return DigitsText(Value, Count, 8, 4); }
String OctDigitsText(uint32_t Value, int Count) { return DigitsText(Value, Count, 11, 3); }
String BinDigitsText(uint32_t Value, int Count) { return DigitsText(Value, Count, 32, 1); }

}  // namespace orv

// Text to number: integers (decimal or hexadecimal) and floating point values.
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "exceptions.h"
#include "sysutils.h"

namespace orv {

namespace {

bool IsBlank(Char C) { return C == u' ' || C == u'\t'; }

int HexDigitValue(Char C) {
  if (C >= u'0' && C <= u'9') return C - u'0';
  if (C >= u'A' && C <= u'F') return C - u'A' + 10;
  if (C >= u'a' && C <= u'f') return C - u'a' + 10;
  return -1;
}

// Reads an integer whose magnitude may not exceed DecLimit (positive) or
// DecLimit + 1 (negative) in decimal, and whose hexadecimal digits may not
// exceed HexMask. Hexadecimal text is a bit pattern: "$FFFFFFFF" is -1 in the
// 32-bit range. Leading blanks are skipped, trailing ones are not allowed.
bool ParseInteger(std::u16string_view S, unsigned long long DecLimit, unsigned long long HexMask,
                  long long& Value) {
  size_t I = 0;
  const size_t N = S.size();
  while (I < N && IsBlank(S[I])) ++I;
  bool Negative = false;
  if (I < N && (S[I] == u'+' || S[I] == u'-')) {
    Negative = S[I] == u'-';
    ++I;
  }
  bool Hex = false;
  if (I < N && S[I] == u'$') {
    Hex = true;
    ++I;
  } else if (I < N && (S[I] == u'x' || S[I] == u'X')) {
    Hex = true;
    ++I;
  } else if (I + 1 < N && S[I] == u'0' && (S[I + 1] == u'x' || S[I + 1] == u'X')) {
    Hex = true;
    I += 2;
  }
  if (I == N) return false;  // no digits at all

  unsigned long long Mag = 0;
  if (Hex) {
    for (; I < N; ++I) {
      const int D = HexDigitValue(S[I]);
      if (D < 0) return false;
      if (Mag > (HexMask >> 4)) return false;  // one more digit would leave the range
      Mag = (Mag << 4) | static_cast<unsigned>(D);
    }
    // Two's complement negation of the pattern, kept to the target's width.
    if (Negative) Mag = (0ULL - Mag) & HexMask;
    const unsigned long long SignBit = (HexMask >> 1) + 1;
    Value = (Mag & SignBit) ? -static_cast<long long>(HexMask - Mag) - 1 : static_cast<long long>(Mag);
    return true;
  }

  const unsigned long long Limit = Negative ? DecLimit + 1 : DecLimit;
  for (; I < N; ++I) {
    const Char C = S[I];
    if (C < u'0' || C > u'9') return false;
    const unsigned D = static_cast<unsigned>(C - u'0');
    if (Mag > (Limit - D) / 10) return false;
    Mag = Mag * 10 + D;
  }
  // 0 - Mag wraps to the right value for the most negative number as well.
  Value = Negative ? static_cast<long long>(0ULL - Mag) : static_cast<long long>(Mag);
  return true;
}

// Copies a decimal number into Out in the form std::from_chars reads, with
// "." as the separator. Returns false when the text is not a number: blanks
// are allowed around it, the mantissa needs at least one digit, an exponent
// marker needs at least one digit after its optional sign. MagnitudeExp
// receives the decimal exponent M of 0.d1d2... x 10^M (d1 the first non-zero
// digit), which tells overflow from underflow when the value is out of range.
bool ScanDecimal(std::u16string_view S, Char Separator, std::string& Out, bool& Negative, int& MagnitudeExp) {
  size_t I = 0;
  size_t N = S.size();
  while (I < N && IsBlank(S[I])) ++I;
  while (N > I && IsBlank(S[N - 1])) --N;
  Negative = false;
  if (I < N && (S[I] == u'+' || S[I] == u'-')) {
    Negative = S[I] == u'-';
    ++I;
  }
  Out.clear();
  long long IntDigits = 0;        // significant digits before the separator
  long long LeadingFraction = 0;  // zeros after the separator before the first significant digit
  bool SeenNonZero = false;
  bool SeenDigit = false;
  for (; I < N && S[I] >= u'0' && S[I] <= u'9'; ++I) {
    SeenDigit = true;
    if (S[I] != u'0') SeenNonZero = true;
    if (SeenNonZero) ++IntDigits;
    Out.push_back(static_cast<char>(S[I]));
  }
  if (I < N && S[I] == Separator) {
    ++I;
    Out.push_back('.');
    for (; I < N && S[I] >= u'0' && S[I] <= u'9'; ++I) {
      SeenDigit = true;
      if (S[I] != u'0') SeenNonZero = true;
      if (!SeenNonZero) ++LeadingFraction;
      Out.push_back(static_cast<char>(S[I]));
    }
  }
  if (!SeenDigit) return false;
  long long Exp = 0;
  if (I < N && (S[I] == u'e' || S[I] == u'E')) {
    ++I;
    Out.push_back('e');
    bool ExpNegative = false;
    if (I < N && (S[I] == u'+' || S[I] == u'-')) {
      ExpNegative = S[I] == u'-';
      Out.push_back(static_cast<char>(S[I]));
      ++I;
    }
    if (I == N) return false;
    for (; I < N && S[I] >= u'0' && S[I] <= u'9'; ++I) {
      if (Exp < 1000000000) Exp = Exp * 10 + (S[I] - u'0');  // saturates far beyond any double
      Out.push_back(static_cast<char>(S[I]));
    }
    if (ExpNegative) Exp = -Exp;
  }
  if (I != N) return false;
  const long long M = (IntDigits > 0 ? IntDigits : -LeadingFraction) + Exp;
  MagnitudeExp = M > 1000000 ? 1000000 : (M < -1000000 ? -1000000 : static_cast<int>(M));
  return true;
}

[[noreturn]] void RaiseNotInteger(std::u16string_view S) {
  throw EConvertError(u"'" + String(S) + u"' is not a valid integer value");
}

}  // namespace

bool TryStrToInt64(std::u16string_view S, long long& Value) {
  long long V = 0;
  if (!ParseInteger(S, 0x7FFFFFFFFFFFFFFFULL, ~0ULL, V)) return false;
  Value = V;
  return true;
}

bool TryStrToInt(std::u16string_view S, int& Value) {
  long long V = 0;
  if (!ParseInteger(S, 0x7FFFFFFFULL, 0xFFFFFFFFULL, V)) return false;
  Value = static_cast<int>(V);
  return true;
}

int StrToInt(std::u16string_view S) {
  int V = 0;
  if (!TryStrToInt(S, V)) RaiseNotInteger(S);
  return V;
}

int StrToIntDef(std::u16string_view S, int Default) {
  int V = 0;
  return TryStrToInt(S, V) ? V : Default;
}

long long StrToInt64(std::u16string_view S) {
  long long V = 0;
  if (!TryStrToInt64(S, V)) RaiseNotInteger(S);
  return V;
}

bool TryStrToFloat(std::u16string_view S, double& Value, const TFormatSettings& Settings) {
  std::string Text;
  bool Negative = false;
  int MagnitudeExp = 0;
  if (!ScanDecimal(S, Settings.DecimalSeparator, Text, Negative, MagnitudeExp)) return false;
  double V = 0;
  const auto [End, Ec] = std::from_chars(Text.data(), Text.data() + Text.size(), V);
  if (End != Text.data() + Text.size()) return false;
  if (Ec == std::errc::result_out_of_range) {
    // A value of at least 0.1 that does not fit overflowed; anything smaller underflowed to zero.
    if (MagnitudeExp > 0) return false;
    V = 0;
  } else if (Ec != std::errc()) {
    return false;
  }
  if (!std::isfinite(V)) return false;
  Value = Negative ? -V : V;
  return true;
}

bool TryStrToFloat(std::u16string_view S, double& Value) { return TryStrToFloat(S, Value, FormatSettings); }

double StrToFloat(std::u16string_view S, const TFormatSettings& Settings) {
  double V = 0;
  if (!TryStrToFloat(S, V, Settings)) throw EConvertError(u"'" + String(S) + u"' is not a valid floating point value");
  return V;
}

double StrToFloat(std::u16string_view S) { return StrToFloat(S, FormatSettings); }

}  // namespace orv

// Number to text: FloatToStrF in its five layouts and the printf-like Format.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cmath>
#include <cstdio>
#include <string>

#include "exceptions.h"
#include "sysutils.h"

namespace orv {

namespace {

// A non-negative value as decimal digits: Digits[0] is the leading digit,
// worth 10^Exp. The value zero is all zeros with Exp 0.
struct TDecimal {
  std::string Digits;
  int Exp = 0;
};

// printf writes the locale's decimal point, which may not be "."; only the
// digits are taken, so the layout stays ours whatever the process locale is.
std::string Printed(const char* Fmt, int Prec, long double Value) {
  const int Len = std::snprintf(nullptr, 0, Fmt, Prec, Value);
  std::string Buf(static_cast<size_t>(Len) + 1, '\0');
  std::snprintf(Buf.data(), Buf.size(), Fmt, Prec, Value);
  Buf.resize(static_cast<size_t>(Len));
  return Buf;
}

TDecimal ParseExponentForm(const std::string& Text) {
  TDecimal R;
  size_t I = 0;
  for (; I < Text.size() && Text[I] != 'e'; ++I) {
    if (Text[I] >= '0' && Text[I] <= '9') R.Digits.push_back(Text[I]);
  }
  R.Exp = (I + 1 < Text.size()) ? std::stoi(Text.substr(I + 1)) : 0;
  return R;
}

std::string DigitsOnly(const std::string& Text) {
  std::string All;
  for (char C : Text) {
    if (C >= '0' && C <= '9') All.push_back(C);
  }
  return All;
}

// Value (finite, >= 0) rounded to Count significant digits. printf rounds
// correctly from the exact binary value, exact halves to the even neighbour,
// like Round does for integers.
TDecimal SignificantDigits(long double Value, int Count) {
  return ParseExponentForm(Printed("%.*Le", Count - 1, Value));
}

// Value (finite, >= 0) rounded to Decimals places: the integer part, then exactly Decimals digits.
void FixedDigits(long double Value, int Decimals, std::string& IntPart, std::string& Fraction) {
  const std::string All = DigitsOnly(Printed("%.*Lf", Decimals, Value));
  IntPart = All.substr(0, All.size() - static_cast<size_t>(Decimals));
  Fraction = All.substr(All.size() - static_cast<size_t>(Decimals));
}

void AppendAscii(String& Out, const std::string& Text) {
  for (char C : Text) Out.push_back(static_cast<Char>(C));
}

// "E", the sign ("+" only when AlwaysSign), then at least MinDigits exponent digits.
void AppendExponent(String& Out, int Exp, int MinDigits, bool AlwaysSign) {
  Out.push_back(u'E');
  if (Exp < 0 || AlwaysSign) Out.push_back(Exp < 0 ? u'-' : u'+');
  std::string Digits = std::to_string(Exp < 0 ? -Exp : Exp);
  if (static_cast<int>(Digits.size()) < MinDigits) Digits.insert(0, static_cast<size_t>(MinDigits) - Digits.size(), '0');
  AppendAscii(Out, Digits);
}

bool AllZero(const std::string& Digits) {
  return std::all_of(Digits.begin(), Digits.end(), [](char C) { return C == '0'; });
}

void TrimTrailingZeros(std::string& Digits) {
  while (Digits.size() > 1 && Digits.back() == '0') Digits.pop_back();
}

// d.dddE+xx from already rounded digits. The general layout writes a positive
// exponent without its sign ("1.5E20"), the exponent layout always with it.
String Scientific(bool Negative, const TDecimal& D, int ExpDigits, Char Separator, bool AlwaysSign) {
  String Out;
  if (Negative) Out.push_back(u'-');
  Out.push_back(static_cast<Char>(D.Digits[0]));
  if (D.Digits.size() > 1) {
    Out.push_back(Separator);
    AppendAscii(Out, D.Digits.substr(1));
  }
  AppendExponent(Out, D.Exp, ExpDigits, AlwaysSign);
  return Out;
}

// Shortest of fixed and scientific notation with Precision significant digits.
String FormatGeneral(long double Value, int Precision, int ExpDigits, Char Separator) {
  if (Value == 0) return u"0";
  const bool Negative = Value < 0;
  TDecimal D = SignificantDigits(std::fabs(Value), Precision);
  TrimTrailingZeros(D.Digits);
  // Fixed notation while the integer part has at most Precision digits and the
  // rounded value is at least 0.00001.
  if (D.Exp >= Precision || D.Exp < -5) return Scientific(Negative, D, ExpDigits, Separator, false);
  String Out;
  if (Negative) Out.push_back(u'-');
  const int Len = static_cast<int>(D.Digits.size());
  if (D.Exp < 0) {
    Out += u'0';
    Out.push_back(Separator);
    Out.append(static_cast<size_t>(-D.Exp - 1), u'0');
    AppendAscii(Out, D.Digits);
    return Out;
  }
  const int IntLen = D.Exp + 1;
  AppendAscii(Out, D.Digits.substr(0, static_cast<size_t>(std::min(IntLen, Len))));
  if (IntLen > Len) Out.append(static_cast<size_t>(IntLen - Len), u'0');
  if (Len > IntLen) {
    Out.push_back(Separator);
    AppendAscii(Out, D.Digits.substr(static_cast<size_t>(IntLen)));
  }
  return Out;
}

String FormatExponent(long double Value, int Precision, int ExpDigits, Char Separator) {
  const bool Negative = std::signbit(Value) && Value != 0;
  const TDecimal D = SignificantDigits(std::fabs(Value), Precision);
  return Scientific(Negative, D, ExpDigits, Separator, true);
}

void InsertThousands(const std::string& IntPart, String& Out, Char ThousandSeparator) {
  const size_t N = IntPart.size();
  for (size_t I = 0; I < N; ++I) {
    if (I > 0 && (N - I) % 3 == 0 && ThousandSeparator != 0) Out.push_back(ThousandSeparator);
    Out.push_back(static_cast<Char>(IntPart[I]));
  }
}

// Decimals places, rounded to no more than Precision significant digits; numbers
// whose integer part needs more than Precision digits go to scientific notation.
String FormatFixed(long double Value, int Precision, int Decimals, bool Grouped, const TFormatSettings& Settings) {
  const long double Mag = std::fabs(Value);
  std::string IntPart;
  std::string Fraction;
  if (Mag == 0) {
    IntPart.assign(1, '0');
    Fraction.assign(static_cast<size_t>(Decimals), '0');
  } else {
    const TDecimal D = SignificantDigits(Mag, Precision);
    if (D.Exp >= Precision) return FormatGeneral(Value, Precision, 0, Settings.DecimalSeparator);
    if (Precision - 1 - D.Exp >= Decimals) {
      // The decimal places are the coarser limit: one rounding, straight from the binary value.
      FixedDigits(Mag, Decimals, IntPart, Fraction);
    } else {
      // The significant digits are the coarser limit; the remaining places are zeros.
      const int IntLen = D.Exp + 1;
      if (IntLen > 0) {
        IntPart = D.Digits.substr(0, static_cast<size_t>(IntLen));
        Fraction = D.Digits.substr(static_cast<size_t>(IntLen));
      } else {
        IntPart.assign(1, '0');
        Fraction.assign(static_cast<size_t>(-IntLen), '0');
        Fraction += D.Digits;
      }
      Fraction.resize(static_cast<size_t>(Decimals), '0');
    }
  }
  String Out;
  // A value that rounds to zero shows no sign.
  if (Value < 0 && !(AllZero(IntPart) && AllZero(Fraction))) Out.push_back(u'-');
  if (Grouped) {
    InsertThousands(IntPart, Out, Settings.ThousandSeparator);
  } else {
    AppendAscii(Out, IntPart);
  }
  if (Decimals > 0) {
    Out.push_back(Settings.DecimalSeparator);
    AppendAscii(Out, Fraction);
  }
  return Out;
}

}  // namespace

String FloatToStrF(long double Value, TFloatFormat Format, int Precision, int Digits, const TFormatSettings& Settings) {
  if (std::isnan(Value)) return u"NAN";
  if (std::isinf(Value)) return Value < 0 ? u"-INF" : u"INF";
  const int P = std::clamp(Precision, 1, 18);
  switch (Format) {
    case ffGeneral:
      return FormatGeneral(Value, P, std::clamp(Digits, 0, 4), Settings.DecimalSeparator);
    case ffExponent:
      return FormatExponent(Value, P, std::clamp(Digits, 0, 4), Settings.DecimalSeparator);
    case ffFixed:
      return FormatFixed(Value, P, std::clamp(Digits, 0, 18), false, Settings);
    case ffNumber:
    case ffCurrency:
      return FormatFixed(Value, P, std::clamp(Digits, 0, 18), true, Settings);
  }
  return FormatGeneral(Value, P, 0, Settings.DecimalSeparator);
}

String FloatToStrF(long double Value, TFloatFormat Format, int Precision, int Digits) {
  return FloatToStrF(Value, Format, Precision, Digits, FormatSettings);
}

String FloatToStr(long double Value) { return FloatToStrF(Value, ffGeneral, 15, 0, FormatSettings); }

namespace {

// Widths, precisions and indexes above this are refused: no sensible format
// needs them, and a hostile format string must not make us allocate gigabytes.
constexpr int kMaxFieldNumber = 100000;

class TFormatter {
 public:
  TFormatter(std::u16string_view Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& Settings)
      : FFmt(Fmt), FArgs(Args.begin()), FArgCount(Args.size()), FSettings(Settings) {}

  String Run() {
    String Out;
    Out.reserve(FFmt.size() + 16);
    while (FPos < FFmt.size()) {
      const Char C = FFmt[FPos++];
      if (C != u'%') {
        Out.push_back(C);
      } else if (Peek() == u'%') {
        ++FPos;
        Out.push_back(u'%');
      } else {
        Out += Directive();
      }
    }
    return Out;
  }

 private:
  [[noreturn]] void Fail() const {
    throw EConvertError(u"Format '" + String(FFmt) + u"' invalid or incompatible with argument");
  }

  Char Peek() const { return FPos < FFmt.size() ? FFmt[FPos] : Char(0); }
  static bool IsDigit(Char C) { return C >= u'0' && C <= u'9'; }

  int ReadNumber() {
    int V = 0;
    while (IsDigit(Peek())) {
      V = V * 10 + (FFmt[FPos++] - u'0');
      if (V > kMaxFieldNumber) Fail();
    }
    return V;
  }

  const TVarRec& NextArg() {
    if (FArgIndex >= FArgCount) Fail();
    return FArgs[FArgIndex++];
  }

  // A width or precision given as "*": the next argument, an integer.
  int StarArg() {
    const TVarRec& A = NextArg();
    if (A.VType() != TVarRec::vtInteger) Fail();
    const long long V = A.AsInteger();
    if (V > kMaxFieldNumber) Fail();
    return V < 0 ? -1 : static_cast<int>(V);
  }

  // Everything after "%": [index ":"] ["-"] [width | "*"] ["." (precision | "*")] type.
  String Directive() {
    bool LeftJustify = false;
    int Width = -1;
    int Precision = -1;
    if (IsDigit(Peek())) {
      const int N = ReadNumber();
      if (Peek() == u':') {
        ++FPos;
        FArgIndex = static_cast<size_t>(N);
      } else {
        Width = N;
      }
    }
    if (Width < 0) {
      if (Peek() == u'-') {
        LeftJustify = true;
        ++FPos;
      }
      if (Peek() == u'*') {
        ++FPos;
        Width = StarArg();
      } else if (IsDigit(Peek())) {
        Width = ReadNumber();
      }
    }
    if (Peek() == u'.') {
      ++FPos;
      if (Peek() == u'*') {
        ++FPos;
        Precision = StarArg();
      } else {
        Precision = ReadNumber();
      }
    }
    if (FPos >= FFmt.size()) Fail();
    const Char Type = UpCase(FFmt[FPos++]);
    String Text = Convert(Type, Precision);
    if (Width > static_cast<int>(Text.size())) {
      const size_t Pad = static_cast<size_t>(Width) - Text.size();
      if (LeftJustify) {
        Text.append(Pad, u' ');
      } else {
        Text.insert(0, Pad, u' ');
      }
    }
    return Text;
  }

  long long IntegerArg() {
    const TVarRec& A = NextArg();
    if (A.VType() != TVarRec::vtInteger) Fail();
    return A.AsInteger();
  }

  long double RealArg() {
    const TVarRec& A = NextArg();
    if (A.VType() != TVarRec::vtExtended) Fail();
    return A.AsExtended();
  }

  // Negative values of the 32-bit range show as their 32-bit pattern, wider ones as 64 bits.
  static unsigned long long UnsignedPattern(long long V) {
    if (V < 0 && V >= INT_MIN) return static_cast<uint32_t>(static_cast<int32_t>(V));
    return static_cast<unsigned long long>(V);
  }

  static String ZeroPadded(String Digits, int MinDigits) {
    if (MinDigits > static_cast<int>(Digits.size())) Digits.insert(0, static_cast<size_t>(MinDigits) - Digits.size(), u'0');
    return Digits;
  }

  String Convert(Char Type, int Precision) {
    switch (Type) {
      case u'D': {
        const long long V = IntegerArg();
        String Digits = IntToStr(V);
        if (V < 0) Digits.erase(0, 1);
        Digits = ZeroPadded(std::move(Digits), Precision);
        return V < 0 ? u"-" + Digits : Digits;
      }
      case u'U': {
        const unsigned long long V = UnsignedPattern(IntegerArg());
        String Digits;
        AppendDigits(Digits, V);
        return ZeroPadded(std::move(Digits), Precision);
      }
      case u'X':
        return IntToHex(UnsignedPattern(IntegerArg()), std::max(Precision, 0));
      case u'E':
        return FloatToStrF(RealArg(), ffExponent, Precision < 0 ? 15 : Precision, 3, FSettings);
      case u'F':
        return FloatToStrF(RealArg(), ffFixed, 18, Precision < 0 ? 2 : Precision, FSettings);
      case u'G':
        return FloatToStrF(RealArg(), ffGeneral, Precision < 0 ? 15 : Precision, 0, FSettings);
      case u'N':
      case u'M':
        return FloatToStrF(RealArg(), ffNumber, 18, Precision < 0 ? 2 : Precision, FSettings);
      case u'S': {
        const TVarRec& A = NextArg();
        if (A.VType() != TVarRec::vtString) Fail();
        const std::u16string_view V = A.AsString();
        return String(Precision >= 0 ? V.substr(0, static_cast<size_t>(Precision)) : V);
      }
      default:
        Fail();
    }
  }

  static void AppendDigits(String& Out, unsigned long long V) {
    Char Buf[24];
    Char* P = Buf + 24;
    do {
      *--P = static_cast<Char>(u'0' + V % 10);
      V /= 10;
    } while (V != 0);
    Out.append(P, Buf + 24);
  }

  std::u16string_view FFmt;
  const TVarRec* FArgs;
  size_t FArgCount;
  const TFormatSettings& FSettings;
  size_t FPos = 0;
  size_t FArgIndex = 0;
};

}  // namespace

String Format(std::u16string_view Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& Settings) {
  return TFormatter(Fmt, Args, Settings).Run();
}

String Format(std::u16string_view Fmt, std::initializer_list<TVarRec> Args) {
  return Format(Fmt, Args, FormatSettings);
}

}  // namespace orv

#include "numio/numiotext.h"

#include <cmath>
#include <cstdint>

#include "framework/rtl/rtlmath.h"
#include "framework/rtl/sysutils.h"
#include "numio/numformat.h"
#include "numio/numscan.h"

namespace orv {

namespace {

// The format a text is read in: itDynamic looks at the first character.
// Prefixed tells whether that character is a radix prefix to step over.
TInFormat EffectiveFormat(std::u16string_view Text, TInFormat InFormat, bool& Prefixed) {
  Prefixed = false;
  if (InFormat != itDynamic) return InFormat;
  const Char First = Text.empty() ? Char(0) : Text.front();
  const TInFormat Radix = First == u'$' ? itHex : First == u'%' ? itBin : First == u'&' ? itOct : itExp;
  Prefixed = Radix != itExp;
  return Radix;
}

// An exponent marker with nothing after it but at most one sign is still
// being typed: the number is read without it.
std::u16string_view WithoutOpenExponent(std::u16string_view Text) {
  const size_t E = Text.find(u'e');
  if (E == std::u16string_view::npos) return Text;
  const size_t Rest = Text.size() - E - 1;
  if (Rest == 0 || (Rest == 1 && (Text[E + 1] == u'+' || Text[E + 1] == u'-'))) return Text.substr(0, E);
  return Text;
}

bool IsLoneSign(std::u16string_view Text) { return Text == u"-" || Text == u"+"; }

// Whether the lower-case number text that a digit reader took whole (digits
// after a sign or a radix prefix) names a value of the format's integer type:
// a signed 32-bit value for decimal text, 32 bits of digits for the other
// radixes. The readers themselves wrap larger numbers around.
bool FitsIntegerType(std::u16string_view Number, unsigned Radix) {
  uint64_t Magnitude = 0;
  bool Negative = false;
  for (const Char C : Number) {
    unsigned D;
    if (C >= u'0' && C <= u'9') {
      D = C - u'0';
    } else if (C >= u'a' && C <= u'f') {
      D = C - u'a' + 10;
    } else {
      Negative = Negative || C == u'-';
      continue;
    }
    Magnitude = Magnitude * Radix + D;
    if (Magnitude > 0xFFFFFFFFu) return false;
  }
  if (Radix != 10) return true;
  return Magnitude <= (Negative ? 0x80000000u : 0x7FFFFFFFu);
}

}  // namespace

int NumIOSepMode(TInFormat InFormat, TDecPSep DecPSep) {
  return InFormat == itFixPoint ? kSepModePoint : ScanSepMode(DecPSep);
}

bool NumIOConvertText(std::u16string_view Text, TInFormat InFormat, int SepMode, double& Value) {
  if (Text.empty()) return false;
  Value = 0;
  const size_t First = Text.find_first_not_of(u' ');
  if (First == std::u16string_view::npos) return true;  // blanks only
  const std::u16string_view Trimmed = Text.substr(First);
  if (Trimmed.find(u' ') != std::u16string_view::npos) return false;
  const String Lower = LowerCase(Trimmed);

  bool Prefixed = false;
  const TInFormat Format = EffectiveFormat(Lower, InFormat, Prefixed);
  std::u16string_view Number = Lower;
  int Pos = Prefixed ? 2 : 1;
  double Result = 0;
  switch (Format) {
    case itExp:
      Number = WithoutOpenExponent(Number);
      Result = ScanFloatNumber(Number, true, SepMode, Pos);
      break;
    case itFloat:
    case itFixPoint:
      Result = ScanFloatNumber(Number, false, SepMode, Pos);
      break;
    case itInt:
      if (IsLoneSign(Number)) return false;
      Result = ScanDecInteger(Number, Pos);
      break;
    case itHex:
      Result = ScanHexNumber(Number, Pos);
      break;
    case itOct:
      Result = ScanOctNumber(Number, Pos);
      break;
    case itBin:
      Result = ScanBinNumber(Number, Pos);
      break;
    default:
      return false;
  }
  if (Pos != static_cast<int>(Number.size()) + 1) return false;
  const unsigned Radix = Format == itInt ? 10 : Format == itHex ? 16 : Format == itOct ? 8 : Format == itBin ? 2 : 0;
  if (Radix != 0 && !FitsIntegerType(Number, Radix)) return false;
  Value = Result;
  return true;
}

String NumIOValueText(TInFormat InFormat, int FixPDecPl, double X) {
  switch (InFormat) {
    case itFloat:
      return FormatRealText(1, 8, X);
    case itFixPoint:
      return FormatRealText(1, FixPDecPl, X);
    case itInt:
      return FormatRealText(1, 0, X);
    case itHex:
    case itOct:
    case itBin: {
      // Rounding a value beyond the digits' reach would not fit an integer;
      // such values show the nearest end of the 32-bit range instead.
      const double Clamped = std::isnan(X) ? 0.0 : EnsureRange(X, -2147483648.0, 4294967295.0);
      const auto Bits = static_cast<uint32_t>(static_cast<int64_t>(Round(Clamped)));
      if (InFormat == itHex) return HexDigitsText(Bits, 8);
      if (InFormat == itOct) return OctDigitsText(Bits, 8);
      return BinDigitsText(Bits, 8);
    }
    default:
      return FormatRealText(12, -2, X);
  }
}

double NumIOReadValue(std::u16string_view Text, TInFormat InFormat) {
  String S(Text);
  const size_t Comma = S.find(u',');
  if (Comma != String::npos) S[Comma] = u'.';
  if (!S.empty() && S.back() == u'.') S += u'0';
  double Value = 0;
  return NumIOConvertText(S, InFormat, kSepModeBoth, Value) ? Value : 0.0;
}

TNumIOVerdict CheckNumIOEdit(const TNumIOEdit& Edit) {
  TNumIOVerdict V;
  V.NewOldText = Edit.OldText;
  double Value = 0;
  const bool IsNumber = NumIOConvertText(Edit.Text, Edit.InFormat, NumIOSepMode(Edit.InFormat, Edit.DecPSep), Value);
  V.Accepted = IsNumber && ((Value >= Edit.RangeLow && Value <= Edit.RangeHigh) || Value == 0);
  if (V.Accepted) {
    // Fixed-point text always shows its decimal places: typed digits are
    // rounded into them, a missing point is put back. Everything that is not
    // a number (a second point, no digits) is refused below.
    if (Edit.InFormat == itFixPoint) {
      V.Replace = true;
      V.NewText = FormatRealText(1, Edit.FixPDecPl, Value);
      V.NewSelStart = Edit.SelStart;
    }
    V.NewOldText = V.Replace ? V.NewText : Edit.Text;
  } else {
    V.Replace = true;
    V.NewText = Edit.OldText;
    V.NewSelStart = Edit.SelStart - 1;
  }
  if (V.Replace) V.NewSelStart = EnsureRange(V.NewSelStart, 0, static_cast<int>(V.NewText.size()));
  return V;
}

}  // namespace orv

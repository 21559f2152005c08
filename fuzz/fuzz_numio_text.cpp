// The text rules of the numeric edit box from outside: any text checked in
// every input format and separator choice, as a typed change against the last
// accepted text. Aborts when an accepted integer text does not name a value of
// its format's integer type, when a verdict keeps a text outside the range,
// restores anything but the last accepted text or puts the caret outside the
// text, or when a value the box shows does not read back.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "framework/rtl/unicode.h"
#include "numio/numio.h"

namespace {

using namespace orv;

void Require(bool Condition) {
  if (!Condition) std::abort();
}

bool IsIntegerFormat(TInFormat F) { return F == itInt || F == itHex || F == itOct || F == itBin; }

void CheckFormat(const String& Text, TInFormat Format, TDecPSep Sep, double Low, double High) {
  double Value = 0;
  const bool Accepted = NumIOConvertText(Text, Format, NumIOSepMode(Format, Sep), Value);
  if (Accepted) {
    Require(!std::isnan(Value) && std::fabs(Value) <= uc_MaxDouble);
    if (IsIntegerFormat(Format)) Require(Value == std::trunc(Value) && Value >= -2147483648.0 && Value <= 2147483647.0);
  }
  // The value of the text, read as the box reads it, is a number too.
  const double Read = NumIOReadValue(Text, Format);
  Require(!std::isnan(Read) && std::fabs(Read) <= uc_MaxDouble);

  // The text as a change of a box that held a valid text before.
  TNumIOEdit Edit;
  Edit.Text = Text;
  Edit.SelStart = static_cast<int>(Text.size());
  Edit.OldText.assign(1, u'0');  // (not from a literal: g++ 12 warns falsely on that)
  Edit.InFormat = Format;
  Edit.DecPSep = Sep;
  Edit.FixPDecPl = 1 + static_cast<int>(Text.size() % 8);
  Edit.RangeLow = Low;
  Edit.RangeHigh = High;
  const TNumIOVerdict V = CheckNumIOEdit(Edit);
  if (V.Accepted) {
    Require(Accepted && (Value == 0 || (Value >= Low && Value <= High)));
  } else {
    Require(V.Replace && V.NewText == Edit.OldText && V.NewOldText == Edit.OldText);
  }
  if (V.Replace) Require(V.NewSelStart >= 0 && V.NewSelStart <= static_cast<int>(V.NewText.size()));

  // What the box shows for an accepted integer reads back as that integer.
  if (Accepted && (Format == itInt || Format == itHex)) {
    const String Shown = NumIOValueText(Format, 2, Value);
    double Back = 0;
    Require(NumIOConvertText(Shown, Format, kSepModePoint, Back) && Back == Value);
  }
}

void Exercise(const String& Text, uint8_t Selector) {
  static constexpr double kRanges[][2] = {{0, 100}, {-1e9, 1e9}, {-uc_MaxDouble, uc_MaxDouble}, {0, 0}};
  const double* Range = kRanges[Selector % 4];
  for (int F = itExp; F <= itDynamic; ++F)
    for (const TDecPSep Sep : {dpsSystem, dpsPoint, dpsComma, dpsBoth})
      CheckFormat(Text, static_cast<TInFormat>(F), Sep, Range[0], Range[1]);
  // The syntax checks the numeric fields apply while text is typed.
  for (const TDecPSep Sep : {dpsPoint, dpsComma, dpsBoth}) {
    CheckFloatSyntax(Text, true, Sep);
    CheckFloatSyntax(Text, false, Sep);
    CheckFixedSyntax(Text, Sep);
  }
  if (CheckIntSyntax(Text) && Text.size() > 1) Require(Text.find_first_not_of(u"0123456789", 1) == String::npos);
  if (CheckHexSyntax(Text)) Require(!Text.empty() && Text.find_first_not_of(u"0123456789abcdefABCDEF") == String::npos);
  if (CheckOctSyntax(Text)) Require(!Text.empty() && Text.find_first_not_of(u"01234567") == String::npos);
  if (CheckBinSyntax(Text)) Require(!Text.empty() && Text.find_first_not_of(u"01") == String::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0 || Size > 4096) return 0;
  Exercise(FromUtf8(std::string_view(reinterpret_cast<const char*>(Data + 1), Size - 1)), Data[0]);
  return 0;
}

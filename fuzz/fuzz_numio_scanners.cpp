// Feeds arbitrary text to every number scanner and syntax check. Aborts when a
// scanner returns a value outside +-uc_MaxDouble (or NaN), leaves its position
// outside 1..length+1 (a start past the end must stay where it is, reading 0),
// reads a text differently when a character follows it, or when a formatted
// value does not read back exactly.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "framework/rtl/unicode.h"
#include "numio/numio.h"

namespace {

using orv::String;

void Require(bool Condition) {
  if (!Condition) std::abort();
}

void RequirePosition(int Pos, const String& Text, int Start) {
  const int End = static_cast<int>(Text.size()) + 1;
  if (Start > End) {
    Require(Pos == Start);
  } else {
    Require(Pos >= 1 && Pos <= End);
  }
}

void ScanAll(const String& Text, int Start) {
  for (const bool ExpAllowed : {false, true}) {
    for (int Mode = 1; Mode <= 3; ++Mode) {
      int Pos = Start;
      const double Value = orv::ScanFloatNumber(Text, ExpAllowed, Mode, Pos);
      RequirePosition(Pos, Text, Start);
      if (Start > static_cast<int>(Text.size()) + 1) Require(Value == 0);
      Require(!std::isnan(Value) && std::fabs(Value) <= orv::uc_MaxDouble);
      // 18 significant digits with a four-digit exponent always read back exactly.
      const String Formatted = orv::FormatRealText(26, -1, Value);
      int Back = 1;
      Require(orv::ScanFloatNumber(Formatted, true, 1, Back) == Value);
      Require(Back == static_cast<int>(Formatted.size()) + 1);
      // A character after the text acts as its end does.
      if (Start > static_cast<int>(Text.size()) + 1) continue;
      int PosX = Start;
      const double ValueX = orv::ScanFloatNumber(Text + u"x", ExpAllowed, Mode, PosX);
      Require(PosX == Pos && std::signbit(ValueX) == std::signbit(Value) && ValueX == Value);
    }
  }
  for (auto Scan : {orv::ScanDecInteger, orv::ScanHexNumber, orv::ScanOctNumber, orv::ScanBinNumber}) {
    int Pos = Start;
    const int Value = Scan(Text, Pos);
    RequirePosition(Pos, Text, Start);
    if (Start > static_cast<int>(Text.size()) + 1) Require(Value == 0);
  }
}

void Exercise(const String& Text) {
  ScanAll(Text, 1);
  // A start position taken from the input, sometimes outside the text on purpose.
  const int Derived = Text.empty() ? 0 : static_cast<int>(Text[0] % (Text.size() + 4)) - 1;
  ScanAll(Text, Derived);
  for (const orv::TDecPSep Sep : {orv::dpsSystem, orv::dpsPoint, orv::dpsComma, orv::dpsBoth}) {
    orv::CheckFloatSyntax(Text, true, Sep);
    orv::CheckFloatSyntax(Text, false, Sep);
    orv::CheckFixedSyntax(Text, Sep);
  }
  orv::CheckIntSyntax(Text);
  orv::CheckHexSyntax(Text);
  orv::CheckOctSyntax(Text);
  orv::CheckBinSyntax(Text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  Exercise(orv::FromUtf8(std::string_view(reinterpret_cast<const char*>(Data), Size)));
  // The same bytes as raw UTF-16 units, unpaired surrogates and all.
  String Units;
  for (size_t I = 0; I + 1 < Size; I += 2) Units.push_back(static_cast<char16_t>(Data[I] | (Data[I + 1] << 8)));
  Exercise(Units);
  return 0;
}

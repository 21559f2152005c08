#include "numio/numsyntax.h"

#include <algorithm>

#include "numio/numscan.h"

namespace orv {

namespace {

bool IsDecDigit(Char C) { return C >= u'0' && C <= u'9'; }
bool IsOctDigit(Char C) { return C >= u'0' && C <= u'7'; }
bool IsBinDigit(Char C) { return C == u'0' || C == u'1'; }
bool IsHexDigit(Char C) {
  return IsDecDigit(C) || (C >= u'A' && C <= u'F') || (C >= u'a' && C <= u'f');
}

template <class Pred>
bool AllDigits(std::u16string_view Text, Pred IsDigit) {
  return !Text.empty() && std::all_of(Text.begin(), Text.end(), IsDigit);
}

}  // namespace

bool CheckFixedSyntax(std::u16string_view Text, TDecPSep DecPSep) {
  if (Text.empty()) return false;
  const int SepMode = CheckSepMode(DecPSep);
  const auto IsSep = [SepMode](Char C) {
    return (C == u'.' && SepMode != kSepModeComma) ||
           (C == u',' && (SepMode == kSepModeComma || SepMode == kSepModeBoth));
  };
  // Every prefix of "[sign] digits [sep digits]" passes: the state only tells
  // what may come next.
  enum { Start, IntPart, FracPart } State = Start;
  for (const Char C : Text) {
    if (IsDecDigit(C)) {
      if (State == Start) State = IntPart;
    } else if (State != FracPart && IsSep(C)) {
      State = FracPart;
    } else if (State == Start && (C == u'+' || C == u'-')) {
      State = IntPart;
    } else {
      return false;
    }
  }
  return true;
}

bool CheckIntSyntax(std::u16string_view Text) {
  if (Text.empty()) return false;
  if (Text.size() == 1) return IsDecDigit(Text[0]);
  const Char First = Text[0];
  if (!IsDecDigit(First) && First != u'+' && First != u'-') return false;
  return std::all_of(Text.begin() + 1, Text.end(), IsDecDigit);
}

bool CheckHexSyntax(std::u16string_view Text) { return AllDigits(Text, IsHexDigit); }
bool CheckOctSyntax(std::u16string_view Text) { return AllDigits(Text, IsOctDigit); }
bool CheckBinSyntax(std::u16string_view Text) { return AllDigits(Text, IsBinDigit); }

}  // namespace orv

#pragma once
// The text formats of the table editor's clipboard: the block a copy
// writes, and the reading of numbers from clipboard text that the import
// and the size query share.

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "foundation/datatable.h"
#include "numio/numscan.h"

namespace orv {

// Text of the data cells L..R x T..B: each line starts with a blank, cells
// are separated by a TAB, each line ends with CR LF. A cell that is not a
// number reads "####"; the others are written with 14 significant digits
// and a four-digit exponent (FullPrec) or in fixed notation with their
// column's precision.
// Text is cleared first; its capacity is reused.
void NTabCopyText(String& Text, const TDataTable& Table, const std::vector<int8_t>& Precision, int L, int T, int R,
                  int B, bool FullPrec);

// One number of the clipboard text as the copy writes it: with FullPrec the
// text of FormatRealText(22, -1, Value), else of FormatRealText(1, Decimals, Value).
void NTabAppendFullPrec(String& Out, double Value);
void NTabAppendFixed(String& Out, double Value, int Decimals);

// Walks the numbers of clipboard text. TAB and CR count as blanks (and ","
// too when CommaIsBlank; otherwise it is a decimal separator). OnNumber(I,
// K, Value) gets each number with its index I in line K (both from 0);
// OnLineFeed(I) is told of each line feed met between numbers with the
// count of the line it ends. A line feed right after a number is passed
// over. Returns whether any number was read.
namespace detail {
// A plain number (sign "-", digits, ".", exponent) at the 1-based position
// Pos that ends at a blank, TAB, CR, LF (or "," when CommaIsBlank) or the
// end of the text: its value, with Pos moved past it. False when the text
// there is anything else; the scanner then decides.
bool QuickNumber(std::u16string_view Text, bool CommaIsBlank, int& Pos, double& Value);
}  // namespace detail

template <class FNumber, class FLineFeed>
bool NTabWalkClipText(std::u16string_view Text, bool CommaIsBlank, FNumber&& OnNumber, FLineFeed&& OnLineFeed) {
  // The text is read as if TAB and CR (and "," when CommaIsBlank) were
  // blanks and one more blank followed it; with "," a blank the scanner
  // takes only "." as decimal separator, so it stops at a comma as at a blank.
  const size_t N = Text.size() + 1;
  const auto At = [&](size_t I) { return I < Text.size() ? Text[I] : u' '; };
  const auto IsDigit = [](Char C) { return C >= u'0' && C <= u'9'; };
  const auto IsNumChar = [&](Char C) { return IsDigit(C) || C == u'+' || C == u'-' || C == u'.'; };
  const int SepMode = CommaIsBlank ? kSepModePoint : kSepModeBoth;
  size_t P = 0;
  while (P < N && !IsNumChar(At(P))) ++P;
  int I = 0;
  int K = 0;
  bool Any = false;
  while (P < N) {
    if (P == N - 1 && !IsDigit(At(P))) {
      ++P;
      continue;
    }
    int Pos = static_cast<int>(P) + 1;
    double V = 0;
    if (!detail::QuickNumber(Text, CommaIsBlank, Pos, V)) V = ScanFloatNumber(Text, true, SepMode, Pos);
    OnNumber(I, K, V);
    Any = true;
    ++I;
    P = std::max(static_cast<size_t>(std::max(Pos - 1, 0)), P);
    // Step on to the next number, counting the line feeds passed.
    for (;;) {
      if (P >= N - 1) {
        P = N - 1;
        break;
      }
      ++P;
      if (At(P) == u'\n') {
        OnLineFeed(I);
        ++K;
        I = 0;
        if (P < N - 1) ++P;
      }
      if (IsNumChar(At(P))) break;
    }
  }
  return Any;
}

// Size of the block of numbers in clipboard text (commas are decimal
// separators here): columns are the most numbers of a line ended by a line
// feed, rows one more than the line feeds met. NCols and NRows start at 1.
bool NTabClipMatrixSize(std::u16string_view Text, int& NCols, int& NRows);

}  // namespace orv

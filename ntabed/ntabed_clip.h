#pragma once
// The text formats of the table editor's clipboard: the block a copy
// writes, and the reading of numbers from clipboard text that the import
// and the size query share.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "foundation/datatable.h"
#include "numio/numscan.h"

namespace orv {

// Text of the data cells L..R x T..B: each line starts with a blank, cells
// are separated by a TAB, each line ends with CR LF. A cell that is not a
// number reads "####"; the others are written with 14 significant digits
// and a four-digit exponent (FullPrec) or in fixed notation with their
// column's precision.
String NTabCopyText(const TDataTable& Table, const std::vector<int8_t>& Precision, int L, int T, int R, int B,
                    bool FullPrec);

// One number of the clipboard text as the copy writes it with FullPrec.
void NTabAppendFullPrec(String& Out, double Value);

// Walks the numbers of clipboard text. TAB and CR count as blanks (and ","
// too when CommaIsBlank; otherwise it is a decimal separator). OnNumber(I,
// K, Value) gets each number with its index I in line K (both from 0);
// OnLineFeed(I) is told of each line feed met between numbers with the
// count of the line it ends. A line feed right after a number is passed
// over. Returns whether any number was read.
template <class FNumber, class FLineFeed>
bool NTabWalkClipText(const String& Raw, bool CommaIsBlank, FNumber&& OnNumber, FLineFeed&& OnLineFeed) {
  String Text = Raw;
  for (Char& C : Text) {
    if (C == u'\t' || C == u'\r' || (CommaIsBlank && C == u',')) C = u' ';
  }
  Text.push_back(u' ');
  const auto IsDigit = [](Char C) { return C >= u'0' && C <= u'9'; };
  const auto IsNumChar = [&](Char C) { return IsDigit(C) || C == u'+' || C == u'-' || C == u'.'; };
  const size_t N = Text.size();
  size_t P = 0;
  while (P < N && !IsNumChar(Text[P])) ++P;
  int I = 0;
  int K = 0;
  bool Any = false;
  while (P < N) {
    if (P == N - 1 && !IsDigit(Text[P])) {
      ++P;
      continue;
    }
    int Pos = static_cast<int>(P) + 1;
    const double V = ScanFloatNumber(Text, true, kSepModeBoth, Pos);
    OnNumber(I, K, V);
    Any = true;
    ++I;
    P = static_cast<size_t>(std::max(Pos - 1, static_cast<int>(P)));
    // Step on to the next number, counting the line feeds passed.
    for (;;) {
      if (P >= N - 1) {
        P = N - 1;
        break;
      }
      ++P;
      if (Text[P] == u'\n') {
        OnLineFeed(I);
        ++K;
        I = 0;
        if (P < N - 1) ++P;
      }
      if (IsNumChar(Text[P])) break;
    }
  }
  return Any;
}

// Size of the block of numbers in clipboard text (commas are decimal
// separators here): columns are the most numbers of a line ended by a line
// feed, rows one more than the line feeds met. NCols and NRows start at 1.
bool NTabClipMatrixSize(const String& Text, int& NCols, int& NRows);

}  // namespace orv

// Clipboard text pasted into the table editor, read as UTF-8 (the first byte
// chooses whether a comma is a blank). Aborts when the quick number reader
// takes a number the scanner reads differently (value or end), when the
// walk reports numbers out of order (line index, index in the line) or more
// line ends than the text holds, or when the block size disagrees with the
// walk that counts commas as decimal separators.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "framework/rtl/unicode.h"
#include "ntabed/ntabed_clip.h"

namespace {

using namespace orv;

void Require(bool Condition) {
  if (!Condition) std::abort();
}

bool SameNumber(double A, double B) { return A == B || (std::isnan(A) && std::isnan(B)); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 1 || Size > 4096) return 0;
  const bool CommaIsBlank = (Data[0] & 1) != 0;
  const String Text = FromUtf8(std::string_view(reinterpret_cast<const char*>(Data + 1), Size - 1));
  const int SepMode = CommaIsBlank ? kSepModePoint : kSepModeBoth;

  // Wherever the quick reader takes a number, the scanner reads the same.
  for (size_t At = 0; At < Text.size(); ++At) {
    int Quick = static_cast<int>(At) + 1;
    double V = 0;
    if (!detail::QuickNumber(Text, CommaIsBlank, Quick, V)) continue;
    int Slow = static_cast<int>(At) + 1;
    Require(SameNumber(V, ScanFloatNumber(Text, true, SepMode, Slow)));
    Require(Quick == Slow && Quick > static_cast<int>(At) + 1);
  }

  int Line = 0, InLine = 0;
  const auto LineEnds = static_cast<int>(std::count(Text.begin(), Text.end(), u'\n'));
  const bool Any = NTabWalkClipText(
      Text, CommaIsBlank,
      [&](int I, int K, double) {
        Require(I == InLine && K == Line);
        ++InLine;
      },
      [&](int Count) {
        Require(Count == InLine);
        ++Line;
        InLine = 0;
      });
  Require(Line <= LineEnds);
  Require(Any == (Line > 0 || InLine > 0));

  int NCols = 0, NRows = 0;
  const bool SizeAny = NTabClipMatrixSize(Text, NCols, NRows);
  Require(NCols >= 1 && NRows >= 1 && NRows - 1 <= LineEnds);
  if (!CommaIsBlank) Require(SizeAny == Any && NRows == Line + 1);
  return 0;
}

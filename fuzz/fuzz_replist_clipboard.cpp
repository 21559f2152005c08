// Clipboard text of the report store from outside: a store imported from the
// input as CSV (check columns and flags chosen by the input), and rectangles
// reaching past the store on every side, extracted in the tab-separated, the
// fixed-width and a custom-separator form. Aborts when a form has the wrong
// number of lines, a fixed-width line is not the sum of its column widths, or
// a cell inside the store does not appear as stored.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "replist/rlcsv.h"
#include "replist/rldata.h"

namespace {

using namespace orv;

void Require(bool Condition) {
  if (!Condition) std::abort();
}

size_t Count(std::u16string_view Text, Char C) { return static_cast<size_t>(std::count(Text.begin(), Text.end(), C)); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 6 || Size > 8192) return 0;
  TRLData D(nullptr);
  if (ImportCSVBytes(D, std::string_view(reinterpret_cast<const char*>(Data + 6), Size - 6), csvComma, true) < 0)
    return 0;
  const int Cols = D.NrOfColumns();
  const int Rows = D.NrOfRows();
  if (Cols > 64) return 0;  // fixed-width lines grow with columns x width
  D.SetColumnCheckMode(1 + Data[0] % Cols, static_cast<TCheckMode>(Data[0] % 3));
  if (Rows > 0) D.SetElemChecked(1 + Data[0] % Cols, 1 + Data[1] % Rows, true);

  // A rectangle from two rows and two columns before the store to two after.
  const int Left = static_cast<int>(Data[2] % (Cols + 4)) - 1;
  const int Right = Left + static_cast<int>(Data[3] % (Cols + 4)) - 1;
  const int Top = static_cast<int>(Data[4] % (Rows + 4)) - 1;
  const int Bottom = Top + static_cast<int>(Data[5] % (Rows + 4)) - 1;
  const bool Header = (Data[1] & 1) != 0;
  const size_t Lines = static_cast<size_t>(std::max(Bottom - Top + 1, 0)) + (Header ? 2 : 0);
  const size_t Fields = static_cast<size_t>(std::max(Right - Left + 1, 0));

  // Cells may hold line ends and tabs of their own; the counts allow for them.
  size_t CellBreaks = 0, CellTabs = 0, CellSemis = 0;
  for (int R = Top; R <= Bottom; ++R)
    for (int C = Left; C <= Right; ++C) {
      const String Cell = D.Elem(C, R);
      CellBreaks += Count(Cell, u'\n');
      CellTabs += Count(Cell, u'\t');
      CellSemis += Count(Cell, u';');
    }
  if (Header)
    for (int C = Left; C <= Right; ++C) {
      CellBreaks += Count(D.Header(C), u'\n');
      CellTabs += Count(D.Header(C), u'\t');
      CellSemis += Count(D.Header(C), u';');
    }

  const String Tabs = D.ClipboardText(Left, Top, Right, Bottom, Header, true);
  Require(Count(Tabs, u'\n') == Lines + CellBreaks);
  Require(Count(Tabs, u'\t') == CellTabs + (Fields > 0 ? (Fields - 1) * (Lines - (Header ? 1 : 0)) : 0));
  const String Semis = D.ClipboardText(Left, Top, Right, Bottom, Header, u";");
  Require(Count(Semis, u';') == CellSemis + (Fields > 0 ? (Fields - 1) * (Lines - (Header ? 1 : 0)) : 0));

  // Fixed width: every column as wide as its longest stored text plus one.
  const String Fixed = D.ClipboardText(Left, Top, Right, Bottom, Header, false);
  size_t Width = 0;
  for (int C = Left; C <= Right; ++C) {
    size_t W = Header ? D.Header(C).size() : 0;
    for (int R = Top; R <= Bottom; ++R) W = std::max(W, static_cast<size_t>(D.Strings()->ElemLength(C, R)));
    Width += W + 1;
  }
  const size_t TextLines = Lines - (Header ? 1 : 0);  // the header's blank line holds no fields
  Require(Fixed.size() == TextLines * Width + Lines);

  // Every cell inside the store is in the tab form as Elem gives it.
  for (int R = std::max(Top, 1); R <= std::min(Bottom, Rows); ++R)
    for (int C = std::max(Left, 0); C <= std::min(Right, Cols); ++C)
      Require(Tabs.find(D.Elem(C, R)) != String::npos);
  return 0;
}

#include "ntabed/ntabed_clip.h"

#include <algorithm>

#include "numio/numformat.h"

namespace orv {

void NTabAppendFullPrec(String& Out, double Value) { Out += FormatRealText(22, -1, Value); }

String NTabCopyText(const TDataTable& Table, const std::vector<int8_t>& Precision, int L, int T, int R, int B,
                    bool FullPrec) {
  String Text;
  if (R >= L && B >= T) Text.reserve(static_cast<size_t>(R - L + 1) * static_cast<size_t>(B - T + 1) * 24);
  for (int Row = T; Row <= B; ++Row) {
    for (int Col = L; Col <= R; ++Col) {
      Text.push_back(Col == L ? u' ' : u'\t');
      if (Table.GetCellState(Col, Row) & (dtsNotANumber | dtsEmpty)) {
        Text += u"####";
      } else if (FullPrec) {
        NTabAppendFullPrec(Text, Table.GetElem(Col, Row));
      } else {
        const int D = Col >= 1 && Col <= static_cast<int>(Precision.size()) ? Precision[static_cast<size_t>(Col - 1)] : 0;
        Text += FormatRealText(1, D, Table.GetElem(Col, Row));
      }
    }
    Text += u"\r\n";
  }
  return Text;
}

bool NTabClipMatrixSize(const String& Text, int& NCols, int& NRows) {
  NCols = 1;
  NRows = 1;
  return NTabWalkClipText(
      Text, false, [](int, int, double) {},
      [&](int Count) {
        NCols = std::max(NCols, Count);
        ++NRows;
      });
}

}  // namespace orv

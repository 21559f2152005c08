#pragma once
// HTML table export of the report data store (the TRLData member
// ExportHTMLTable lives in rlhtml.cpp).
//
// The output is an HTML5 document in UTF-8 holding one table:
//   <table class="TableClass" border=".." cellspacing=".." cellpadding="..">
// with an optional header row of <th class="HeadClass"> cells (the column
// names) and one <tr> per row of <td class="CellClass"> cells. Empty class
// names leave the class attribute out. Every data cell text passes through
// OnBeforeHTMLExport (Sender = the store, Col and Row its data position) and
// is then escaped; check marks are never exported.
//
// Columns: an empty ColumnSelection exports LoC..HiC; otherwise the columns
// it lists, in its order, as far as they lie in LoC..HiC. Both ranges are
// clipped to the store (columns 1..NrOfColumns, rows 1..NrOfRows).

#include <span>
#include <string>

#include "framework/rtl/types.h"

namespace orv {

class TRLData;

// The document ExportHTMLTable writes.
std::string HTMLTableText(TRLData& Data, int LoC, int LoR, int HiC, int HiR, std::span<const int> ColumnSelection,
                          int Border, int CellSpacing, int CellPadding, bool IncludeHeader, const String& HeadClass,
                          const String& CellClass, const String& TableClass);

}  // namespace orv

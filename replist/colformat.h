#pragma once
// Column format strings of the report list: "[type][width]rest".
//
// The type group names the editor (c, l combo boxes; d date picker; e, f, h, i
// numeric fields; s text; a leading "#" makes the field read-only), the width
// group its width in pixels and the rest holds list items, a default value or
// a default date. The row editor builds its fields from the parsed form; the
// data store derives a cell's default text from the raw string.

#include <string_view>
#include <vector>

#include "framework/rtl/types.h"

namespace orv {

// Longest column format kept by the store.
inline constexpr int MaxColumnFormatLength = 80;

struct TColumnFormatParts {
  String TypeText;       // the type group without a leading "#" ("s" when absent)
  bool ReadOnly = false;  // the type group started with "#"
  Char TypeLetter = 0;    // first character of TypeText, 0 when TypeText is empty
  String TypeOptions;     // TypeText after the letter (":8" of a list, the date format of "d")
  int Width = 200;        // editor width in pixels; values below 1 become 200
  String Rest;            // what follows the width group
};

// Splits a format into its groups (an empty format is a 200-pixel text field).
TColumnFormatParts ParseColumnFormat(std::u16string_view Format);

// The integer at 1-based Position of S: blanks skipped, an optional sign,
// then decimal digits up to the first other character. 0 when there are no
// digits or Position lies past the end; values are limited to the int range.
int ReadIntAt(std::u16string_view S, int Position);

// The row number as a numeric default of type letter e, f, h or i with N
// places: e and f fixed notation with N decimals, h N upper-case hex digits
// (at most 8, at least 1), i exactly N decimal digits (at least 1, at most
// 255) with "-" in front of a negative number. Empty for other letters.
String RowIndexText(Char TypeLetter, int Row, int N);

// The default text of a cell in row Row of a column with format Format
// (the report store's DefaultValue): "rix<n>" numbers e/f/h/i cells by their
// row, "$pwd$<n>" gives s cells a new n-character password, c and l take the
// first list item, other types with a default take it as it is.
String DefaultCellText(std::u16string_view Format, int Row);

// The list items of a c or l rest: split at "|", a trailing "|" implied;
// consecutive bars give empty items, an empty rest gives none.
std::vector<String> ColumnFormatListItems(std::u16string_view Rest);

}  // namespace orv

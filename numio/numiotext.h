#pragma once
// The text rules of the numeric edit box TNumIO, free of any control: which
// texts are numbers of an input format, the text shown for a value, the value
// read from a text, and the verdict on a change of the edit text. TNumIO
// applies these to its edit control; tests and other editors can call them
// directly.

#include <string_view>

#include "foundation/basetypes.h"
#include "framework/rtl/types.h"
#include "numio/informat.h"

namespace orv {

// Whether Text is a number of format InFormat (itDynamic picks the format from
// its first character), read with the separator mode SepMode of the decimal
// scanner. Leading blanks are ignored, an inner blank refuses the text, and a
// text of blanks only is 0. In itExp an exponent marker at the end, or
// followed only by a sign, is ignored, so "1e" and "1e-" read as 1. In itInt a
// lone sign is not a number. Integer text must fit the format's integer type
// (itInt -2147483648..2147483647, itHex, itOct and itBin at most 32 bits of
// digits, leading zeros aside); a longer number is refused rather than read
// wrapped around. The empty text is refused and leaves Value as it
// was; any other text sets Value (0 when refused).
bool NumIOConvertText(std::u16string_view Text, TInFormat InFormat, int SepMode, double& Value);

// The separator mode a TNumIO reads its text with: fixed-point text always
// uses "." (the field formats it that way itself); the other decimal formats
// follow DecPSep, dpsSystem taking "," only when the locale uses it.
int NumIOSepMode(TInFormat InFormat, TDecPSep DecPSep);

// The text a TNumIO shows for the value X: 8 decimals in itFloat,
// FixPDecPl decimals in itFixPoint, an integer in itInt, eight digits of the
// value rounded to an integer (halves to even; outside the 32-bit range the
// nearest end of it) in itHex, itOct and itBin, and 12-character exponent
// notation with six significant digits in itExp and itDynamic.
String NumIOValueText(TInFormat InFormat, int FixPDecPl, double X);

// The value of a TNumIO's text: the first "," reads as ".", a trailing "." as
// ".0", either separator is accepted; a text that is not a number reads as 0.
double NumIOReadValue(std::u16string_view Text, TInFormat InFormat);

// What a TNumIO knows when its edit text has changed.
struct TNumIOEdit {
  String Text;             // the text now in the box
  int SelStart = 0;        // caret, 0-based, after the change
  String OldText;          // the last text that passed
  TInFormat InFormat = itDynamic;
  TDecPSep DecPSep = dpsSystem;
  int FixPDecPl = 2;
  double RangeLow = 0;
  double RangeHigh = 0;
};

// The verdict on a change.
struct TNumIOVerdict {
  bool Accepted = false;   // the text is a number within range (or 0)
  bool Replace = false;    // the box is to show NewText instead of Text
  String NewText;
  int NewSelStart = 0;     // caret after the replacement
  String NewOldText;       // the last text that passed, after this change
};

// A change passes when the text converts and its value lies within
// RangeLow..RangeHigh or is 0; fixed-point text is then reformatted to its
// decimal places. A refused change brings OldText back with the caret one
// step left. An accepted change remembers the text the box ends up showing,
// so a later refusal restores exactly what the user saw.
TNumIOVerdict CheckNumIOEdit(const TNumIOEdit& Edit);

}  // namespace orv

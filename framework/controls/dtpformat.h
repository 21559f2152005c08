#pragma once
// Display formats of the date and time picker.
//
// A format is a sequence of runs of one field letter and literals:
//   y  yy  yyyy        year: last digit, last two digits, four digits
//   M  MM  MMM  MMMM   month: number, two digits, short and long English name
//   d  dd  ddd  dddd   day: number, two digits; short and long weekday name
//   H  HH / h  hh      hour, 24-hour / 12-hour clock (12 for midnight)
//   m  mm  s  ss       minute, second
//   t  tt              "A"/"P", "AM"/"PM"
// Text in single quotes is literal ('' stands for one quote); any other
// character is literal up to the next quote or field letter.

#include <string_view>
#include <vector>

#include "framework/rtl/types.h"

namespace orv {

struct TPickerFormatToken {
  bool Literal = true;
  Char Letter = 0;  // the field letter of a run
  int Count = 0;    // the run's length
  String Text;      // a literal's text, quotes resolved
};

// True for the letters that start a run: y M d H h m s t.
bool IsPickerFieldLetter(Char C);

// Splits Format into runs and literals. A quoted literal without its closing
// quote runs to the end of the format.
std::vector<TPickerFormatToken> TokenizePickerFormat(std::u16string_view Format);

// The text of one run for Value (empty for a token that is a literal).
String FormatPickerRun(const TPickerFormatToken& Token, TDateTime Value);

// Value shown in Format.
String FormatPickerDateTime(std::u16string_view Format, TDateTime Value);

}  // namespace orv

#pragma once
// Reading a date and time from a text by a display format of the date
// picker (letters y M d H h m s t, quoted and plain literals; month and day
// names are the English ones).
//
// Runs the reader knows: yyyy and yy (two-digit years fall into the
// settings' century window), MMMM and MMM (month names), MM and M, dddd and
// ddd (day names, checked and skipped), dd and d, HH and H, hh and h
// (12-hour clock), mm and m, ss and s, t ("a" is morning) and tt ("am").
// Double letters take exactly two characters, yyyy four; single letters
// read a number (blanks, optional sign, digits).

#include <string_view>

#include "framework/rtl/types.h"

namespace orv {

// Result codes of ScanDateTime.
inline constexpr int sdtOk = 0;
// The text does not hold a literal of the format where it should.
inline constexpr int sdtLiteralMismatch = -1;
// The format holds a run the reader does not know (yyy, ddddd, sss ...).
inline constexpr int sdtUnknownRun = -2;
// A fixed-width number does not convert, or a name is not found.
inline constexpr int sdtBadField = -3;

// Reads S by Format into Value and returns sdtOk, or one of the negative
// codes with Value = 0.0. When year, month or day was read the value is that
// date plus the time read, otherwise the time alone; a date or time that
// does not exist (month 13, 25:00, 31 April) raises EConvertError.
int ScanDateTime(std::u16string_view S, std::u16string_view Format, TDateTime& Value);

}  // namespace orv

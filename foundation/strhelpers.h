#pragma once
// String helpers of the base library: splitting, searching, fixed-point
// formatting, padding, trimming of chosen characters, paths, reading text
// lines from streams and inventing passwords.
//
// Positions are 1-based, as everywhere in the library's text handling.

#include <string_view>
#include <vector>

#include "framework/rtl/types.h"

namespace orv {

class TStream;

// Splits Text at every occurrence of Delimiter into Tokens (cleared first) and
// returns their number. n delimiters give n + 1 parts, so empty parts are kept,
// the last one included: "a;b;" gives "a", "b", "". An empty Text gives no
// parts at all.
int Tokenize(std::u16string_view Text, Char Delimiter, std::vector<String>& Tokens);
// The same with a delimiter of several characters ("\r\n", ", "); an empty
// delimiter leaves a non-empty Text whole.
int Tokenize(std::u16string_view Text, std::u16string_view Delimiter, std::vector<String>& Tokens);

// 1-based position of the N-th occurrence of Sub in S, counting from position
// Start (a Start below 1 counts from 1). Occurrences do not overlap: the search
// for the next one resumes after the end of the previous. IgnoreCase compares
// letters without regard to case (ASCII and Latin-1, as UpperCase does).
// 0 when there are fewer than N occurrences, when N < 1 or when Sub is empty.
int NumberedPos(std::u16string_view Sub, std::u16string_view S, int Start, int N, bool IgnoreCase);

// X in fixed notation with Decimals digits after the point ("." always, as in
// a file), rounded to nearest from the exact binary value (exact ties to
// even), right-aligned with blanks to at least Width characters; never cut.
// Decimals < 1 gives no point. Width and Decimals are limited to 0..255.
// Non-finite values read "Nan", "+Inf" and "-Inf".
String strff(double X, int Width, int Decimals);

// S cut to N characters, or padded on the right with blanks to N.
// N < 1 gives an empty string.
String LeftString(std::u16string_view S, int N);

// Removes every leading (trailing) character that is C, or, in the second
// form, that is any of the characters of Chars.
String StripLeadingChars(std::u16string_view S, Char C);
String StripLeadingChars(std::u16string_view S, std::u16string_view Chars);
String StripTrailingChars(std::u16string_view S, Char C);
String StripTrailingChars(std::u16string_view S, std::u16string_view Chars);

// S with C appended unless it already ends with C (an empty S becomes C).
String EnsureTrailingChar(std::u16string_view S, Char C);
// S with a backslash appended unless it already ends with one.
String EnsureTrailingBkSlash(std::u16string_view S);

// S with every OldChar replaced by NewChar.
String ReplaceCharInString(std::u16string_view S, Char OldChar, Char NewChar);

// S without control characters (codes below 32, and 127), line ends and tabs included.
String RemoveControlChars(std::u16string_view S);

}  // namespace orv

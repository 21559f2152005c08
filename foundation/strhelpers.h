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

// --- Paths ------------------------------------------------------------------
// Both "/" and "\" count as separators; roots are "/", "\", "X:", "X:\" and "X:/".

// True when Path names an existing folder.
bool DirExists(std::u16string_view Path);

// The folder one level up, with its trailing separator: "/a/b/c" and "/a/b/"
// give "/a/b/", "C:\data\x\" gives "C:\data\". A root stays as it is, so a
// loop climbing to the root must stop when the result no longer changes.
// A single relative name ("data") has no known parent and gives "".
String ParentDir(std::u16string_view Path);

// --- Text lines from streams --------------------------------------------------
// How ReadLnStream decodes the bytes of a line.
enum TReadLnMode : int {
  rlmUtf8 = 0,    // UTF-8; a line that is not valid UTF-8 is read as Latin-1 (older 8-bit files)
  rlmLatin1 = 1,  // every byte is one character (Latin-1)
};

// Reads the next line from Stream's position and leaves the position after
// its line end. LF, CR LF and a lone CR end a line; the end is not part of
// the result. AtEnd becomes true when no data follows the line, so "a\nb"
// gives "a" (AtEnd false) and then "b" (AtEnd true), and "a\n" gives "a"
// (AtEnd true). An empty stream, or a null one, gives "" with AtEnd true.
// In rlmUtf8 mode a byte-order mark at the very start of the stream is skipped.
// Streams that cannot seek are read byte by byte; there only LF and CR LF end
// lines and a lone CR stays in the text, so no byte is ever lost. Other Mode
// values read as rlmUtf8.
String ReadLnStream(TStream* Stream, bool& AtEnd, int Mode = rlmUtf8);

// --- Passwords ----------------------------------------------------------------
// N characters drawn with Random from letters and digits, without the ones
// easily mistaken for each other (0 O o 1 l I). Seeding RandSeed makes the
// result repeatable. N < 1 gives ""; N is limited to 255.
String InventPassword(int N);

}  // namespace orv

#pragma once
// Text helpers shared by the report list's exchange formats: UTF-8 checks
// and decoding with a Latin-1 fallback, reading a whole stream, and the
// escaping rules of XML and HTML output.

#include <string>
#include <string_view>

#include "framework/rtl/types.h"

namespace orv {

class TStream;

namespace rltext {

bool IsValidUtf8(std::string_view Bytes);
// Text cut to at most MaxLength code units, never between the two halves of
// a surrogate pair (the cut may then leave one unit less).
String CutText(std::u16string_view Text, size_t MaxLength);
// UTF-8 when the bytes are valid UTF-8, otherwise one character per byte
// (older 8-bit files), the way the line reader of the base library decodes.
String DecodeText(std::string_view Bytes);
// Everything from the stream's position to its end (works on pipes too).
std::string ReadRest(TStream* Stream);

// Appends Text as UTF-8 XML character data (Attribute: for a double-quoted
// attribute value). Returns false, having appended nothing, when Text holds a
// character that XML 1.0 cannot carry: control characters other than tab, line
// feed and carriage return, U+FFFE, U+FFFF and unpaired surrogates.
bool AppendXmlEscaped(std::string& Out, std::u16string_view Text, bool Attribute);
// Appends the UTF-16 code units of Text as four upper-case hex digits each.
void AppendHexUnits(std::string& Out, std::u16string_view Text);
// The reverse of AppendHexUnits; false for a length or digit that does not fit.
bool DecodeHexUnits(std::string_view Hex, String& Text);
// Replaces the predefined entities and numeric character references of an
// attribute value taken from a line; unknown references stay as they are.
String DecodeXmlEntities(std::u16string_view Text);

// Appends Text as HTML5 text or attribute value: &, <, >, " and ' escaped,
// characters HTML does not allow (control characters other than tab, line
// feed and carriage return, unpaired surrogates) replaced by U+FFFD.
void AppendHtmlEscaped(std::string& Out, std::u16string_view Text);

// Position of the first "<" + Word at or after From, letter case of ASCII
// letters ignored; npos when there is none.
size_t FindTagNoCase(std::string_view Buffer, size_t From, std::string_view Word);

}  // namespace rltext
}  // namespace orv

#pragma once
// Conversion between the UTF-16 String of the library and UTF-8 at its edges.

#include <string>
#include <string_view>

#include "types.h"

namespace orv {

// Unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view Text);
// Malformed sequences become U+FFFD, one per offending byte.
String FromUtf8(std::string_view Text);

}  // namespace orv

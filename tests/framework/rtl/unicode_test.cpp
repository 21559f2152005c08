#include "framework/rtl/unicode.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(Unicode, RoundTripsEveryPlane) {
  const String Text = u"A\u00c4\u20ac\U0001F600z";
  EXPECT_EQ(ToUtf8(Text), "A\xC3\x84\xE2\x82\xAC\xF0\x9F\x98\x80z");
  EXPECT_EQ(FromUtf8(ToUtf8(Text)), Text);
}

TEST(Unicode, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(FromUtf8("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(FromUtf8("\xC3"), u"\uFFFD");              // truncated sequence
  EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");    // overlong form
  EXPECT_EQ(FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
  EXPECT_EQ(ToUtf8(String(1, Char(0xD800))), "\xEF\xBF\xBD");  // lone surrogate
}

}  // namespace
}  // namespace orv

// The in-process clipboard: text lent to readers and filled in place by
// writers, and what a writer that fails leaves behind.
#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/rtl/clipboard.h"

namespace orv {
namespace {

TEST(Clipboard, WritersFillInPlaceAndReadersSeeTheText) {
  Clipboard()->SetAsText(u"old text");
  Clipboard()->WriteText([](String& Text) {
    EXPECT_TRUE(Text.empty());
    Text += u"1\t2\r\n";
  });
  String Seen;
  Clipboard()->ReadText([&](std::u16string_view Text) { Seen = Text; });
  EXPECT_EQ(Seen, u"1\t2\r\n");
  EXPECT_EQ(Clipboard()->AsText(), Seen);

  EXPECT_THROW(Clipboard()->WriteText([](String& Text) {
    Text += u"half";
    throw std::runtime_error("no room");
  }),
               std::runtime_error);
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
  Clipboard()->Clear();
}

}  // namespace
}  // namespace orv

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/sysutils.h"
#include "framework/rtl/unicode.h"

namespace orv {
namespace {

// --- Integers -------------------------------------------------------------

TEST(StrToInt, AcceptsTheEdgesOfThe32BitRange) {
  EXPECT_EQ(StrToInt(u"2147483647"), 2147483647);
  EXPECT_EQ(StrToInt(u"-2147483648"), std::numeric_limits<int>::min());
  EXPECT_EQ(StrToInt(u"+17"), 17);
  EXPECT_EQ(StrToInt(u"-0"), 0);
  EXPECT_EQ(StrToInt(u"007"), 7);
  int V = 5;
  EXPECT_FALSE(TryStrToInt(u"2147483648", V));
  EXPECT_FALSE(TryStrToInt(u"-2147483649", V));
  EXPECT_FALSE(TryStrToInt(u"99999999999999999999999", V));
  EXPECT_EQ(V, 5);  // a failed conversion leaves the target alone
}

TEST(StrToInt, ReadsHexadecimalAsA32BitPattern) {
  EXPECT_EQ(StrToInt(u"$7FFFFFFF"), 2147483647);
  EXPECT_EQ(StrToInt(u"$FFFFFFFF"), -1);
  EXPECT_EQ(StrToInt(u"$80000000"), std::numeric_limits<int>::min());
  EXPECT_EQ(StrToInt(u"0x1f"), 31);
  EXPECT_EQ(StrToInt(u"0XAb"), 0xAB);
  EXPECT_EQ(StrToInt(u"x10"), 16);
  EXPECT_EQ(StrToInt(u"-$10"), -16);
  EXPECT_EQ(StrToInt(u"$000000000001"), 1);  // leading zeros do not count against the range
  int V = 0;
  EXPECT_FALSE(TryStrToInt(u"$100000000", V));
  EXPECT_FALSE(TryStrToInt(u"$", V));
  EXPECT_FALSE(TryStrToInt(u"0x", V));
  EXPECT_FALSE(TryStrToInt(u"$1G", V));
}

TEST(StrToInt, BlanksLeadingOnlyAndNothingElseAround) {
  int V = 0;
  EXPECT_TRUE(TryStrToInt(u" 12", V));
  EXPECT_EQ(V, 12);
  EXPECT_TRUE(TryStrToInt(u"\t -3", V));
  EXPECT_EQ(V, -3);
  for (const char16_t* Bad : {u"", u" ", u"12 ", u"+", u"-", u"1 2", u"- 1", u"1.0", u"1e3", u"12a", u"--1",
                              u"\u0661"}) {
    EXPECT_FALSE(TryStrToInt(Bad, V)) << ToUtf8(Bad);
  }
}

TEST(StrToInt, RaisesWithTheTextInTheMessage) {
  try {
    StrToInt(u"12 ");
    FAIL() << "no exception";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), u"'12 ' is not a valid integer value");
  }
  EXPECT_THROW(StrToInt64(u"9223372036854775808"), EConvertError);
  EXPECT_EQ(StrToIntDef(u"abc", -7), -7);
  EXPECT_EQ(StrToIntDef(u"42", -7), 42);
}

TEST(StrToInt64, CoversThe64BitRange) {
  EXPECT_EQ(StrToInt64(u"9223372036854775807"), std::numeric_limits<long long>::max());
  EXPECT_EQ(StrToInt64(u"-9223372036854775808"), std::numeric_limits<long long>::min());
  EXPECT_EQ(StrToInt64(u"$FFFFFFFF"), 0xFFFFFFFFLL);  // no 32-bit wrap here
  EXPECT_EQ(StrToInt64(u"$FFFFFFFFFFFFFFFF"), -1);
  long long V = 0;
  EXPECT_FALSE(TryStrToInt64(u"$10000000000000000", V));
  EXPECT_FALSE(TryStrToInt64(u"-9223372036854775809", V));
}

}  // namespace
}  // namespace orv

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

// --- Floating point -------------------------------------------------------

TEST(StrToFloat, ReadsPlainAndExponentForms) {
  EXPECT_EQ(StrToFloat(u"0"), 0.0);
  EXPECT_EQ(StrToFloat(u"-1.5"), -1.5);
  EXPECT_EQ(StrToFloat(u"+2.25e2"), 225.0);
  EXPECT_EQ(StrToFloat(u"1E-3"), 0.001);
  EXPECT_EQ(StrToFloat(u"5."), 5.0);
  EXPECT_EQ(StrToFloat(u".5"), 0.5);
  EXPECT_EQ(StrToFloat(u"  3.75\t "), 3.75);  // blanks allowed on both sides
  EXPECT_TRUE(std::signbit(StrToFloat(u"-0")));
}

TEST(StrToFloat, RoundsCorrectly) {
  EXPECT_EQ(StrToFloat(u"0.1"), 0.1);
  EXPECT_EQ(StrToFloat(u"1.7976931348623157e308"), std::numeric_limits<double>::max());
  EXPECT_EQ(StrToFloat(u"2.2250738585072014e-308"), std::numeric_limits<double>::min());
  EXPECT_EQ(StrToFloat(u"4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
  // Halfway between 1 and the next double, then just above it: ties go to even.
  EXPECT_EQ(StrToFloat(u"1.00000000000000011102230246251565404236316680908203125"), 1.0);
  EXPECT_EQ(StrToFloat(u"1.00000000000000011102230246251565404236316680908203126"),
            std::nextafter(1.0, 2.0));
  // A classic case that naive digit-by-digit accumulation gets wrong.
  EXPECT_EQ(StrToFloat(u"9007199254740993"), 9007199254740992.0);
  EXPECT_EQ(StrToFloat(u"2.2250738585072011e-308"), 2.2250738585072011e-308);
}

TEST(StrToFloat, RejectsOverflowAndForeignForms) {
  double V = 7;
  for (const char16_t* Bad : {u"", u"  ", u".", u"-", u"1e", u"1e+", u"e5", u"1.2.3", u"1,5", u"INF", u"NAN",
                              u"inf", u"0x10", u"1e400", u"-1e400", u"1.8e308", u"1 2", u"$10", u"1e5x"}) {
    EXPECT_FALSE(TryStrToFloat(Bad, V)) << ToUtf8(Bad);
  }
  EXPECT_EQ(V, 7);
  try {
    StrToFloat(u"abc");
    FAIL() << "no exception";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), u"'abc' is not a valid floating point value");
  }
}

TEST(StrToFloat, TooSmallValuesBecomeZero) {
  EXPECT_EQ(StrToFloat(u"1e-400"), 0.0);
  EXPECT_EQ(StrToFloat(u"0.000000001e-99999999999999"), 0.0);
  EXPECT_TRUE(std::signbit(StrToFloat(u"-1e-400")));
  double V = 0;
  EXPECT_FALSE(TryStrToFloat(u"1e99999999999999999999", V));
  EXPECT_FALSE(TryStrToFloat(u"100000000000000000000000000000000000000e300", V));
}

TEST(StrToFloat, UsesOnlyTheSettingsDecimalSeparator) {
  TFormatSettings Comma;
  Comma.DecimalSeparator = u',';
  EXPECT_EQ(StrToFloat(u"1,25", Comma), 1.25);
  EXPECT_EQ(StrToFloat(u"-0,5E1", Comma), -5.0);
  double V = 0;
  EXPECT_FALSE(TryStrToFloat(u"1.25", V, Comma));
  EXPECT_FALSE(TryStrToFloat(u"1,25", V));  // the process settings use "."
}

}  // namespace
}  // namespace orv

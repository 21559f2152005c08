#include "foundation/mathfuncs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/rtl/sysutils.h"

namespace orv {
namespace {

TEST(IntNeg, GreatestIntegerNotAbove) {
  EXPECT_EQ(IntNeg(2.7), 2);
  EXPECT_EQ(IntNeg(3), 3);
  EXPECT_EQ(IntNeg(0), 0);
  EXPECT_EQ(IntNeg(-0.2), -1);
  EXPECT_EQ(IntNeg(-3), -3);
  EXPECT_EQ(IntNeg(-3.5), -4);
  EXPECT_EQ(IntNeg(1e300), 1e300);  // far beyond any integer type
  EXPECT_EQ(IntNeg(-1e300), -1e300);
  EXPECT_EQ(IntNeg(-std::numeric_limits<double>::infinity()), -std::numeric_limits<double>::infinity());
}

TEST(IntNeg, DecadeOfAScaleStartLiesAtOrBelowIt) {
  // A meter scale takes 10^IntNeg(log10(x)) as the decade that starts at or below x.
  for (double X : {0.00042, 0.0999999, 0.1, 0.5, 1.0, 9.99, 10.0, 1000.0, 12345.0, 1e-200, 3e250}) {
    const double Decade = std::pow(10.0, IntNeg(std::log10(X)));
    EXPECT_LE(Decade, X * (1 + 1e-12)) << X;
    EXPECT_GT(Decade * 10, X) << X;
  }
}

TEST(IsValidDecInt, AgreesWithTheIntegerConversion) {
  for (const String& Text : {String(u"0"), String(u"123"), String(u"-45"), String(u"+7"), String(u" 12"),
                             String(u"2147483647"), String(u"-2147483648")}) {
    EXPECT_TRUE(IsValidDecInt(Text));
  }
  for (const String& Text : {String(u""), String(u"-"), String(u"1.5"), String(u"1e3"), String(u"abc"),
                             String(u"12a"), String(u"2147483648"), String(u"99999999999")}) {
    EXPECT_FALSE(IsValidDecInt(Text));
  }
  for (const String& Text : {String(u"$1F"), String(u"0x10"), String(u" 3 "), String(u"--1")}) {
    int Value = 0;
    EXPECT_EQ(IsValidDecInt(Text), TryStrToInt(Text, Value));
  }
}

}  // namespace
}  // namespace orv

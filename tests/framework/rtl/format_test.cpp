#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/sysutils.h"

namespace orv {
namespace {

TFormatSettings CommaSettings() {
  TFormatSettings S;
  S.DecimalSeparator = u',';
  S.ThousandSeparator = u'.';
  return S;
}

// --- FloatToStrF ------------------------------------------------------------

TEST(FloatToStr, ShortestGeneralForm) {
  EXPECT_EQ(FloatToStr(0), u"0");
  EXPECT_EQ(FloatToStr(1), u"1");
  EXPECT_EQ(FloatToStr(-2.5), u"-2.5");
  EXPECT_EQ(FloatToStr(0.1), u"0.1");  // 15 digits hide the binary error
  EXPECT_EQ(FloatToStr(1.0 / 3), u"0.333333333333333");
  EXPECT_EQ(FloatToStr(123456789012345.0), u"123456789012345");
  EXPECT_EQ(FloatToStr(1234567890123456.0), u"1.23456789012346E15");
  EXPECT_EQ(FloatToStr(1.5e20), u"1.5E20");
  EXPECT_EQ(FloatToStr(0.0001), u"0.0001");
  EXPECT_EQ(FloatToStr(0.00001), u"0.00001");
  EXPECT_EQ(FloatToStr(0.000001), u"1E-6");
  EXPECT_EQ(FloatToStr(-1.25e-7), u"-1.25E-7");
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::max()), u"1.79769313486232E308");
}

TEST(FloatToStrF, GeneralRoundsToThePrecisionAndCarries) {
  EXPECT_EQ(FloatToStrF(9.999, ffGeneral, 3, 0), u"10");
  EXPECT_EQ(FloatToStrF(999.6, ffGeneral, 3, 0), u"1E3");  // integer part outgrows the precision
  EXPECT_EQ(FloatToStrF(123.456, ffGeneral, 4, 0), u"123.5");
  EXPECT_EQ(FloatToStrF(1e20, ffGeneral, 4, 3), u"1E020");
  EXPECT_EQ(FloatToStrF(0.5, ffGeneral, 0, 0), u"0.5");    // precision is at least 1
  EXPECT_EQ(FloatToStrF(0.125, ffGeneral, 2, 0), u"0.12");  // exact halves go to even
  EXPECT_EQ(FloatToStrF(-3.5, ffGeneral, 1, 0), u"-4");
  EXPECT_EQ(FloatToStrF(0.15, ffGeneral, 1, 0), u"0.1");     // stored just below the tie
  EXPECT_EQ(FloatToStrF(1.5, ffGeneral, 15, 0, CommaSettings()), u"1,5");
}

TEST(FloatToStrF, ExponentKeepsAllDigitsAndASignedExponent) {
  EXPECT_EQ(FloatToStrF(1234.5, ffExponent, 6, 2), u"1.23450E+03");
  EXPECT_EQ(FloatToStrF(-0.000123, ffExponent, 6, 2), u"-1.23000E-04");
  EXPECT_EQ(FloatToStrF(1, ffExponent, 1, 0), u"1E+0");
  EXPECT_EQ(FloatToStrF(0, ffExponent, 4, 4), u"0.000E+0000");
  EXPECT_EQ(FloatToStrF(9.9999, ffExponent, 3, 2), u"1.00E+01");
  EXPECT_EQ(FloatToStrF(1e300, ffExponent, 2, 9), u"1.0E+0300");  // at most 4 required digits
  EXPECT_EQ(FloatToStrF(2.5, ffExponent, 2, 1, CommaSettings()), u"2,5E+0");
}

TEST(FloatToStrF, FixedRoundsAtTheDecimalsWithCarry) {
  EXPECT_EQ(FloatToStrF(9.999, ffFixed, 15, 2), u"10.00");
  EXPECT_EQ(FloatToStrF(-9.999, ffFixed, 15, 2), u"-10.00");
  EXPECT_EQ(FloatToStrF(3.14159, ffFixed, 15, 0), u"3");
  EXPECT_EQ(FloatToStrF(0.005, ffFixed, 15, 4), u"0.0050");
  EXPECT_EQ(FloatToStrF(0, ffFixed, 15, 3), u"0.000");
  EXPECT_EQ(FloatToStrF(-0.001, ffFixed, 15, 2), u"0.00");  // rounds to zero: no sign
  EXPECT_EQ(FloatToStrF(2.675, ffFixed, 15, 2), u"2.67");   // 2.675 is stored just below the tie
}

TEST(FloatToStrF, FixedHonoursThePrecisionLimit) {
  EXPECT_EQ(FloatToStrF(1.23456789, ffFixed, 4, 6), u"1.235000");
  EXPECT_EQ(FloatToStrF(0.000123456, ffFixed, 2, 6), u"0.000120");
  EXPECT_EQ(FloatToStrF(123456.0, ffFixed, 4, 2), u"1.235E5");  // too many integer digits
  EXPECT_EQ(FloatToStrF(1e30, ffFixed, 15, 2), u"1E30");
}

TEST(FloatToStrF, NumberGroupsThousands) {
  EXPECT_EQ(FloatToStrF(1234567.891, ffNumber, 18, 2), u"1,234,567.89");
  EXPECT_EQ(FloatToStrF(-999999.996, ffNumber, 18, 2), u"-1,000,000.00");
  EXPECT_EQ(FloatToStrF(123, ffNumber, 18, 0), u"123");
  EXPECT_EQ(FloatToStrF(1234.5, ffNumber, 18, 1, CommaSettings()), u"1.234,5");
  EXPECT_EQ(FloatToStrF(1234.5, ffCurrency, 18, 2), u"1,234.50");
}

TEST(FloatToStrF, NonFiniteValues) {
  for (TFloatFormat F : {ffGeneral, ffExponent, ffFixed, ffNumber}) {
    EXPECT_EQ(FloatToStrF(std::numeric_limits<double>::quiet_NaN(), F, 15, 2), u"NAN");
    EXPECT_EQ(FloatToStrF(std::numeric_limits<double>::infinity(), F, 15, 2), u"INF");
    EXPECT_EQ(FloatToStrF(-std::numeric_limits<double>::infinity(), F, 15, 2), u"-INF");
  }
}

// --- Format -----------------------------------------------------------------

TEST(Format, IntegersWithWidthPrecisionAndJustification) {
  EXPECT_EQ(Format(u"%d", {42}), u"42");
  EXPECT_EQ(Format(u"[%5d]", {42}), u"[   42]");
  EXPECT_EQ(Format(u"[%-5d]", {42}), u"[42   ]");
  EXPECT_EQ(Format(u"%.4d", {-7}), u"-0007");
  EXPECT_EQ(Format(u"%6.3d", {5}), u"   005");
  EXPECT_EQ(Format(u"%d", {std::numeric_limits<long long>::min()}), u"-9223372036854775808");
  EXPECT_EQ(Format(u"%u", {-1}), u"4294967295");
  EXPECT_EQ(Format(u"%x", {255}), u"FF");
  EXPECT_EQ(Format(u"%.8x", {255}), u"000000FF");
  EXPECT_EQ(Format(u"%X", {-1}), u"FFFFFFFF");
  EXPECT_EQ(Format(u"%1d", {12345}), u"12345");  // width never cuts
}

TEST(Format, RealsInEachLayout) {
  EXPECT_EQ(Format(u"%e", {1.0}), u"1.00000000000000E+000");
  EXPECT_EQ(Format(u"%.3e", {-1234.5}), u"-1.23E+003");
  EXPECT_EQ(Format(u"%f", {3.14159}), u"3.14");
  EXPECT_EQ(Format(u"%.0f", {2.5}), u"2");
  EXPECT_EQ(Format(u"%.0f", {3.5}), u"4");
  EXPECT_EQ(Format(u"%.2f", {1.005}), u"1.00");  // stored just below the tie
  EXPECT_EQ(Format(u"%.1f", {-0.25}), u"-0.2");
  EXPECT_EQ(Format(u"%.3f", {9.9996}), u"10.000");
  EXPECT_EQ(Format(u"%g", {0.1}), u"0.1");
  EXPECT_EQ(Format(u"%.3g", {1234.0}), u"1.23E3");
  EXPECT_EQ(Format(u"%.3g", {0.00001}), u"0.00001");
  EXPECT_EQ(Format(u"%.3g", {0.000001234}), u"1.23E-6");
  EXPECT_EQ(Format(u"%n", {1234567.125}), u"1,234,567.12");
  EXPECT_EQ(Format(u"%.1n", {-1234.56}), u"-1,234.6");
  EXPECT_EQ(Format(u"%.2f", {1.5}, CommaSettings()), u"1,50");
  EXPECT_EQ(Format(u"%10.2f|", {-1.5}), u"     -1.50|");
}

TEST(Format, StringsStarsIndexesAndPercent) {
  EXPECT_EQ(Format(u"%s-%s", {u"a", String(u"bc")}), u"a-bc");
  EXPECT_EQ(Format(u"[%-4s]", {u"ab"}), u"[ab  ]");
  EXPECT_EQ(Format(u"[%.2s]", {u"abcdef"}), u"[ab]");
  EXPECT_EQ(Format(u"[%*d]", {4, 7}), u"[   7]");
  EXPECT_EQ(Format(u"[%-*d]", {4, 7}), u"[7   ]");
  EXPECT_EQ(Format(u"%*.*g", {1, 3, 3.14159}), u"3.14");
  EXPECT_EQ(Format(u"%*.*f", {8, 1, 2.25}), u"     2.2");
  EXPECT_EQ(Format(u"%1:s %0:s %s", {u"a", u"b", u"c"}), u"b a b");
  EXPECT_EQ(Format(u"100%%", {}), u"100%");
  EXPECT_EQ(Format(u"%%d", {}), u"%d");
  EXPECT_EQ(Format(u"no directives", {1}), u"no directives");  // unused arguments are fine
  EXPECT_EQ(Format(u"\u00e4%s\u20ac", {u"\u00f6"}), u"\u00e4\u00f6\u20ac");
}

TEST(Format, MismatchesAndMalformedDirectivesRaise) {
  for (auto Call : {+[] { return Format(u"%d", {1.5}); }, +[] { return Format(u"%f", {1}); },
                    +[] { return Format(u"%s", {1}); }, +[] { return Format(u"%d", {u"x"}); },
                    +[] { return Format(u"%d %d", {1}); }, +[] { return Format(u"%", {1}); },
                    +[] { return Format(u"%5", {1}); }, +[] { return Format(u"%q", {1}); },
                    +[] { return Format(u"%*d", {1.0, 2}); }, +[] { return Format(u"%3:d", {1}); },
                    +[] { return Format(u"%999999999999d", {1}); }, +[] { return Format(u"%.*f", {1}); }}) {
    EXPECT_THROW(Call(), EConvertError);
  }
  try {
    Format(u"%d", {u"x"});
    FAIL() << "no exception";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), u"Format '%d' invalid or incompatible with argument");
  }
}

}  // namespace
}  // namespace orv

// Real and digit formatters: fixed and exponent notation, the "*" fill, zero
// padding for negative widths, rounding and the bounds on width and decimals.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "framework/rtl/unicode.h"
#include "numio/numio.h"

namespace orv {
namespace {

struct FormatCase {
  int Width;
  int Decimals;
  long double Value;
  const char16_t* Expected;
};

void ExpectFormats(std::initializer_list<FormatCase> Cases) {
  for (const FormatCase& C : Cases) {
    SCOPED_TRACE(testing::Message() << C.Width << ", " << C.Decimals << ", " << static_cast<double>(C.Value));
    EXPECT_EQ(ToUtf8(FormatRealText(C.Width, C.Decimals, C.Value)), ToUtf8(C.Expected));
  }
}

TEST(FormatRealText, FixedNotation) {
  ExpectFormats({
      {1, 2, 3.14159L, u"3.14"},
      {8, 2, 3.14159L, u"    3.14"},
      {1, 0, 42.0L, u"42"},
      {1, 3, -0.5L, u"-0.500"},
      {6, 1, -1.5L, u"  -1.5"},
      {2, 1, 123.25L, u"123.2"},  // longer than the width: not cut; exact half to even
      {1, 2, 1e20L, u"100000000000000000000.00"},
      {1, 2, -0.0L, u"0.00"},
      {1, 8, 0.1L, u"0.10000000"},
      {1, 20, 0.1, u"0.10000000000000000555"},  // the digits of the double nearest 0.1
  });
}

TEST(FormatRealText, ExactHalvesGoToTheEvenNeighbour) {
  ExpectFormats({
      {1, 0, 2.5L, u"2"},
      {1, 0, 3.5L, u"4"},
      {1, 0, -2.5L, u"-2"},
      {1, 2, 0.125L, u"0.12"},
      {1, 2, 0.375L, u"0.38"},
  });
}

TEST(FormatRealText, NegativeWidthPadsWithZeros) {
  ExpectFormats({
      {-6, 1, -1.5L, u"-001.5"},
      {-6, 1, 1.5L, u"0001.5"},
      {-4, 1, -1.5L, u"-1.5"},  // no blanks: unchanged
      {-3, 1, -1.5L, u"-1.5"},
      {-5, 0, -7.0L, u"-0007"},
      {-12, -2, 1234.5L, u"01.23450E+03"},
      {-12, -2, -1234.5L, u"-1.23450E+03"},
      {-12, -2, 1e150L, u"************"},
  });
}

TEST(FormatRealText, ExponentNotationWithTwoDigits) {
  ExpectFormats({
      {12, -2, 1234.5L, u" 1.23450E+03"},
      {12, -2, -1234.5L, u"-1.23450E+03"},
      {12, -2, 0.0L, u" 0.00000E+00"},
      {12, -2, 1e-5L, u" 1.00000E-05"},
      {12, -2, 1e-99L, u" 1.00000E-99"},
      {12, -2, 9.9999949e99L, u" 9.99999E+99"},
      {10, -2, 2.0L / 3.0L, u" 6.667E-01"},
      {7, -2, 5.0L, u" 5.E+00"},
      {3, -2, 5.0L, u" 5.E+00"},  // one significant digit at least
      {7, -2, 2.5L, u" 2.E+00"},
  });
}

TEST(FormatRealText, ThreeDigitExponentsFillTheFieldWithStars) {
  ExpectFormats({
      {12, -2, 1e150L, u"************"},
      {12, -2, -1e100L, u"************"},
      {12, -2, 1e-100L, u"************"},
      {12, -2, 9.9999999e99L, u"************"},  // rounds up to 1.00000E+100
      {8, -2, 1e300L, u"********"},
  });
}

TEST(FormatRealText, ExponentNotationWithFourDigits) {
  ExpectFormats({
      {14, -1, 1234.5L, u" 1.23450E+0003"},
      {14, -3, -1e-300L, u"-1.00000E-0300"},
      {14, -1, 1e150L, u" 1.00000E+0150"},
      {9, -5, 7.0L, u" 7.E+0000"},
  });
  if constexpr (std::numeric_limits<long double>::max_exponent10 > 4000) {
    ExpectFormats({{14, -1, 1e4000L, u" 1.00000E+4000"}});
  }
}

TEST(FormatRealText, ExtendedValuesBeyondDoublePrecision) {
  if constexpr (std::numeric_limits<long double>::digits > std::numeric_limits<double>::digits) {
    // Just above a half that a double would make exact: must round up.
    const long double JustAboveHalf = 0.125L + 0x1p-60L;
    EXPECT_EQ(ToUtf8(FormatRealText(1, 2, JustAboveHalf)), "0.13");
    EXPECT_EQ(ToUtf8(FormatRealText(1, 0, 0x1p63L + 1)), "9223372036854775809");
    EXPECT_EQ(ToUtf8(FormatRealText(1, 20, 0.1L)), "0.10000000000000000000");
    // Exact halves that only an extended value holds: to the even neighbour.
    EXPECT_EQ(ToUtf8(FormatRealText(1, 0, 0x1p62L + 0.5L)), "4611686018427387904");
    EXPECT_EQ(ToUtf8(FormatRealText(1, 0, 0x1p62L + 1.5L)), "4611686018427387906");
  } else {
    GTEST_SKIP() << "long double is a double here";
  }
}

TEST(FormatRealText, NonFiniteValues) {
  const long double Inf = std::numeric_limits<long double>::infinity();
  const long double NaN = std::numeric_limits<long double>::quiet_NaN();
  ExpectFormats({
      {5, 1, Inf, u"  INF"},
      {1, 1, -Inf, u"-INF"},
      {1, 1, NaN, u"NAN"},
      {-6, 1, -Inf, u"-00INF"},
      {12, -2, Inf, u"************"},
      {12, -2, NaN, u"************"},
  });
}

TEST(FormatRealText, HugeWidthsAndDecimalsStayBounded) {
  EXPECT_EQ(FormatRealText(INT_MAX, 0, 1).size(), static_cast<size_t>(kMaxFormatWidth));
  const String MinWidth = FormatRealText(INT_MIN, 0, -1);
  ASSERT_EQ(MinWidth.size(), static_cast<size_t>(kMaxFormatWidth));
  EXPECT_EQ(MinWidth.front(), u'-');
  EXPECT_EQ(MinWidth.back(), u'1');
  EXPECT_EQ(MinWidth.find(u' '), String::npos);
  EXPECT_EQ(FormatRealText(1, INT_MAX, 1).size(), static_cast<size_t>(2 + kMaxFormatDecimals));
  EXPECT_EQ(FormatRealText(INT_MIN, INT_MIN, 1).size(), static_cast<size_t>(kMaxFormatWidth));
  EXPECT_EQ(FormatRealText(INT_MAX, -2, 1).size(), static_cast<size_t>(kMaxFormatWidth));
  // The largest double in fixed notation: 309 digits, all of them exact.
  const String Max = FormatRealText(1, 0, uc_MaxDouble);
  ASSERT_EQ(Max.size(), 309u);
  EXPECT_EQ(ToUtf8(Max.substr(0, 17)), "17976931348623157");
  EXPECT_EQ(ToUtf8(Max.substr(300)), "124858368");
}

TEST(DigitsText, ClampedCountsAndLowDigits) {
  struct DigitsCase {
    String (*Format)(uint32_t, int);
    uint32_t Value;
    int Count;
    const char16_t* Expected;
  };
  const DigitsCase Cases[] = {
      {HexDigitsText, 255, 8, u"000000FF"},
      {HexDigitsText, 0x12345678, 4, u"5678"},
      {HexDigitsText, 0xDEADBEEF, 20, u"DEADBEEF"},
      {HexDigitsText, 0xFFFFFFFF, -5, u"F"},
      {HexDigitsText, 0xABCDEF, INT_MIN, u"F"},
      {OctDigitsText, 8, 0, u"0"},
      {OctDigitsText, 8, 3, u"010"},
      {OctDigitsText, 0xFFFFFFFF, 11, u"37777777777"},
      {OctDigitsText, 0xFFFFFFFF, 99, u"37777777777"},
      {BinDigitsText, 5, 8, u"00000101"},
      {BinDigitsText, 0x80000001, 32, u"10000000000000000000000000000001"},
      {BinDigitsText, 0x80000001, INT_MAX, u"10000000000000000000000000000001"},
      {BinDigitsText, 6, 1, u"0"},
  };
  for (const DigitsCase& C : Cases) {
    SCOPED_TRACE(testing::Message() << C.Value << ", " << C.Count);
    EXPECT_EQ(ToUtf8(C.Format(C.Value, C.Count)), ToUtf8(C.Expected));
  }
}

}  // namespace
}  // namespace orv

// Number texts of the numeric label, one row per display type and case.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/rtl/dateutils.h"
#include "framework/rtl/sysutils.h"
#include "framework/rtl/unicode.h"
#include "numlab/numlab_text.h"

namespace orv {
namespace {

struct TTextRow {
  TDisplay Type;
  double Value;
  int Precision;
  const char16_t* Expected;
};

std::string U8(const String& S) { return ToUtf8(S); }

String TextOf(TDisplay Type, double Value, int Precision, const String& State = u"undefined") {
  String Text;
  EXPECT_TRUE(NumLabValueText(Type, Value, Precision, u"mmm-dd, yyyy", State, Text));
  return Text;
}

class NumLabText : public ::testing::TestWithParam<TTextRow> {};

TEST_P(NumLabText, FormatsTheValue) {
  const TTextRow& R = GetParam();
  EXPECT_EQ(U8(TextOf(R.Type, R.Value, R.Precision)), U8(R.Expected)) << "value " << R.Value;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NumLabText,
    ::testing::Values(
        TTextRow{dtFixP, 0, 2, u"0.00"}, TTextRow{dtFixP, -3.14159, 3, u"-3.142"},
        TTextRow{dtFloat, 1234.5, 6, u"1234.5"}, TTextRow{dtFloat, 0.5, 6, u"0.5"},
        TTextRow{dtExp, 1234.5, 3, u"1.23E+003"},
        // Whole numbers round halves to even.
        TTextRow{dtInt, 2.5, 2, u"2"}, TTextRow{dtInt, 3.5, 2, u"4"}, TTextRow{dtInt, -2.5, 0, u"-2"},
        TTextRow{dtZeroInt, 42, 5, u"00042"}, TTextRow{dtZeroInt, -42, 5, u"-00042"},
        TTextRow{dtZeroInt, 123456, 3, u"123456"},
        TTextRow{dtHex, 255, 0, u"FF"}, TTextRow{dtHex, 255, 4, u"00FF"}, TTextRow{dtHex, -255, 0, u"-FF"},
        TTextRow{dtBin, 5, 8, u"00000101"}, TTextRow{dtOct, 8, 0, u"10"},
        TTextRow{dtDeg, 12.5, 2, u"12.50\u00B0"},
        TTextRow{dtDegMin, 12.5, 2, u"12\u00B030.00'"}, TTextRow{dtDegMin, 12.0916666667, 1, u"12\u00B005.5'"},
        // A field that rounds up to 60 carries into the next one.
        TTextRow{dtDegMin, 12.99999, 2, u"13\u00B000.00'"},
        TTextRow{dtDegMinSec, 12.5013888889, 1, u"12\u00B030'05.0\""},
        TTextRow{dtDegMinSec, 1.9999999, 0, u"2\u00B000'00\""}, TTextRow{dtDegMinSec, -0.5, 0, u"-0\u00B030'00\""},
        TTextRow{dtEEng, 12340, 2, u"12.34E+003"}, TTextRow{dtEEng, 0.00123, 2, u"1.23E-003"},
        TTextRow{dtEEng, -1500, 1, u"-1.5E+003"}, TTextRow{dtEEng, 0, 2, u"0.00E+000"},
        TTextRow{dtEEng, 1000, 0, u"1E+003"}, TTextRow{dtEEng, 0.001, 1, u"1.0E-003"},
        // A mantissa that rounds up to 1000 moves to the next exponent.
        TTextRow{dtEEng, 999.999, 2, u"1.00E+003"}, TTextRow{dtEEng, -999999, 1, u"-1.0E+006"},
        TTextRow{dtEEngNoDP, 12345, 2, u"12E+003"}, TTextRow{dtEEngNoDP, 999.6, 2, u"1E+003"},
        TTextRow{dtEEngNoDP, 0.0456, 2, u"46E-003"}));

TEST(NumLabTextState, SingleTextAlwaysAndListsPickedByValue) {
  EXPECT_EQ(U8(TextOf(dtState, 5, 2)), "undefined");
  EXPECT_EQ(U8(TextOf(dtState, 0, 2, u"off|on|fault")), "off");
  EXPECT_EQ(U8(TextOf(dtState, 2.4, 2, u"off|on|fault")), "fault");
  EXPECT_EQ(U8(TextOf(dtState, 3, 2, u"off|on|fault")), "");
  EXPECT_EQ(U8(TextOf(dtState, -1, 2, u"off|on|fault")), "");
}

TEST(NumLabTextDate, FormatsWithThePattern) {
  EXPECT_EQ(U8(TextOf(dtDateTime, EncodeDate(2024, 5, 15), 2)), "May-15, 2024");
}

TEST(NumLabTextLocale, NumberTypesWriteTheLocaleSeparator) {
  const Char Saved = FormatSettings.DecimalSeparator;
  FormatSettings.DecimalSeparator = u',';
  EXPECT_EQ(U8(TextOf(dtFixP, 3.14159, 2)), "3,14");
  EXPECT_EQ(U8(TextOf(dtDegMin, 12.5, 1)), "12\u00B030,0'");
  FormatSettings.DecimalSeparator = Saved;
}

TEST(NumLabTextLimits, ValuesWithoutATextAreRefused) {
  const double Inf = std::numeric_limits<double>::infinity(), NaN = std::nan("");
  String Text;
  for (TDisplay T : {dtInt, dtZeroInt, dtHex, dtBin, dtOct}) {
    EXPECT_FALSE(NumLabValueText(T, 1e30, 2, u"", u"", Text)) << int(T);
    EXPECT_FALSE(NumLabValueText(T, NaN, 2, u"", u"", Text)) << int(T);
  }
  for (TDisplay T : {dtDeg, dtDegMin, dtDegMinSec, dtEEng, dtEEngNoDP, dtDateTime})
    EXPECT_FALSE(NumLabValueText(T, Inf, 2, u"", u"", Text)) << int(T);
  EXPECT_FALSE(NumLabValueText(dtDateTime, 1e12, 2, u"yyyy", u"", Text));
  EXPECT_TRUE(Text.empty());
  // The largest magnitudes below 2^63 still have a text.
  EXPECT_TRUE(NumLabValueText(dtHex, -9223372036854774784.0, 0, u"", u"", Text));
  EXPECT_EQ(U8(Text), "-7FFFFFFFFFFFFC00");
}

}  // namespace
}  // namespace orv

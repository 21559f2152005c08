// Decimal scanner: the transitions of its state machine, the returned
// position, separator modes, the exponent cap, clamping and exact rounding.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <string>

#include "framework/rtl/unicode.h"
#include "numio/numio.h"

namespace orv {
namespace {

struct ScanCase {
  const char16_t* Text;
  bool ExpAllowed;
  int SepMode;
  double Value;
  int EndPos;  // position after the scan, started at 1
};

void ExpectScan(const ScanCase& C) {
  SCOPED_TRACE(ToUtf8(C.Text));
  int Pos = 1;
  const double Value = ScanFloatNumber(C.Text, C.ExpAllowed, C.SepMode, Pos);
  EXPECT_EQ(Value, C.Value);
  EXPECT_EQ(Pos, C.EndPos);
}

TEST(ScanFloatNumber, AcceptedShapesAndWhereTheyEnd) {
  const ScanCase Cases[] = {
      {u"  -1,5e3", true, 3, -1500, 9},
      {u"  -1,5e3", true, 1, -1, 5},  // "," is no separator in mode 1
      {u"12", true, 1, 12, 3},
      {u"   7", true, 1, 7, 5},
      {u"+5", true, 1, 5, 3},
      {u"5.", true, 1, 5, 3},
      {u".5", true, 1, 0.5, 3},
      {u".", true, 1, 0, 2},
      {u"-.5", true, 1, -0.5, 4},
      {u"1 2", true, 1, 1, 2},
      {u"12abc", true, 1, 12, 3},
      {u"3-", true, 1, 3, 2},
      {u"1.5e+2", true, 1, 150, 7},
      {u"1.5E-2", true, 1, 0.015, 7},
      {u"1.e5", true, 1, 1e5, 5},
      {u".e5", true, 1, 0, 4},  // zero mantissa
      {u"1e5.3", true, 1, 1e5, 4},
      {u"1e5e", true, 1, 1e5, 4},
      {u"1e5 ", true, 1, 1e5, 4},
      {u"1ex", true, 1, 1, 3},  // marker followed by another character
      {u"1e", true, 1, 1, 3},
      {u"1e-", true, 1, 1, 4},
      {u"1e-x", true, 1, 1, 4},
      {u"1e5,", true, 3, 1e5, 4},
      {u"2E5", false, 1, 2, 2},
      {u"2.5e5", false, 3, 2.5, 4},
  };
  for (const ScanCase& C : Cases) ExpectScan(C);
}

TEST(ScanFloatNumber, ErrorsGiveZeroWithPositionOnTheOffendingCharacter) {
  const ScanCase Cases[] = {
      {u"", true, 1, 0, 1},       {u"-", true, 1, 0, 2},    {u"   ", true, 1, 0, 4},
      {u"1.5.", true, 1, 0, 4},   {u"..", true, 1, 0, 2},   {u"+-5", true, 1, 0, 2},
      {u"- 5", true, 1, 0, 2},    {u"E5", true, 1, 0, 1},   {u"x1", true, 1, 0, 1},
      {u"1e 5", true, 1, 0, 3},   {u"1e-+5", true, 1, 0, 4}, {u"1,5,", true, 3, 0, 4},
  };
  for (const ScanCase& C : Cases) ExpectScan(C);
}

TEST(ScanFloatNumber, SeparatorModes) {
  const ScanCase Cases[] = {
      {u"1.5", true, 1, 1.5, 4}, {u"1,5", true, 1, 1, 2},   {u"1.5", true, 2, 1, 2},
      {u"1,5", true, 2, 1.5, 4}, {u"1.5", true, 3, 1.5, 4}, {u"1,5", true, 3, 1.5, 4},
      {u",5", true, 2, 0.5, 3},  {u",5", true, 1, 0, 1},    {u"1,5", true, 0, 1, 2},
  };
  for (const ScanCase& C : Cases) ExpectScan(C);
}

// Every transition of the machine: a prefix that leaves it in a state, then
// one character of each class (or the end of the text). 'T' = the character
// is taken, 'D' = the number ends before it, 'E' = the scan fails on it.
TEST(ScanFloatNumber, StateMachineTransitions) {
  struct Row {
    const char16_t* Prefix;
    const char* Expect;  // separator, sign, blank, digit, "E", other, end
  };
  const Row Rows[] = {
      {u"", "TTTTEEE"},      // Start
      {u"-", "TEETEEE"},     // Sign
      {u"1", "TDDTTDD"},     // Int
      {u"1.", "EDDTTDD"},    // Point
      {u"1.5", "EDDTTDD"},   // Frac
      {u"1e", "ETETEDD"},    // ExpMark
      {u"1e-", "EEETEDD"},   // ExpSign
      {u"1e5", "DDDTDDD"},   // ExpDigits
  };
  const char16_t* Next[] = {u".", u"+", u" ", u"7", u"E", u"x", u""};
  for (const Row& R : Rows) {
    for (int K = 0; K < 7; ++K) {
      const String Text = String(R.Prefix) + Next[K];
      SCOPED_TRACE(ToUtf8(Text));
      const int Stop = static_cast<int>(std::char_traits<char16_t>::length(R.Prefix)) + 1;
      int Pos = 1;
      const double Value = ScanFloatNumber(Text, true, 1, Pos);
      switch (R.Expect[K]) {
        case 'T':
          EXPECT_GT(Pos, Stop);
          break;
        case 'D':
          EXPECT_EQ(Pos, Stop);
          EXPECT_TRUE(CheckFloatSyntax(Text, true, dpsPoint));
          break;
        default:
          EXPECT_EQ(Pos, Stop);
          EXPECT_EQ(Value, 0);
          EXPECT_FALSE(CheckFloatSyntax(Text, true, dpsPoint));
      }
    }
  }
}

TEST(ScanFloatNumber, StartPositionIsHonouredAndKeptInRange) {
  int Pos = 3;
  EXPECT_EQ(ScanFloatNumber(u"ab12.5x", true, 1, Pos), 12.5);
  EXPECT_EQ(Pos, 7);
  // Continue after the terminator of a first number.
  const String Pair = u"1.5 -2e1";
  Pos = 1;
  EXPECT_EQ(ScanFloatNumber(Pair, true, 1, Pos), 1.5);
  EXPECT_EQ(Pos, 4);
  EXPECT_EQ(ScanFloatNumber(Pair, true, 1, Pos), -20);
  EXPECT_EQ(Pos, 9);
  // A position below 1 starts at the first character; one past the end
  // finds no number and stays, so a whole-text caller cannot take it.
  Pos = 0;
  EXPECT_EQ(ScanFloatNumber(u"42", true, 1, Pos), 42);
  EXPECT_EQ(Pos, 3);
  Pos = -7;
  EXPECT_EQ(ScanFloatNumber(u"42", true, 1, Pos), 42);
  for (const int Beyond : {4, 5, 100}) {
    Pos = Beyond;
    EXPECT_EQ(ScanFloatNumber(u"12", true, 1, Pos), 0);
    EXPECT_EQ(Pos, Beyond);
  }
}

TEST(ScanFloatNumber, RangeIsClampedToTheLargestDouble) {
  const ScanCase Cases[] = {
      {u"1E400", true, 1, uc_MaxDouble, 6},
      {u"-1E400", true, 1, -uc_MaxDouble, 7},
      {u"1E-400", true, 1, 0, 7},
      {u"1.7976931348623157e308", true, 1, uc_MaxDouble, 23},
      {u"1.7976931348623159e308", true, 1, uc_MaxDouble, 23},  // rounds past the largest
      {u"-1.7976931348623159e308", true, 1, -uc_MaxDouble, 24},
      {u"0.0001e-320", true, 1, 0, 12},
      {u"12345678901234567890e300", true, 1, uc_MaxDouble, 25},
  };
  for (const ScanCase& C : Cases) ExpectScan(C);
  int Pos = 1;
  const double NegZero = ScanFloatNumber(u"-1e-400", true, 1, Pos);
  EXPECT_EQ(NegZero, 0);
  EXPECT_TRUE(std::signbit(NegZero));
}

TEST(ScanFloatNumber, LongMantissasAndExponentsKeepTheirExactValue) {
  const ScanCase Cases[] = {
      {u"1E5000", true, 1, uc_MaxDouble, 7},
      {u"1E-5000", true, 1, 0, 8},
      {u"1E00000000000000000002", true, 1, 100, 23},  // leading zeros do not count
      {u"1E-99999999999999999999", true, 1, 0, 24},
      {u"-1E99999999999999999999", true, 1, -uc_MaxDouble, 24},
  };
  for (const ScanCase& C : Cases) ExpectScan(C);

  // Mantissa and exponent far beyond the range of a double that cancel out.
  const String Zeros4300(4300, u'0');
  const String Zeros5000(5000, u'0');
  const struct {
    String Text;
    double Value;
  } Long[] = {
      {u"1" + Zeros4300 + u"e-4300", 1},
      {u"0." + Zeros5000 + u"1e5001", 1},
      {u"-0." + Zeros5000 + u"25E5001", -2.5},
      {u"0." + String(4190, u'0') + u"1E4205", 1e14},
      {u"123" + Zeros5000 + u"e-5002", 1.23},
      {u"0." + Zeros5000 + u"1", 0},
      {u"1" + Zeros5000, uc_MaxDouble},
  };
  for (const auto& C : Long) {
    SCOPED_TRACE(C.Text.size());
    int Pos = 1;
    EXPECT_EQ(ScanFloatNumber(C.Text, true, 1, Pos), C.Value);
    EXPECT_EQ(Pos, static_cast<int>(C.Text.size()) + 1);
  }
}

TEST(ScanFloatNumber, ConversionIsCorrectlyRounded) {
  struct Exact {
    const char16_t* Text;
    double Value;
  };
  const Exact Cases[] = {
      {u"0.1", 0.1},
      {u"9007199254740993", 9007199254740992.0},  // halfway: to even
      {u"9007199254740995", 9007199254740996.0},
      {u"2.2250738585072011e-308", 2.2250738585072011e-308},
      {u"4.9406564584124654e-324", 4.9406564584124654e-324},
      {u"1e-320", 1e-320},
      {u"123456789012345678901234567890", 123456789012345678901234567890.0},
      {u"3,14159265358979323846", 3.14159265358979323846},
  };
  for (const Exact& C : Cases) {
    SCOPED_TRACE(ToUtf8(C.Text));
    int Pos = 1;
    EXPECT_EQ(std::bit_cast<uint64_t>(ScanFloatNumber(C.Text, true, 3, Pos)), std::bit_cast<uint64_t>(C.Value));
  }
  int Pos = 1;
  const double NegZero = ScanFloatNumber(u"-0", true, 1, Pos);
  EXPECT_TRUE(std::signbit(NegZero));
}

TEST(ScanFloatNumber, LongTextsBeyondTheLocalBuffer) {
  // 1 followed by 200 zeros, and the same value written with a long fraction.
  const String Big = u"1" + String(200, u'0');
  int Pos = 1;
  EXPECT_EQ(ScanFloatNumber(Big, true, 1, Pos), 1e200);
  EXPECT_EQ(Pos, 202);
  const String Small = u"0." + String(150, u'0') + u"25";
  Pos = 1;
  EXPECT_EQ(ScanFloatNumber(Small, true, 1, Pos), 2.5e-151);
  // Many digits that round up exactly at the end of a very long text.
  const String Halfway = u"9007199254740993." + String(300, u'0') + u"1";
  Pos = 1;
  EXPECT_EQ(ScanFloatNumber(Halfway, true, 1, Pos), 9007199254740994.0);
  EXPECT_EQ(Pos, static_cast<int>(Halfway.size()) + 1);
}

// Another character after the text acts as the end of the text does, so a
// trailing "x" must never change the result; it also sends every text down the
// general path instead of the shortcut for whole plain numbers.
TEST(ScanFloatNumber, TrailingCharacterActsAsTheEndOfText) {
  std::mt19937 Rng(7);
  const char16_t Alphabet[] = u"0123456789.,+-eE 9";
  std::uniform_int_distribution<int> Length(0, 24);
  std::uniform_int_distribution<int> Pick(0, 17);
  for (int N = 0; N < 20000; ++N) {
    String Text;
    for (int K = Length(Rng); K > 0; --K) Text.push_back(Alphabet[Pick(Rng)]);
    for (int Mode = 1; Mode <= 3; ++Mode) {
      for (const bool ExpAllowed : {false, true}) {
        int Pos = 1;
        const double Value = ScanFloatNumber(Text, ExpAllowed, Mode, Pos);
        int PosX = 1;
        const double ValueX = ScanFloatNumber(Text + u"x", ExpAllowed, Mode, PosX);
        ASSERT_EQ(std::bit_cast<uint64_t>(Value), std::bit_cast<uint64_t>(ValueX))
            << ToUtf8(Text) << " mode " << Mode << " exp " << ExpAllowed;
        ASSERT_EQ(Pos, PosX) << ToUtf8(Text);
      }
    }
  }
}

TEST(ScanFloatNumber, NonAsciiCharactersEndTheNumber) {
  const ScanCase Cases[] = {
      {u"12\u00e9", true, 1, 12, 3},  // é upper-cases to É, not E
      {u"1\uff0e5", true, 3, 1, 2},   // full-width full stop
      {u"\u00a01", true, 1, 0, 1},    // no-break space is not a blank
  };
  for (const ScanCase& C : Cases) ExpectScan(C);
}

}  // namespace
}  // namespace orv

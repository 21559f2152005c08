// Integer digit readers: blanks, signs, the "$" prefix, where they stop and
// the 32-bit wrap of their sums.
#include <gtest/gtest.h>

#include <climits>

#include "framework/rtl/unicode.h"
#include "numio/numio.h"

namespace orv {
namespace {

using TScanner = int (*)(std::u16string_view, int&);

struct DigitCase {
  TScanner Scan;
  const char16_t* Text;
  int StartPos;
  int Value;
  int EndPos;
};

void ExpectDigits(const DigitCase& C) {
  SCOPED_TRACE(ToUtf8(C.Text));
  int Pos = C.StartPos;
  EXPECT_EQ(C.Scan(C.Text, Pos), C.Value);
  EXPECT_EQ(Pos, C.EndPos);
}

TEST(ScanDecInteger, SignsBlanksAndStops) {
  const DigitCase Cases[] = {
      {ScanDecInteger, u"", 1, 0, 1},
      {ScanDecInteger, u"123", 1, 123, 4},
      {ScanDecInteger, u"  -42x", 1, -42, 6},
      {ScanDecInteger, u"+7", 1, 7, 3},
      {ScanDecInteger, u"-", 1, 0, 2},
      {ScanDecInteger, u"12 3", 1, 12, 3},
      {ScanDecInteger, u"1a", 1, 1, 2},
      {ScanDecInteger, u"ab99", 3, 99, 5},
      {ScanDecInteger, u" ", 1, 0, 1},   // a blank in the last position stays
      {ScanDecInteger, u"  ", 1, 0, 2},
      {ScanDecInteger, u"- 5", 1, 0, 2},
      {ScanDecInteger, u"--5", 1, 0, 2},
      {ScanDecInteger, u"5", 0, 5, 2},   // a start below 1 reads from the first character
      {ScanDecInteger, u"5", 9, 0, 9},   // one past the end stays where it is
      {ScanDecInteger, u" 5", 3, 0, 3},
  };
  for (const DigitCase& C : Cases) ExpectDigits(C);
}

TEST(ScanDecInteger, SumsWrapAt32Bits) {
  const DigitCase Cases[] = {
      {ScanDecInteger, u"4294967297", 1, 1, 11},
      {ScanDecInteger, u"2147483647", 1, INT_MAX, 11},
      {ScanDecInteger, u"2147483648", 1, INT_MIN, 11},
      {ScanDecInteger, u"-2147483648", 1, INT_MIN, 12},
      {ScanDecInteger, u"4294967295", 1, -1, 11},
      {ScanDecInteger, u"-4294967295", 1, 1, 12},
      {ScanDecInteger, u"99999999999999999999999", 1, static_cast<int>(0xF67FFFFFu), 24},
  };
  for (const DigitCase& C : Cases) ExpectDigits(C);
}

TEST(ScanHexNumber, DigitsInEitherCaseAndTheDollarPrefix) {
  const DigitCase Cases[] = {
      {ScanHexNumber, u"$ff", 1, 255, 4},
      {ScanHexNumber, u"ff", 1, 255, 3},
      {ScanHexNumber, u"fg", 1, 15, 2},
      {ScanHexNumber, u"$1F", 2, 31, 4},
      {ScanHexNumber, u"$", 1, 0, 2},
      {ScanHexNumber, u" $ff", 1, 0, 2},   // "$" only at the very start
      {ScanHexNumber, u"1$", 1, 1, 2},
      {ScanHexNumber, u"  aBc", 1, 0xABC, 6},
      {ScanHexNumber, u"-1", 1, 0, 1},     // no sign for radix digits
      {ScanHexNumber, u"$FFFFFFFF", 1, -1, 10},
      {ScanHexNumber, u"80000000", 1, INT_MIN, 9},
      {ScanHexNumber, u"100000001", 1, 1, 10},
      {ScanHexNumber, u"ff", 7, 0, 7},     // past the end: nothing read, position kept
  };
  for (const DigitCase& C : Cases) ExpectDigits(C);
}

TEST(ScanOctAndBinNumber, DigitsOfTheRadixOnly) {
  const DigitCase Cases[] = {
      {ScanOctNumber, u"17", 1, 15, 3},
      {ScanOctNumber, u"18", 1, 1, 2},
      {ScanOctNumber, u" 7", 1, 7, 3},
      {ScanOctNumber, u"&17", 2, 15, 4},
      {ScanOctNumber, u"37777777777", 1, -1, 12},
      {ScanOctNumber, u"40000000001", 1, 1, 12},
      {ScanOctNumber, u"", 1, 0, 1},
      {ScanBinNumber, u"101", 1, 5, 4},
      {ScanBinNumber, u"102", 1, 2, 3},
      {ScanBinNumber, u"%101", 2, 5, 5},
      {ScanBinNumber, u"11111111111111111111111111111111", 1, -1, 33},
      {ScanBinNumber, u"100000000000000000000000000000011", 1, 3, 34},
      {ScanBinNumber, u"$1", 1, 0, 1},
  };
  for (const DigitCase& C : Cases) ExpectDigits(C);
}

}  // namespace
}  // namespace orv

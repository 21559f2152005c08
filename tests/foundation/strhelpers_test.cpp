#include "foundation/strhelpers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace orv {
namespace {

using Parts = std::vector<String>;

TEST(Tokenize, KeepsEmptyPartsIncludingTheLast) {
  Parts T;
  EXPECT_EQ(Tokenize(u"a;b;", u';', T), 3);
  EXPECT_EQ(T, (Parts{u"a", u"b", u""}));
  EXPECT_EQ(Tokenize(u";;x", u';', T), 3);
  EXPECT_EQ(T, (Parts{u"", u"", u"x"}));
  EXPECT_EQ(Tokenize(u"abc", u';', T), 1);
  EXPECT_EQ(T, (Parts{u"abc"}));
  EXPECT_EQ(Tokenize(u";", u';', T), 2);
  EXPECT_EQ(T, (Parts{u"", u""}));
}

TEST(Tokenize, SplitsPathsAndEmptyTextGivesNoParts) {
  Parts T;
  EXPECT_EQ(Tokenize(u"c:\\data\\x\\", u'\\', T), 4);
  EXPECT_EQ(T, (Parts{u"c:", u"data", u"x", u""}));
  EXPECT_EQ(Tokenize(u"", u'\\', T), 0);
  EXPECT_TRUE(T.empty());  // the previous parts are gone
}

TEST(Tokenize, MultiCharacterDelimiters) {
  Parts T;
  EXPECT_EQ(Tokenize(u"a\r\nb\r\n\r\nc", u"\r\n", T), 4);
  EXPECT_EQ(T, (Parts{u"a", u"b", u"", u"c"}));
  // Matches do not overlap: "aaa" split at "aa" is "" and "a".
  EXPECT_EQ(Tokenize(u"aaa", u"aa", T), 2);
  EXPECT_EQ(T, (Parts{u"", u"a"}));
  EXPECT_EQ(Tokenize(u"a,b", u"", T), 1);
  EXPECT_EQ(T, (Parts{u"a,b"}));
}

TEST(NumberedPos, FindsTheNthOccurrenceFromStart) {
  //                  123456789
  const String S = u"ab;cd;ef;g";
  EXPECT_EQ(NumberedPos(u";", S, 1, 1, false), 3);
  EXPECT_EQ(NumberedPos(u";", S, 1, 2, false), 6);
  EXPECT_EQ(NumberedPos(u";", S, 1, 3, false), 9);
  EXPECT_EQ(NumberedPos(u";", S, 1, 4, false), 0);
  EXPECT_EQ(NumberedPos(u";", S, 3, 1, false), 3);  // "at or after" Start
  EXPECT_EQ(NumberedPos(u";", S, 4, 1, false), 6);
  EXPECT_EQ(NumberedPos(u";", S, 4, 2, false), 9);
  EXPECT_EQ(NumberedPos(u"cd", S, 1, 1, false), 4);
}

TEST(NumberedPos, DegenerateArgumentsGiveZero) {
  EXPECT_EQ(NumberedPos(u"", u"abc", 1, 1, false), 0);
  EXPECT_EQ(NumberedPos(u"a", u"abc", 1, 0, false), 0);
  EXPECT_EQ(NumberedPos(u"a", u"abc", 1, -3, false), 0);
  EXPECT_EQ(NumberedPos(u"a", u"", 1, 1, false), 0);
  EXPECT_EQ(NumberedPos(u"c", u"abc", 4, 1, false), 0);
  EXPECT_EQ(NumberedPos(u"c", u"abc", 1000, 1, false), 0);
  EXPECT_EQ(NumberedPos(u"a", u"abc", -5, 1, false), 1);  // Start below 1 counts from 1
  EXPECT_EQ(NumberedPos(u"abcd", u"abc", 1, 1, false), 0);
}

TEST(NumberedPos, OccurrencesDoNotOverlap) {
  EXPECT_EQ(NumberedPos(u"aa", u"aaaa", 1, 1, false), 1);
  EXPECT_EQ(NumberedPos(u"aa", u"aaaa", 1, 2, false), 3);
  EXPECT_EQ(NumberedPos(u"aa", u"aaaa", 1, 3, false), 0);
}

TEST(NumberedPos, FlagIgnoresLetterCase) {
  EXPECT_EQ(NumberedPos(u"rix", u"RIX3 Rix", 1, 2, false), 0);
  EXPECT_EQ(NumberedPos(u"rix", u"RIX3 Rix", 1, 2, true), 6);
  EXPECT_EQ(NumberedPos(u"\u00E4", u"A\u00C4", 1, 1, true), 2);
  EXPECT_EQ(NumberedPos(u"\u00E4", u"A\u00C4", 1, 1, false), 0);
}

TEST(Strff, FixedNotationPaddedOnTheLeft) {
  EXPECT_EQ(strff(3.14159, 8, 3), u"   3.142");
  EXPECT_EQ(strff(-2.5, 1, 2), u"-2.50");
  EXPECT_EQ(strff(42, 1, 0), u"42");
  EXPECT_EQ(strff(42, 5, 0), u"   42");
  EXPECT_EQ(strff(7, 1, 4), u"7.0000");
  EXPECT_EQ(strff(0.000123, 1, 2), u"0.00");
  EXPECT_EQ(strff(1e20, 1, 1), u"100000000000000000000.0");
}

TEST(Strff, NeverCutsAndIgnoresTheLocale) {
  EXPECT_EQ(strff(123456.789, 3, 2), u"123456.79");
  EXPECT_EQ(strff(9.999, 1, 2), u"10.00");
  EXPECT_EQ(strff(-9.999, 6, 2), u"-10.00");
}

TEST(Strff, RoundsFromTheExactBinaryValue) {
  // Exact binary ties go to the even neighbour.
  EXPECT_EQ(strff(0.5, 1, 0), u"0");
  EXPECT_EQ(strff(1.5, 1, 0), u"2");
  EXPECT_EQ(strff(2.5, 1, 0), u"2");
  EXPECT_EQ(strff(0.125, 1, 2), u"0.12");
  EXPECT_EQ(strff(0.375, 1, 2), u"0.38");
  // 2.675 is stored a little below the half, 1.005 too.
  EXPECT_EQ(strff(2.675, 1, 2), u"2.67");
  EXPECT_EQ(strff(1.005, 1, 2), u"1.00");
  // 0.15 is stored a little above.
  EXPECT_EQ(strff(0.15, 1, 1), u"0.1");
  EXPECT_EQ(strff(0.35, 1, 1), u"0.3");
}

TEST(Strff, ClampsArgumentsAndSpellsNonFiniteValues) {
  EXPECT_EQ(strff(1.5, -3, -2), u"2");
  EXPECT_EQ(strff(1, 100000, 0).size(), 255u);
  const String Many = strff(1, 1, 1000000);
  EXPECT_EQ(Many.size(), 257u);  // "1." and 255 decimals
  EXPECT_EQ(strff(-DBL_MAX, 1, 255).size(), 1u + 309u + 1u + 255u);
  EXPECT_EQ(strff(NAN, 5, 2), u"  Nan");
  EXPECT_EQ(strff(INFINITY, 1, 2), u"+Inf");
  EXPECT_EQ(strff(-INFINITY, 6, 2), u"  -Inf");
}

TEST(LeftString, CutsOrPadsToExactlyN) {
  EXPECT_EQ(LeftString(u"abcdef", 3), u"abc");
  EXPECT_EQ(LeftString(u"ab", 5), u"ab   ");
  EXPECT_EQ(LeftString(u"abc", 3), u"abc");
  EXPECT_EQ(LeftString(u"", 2), u"  ");
  EXPECT_EQ(LeftString(u"abc", 0), u"");
  EXPECT_EQ(LeftString(u"abc", -4), u"");
}

TEST(StripChars, RemovesOnlyTheChosenCharactersAtOneEnd) {
  EXPECT_EQ(StripLeadingChars(u"\\\\a\\b\\", u'\\'), u"a\\b\\");
  EXPECT_EQ(StripTrailingChars(u"\\a\\b\\\\", u'\\'), u"\\a\\b");
  EXPECT_EQ(StripLeadingChars(u"  x  ", u' '), u"x  ");
  EXPECT_EQ(StripTrailingChars(u"  x  ", u' '), u"  x");
  EXPECT_EQ(StripLeadingChars(u"/\\/a", u"/\\"), u"a");
  EXPECT_EQ(StripTrailingChars(u"a/\\ ", u"/\\ "), u"a");
  EXPECT_EQ(StripLeadingChars(u"\\\\\\", u'\\'), u"");
  EXPECT_EQ(StripTrailingChars(u"", u'\\'), u"");
  EXPECT_EQ(StripLeadingChars(u"abc", u""), u"abc");
}

TEST(EnsureTrailing, AppendsOnlyWhenMissing) {
  EXPECT_EQ(EnsureTrailingChar(u"a|b", u'|'), u"a|b|");
  EXPECT_EQ(EnsureTrailingChar(u"a|b|", u'|'), u"a|b|");
  EXPECT_EQ(EnsureTrailingChar(u"", u'|'), u"|");
  EXPECT_EQ(EnsureTrailingBkSlash(u"c:\\data"), u"c:\\data\\");
  EXPECT_EQ(EnsureTrailingBkSlash(u"c:\\data\\"), u"c:\\data\\");
  EXPECT_EQ(EnsureTrailingBkSlash(u""), u"\\");
  EXPECT_EQ(ReplaceCharInString(u"a/b/c/", u'/', u'\\'), u"a\\b\\c\\");
}

TEST(RemoveControlChars, DropsCodesBelowBlankAndDelete) {
  EXPECT_EQ(RemoveControlChars(u"a\tb\r\nc\x01\x1F\x7F d"), u"abc d");
  EXPECT_EQ(RemoveControlChars(u"\u00E4\u20AC"), u"\u00E4\u20AC");
  EXPECT_EQ(RemoveControlChars(String(u"x\0y", 3)), u"xy");
  EXPECT_EQ(RemoveControlChars(u"\n\n"), u"");
}

}  // namespace
}  // namespace orv

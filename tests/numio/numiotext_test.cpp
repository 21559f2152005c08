// Text rules of the numeric edit box, without a control: conversion per input
// format, value text, value read-back and the verdict on a change.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "framework/rtl/sysutils.h"
#include "framework/rtl/unicode.h"
#include "numio/numiotext.h"
#include "numio/numscan.h"

namespace orv {
namespace {

struct ConvertCase {
  const char16_t* Text;
  TInFormat Format;
  bool Accepted;
  double Value;
};

TEST(NumIOConvertText, AcceptsNumbersOfEachFormatAndRefusesTheRest) {
  const ConvertCase Cases[] = {
      {u"1e3", itExp, true, 1000},      {u"1e", itExp, true, 1},          {u"1e-", itExp, true, 1},
      {u"1E+", itExp, true, 1},         {u"1e-2", itExp, true, 0.01},     {u"-", itExp, true, 0},
      {u".", itExp, true, 0},           {u"1.5.", itExp, false, 0},       {u"1e5e", itExp, false, 0},
      {u"2e5", itFloat, false, 0},      {u"-2.25", itFloat, true, -2.25}, {u"12", itInt, true, 12},
      {u"12a", itInt, false, 0},        {u"-", itInt, false, 0},          {u"+", itInt, false, 0},
      {u"-7", itInt, true, -7},         {u"1.5", itInt, false, 0},        {u"ff", itHex, true, 255},
      {u"$FF", itHex, true, 255},       {u"fg", itHex, false, 0},         {u"FFFFFFFF", itHex, true, -1},
      {u"17", itOct, true, 15},         {u"18", itOct, false, 0},         {u"101", itBin, true, 5},
      {u"102", itBin, false, 0},        {u"$1F", itDynamic, true, 31},    {u"%101", itDynamic, true, 5},
      {u"&17", itDynamic, true, 15},    {u"1e3", itDynamic, true, 1000},  {u"1e-", itDynamic, true, 1},
      {u"$", itDynamic, true, 0},       {u"%2", itDynamic, false, 0},     {u"&8", itDynamic, false, 0},
      {u"$1e", itDynamic, true, 30},    {u"  42", itInt, true, 42},       {u"1 2", itInt, false, 0},
      {u"1 2", itExp, false, 0},        {u"4 ", itExp, false, 0},         {u"   ", itExp, true, 0},
  };
  for (const ConvertCase& C : Cases) {
    SCOPED_TRACE(ToUtf8(C.Text) + " format " + std::to_string(C.Format));
    double Value = -99;
    EXPECT_EQ(NumIOConvertText(C.Text, C.Format, kSepModePoint, Value), C.Accepted);
    if (C.Accepted) {
      EXPECT_DOUBLE_EQ(Value, C.Value);
    }
  }
}

TEST(NumIOConvertText, IntegerTextMustFitTheFormatsIntegerType) {
  const ConvertCase Cases[] = {
      {u"2147483647", itInt, true, 2147483647},   {u"-2147483648", itInt, true, -2147483648.0},
      {u"2147483648", itInt, false, 0},           {u"-2147483649", itInt, false, 0},
      {u"4294967297", itInt, false, 0},           {u"+0000000000042", itInt, true, 42},
      {u"1000000FF", itHex, false, 0},            {u"000000000FF", itHex, true, 255},
      {u"37777777777", itOct, true, -1},          {u"40000000000", itOct, false, 0},
      {u"100000000000000000000000000000000", itBin, false, 0},
      {u"11111111111111111111111111111111", itBin, true, -1},
      {u"$100000000", itDynamic, false, 0},
      {u"%100000000000000000000000000000000", itDynamic, false, 0},
      {u"&40000000000", itDynamic, false, 0},     {u"99999999999", itDynamic, true, 99999999999.0},
  };
  for (const ConvertCase& C : Cases) {
    SCOPED_TRACE(ToUtf8(C.Text) + " format " + std::to_string(C.Format));
    double Value = -99;
    EXPECT_EQ(NumIOConvertText(C.Text, C.Format, kSepModePoint, Value), C.Accepted);
    if (C.Accepted) {
      EXPECT_EQ(Value, C.Value);
    }
  }
}

TEST(NumIOConvertText, EmptyTextIsRefusedAndLeavesTheValue) {
  double Value = 7;
  EXPECT_FALSE(NumIOConvertText(u"", itExp, kSepModePoint, Value));
  EXPECT_EQ(Value, 7);
}

TEST(NumIOConvertText, SeparatorModeDecidesPointAndComma) {
  double Value = 0;
  EXPECT_TRUE(NumIOConvertText(u"1,5", itFloat, kSepModeComma, Value));
  EXPECT_DOUBLE_EQ(Value, 1.5);
  EXPECT_FALSE(NumIOConvertText(u"1.5", itFloat, kSepModeComma, Value));
  EXPECT_FALSE(NumIOConvertText(u"1,5", itExp, kSepModePoint, Value));
  EXPECT_TRUE(NumIOConvertText(u"-1,5e3", itExp, kSepModeBoth, Value));
  EXPECT_DOUBLE_EQ(Value, -1500);
}

TEST(NumIOSepMode, FixedPointAlwaysReadsThePoint) {
  const Char Saved = FormatSettings.DecimalSeparator;
  FormatSettings.DecimalSeparator = u',';
  EXPECT_EQ(NumIOSepMode(itFloat, dpsSystem), kSepModeComma);
  EXPECT_EQ(NumIOSepMode(itFixPoint, dpsSystem), kSepModePoint);
  EXPECT_EQ(NumIOSepMode(itFixPoint, dpsComma), kSepModePoint);
  FormatSettings.DecimalSeparator = Saved;
  EXPECT_EQ(NumIOSepMode(itExp, dpsSystem), kSepModePoint);
  EXPECT_EQ(NumIOSepMode(itExp, dpsBoth), kSepModeBoth);
}

TEST(NumIOValueText, HugeValuesInDigitFormatsShowTheRangeEndInsteadOfFailing) {
  EXPECT_EQ(NumIOValueText(itHex, 2, 1e300), u"FFFFFFFF");
  EXPECT_EQ(NumIOValueText(itHex, 2, -1e300), u"80000000");
  EXPECT_EQ(NumIOValueText(itOct, 2, std::numeric_limits<double>::quiet_NaN()), u"00000000");
  EXPECT_EQ(NumIOValueText(itExp, 2, 1e150), u"************");
}

TEST(NumIOReadValue, AcceptsEitherSeparatorAndOpenEndings) {
  EXPECT_DOUBLE_EQ(NumIOReadValue(u"1,5", itFloat), 1.5);
  EXPECT_DOUBLE_EQ(NumIOReadValue(u"1.5", itFloat), 1.5);
  EXPECT_DOUBLE_EQ(NumIOReadValue(u"3.", itFixPoint), 3);
  EXPECT_DOUBLE_EQ(NumIOReadValue(u" 1.23450E+03", itExp), 1234.5);
  EXPECT_DOUBLE_EQ(NumIOReadValue(u"1e", itExp), 1);
  EXPECT_DOUBLE_EQ(NumIOReadValue(u"000000FF", itHex), 255);
  EXPECT_DOUBLE_EQ(NumIOReadValue(u"&17", itDynamic), 15);
  EXPECT_EQ(NumIOReadValue(u"", itExp), 0);
  EXPECT_EQ(NumIOReadValue(u"abc", itInt), 0);
  EXPECT_EQ(NumIOReadValue(u"************", itExp), 0);
}

TNumIOEdit Edit(const String& Text, int SelStart, const String& OldText, TInFormat Format, double Low, double High) {
  TNumIOEdit E;
  E.Text = Text;
  E.SelStart = SelStart;
  E.OldText = OldText;
  E.InFormat = Format;
  E.DecPSep = dpsPoint;
  E.RangeLow = Low;
  E.RangeHigh = High;
  return E;
}

TEST(CheckNumIOEdit, RefusalPutsTheCaretOneLeftWithinTheRestoredText) {
  TNumIOVerdict V = CheckNumIOEdit(Edit(u"", 0, u"5", itInt, -100, 100));
  EXPECT_FALSE(V.Accepted);
  EXPECT_EQ(V.NewText, u"5");
  EXPECT_EQ(V.NewSelStart, 0);

  V = CheckNumIOEdit(Edit(u"12345x", 6, u"12", itInt, -1e9, 1e9));
  EXPECT_EQ(V.NewText, u"12");
  EXPECT_EQ(V.NewSelStart, 2);  // clamped to the restored text
}

TEST(CheckNumIOEdit, FixedPointTextIsReformattedAndRemembered) {
  TNumIOEdit E = Edit(u"1", 1, u"", itFixPoint, -1e9, 1e9);
  TNumIOVerdict V = CheckNumIOEdit(E);
  EXPECT_TRUE(V.Accepted);
  EXPECT_TRUE(V.Replace);
  EXPECT_EQ(V.NewText, u"1.00");
  EXPECT_EQ(V.NewSelStart, 1);
  // What the box shows is what a later refusal restores.
  EXPECT_EQ(V.NewOldText, u"1.00");

  V = CheckNumIOEdit(Edit(u"12.009", 6, u"12.00", itFixPoint, -1e9, 1e9));
  EXPECT_EQ(V.NewText, u"12.01");
  EXPECT_EQ(V.NewOldText, u"12.01");
  EXPECT_EQ(V.NewSelStart, 5);

  V = CheckNumIOEdit(Edit(u"12..00", 3, u"12.00", itFixPoint, -1e9, 1e9));
  EXPECT_FALSE(V.Accepted);
  EXPECT_EQ(V.NewText, u"12.00");
  EXPECT_EQ(V.NewSelStart, 2);

  E = Edit(u"1", 1, u"", itFixPoint, -1e9, 1e9);
  E.FixPDecPl = 5;
  EXPECT_EQ(CheckNumIOEdit(E).NewText, u"1.00000");
}

}  // namespace
}  // namespace orv

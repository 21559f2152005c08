// Syntax checks of partly typed text and the separator mode mappings.
#include <gtest/gtest.h>

#include "framework/rtl/sysutils.h"
#include "framework/rtl/unicode.h"
#include "numio/numio.h"

namespace orv {
namespace {

struct SyntaxCase {
  const char16_t* Text;
  bool Accepted;
};

template <class Check>
void ExpectSyntax(const SyntaxCase& C, Check Run) {
  SCOPED_TRACE(ToUtf8(C.Text));
  EXPECT_EQ(Run(C.Text), C.Accepted);
}

// Restores the locale's decimal separator after a test changed it.
class SeparatorGuard {
 public:
  explicit SeparatorGuard(Char Sep) : FSaved(FormatSettings.DecimalSeparator) { FormatSettings.DecimalSeparator = Sep; }
  ~SeparatorGuard() { FormatSettings.DecimalSeparator = FSaved; }
  SeparatorGuard(const SeparatorGuard&) = delete;
  SeparatorGuard& operator=(const SeparatorGuard&) = delete;

 private:
  Char FSaved;
};

TEST(SeparatorModes, FixedChoicesAndTheLocale) {
  for (auto Map : {ScanSepMode, CheckSepMode}) {
    EXPECT_EQ(Map(dpsPoint), 1);
    EXPECT_EQ(Map(dpsComma), 2);
    EXPECT_EQ(Map(dpsBoth), 3);
  }
  {
    SeparatorGuard Guard(u'.');
    EXPECT_EQ(ScanSepMode(dpsSystem), 1);
    EXPECT_EQ(CheckSepMode(dpsSystem), 1);
  }
  {
    SeparatorGuard Guard(u',');
    EXPECT_EQ(ScanSepMode(dpsSystem), 2);
    EXPECT_EQ(CheckSepMode(dpsSystem), 2);
    EXPECT_TRUE(CheckFixedSyntax(u"1,5", dpsSystem));
    EXPECT_FALSE(CheckFixedSyntax(u"1.5", dpsSystem));
  }
  {
    // A separator that is neither: the two mappings differ, as the callers expect.
    SeparatorGuard Guard(u'\'');
    EXPECT_EQ(ScanSepMode(dpsSystem), 1);
    EXPECT_EQ(CheckSepMode(dpsSystem), 2);
  }
}

TEST(CheckFloatSyntax, NumberMustEndCleanlyFromTheFirstCharacter) {
  const SyntaxCase Cases[] = {
      {u"", false},     {u"12", true},     {u"12-", true},    {u"1E", true},    {u"1e-", true},
      {u"1.2.3", false}, {u"-", false},    {u"+", false},     {u".", true},     {u"5.", true},
      {u"-.", true},    {u" 1", true},     {u" ", false},     {u"E5", false},   {u"1e 5", false},
      {u"1e+-5", false}, {u"+-1", false},  {u"..", false},    {u"1 x", true},   {u"x1", false},
      {u"1E4200", true}, {u"1E4201", false}, {u"1E-5000", false}, {u"1e00004200", true},
  };
  for (const SyntaxCase& C : Cases) {
    ExpectSyntax(C, [](std::u16string_view T) { return CheckFloatSyntax(T, true, dpsPoint); });
  }
}

TEST(CheckFloatSyntax, WithoutExponentAndWithOtherSeparators) {
  EXPECT_TRUE(CheckFloatSyntax(u"2E5", false, dpsPoint));  // ends at "E"
  EXPECT_FALSE(CheckFloatSyntax(u"E", false, dpsPoint));
  EXPECT_TRUE(CheckFloatSyntax(u"1,5", false, dpsComma));
  EXPECT_FALSE(CheckFloatSyntax(u",", false, dpsPoint));
  EXPECT_TRUE(CheckFloatSyntax(u",", false, dpsBoth));
  EXPECT_FALSE(CheckFloatSyntax(u"1.5,3", true, dpsBoth));
  EXPECT_FALSE(CheckFloatSyntax(u"1,5,3", true, dpsComma));
}

TEST(CheckFixedSyntax, SignDigitsSeparatorDigits) {
  const SyntaxCase Cases[] = {
      {u"", false},     {u"-", true},     {u"+", true},      {u".", true},     {u"5.", true},
      {u"12.34", true}, {u"-.5", true},   {u"+12", true},    {u"1.2.3", false}, {u"1 2", false},
      {u" 1", false},   {u"1E5", false},  {u"+-1", false},   {u"1-", false},   {u".-", false},
      {u"1,5", false},  {u"-1.", true},
  };
  for (const SyntaxCase& C : Cases) {
    ExpectSyntax(C, [](std::u16string_view T) { return CheckFixedSyntax(T, dpsPoint); });
  }
  EXPECT_TRUE(CheckFixedSyntax(u"1,5", dpsComma));
  EXPECT_FALSE(CheckFixedSyntax(u"1.5", dpsComma));
  EXPECT_TRUE(CheckFixedSyntax(u"1,5", dpsBoth));
  EXPECT_TRUE(CheckFixedSyntax(u"1.5", dpsBoth));
  EXPECT_FALSE(CheckFixedSyntax(u"1.5,", dpsBoth));
}

TEST(CheckIntSyntax, OptionalSignThenDigits) {
  const SyntaxCase Cases[] = {
      {u"", false},  {u"5", true},   {u"-", false},  {u"+", false}, {u"-5", true},   {u"+5", true},
      {u"5-", false}, {u"1a", false}, {u"--5", false}, {u" 5", false}, {u"0123", true}, {u"1.0", false},
  };
  for (const SyntaxCase& C : Cases) ExpectSyntax(C, CheckIntSyntax);
}

TEST(CheckRadixSyntax, EveryCharacterADigitOfTheRadix) {
  const SyntaxCase Hex[] = {{u"", false}, {u"09afAF", true}, {u"$ff", false}, {u"g", false}, {u"-1", false}};
  for (const SyntaxCase& C : Hex) ExpectSyntax(C, CheckHexSyntax);
  const SyntaxCase Oct[] = {{u"", false}, {u"01234567", true}, {u"8", false}, {u"7a", false}};
  for (const SyntaxCase& C : Oct) ExpectSyntax(C, CheckOctSyntax);
  const SyntaxCase Bin[] = {{u"", false}, {u"0101", true}, {u"2", false}, {u"1 ", false}};
  for (const SyntaxCase& C : Bin) ExpectSyntax(C, CheckBinSyntax);
}

}  // namespace
}  // namespace orv

// TNumIO driven as a user and a host program drive it: typing in every input
// format with refusals and beeps, separators, ranges, Value, Assign, loading
// and the way the row editor of the report list sets it up.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/beep.h"
#include "framework/controls/edit.h"
#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/sysutils.h"
#include "framework/rtl/unicode.h"
#include "numio/numioedit.h"

namespace orv {
namespace {

// Exposes the protected parts a test needs to reach.
class TNumIOProbe : public TNumIO {
 public:
  using TNumIO::TNumIO;
  using TNumIO::AssignTo;
  using TNumIO::ConvertNumString;
  const String& OldText() const { return FOldText; }
};

struct NumIOFixture : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TNumIOProbe* N = nullptr;
  TEdit* Other = nullptr;
  int Changes = 0;
  std::vector<String> ChangeTexts;

  void SetUp() override {
    Form->SetBounds(0, 0, 300, 120);
    N = new TNumIOProbe(Form.get());
    N->SetParent(Form.get());
    N->SetBounds(10, 10, 150, 24);
    Other = new TEdit(Form.get());
    Other->SetParent(Form.get());
    Other->SetBounds(10, 50, 150, 24);
    N->SetRangeLow(-1e9);
    N->SetRangeHigh(1e9);
    N->SetBeep(true);
    N->SetOnChange([this](TObject*) {
      ++Changes;
      ChangeTexts.push_back(N->Text());
    });
    Form->Show();
    N->SetFocus();
    sim::ClearBeepLog();
  }

  void Type(const String& S) { sim::TypeText(N, S); }
  // Re-checking the empty box under a new format refuses it (and beeps);
  // tests that count beeps start after that.
  void UseFormat(TInFormat F) {
    N->SetInputFormat(F);
    sim::ClearBeepLog();
  }
  void Key(uint16_t K, TShiftState S = {}) {
    sim::KeyDown(N, K, S);
    sim::KeyUp(N, K, S);
  }
  void Backspace() { sim::TypeText(N, u"\b"); }
  size_t Beeps() const { return sim::BeepLog().size(); }
  // Replaces the whole text as a user would: select all, type.
  void Retype(const String& S) {
    N->SelectAll();
    Type(S);
  }
};

// --- Defaults and the designer -----------------------------------------------------

TEST(NumIODefaults, RunTimeBoxStartsEmptyWithTheZeroRange) {
  TNumIO N(nullptr);
  EXPECT_EQ(N.InputFormat(), itDynamic);
  EXPECT_EQ(N.FixPointDecPlaces(), 2);
  EXPECT_EQ(N.RangeLow(), 0);
  EXPECT_EQ(N.RangeHigh(), 0);
  EXPECT_EQ(N.DecPlaceSep(), dpsSystem);
  EXPECT_FALSE(N.Beep());
  EXPECT_EQ(N.Text(), u"");
  EXPECT_EQ(N.Value(), 0);
}

TEST(NumIODefaults, DesignerBoxTakesAnyValueAndChecksNothing) {
  TForm Form(nullptr);
  Form.SetDesigning(true);
  TNumIO* N = new TNumIO(&Form);
  EXPECT_EQ(N->RangeLow(), -uc_MaxDouble);
  EXPECT_EQ(N->RangeHigh(), uc_MaxDouble);
  N->SetInputFormat(itInt);
  N->SetText(u"not a number");
  EXPECT_EQ(N->Text(), u"not a number");
}

TEST_F(NumIOFixture, ZeroRangeOfACodeCreatedBoxAcceptsOnlyZero) {
  N->SetRangeLow(0);
  N->SetRangeHigh(0);
  EXPECT_EQ(N->RangeLow(), 0);
  EXPECT_EQ(N->RangeHigh(), 0);
  sim::ClearBeepLog();
  Type(u"5");
  EXPECT_EQ(N->Text(), u"");
  EXPECT_EQ(Beeps(), 1u);
  Type(u"0");
  EXPECT_EQ(N->Text(), u"0");
}

// --- Typing in each input format -----------------------------------------------------

TEST_F(NumIOFixture, IntegerFormatRefusesLettersSignsAloneAndPoints) {
  UseFormat(itInt);
  Type(u"12a");
  EXPECT_EQ(N->Text(), u"12");
  EXPECT_EQ(N->SelStart(), 2);
  ASSERT_EQ(Beeps(), 1u);
  EXPECT_EQ(sim::BeepLog()[0], 0u);
  EXPECT_EQ(Changes, 2);  // only the accepted keystrokes report a change

  Retype(u"-");
  EXPECT_EQ(N->Text(), u"12");
  Key(VK_END);
  Type(u".5");
  EXPECT_EQ(N->Text(), u"125");
  EXPECT_EQ(Beeps(), 3u);
  Key(VK_HOME);
  Type(u"-");
  EXPECT_EQ(N->Text(), u"-125");
  EXPECT_EQ(N->Value(), -125);
}

TEST_F(NumIOFixture, DeletingTheWholeTextBringsItBack) {
  UseFormat(itInt);
  Type(u"47");
  Backspace();
  EXPECT_EQ(N->Text(), u"4");
  Backspace();
  EXPECT_EQ(N->Text(), u"4");
  EXPECT_EQ(N->SelStart(), 0);
  EXPECT_EQ(Beeps(), 1u);
  // Cutting everything at once is refused the same way.
  N->SelectAll();
  Key(VK_DELETE);
  EXPECT_EQ(N->Text(), u"4");
}

TEST_F(NumIOFixture, RefusalStepsTheCaretBackFromAnInnerPosition) {
  UseFormat(itInt);
  Type(u"1234");
  Key(VK_LEFT);
  Key(VK_LEFT);
  Type(u"x");
  EXPECT_EQ(N->Text(), u"1234");
  EXPECT_EQ(N->SelStart(), 2);  // "12x|34" minus one
  Type(u"9");
  EXPECT_EQ(N->Text(), u"12934");
}

TEST_F(NumIOFixture, InnerBlankIsRefusedInEveryFormat) {
  for (TInFormat F : {itExp, itFloat, itInt, itHex, itDynamic}) {
    N->SetInputFormat(F);
    N->SetText(u"12");
    Key(VK_END);
    Key(VK_LEFT);
    Type(u" ");
    EXPECT_EQ(N->Text(), u"12") << "format " << int(F);
  }
}

TEST_F(NumIOFixture, DynamicFormatReadsRadixPrefixesAndExponents) {
  N->SetInputFormat(itDynamic);
  struct {
    const char16_t* Typed;
    double Value;
  } const Cases[] = {{u"$1F", 31}, {u"%101", 5}, {u"&17", 15}, {u"1e3", 1000}, {u"1e", 1}, {u"1e-", 1}, {u"-2.5E-1", -0.25}};
  for (const auto& C : Cases) {
    Retype(C.Typed);
    EXPECT_EQ(N->Text(), C.Typed);
    EXPECT_DOUBLE_EQ(N->Value(), C.Value) << ToUtf8(C.Typed);
  }
  EXPECT_EQ(Beeps(), 0u);
  Retype(u"%12");
  EXPECT_EQ(N->Text(), u"%1");
  Retype(u"&78");
  EXPECT_EQ(N->Text(), u"&7");
  Retype(u"$fg");
  EXPECT_EQ(N->Text(), u"$f");
  Retype(u"1e5e");
  EXPECT_EQ(N->Text(), u"1e5");
  EXPECT_EQ(Beeps(), 4u);
}

TEST_F(NumIOFixture, DigitFormatsTakeOnlyTheirDigits) {
  UseFormat(itHex);
  Type(u"fFg9");
  EXPECT_EQ(N->Text(), u"fF9");
  EXPECT_EQ(N->Value(), 0xFF9);
  N->SetInputFormat(itOct);
  EXPECT_EQ(N->Text(), u"");  // "fF9" is no octal text
  Type(u"780");
  EXPECT_EQ(N->Text(), u"70");
  EXPECT_EQ(N->Value(), 56);
  N->SetInputFormat(itBin);
  EXPECT_EQ(N->Text(), u"");
  Type(u"1021");
  EXPECT_EQ(N->Text(), u"101");
  EXPECT_EQ(N->Value(), 5);
}

TEST_F(NumIOFixture, PastedIntegerBeyondTheFormatsTypeIsRefused) {
  N->SetRangeLow(0);
  N->SetRangeHigh(255);
  const struct {
    TInFormat Format;
    const char16_t* Kept;
    const char16_t* Pasted;
  } Cases[] = {
      {itInt, u"7", u"4294967297"}, {itInt, u"7", u"4294967338"}, {itHex, u"A", u"1000000FF"},
      {itOct, u"7", u"40000000001"}, {itBin, u"1", u"100000000000000000000000000000001"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(ToUtf8(C.Pasted));
    UseFormat(C.Format);
    Retype(C.Kept);
    sim::ClearBeepLog();
    const double Kept = N->Value();
    N->SelectAll();
    N->SetSelText(C.Pasted);
    EXPECT_EQ(N->Text(), C.Kept);
    EXPECT_EQ(N->Value(), Kept);
    EXPECT_EQ(Beeps(), 1u);
  }
}

TEST_F(NumIOFixture, ExponentAndFloatFormatsDifferOnlyInTheExponent) {
  UseFormat(itExp);
  Type(u"-1.5e+2");
  EXPECT_EQ(N->Text(), u"-1.5e+2");
  EXPECT_EQ(N->Value(), -150);
  Type(u".");
  EXPECT_EQ(N->Text(), u"-1.5e+2");
  N->SetInputFormat(itFloat);
  EXPECT_EQ(N->Text(), u"");
  Type(u"-1.5e");
  EXPECT_EQ(N->Text(), u"-1.5");
  Type(u".");
  EXPECT_EQ(N->Text(), u"-1.5");
  EXPECT_EQ(Beeps(), 4u);  // ".", the format change, "e", "."
}

TEST_F(NumIOFixture, FixedPointShowsItsPlacesWhileTyping) {
  UseFormat(itFixPoint);
  Type(u"1");
  EXPECT_EQ(N->Text(), u"1.00");
  EXPECT_EQ(N->SelStart(), 1);
  Type(u"2");
  EXPECT_EQ(N->Text(), u"12.00");
  // A second point is refused; the caret steps back.
  Type(u".");
  EXPECT_EQ(N->Text(), u"12.00");
  EXPECT_EQ(N->SelStart(), 2);
  EXPECT_EQ(Beeps(), 1u);
  // Digits typed after the point overwrite the places.
  Key(VK_RIGHT);
  Type(u"5");
  EXPECT_EQ(N->Text(), u"12.50");
  EXPECT_EQ(N->SelStart(), 4);
  EXPECT_EQ(N->Value(), 12.5);
  EXPECT_EQ(ChangeTexts.back(), u"12.50");  // the handler sees the shown text

  N->SetFixPointDecPlaces(0);
  EXPECT_EQ(N->FixPointDecPlaces(), 1);
  N->SetFixPointDecPlaces(12);
  EXPECT_EQ(N->FixPointDecPlaces(), 8);
  EXPECT_EQ(N->Text(), u"12.50");  // no re-check
}

TEST_F(NumIOFixture, FixedPointRefusalRestoresTheShownText) {
  N->SetInputFormat(itFixPoint);
  N->SetRangeLow(0);
  N->SetRangeHigh(10);
  Type(u"5");
  EXPECT_EQ(N->Text(), u"5.00");
  Key(VK_HOME);
  Type(u"9");  // 95.00 is out of range
  EXPECT_EQ(N->Text(), u"5.00");
  EXPECT_EQ(N->Value(), 5);
}

// --- Separators -------------------------------------------------------------------------

TEST_F(NumIOFixture, SeparatorChoiceDecidesWhichKeyIsThePoint) {
  N->SetInputFormat(itFloat);
  N->SetDecPlaceSep(dpsComma);
  Type(u"1,5");
  EXPECT_EQ(N->Text(), u"1,5");
  EXPECT_DOUBLE_EQ(N->Value(), 1.5);
  Retype(u"2.");
  EXPECT_EQ(N->Text(), u"2");

  N->SetDecPlaceSep(dpsPoint);
  EXPECT_EQ(N->Text(), u"2");  // still a number, kept
  Type(u",");
  EXPECT_EQ(N->Text(), u"2");
  Type(u".25");
  EXPECT_DOUBLE_EQ(N->Value(), 2.25);

  N->SetDecPlaceSep(dpsBoth);
  Retype(u"3,75");
  EXPECT_DOUBLE_EQ(N->Value(), 3.75);
  Retype(u"4.75");
  EXPECT_DOUBLE_EQ(N->Value(), 4.75);
}

// Sets the locale's decimal separator for one test.
struct TSeparatorGuard {
  explicit TSeparatorGuard(Char Sep) { FormatSettings.DecimalSeparator = Sep; }
  ~TSeparatorGuard() { FormatSettings.DecimalSeparator = Saved; }
  void Restore() const { FormatSettings.DecimalSeparator = Saved; }
  TSeparatorGuard(const TSeparatorGuard&) = delete;
  TSeparatorGuard& operator=(const TSeparatorGuard&) = delete;
  const Char Saved = FormatSettings.DecimalSeparator;
};

TEST_F(NumIOFixture, SystemSeparatorFollowsTheLocale) {
  const TSeparatorGuard Comma(u',');
  N->SetInputFormat(itExp);
  Type(u"1.");
  EXPECT_EQ(N->Text(), u"1");
  Retype(u"1,5e1");
  EXPECT_DOUBLE_EQ(N->Value(), 15);
  Comma.Restore();
  N->SetDecPlaceSep(dpsPoint);  // re-check under the point: "1,5e1" goes
  EXPECT_EQ(N->Text(), u"");
}

TEST_F(NumIOFixture, ChangingASettingRefusesATextThatNoLongerFits) {
  N->SetInputFormat(itFloat);
  N->SetDecPlaceSep(dpsComma);
  Type(u"1,5");
  EXPECT_EQ(N->Text(), u"1,5");
  sim::ClearBeepLog();
  Changes = 0;
  N->SetDecPlaceSep(dpsPoint);
  EXPECT_EQ(N->Text(), u"");
  EXPECT_EQ(Beeps(), 1u);
  EXPECT_EQ(Changes, 0);
  // Setting the same value again checks nothing.
  N->SetDecPlaceSep(dpsPoint);
  N->SetInputFormat(itFloat);
  EXPECT_EQ(Beeps(), 1u);
}

// --- Range ---------------------------------------------------------------------------

TEST_F(NumIOFixture, RangeRefusesValuesOutsideButAlwaysLetsZeroIn) {
  N->SetRangeLow(5);
  N->SetRangeHigh(10);
  UseFormat(itInt);
  Type(u"7");
  EXPECT_EQ(N->Text(), u"7");
  Type(u"0");
  EXPECT_EQ(N->Text(), u"7");
  EXPECT_EQ(Beeps(), 1u);
  Retype(u"0");
  EXPECT_EQ(N->Text(), u"0");
  // Typed from the left "10" would pass through the refused "1".
  N->SetText(u"10");
  EXPECT_EQ(N->Text(), u"10");  // bounds included
  Retype(u"4");
  EXPECT_EQ(N->Text(), u"10");
  N->SetInputFormat(itExp);
  Retype(u"0.");  // partial input worth 0 passes any range
  EXPECT_EQ(N->Text(), u"0.");
}

TEST_F(NumIOFixture, RangeBoundsSetPastEachOtherSwapPlaces) {
  N->SetRangeLow(0);
  N->SetRangeHigh(10);
  N->SetRangeLow(20);
  EXPECT_EQ(N->RangeLow(), 10);
  EXPECT_EQ(N->RangeHigh(), 20);
  N->SetRangeHigh(5);
  EXPECT_EQ(N->RangeLow(), 5);
  EXPECT_EQ(N->RangeHigh(), 10);
  N->SetRangeLow(10);  // equal to the high bound: moves above it
  EXPECT_EQ(N->RangeLow(), 10);
  EXPECT_EQ(N->RangeHigh(), 10);
  N->SetRangeHigh(10);
  EXPECT_EQ(N->RangeLow(), 10);
  EXPECT_EQ(N->RangeHigh(), 10);
}

TEST_F(NumIOFixture, NarrowingTheRangeClearsATextOutsideIt) {
  UseFormat(itInt);
  Type(u"50");
  N->SetRangeHigh(100);
  EXPECT_EQ(N->Text(), u"50");
  sim::ClearBeepLog();
  N->SetRangeHigh(20);
  EXPECT_EQ(N->Text(), u"");
  EXPECT_EQ(Beeps(), 1u);
  N->SetBeep(false);
  Type(u"99");
  EXPECT_EQ(N->Text(), u"9");
  EXPECT_EQ(Beeps(), 1u);  // silent without Beep
}

// --- Value ---------------------------------------------------------------------------------

TEST_F(NumIOFixture, ValueIsShownInTheNotationOfTheFormat) {
  struct {
    TInFormat Format;
    double X;
    const char16_t* Shown;
  } const Cases[] = {{itExp, 1234.5, u" 1.23450E+03"}, {itDynamic, -0.001, u"-1.00000E-03"},
                     {itInt, 1234.4, u"1234"},         {itHex, 255, u"000000FF"},
                     {itOct, 9, u"00000011"},          {itBin, 6.5, u"00000110"},
                     {itFloat, 2.5, u"2.50000000"},    {itFixPoint, 3.14159, u"3.14"}};
  for (const auto& C : Cases) {
    N->SetInputFormat(C.Format);
    Changes = 0;
    N->SetValue(C.X);
    EXPECT_EQ(N->Text(), C.Shown) << "format " << int(C.Format);
    EXPECT_EQ(Changes, 0);
  }
  N->SetInputFormat(itExp);
  N->SetValue(1234.5);
  EXPECT_DOUBLE_EQ(N->Value(), 1234.5);
}

TEST_F(NumIOFixture, ValueIsWrittenWithoutARangeCheck) {
  N->SetRangeLow(0);
  N->SetRangeHigh(10);
  UseFormat(itInt);
  N->SetValue(50);
  EXPECT_EQ(N->Text(), u"50");
  EXPECT_EQ(N->Value(), 50);
  EXPECT_EQ(Beeps(), 0u);
}

TEST_F(NumIOFixture, RefusedKeystrokeAfterAValueWriteKeepsThatValue) {
  UseFormat(itInt);
  Type(u"3");
  N->SetValue(1234);
  Key(VK_END);
  Type(u"x");
  EXPECT_EQ(N->Text(), u"1234");
  EXPECT_EQ(N->OldText(), u"1234");
  // Writing the same text twice must not swallow the next user change.
  N->SetValue(1234);
  N->SetValue(1234);
  Key(VK_END);
  Changes = 0;
  Type(u"5");
  EXPECT_EQ(N->Text(), u"12345");
  EXPECT_EQ(Changes, 1);
}

TEST_F(NumIOFixture, ValueReadsEitherSeparatorAndZeroForOtherText) {
  UseFormat(itFloat);
  N->SetDecPlaceSep(dpsComma);
  Type(u"7,");
  EXPECT_EQ(N->Text(), u"7,");
  EXPECT_DOUBLE_EQ(N->Value(), 7);
  Type(u"25");
  EXPECT_DOUBLE_EQ(N->Value(), 7.25);
  N->SetInputFormat(itHex);  // "7,25" is no hexadecimal text: the box empties
  EXPECT_EQ(N->Text(), u"");
  EXPECT_EQ(N->Value(), 0);
}

TEST_F(NumIOFixture, ConvertNumStringFollowsTheCurrentFormat) {
  double V = -1;
  N->SetInputFormat(itHex);
  EXPECT_TRUE(N->ConvertNumString(u"ff", V));
  EXPECT_EQ(V, 255);
  V = -1;
  EXPECT_FALSE(N->ConvertNumString(u"", V));
  EXPECT_EQ(V, -1);
  N->SetInputFormat(itInt);
  EXPECT_FALSE(N->ConvertNumString(u"ff", V));
}

// --- Assign ---------------------------------------------------------------------------

TEST_F(NumIOFixture, AssignCopiesFormatRangeSeparatorAndBeepOnly) {
  TNumIOProbe Src(nullptr);
  Src.SetInputFormat(itHex);
  Src.SetRangeHigh(100);
  Src.SetRangeLow(5);
  Src.SetDecPlaceSep(dpsComma);
  Src.SetFixPointDecPlaces(6);
  Src.SetText(u"1F");

  TNumIO Dst(nullptr);  // starts at the range 0..0
  Dst.Assign(&Src);
  EXPECT_EQ(Dst.InputFormat(), itHex);
  EXPECT_EQ(Dst.RangeLow(), 5);  // not merged with the old range
  EXPECT_EQ(Dst.RangeHigh(), 100);
  EXPECT_EQ(Dst.DecPlaceSep(), dpsComma);
  EXPECT_FALSE(Dst.Beep());
  EXPECT_EQ(Dst.FixPointDecPlaces(), 2);
  EXPECT_EQ(Dst.Text(), u"");

  N->Assign(&Src);
  EXPECT_FALSE(N->Beep());
  Src.SetBeep(true);
  N->Assign(&Src);
  EXPECT_TRUE(N->Beep());
}

TEST_F(NumIOFixture, AssignRechecksTheTextAgainstTheCopiedSettings) {
  UseFormat(itInt);
  Type(u"12");
  TNumIO Src(nullptr);
  Src.SetInputFormat(itBin);
  N->Assign(&Src);
  EXPECT_EQ(N->Text(), u"");
}

TEST_F(NumIOFixture, AssignToHandsOverToATargetBoxAndRefusesOtherClasses) {
  N->SetInputFormat(itOct);
  N->SetRangeLow(-3);
  TNumIO Target(nullptr);
  N->AssignTo(&Target);
  EXPECT_EQ(Target.InputFormat(), itOct);
  EXPECT_EQ(Target.RangeLow(), -3);

  TEdit Plain(nullptr);
  EXPECT_THROW(N->Assign(&Plain), EConvertError);
  EXPECT_THROW(Plain.Assign(N), EConvertError);
}

// --- Loading ---------------------------------------------------------------------------

TEST(NumIOLoading, StreamedTextIsCheckedOnceEverythingIsLoaded) {
  TNumIO N(nullptr);
  N.BeginLoading();
  N.SetText(u"15");  // the range is still 0..0 here
  N.SetInputFormat(itInt);
  N.SetRangeHigh(20);
  EXPECT_EQ(N.Text(), u"15");
  N.Loaded();
  EXPECT_EQ(N.Text(), u"15");

  TNumIO Bad(nullptr);
  Bad.BeginLoading();
  Bad.SetText(u"15");
  Bad.SetInputFormat(itBin);
  Bad.Loaded();
  EXPECT_EQ(Bad.Text(), u"");
}

// --- Events and the edit around it ------------------------------------------------------

TEST_F(NumIOFixture, KeyEventsSeeEveryKeyAndCanCancelOne) {
  UseFormat(itInt);
  std::u16string Seen;
  N->SetOnKeyPress([&Seen](TObject*, Char& K) {
    Seen += K;
    if (K == u'9') K = 0;
  });
  Type(u"1x92");
  EXPECT_EQ(Seen, u"1x92");
  EXPECT_EQ(N->Text(), u"12");
  EXPECT_EQ(Beeps(), 1u);  // only "x" reached the text and was refused
}

TEST_F(NumIOFixture, LeavingTheBoxKeepsItsTextAndFiresExit) {
  UseFormat(itExp);
  int Exits = 0;
  N->SetOnExit([&Exits](TObject*) { ++Exits; });
  Type(u"1e");
  Other->SetFocus();
  EXPECT_EQ(Exits, 1);
  EXPECT_EQ(N->Text(), u"1e");
  EXPECT_EQ(N->Value(), 1);
  EXPECT_EQ(Beeps(), 0u);
}

TEST_F(NumIOFixture, ReadOnlyBoxIgnoresTyping) {
  UseFormat(itInt);
  Type(u"4");
  N->SetReadOnly(true);
  Type(u"5x");
  EXPECT_EQ(N->Text(), u"4");
  EXPECT_EQ(Beeps(), 0u);
}

// --- The host interface of the report list's row editor ------------------------------------

TEST(NumIOHost, RowEditorSetUpEditAndReadBack) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 400, 200);
  TNumIO* N = new TNumIO(&Form);
  N->SetParent(&Form);
  N->SetTag(3);
  N->SetLeft(80);
  N->SetTop(50);
  N->SetWidth(60);
  N->SetName(u"runtime_rlre_NumIO3");
  N->SetRangeLow(-1.7e308);
  N->SetRangeHigh(1.7e308);
  EXPECT_EQ(N->RangeLow(), -1.7e308);
  EXPECT_EQ(N->RangeHigh(), 1.7e308);
  N->SetInputFormat(itHex);
  N->SetText(u"1F");
  EXPECT_EQ(N->Text(), u"1F");
  int Closed = 0;
  N->SetOnKeyPress([&Closed](TObject*, Char& K) {
    if (K == u'\r') ++Closed;
  });
  Form.Show();
  N->SetFocus();
  sim::KeyDown(N, VK_END, {});
  sim::KeyUp(N, VK_END, {});
  sim::TypeText(N, u"a\r");
  EXPECT_EQ(Closed, 1);

  auto* Found = dynamic_cast<TNumIO*>(Form.FindComponent(u"runtime_rlre_NumIO3"));
  ASSERT_EQ(Found, N);
  EXPECT_EQ(Found->Tag(), 3);
  EXPECT_EQ(Found->Text(), u"1Fa");
  EXPECT_EQ(Found->Value(), 0x1FA);
  delete Found;
  EXPECT_EQ(Form.FindComponent(u"runtime_rlre_NumIO3"), nullptr);
}

TEST(NumIOHost, CellTextThatIsNoNumberIsNotTaken) {
  TNumIO N(nullptr);
  N.SetRangeLow(-1.7e308);
  N.SetRangeHigh(1.7e308);
  N.SetInputFormat(itInt);
  N.SetText(u"12");
  N.SetText(u"twelve");
  EXPECT_EQ(N.Text(), u"12");
}

}  // namespace
}  // namespace orv

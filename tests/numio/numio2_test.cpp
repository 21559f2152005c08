// TNumIO2 driven as a user drives it: typing through orv::sim with refusals,
// the fixed-point overwrite, clipboard keys, spin buttons with and without
// pivots, gauge clicks and drags, the caret timer in virtual time, value
// conversion per format, and pixels at the places the layout defines.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "framework/controls/application.h"
#include "framework/controls/beep.h"
#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/clipboard.h"
#include "framework/rtl/unicode.h"
#include "numio/int32text.h"
#include "numio/numio2.h"

namespace orv {
namespace {

constexpr TColor kGray = 0x808080;

struct NumIO2Test : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TNumIO2* N = nullptr;
  int Changes = 0;

  void SetUp() override {
    sim::SetTimerFailure(false);
    Form->SetBounds(0, 0, 300, 120);
    N = new TNumIO2(Form.get());
    N->SetName(u"Num");
    N->SetParent(Form.get());
    N->SetLeft(10);
    N->SetTop(10);
    N->SetBeep(true);
    N->SetOnChange([this](TObject* Sender) {
      EXPECT_EQ(Sender, N);
      ++Changes;
    });
    Form->Show();
    N->SetFocus();
    sim::ClearBeepLog();
  }
  void TearDown() override { sim::SetTimerFailure(false); }

  void Type(const String& S) { sim::TypeText(N, S); }
  void Key(uint16_t K, TShiftState Shift = {}) {
    sim::KeyDown(N, K, Shift);
    sim::KeyUp(N, K, Shift);
  }
  size_t Beeps() const { return sim::BeepLog().size(); }
  // The field rendered alone, top-left at (0, 0).
  std::unique_ptr<TBitmap> Render() {
    auto Bmp = std::make_unique<TBitmap>(N->Width(), N->Height());
    N->PaintTo(Bmp->Canvas(), 0, 0);
    return Bmp;
  }
  static bool AnyPixel(TBitmap* B, const TRect& R, TColor C) {
    for (int Y = R.Top; Y < R.Bottom; ++Y)
      for (int X = R.Left; X < R.Right; ++X)
        if (B->Canvas()->Pixels(X, Y) == C) return true;
    return false;
  }
};

// --- Layout and painting -------------------------------------------------------------

TEST_F(NumIO2Test, DefaultBoxIsALoweredBevelAtTheDocumentedPlaces) {
  EXPECT_EQ(N->Width(), 160);
  EXPECT_EQ(N->Height(), 28);
  auto B = Render();
  TCanvas* C = B->Canvas();
  EXPECT_EQ(C->Pixels(2, 14), ColorToRGB(clBtnFace));  // caption area
  EXPECT_EQ(C->Pixels(34, 14), ColorToRGB(clBtnFace));
  EXPECT_EQ(C->Pixels(35, 14), kGray);      // outline
  EXPECT_EQ(C->Pixels(60, 0), kGray);
  EXPECT_EQ(C->Pixels(36, 14), 0x000000u);  // inner bevel, left and top
  EXPECT_EQ(C->Pixels(60, 1), 0x000000u);
  EXPECT_EQ(C->Pixels(60, 27), 0xFFFFFFu);  // inner bevel, bottom and right
  EXPECT_EQ(C->Pixels(117, 14), 0xFFFFFFu);
  EXPECT_EQ(C->Pixels(118, 14), ColorToRGB(clBtnFace));
  EXPECT_EQ(C->Pixels(60, 20), 0xFFFFFFu);  // box inside
}

TEST_F(NumIO2Test, OutOfRangeValuePaintsWarningColoursButLimitsDoNot) {
  N->SetValue(1000);  // the upper limit itself
  auto B = Render();
  EXPECT_EQ(B->Canvas()->Pixels(40, 20), 0xFFFFFFu);
  EXPECT_FALSE(AnyPixel(B.get(), TRect{38, 2, 114, 25}, 0x0000FF));
  N->SetValue(1000.01);
  EXPECT_TRUE(N->OutOfRange());
  B = Render();
  EXPECT_EQ(B->Canvas()->Pixels(40, 20), 0x88FFF0u);
  EXPECT_TRUE(AnyPixel(B.get(), TRect{38, 2, 114, 25}, 0x0000FF));  // red value text
}

TEST_F(NumIO2Test, GaugeShortensTheBoxAndFillsByTheValue) {
  N->SetGaugeVisible(true);
  N->SetValue(500);
  auto B = Render();
  TCanvas* C = B->Canvas();
  // The box ends 12 pixels above the bottom: bevel row 15, nothing at 16.
  EXPECT_EQ(C->Pixels(60, 15), 0xFFFFFFu);
  EXPECT_EQ(C->Pixels(60, 16), ColorToRGB(clBtnFace));
  // Bar from x 35 to 35 + 41; the gauge background after it.
  EXPECT_EQ(C->Pixels(70, 23), 0x800000u);
  EXPECT_EQ(C->Pixels(90, 23), 0xC0C0C0u);
  N->SetRangeHigh(0);  // an empty range draws the gauge full
  EXPECT_EQ(N->RangeLow(), 0);
  B = Render();
  EXPECT_EQ(B->Canvas()->Pixels(110, 23), 0x800000u);
}

TEST_F(NumIO2Test, DisabledFieldIsSilverGrayAndEngraved) {
  N->SetButVisible(true);
  N->SetLeftText(u"Volt");
  N->SetValue(12);
  auto B = Render();
  // Up arrow tip at (bx + ButWidth div 2, ButHeight div 4 - 1) = (127, 6),
  // down arrow tip at y = 14 + 7.
  EXPECT_EQ(B->Canvas()->Pixels(127, 6), 0x000000u);
  EXPECT_EQ(B->Canvas()->Pixels(127, 21), 0x000000u);
  EXPECT_EQ(B->Canvas()->Pixels(129, 6), 0xC0C0C0u);  // line end not drawn
  N->SetEnabled(false);
  Application->AdvanceTime(500);  // the unfocused field hides its caret
  B = Render();
  EXPECT_EQ(B->Canvas()->Pixels(127, 6), kGray);
  EXPECT_EQ(B->Canvas()->Pixels(40, 20), 0xC0C0C0u);
  EXPECT_TRUE(AnyPixel(B.get(), TRect{0, 0, 35, 28}, 0xFFFFFF));  // engraved caption
  EXPECT_TRUE(AnyPixel(B.get(), TRect{0, 0, 35, 28}, kGray));
  EXPECT_FALSE(AnyPixel(B.get(), TRect{38, 2, 114, 25}, 0x000000));  // value text gray
}

TEST_F(NumIO2Test, SettersClampToTheControl) {
  N->SetHeight(5);
  EXPECT_EQ(N->Height(), 18);
  EXPECT_EQ(N->ButHeight(), 18);
  N->SetButWidth(100);
  EXPECT_EQ(N->ButWidth(), 50);
  N->SetLeftSpace(500);
  EXPECT_EQ(N->LeftSpace(), 160);
  N->SetLeftSpace(-1);
  EXPECT_EQ(N->LeftSpace(), 160);
  N->SetGaugeWidth(2);
  EXPECT_EQ(N->GaugeWidth(), 10);
}

// --- Typing ----------------------------------------------------------------------------

TEST_F(NumIO2Test, FloatFieldRefusesWhatIsNoNumber) {
  N->SetValue(3);
  EXPECT_EQ(N->Text(), u"3.00");
  Key(VK_END);
  Type(u"a");
  EXPECT_EQ(N->Text(), u"3.00");
  EXPECT_EQ(sim::BeepLog(), std::vector<uint32_t>{0xFFFF});
  EXPECT_EQ(Changes, 0);
  Type(u"5");
  EXPECT_EQ(N->Text(), u"3.005");
  EXPECT_EQ(Changes, 1);
  N->SetText(u"");
  Type(u"-");
  EXPECT_EQ(N->Text(), u"-");
  N->SetText(u"1x");  // invalid text is ignored
  EXPECT_EQ(N->Text(), u"-");
}

TEST_F(NumIO2Test, ExponentFieldFormatsAndAcceptsTextAfterTheNumber) {
  N->SetInputFormat(itExp);
  N->SetValue(0.000123);
  EXPECT_EQ(N->Text(), u" 1.23000E-04");
  N->SetText(u"");
  Type(u"1E5-");
  EXPECT_EQ(N->Text(), u"1E5-");
  EXPECT_DOUBLE_EQ(N->Value(), 1e5);
  // Exponents of three digits take the four-digit form, which reads back.
  N->SetValue(-2.5e150);
  EXPECT_EQ(N->Text(), u"-2.50000E+0150");
  EXPECT_DOUBLE_EQ(N->Value(), -2.5e150);
}

TEST_F(NumIO2Test, FixPointDigitsOverwriteDecimals) {
  N->SetInputFormat(itFixPoint);
  N->SetValue(1);
  ASSERT_EQ(N->Text(), u"1.00");
  Key(VK_RIGHT);
  Key(VK_RIGHT);  // just behind the "."
  EXPECT_EQ(N->SelBegin(), 2);
  EXPECT_EQ(N->SelEnd(), 3);
  Type(u"5");
  EXPECT_EQ(N->Text(), u"1.50");
  // A caret put there with the mouse has no selection: the first digit
  // would make three decimals and is refused, selecting the next one.
  N->SetSelBegin(2);
  N->SetSelEnd(2);
  Type(u"7");
  EXPECT_EQ(N->Text(), u"1.50");
  EXPECT_EQ(N->SelEnd(), 3);
  Type(u"7");
  EXPECT_EQ(N->Text(), u"1.70");
}

TEST_F(NumIO2Test, DynamicPrefixesAndShiftedDigits) {
  N->SetInputFormat(itDynamic);
  struct Row { const char16_t* Text; double Value; };
  for (const Row& R : {Row{u"$FF", 255}, Row{u"%1010", 10}, Row{u"&777", 511}, Row{u"1e3", 1000}}) {
    N->SetText(R.Text);
    EXPECT_EQ(N->Text(), R.Text);
    EXPECT_EQ(N->Value(), R.Value) << ToUtf8(R.Text);
  }
  N->SetText(u"");
  Type(u"$");  // Shift+4 types "$", but a lone prefix is no number
  EXPECT_EQ(N->Text(), u"");
  EXPECT_EQ(Beeps(), 1u);
  Type(u"1F");
  Key(VK_HOME);
  sim::KeyDown(N, '4', TShiftState{ssShift});
  EXPECT_EQ(N->Text(), u"$1F");
  EXPECT_EQ(N->Value(), 31);
}

TEST_F(NumIO2Test, IntegerFormatsRefuseNumbersBeyond32Bits) {
  N->SetInputFormat(itInt);
  N->SetText(u"");
  Type(u"2147483647");
  Type(u"0");
  EXPECT_EQ(N->Text(), u"2147483647");
  N->SetText(u"-2147483648");
  EXPECT_EQ(N->Value(), -2147483648.0);
  EXPECT_EQ(N->IntegerValue(), INT_MIN);
  N->SetText(u"-2147483649");
  EXPECT_EQ(N->Text(), u"-2147483648");
  N->SetValue(1e12);  // written values stay inside the range as well
  EXPECT_EQ(N->Text(), u"2147483647");

  N->SetInputFormat(itHex);
  EXPECT_EQ(N->Text(), u"7FFFFFFF");
  N->SetText(u"FFFFFFFF");
  EXPECT_EQ(N->Value(), -1);
  Key(VK_END);
  Type(u"0");
  EXPECT_EQ(N->Text(), u"FFFFFFFF");
  EXPECT_TRUE(N->CheckValidity(u"000000001"));
  N->SetInputFormat(itDynamic);
  EXPECT_FALSE(N->CheckValidity(u"%111111111111111111111111111111111"));
  EXPECT_FALSE(N->CheckValidity(u"&40000000000"));
  EXPECT_TRUE(N->CheckValidity(u"&37777777777"));
}

TEST(Int32Text, SaturatesOnBothSides) {
  EXPECT_EQ(ReadDecInt32Saturated(u"99999999999"), INT_MAX);
  EXPECT_EQ(ReadDecInt32Saturated(u"-99999999999999999999999"), INT_MIN);
  EXPECT_EQ(ReadDecInt32Saturated(u"+12"), 12);
  EXPECT_TRUE(DecInt32Fits(u"+0002147483647"));
  EXPECT_FALSE(DecInt32Fits(u"2147483648"));
}

TEST_F(NumIO2Test, DeletingEverythingLeavesTheFormattedZero) {
  N->SetValue(12.5);
  N->SetSelBegin(0);
  N->SetSelEnd(5);
  Key(VK_DELETE);
  EXPECT_EQ(N->Text(), u"0.00");
  EXPECT_EQ(N->CaretPos(), 0);
  Key(VK_END);
  Key(VK_BACK);
  EXPECT_EQ(N->Text(), u"0.0");
  // A shorter value written under a selection: the keys keep to the buffer.
  N->SetValue(123.25);
  N->SetSelBegin(6);
  N->SetSelEnd(6);
  N->SetValue(3);
  Key(VK_BACK);
  EXPECT_EQ(N->Text(), u"3.0");
}

TEST_F(NumIO2Test, ClipboardKeys) {
  const TShiftState Ctrl{ssCtrl};
  N->SetValue(12.5);  // "12.50"
  N->SetSelBegin(0);
  N->SetSelEnd(2);
  Key('C', Ctrl);
  EXPECT_EQ(Clipboard()->AsText(), u"12");
  Key('X', Ctrl);
  EXPECT_EQ(N->Text(), u".50");
  Key(VK_END);
  Key('V', Ctrl);
  EXPECT_EQ(N->Text(), u".5012");
  EXPECT_EQ(N->CaretPos(), 5);
  Clipboard()->SetAsText(u"x");
  Key('V', Ctrl);
  EXPECT_EQ(N->Text(), u".5012");
  EXPECT_EQ(Beeps(), 1u);
}

TEST_F(NumIO2Test, MouseDragSelectsAndTheSelectionIsInverted) {
  N->SetValue(123.5);  // "123.50", centred in the box
  EXPECT_EQ(Render()->Canvas()->Pixels(75, 3), 0xFFFFFFu);
  sim::MouseDown(N, mbLeft, {}, 36, 10);  // left of the text: position 0
  EXPECT_EQ(N->CaretPos(), 0);
  sim::MouseMove(N, TShiftState{ssLeft}, 116, 10);  // past its end
  sim::MouseUp(N, mbLeft, {}, 116, 10);
  EXPECT_EQ(N->SelBegin(), 0);
  EXPECT_EQ(N->SelEnd(), 6);
  EXPECT_EQ(N->MouseAreaCode(), 2);
  EXPECT_EQ(Render()->Canvas()->Pixels(75, 3), 0x000000u);
}

// --- Spin buttons and gauge --------------------------------------------------------------

struct SpinRow {
  double Start;
  bool Up;
  double Expected;
};

class NumIO2SpinTest : public NumIO2Test, public ::testing::WithParamInterface<SpinRow> {};

TEST_P(NumIO2SpinTest, PivotsStepToTheNeighbourAndNeverBackwards) {
  N->SetButVisible(true);
  N->SetReadOnly(true);  // read-only does not stop the buttons
  N->ButtonPivots = {1, 2, 5, 10};
  N->SetRangeLow(-100);
  N->SetValue(GetParam().Start);
  // Button column x 119..135; upper half y 1..14, lower half 15..27.
  sim::Click(N, 127, GetParam().Up ? 5 : 20);
  EXPECT_DOUBLE_EQ(N->Value(), GetParam().Expected);
  EXPECT_EQ(Changes, 1);
}

INSTANTIATE_TEST_SUITE_P(Rows, NumIO2SpinTest,
                         ::testing::Values(SpinRow{2, true, 5}, SpinRow{2, false, 1}, SpinRow{3, true, 5},
                                           SpinRow{3, false, 2}, SpinRow{0.5, false, 0.5}, SpinRow{0.5, true, 1},
                                           SpinRow{12, true, 12}, SpinRow{12, false, 10}));

TEST_F(NumIO2Test, SpinWithoutPivotsStepsWithinTheRange) {
  N->SetButVisible(true);
  N->SetButIncrem(0.5);
  N->SetValue(999.75);
  sim::Click(N, 127, 5);
  EXPECT_EQ(N->Text(), u"1000.00");
  sim::Click(N, 127, 20);
  EXPECT_EQ(N->Text(), u"999.50");
  EXPECT_EQ(Changes, 2);
}

TEST_F(NumIO2Test, GaugeClickAndDragSetTheValue) {
  N->SetGaugeVisible(true);
  std::vector<double> Gauge;
  N->SetOnGaugeChange([&](TObject*, TShiftState, double V) { Gauge.push_back(V); });
  sim::MouseDown(N, mbLeft, {}, 35 + 41, 24);
  EXPECT_EQ(N->Value(), 500);
  EXPECT_EQ(Changes, 0);  // deferred to the release
  sim::MouseMove(N, TShiftState{ssLeft}, 35 + 82 + 1, 24);
  EXPECT_EQ(Gauge, std::vector<double>{1000});
  sim::MouseUp(N, mbLeft, {}, 35 + 82, 24);
  EXPECT_EQ(Changes, 1);
  N->ButtonPivots = {100, 400, 900};
  sim::Click(N, 35 + 20, 24);  // 243.9: nearer to 100 than to 400
  EXPECT_EQ(N->Value(), 100);
}

// --- Caret, focus and value access -----------------------------------------------------------

TEST_F(NumIO2Test, CaretBlinksWhileFocusedAndTimerFailureRaises) {
  EXPECT_TRUE(N->CaretVisible());
  Application->AdvanceTime(500);
  EXPECT_FALSE(N->CaretVisible());
  Application->AdvanceTime(500);
  EXPECT_TRUE(N->CaretVisible());
  N->SetReadOnly(true);
  EXPECT_FALSE(N->CaretVisible());
  sim::SetTimerFailure(true);
  try {
    N->SetReadOnly(false);
    FAIL() << "no exception";
  } catch (const EORVNumIO2Error& E) {
    EXPECT_EQ(E.Message(), u"Component \"Num\": no timer available");
  }
  EXPECT_THROW(TNumIO2 Other(nullptr), EORVNumIO2Error);
}

TEST_F(NumIO2Test, IntegerValueRoundsHalvesToEvenAndRaisesOnOverflow) {
  N->SetInputFormat(itExp);
  N->SetValue(2.5);
  EXPECT_EQ(N->IntegerValue(), 2);
  N->SetValue(3e9);
  try {
    (void)N->IntegerValue();
    FAIL() << "no exception";
  } catch (const EORVNumIO2Error& E) {
    EXPECT_EQ(E.Message(), u"Component \"Num\": integer overflow");
  }
}

TEST_F(NumIO2Test, DecPlaceSepRewritesTheBuffer) {
  N->SetText(u"1,5");
  N->SetDecPlaceSep(dpsPoint);
  EXPECT_EQ(N->Text(), u"1.5");
  N->SetDecPlaceSep(dpsComma);
  EXPECT_EQ(N->Text(), u"1,5");
  N->SetValue(2);
  EXPECT_EQ(N->Text(), u"2,00");
  N->SetDecPlaceSep(dpsBoth);
  EXPECT_EQ(N->Text(), u"2,00");
  EXPECT_EQ(N->Value(), 2);
}

TEST_F(NumIO2Test, AssignCopiesBufferRangeAndFormat) {
  N->SetInputFormat(itInt);
  N->SetRangeHigh(50);
  N->SetText(u"42");
  N->SetSelEnd(1);
  TNumIO2 Copy(nullptr);
  Copy.Assign(N);
  EXPECT_EQ(Copy.InputFormat(), itInt);
  EXPECT_EQ(Copy.Text(), u"42");
  EXPECT_EQ(Copy.RangeHigh(), 50);
  EXPECT_EQ(Copy.SelEnd(), 1);
}

}  // namespace
}  // namespace orv

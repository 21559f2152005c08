// The row editor dialog, driven through the modal handler as a user would
// (typing, choosing list items, Enter, the buttons), and the date reader.

#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/application.h"
#include "framework/controls/combobox.h"
#include "framework/controls/datetimepicker.h"
#include "framework/controls/edit.h"
#include "framework/controls/label.h"
#include "framework/controls/sim.h"
#include "framework/controls/speedbutton.h"
#include "framework/forms/form.h"
#include "framework/rtl/dateutils.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/sysutils.h"
#include "framework/rtl/unicode.h"
#include "numio/numioedit.h"
#include "replist/datereader.h"
#include "replist/replistview.h"

namespace orv {
namespace {

template <class T>
T* Find(TForm* F, const String& Name) {
  return dynamic_cast<T*>(F->FindComponent(Name));
}

// A view of 4 rows with the columns Name, Kind, No of the classic example.
struct RowEditorTest : ::testing::Test {
  std::unique_ptr<TForm> Host = std::make_unique<TForm>(nullptr);
  TReportListView* V = nullptr;

  void SetUp() override {
    V = new TReportListView(Host.get());
    V->SetParent(Host.get());
    V->SetNrOfColumns(3);
    V->SetNrOfRows(4);
    V->SetHeader(1, u"Name");
    V->SetHeader(2, u"Kind");
    V->SetHeader(3, u"No");
    V->SetColumnFormat(1, u"[s][150]");
    V->SetColumnFormat(2, u"[l][100]A|B|C");
    V->SetColumnFormat(3, u"[i][50]rix4");
    V->SetElem(1, 3, u"bolt");
    V->SetElem(2, 3, u"B");
  }
  void TearDown() override { Application->SetModalHandler(nullptr); }
};

TEST_F(RowEditorTest, BuildsTheDocumentedDialogAndFreesItAfterwards) {
  const int ComponentsBefore = V->ComponentCount();
  int L = 0;
  Application->SetModalHandler([&](TForm* F) {
    EXPECT_EQ(V->ContainerForm(), F);
    EXPECT_EQ(F->Caption(), u"Editing Row 3");
    EXPECT_EQ(F->BorderStyle(), bsDialog);
    F->Canvas()->Font()->Assign(F->Font());
    L = std::max({F->Canvas()->TextWidth(u"Name"), F->Canvas()->TextWidth(u"Kind"), F->Canvas()->TextWidth(u"No")}) + 8;
    const char16_t* Labels[] = {u"Name:", u"Kind:", u"No:"};
    for (int c = 1; c <= 3; ++c) {
      auto* Lab = Find<TLabel>(F, u"runtime_rlre_Label" + IntToStr(c));
      EXPECT_EQ(Lab->Caption(), Labels[c - 1]);
      EXPECT_EQ(Lab->BoundsRect().Left, 8);
      EXPECT_EQ(Lab->BoundsRect().Top, 45 + (c - 1) * 25 + 3);
      EXPECT_EQ(Lab->Width(), L);
      EXPECT_EQ(Lab->Alignment(), taRightJustify);
    }
    auto* Name = Find<TEdit>(F, u"runtime_rlre_Edit1");
    auto* Kind = Find<TComboBox>(F, u"runtime_rlre_CBox2");
    auto* No = Find<TNumIO>(F, u"runtime_rlre_NumIO3");
    EXPECT_EQ(Name->BoundsRect(), (TRect{L + 12, 45, L + 12 + 150, 45 + Name->Height()}));
    EXPECT_EQ(Kind->Left(), L + 12);
    EXPECT_EQ(Kind->Top(), 70);
    EXPECT_EQ(Kind->Width(), 100);
    EXPECT_EQ(No->Width(), 50);
    EXPECT_EQ(No->Tag(), 3);
    EXPECT_EQ(Name->Text(), u"bolt");
    EXPECT_EQ(Kind->Style(), csDropDownList);
    EXPECT_EQ(Kind->ItemIndex(), 1);
    EXPECT_EQ(No->Text(), u"0003");  // the empty cell numbered by its row
    EXPECT_EQ(F->Width(), 150 + L + 28);
    EXPECT_EQ(F->Height(), 3 * 25 + 45 + 38);
    auto* Cancel = Find<TSpeedButton>(F, u"runtime_rlre_SBCancel");
    auto* Ok = Find<TSpeedButton>(F, u"runtime_rlre_SBOK");
    EXPECT_EQ(Cancel->BoundsRect(), (TRect{150 + L - 69, 4, 150 + L - 69 + 81, 33}));
    EXPECT_EQ(Ok->BoundsRect(), (TRect{150 + L - 154, 4, 150 + L - 154 + 81, 33}));
    EXPECT_EQ(Cancel->Caption(), u"Cancel");
    EXPECT_EQ(Ok->Caption(), u"OK");
    // A user's edits are thrown away by Cancel.
    sim::TypeText(Name, u"X");
    sim::Click(Cancel, 5, 5);
    return 0;
  });
  EXPECT_EQ(V->EditRowEntries(3, 10, 20), mrCancel);
  EXPECT_EQ(V->Elem(1, 3), u"bolt");
  EXPECT_EQ(V->Elem(3, 3), u"");
  EXPECT_EQ(V->ContainerForm(), nullptr);
  EXPECT_EQ(V->ComponentCount(), ComponentsBefore);  // the dialog form is gone
}

TEST_F(RowEditorTest, TypingChoosingAndEnterWriteTheRowBack) {
  V->SetColumnCheckMode(1, cmBox);
  V->SetElemChecked(1, 3, true);
  Application->SetModalHandler([&](TForm* F) {
    auto* Name = Find<TEdit>(F, u"runtime_rlre_Edit1");
    EXPECT_EQ(Name->Text(), u"bolt");  // the text without its check mark
    Name->SetFocus();
    sim::KeyDown(Name, VK_END, {});
    sim::TypeText(Name, u"s");
    auto* Kind = Find<TComboBox>(F, u"runtime_rlre_CBox2");
    Kind->SetFocus();
    sim::KeyDown(Kind, VK_DOWN, {});
    auto* No = Find<TNumIO>(F, u"runtime_rlre_NumIO3");
    No->SetFocus();
    sim::KeyDown(No, VK_END, {});
    sim::TypeText(No, u"7\r");
    return 0;
  });
  EXPECT_EQ(V->EditRowEntries(3, 0, 0), mrOk);
  EXPECT_EQ(V->Elem(1, 3), u"bolts");
  EXPECT_TRUE(V->ElemChecked(1, 3));
  EXPECT_EQ(V->Elem(2, 3), u"C");
  EXPECT_EQ(V->Elem(3, 3), u"00037");
}

TEST_F(RowEditorTest, EnterInAFreeTextComboActsAsOk) {
  V->SetColumnFormat(2, u"[c:3][80]red|green");
  Application->SetModalHandler([&](TForm* F) {
    auto* Box = Find<TComboBox>(F, u"runtime_rlre_CBox2");
    EXPECT_EQ(Box->Style(), csDropDown);
    EXPECT_EQ(Box->DropDownCount(), 3);
    EXPECT_EQ(Box->Items()->Count(), 2);
    Box->SetFocus();
    sim::KeyDown(F->ActiveControl(), VK_END, {});
    sim::TypeText(F->ActiveControl(), u"ish\r");
    return 0;
  });
  EXPECT_EQ(V->EditRowEntries(3, 0, 0, u"T", u"Yes", u"No"), mrOk);
  EXPECT_EQ(V->Elem(2, 3), u"Bish");
}

// Editors the user cannot change keep their cells; an editor that could
// not show its cell keeps it unless the user changes it.
TEST_F(RowEditorTest, OnlyWhatTheUserCouldChangeIsWrittenBack) {
  V->SetNrOfColumns(6);
  V->SetColumnFormat(2, u"[#l][100]A|C");  // "B" is not an item
  V->SetColumnFormat(4, u"[ddd.MM.yyyy][100]");
  V->SetColumnFormat(5, u"[ddd.MM.yyyy][100]");
  V->SetColumnFormat(6, u"[l]x|y");
  V->SetElem(4, 3, u"someday");
  V->SetElem(5, 3, u"07.03.2021");
  V->SetElem(6, 3, u"z");
  V->SetElem(3, 3, u"12abc");  // no number: the numeric field cannot show it
  V->SetOnReadCell([](TObject*, int Col, int, String& Text) {
    if (Col == 1) Text = u"<" + Text + u">";
  });
  V->SetOnRequestEditFormat([](TObject*, int Col, int Row, String& Format) {
    if (Col == 1 && Row == 3) Format = u"[#s]";
  });
  Application->SetModalHandler([&](TForm* F) {
    auto* Name = Find<TEdit>(F, u"runtime_rlre_Edit1");
    EXPECT_FALSE(Name->Enabled());
    EXPECT_EQ(Name->Color(), 0xE0E0E0u);
    EXPECT_EQ(Name->Font()->Color(), 0x808080u);
    EXPECT_EQ(Name->Width(), 200);
    EXPECT_EQ(Name->Text(), u"<bolt>");
    EXPECT_EQ(Find<TComboBox>(F, u"runtime_rlre_CBox2")->ItemIndex(), -1);
    EXPECT_EQ(Find<TDateTimePicker>(F, u"runtime_rlre_DtPick4")->DateTime(), 0.0);
    auto* Date = Find<TDateTimePicker>(F, u"runtime_rlre_DtPick5");
    EXPECT_EQ(Date->DateTime(), EncodeDate(2021, 3, 7));
    Date->SetFocus();
    sim::KeyDown(Date, VK_UP, {});  // day 7 -> 8
    EXPECT_EQ(Find<TComboBox>(F, u"runtime_rlre_CBox6")->ItemIndex(), -1);
    return mrOk;
  });
  EXPECT_EQ(V->EditRowEntries(3, 0, 0), mrOk);
  EXPECT_EQ(V->Data()->Elem(1, 3), u"bolt");
  EXPECT_EQ(V->Elem(2, 3), u"B");
  EXPECT_EQ(V->Elem(3, 3), u"12abc");
  EXPECT_EQ(V->Elem(4, 3), u"someday");
  EXPECT_EQ(V->Elem(5, 3), u"08.03.2021");
  EXPECT_EQ(V->Elem(6, 3), u"");  // an enabled list shows and stores no item
}

TEST_F(RowEditorTest, DefaultsFillEmptyCells) {
  V->SetNrOfColumns(5);
  V->SetColumnFormat(1, u"[s]$pwd$12");
  V->SetColumnFormat(3, u"[h][40]rix3");
  V->SetColumnFormat(4, u"[dyyyy-MM-dd HH:mm]2020-02-29 13:45");
  V->SetColumnFormat(5, u"[f]2.5");
  V->SetElem(1, 3, u"");
  Application->SetModalHandler([](TForm*) { return mrOk; });
  EXPECT_EQ(V->EditRowEntries(11, 0, 0), mrOk);  // a row that does not exist writes nothing
  EXPECT_EQ(V->EditRowEntries(3, 0, 0), mrOk);
  EXPECT_EQ(V->Elem(1, 3).size(), 12u);
  EXPECT_EQ(V->Elem(3, 3), u"003");
  EXPECT_EQ(V->Elem(4, 3), u"2020-02-29 13:45");
  EXPECT_EQ(V->Elem(5, 3), u"2.5");
}

TEST_F(RowEditorTest, ACallersFormGetsTheEditorsButKeepsItsOwnControls) {
  TForm Mine(nullptr);
  Mine.SetBounds(0, 0, 100, 50);
  auto* Own = new TEdit(&Mine);
  Own->SetName(u"Own");
  Own->SetParent(&Mine);
  Mine.SetCaption(u"mine");
  Application->SetModalHandler([&](TForm* F) {
    EXPECT_EQ(F, &Mine);
    EXPECT_EQ(F->Caption(), u"");
    EXPECT_EQ(F->FindComponent(u"runtime_rlre_SBOK"), nullptr);
    auto* Lab = Find<TLabel>(F, u"runtime_rlre_Label2");
    EXPECT_EQ(Lab->Left(), 30 + 8);
    EXPECT_EQ(Lab->Top(), 40 + 25 + 3);
    EXPECT_GE(F->Width(), 150 + Lab->Width() + 28);
    EXPECT_EQ(F->Height(), 3 * 25 + 38);
    return mrYes;
  });
  EXPECT_EQ(V->EditRowEntries(3, &Mine, 30, 40), mrYes);
  EXPECT_EQ(Mine.ComponentCount(), 1);
  EXPECT_EQ(Mine.FindComponent(u"Own"), Own);
  EXPECT_EQ(V->Elem(1, 3), u"bolt");  // only mrOk writes back
}

TEST_F(RowEditorTest, AnImpossibleDateRaisesAndLeavesNoDialogBehind) {
  V->SetColumnFormat(1, u"[ddd.MM.yyyy]");
  V->SetElem(1, 3, u"31.04.2021");
  const int ComponentsBefore = V->ComponentCount();
  Application->SetModalHandler([](TForm*) { return mrOk; });
  EXPECT_THROW(V->EditRowEntries(3, 0, 0), EConvertError);
  EXPECT_EQ(V->ComponentCount(), ComponentsBefore);
  EXPECT_EQ(V->ContainerForm(), nullptr);
}

struct DateCase {
  const char16_t* Text;
  const char16_t* Format;
  int Error;
  TDateTime Expected;
};

TEST(ScanDateTime, ReadsByThePickersFormat) {
  const DateCase Cases[] = {
      {u"07.03.2021", u"dd.MM.yyyy", sdtOk, EncodeDate(2021, 3, 7)},
      {u"7. March 2021", u"d. MMMM yyyy", sdtOk, EncodeDate(2021, 3, 7)},
      {u"sunday, 7 mar 2021", u"dddd, d MMM yyyy", sdtOk, EncodeDate(2021, 3, 7)},
      {u"12:30 am", u"hh:mm tt", sdtOk, EncodeTime(0, 30, 0, 0)},
      {u"01:15 pm", u"hh:mm tt", sdtOk, EncodeTime(13, 15, 0, 0)},
      {u"12:05 PM", u"hh:mm tt", sdtOk, EncodeTime(12, 5, 0, 0)},
      {u"9:5:7 p", u"h:m:s t", sdtOk, EncodeTime(21, 5, 7, 0)},
      {u"07.03.2021x", u"dd.MM.yyyy'x'", sdtOk, EncodeDate(2021, 3, 7)},
      {u"it's 07.03.2021", u"'it''s 'dd.MM.yyyy", sdtOk, EncodeDate(2021, 3, 7)},
      {u"2021/03/07", u"yyyy-MM-dd", sdtLiteralMismatch, 0},
      {u"2021", u"yyy", sdtUnknownRun, 0},
      {u"Monday", u"ddddd", sdtUnknownRun, 0},
      {u"12:00:000", u"HH:mm:sss", sdtUnknownRun, 0},
      {u"2O21-03-07", u"yyyy-MM-dd", sdtBadField, 0},
      {u"07 Mrz 2021", u"dd MMM yyyy", sdtBadField, 0},
      {u"", u"", sdtOk, 0},
  };
  for (const DateCase& C : Cases) {
    SCOPED_TRACE(ToUtf8(C.Text));
    TDateTime Value = -1;
    EXPECT_EQ(ScanDateTime(C.Text, C.Format, Value), C.Error);
    EXPECT_DOUBLE_EQ(Value, C.Expected);
  }
}

TEST(ScanDateTime, TwoDigitYearsFallIntoTheCenturyWindow) {
  uint16_t Year, M, D;
  DecodeDate(Now(), Year, M, D);
  const int Saved = FormatSettings.TwoDigitYearCenturyWindow;
  TDateTime Value = 0;
  FormatSettings.TwoDigitYearCenturyWindow = 50;
  const int Low = Year - 50;  // the window's first year
  const int Yy = Low % 100;
  ASSERT_EQ(ScanDateTime(IntToStr(100 + Yy).substr(1) + u"0101", u"yyMMdd", Value), sdtOk);
  DecodeDate(Value, Year, M, D);
  EXPECT_EQ(Year, Low);
  ASSERT_EQ(ScanDateTime(IntToStr(100 + (Yy + 99) % 100).substr(1) + u"0101", u"yyMMdd", Value), sdtOk);
  DecodeDate(Value, Year, M, D);
  EXPECT_EQ(Year, Low + 99);
  FormatSettings.TwoDigitYearCenturyWindow = 0;  // no window: the current century
  ASSERT_EQ(ScanDateTime(u"010101", u"yyMMdd", Value), sdtOk);
  DecodeDate(Value, Year, M, D);
  EXPECT_EQ(Year % 100, 1);
  FormatSettings.TwoDigitYearCenturyWindow = Saved;
}

TEST(ScanDateTime, ImpossibleValuesRaiseTheConversionError) {
  TDateTime Value = 0;
  EXPECT_THROW(ScanDateTime(u"13.2021", u"MM.yyyy", Value), EConvertError);
  EXPECT_THROW(ScanDateTime(u"25:00", u"HH:mm", Value), EConvertError);
  EXPECT_THROW(ScanDateTime(u"65537:00", u"H:mm", Value), EConvertError);  // no wrap-round to 1:00
  EXPECT_THROW(ScanDateTime(u"99999999999:00 p", u"h:mm t", Value), EConvertError);  // clamped hour, afternoon
  EXPECT_THROW(ScanDateTime(u"13:00 pm", u"h:mm tt", Value), EConvertError);
  EXPECT_THROW(ScanDateTime(u"29.02.2021", u"dd.MM.yyyy", Value), EConvertError);
  EXPECT_THROW(ScanDateTime(u"07", u"dd", Value), EConvertError);  // a day alone is no date
}

}  // namespace
}  // namespace orv

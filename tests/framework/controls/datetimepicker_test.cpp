// The date-time picker: its display format, field editing from the keyboard
// and the dropped month calendar.

#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/datetimepicker.h"
#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "framework/rtl/dateutils.h"
#include "framework/rtl/unicode.h"

namespace orv {
namespace {

TEST(PickerFormat, RunsAndLiteralsRenderTheValue) {
  const TDateTime V = EncodeDateTime(2021, 3, 7, 13, 5, 9, 0);  // a Sunday
  const struct {
    const char16_t* Format;
    const char16_t* Text;
  } Cases[] = {
      {u"dd.MM.yyyy", u"07.03.2021"},
      {u"d/M/yy y", u"7/3/21 1"},
      {u"dddd, MMMM d", u"Sunday, March 7"},
      {u"ddd MMM", u"Sun Mar"},
      {u"hh:mm:ss tt", u"01:05:09 PM"},
      {u"H:m:s t", u"13:5:9 P"},
      {u"HH'h'mm", u"13h05"},
      {u"'it''s' yyyy", u"it's 2021"},
      {u"'open", u"open"},
      {u"Week of d", u"Week of 7"},  // "e", "k", "o", "f" are literal; "W" too
  };
  for (const auto& C : Cases) EXPECT_EQ(ToUtf8(FormatPickerDateTime(C.Format, V)), ToUtf8(C.Text)) << ToUtf8(C.Format);
  EXPECT_EQ(FormatPickerDateTime(u"h tt", EncodeTime(0, 0, 0, 0)), u"12 AM");
}

struct Picker : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TDateTimePicker* P = nullptr;
  int Changes = 0;
  void SetUp() override {
    Form->SetBounds(0, 0, 300, 300);
    P = new TDateTimePicker(Form.get());
    P->SetParent(Form.get());
    P->SetBounds(10, 10, 160, 24);
    P->SetFormat(u"dd.MM.yyyy HH:mm tt");
    P->SetDateTime(EncodeDateTime(2021, 1, 31, 9, 30, 0, 0));
    P->SetOnChange([this](TObject*) { ++Changes; });
    Form->Show();
    P->SetFocus();
  }
  String Shown() const { return P->DisplayText(); }
};

TEST_F(Picker, KeysStepAndTypeTheFields) {
  EXPECT_EQ(P->FieldCount(), 6);
  sim::KeyDown(P, VK_RIGHT, {});
  sim::KeyDown(P, VK_UP, {});  // February: the 31st becomes the 28th
  EXPECT_EQ(Shown(), u"28.02.2021 09:30 AM");
  sim::TypeText(P, u"12");  // a full month moves on to the year
  EXPECT_EQ(P->FieldIndex(), 2);
  sim::TypeText(P, u"1999");
  EXPECT_EQ(Shown(), u"28.12.1999 09:30 AM");
  sim::TypeText(P, u"2");  // hours: 2 could still grow, so the field stays
  EXPECT_EQ(P->FieldIndex(), 3);
  sim::TypeText(P, u"7");  // 27 is no hour: a new number 7 starts, and is full
  EXPECT_EQ(P->FieldIndex(), 4);
  EXPECT_EQ(Shown(), u"28.12.1999 07:30 AM");
  for (int I = 0; I < 4; ++I) sim::KeyDown(P, VK_LEFT, {});
  sim::KeyDown(P, VK_DOWN, {});  // the day steps within December
  sim::KeyDown(P, VK_LEFT, {});  // stays on the first field
  EXPECT_EQ(P->FieldIndex(), 0);
  EXPECT_EQ(Shown(), u"27.12.1999 07:30 AM");
  for (int I = 0; I < 5; ++I) sim::KeyDown(P, VK_RIGHT, {});
  sim::TypeText(P, u"p");
  EXPECT_EQ(P->DateTime(), EncodeDateTime(1999, 12, 27, 19, 30, 0, 0));
  const int Count = Changes;
  sim::TypeText(P, u"p");  // already afternoon: no change
  EXPECT_EQ(Changes, Count);
  P->SetDateTime(0);  // the program's own changes fire nothing
  EXPECT_EQ(Changes, Count);
}

TEST_F(Picker, TheCalendarChoosesADayAndKeepsTheTime) {
  sim::KeyDown(P, VK_F4, {});
  ASSERT_TRUE(P->DroppedDown());
  sim::KeyDown(P, VK_RIGHT, {});  // Feb 1
  sim::KeyDown(P, VK_DOWN, {});   // Feb 8
  sim::KeyDown(P, VK_NEXT, {});   // Mar 8
  EXPECT_EQ(Changes, 0);
  sim::KeyDown(P, VK_RETURN, {});
  EXPECT_FALSE(P->DroppedDown());
  EXPECT_EQ(P->DateTime(), EncodeDateTime(2021, 3, 8, 9, 30, 0, 0));
  EXPECT_EQ(Changes, 1);
  // A click beside the dropped calendar closes it without a change.
  sim::Click(P, P->Width() - 5, 5);
  ASSERT_TRUE(P->DroppedDown());
  TControl* Layer = Form->Controls(Form->ControlCount() - 1);
  sim::Click(Layer, 290, 290);
  EXPECT_FALSE(P->DroppedDown());
  EXPECT_EQ(Changes, 1);
}

}  // namespace
}  // namespace orv

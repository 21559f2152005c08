// The combo box: typing, keys, and the dropped list closing by choice or by
// a click beside it.

#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/combobox.h"
#include "framework/controls/sim.h"
#include "framework/forms/form.h"

namespace orv {
namespace {

struct ComboBox : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TComboBox* Box = nullptr;
  int Changes = 0;
  void SetUp() override {
    Form->SetBounds(0, 0, 300, 300);
    Box = new TComboBox(Form.get());
    Box->SetParent(Form.get());
    Box->SetBounds(10, 250, 120, 24);  // near the bottom: the list opens upwards
    for (const char16_t* S : {u"one", u"two", u"three"}) Box->Items()->Add(S);
    Box->SetOnChange([this](TObject*) { ++Changes; });
    Form->Show();
  }
  TControl* OpenList() const { return Form->Controls(Form->ControlCount() - 1); }
};

TEST_F(ComboBox, TypedTextFindsItsItemAndKeysStepThroughTheItems) {
  Box->SetFocus();
  sim::TypeText(Form->ActiveControl(), u"two");
  EXPECT_EQ(Box->Text(), u"two");
  EXPECT_EQ(Box->ItemIndex(), 1);
  Box->SetStyle(csDropDownList);
  Box->SetFocus();
  sim::KeyDown(Box, VK_DOWN, {});
  EXPECT_EQ(Box->Text(), u"three");
  sim::KeyDown(Box, VK_DOWN, {});  // stays on the last
  EXPECT_EQ(Box->ItemIndex(), 2);
  sim::KeyDown(Box, VK_HOME, {});
  EXPECT_EQ(Box->Text(), u"one");
}

TEST_F(ComboBox, DroppedListClosesOnAChoiceOrABesideClick) {
  Box->SetStyle(csDropDownList);
  Changes = 0;
  sim::Click(Box, 50, 12);
  ASSERT_TRUE(Box->DroppedDown());
  sim::Click(OpenList(), 250, 20);  // beside the list: closes, chooses nothing
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->ItemIndex(), -1);
  sim::Click(Box, 50, 12);
  // Above the box: three rows end at its top edge.
  const int H = Box->ItemHeight();
  sim::Click(OpenList(), 50, 250 - 1 - H / 2);
  EXPECT_EQ(Box->Text(), u"three");
  EXPECT_EQ(Changes, 1);
  sim::KeyDown(Box, VK_F4, {});
  sim::KeyDown(Box, VK_UP, {});
  sim::KeyDown(Box, VK_RETURN, {});
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->Text(), u"two");
  sim::KeyDown(Box, VK_F4, {});
  sim::KeyDown(Box, VK_ESCAPE, {});
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->Text(), u"two");
}

}  // namespace
}  // namespace orv

// Event handlers that delete their own sender: dispatch must not touch the
// control afterwards (run under AddressSanitizer to see a use after free).

#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/edit.h"
#include "framework/controls/input.h"
#include "framework/controls/panel.h"
#include "framework/controls/sim.h"
#include "framework/controls/speedbutton.h"
#include "framework/rtl/clipboard.h"
#include "test_helpers.h"

namespace orv {
namespace {

struct SelfDeletion : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  int Calls = 0;
  void SetUp() override {
    Form->SetBounds(0, 0, 300, 100);
    Form->Show();
    input::SetHover(nullptr);
  }
  void TearDown() override { input::SetHover(nullptr); }
  template <class T>
  T* Add() {
    auto* C = new T(Form.get());
    C->SetParent(Form.get());
    C->SetBounds(10, 10, 120, 24);
    return C;
  }
  // A handler that counts its call and frees the sender.
  auto Free() {
    return [this](TObject* Sender, auto&&...) {
      ++Calls;
      delete Sender;
    };
  }
  TEdit* FocusedEdit() {
    auto* E = Add<TEdit>();
    E->SetFocus();
    return E;
  }
};

TEST_F(SelfDeletion, ClickDoubleClickAndMouseUpHandlers) {
  Add<TPanel>()->SetOnClick(Free());
  sim::Click(Form->Controls(0), 5, 5);
  Add<TPanel>()->SetOnDblClick(Free());
  sim::DblClick(Form->Controls(0), 5, 5);
  Add<TPanel>()->SetOnMouseUp(Free());
  sim::Click(Form->Controls(0), 5, 5);
  Add<TSpeedButton>()->SetOnClick(Free());
  sim::Click(Form->Controls(0), 5, 5);
  Add<TSpeedButton>()->SetOnMouseUp(Free());
  sim::Click(Form->Controls(0), 5, 5);
  Add<TSpeedButton>()->SetOnMouseDown(Free());
  sim::Click(Form->Controls(0), 5, 5);
  EXPECT_EQ(Calls, 6);
  EXPECT_EQ(Form->ControlCount(), 0);
  EXPECT_EQ(input::CaptureControl(), nullptr);
}

TEST_F(SelfDeletion, WheelAndEnterHandlers) {
  auto* P = Add<TPanel>();
  P->SetOnMouseWheel([this](TObject* Sender, TShiftState, int, TPoint, bool&) {
    ++Calls;
    delete Sender;
  });
  sim::MouseWheel(P, {}, -240, 5, 5);
  Add<TSpeedButton>()->SetOnMouseEnter(Free());
  sim::Click(Form->Controls(0), 5, 5);
  EXPECT_EQ(Calls, 2);
  EXPECT_EQ(Form->ControlCount(), 0);
}

TEST_F(SelfDeletion, KeyHandlersOfTheFocusedEdit) {
  FocusedEdit()->SetOnKeyDown(Free());
  sim::KeyDown(Form->ActiveControl(), VK_TAB, {});  // Tab asks the edit about navigation afterwards
  FocusedEdit()->SetOnKeyDown(Free());
  sim::TypeText(Form->ActiveControl(), u"x");
  FocusedEdit()->SetOnKeyPress(Free());
  sim::TypeText(Form->ActiveControl(), u"xy");
  FocusedEdit()->SetOnKeyUp(Free());
  sim::TypeText(Form->ActiveControl(), u"xy");
  // The form previews the key and frees the control it was meant for.
  Form->SetKeyPreview(true);
  Form->SetOnKeyDown([this](TObject*, uint16_t&, TShiftState) {
    ++Calls;
    delete Form->ActiveControl();
  });
  FocusedEdit();
  sim::TypeText(Form->ActiveControl(), u"x");
  EXPECT_EQ(Calls, 5);
  EXPECT_EQ(Form->ControlCount(), 0);
  EXPECT_EQ(Form->ActiveControl(), nullptr);
}

TEST_F(SelfDeletion, ChangeHandlersWhileTypingPastingAndUndoing) {
  FocusedEdit()->SetOnChange(Free());
  sim::TypeText(Form->ActiveControl(), u"abc");
  Clipboard()->SetAsText(u"pasted");
  FocusedEdit()->SetOnChange(Free());
  sim::KeyDown(Form->ActiveControl(), u'V', {ssCtrl});
  auto* E = FocusedEdit();
  E->SetText(u"before");
  sim::TypeText(E, u"!");
  E->SetOnChange(Free());
  sim::KeyDown(E, u'Z', {ssCtrl});
  EXPECT_EQ(Calls, 3);
  EXPECT_EQ(Form->ControlCount(), 0);
}

}  // namespace
}  // namespace orv

// Popup menus: the builders, the headless answer through the popup handler,
// and the drawn drop-down driven by keys and the mouse.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/controls/application.h"
#include "framework/controls/panel.h"
#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "framework/forms/menus.h"

namespace orv {
namespace {

struct MenuTest : ::testing::Test {
  std::unique_ptr<TForm> Form;
  TPopupMenu* Menu = nullptr;
  std::vector<String> Clicked;

  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 400, 300);
    const auto Log = [this](TObject* S) { Clicked.push_back(static_cast<TMenuItem*>(S)->Name()); };
    TMenuItem* Subs[] = {NewItem(u"One", 0, false, true, Log, 0, u"S1"), NewItem(u"Two", 0, false, true, Log, 0, u"S2")};
    TMenuItem* Items[] = {NewItem(u"Open", 0, false, true, Log, 0, u"A"), NewItem(u"Gone", 0, false, false, Log, 0, u"B"),
                          NewLine(), NewSubMenu(u"More", 0, u"C", Subs)};
    Menu = NewPopupMenu(Form.get(), u"Pop", paLeft, true, Items);
    Form->Show();
  }
  void TearDown() override { Application->SetPopupHandler(nullptr); }
};

TEST_F(MenuTest, BuildersMakeTheTree) {
  EXPECT_EQ(Menu->Name(), u"Pop");
  ASSERT_EQ(Menu->Items()->Count(), 4);
  EXPECT_FALSE(Menu->Items()->Items(1)->Enabled());
  EXPECT_EQ(Menu->Items()->FindItemByName(u"S2")->Parent(), Menu->Items()->Items(3));
  EXPECT_EQ(Menu->Items()->Items(4), nullptr);
  Menu->Items()->Delete(0);
  EXPECT_EQ(Menu->Items()->Count(), 3);
}

TEST_F(MenuTest, HandlerAnswersAndDisabledChoicesDoNothing) {
  int Popups = 0;
  Menu->SetOnPopup([&](TObject*) { ++Popups; });
  TMenuItem* Next = Menu->Items()->FindItemByName(u"S1");
  Application->SetPopupHandler([&](TPopupMenu*) { return Next; });
  EXPECT_EQ(Menu->Popup(10, 10), Next);
  Next = Menu->Items()->FindItemByName(u"B");
  EXPECT_EQ(Menu->Popup(10, 10), nullptr);
  EXPECT_EQ(Popups, 2);
  EXPECT_EQ(Clicked, (std::vector<String>{u"S1"}));
}

TEST_F(MenuTest, RightClickShowsTheMenuOfTheControlOrItsParent) {
  auto* Panel = new TPanel(Form.get());
  Panel->SetParent(Form.get());
  Panel->SetBounds(50, 40, 200, 100);
  auto* Inner = new TPanel(Form.get());
  Inner->SetParent(Panel);
  Inner->SetBounds(10, 10, 50, 50);
  Panel->SetPopupMenu(Menu);
  std::vector<TComponent*> Shown;
  Application->SetPopupHandler([&](TPopupMenu* M) {
    Shown.push_back(M->PopupComponent());
    return M->Items()->Items(0);
  });
  sim::MouseDown(Inner, mbRight, {}, 5, 5);
  sim::MouseUp(Inner, mbRight, {}, 5, 5);
  EXPECT_EQ(Shown, (std::vector<TComponent*>{Panel}));
  EXPECT_EQ(Clicked, (std::vector<String>{u"A"}));
  Menu->SetAutoPopup(false);
  sim::MouseUp(Inner, mbRight, {}, 5, 5);
  sim::MouseUp(Panel, mbLeft, {}, 5, 5);
  EXPECT_EQ(Shown.size(), 1u);
}

TEST_F(MenuTest, WindowKeysSkipDisabledAndSeparatorsAndOpenSubMenus) {
  TPopupMenuWindow W(Menu, Form.get(), 20, 30);
  EXPECT_EQ(W.BoxRect(0).Left, 20);
  EXPECT_EQ(W.BoxRect(0).Top, 30);
  sim::KeyDown(&W, VK_DOWN, {});
  EXPECT_EQ(W.Hot()->Name(), u"A");
  sim::KeyDown(&W, VK_DOWN, {});
  EXPECT_EQ(W.Hot()->Name(), u"C");  // past the disabled item and the line
  sim::KeyDown(&W, VK_RIGHT, {});
  ASSERT_EQ(W.Depth(), 2);
  sim::KeyDown(&W, VK_ESCAPE, {});
  EXPECT_EQ(W.Depth(), 1);
  EXPECT_FALSE(W.Done());
  sim::KeyDown(&W, VK_RETURN, {});
  sim::KeyDown(&W, VK_DOWN, {});
  sim::KeyDown(&W, VK_DOWN, {});
  sim::KeyDown(&W, VK_RETURN, {});
  EXPECT_TRUE(W.Done());
  EXPECT_EQ(W.Chosen()->Name(), u"S2");
}

TEST_F(MenuTest, WindowMouseChoosesOrDismisses) {
  {
    TPopupMenuWindow W(Menu, Form.get(), 350, 280);  // pushed back inside the form
    EXPECT_LE(W.BoxRect(0).Right, 400);
    EXPECT_LE(W.BoxRect(0).Bottom, 300);
    const TRect Gone = W.ItemRect(0, 1);
    sim::Click(&W, Gone.Left + 5, Gone.Top + 5);
    EXPECT_FALSE(W.Done());
    const TRect Open = W.ItemRect(0, 0);
    sim::Click(&W, Open.Left + 5, Open.Top + 5);
    EXPECT_TRUE(W.Done());
    EXPECT_EQ(W.Chosen()->Name(), u"A");
  }
  TPopupMenuWindow W(Menu, Form.get(), 20, 20);
  sim::Click(&W, 5, 5);
  EXPECT_TRUE(W.Done());
  EXPECT_EQ(W.Chosen(), nullptr);
}

}  // namespace
}  // namespace orv

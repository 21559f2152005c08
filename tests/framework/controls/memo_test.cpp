// The memo: typing across lines, deleting over line ends, selection with
// the keyboard and the clipboard, and lines changed from outside.

#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/memo.h"
#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "framework/rtl/clipboard.h"

namespace orv {
namespace {

struct Memo : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TMemo* M = nullptr;
  int Changes = 0;
  void SetUp() override {
    M = new TMemo(Form.get());
    M->SetParent(Form.get());
    M->SetOnChange([this](TObject*) { ++Changes; });
    Form->Show();
    M->SetFocus();
  }
};

TEST_F(Memo, TypingBreaksAndJoinsLines) {
  sim::TypeText(M, u"one\rtwo\rthree");
  EXPECT_EQ(M->Text(), u"one\r\ntwo\r\nthree");
  EXPECT_EQ(M->Lines()->Count(), 3);
  EXPECT_EQ(M->CaretPos(), (TPoint{5, 2}));
  sim::KeyDown(M, VK_HOME, {});
  sim::TypeText(M, u"\b");  // joins "three" to "two"
  EXPECT_EQ(M->Text(), u"one\r\ntwothree");
  EXPECT_EQ(M->CaretPos(), (TPoint{3, 1}));
  sim::KeyDown(M, VK_UP, {});
  sim::KeyDown(M, VK_END, {});
  sim::KeyDown(M, VK_DELETE, {});  // joins the next line to this one
  EXPECT_EQ(M->Text(), u"onetwothree");
  EXPECT_TRUE(M->Modified());
  EXPECT_EQ(Changes, 15);  // 13 characters and two deletions
}

TEST_F(Memo, ASelectionOverLinesIsCopiedAndReplaced) {
  M->SetText(u"alpha\r\nbeta\r\ngamma");
  EXPECT_FALSE(M->Modified());
  sim::KeyDown(M, VK_RIGHT, {});
  sim::KeyDown(M, VK_RIGHT, {});
  sim::KeyDown(M, VK_DOWN, TShiftState{ssShift});
  sim::KeyDown(M, VK_DOWN, TShiftState{ssShift});
  EXPECT_EQ(M->SelText(), u"pha\r\nbeta\r\nga");
  sim::KeyPress(M, 3);  // Ctrl+C
  EXPECT_EQ(Clipboard()->AsText(), u"pha\r\nbeta\r\nga");
  sim::TypeText(M, u"X");
  EXPECT_EQ(M->Text(), u"alXmma");
  Clipboard()->SetAsText(u"1\r\n2");
  sim::KeyPress(M, 22);  // Ctrl+V
  EXPECT_EQ(M->Text(), u"alX1\r\n2mma");
  EXPECT_EQ(M->CaretPos(), (TPoint{1, 1}));
}

TEST_F(Memo, ReadOnlyRefusesEditsAndOutsideChangesKeepTheCaretInside) {
  M->SetText(u"a\r\nbb\r\nccc");
  sim::KeyDown(M, VK_END, TShiftState{ssCtrl});
  EXPECT_EQ(M->CaretPos(), (TPoint{3, 2}));
  M->Lines()->Delete(2);
  EXPECT_EQ(M->CaretPos(), (TPoint{2, 1}));
  const int Before = Changes;
  M->SetReadOnly(true);
  sim::TypeText(M, u"x\b");
  sim::KeyDown(M, VK_DELETE, {});
  EXPECT_EQ(M->Text(), u"a\r\nbb");
  EXPECT_EQ(Changes, Before);
  M->SetText(u"last\n");  // a final break opens an empty line
  EXPECT_EQ(M->Lines()->Count(), 2);
}

}  // namespace
}  // namespace orv

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/edit.h"
#include "framework/controls/input.h"
#include "framework/controls/sim.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/clipboard.h"
#include "framework/rtl/unicode.h"
#include "test_helpers.h"

namespace orv {
namespace {

TColor Rgb(TColor C) { return ColorToRGB(C) & 0x00FFFFFF; }

struct EditFixture : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TEdit* Edit = nullptr;
  int Changes = 0;
  void SetUp() override {
    Form->SetBounds(0, 0, 300, 100);
    Edit = new TEdit(Form.get());
    Edit->SetParent(Form.get());
    Edit->SetBounds(10, 10, 150, 24);
    Edit->SetOnChange([this](TObject*) { ++Changes; });
    Form->Show();
    Edit->SetFocus();
    Clipboard()->Clear();
    input::SetHover(nullptr);
  }
  void TearDown() override { input::SetHover(nullptr); }
  void Key(uint16_t K, TShiftState S = {}) {
    sim::KeyDown(Edit, K, S);
    sim::KeyUp(Edit, K, S);
  }
  // What a keyboard sends for Ctrl+letter: the key, then its control character.
  void CtrlKey(char Letter) {
    sim::KeyDown(Edit, static_cast<uint16_t>(Letter), {ssCtrl});
    sim::KeyPress(Edit, static_cast<Char>(Letter - 'A' + 1));
    sim::KeyUp(Edit, static_cast<uint16_t>(Letter), {ssCtrl});
  }
};

// --- Typing and the key order -------------------------------------------------------

TEST_F(EditFixture, TypingInsertsAtTheCaretAndReportsEveryChange) {
  sim::TypeText(Edit, u"abc");
  EXPECT_EQ(Edit->Text(), u"abc");
  EXPECT_EQ(Edit->SelStart(), 3);
  EXPECT_EQ(Changes, 3);
  EXPECT_TRUE(Edit->Modified());
  Key(VK_LEFT);
  sim::TypeText(Edit, u"X");
  EXPECT_EQ(Edit->Text(), u"abXc");
  EXPECT_EQ(Edit->SelStart(), 3);
  // Enter, Escape and Tab characters are not text.
  sim::KeyPress(Edit, u'\r');
  sim::KeyPress(Edit, 0x1B);
  EXPECT_EQ(Edit->Text(), u"abXc");
}

TEST_F(EditFixture, KeyDownThenKeyPressThenChangeInThatOrder) {
  std::vector<std::string> Log;
  Edit->SetOnKeyDown([&](TObject*, uint16_t& K, TShiftState) { Log.push_back("down " + std::to_string(K)); });
  Edit->SetOnKeyPress([&](TObject*, Char& K) { Log.push_back("press " + std::to_string(K)); });
  Edit->SetOnChange([&](TObject*) { Log.push_back("change " + ToUtf8(Edit->Text())); });
  sim::TypeText(Edit, u"a\b");
  EXPECT_EQ(Log, (std::vector<std::string>{"down 65", "press 97", "change a", "down 8", "press 8", "change "}));
}

TEST_F(EditFixture, KeyPressHandlerCancelsCharactersAndBackspace) {
  sim::TypeText(Edit, u"12");
  Edit->SetOnKeyPress([](TObject*, Char& K) {
    if (K == u'x' || K == u'\b') K = 0;
  });
  Changes = 0;
  sim::TypeText(Edit, u"x\b3");
  EXPECT_EQ(Edit->Text(), u"123");
  EXPECT_EQ(Changes, 1);
}

TEST_F(EditFixture, KeyDownHandlerStopsCaretMovement) {
  sim::TypeText(Edit, u"abc");
  Edit->SetOnKeyDown([](TObject*, uint16_t& K, TShiftState) {
    if (K == VK_HOME) K = 0;
  });
  Key(VK_HOME);
  EXPECT_EQ(Edit->SelStart(), 3);
}

// A descendant that checks each change, as numeric fields do: it refuses
// text with letters by putting the previous text back and stepping the caret.
class TDigitsEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
  String Accepted;
  bool Internal = false;
  std::vector<Char> Seen;

 protected:
  void KeyPress(Char& Key) override {
    Seen.push_back(Key);
    TCustomEdit::KeyPress(Key);
    if (Key == u'!') Key = 0;
  }
  void Change() override {
    if (Internal) {
      Internal = false;
      return;
    }
    const String T = Text();
    const bool Ok = T.find_first_not_of(u"0123456789") == String::npos;
    if (Ok) {
      Accepted = T;
      TCustomEdit::Change();
      return;
    }
    const int Caret = SelStart() - 1;
    Internal = true;
    SetText(Accepted);
    SetSelStart(Caret);
  }
};

TEST(EditDescendant, ChangeMayReplaceTheTextAndPlaceTheCaret) {
  TForm Form(nullptr);
  auto* E = new TDigitsEdit(&Form);
  E->SetParent(&Form);
  Form.Show();
  sim::TypeText(E, u"12");
  sim::KeyDown(E, VK_LEFT, {});
  sim::TypeText(E, u"a");
  EXPECT_EQ(E->Text(), u"12");
  EXPECT_EQ(E->SelStart(), 1);
  EXPECT_FALSE(E->Internal);
  // The override sees control characters and may cancel after the inherited call.
  sim::TypeText(E, u"!\b");
  EXPECT_EQ(E->Text(), u"2");
  EXPECT_EQ(E->Seen.back(), u'\b');
}

// --- Caret, selection and deletion --------------------------------------------------

TEST_F(EditFixture, ShiftArrowsHomeAndEndSelect) {
  sim::TypeText(Edit, u"hello");
  Key(VK_LEFT, {ssShift});
  Key(VK_LEFT, {ssShift});
  EXPECT_EQ(Edit->SelStart(), 3);
  EXPECT_EQ(Edit->SelLength(), 2);
  EXPECT_EQ(Edit->SelText(), u"lo");
  EXPECT_EQ(Edit->CaretPos(), 3);
  Key(VK_HOME, {ssShift});
  EXPECT_EQ(Edit->SelText(), u"hello");
  EXPECT_EQ(Edit->CaretPos(), 0);
  // Without Shift an arrow collapses the selection to its side.
  Key(VK_RIGHT);
  EXPECT_EQ(Edit->SelStart(), 5);
  EXPECT_EQ(Edit->SelLength(), 0);
  Key(VK_HOME);
  Key(VK_END, {ssShift});
  EXPECT_EQ(Edit->SelLength(), 5);
  Key(VK_LEFT);
  EXPECT_EQ(Edit->SelStart(), 0);
  EXPECT_EQ(Edit->SelLength(), 0);
  Key(VK_LEFT);  // stays at the start
  EXPECT_EQ(Edit->SelStart(), 0);
}

TEST_F(EditFixture, CtrlArrowsMoveByWords) {
  Edit->SetText(u"one two  three");
  Key(VK_RIGHT, {ssCtrl});
  EXPECT_EQ(Edit->SelStart(), 4);
  Key(VK_RIGHT, {ssCtrl});
  EXPECT_EQ(Edit->SelStart(), 9);
  Key(VK_RIGHT, {ssCtrl});
  EXPECT_EQ(Edit->SelStart(), 14);
  Key(VK_LEFT, {ssCtrl, ssShift});
  EXPECT_EQ(Edit->SelText(), u"three");
  Key(VK_LEFT, {ssCtrl});
  EXPECT_EQ(Edit->SelStart(), 4);
}

TEST_F(EditFixture, TypingBackspaceAndDeleteReplaceTheSelection) {
  sim::TypeText(Edit, u"abcdef");
  Edit->SetSelStart(1);
  Edit->SetSelLength(3);
  sim::TypeText(Edit, u"Z");
  EXPECT_EQ(Edit->Text(), u"aZef");
  EXPECT_EQ(Edit->SelStart(), 2);
  sim::TypeText(Edit, u"\b");
  EXPECT_EQ(Edit->Text(), u"aef");
  Key(VK_DELETE);
  EXPECT_EQ(Edit->Text(), u"af");
  Key(VK_END);
  Key(VK_DELETE);  // nothing after the caret
  sim::TypeText(Edit, u"\b\b\b");
  EXPECT_EQ(Edit->Text(), u"");
  Changes = 0;
  sim::TypeText(Edit, u"\b");  // nothing before the caret: no change
  EXPECT_EQ(Changes, 0);
}

TEST_F(EditFixture, SurrogatePairsAreNeverSplit) {
  const String Clef = u"\U0001D11E";
  Edit->SetText(u"a" + Clef + u"b");
  Key(VK_END);
  Key(VK_LEFT);
  Key(VK_LEFT);
  EXPECT_EQ(Edit->SelStart(), 1);
  Key(VK_RIGHT, {ssShift});
  EXPECT_EQ(Edit->SelText(), Clef);
  Key(VK_RIGHT);
  sim::TypeText(Edit, u"\b");
  EXPECT_EQ(Edit->Text(), u"ab");
}

TEST_F(EditFixture, SelectionPropertiesClampAndSelTextReplaces) {
  Edit->SetText(u"abc");
  Edit->SetSelStart(10);
  EXPECT_EQ(Edit->SelStart(), 3);
  Edit->SetSelStart(-4);
  EXPECT_EQ(Edit->SelStart(), 0);
  Edit->SetSelStart(1);
  Edit->SetSelLength(50);
  EXPECT_EQ(Edit->SelText(), u"bc");
  Edit->SetSelLength(-1);
  EXPECT_EQ(Edit->SelLength(), 0);
  Edit->SetSelLength(1);
  Changes = 0;
  Edit->SetSelText(u"XY");
  EXPECT_EQ(Edit->Text(), u"aXYc");
  EXPECT_EQ(Edit->SelStart(), 3);
  EXPECT_EQ(Changes, 1);
  Edit->SelectAll();
  Edit->ClearSelection();
  EXPECT_EQ(Edit->Text(), u"");
}

// --- Text property -----------------------------------------------------------------

TEST_F(EditFixture, SetTextFiresChangeOnlyWhenDifferentAndResetsState) {
  sim::TypeText(Edit, u"abc");
  ASSERT_TRUE(Edit->Modified());
  Changes = 0;
  Edit->SetText(u"hello");
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Edit->SelStart(), 0);
  EXPECT_FALSE(Edit->Modified());
  EXPECT_FALSE(Edit->CanUndo());
  Edit->SetText(u"hello");
  EXPECT_EQ(Changes, 1);
  Edit->SetMaxLength(2);
  Edit->SetText(u"longer than two");  // a program's text is not limited
  EXPECT_EQ(Edit->Text(), u"longer than two");
}

TEST_F(EditFixture, CharCaseConvertsTypedSetAndExistingText) {
  Edit->SetText(u"MiXed");
  Edit->SetCharCase(ecLowerCase);
  EXPECT_EQ(Edit->Text(), u"mixed");
  Edit->SetCharCase(ecUpperCase);
  sim::TypeText(Edit, u"ab");
  Edit->SetSelStart(0);
  EXPECT_EQ(Edit->Text().substr(0, 2), u"AB");
}

TEST_F(EditFixture, MaxLengthCutsTypingAndPasting) {
  Edit->SetMaxLength(4);
  sim::TypeText(Edit, u"abcdef");
  EXPECT_EQ(Edit->Text(), u"abcd");
  Edit->SetSelStart(1);
  Edit->SetSelLength(1);
  Clipboard()->SetAsText(u"XYZ");
  Edit->PasteFromClipboard();
  EXPECT_EQ(Edit->Text(), u"aXcd");
  Changes = 0;
  Edit->PasteFromClipboard();  // no room: nothing changes
  EXPECT_EQ(Edit->Text(), u"aXcd");
  EXPECT_EQ(Changes, 0);
}

TEST_F(EditFixture, ReadOnlyRefusesChangesButSelectsAndCopies) {
  Edit->SetText(u"fixed");
  Edit->SetReadOnly(true);
  Changes = 0;
  sim::TypeText(Edit, u"x\b");
  Key(VK_DELETE);
  Clipboard()->SetAsText(u"paste");
  CtrlKey('V');
  Key(VK_DELETE, {ssShift});
  EXPECT_EQ(Edit->Text(), u"fixed");
  EXPECT_EQ(Changes, 0);
  Key(VK_END, {ssShift});
  CtrlKey('C');
  EXPECT_EQ(Clipboard()->AsText(), u"fixed");
}

// --- Clipboard and undo --------------------------------------------------------------

TEST_F(EditFixture, ClipboardShortcutsActOnceEachWhicheverWayTheyArrive) {
  sim::TypeText(Edit, u"abc");
  CtrlKey('A');
  EXPECT_EQ(Edit->SelLength(), 3);
  CtrlKey('C');
  EXPECT_EQ(Clipboard()->AsText(), u"abc");
  Key(VK_END);
  CtrlKey('V');  // key-down and the following #22 paste only once
  EXPECT_EQ(Edit->Text(), u"abcabc");
  sim::KeyPress(Edit, 22);  // the character alone pastes too
  EXPECT_EQ(Edit->Text(), u"abcabcabc");
  Key(VK_HOME, {ssShift});
  Key(VK_RIGHT, {ssShift});
  Key(VK_RIGHT, {ssShift});
  EXPECT_EQ(Edit->SelStart(), 2);
  EXPECT_EQ(Edit->SelLength(), 7);
  CtrlKey('X');
  EXPECT_EQ(Edit->Text(), u"ab");
  EXPECT_EQ(Clipboard()->AsText(), u"cabcabc");
  Key(VK_HOME);
  Key(VK_INSERT, {ssShift});
  EXPECT_EQ(Edit->Text(), u"cabcabcab");
  Key(VK_HOME);
  Key(VK_END, {ssShift});
  Key(VK_INSERT, {ssCtrl});
  Key(VK_DELETE, {ssShift});
  EXPECT_EQ(Edit->Text(), u"");
  EXPECT_EQ(Clipboard()->AsText(), u"cabcabcab");
}

TEST_F(EditFixture, PasteTakesTheFirstLineOnly) {
  Clipboard()->SetAsText(u"first\r\nsecond");
  Edit->PasteFromClipboard();
  EXPECT_EQ(Edit->Text(), u"first");
}

TEST_F(EditFixture, PasswordTextCannotBeCopied) {
  Edit->SetPasswordChar(u'*');
  sim::TypeText(Edit, u"secret");
  Edit->SelectAll();
  Clipboard()->SetAsText(u"before");
  Edit->CopyToClipboard();
  Edit->CutToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), u"before");
  EXPECT_EQ(Edit->Text(), u"secret");
}

TEST_F(EditFixture, UndoTogglesTheLastChange) {
  sim::TypeText(Edit, u"ab");
  CtrlKey('Z');
  EXPECT_EQ(Edit->Text(), u"a");
  EXPECT_EQ(Edit->SelStart(), 1);
  Edit->Undo();
  EXPECT_EQ(Edit->Text(), u"ab");
}

// --- Focus and mouse ------------------------------------------------------------------

TEST_F(EditFixture, AutoSelectOnTabEntryButNotOnClick) {
  auto* Other = new TEdit(Form.get());
  Other->SetParent(Form.get());
  Other->SetBounds(10, 50, 150, 24);
  Other->SetText(u"other text");
  sim::KeyDown(Edit, VK_TAB, {});
  ASSERT_TRUE(Other->Focused());
  EXPECT_EQ(Other->SelLength(), 10);

  Edit->SetText(u"clicked");
  sim::Click(Edit, 3, 5);
  ASSERT_TRUE(Edit->Focused());
  EXPECT_EQ(Edit->SelLength(), 0);
  EXPECT_EQ(Edit->SelStart(), 0);

  Other->SetAutoSelect(false);
  Other->SetSelStart(0);  // leaving kept the earlier selection
  sim::KeyDown(Edit, VK_TAB, {});
  ASSERT_TRUE(Other->Focused());
  EXPECT_EQ(Other->SelLength(), 0);
}

TEST_F(EditFixture, ClickPlacesTheCaretAndDragSelects) {
  Edit->SetText(u"abcdef");
  Edit->SetSelStart(3);
  const int XOf3 = Edit->CaretX();
  sim::Click(Edit, Edit->Width() - 4, 5);
  EXPECT_EQ(Edit->SelStart(), 6);
  sim::Click(Edit, XOf3, 5);
  EXPECT_EQ(Edit->SelStart(), 3);
  EXPECT_EQ(Edit->PosFromX(-50), 0);
  sim::MouseDown(Edit, mbLeft, {}, XOf3, 5);
  sim::MouseMove(Edit, {ssLeft}, Edit->Width() + 40, 5);  // dragged past the edge
  sim::MouseUp(Edit, mbLeft, {}, Edit->Width() + 40, 5);
  EXPECT_EQ(Edit->SelText(), u"def");
  sim::MouseMove(Edit, {}, 0, 5);  // released: moving no longer selects
  EXPECT_EQ(Edit->SelText(), u"def");
  sim::MouseDown(Edit, mbLeft, {ssShift}, 0, 5);
  sim::MouseUp(Edit, mbLeft, {}, 0, 5);
  EXPECT_EQ(Edit->SelText(), u"abc");
}

TEST_F(EditFixture, DoubleClickSelectsTheWord) {
  Edit->SetText(u"one two three");
  Edit->SetSelStart(5);
  const int X = Edit->CaretX();
  sim::DblClick(Edit, X, 5);
  EXPECT_EQ(Edit->SelText(), u"two");
}

TEST_F(EditFixture, LongTextScrollsToKeepTheCaretInside) {
  Edit->SetWidth(60);
  sim::TypeText(Edit, u"a fairly long line of text that cannot fit");
  EXPECT_GT(Edit->CaretX(), 0);
  EXPECT_LT(Edit->CaretX(), Edit->Width());
  Key(VK_HOME);
  EXPECT_EQ(Edit->CaretX(), 3);  // frame and margin
  Key(VK_END);
  EXPECT_LT(Edit->CaretX(), Edit->Width());
  // Deleting everything scrolls back.
  Key(VK_HOME, {ssShift});
  Key(VK_DELETE);
  EXPECT_EQ(Edit->CaretX(), 3);
}

// --- Painting -----------------------------------------------------------------------------

struct EditPaint : EditFixture {
  TBitmap Bmp{160, 30};
  TColor At(int X, int Y) { return Bmp.Canvas()->Pixels(X, Y); }
  void Render() { Edit->PaintTo(Bmp.Canvas(), 0, 0); }
};

TEST_F(EditPaint, SunkenFrameAndWindowBackground) {
  Render();
  const int W = Edit->Width();
  const int H = Edit->Height();
  EXPECT_EQ(At(0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(At(1, 1), Rgb(cl3DDkShadow));
  EXPECT_EQ(At(W - 1, H - 1), Rgb(clBtnHighlight));
  EXPECT_EQ(At(W - 2, H - 2), Rgb(cl3DLight));
  EXPECT_EQ(At(W / 2, H - 3), Rgb(clWindow));
  Edit->SetBorderStyle(bsNone);
  Render();
  EXPECT_EQ(At(0, 0), Rgb(clWindow));
}

TEST_F(EditPaint, CaretShowsOnlyWhileFocused) {
  Edit->SetText(u"  ");
  Edit->SetSelStart(1);
  Render();
  const int X = Edit->CaretX();
  const int Y = Edit->Height() / 2;
  EXPECT_EQ(At(X, Y), Rgb(clWindow) ^ 0xFFFFFF);
  EXPECT_EQ(At(X + 1, Y), Rgb(clWindow));
  Form->SetFocusedControl(nullptr);
  Render();
  EXPECT_EQ(At(X, Y), Rgb(clWindow));
}

TEST_F(EditPaint, SelectionIsHighlightedAndHiddenWithoutFocus) {
  Edit->SetText(u"a      b");
  Edit->SetSelStart(2);
  const int From = Edit->CaretX();
  Edit->SetSelLength(4);
  const int To = Edit->CaretX();
  ASSERT_GT(To - From, 4);
  Render();
  const int Y = Edit->Height() / 2;
  EXPECT_EQ(At((From + To) / 2, Y), Rgb(clHighlight));
  EXPECT_EQ(At(From - 2, Y), Rgb(clWindow));
  Form->SetFocusedControl(nullptr);
  Render();
  EXPECT_EQ(At((From + To) / 2, Y), Rgb(clWindow));
  Edit->SetHideSelection(false);
  Render();
  EXPECT_EQ(At((From + To) / 2, Y), Rgb(clHighlight));
}

TEST_F(EditPaint, AutoSizeFollowsTheFont) {
  const int Before = Edit->Height();
  Edit->Font()->SetSize(20);
  EXPECT_GT(Edit->Height(), Before + 10);
  Edit->SetAutoSize(false);
  Edit->SetHeight(12);
  Edit->Font()->SetSize(9);
  EXPECT_EQ(Edit->Height(), 12);
}

}  // namespace
}  // namespace orv

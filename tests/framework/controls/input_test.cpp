#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "framework/controls/input.h"
#include "framework/controls/sim.h"
#include "framework/rtl/exceptions.h"
#include "test_helpers.h"

namespace orv {
namespace {

using testing::TBox;
using testing::TPanelBox;

std::string ButtonName(TMouseButton B) { return B == mbLeft ? "L" : B == mbRight ? "R" : "M"; }

// Joins the arguments as text (streams keep clear of a false alarm g++ 12
// raises on chains of string additions).
template <typename... A>
std::string Cat(const A&... Parts) {
  std::ostringstream Out;
  (Out << ... << Parts);
  return Out.str();
}

// Logs every mouse event of a control as text.
void Record(TControl* C, const std::string& Name, std::vector<std::string>& Log) {
  C->SetOnMouseDown([&Log, Name](TObject*, TMouseButton B, TShiftState S, int X, int Y) {
    Log.push_back(Cat(Name, " down", ButtonName(B), S.Contains(ssDouble) ? "2" : "", S.Contains(ssLeft) ? "+" : "", " ", X,
                      ",", Y));
  });
  C->SetOnMouseUp([&Log, Name](TObject*, TMouseButton B, TShiftState, int X, int Y) {
    Log.push_back(Cat(Name, " up", ButtonName(B), " ", X, ",", Y));
  });
  C->SetOnMouseMove([&Log, Name](TObject*, TShiftState, int X, int Y) {
    Log.push_back(Cat(Name, " move ", X, ",", Y));
  });
  C->SetOnClick([&Log, Name](TObject*) { Log.push_back(Cat(Name, " click")); });
  C->SetOnDblClick([&Log, Name](TObject*) { Log.push_back(Cat(Name, " dblclick")); });
  C->SetOnMouseEnter([&Log, Name](TObject*) { Log.push_back(Cat(Name, " enter")); });
  C->SetOnMouseLeave([&Log, Name](TObject*) { Log.push_back(Cat(Name, " leave")); });
}

struct MouseFixture : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TBox* A = nullptr;
  TBox* B = nullptr;
  std::vector<std::string> Log;
  void SetUp() override {
    Form->SetBounds(0, 0, 200, 100);
    A = new TBox(Form.get());
    A->SetParent(Form.get());
    A->SetBounds(10, 10, 40, 40);
    B = new TBox(Form.get());
    B->SetParent(Form.get());
    B->SetBounds(100, 10, 40, 40);
    Form->Show();
    input::SetHover(nullptr);
  }
  void TearDown() override { input::SetHover(nullptr); }
};

TEST_F(MouseFixture, ClickIsDownThenUpInsideAndFiresClickBeforeMouseUp) {
  Record(A, "A", Log);
  sim::Click(A, 5, 6);
  EXPECT_EQ(Log, (std::vector<std::string>{"A enter", "A downL+ 5,6", "A click", "A upL 5,6"}));
}

TEST_F(MouseFixture, CaptureSendsMovesAndReleaseToThePressedControl) {
  Record(A, "A", Log);
  Record(B, "B", Log);
  sim::MouseDown(A, mbLeft, {}, 5, 5);
  Log.clear();
  // The pointer travels onto B (form x 110 = A's client x 100).
  sim::MouseMove(B, {}, 10, 5);
  sim::MouseUp(B, mbLeft, {}, 10, 5);
  EXPECT_EQ(Log, (std::vector<std::string>{"A leave", "B enter", "A move 100,5", "A upL 100,5"}));
  EXPECT_EQ(input::CaptureControl(), nullptr);
  // Released outside: no click. Afterwards B gets its own input again.
  Log.clear();
  sim::MouseMove(B, {}, 11, 5);
  EXPECT_EQ(Log, (std::vector<std::string>{"B move 11,5"}));
}

TEST_F(MouseFixture, DoubleClickSequence) {
  Record(A, "A", Log);
  sim::DblClick(A, 3, 4);
  EXPECT_EQ(Log, (std::vector<std::string>{"A enter", "A downL+ 3,4", "A click", "A upL 3,4", "A dblclick",
                                           "A downL2+ 3,4", "A upL 3,4"}));
}

TEST_F(MouseFixture, RightButtonAndDisabledControls) {
  Record(A, "A", Log);
  sim::MouseDown(A, mbRight, {}, 1, 1);
  sim::MouseUp(A, mbRight, {}, 1, 1);
  EXPECT_EQ(Log, (std::vector<std::string>{"A enter", "A downR 1,1", "A upR 1,1"}));  // no click
  Log.clear();
  A->SetEnabled(false);
  sim::Click(A, 1, 1);
  for (const std::string& L : Log) EXPECT_TRUE(L.find("down") == std::string::npos) << L;
  Form->SetEnabled(false);
  A->SetEnabled(true);
  Log.clear();
  sim::Click(A, 1, 1);  // a disabled parent disables the child too
  for (const std::string& L : Log) EXPECT_TRUE(L.find("click") == std::string::npos) << L;
  Form->SetEnabled(true);
}

TEST_F(MouseFixture, EnterLeaveFollowThePointer) {
  Record(A, "A", Log);
  Record(B, "B", Log);
  sim::MouseMove(A, {}, 1, 1);
  sim::MouseMove(A, {}, 2, 1);
  sim::MouseMove(B, {}, 1, 1);
  sim::MouseLeave(B);
  EXPECT_EQ(Log, (std::vector<std::string>{"A enter", "A move 1,1", "A move 2,1", "A leave", "B enter",
                                           "B move 1,1", "B leave"}));
  Log.clear();
  sim::MouseEnter(A);
  sim::MouseEnter(A);  // already there: nothing new
  EXPECT_EQ(Log, (std::vector<std::string>{"A enter"}));
}

TEST_F(MouseFixture, FormInputHitsTheTopmostControl) {
  Record(A, "A", Log);
  Record(B, "B", Log);
  auto* C = new TBox(Form.get());
  C->SetParent(Form.get());
  C->SetBounds(30, 30, 20, 20);  // over A's lower right corner
  Record(C, "C", Log);
  input::FormMouseDown(Form.get(), mbLeft, {}, 35, 35);
  input::FormMouseUp(Form.get(), mbLeft, {}, 35, 35);
  input::FormMouseDown(Form.get(), mbLeft, {}, 15, 15);
  input::FormMouseUp(Form.get(), mbLeft, {}, 15, 15);
  EXPECT_EQ(Log, (std::vector<std::string>{"C enter", "C downL+ 5,5", "C click", "C upL 5,5", "C leave", "A enter",
                                           "A downL+ 5,5", "A click", "A upL 5,5"}));
}

TEST_F(MouseFixture, DeletingTheCapturedControlReleasesTheCapture) {
  sim::MouseDown(A, mbLeft, {}, 1, 1);
  EXPECT_EQ(input::CaptureControl(), A);
  delete A;
  EXPECT_EQ(input::CaptureControl(), nullptr);
  EXPECT_EQ(input::Hover(), nullptr);
  Record(B, "B", Log);
  sim::MouseMove(B, {}, 1, 1);
  EXPECT_EQ(Log, (std::vector<std::string>{"B enter", "B move 1,1"}));
}

TEST_F(MouseFixture, WheelGoesUpToTheParentUntilHandled) {
  std::vector<std::string> Wheel;
  A->SetOnMouseWheelDown([&](TObject*, TShiftState, TPoint, bool&) { Wheel.push_back("A down"); });
  Form->SetOnMouseWheel([&](TObject*, TShiftState, int Delta, TPoint P, bool& Handled) {
    Wheel.push_back(Cat("form ", Delta, " ", P.X));
    Handled = true;
  });
  sim::MouseWheel(A, {}, -120, 4, 4);
  EXPECT_EQ(Wheel, (std::vector<std::string>{"A down", "form -120 14"}));
  Wheel.clear();
  A->SetOnMouseWheelUp([&](TObject*, TShiftState, TPoint, bool& Handled) {
    Wheel.push_back("A up");
    Handled = true;
  });
  sim::MouseWheel(A, {}, 120, 4, 4);
  EXPECT_EQ(Wheel, (std::vector<std::string>{"A up"}));
}

// --- Keyboard -------------------------------------------------------------------

struct KeyFixture : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TPanelBox* P1 = nullptr;
  TPanelBox* P2 = nullptr;
  TPanelBox* P3 = nullptr;
  void SetUp() override {
    Form->SetBounds(0, 0, 200, 100);
    for (TPanelBox** P : {&P1, &P2, &P3}) {
      *P = new TPanelBox(Form.get());
      (*P)->SetParent(Form.get());
      (*P)->SetTabStop(true);
    }
    P1->SetName(u"P1");
    P2->SetName(u"P2");
    P3->SetName(u"P3");
  }
  String FocusedName() const { return Form->ActiveControl() ? Form->ActiveControl()->Name() : u"-"; }
};

TEST_F(KeyFixture, TabMovesInTabOrderSkippingUnfocusableAndWraps) {
  P1->SetTabOrder(2);  // order now P2, P3, P1
  Form->Show();
  EXPECT_EQ(FocusedName(), u"P2");  // first in tab order gets the focus
  EXPECT_TRUE(P2->Focused());
  sim::KeyDown(P2, VK_TAB, {});
  EXPECT_EQ(FocusedName(), u"P3");
  sim::KeyDown(P3, VK_TAB, {});
  EXPECT_EQ(FocusedName(), u"P1");
  sim::KeyDown(P1, VK_TAB, {});
  EXPECT_EQ(FocusedName(), u"P2");  // wrapped around
  sim::KeyDown(P2, VK_TAB, {ssShift});
  EXPECT_EQ(FocusedName(), u"P1");  // backwards

  P3->SetEnabled(false);
  P2->SetTabStop(false);
  sim::KeyDown(P1, VK_TAB, {});
  EXPECT_EQ(FocusedName(), u"P1");  // nothing else can take it
  P3->SetEnabled(true);
  P3->Hide();
  sim::KeyDown(P1, VK_TAB, {ssShift});
  EXPECT_EQ(FocusedName(), u"P1");
  P3->Show();
  sim::KeyDown(P1, VK_TAB, {ssShift});
  EXPECT_EQ(FocusedName(), u"P3");
}

TEST_F(KeyFixture, FocusFiresExitAndEnterAndChecksFocusability) {
  Form->Show();
  P1->SetFocus();
  P1->Log.clear();
  P2->SetFocus();
  EXPECT_EQ(P1->Log, (std::vector<std::string>{"exit"}));
  EXPECT_EQ(P2->Log, (std::vector<std::string>{"enter"}));
  EXPECT_TRUE(P2->Focused());
  EXPECT_FALSE(P1->Focused());
  P3->SetEnabled(false);
  EXPECT_FALSE(P3->CanFocus());
  EXPECT_THROW(P3->SetFocus(), EInvalidOperation);
  // Disabling the focused control hands the focus back to the form.
  P2->SetEnabled(false);
  EXPECT_EQ(Form->ActiveControl(), nullptr);
  Form->Hide();
  EXPECT_FALSE(P1->CanFocus());  // the form is not showing
}

TEST_F(KeyFixture, KeyPreviewSeesKeysFirstAndZeroStops) {
  std::vector<std::string> Log;
  Form->SetOnKeyDown([&](TObject*, uint16_t& Key, TShiftState) {
    Log.push_back(Cat("form down ", Key));
    if (Key == VK_ESCAPE) Key = 0;
  });
  Form->SetOnKeyPress([&](TObject*, Char& Key) {
    Log.push_back(Cat("form press ", static_cast<char>(Key)));
    if (Key == u'x') Key = u'y';  // the control goes on with the changed key
  });
  P1->SetOnKeyDown([&](TObject*, uint16_t& Key, TShiftState) { Log.push_back(Cat("P1 down ", Key)); });
  P1->SetOnKeyPress([&](TObject*, Char& Key) { Log.push_back(Cat("P1 press ", static_cast<char>(Key))); });
  P1->SetOnKeyUp([&](TObject*, uint16_t& Key, TShiftState) { Log.push_back(Cat("P1 up ", Key)); });

  sim::KeyDown(P1, VK_ESCAPE, {});
  EXPECT_EQ(Log, (std::vector<std::string>{"P1 down 27"}));  // no preview yet
  Log.clear();
  Form->SetKeyPreview(true);
  sim::KeyDown(P1, VK_ESCAPE, {});
  sim::KeyDown(P1, VK_RETURN, {});
  sim::KeyPress(P1, u'x');
  EXPECT_EQ(Log, (std::vector<std::string>{"form down 27", "form down 13", "P1 down 13", "form press x", "P1 press y"}));

  // Key = 0 in the control's own handler stops Tab navigation.
  Form->SetKeyPreview(false);
  Form->Show();
  P1->SetFocus();
  P1->SetOnKeyDown([](TObject*, uint16_t& Key, TShiftState) { Key = 0; });
  sim::KeyDown(P1, VK_TAB, {});
  EXPECT_EQ(Form->ActiveControl(), P1);
}

TEST_F(KeyFixture, TypeTextSendsDownPressUpPerCharacter) {
  std::vector<std::string> Log;
  P1->SetOnKeyDown([&](TObject*, uint16_t& Key, TShiftState S) {
    Log.push_back(Cat("d", Key, S.Contains(ssShift) ? "S" : ""));
  });
  P1->SetOnKeyPress([&](TObject*, Char& Key) { Log.push_back(Cat("p", static_cast<char>(Key))); });
  P1->SetOnKeyUp([&](TObject*, uint16_t& Key, TShiftState) { Log.push_back(Cat("u", Key)); });
  sim::TypeText(P1, u"aB1.");
  EXPECT_EQ(Log, (std::vector<std::string>{"d65", "pa", "u65", "d66S", "pB", "u66", "d49", "p1", "u49", "d190", "p.",
                                           "u190"}));
  Log.clear();
  sim::TypeText(P1, u"\u00e9");  // no key of its own: only the character
  EXPECT_EQ(Log, (std::vector<std::string>{"p\xe9"}));
}

}  // namespace
}  // namespace orv

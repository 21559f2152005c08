// The auto-repeat speed button: timing of repeat clicks in virtual time,
// what ends a repetition, interval rules, the timer failure and the life of
// the hidden timer window.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/basetypes.h"
#include "framework/controls/application.h"
#include "framework/controls/sim.h"
#include "framework/controls/timers.h"
#include "framework/forms/form.h"
#include "repsbut/repsbut.h"

namespace orv {
namespace {

// A form with one repeat button at (10, 10), 40 x 30, that logs the virtual
// time (ms since the fixture started) of every repeat click and click.
struct RepButtonTest : ::testing::Test {
  std::unique_ptr<TForm> Form;
  TRepSpeedButton* Btn = nullptr;
  std::vector<int64_t> Repeats;
  int Clicks = 0;
  int64_t Start = 0;

  void SetUp() override {
    sim::SetTimerFailure(false);
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 200, 120);
    Btn = new TRepSpeedButton(Form.get());
    Btn->SetName(u"RepBtn");
    Btn->SetParent(Form.get());
    Btn->SetBounds(10, 10, 40, 30);
    Btn->SetOnRepeatClick([this](TObject* Sender) {
      EXPECT_EQ(Sender, Btn);
      Repeats.push_back(timers::Now() - Start);
    });
    Btn->SetOnClick([this](TObject*) { ++Clicks; });
    Start = timers::Now();
  }
  void TearDown() override {
    sim::SetTimerFailure(false);
    Application->SetOnException(nullptr);
    Form.reset();
  }
  void Press() { sim::MouseDown(Btn, mbLeft, TShiftState{}, 20, 15); }
  void Release() { sim::MouseUp(Btn, mbLeft, TShiftState{}, 20, 15); }
  // Moves the clock to T ms after the fixture started.
  void AdvanceTo(int64_t T) { Application->AdvanceTime(static_cast<int>(Start + T - timers::Now())); }
};

using Times = std::vector<int64_t>;

TEST_F(RepButtonTest, StartsWithDefaultIntervalsAndAHiddenWindow) {
  TRepSpeedButton B(nullptr);
  EXPECT_EQ(B.StartClickInterval(), 500);
  EXPECT_EQ(B.RepeatClickInterval(), 200);
  EXPECT_FALSE(B.OnRepeatClick());
  EXPECT_FALSE(B.Repeating());
  EXPECT_NE(B.TimerHandle(), 0u);
  EXPECT_NE(B.TimerHandle(), Btn->TimerHandle());
}

TEST_F(RepButtonTest, HeldPressRepeatsAfterTheStartDelayThenAtTheInterval) {
  Press();
  EXPECT_TRUE(Btn->Repeating());
  AdvanceTo(499);
  EXPECT_TRUE(Repeats.empty());
  AdvanceTo(500);
  EXPECT_EQ(Repeats, (Times{500}));
  EXPECT_FALSE(Btn->InStartPhase());
  AdvanceTo(950);
  EXPECT_EQ(Repeats, (Times{500, 700, 900}));
  EXPECT_EQ(Clicks, 0);
  Release();
  EXPECT_EQ(Clicks, 1);
  EXPECT_FALSE(Btn->Repeating());
  AdvanceTo(3000);
  EXPECT_EQ(Repeats.size(), 3u);
}

TEST_F(RepButtonTest, ShortClickFiresOnlyOnClickAndANewPressStartsOver) {
  Press();
  AdvanceTo(499);
  Release();
  AdvanceTo(2000);
  EXPECT_TRUE(Repeats.empty());
  EXPECT_EQ(Clicks, 1);
  // The next press waits the whole start delay again.
  Press();
  AdvanceTo(2400);
  EXPECT_TRUE(Repeats.empty());
  AdvanceTo(2700);
  EXPECT_EQ(Repeats, (Times{2500, 2700}));
  Release();
}

TEST_F(RepButtonTest, OtherMouseButtonsNeverRepeat) {
  sim::MouseDown(Btn, mbRight, TShiftState{}, 20, 15);
  sim::MouseDown(Btn, mbMiddle, TShiftState{}, 20, 15);
  EXPECT_FALSE(Btn->Repeating());
  AdvanceTo(2000);
  EXPECT_TRUE(Repeats.empty());
  sim::MouseUp(Btn, mbMiddle, TShiftState{}, 20, 15);
  sim::MouseUp(Btn, mbRight, TShiftState{}, 20, 15);
  EXPECT_EQ(timers::ActiveTimerCount(), 0);
}

TEST_F(RepButtonTest, LeavingTheButtonStopsAtOnceWithoutAClick) {
  Press();
  AdvanceTo(750);
  ASSERT_EQ(Repeats, (Times{500, 700}));
  // Dragging the pointer off the button while still holding it.
  sim::MouseMove(Btn, TShiftState{ssLeft}, 150, 100);
  EXPECT_FALSE(Btn->Repeating());
  AdvanceTo(3000);
  EXPECT_EQ(Repeats, (Times{500, 700}));
  // The release that follows elsewhere is no click either.
  sim::MouseUp(Btn, mbLeft, TShiftState{}, 150, 100);
  EXPECT_EQ(Clicks, 0);
}

TEST_F(RepButtonTest, MouseLeaveMessageStopsAHeldButtonAndIgnoresAnIdleOne) {
  sim::MouseLeave(Btn);
  EXPECT_FALSE(Btn->Repeating());
  Press();
  AdvanceTo(100);
  sim::MouseLeave(Btn);
  EXPECT_FALSE(Btn->Repeating());
  EXPECT_EQ(timers::ActiveTimerCount(), 0);
  AdvanceTo(1000);
  EXPECT_TRUE(Repeats.empty());
}

TEST_F(RepButtonTest, DisablingAHeldButtonStopsTheRepetition) {
  Press();
  AdvanceTo(500);
  Btn->SetEnabled(false);
  AdvanceTo(1500);
  EXPECT_EQ(Repeats, (Times{500}));
  EXPECT_FALSE(Btn->Repeating());
}

TEST_F(RepButtonTest, IntervalsBelowTenBecomeTen) {
  Btn->SetRepeatClickInterval(3);
  Btn->SetStartClickInterval(-50);
  EXPECT_EQ(Btn->RepeatClickInterval(), 10);
  EXPECT_EQ(Btn->StartClickInterval(), 10);
  Press();
  AdvanceTo(35);
  EXPECT_EQ(Repeats, (Times{10, 20, 30}));
  Release();
}

TEST_F(RepButtonTest, ChangingIntervalsWhileHeldRestartsTheTimer) {
  Press();
  AdvanceTo(700);
  ASSERT_EQ(Repeats, (Times{500, 700}));
  AdvanceTo(750);
  // The new repeat interval counts from the change.
  Btn->SetRepeatClickInterval(100);
  AdvanceTo(1000);
  EXPECT_EQ(Repeats, (Times{500, 700, 850, 950}));
  // A new start delay puts the button back into its start phase.
  Btn->SetStartClickInterval(300);
  EXPECT_TRUE(Btn->InStartPhase());
  AdvanceTo(1400);
  EXPECT_EQ(Repeats, (Times{500, 700, 850, 950, 1300, 1400}));
  Release();
}

TEST_F(RepButtonTest, SettersOnAnIdleButtonArmNoTimer) {
  Btn->SetRepeatClickInterval(50);
  Btn->SetStartClickInterval(60);
  Btn->SetOnRepeatClick([this](TObject*) { Repeats.push_back(-1); });
  EXPECT_EQ(timers::ActiveTimerCount(), 0);
  AdvanceTo(1000);
  EXPECT_TRUE(Repeats.empty());
}

TEST_F(RepButtonTest, RepeatClickEventRunsBeforeTheHandlerOnEveryTick) {
  struct TLoggingButton : TRepSpeedButton {
    using TRepSpeedButton::TRepSpeedButton;
    std::vector<std::string>* Log = nullptr;
    void RepeatClickEvent() override { Log->push_back("hook"); }
  };
  std::vector<std::string> Log;
  auto* B = new TLoggingButton(Form.get());
  B->Log = &Log;
  B->SetParent(Form.get());
  B->SetBounds(100, 10, 40, 30);
  B->SetOnRepeatClick([&](TObject*) { Log.push_back("event"); });
  sim::MouseDown(B, mbLeft, TShiftState{}, 5, 5);
  AdvanceTo(700);
  sim::MouseUp(B, mbLeft, TShiftState{}, 5, 5);
  EXPECT_EQ(Log, (std::vector<std::string>{"hook", "event", "hook", "event"}));
}

TEST_F(RepButtonTest, NoTimerOnPressRaisesTheComponentError) {
  sim::SetTimerFailure(true);
  try {
    Press();
    FAIL() << "the press should have raised";
  } catch (const EORVRepSpeedButton& E) {
    EXPECT_EQ(E.Message(), u"Component \"RepBtn\": no timer available");
    EXPECT_STREQ(E.what(), "Component \"RepBtn\": no timer available");
  }
  sim::SetTimerFailure(false);
  Release();
  AdvanceTo(2000);
  EXPECT_TRUE(Repeats.empty());
}

TEST_F(RepButtonTest, NoTimerInsideATickGoesToTheApplicationHandler) {
  std::vector<String> Errors;
  TObject* ErrorSender = nullptr;
  Application->SetOnException([&](TObject* Sender, Exception* E) {
    ErrorSender = Sender;
    Errors.push_back(E->Message());
  });
  Press();
  // The first tick has to switch to the repeat timer, which now fails.
  sim::SetTimerFailure(true);
  AdvanceTo(600);
  sim::SetTimerFailure(false);
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_EQ(Errors[0], u"Component \"RepBtn\": no timer available");
  EXPECT_EQ(ErrorSender, Btn);
  EXPECT_TRUE(Repeats.empty());
  Release();
}

TEST_F(RepButtonTest, NoTimerFromASetterWhileHeld) {
  Press();
  sim::SetTimerFailure(true);
  EXPECT_THROW(Btn->SetRepeatClickInterval(300), EORVRepSpeedButton);
  EXPECT_EQ(Btn->RepeatClickInterval(), 300);
  sim::SetTimerFailure(false);
  Release();
}

TEST_F(RepButtonTest, HandlerExceptionsGoToTheApplicationAndRepetitionGoesOn) {
  int Errors = 0;
  Application->SetOnException([&](TObject*, Exception*) { ++Errors; });
  Btn->SetOnRepeatClick([this](TObject*) {
    Repeats.push_back(timers::Now() - Start);
    throw EORVError(u"handler failed");
  });
  Press();
  AdvanceTo(900);
  EXPECT_EQ(Errors, 3);
  EXPECT_EQ(Repeats, (Times{500, 700, 900}));
  Release();
}

TEST_F(RepButtonTest, DestroyingAHeldButtonKillsItsTimer) {
  const int Before = timers::ActiveTimerCount();
  Press();
  EXPECT_EQ(timers::ActiveTimerCount(), Before + 1);
  delete Btn;
  EXPECT_EQ(timers::ActiveTimerCount(), Before);
  AdvanceTo(2000);
  EXPECT_TRUE(Repeats.empty());
}

TEST_F(RepButtonTest, AHandlerMayFreeTheButton) {
  Btn->SetOnRepeatClick([this](TObject*) {
    Repeats.push_back(timers::Now() - Start);
    delete Btn;
    Btn = nullptr;
  });
  Press();
  AdvanceTo(2000);
  EXPECT_EQ(Repeats, (Times{500}));
  EXPECT_EQ(timers::ActiveTimerCount(), 0);
}

}  // namespace
}  // namespace orv

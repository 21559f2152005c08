#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/application.h"
#include "framework/controls/sim.h"
#include "framework/controls/timercomponent.h"
#include "framework/controls/timers.h"

namespace orv {
namespace {

struct TimerComponent : ::testing::Test {
  void TearDown() override { sim::SetTimerFailure(false); }
};

TEST_F(TimerComponent, RunsOnlyWhileEnabledWithIntervalAndHandler) {
  auto Timer = std::make_unique<TTimer>(nullptr);
  EXPECT_TRUE(Timer->Enabled());
  EXPECT_EQ(Timer->Interval(), 1000u);
  int Ticks = 0;
  Application->AdvanceTime(2000);  // no handler yet: nothing is armed
  Timer->SetInterval(250);
  Timer->SetOnTimer([&](TObject* Sender) {
    EXPECT_EQ(Sender, Timer.get());
    ++Ticks;
  });
  Application->AdvanceTime(1000);
  EXPECT_EQ(Ticks, 4);
  Timer->SetEnabled(false);
  Application->AdvanceTime(1000);
  EXPECT_EQ(Ticks, 4);
  // Enabling again counts the interval from now; so does a new interval.
  Application->AdvanceTime(100);
  Timer->SetEnabled(true);
  Application->AdvanceTime(249);
  EXPECT_EQ(Ticks, 4);
  Application->AdvanceTime(1);
  EXPECT_EQ(Ticks, 5);
  Timer->SetInterval(0);
  Application->AdvanceTime(1000);
  EXPECT_EQ(Ticks, 5);
}

TEST_F(TimerComponent, RefusedStartRaisesAndAHandlerMayFreeTheTimer) {
  auto* Timer = new TTimer(nullptr);
  sim::SetTimerFailure(true);
  try {
    Timer->SetOnTimer([](TObject*) {});
    FAIL() << "no exception";
  } catch (const EOutOfResources& E) {
    EXPECT_EQ(E.Message(), u"Not enough timers available");
  }
  sim::SetTimerFailure(false);
  int Ticks = 0;
  Timer->SetInterval(100);
  Timer->SetOnTimer([&](TObject* Sender) {
    ++Ticks;
    delete Sender;
  });
  const int Before = timers::ActiveTimerCount();
  Application->AdvanceTime(500);
  EXPECT_EQ(Ticks, 1);
  EXPECT_EQ(timers::ActiveTimerCount(), Before - 1);
}

}  // namespace
}  // namespace orv

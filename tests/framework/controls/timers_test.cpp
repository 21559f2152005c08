#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/controls/application.h"
#include "framework/controls/beep.h"
#include "framework/controls/sim.h"
#include "framework/controls/timers.h"
#include "framework/rtl/exceptions.h"

namespace orv {
namespace {

// Records (window tag, tick time) of every WM_TIMER.
struct TimerFixture : ::testing::Test {
  std::vector<std::pair<char, int64_t>> Ticks;
  std::vector<HWND> Windows;
  HWND Make(char Tag, std::function<void(TMessage&)> Extra = nullptr) {
    const HWND H = AllocateHWnd([this, Tag, Extra](TMessage& M) {
      if (M.Msg == WM_TIMER) Ticks.emplace_back(Tag, timers::Now());
      if (Extra) Extra(M);
    });
    Windows.push_back(H);
    return H;
  }
  int64_t Start = 0;
  void SetUp() override {
    Start = timers::Now();
    sim::SetTimerFailure(false);
  }
  void TearDown() override {
    for (HWND H : Windows) DeallocateHWnd(H);
    sim::SetTimerFailure(false);
    Application->SetOnException(nullptr);
  }
  std::vector<std::pair<char, int64_t>> Rel(std::initializer_list<std::pair<char, int64_t>> L) const {
    std::vector<std::pair<char, int64_t>> R;
    for (auto [C, T] : L) R.emplace_back(C, Start + T);
    return R;
  }
};

TEST_F(TimerFixture, DueTicksFireInTimeOrderAcrossWindowsAndRepeat) {
  const HWND A = Make('a');
  const HWND B = Make('b');
  EXPECT_EQ(SetTimer(A, 1, 300, nullptr), 1u);
  EXPECT_EQ(SetTimer(B, 1, 200, nullptr), 1u);
  Application->AdvanceTime(100);
  EXPECT_TRUE(Ticks.empty());
  Application->AdvanceTime(550);
  // At 600 both are due: the one armed earlier (a, at 300) goes first.
  EXPECT_EQ(Ticks, Rel({{'b', 200}, {'a', 300}, {'b', 400}, {'a', 600}, {'b', 600}}));
  EXPECT_EQ(timers::Now(), Start + 650);
  // A window can run several timers, told apart by WParam.
  std::vector<uintptr_t> Ids;
  const HWND C = Make('c', [&](TMessage& M) { Ids.push_back(M.WParam); });
  SetTimer(C, 7, 50, nullptr);
  SetTimer(C, 9, 70, nullptr);
  KillTimer(A, 1);
  KillTimer(B, 1);
  Application->AdvanceTime(100);
  EXPECT_EQ(Ids, (std::vector<uintptr_t>{7, 9, 7}));
}

TEST_F(TimerFixture, KillInsideATickAndReArmingFromNow) {
  HWND A = 0;
  int Count = 0;
  A = Make('a', [&](TMessage&) {
    if (++Count == 2) KillTimer(A, 1);
  });
  SetTimer(A, 1, 100, nullptr);
  Application->AdvanceTime(1000);
  EXPECT_EQ(Ticks, Rel({{'a', 100}, {'a', 200}}));

  Ticks.clear();
  const HWND B = Make('b');
  SetTimer(B, 1, 500, nullptr);
  Application->AdvanceTime(400);
  SetTimer(B, 1, 200, nullptr);  // the same id again: re-armed from now
  Application->AdvanceTime(450);
  EXPECT_EQ(Ticks, Rel({{'b', 1600}, {'b', 1800}}));
  EXPECT_FALSE(KillTimer(B, 2));
  EXPECT_TRUE(KillTimer(B, 1));
}

TEST_F(TimerFixture, ATickMayDeallocateItsOwnWindow) {
  HWND A = 0;
  A = Make('a', [&](TMessage&) { DeallocateHWnd(A); });
  SetTimer(A, 1, 10, nullptr);
  Application->AdvanceTime(100);
  EXPECT_EQ(Ticks.size(), 1u);
  EXPECT_EQ(SetTimer(A, 1, 10, nullptr), 0u);  // the window is gone
}

TEST_F(TimerFixture, FailureModeAndInvalidRequests) {
  const HWND A = Make('a');
  sim::SetTimerFailure(true);
  EXPECT_EQ(SetTimer(A, 1, 100, nullptr), 0u);
  Application->AdvanceTime(500);
  EXPECT_TRUE(Ticks.empty());
  sim::SetTimerFailure(false);
  EXPECT_EQ(SetTimer(A, 0, 100, nullptr), 0u);
  EXPECT_EQ(SetTimer(987654, 1, 100, nullptr), 0u);
  // Intervals below the minimum are raised to it, so a zero interval
  // cannot spin.
  EXPECT_EQ(SetTimer(A, 1, 0, nullptr), 1u);
  Application->AdvanceTime(35);
  EXPECT_EQ(Ticks.size(), 3u);
}

TEST_F(TimerFixture, ExceptionFromATickGoesToOnException) {
  int Count = 0;
  const HWND A = Make('a', [&](TMessage&) {
    if (++Count == 1) throw EConvertError(String(u"tick failed"));
  });
  SetTimer(A, 1, 100, nullptr);
  std::vector<String> Seen;
  Application->SetOnException([&](TObject*, Exception* E) { Seen.push_back(E->Message()); });
  Application->AdvanceTime(250);
  EXPECT_EQ(Seen, (std::vector<String>{u"tick failed"}));
  EXPECT_EQ(Ticks.size(), 2u);  // the timer goes on after the failed tick

  // Without a handler the message is printed to stderr.
  Application->SetOnException(nullptr);
  Count = 0;
  ::testing::internal::CaptureStderr();
  Application->AdvanceTime(100);
  const std::string Err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(Err.find("tick failed"), std::string::npos);
}

TEST(Beep, EveryCallIsLogged) {
  sim::ClearBeepLog();
  MessageBeep(0);
  MessageBeep(MB_ICONEXCLAMATION);
  EXPECT_EQ(sim::BeepLog(), (std::vector<uint32_t>{0, MB_ICONEXCLAMATION}));
  sim::ClearBeepLog();
  EXPECT_TRUE(sim::BeepLog().empty());
}

}  // namespace
}  // namespace orv

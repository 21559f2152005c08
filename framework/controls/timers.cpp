#include "framework/controls/timers.h"

#include <algorithm>
#include <limits>
#include <map>
#include <memory>
#include <vector>

#include "framework/controls/application.h"

namespace orv {

namespace {

struct TTimer {
  HWND Wnd;
  uintptr_t Id;
  int64_t Interval;
  int64_t Due;
  uint64_t Seq;  // arming order: ties fire in the order they were armed
  TIMERPROC Proc;
};

struct TTimerState {
  std::map<HWND, std::shared_ptr<TWndMethod>> Windows;
  std::vector<TTimer> Timers;
  HWND NextHandle = 1;
  int64_t Now = 0;
  uint64_t Seq = 0;
  bool Failing = false;
};

TTimerState& State() {
  static TTimerState S;
  return S;
}

constexpr uint32_t USER_TIMER_MINIMUM = 10;
constexpr uint32_t USER_TIMER_MAXIMUM = 0x7FFFFFFF;

}  // namespace

HWND AllocateHWnd(TWndMethod Method) {
  TTimerState& S = State();
  const HWND H = S.NextHandle++;
  S.Windows[H] = std::make_shared<TWndMethod>(std::move(Method));
  return H;
}

void DeallocateHWnd(HWND Wnd) {
  TTimerState& S = State();
  S.Windows.erase(Wnd);
  std::erase_if(S.Timers, [Wnd](const TTimer& T) { return T.Wnd == Wnd; });
}

uintptr_t SetTimer(HWND Wnd, uintptr_t IDEvent, uint32_t Elapse, TIMERPROC TimerFunc) {
  TTimerState& S = State();
  if (S.Failing || IDEvent == 0 || !S.Windows.contains(Wnd)) return 0;
  const int64_t Interval = std::clamp(Elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  for (TTimer& T : S.Timers) {
    if (T.Wnd == Wnd && T.Id == IDEvent) {
      T.Interval = Interval;
      T.Due = S.Now + Interval;
      T.Seq = ++S.Seq;
      T.Proc = TimerFunc;
      return IDEvent;
    }
  }
  S.Timers.push_back(TTimer{Wnd, IDEvent, Interval, S.Now + Interval, ++S.Seq, TimerFunc});
  return IDEvent;
}

bool KillTimer(HWND Wnd, uintptr_t IDEvent) {
  return std::erase_if(State().Timers, [&](const TTimer& T) { return T.Wnd == Wnd && T.Id == IDEvent; }) > 0;
}

intptr_t SendMessage(HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam) {
  TTimerState& S = State();
  auto It = S.Windows.find(Wnd);
  if (It == S.Windows.end()) return 0;
  const std::shared_ptr<TWndMethod> Method = It->second;  // survives DeallocateHWnd inside
  TMessage M{Msg, WParam, LParam, 0};
  if (*Method) (*Method)(M);
  return M.Result;
}

intptr_t DefWindowProc(HWND, uint32_t, uintptr_t, intptr_t) { return 0; }

uint32_t GetTickCount() { return static_cast<uint32_t>(State().Now); }

namespace timers {

void Advance(int64_t Milliseconds) {
  TTimerState& S = State();
  const int64_t End = S.Now + std::max<int64_t>(Milliseconds, 0);
  for (;;) {
    // The earliest due tick; each round looks again, since a tick may kill,
    // re-arm or add timers.
    TTimer* Next = nullptr;
    for (TTimer& T : S.Timers) {
      if (T.Due > End) continue;
      if (!Next || T.Due < Next->Due || (T.Due == Next->Due && T.Seq < Next->Seq)) Next = &T;
    }
    if (!Next) break;
    S.Now = std::max(S.Now, Next->Due);
    Next->Due += Next->Interval;
    Next->Seq = ++S.Seq;
    const HWND Wnd = Next->Wnd;
    const uintptr_t Id = Next->Id;
    const TIMERPROC Proc = Next->Proc;
    try {
      if (Proc) {
        Proc(Wnd, WM_TIMER, Id, static_cast<uint32_t>(S.Now));
      } else {
        SendMessage(Wnd, WM_TIMER, Id, 0);
      }
    } catch (...) {
      if (Application) Application->HandleException(nullptr, std::current_exception());
    }
  }
  S.Now = std::max(S.Now, End);
}

int64_t NextDue() {
  const TTimerState& S = State();
  int64_t Best = -1;
  for (const TTimer& T : S.Timers) {
    const int64_t D = std::max<int64_t>(T.Due - S.Now, 0);
    if (Best < 0 || D < Best) Best = D;
  }
  return Best;
}

int64_t Now() { return State().Now; }
bool Failing() { return State().Failing; }
void SetFailing(bool Fail) { State().Failing = Fail; }
int ActiveTimerCount() { return static_cast<int>(State().Timers.size()); }

}  // namespace timers

}  // namespace orv

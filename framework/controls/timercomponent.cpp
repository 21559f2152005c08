#include "framework/controls/timercomponent.h"

#include "framework/controls/timers.h"

namespace orv {

namespace {
constexpr uintptr_t kTimerId = 1;
}  // namespace

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  FWindowHandle = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
}

TTimer::~TTimer() {
  // Releasing the window drops its timer too, so no tick reaches a timer
  // that is gone.
  DeallocateHWnd(FWindowHandle);
}

void TTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(uint32_t Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  KillTimer(FWindowHandle, kTimerId);
  if (FInterval == 0 || !FEnabled || !FOnTimer) return;
  if (SetTimer(FWindowHandle, kTimerId, FInterval, nullptr) == 0)
    throw EOutOfResources(u"Not enough timers available");
}

void TTimer::Timer() {
  // A copy, so a handler that replaces OnTimer or frees the timer does not
  // destroy the function it runs in.
  const TNotifyEvent Handler = FOnTimer;
  if (Handler) Handler(this);
}

void TTimer::WndProc(TMessage& Message) {
  if (Message.Msg == WM_TIMER) {
    Timer();
    return;
  }
  Message.Result = DefWindowProc(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
}

}  // namespace orv

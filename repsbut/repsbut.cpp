#include "repsbut/repsbut.h"

#include "framework/controls/application.h"
#include "framework/controls/timers.h"

namespace orv {

namespace {

// The button's only timer on its hidden window.
constexpr uintptr_t kRepeatTimerId = 1;
// Shortest interval either timer accepts, in ms.
constexpr int kMinInterval = 10;

}  // namespace

TRepSpeedButton::TRepSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {
  FRClickTimerHandle = AllocateHWnd([this](TMessage& Message) { TimerWndProc(Message); });
}

TRepSpeedButton::~TRepSpeedButton() {
  // Releasing the window also drops its timer, so no tick can reach a
  // button that is gone.
  KillTimer(FRClickTimerHandle, kRepeatTimerId);
  DeallocateHWnd(FRClickTimerHandle);
  FRClickTimerHandle = 0;
}

bool TRepSpeedButton::Designing() const { return ComponentState().Contains(csDesigning); }

void TRepSpeedButton::SetRepeatClickInterval(int Value) {
  if (Value < kMinInterval) Value = kMinInterval;
  if (Value == FRepClickIv) return;
  FRepClickIv = Value;
  if (!Designing()) RepeatTimer();
}

void TRepSpeedButton::SetStartClickInterval(int Value) {
  if (Value < kMinInterval) Value = kMinInterval;
  if (Value == FStartIv) return;
  FStartIv = Value;
  if (!Designing()) StartTimer();
}

void TRepSpeedButton::SetOnRepeatClick(TNotifyEvent Value) {
  FOnRepeatClick = std::move(Value);
  if (!Designing()) RepeatTimer();
}

void TRepSpeedButton::Arm(int Interval) {
  KillTimer(FRClickTimerHandle, kRepeatTimerId);
  if (Interval <= 0 || !FRClickTimerEnabled) return;
  if (SetTimer(FRClickTimerHandle, kRepeatTimerId, static_cast<uint32_t>(Interval), nullptr) == 0)
    throw EORVRepSpeedButton(u"Component \"" + Name() + u"\": no timer available");
}

void TRepSpeedButton::StartTimer() {
  FIsStart = true;
  Arm(FStartIv);
}

void TRepSpeedButton::RepeatTimer() {
  FIsStart = false;
  Arm(FRepClickIv);
}

void TRepSpeedButton::StopRepeating() {
  FRClickTimerEnabled = false;
  FIsStart = true;
  KillTimer(FRClickTimerHandle, kRepeatTimerId);
}

void TRepSpeedButton::TimerWndProc(TMessage& Message) {
  if (Message.Msg != WM_TIMER || Message.WParam != kRepeatTimerId) {
    Message.Result = DefWindowProc(FRClickTimerHandle, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  // A tick has no caller to hand an error to: it goes to the application,
  // with this button as the sender.
  try {
    DoTimer();
  } catch (...) {
    Application->HandleException(this);
  }
}

void TRepSpeedButton::DoTimer() {
  if (FIsStart) RepeatTimer();
  RepeatClickEvent();
  // The handler runs from a copy: it may free the button, and with it
  // FOnRepeatClick, while it runs.
  if (TNotifyEvent Handler = FOnRepeatClick) Handler(this);
}

void TRepSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FRClickTimerEnabled = true;
  StartTimer();
}

void TRepSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) StopRepeating();
}

void TRepSpeedButton::CMMouseLeave(TMessage& Message) {
  TSpeedButton::CMMouseLeave(Message);
  if (!FRClickTimerEnabled) return;
  // Leaving ends the press as a release would, but a release away from the
  // button is no click: the point handed on lies outside the control.
  MouseUp(mbLeft, TShiftState{}, -1, -1);
}

void TRepSpeedButton::CMEnabledChanged(TMessage& Message) {
  TSpeedButton::CMEnabledChanged(Message);
  // A disabled button fires nothing, so a held one stops repeating.
  if (!Enabled()) StopRepeating();
}

}  // namespace orv

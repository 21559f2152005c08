#pragma once
// TRepSpeedButton: a speed button that repeats while it is held, like the
// arrow of a scroll bar. Holding the left mouse button fires OnRepeatClick
// first after StartClickInterval ms and then every RepeatClickInterval ms;
// releasing the button or leaving it with the pointer stops the repetition.
// Look, Down state, groups and OnClick on release stay the speed button's.
//
// The ticks come from window timer 1 of a hidden message window the button
// owns for its whole life.

#include "foundation/basetypes.h"
#include "framework/controls/messages.h"
#include "framework/controls/speedbutton.h"

namespace orv {

class TRepSpeedButton : public TSpeedButton {
 public:
  explicit TRepSpeedButton(TComponent* AOwner);
  ~TRepSpeedButton() override;

  // Pause between two repeat clicks, in ms; values below 10 become 10.
  int RepeatClickInterval() const { return FRepClickIv; }
  void SetRepeatClickInterval(int Value);
  // Delay from the press to the first repeat click, in ms; below 10 becomes 10.
  int StartClickInterval() const { return FStartIv; }
  void SetStartClickInterval(int Value);

  // Fired on every timer tick while the left button is held.
  TNotifyEvent OnRepeatClick() const { return FOnRepeatClick; }
  void SetOnRepeatClick(TNotifyEvent Value);

  // True while the left button is held on the button and ticks are coming.
  bool Repeating() const { return FRClickTimerEnabled; }
  // True while the running timer is the start delay.
  bool InStartPhase() const { return FIsStart; }
  // The hidden window that receives the timer ticks.
  HWND TimerHandle() const { return FRClickTimerHandle; }

 protected:
  // Each timer tick: after the start delay the repeat interval takes over,
  // then RepeatClickEvent and OnRepeatClick.
  virtual void DoTimer();
  // Called on each tick before OnRepeatClick; nothing here.
  virtual void RepeatClickEvent() {}

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;

 private:
  // Message handler of the hidden timer window.
  void TimerWndProc(TMessage& Message);
  // Arms timer 1 with the start delay or the repeat interval (only while the
  // button is held); raises EORVRepSpeedButton when no timer can be had.
  void StartTimer();
  void RepeatTimer();
  void Arm(int Interval);
  // Ends the repetition: no more ticks until the next press.
  void StopRepeating();
  bool Designing() const;

  HWND FRClickTimerHandle = 0;
  bool FRClickTimerEnabled = false;
  TNotifyEvent FOnRepeatClick;
  int FRepClickIv = 200;
  int FStartIv = 500;
  bool FIsStart = true;
};

}  // namespace orv

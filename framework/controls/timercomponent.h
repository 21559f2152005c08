#pragma once
// TTimer: a non-visual component that calls OnTimer every Interval
// milliseconds while Enabled. It owns a hidden window with timer id 1, so it
// runs on the application clock: real time under a window backend, virtual
// time (Application->AdvanceTime) headless.

#include <cstdint>
#include <functional>

#include "framework/controls/messages.h"
#include "framework/rtl/classes.h"
#include "framework/rtl/exceptions.h"

namespace orv {

ORV_DECLARE_EXCEPTION(EOutOfResources, Exception);

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  // The timer runs while Enabled, Interval > 0 and an OnTimer handler is set;
  // each setter restarts the count from now. A start the platform refuses
  // raises EOutOfResources "Not enough timers available".
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  uint32_t Interval() const { return FInterval; }
  void SetInterval(uint32_t Value);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);

 protected:
  // Calls OnTimer; a handler may free the timer.
  virtual void Timer();

 private:
  void UpdateTimer();
  void WndProc(TMessage& Message);

  bool FEnabled = true;
  uint32_t FInterval = 1000;
  TNotifyEvent FOnTimer;
  HWND FWindowHandle{};
};

}  // namespace orv

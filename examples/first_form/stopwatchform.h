#pragma once
// A first orvkit form: a stopwatch. A seven-segment display shows tenths of
// seconds, a timer counts them while the Start button is down, and Reset
// sets the count back to zero.

#include <orvkit.h>

class TStopwatchForm : public orv::TForm {
 public:
  explicit TStopwatchForm(orv::TComponent* AOwner);

  int Tenths() const { return FTenths; }
  orv::TSpeedButton* StartButton() const { return FStart; }
  orv::TSpeedButton* ResetButton() const { return FReset; }
  orv::TSevenSeg* Display() const { return FDisplay; }

 private:
  void ShowTime();

  int FTenths = 0;
  orv::TSevenSeg* FDisplay = nullptr;
  orv::TSpeedButton* FStart = nullptr;
  orv::TSpeedButton* FReset = nullptr;
  orv::TTimer* FTimer = nullptr;
};

#pragma once
// TCustomControl: a window control with a canvas of its own and Paint. It
// paints its own background in Paint.

#include "framework/controls/wincontrol.h"

namespace orv {

class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;

  TCanvas* Canvas() { return ControlCanvas(); }

  void WndProc(TMessage& Message) override;

 protected:
  virtual void Paint() {}
};

}  // namespace orv

#pragma once
// TGraphicControl: a control without a window of its own that paints onto
// its parent's form surface through Canvas().

#include "framework/controls/control.h"

namespace orv {

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;

  // A view on the form surface: origin at the control, clipped to the
  // control and its parents.
  TCanvas* Canvas() { return ControlCanvas(); }

  void WndProc(TMessage& Message) override;

 protected:
  virtual void Paint() {}
};

}  // namespace orv

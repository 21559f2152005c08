#pragma once
// Small controls that record what happens to them, shared by the suites.

#include <string>
#include <vector>

#include "framework/controls/customcontrol.h"
#include "framework/controls/graphiccontrol.h"
#include "framework/forms/form.h"

namespace orv::testing {

// A graphic control that fills itself with its Color and counts its paints.
class TBox : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  int PaintCount = 0;

 protected:
  void Paint() override {
    ++PaintCount;
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(TRect{0, 0, Width(), Height()});
  }
};

// A window control that paints its own background and logs its events.
class TPanelBox : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int PaintCount = 0;
  std::vector<std::string> Log;

 protected:
  void Paint() override {
    ++PaintCount;
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(TRect{0, 0, Width(), Height()});
  }
  void DoEnter() override {
    Log.push_back("enter");
    TCustomControl::DoEnter();
  }
  void DoExit() override {
    Log.push_back("exit");
    TCustomControl::DoExit();
  }
};

// Pixel of the form surface at form client (X, Y) as 0x00BBGGRR.
inline TColor SurfacePixel(TCustomForm* Form, int X, int Y) {
  return PixelToColor(Form->Surface()->ScanLine(Y)[X]);
}

}  // namespace orv::testing

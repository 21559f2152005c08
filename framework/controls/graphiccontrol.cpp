#include "framework/controls/graphiccontrol.h"

namespace orv {

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) { CreateControlCanvas(); }

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    Paint();
    return;
  }
  TControl::WndProc(Message);
}

}  // namespace orv

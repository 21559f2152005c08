#include "framework/controls/customcontrol.h"

namespace orv {

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) { CreateControlCanvas(); }

TCustomControl::~TCustomControl() = default;

void TCustomControl::WndProc(TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    Paint();
    return;
  }
  TWinControl::WndProc(Message);
}

}  // namespace orv

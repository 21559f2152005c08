#include "framework/controls/input.h"

#include "framework/controls/application.h"
#include "framework/controls/platform.h"
#include "framework/controls/screen.h"
#include "framework/controls/toplevel.h"

namespace orv::input {

namespace {

TControl* GCapture = nullptr;
unsigned GCaptureButtons = 0;  // bit per TMouseButton held on the capture
TControl* GHover = nullptr;

unsigned ButtonBit(TMouseButton B) { return 1u << static_cast<unsigned>(B); }

uintptr_t ButtonFlag(TMouseButton B) {
  switch (B) {
    case mbLeft: return MK_LBUTTON;
    case mbRight: return MK_RBUTTON;
    default: return MK_MBUTTON;
  }
}

uintptr_t HeldFlags() {
  uintptr_t F = 0;
  for (TMouseButton B : {mbLeft, mbRight, mbMiddle}) {
    if (GCaptureButtons & ButtonBit(B)) F |= ButtonFlag(B);
  }
  return F;
}

uint32_t DownMessage(TMouseButton B, bool Double) {
  switch (B) {
    case mbLeft: return Double ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
    case mbRight: return Double ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
    default: return Double ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN;
  }
}

uint32_t UpMessage(TMouseButton B) {
  switch (B) {
    case mbLeft: return WM_LBUTTONUP;
    case mbRight: return WM_RBUTTONUP;
    default: return WM_MBUTTONUP;
  }
}

bool EnabledChain(const TControl* C) {
  for (; C; C = C->Parent()) {
    if (!C->Enabled()) return false;
  }
  return true;
}

// The control that receives mouse input aimed at (X, Y) of Target: the
// capture holder when there is one, with the point translated.
TControl* Receiver(TControl* Target, int& X, int& Y) {
  if (GCapture && GCapture != Target) {
    const TPoint P = GCapture->ScreenToClient(Target->ClientToScreen(TPoint{X, Y}));
    X = P.X;
    Y = P.Y;
    return GCapture;
  }
  return Target;
}

// The pointer is at (X, Y) of Target: that control when the point is inside
// it, otherwise whatever lies there on the form.
void TrackPointer(TControl* Target, int X, int Y) {
  if (Target->ClientRect().Contains(TPoint{X, Y}) && Target->Showing()) {
    SetHover(Target);
    return;
  }
  TTopLevelSurface* Window = Target->TopLevel();
  if (!Window) {
    SetHover(nullptr);
    return;
  }
  TWinControl* Form = Window->Window();
  const TPoint P = Form->ScreenToClient(Target->ClientToScreen(TPoint{X, Y}));
  SetHover(Form->ClientRect().Contains(P) ? HitTest(Form, P.X, P.Y) : nullptr);
}

TPoint ToForm(TWinControl* Form, TControl* C, int X, int Y) {
  const TPoint S = Form->ClientToScreen(TPoint{0, 0});
  const TPoint T = C->ClientToScreen(TPoint{0, 0});
  return TPoint{X - (T.X - S.X), Y - (T.Y - S.Y)};
}

}  // namespace

TControl* CaptureControl() { return GCapture; }

void SetCaptureControl(TControl* Control) {
  GCapture = Control;
  GCaptureButtons = 0;
}

TControl* Hover() { return GHover; }

void SetHover(TControl* Target) {
  if (Target == GHover) return;
  TControl* Old = GHover;
  GHover = Target;
  if (Old) Old->Perform(CM_MOUSELEAVE);
  if (Target && GHover == Target) {
    const auto Life = Target->LifeToken();
    Target->Perform(CM_MOUSEENTER);
    if (Life.expired()) return;  // the enter handler freed it
    if (Screen && Screen->Cursor() == crDefault && Application) Application->Backend()->SetCursor(Target->Cursor());
  }
}

void ControlDestroying(TControl* Control) {
  if (GCapture == Control) SetCaptureControl(nullptr);
  if (GHover == Control) GHover = nullptr;
}

void MouseDown(TControl* Target, TMouseButton Button, TShiftState Shift, int X, int Y, bool Double) {
  if (!Target) return;
  const auto Life = Target->LifeToken();
  TrackPointer(Target, X, Y);  // enter and leave handlers may free Target
  if (Life.expired()) return;
  TControl* R = Receiver(Target, X, Y);
  if (!EnabledChain(R)) return;
  if (!GCapture && R->ControlStyle().Contains(csCaptureMouse)) GCapture = R;
  if (GCapture == R) GCaptureButtons |= ButtonBit(Button);
  const uintptr_t Flags = ShiftStateToMouseFlags(Shift) | HeldFlags() | ButtonFlag(Button);
  R->Perform(DownMessage(Button, Double), Flags, MakeMouseLParam(X, Y));
}

void MouseMove(TControl* Target, TShiftState Shift, int X, int Y) {
  if (!Target) return;
  const auto Life = Target->LifeToken();
  TrackPointer(Target, X, Y);
  if (Life.expired()) return;
  TControl* R = Receiver(Target, X, Y);
  if (!EnabledChain(R)) return;
  R->Perform(WM_MOUSEMOVE, ShiftStateToMouseFlags(Shift) | HeldFlags(), MakeMouseLParam(X, Y));
}

void MouseUp(TControl* Target, TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!Target) return;
  TControl* R = Receiver(Target, X, Y);
  // The capture ends with the last button released, before the control
  // hears of the release (so a click handler may capture anew).
  if (GCapture == R) {
    GCaptureButtons &= ~ButtonBit(Button);
    if (GCaptureButtons == 0) GCapture = nullptr;
  }
  if (!EnabledChain(R)) return;
  const uintptr_t Flags = (ShiftStateToMouseFlags(Shift) | HeldFlags()) & ~ButtonFlag(Button);
  R->Perform(UpMessage(Button), Flags, MakeMouseLParam(X, Y));
}

void MouseWheel(TControl* Target, TShiftState Shift, int WheelDelta, int X, int Y) {
  if (!Target) return;
  TControl* R = Receiver(Target, X, Y);
  const TPoint ScreenPos = R->ClientToScreen(TPoint{X, Y});
  const uintptr_t Flags = (ShiftStateToMouseFlags(Shift) & 0xFFFF) |
                          (static_cast<uintptr_t>(static_cast<uint16_t>(WheelDelta)) << 16);
  // Unhandled wheel input goes on to the parents.
  for (TControl* C = R; C; C = C->Parent()) {
    if (!EnabledChain(C)) continue;
    const auto Life = C->LifeToken();
    if (C->Perform(WM_MOUSEWHEEL, Flags, MakeMouseLParam(ScreenPos.X, ScreenPos.Y)) != 0) return;
    if (Life.expired()) return;
  }
}

TControl* HitTest(TWinControl* Form, int X, int Y) {
  TWinControl* C = Form;
  TPoint P{X, Y};
  for (;;) {
    TControl* Child = C->ControlAtPos(P);
    if (!Child) return C;
    P = TPoint{P.X - Child->Left(), P.Y - Child->Top()};
    auto* W = dynamic_cast<TWinControl*>(Child);
    if (!W) return Child;
    C = W;
  }
}

void FormMouseDown(TWinControl* Form, TMouseButton Button, TShiftState Shift, int X, int Y, bool Double) {
  TControl* T = HitTest(Form, X, Y);
  const TPoint P = ToForm(Form, T, X, Y);
  MouseDown(T, Button, Shift, P.X, P.Y, Double);
}

void FormMouseMove(TWinControl* Form, TShiftState Shift, int X, int Y) {
  TControl* T = Form->ClientRect().Contains(TPoint{X, Y}) ? HitTest(Form, X, Y) : Form;
  const TPoint P = ToForm(Form, T, X, Y);
  MouseMove(T, Shift, P.X, P.Y);
}

void FormMouseUp(TWinControl* Form, TMouseButton Button, TShiftState Shift, int X, int Y) {
  TControl* T = Form->ClientRect().Contains(TPoint{X, Y}) ? HitTest(Form, X, Y) : Form;
  const TPoint P = ToForm(Form, T, X, Y);
  MouseUp(T, Button, Shift, P.X, P.Y);
}

void FormMouseWheel(TWinControl* Form, TShiftState Shift, int WheelDelta, int X, int Y) {
  TControl* T = HitTest(Form, X, Y);
  const TPoint P = ToForm(Form, T, X, Y);
  MouseWheel(T, Shift, WheelDelta, P.X, P.Y);
}

bool KeyDown(TWinControl* Target, uint16_t Key, TShiftState Shift) {
  if (!Target || !EnabledChain(Target)) return false;
  TMessage M{WM_KEYDOWN, Key, ShiftStateToKeyData(Shift), 0};
  const auto Life = Target->LifeToken();
  Target->WndProc(M);
  Key = static_cast<uint16_t>(M.WParam);
  if (M.Result != 0 || Key == 0 || Life.expired()) return false;
  // Keys the control does not want for itself move the focus on the form.
  if (Key == VK_TAB && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) {
    const intptr_t Code = Target->Perform(WM_GETDLGCODE);
    if ((Code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) == 0) {
      if (TTopLevelSurface* Window = Target->TopLevel()) {
        return Window->Window()->Perform(CM_DIALOGKEY, Key, ShiftStateToKeyData(Shift)) != 0;
      }
    }
  }
  return false;
}

bool KeyPress(TWinControl* Target, Char Key) {
  if (!Target || !EnabledChain(Target)) return false;
  TMessage M{WM_CHAR, Key, 0, 0};
  Target->WndProc(M);
  return M.Result != 0;
}

bool KeyUp(TWinControl* Target, uint16_t Key, TShiftState Shift) {
  if (!Target || !EnabledChain(Target)) return false;
  TMessage M{WM_KEYUP, Key, ShiftStateToKeyData(Shift), 0};
  Target->WndProc(M);
  return M.Result != 0;
}

namespace {
TWinControl* KeyTarget(TWinControl* Form) {
  TTopLevelSurface* Window = Form->TopLevel();
  TWinControl* Active = Window ? Window->ActiveControl() : nullptr;
  return Active ? Active : Form;
}
}  // namespace

bool FormKeyDown(TWinControl* Form, uint16_t Key, TShiftState Shift) { return KeyDown(KeyTarget(Form), Key, Shift); }
bool FormKeyPress(TWinControl* Form, Char Key) { return KeyPress(KeyTarget(Form), Key); }
bool FormKeyUp(TWinControl* Form, uint16_t Key, TShiftState Shift) { return KeyUp(KeyTarget(Form), Key, Shift); }

}  // namespace orv::input

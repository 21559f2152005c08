#pragma once
// Input dispatch: the single path by which mouse and keyboard input reaches
// controls, whether it comes from a backend or from orv::sim. It keeps the
// mouse capture (the control that got a button press receives the moves and
// the release), the control under the pointer (enter/leave) and sends keys
// through the form's KeyPreview to the focused control.

#include "framework/controls/control.h"
#include "framework/controls/wincontrol.h"

namespace orv {

namespace input {

// Mouse input at client coordinates (X, Y) of Target. A control holding the
// capture receives it instead (coordinates translated). Disabled controls
// receive nothing.
void MouseDown(TControl* Target, TMouseButton Button, TShiftState Shift, int X, int Y, bool Double = false);
void MouseMove(TControl* Target, TShiftState Shift, int X, int Y);
void MouseUp(TControl* Target, TMouseButton Button, TShiftState Shift, int X, int Y);
void MouseWheel(TControl* Target, TShiftState Shift, int WheelDelta, int X, int Y);
// Moves the pointer onto Target (nullptr: off every control), firing leave
// on the control it was over and enter on Target.
void SetHover(TControl* Target);
TControl* Hover();

// Input at client coordinates of a top-level window (a form), hit-tested to
// the control underneath.
void FormMouseDown(TWinControl* Form, TMouseButton Button, TShiftState Shift, int X, int Y, bool Double = false);
void FormMouseMove(TWinControl* Form, TShiftState Shift, int X, int Y);
void FormMouseUp(TWinControl* Form, TMouseButton Button, TShiftState Shift, int X, int Y);
void FormMouseWheel(TWinControl* Form, TShiftState Shift, int WheelDelta, int X, int Y);
// The deepest visible, enabled control at form client point (X, Y).
TControl* HitTest(TWinControl* Form, int X, int Y);

// Keys to Target (through its form's KeyPreview); a key a handler sets to 0
// goes no further. KeyDown returns true when the form used the key for
// navigation (Tab, Shift+Tab): a keyboard then sends no character for it.
// KeyPress and KeyUp return true when a handler consumed the key.
bool KeyDown(TWinControl* Target, uint16_t Key, TShiftState Shift);
bool KeyPress(TWinControl* Target, Char Key);
bool KeyUp(TWinControl* Target, uint16_t Key, TShiftState Shift);
// Keys to the form's focused control (or the form itself).
bool FormKeyDown(TWinControl* Form, uint16_t Key, TShiftState Shift);
bool FormKeyPress(TWinControl* Form, Char Key);
bool FormKeyUp(TWinControl* Form, uint16_t Key, TShiftState Shift);

TControl* CaptureControl();
void SetCaptureControl(TControl* Control);
// Forgets every reference to a control that is going away.
void ControlDestroying(TControl* Control);

}  // namespace input
}  // namespace orv

#pragma once
// Simulated user input for tests. Everything goes through the same dispatch
// as a backend's input (focus, KeyPreview, capture, enter/leave); X and Y
// are client coordinates of the control given.

#include <vector>

#include "framework/controls/control.h"
#include "framework/controls/wincontrol.h"

namespace orv::sim {

void MouseDown(TControl* Control, TMouseButton Button, TShiftState Shift, int X, int Y);
void MouseMove(TControl* Control, TShiftState Shift, int X, int Y);
void MouseUp(TControl* Control, TMouseButton Button, TShiftState Shift, int X, int Y);
// Left button down and up at (X, Y).
void Click(TControl* Control, int X, int Y);
// What a double click sends: down, up, the double-click down (ssDouble), up.
void DblClick(TControl* Control, int X, int Y);
void MouseEnter(TControl* Control);
void MouseLeave(TControl* Control);
void MouseWheel(TControl* Control, TShiftState Shift, int WheelDelta, int X, int Y);

// Keys are delivered to the control given (focusing nothing), through its
// form's KeyPreview first.
void KeyDown(TWinControl* Control, uint16_t Key, TShiftState Shift);
void KeyPress(TWinControl* Control, Char Key);
void KeyUp(TWinControl* Control, uint16_t Key, TShiftState Shift);
// For each character: the key-down of its virtual key when it has one, the
// key-press, and the key-up, as a keyboard would send them.
void TypeText(TWinControl* Control, const String& Text);

// The arguments of every MessageBeep since the last ClearBeepLog.
const std::vector<uint32_t>& BeepLog();
void ClearBeepLog();
// While set, every SetTimer fails (returns 0).
void SetTimerFailure(bool Fail);

}  // namespace orv::sim

#pragma once
// Hidden message windows and window timers. A hidden window is a message
// handler with a handle; SetTimer makes it receive WM_TIMER (WParam = timer
// id) every Elapse milliseconds of the application clock. In headless runs
// the clock is virtual and moves only through Application->AdvanceTime.

#include <cstdint>
#include <functional>

#include "framework/controls/messages.h"

namespace orv {

using TWndMethod = std::function<void(TMessage& Message)>;
using TIMERPROC = void (*)(HWND Wnd, uint32_t Msg, uintptr_t IDEvent, uint32_t Time);

// A new hidden window that hands its messages to Method.
HWND AllocateHWnd(TWndMethod Method);
// Releases the window and its timers; safe inside its own message handler.
void DeallocateHWnd(HWND Wnd);
// Starts (or restarts from now) timer IDEvent of Wnd; Elapse below 10 ms is
// taken as 10. Returns IDEvent (nonzero) on success, 0 on failure (unknown
// window, id 0, or timers made to fail by sim::SetTimerFailure).
uintptr_t SetTimer(HWND Wnd, uintptr_t IDEvent, uint32_t Elapse, TIMERPROC TimerFunc);
// Stops the timer; false when there was none.
bool KillTimer(HWND Wnd, uintptr_t IDEvent);
// Sends a message to a hidden window at once; 0 for an unknown window.
intptr_t SendMessage(HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam);
// The default handling of a message nobody handles: nothing, result 0.
intptr_t DefWindowProc(HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam);
// Milliseconds of the application clock.
uint32_t GetTickCount();

namespace timers {
// Fires every tick due up to Now + Milliseconds in time order, moving the
// clock along; exceptions escaping a tick go to Application->HandleException.
void Advance(int64_t Milliseconds);
// Milliseconds until the earliest armed timer is due; -1 when none is armed.
int64_t NextDue();
int64_t Now();
bool Failing();
void SetFailing(bool Fail);
int ActiveTimerCount();
}  // namespace timers

}  // namespace orv

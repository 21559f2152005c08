#pragma once
// Translation of SDL keyboard and mouse state into the host's virtual key
// codes, shift states and the characters a key press generates. Plain
// integers stand in for SDL's types so the header needs no SDL headers.

#include <cstdint>

#include "framework/controls/control.h"

namespace orv::sdl2 {

// The virtual key of a key event: letters and digits by the symbol they
// type, every other key by its position on a US keyboard (Scancode). Keypad
// digits are VK_NUMPAD0..9 with Num Lock on and the navigation keys printed
// on them with it off. 0 for keys without a virtual key.
uint16_t VirtualKey(int Scancode, int32_t Sym, uint16_t Mod);

// ssShift, ssCtrl and ssAlt of SDL's modifier bits.
TShiftState ModShiftState(uint16_t Mod);
// ssLeft, ssRight and ssMiddle of SDL's mouse button mask.
TShiftState ButtonShiftState(uint32_t ButtonMask);

// The character a key-down generates by itself (SDL reports no text for
// them): Backspace 8, Tab 9, Return 13, Escape 27, Ctrl+letter 1..26 and the
// other control characters of Ctrl. 0 when the key sends no such character
// (printable keys send theirs as text).
Char ControlChar(uint16_t Key, TShiftState Shift);

}  // namespace orv::sdl2

#include "framework/backends/sdl2/sdl2keys.h"

#include <SDL.h>

#include "framework/controls/messages.h"

namespace orv::sdl2 {

namespace {

// Keypad keys; with Num Lock off the digits are the navigation keys printed
// on them, as the host reports them.
uint16_t KeypadKey(int Scancode, bool NumLock) {
  switch (Scancode) {
    case SDL_SCANCODE_KP_DIVIDE: return VK_DIVIDE;
    case SDL_SCANCODE_KP_MULTIPLY: return VK_MULTIPLY;
    case SDL_SCANCODE_KP_MINUS: return VK_SUBTRACT;
    case SDL_SCANCODE_KP_PLUS: return VK_ADD;
    case SDL_SCANCODE_KP_ENTER: return VK_RETURN;
    case SDL_SCANCODE_KP_PERIOD: return NumLock ? VK_DECIMAL : VK_DELETE;
    case SDL_SCANCODE_KP_0: return NumLock ? VK_NUMPAD0 : VK_INSERT;
    case SDL_SCANCODE_KP_1: return NumLock ? VK_NUMPAD1 : VK_END;
    case SDL_SCANCODE_KP_2: return NumLock ? VK_NUMPAD2 : VK_DOWN;
    case SDL_SCANCODE_KP_3: return NumLock ? VK_NUMPAD3 : VK_NEXT;
    case SDL_SCANCODE_KP_4: return NumLock ? VK_NUMPAD4 : VK_LEFT;
    case SDL_SCANCODE_KP_5: return NumLock ? VK_NUMPAD5 : VK_CLEAR;
    case SDL_SCANCODE_KP_6: return NumLock ? VK_NUMPAD6 : VK_RIGHT;
    case SDL_SCANCODE_KP_7: return NumLock ? VK_NUMPAD7 : VK_HOME;
    case SDL_SCANCODE_KP_8: return NumLock ? VK_NUMPAD8 : VK_UP;
    case SDL_SCANCODE_KP_9: return NumLock ? VK_NUMPAD9 : VK_PRIOR;
    default: return 0;
  }
}

// Every key other than letters, digits and the keypad, by its position.
uint16_t PositionKey(int Scancode) {
  if (Scancode >= SDL_SCANCODE_F1 && Scancode <= SDL_SCANCODE_F12) {
    return static_cast<uint16_t>(VK_F1 + (Scancode - SDL_SCANCODE_F1));
  }
  if (Scancode >= SDL_SCANCODE_F13 && Scancode <= SDL_SCANCODE_F24) {
    return static_cast<uint16_t>(VK_F12 + 1 + (Scancode - SDL_SCANCODE_F13));
  }
  switch (Scancode) {
    case SDL_SCANCODE_RETURN: return VK_RETURN;
    case SDL_SCANCODE_ESCAPE: return VK_ESCAPE;
    case SDL_SCANCODE_BACKSPACE: return VK_BACK;
    case SDL_SCANCODE_TAB: return VK_TAB;
    case SDL_SCANCODE_SPACE: return VK_SPACE;
    case SDL_SCANCODE_MINUS: return VK_OEM_MINUS;
    case SDL_SCANCODE_EQUALS: return VK_OEM_PLUS;
    case SDL_SCANCODE_LEFTBRACKET: return VK_OEM_4;
    case SDL_SCANCODE_RIGHTBRACKET: return VK_OEM_6;
    case SDL_SCANCODE_BACKSLASH: return VK_OEM_5;
    case SDL_SCANCODE_NONUSHASH: return VK_OEM_5;
    case SDL_SCANCODE_SEMICOLON: return VK_OEM_1;
    case SDL_SCANCODE_APOSTROPHE: return VK_OEM_7;
    case SDL_SCANCODE_GRAVE: return VK_OEM_3;
    case SDL_SCANCODE_COMMA: return VK_OEM_COMMA;
    case SDL_SCANCODE_PERIOD: return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH: return VK_OEM_2;
    case SDL_SCANCODE_CAPSLOCK: return VK_CAPITAL;
    case SDL_SCANCODE_PRINTSCREEN: return VK_SNAPSHOT;
    case SDL_SCANCODE_SCROLLLOCK: return VK_SCROLL;
    case SDL_SCANCODE_PAUSE: return VK_PAUSE;
    case SDL_SCANCODE_INSERT: return VK_INSERT;
    case SDL_SCANCODE_HOME: return VK_HOME;
    case SDL_SCANCODE_PAGEUP: return VK_PRIOR;
    case SDL_SCANCODE_DELETE: return VK_DELETE;
    case SDL_SCANCODE_END: return VK_END;
    case SDL_SCANCODE_PAGEDOWN: return VK_NEXT;
    case SDL_SCANCODE_RIGHT: return VK_RIGHT;
    case SDL_SCANCODE_LEFT: return VK_LEFT;
    case SDL_SCANCODE_DOWN: return VK_DOWN;
    case SDL_SCANCODE_UP: return VK_UP;
    case SDL_SCANCODE_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDL_SCANCODE_APPLICATION: return VK_APPS;
    case SDL_SCANCODE_HELP: return VK_HELP;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL: return VK_CONTROL;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT: return VK_SHIFT;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT: return VK_MENU;
    case SDL_SCANCODE_LGUI: return VK_LWIN;
    case SDL_SCANCODE_RGUI: return VK_RWIN;
    default: return 0;
  }
}

}  // namespace

uint16_t VirtualKey(int Scancode, int32_t Sym, uint16_t Mod) {
  // Letters and digits follow the layout, as the host's key codes do.
  if (Sym >= 'a' && Sym <= 'z') return static_cast<uint16_t>(Sym - 'a' + 'A');
  if (Sym >= '0' && Sym <= '9') return static_cast<uint16_t>(Sym);
  // A key typing something else (another script, or a symbol on the digit
  // row) keeps the code of its US position.
  if (Scancode >= SDL_SCANCODE_A && Scancode <= SDL_SCANCODE_Z) {
    return static_cast<uint16_t>('A' + (Scancode - SDL_SCANCODE_A));
  }
  if (Scancode >= SDL_SCANCODE_1 && Scancode <= SDL_SCANCODE_9) {
    return static_cast<uint16_t>('1' + (Scancode - SDL_SCANCODE_1));
  }
  if (Scancode == SDL_SCANCODE_0) return '0';
  if (const uint16_t K = KeypadKey(Scancode, (Mod & KMOD_NUM) != 0)) return K;
  return PositionKey(Scancode);
}

TShiftState ModShiftState(uint16_t Mod) {
  TShiftState S;
  if (Mod & KMOD_SHIFT) S.Include(ssShift);
  if (Mod & KMOD_CTRL) S.Include(ssCtrl);
  if (Mod & KMOD_ALT) S.Include(ssAlt);
  // AltGr reaches programs as Ctrl+Alt on the host.
  if (Mod & KMOD_MODE) S.Include(ssCtrl).Include(ssAlt);
  return S;
}

TShiftState ButtonShiftState(uint32_t ButtonMask) {
  TShiftState S;
  if (ButtonMask & SDL_BUTTON_LMASK) S.Include(ssLeft);
  if (ButtonMask & SDL_BUTTON_RMASK) S.Include(ssRight);
  if (ButtonMask & SDL_BUTTON_MMASK) S.Include(ssMiddle);
  return S;
}

Char ControlChar(uint16_t Key, TShiftState Shift) {
  // Alt combinations are system keys and type nothing.
  if (Shift.Contains(ssAlt)) return 0;
  if (Shift.Contains(ssCtrl)) {
    if (Key >= 'A' && Key <= 'Z') return static_cast<Char>(Key - 'A' + 1);
    switch (Key) {
      case VK_OEM_4: return 27;  // Ctrl+[
      case VK_OEM_5: return 28;  // Ctrl+backslash
      case VK_OEM_6: return 29;  // Ctrl+]
      case '6': return Shift.Contains(ssShift) ? Char{30} : Char{0};
      case VK_OEM_MINUS: return Shift.Contains(ssShift) ? Char{31} : Char{0};
      case VK_BACK: return 127;
      case VK_RETURN: return 10;
      case VK_ESCAPE: return 27;
      default: return 0;
    }
  }
  switch (Key) {
    case VK_BACK: return 8;
    case VK_TAB: return 9;
    case VK_RETURN: return 13;
    case VK_ESCAPE: return 27;
    default: return 0;
  }
}

}  // namespace orv::sdl2

#include <gtest/gtest.h>

#include <SDL.h>

#include "framework/backends/sdl2/sdl2keys.h"
#include "framework/controls/messages.h"

namespace orv {
namespace {

using sdl2::ControlChar;
using sdl2::VirtualKey;

uint16_t Key(SDL_Scancode Scan, SDL_Keycode Sym = SDLK_UNKNOWN, uint16_t Mod = KMOD_NONE) {
  return VirtualKey(Scan, Sym, Mod);
}

TEST(Sdl2Keys, LettersDigitsAndModifiersHaveTheHostCodes) {
  EXPECT_EQ(Key(SDL_SCANCODE_A, SDLK_a), 'A');
  EXPECT_EQ(Key(SDL_SCANCODE_Z, SDLK_z, KMOD_LSHIFT), 'Z');
  EXPECT_EQ(Key(SDL_SCANCODE_4, SDLK_4, KMOD_LSHIFT), 52);
  EXPECT_EQ(Key(SDL_SCANCODE_0, SDLK_0), '0');
  // A layout typing another letter there keeps the letter's code...
  EXPECT_EQ(Key(SDL_SCANCODE_Q, SDLK_a), 'A');
  // ...a key typing no Latin letter or digit keeps its US position.
  EXPECT_EQ(Key(SDL_SCANCODE_F, 0x430), 'F');
  EXPECT_EQ(Key(SDL_SCANCODE_1, SDLK_AMPERSAND), '1');
  EXPECT_EQ(Key(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT), VK_SHIFT);
  EXPECT_EQ(Key(SDL_SCANCODE_RSHIFT, SDLK_RSHIFT), VK_SHIFT);
  EXPECT_EQ(Key(SDL_SCANCODE_LCTRL, SDLK_LCTRL), VK_CONTROL);
  EXPECT_EQ(Key(SDL_SCANCODE_RALT, SDLK_RALT), VK_MENU);
}

TEST(Sdl2Keys, NavigationFunctionAndEditingKeys) {
  EXPECT_EQ(Key(SDL_SCANCODE_F1), VK_F1);
  EXPECT_EQ(Key(SDL_SCANCODE_F12), VK_F12);
  EXPECT_EQ(Key(SDL_SCANCODE_F13), VK_F12 + 1);
  EXPECT_EQ(Key(SDL_SCANCODE_LEFT), VK_LEFT);
  EXPECT_EQ(Key(SDL_SCANCODE_UP), VK_UP);
  EXPECT_EQ(Key(SDL_SCANCODE_RIGHT), VK_RIGHT);
  EXPECT_EQ(Key(SDL_SCANCODE_DOWN), VK_DOWN);
  EXPECT_EQ(Key(SDL_SCANCODE_HOME), VK_HOME);
  EXPECT_EQ(Key(SDL_SCANCODE_END), VK_END);
  EXPECT_EQ(Key(SDL_SCANCODE_PAGEUP), VK_PRIOR);
  EXPECT_EQ(Key(SDL_SCANCODE_PAGEDOWN), VK_NEXT);
  EXPECT_EQ(Key(SDL_SCANCODE_INSERT), VK_INSERT);
  EXPECT_EQ(Key(SDL_SCANCODE_DELETE), VK_DELETE);
  EXPECT_EQ(Key(SDL_SCANCODE_BACKSPACE), VK_BACK);
  EXPECT_EQ(Key(SDL_SCANCODE_TAB), VK_TAB);
  EXPECT_EQ(Key(SDL_SCANCODE_RETURN), VK_RETURN);
  EXPECT_EQ(Key(SDL_SCANCODE_ESCAPE), VK_ESCAPE);
  EXPECT_EQ(Key(SDL_SCANCODE_SPACE, SDLK_SPACE), VK_SPACE);
  EXPECT_EQ(Key(SDL_SCANCODE_AUDIOPLAY), 0);
}

TEST(Sdl2Keys, KeypadFollowsNumLock) {
  EXPECT_EQ(Key(SDL_SCANCODE_KP_7, SDLK_KP_7, KMOD_NUM), VK_NUMPAD7);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_0, SDLK_KP_0, KMOD_NUM), VK_NUMPAD0);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, KMOD_NUM), VK_DECIMAL);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_7, SDLK_KP_7), VK_HOME);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_2, SDLK_KP_2), VK_DOWN);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_5, SDLK_KP_5), VK_CLEAR);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD), VK_DELETE);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER), VK_RETURN);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS), VK_ADD);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_MINUS, SDLK_KP_MINUS), VK_SUBTRACT);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_MULTIPLY, SDLK_KP_MULTIPLY), VK_MULTIPLY);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_DIVIDE, SDLK_KP_DIVIDE), VK_DIVIDE);
}

TEST(Sdl2Keys, PunctuationKeysAreTheUsOemKeys) {
  EXPECT_EQ(Key(SDL_SCANCODE_SEMICOLON, SDLK_SEMICOLON), VK_OEM_1);
  EXPECT_EQ(Key(SDL_SCANCODE_EQUALS, SDLK_EQUALS), VK_OEM_PLUS);
  EXPECT_EQ(Key(SDL_SCANCODE_COMMA, SDLK_COMMA), VK_OEM_COMMA);
  EXPECT_EQ(Key(SDL_SCANCODE_MINUS, SDLK_MINUS), VK_OEM_MINUS);
  EXPECT_EQ(Key(SDL_SCANCODE_PERIOD, SDLK_PERIOD), VK_OEM_PERIOD);
  EXPECT_EQ(Key(SDL_SCANCODE_SLASH, SDLK_SLASH), VK_OEM_2);
  EXPECT_EQ(Key(SDL_SCANCODE_GRAVE, SDLK_BACKQUOTE), VK_OEM_3);
  EXPECT_EQ(Key(SDL_SCANCODE_LEFTBRACKET, SDLK_LEFTBRACKET), VK_OEM_4);
  EXPECT_EQ(Key(SDL_SCANCODE_BACKSLASH, SDLK_BACKSLASH), VK_OEM_5);
  EXPECT_EQ(Key(SDL_SCANCODE_RIGHTBRACKET, SDLK_RIGHTBRACKET), VK_OEM_6);
  EXPECT_EQ(Key(SDL_SCANCODE_APOSTROPHE, SDLK_QUOTE), VK_OEM_7);
}

TEST(Sdl2Keys, ShiftStatesOfModifiersAndButtons) {
  EXPECT_TRUE(sdl2::ModShiftState(KMOD_NONE).Empty());
  EXPECT_EQ(sdl2::ModShiftState(KMOD_RSHIFT), (TShiftState{ssShift}));
  EXPECT_EQ(sdl2::ModShiftState(KMOD_LCTRL | KMOD_LALT), (TShiftState{ssCtrl, ssAlt}));
  EXPECT_EQ(sdl2::ModShiftState(KMOD_MODE), (TShiftState{ssCtrl, ssAlt}));
  // Lock keys are no modifiers.
  EXPECT_TRUE(sdl2::ModShiftState(KMOD_NUM | KMOD_CAPS).Empty());
  EXPECT_EQ(sdl2::ButtonShiftState(SDL_BUTTON_LMASK | SDL_BUTTON_MMASK), (TShiftState{ssLeft, ssMiddle}));
  EXPECT_EQ(sdl2::ButtonShiftState(SDL_BUTTON_RMASK), (TShiftState{ssRight}));
  EXPECT_TRUE(sdl2::ButtonShiftState(SDL_BUTTON_X1MASK).Empty());
}

TEST(Sdl2Keys, ControlCharactersAsTheHostTypesThem) {
  const TShiftState None;
  EXPECT_EQ(ControlChar(VK_BACK, None), 8);
  EXPECT_EQ(ControlChar(VK_TAB, TShiftState{ssShift}), 9);
  EXPECT_EQ(ControlChar(VK_RETURN, None), 13);
  EXPECT_EQ(ControlChar(VK_ESCAPE, None), 27);
  EXPECT_EQ(ControlChar('A', TShiftState{ssCtrl}), 1);
  EXPECT_EQ(ControlChar('C', TShiftState{ssCtrl, ssShift}), 3);
  EXPECT_EQ(ControlChar('Z', TShiftState{ssCtrl}), 26);
  EXPECT_EQ(ControlChar(VK_OEM_4, TShiftState{ssCtrl}), 27);
  EXPECT_EQ(ControlChar(VK_BACK, TShiftState{ssCtrl}), 127);
  EXPECT_EQ(ControlChar(VK_RETURN, TShiftState{ssCtrl}), 10);
  // Printable keys send their text separately; Alt combinations nothing.
  EXPECT_EQ(ControlChar('A', None), 0);
  EXPECT_EQ(ControlChar('4', TShiftState{ssShift}), 0);
  EXPECT_EQ(ControlChar(VK_F5, None), 0);
  EXPECT_EQ(ControlChar(VK_DELETE, None), 0);
  EXPECT_EQ(ControlChar('A', TShiftState{ssAlt}), 0);
  EXPECT_EQ(ControlChar('A', TShiftState{ssCtrl, ssAlt}), 0);
  EXPECT_EQ(ControlChar(VK_RETURN, TShiftState{ssAlt}), 0);
  EXPECT_EQ(ControlChar(VK_TAB, TShiftState{ssCtrl}), 0);
}

}  // namespace
}  // namespace orv

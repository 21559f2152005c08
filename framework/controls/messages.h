#pragma once
// Window and control messages, as the controls exchange them through
// Perform/WndProc, and the virtual key codes of the keyboard.
//
// Packing used by this framework:
// - mouse messages: WParam = MK_* flags of the buttons and modifier keys held,
//   LParam = client X in the low 16 bits and client Y in the high 16 bits
//   (both signed), see MakeMouseLParam / MouseX / MouseY;
// - key messages (WM_KEYDOWN, WM_KEYUP, WM_CHAR): WParam = key code or
//   character, LParam = the TShiftState bits of the modifiers held
//   (ShiftStateToKeyData / KeyDataToShiftState in control.h);
// - WM_MOUSEWHEEL: WParam low word = MK_* flags, high word = wheel delta
//   (signed), LParam = screen position packed as for the other mouse messages.

#include <cstdint>

namespace orv {

// Handle of a window; 0 names none. Forms and the hidden message windows of
// AllocateHWnd have one.
using HWND = uintptr_t;

struct TMessage {
  uint32_t Msg = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

inline intptr_t MakeMouseLParam(int X, int Y) {
  return static_cast<intptr_t>(static_cast<uint32_t>(static_cast<uint16_t>(X)) |
                               (static_cast<uint32_t>(static_cast<uint16_t>(Y)) << 16));
}
inline int MouseX(intptr_t LParam) { return static_cast<int16_t>(static_cast<uint32_t>(LParam) & 0xFFFF); }
inline int MouseY(intptr_t LParam) { return static_cast<int16_t>((static_cast<uint32_t>(LParam) >> 16) & 0xFFFF); }

// --- Window messages --------------------------------------------------------
inline constexpr uint32_t WM_NULL = 0x0000;
inline constexpr uint32_t WM_CREATE = 0x0001;
inline constexpr uint32_t WM_DESTROY = 0x0002;
inline constexpr uint32_t WM_MOVE = 0x0003;
inline constexpr uint32_t WM_SIZE = 0x0005;
inline constexpr uint32_t WM_ACTIVATE = 0x0006;
inline constexpr uint32_t WM_SETFOCUS = 0x0007;
inline constexpr uint32_t WM_KILLFOCUS = 0x0008;
inline constexpr uint32_t WM_ENABLE = 0x000A;
inline constexpr uint32_t WM_SETTEXT = 0x000C;
inline constexpr uint32_t WM_GETTEXT = 0x000D;
inline constexpr uint32_t WM_PAINT = 0x000F;
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_ERASEBKGND = 0x0014;
inline constexpr uint32_t WM_SHOWWINDOW = 0x0018;
inline constexpr uint32_t WM_CANCELMODE = 0x001F;
inline constexpr uint32_t WM_SETCURSOR = 0x0020;
inline constexpr uint32_t WM_GETDLGCODE = 0x0087;
inline constexpr uint32_t WM_KEYDOWN = 0x0100;
inline constexpr uint32_t WM_KEYUP = 0x0101;
inline constexpr uint32_t WM_CHAR = 0x0102;
inline constexpr uint32_t WM_TIMER = 0x0113;
inline constexpr uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
inline constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr uint32_t WM_RBUTTONDBLCLK = 0x0206;
inline constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
inline constexpr uint32_t WM_MBUTTONUP = 0x0208;
inline constexpr uint32_t WM_MBUTTONDBLCLK = 0x0209;
inline constexpr uint32_t WM_MOUSEWHEEL = 0x020A;
inline constexpr uint32_t WM_USER = 0x0400;

// WM_GETDLGCODE answers: which keys a control wants for itself instead of
// letting the form use them for navigation.
inline constexpr intptr_t DLGC_WANTARROWS = 0x0001;
inline constexpr intptr_t DLGC_WANTTAB = 0x0002;
inline constexpr intptr_t DLGC_WANTALLKEYS = 0x0004;
inline constexpr intptr_t DLGC_WANTCHARS = 0x0080;

// Mouse key flags of the mouse messages.
inline constexpr uintptr_t MK_LBUTTON = 0x0001;
inline constexpr uintptr_t MK_RBUTTON = 0x0002;
inline constexpr uintptr_t MK_SHIFT = 0x0004;
inline constexpr uintptr_t MK_CONTROL = 0x0008;
inline constexpr uintptr_t MK_MBUTTON = 0x0010;
// Not a system flag: marks the Alt key in this framework's mouse messages.
inline constexpr uintptr_t MK_ALT = 0x0020;

// WM_SIZE kinds.
inline constexpr uintptr_t SIZE_RESTORED = 0;

// --- Control messages ---------------------------------------------------------
inline constexpr uint32_t CM_BASE = 0xB000;
inline constexpr uint32_t CM_ACTIVATE = CM_BASE + 0;
inline constexpr uint32_t CM_DEACTIVATE = CM_BASE + 1;
inline constexpr uint32_t CM_GOTFOCUS = CM_BASE + 2;
inline constexpr uint32_t CM_LOSTFOCUS = CM_BASE + 3;
inline constexpr uint32_t CM_CANCELMODE = CM_BASE + 4;
inline constexpr uint32_t CM_DIALOGKEY = CM_BASE + 5;
inline constexpr uint32_t CM_DIALOGCHAR = CM_BASE + 6;
inline constexpr uint32_t CM_FOCUSCHANGED = CM_BASE + 7;
inline constexpr uint32_t CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr uint32_t CM_PARENTCOLORCHANGED = CM_BASE + 9;
inline constexpr uint32_t CM_HITTEST = CM_BASE + 10;
inline constexpr uint32_t CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr uint32_t CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr uint32_t CM_COLORCHANGED = CM_BASE + 13;
inline constexpr uint32_t CM_FONTCHANGED = CM_BASE + 14;
inline constexpr uint32_t CM_CURSORCHANGED = CM_BASE + 15;
inline constexpr uint32_t CM_CTL3DCHANGED = CM_BASE + 16;
inline constexpr uint32_t CM_PARENTCTL3DCHANGED = CM_BASE + 17;
inline constexpr uint32_t CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr uint32_t CM_MOUSEENTER = CM_BASE + 19;
inline constexpr uint32_t CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr uint32_t CM_MENUCHANGED = CM_BASE + 21;
inline constexpr uint32_t CM_APPKEYDOWN = CM_BASE + 22;
inline constexpr uint32_t CM_APPSYSCOMMAND = CM_BASE + 23;
inline constexpr uint32_t CM_BUTTONPRESSED = CM_BASE + 24;
inline constexpr uint32_t CM_SHOWINGCHANGED = CM_BASE + 25;
inline constexpr uint32_t CM_ENTER = CM_BASE + 26;
inline constexpr uint32_t CM_EXIT = CM_BASE + 27;
inline constexpr uint32_t CM_DESIGNHITTEST = CM_BASE + 28;
inline constexpr uint32_t CM_ICONCHANGED = CM_BASE + 29;
inline constexpr uint32_t CM_WANTSPECIALKEY = CM_BASE + 30;
inline constexpr uint32_t CM_INVOKEHELP = CM_BASE + 31;
inline constexpr uint32_t CM_WINDOWHOOK = CM_BASE + 32;
inline constexpr uint32_t CM_RELEASE = CM_BASE + 33;
inline constexpr uint32_t CM_SHOWHINTCHANGED = CM_BASE + 34;
inline constexpr uint32_t CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
inline constexpr uint32_t CM_SYSCOLORCHANGE = CM_BASE + 36;
inline constexpr uint32_t CM_WININICHANGE = CM_BASE + 37;
inline constexpr uint32_t CM_FONTCHANGE = CM_BASE + 38;
inline constexpr uint32_t CM_TIMECHANGE = CM_BASE + 39;
inline constexpr uint32_t CM_TABSTOPCHANGED = CM_BASE + 40;
inline constexpr uint32_t CM_UIACTIVATE = CM_BASE + 41;
inline constexpr uint32_t CM_UIDEACTIVATE = CM_BASE + 42;
inline constexpr uint32_t CM_DOCWINDOWACTIVATE = CM_BASE + 43;
inline constexpr uint32_t CM_CONTROLLISTCHANGE = CM_BASE + 44;
inline constexpr uint32_t CM_GETDATALINK = CM_BASE + 45;
inline constexpr uint32_t CM_CHILDKEY = CM_BASE + 46;
inline constexpr uint32_t CM_HINTSHOW = CM_BASE + 48;
inline constexpr uint32_t CM_RECREATEWND = CM_BASE + 51;
inline constexpr uint32_t CM_INVALIDATE = CM_BASE + 52;
inline constexpr uint32_t CM_SYSFONTCHANGED = CM_BASE + 53;
inline constexpr uint32_t CM_CONTROLCHANGE = CM_BASE + 54;
inline constexpr uint32_t CM_CHANGED = CM_BASE + 55;
inline constexpr uint32_t CM_MOUSEWHEEL = CM_BASE + 67;
inline constexpr uint32_t CM_STYLECHANGED = CM_BASE + 73;
inline constexpr uint32_t CM_PARENTVISIBLECHANGED = CM_BASE + 75;

// --- Virtual key codes ----------------------------------------------------------
inline constexpr uint16_t VK_LBUTTON = 0x01;
inline constexpr uint16_t VK_RBUTTON = 0x02;
inline constexpr uint16_t VK_CANCEL = 0x03;
inline constexpr uint16_t VK_MBUTTON = 0x04;
inline constexpr uint16_t VK_BACK = 0x08;
inline constexpr uint16_t VK_TAB = 0x09;
inline constexpr uint16_t VK_CLEAR = 0x0C;
inline constexpr uint16_t VK_RETURN = 0x0D;
inline constexpr uint16_t VK_SHIFT = 0x10;
inline constexpr uint16_t VK_CONTROL = 0x11;
inline constexpr uint16_t VK_MENU = 0x12;
inline constexpr uint16_t VK_PAUSE = 0x13;
inline constexpr uint16_t VK_CAPITAL = 0x14;
inline constexpr uint16_t VK_ESCAPE = 0x1B;
inline constexpr uint16_t VK_SPACE = 0x20;
inline constexpr uint16_t VK_PRIOR = 0x21;
inline constexpr uint16_t VK_NEXT = 0x22;
inline constexpr uint16_t VK_END = 0x23;
inline constexpr uint16_t VK_HOME = 0x24;
inline constexpr uint16_t VK_LEFT = 0x25;
inline constexpr uint16_t VK_UP = 0x26;
inline constexpr uint16_t VK_RIGHT = 0x27;
inline constexpr uint16_t VK_DOWN = 0x28;
inline constexpr uint16_t VK_SELECT = 0x29;
inline constexpr uint16_t VK_PRINT = 0x2A;
inline constexpr uint16_t VK_EXECUTE = 0x2B;
inline constexpr uint16_t VK_SNAPSHOT = 0x2C;
inline constexpr uint16_t VK_INSERT = 0x2D;
inline constexpr uint16_t VK_DELETE = 0x2E;
inline constexpr uint16_t VK_HELP = 0x2F;
// '0'..'9' and 'A'..'Z' are their own key codes.
inline constexpr uint16_t VK_LWIN = 0x5B;
inline constexpr uint16_t VK_RWIN = 0x5C;
inline constexpr uint16_t VK_APPS = 0x5D;
inline constexpr uint16_t VK_NUMPAD0 = 0x60;
inline constexpr uint16_t VK_NUMPAD1 = 0x61;
inline constexpr uint16_t VK_NUMPAD2 = 0x62;
inline constexpr uint16_t VK_NUMPAD3 = 0x63;
inline constexpr uint16_t VK_NUMPAD4 = 0x64;
inline constexpr uint16_t VK_NUMPAD5 = 0x65;
inline constexpr uint16_t VK_NUMPAD6 = 0x66;
inline constexpr uint16_t VK_NUMPAD7 = 0x67;
inline constexpr uint16_t VK_NUMPAD8 = 0x68;
inline constexpr uint16_t VK_NUMPAD9 = 0x69;
inline constexpr uint16_t VK_MULTIPLY = 0x6A;
inline constexpr uint16_t VK_ADD = 0x6B;
inline constexpr uint16_t VK_SEPARATOR = 0x6C;
inline constexpr uint16_t VK_SUBTRACT = 0x6D;
inline constexpr uint16_t VK_DECIMAL = 0x6E;
inline constexpr uint16_t VK_DIVIDE = 0x6F;
inline constexpr uint16_t VK_F1 = 0x70;
inline constexpr uint16_t VK_F2 = 0x71;
inline constexpr uint16_t VK_F3 = 0x72;
inline constexpr uint16_t VK_F4 = 0x73;
inline constexpr uint16_t VK_F5 = 0x74;
inline constexpr uint16_t VK_F6 = 0x75;
inline constexpr uint16_t VK_F7 = 0x76;
inline constexpr uint16_t VK_F8 = 0x77;
inline constexpr uint16_t VK_F9 = 0x78;
inline constexpr uint16_t VK_F10 = 0x79;
inline constexpr uint16_t VK_F11 = 0x7A;
inline constexpr uint16_t VK_F12 = 0x7B;
inline constexpr uint16_t VK_NUMLOCK = 0x90;
inline constexpr uint16_t VK_SCROLL = 0x91;
inline constexpr uint16_t VK_LSHIFT = 0xA0;
inline constexpr uint16_t VK_RSHIFT = 0xA1;
inline constexpr uint16_t VK_LCONTROL = 0xA2;
inline constexpr uint16_t VK_RCONTROL = 0xA3;
inline constexpr uint16_t VK_LMENU = 0xA4;
inline constexpr uint16_t VK_RMENU = 0xA5;
inline constexpr uint16_t VK_OEM_1 = 0xBA;       // ';:'
inline constexpr uint16_t VK_OEM_PLUS = 0xBB;    // '=+'
inline constexpr uint16_t VK_OEM_COMMA = 0xBC;   // ',<'
inline constexpr uint16_t VK_OEM_MINUS = 0xBD;   // '-_'
inline constexpr uint16_t VK_OEM_PERIOD = 0xBE;  // '.>'
inline constexpr uint16_t VK_OEM_2 = 0xBF;       // '/?'
inline constexpr uint16_t VK_OEM_3 = 0xC0;       // '`~'
inline constexpr uint16_t VK_OEM_4 = 0xDB;       // '[{'
inline constexpr uint16_t VK_OEM_5 = 0xDC;       // '\|'
inline constexpr uint16_t VK_OEM_6 = 0xDD;       // ']}'
inline constexpr uint16_t VK_OEM_7 = 0xDE;       // quote

}  // namespace orv
